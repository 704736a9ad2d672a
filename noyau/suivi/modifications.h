#pragma once
// Registre des fichiers écrits. "listebck.txt" : nom relatif de chaque fichier écrit
// pendant la session, dans l'ordre, répété à chaque écriture. "fichiersentrés.txt" :
// chaque fichier déjà comparé à sa copie amovible pendant la session ; sa présence au
// démarrage signale une fin anormale.

#include <QList>
#include <QString>
#include <QStringList>

struct FichierÀÉcrire;

struct FichierPréparé {
  QString nom;  // relatif au dossier des données
  QStringList lignes;
  bool supprimer = false;  // le fichier disparaît avec le changement
};

// À appeler par chaque écrivain avant d'écrire.
void noterfichierécrit(const QString& nom);

// Écrit des fichiers en une transaction après avoir noté les noms donnés dans la
// liste des modifications ; lève ErreurFichier.
void écrireensemblenoté(const QList<FichierÀÉcrire>& fichiers, const QStringList& noms);

// Nom du journal des transactions, dans le dossier des données.
inline const QString nomjournal = QStringLiteral("transaction.evl");

// Entrées de la liste des modifications, chacune une seule fois, dans l'ordre.
QStringList modificationsenattente();
// Vrai quand le fichier a déjà été comparé à sa copie amovible pendant la session.
bool déjàvérifié(const QString& nom);
void noterfichiervérifié(const QString& nom);
// Fin normale : la liste des fichiers vérifiés disparaît.
void supprimerlistevérifiés();

// Lignes d'un fichier, vide quand il manque.
QStringList lignessiexiste(const QString& chemin);
