#pragma once
// Deux ordinateurs, rien de perdu. À la première lecture d'un fichier d'une classe,
// et avant la copie de sortie, toute la classe est décidée ensemble : les copies
// du disque dur et du disque amovible sont comparées à leur ancêtre commun ; le
// côté qui seul a bougé est pris sans question ; quand les deux ont bougé, la
// classe est fusionnée et seuls les conflits sont demandés, en une fois. La fusion
// est une transaction, inscrite dans l'historique (et annulable). Les copies en
// conflit d'un service de synchronisation sont fusionnées de même, puis mises de
// côté. Un disque préparé par une ancienne version (aucun ancêtre) garde la
// question fichier par fichier.

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

#include "noyau/fusion/fusion.h"

// Ce que la fenêtre des conflits montre, et où elle note les choix.
struct ConflitsÀTrancher {
  QString classe;        // "6C (Mathématique)", "liste des classes"
  QString ordinateurlà;  // l'autre ordinateur, d'après l'historique
  QList<Conflit> conflits;
  bool annulé = false;
};
ConflitsÀTrancher& conflitsàtrancher();

// Branche la fusion sur le disque amovible (au démarrage du programme et des essais).
void brancherfusiondesclasses();

// Les deux moments, appelés par le disque amovible une fois branchés.
bool fusionneravantlecture(const QString& nom);
std::optional<QStringList> fusionneravantcopie(const QString& nom);

// Le dossier du disque amovible où vont les copies en conflit déjà fusionnées.
inline const QString dossiercopiesenconflit = QStringLiteral("Copies en conflit fusionnées");

// Le nom du fichier dont celui-ci est une copie en conflit (Syncthing, Nextcloud,
// ownCloud, Dropbox), vide sinon : "5A131.sync-conflict-20261208-153012-ABC1234.P3N"
// donne "5A131.P3N".
QString originaldecopieenconflit(const QString& nomdefichier);
