#pragma once
// Une classe telle que ses fichiers la décrivent, pour la fusionner : chaque période
// et chaque examen avec ses élèves, leurs notes, leurs notes orales, leurs
// préparations, et ses interrogations. Les fichiers sont lus et réécrits par les
// routines du programme (chargement, lignes des élèves, calcul des résultats), si
// bien qu'une classe fusionnée s'écrit comme après une saisie.

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>

struct OraleModèle {
  int maximum = 0;
  double note = 0;
  QString libellé;
  int compétence = 1;
  bool operator==(const OraleModèle&) const = default;
};

struct InterroModèle {
  int maximum = 0;
  QString date, matière;
  int compétence = 1;
  bool operator==(const InterroModèle&) const = default;
};

struct ÉlèveModèle {
  QString nom;
  QStringList notes;  // une par interrogation, telles que tapées
  QList<OraleModèle> orales;
  int préparations = 0;
  bool operator==(const ÉlèveModèle&) const = default;
};

struct PériodeModèle {
  int premièreinterro = 1;
  int nborales = 0;
  QList<InterroModèle> interros;
  QList<ÉlèveModèle> élèves;
  QStringList compétences;
  bool operator==(const PériodeModèle&) const = default;
  const ÉlèveModèle* élève(const QString& nom) const;
};

// Les fichiers d'une classe sur un disque : nom relatif → lignes (absent : le
// fichier n'y est pas).
using FichiersClasse = QMap<QString, QStringList>;

// Les clés "P1".."Pn", "E1".."En" dont le fichier des notes est parmi les noms.
QStringList clésdespériodes(const QString& clé, const QStringList& noms);

// Lit les périodes d'une classe (maxima, notes, interrogations). Lève les erreurs
// du chargement, qui nomment le fichier et la ligne.
QMap<QString, PériodeModèle> lirepériodes(const QString& clé, const FichiersClasse& fichiers,
                                           const QStringList& maxima);

// Les lignes des notes et des interrogations d'une période, résultats recalculés.
struct LignesPériode {
  QStringList notes, interros;
};
LignesPériode écrirepériode(const QString& clé, const QString& période, const PériodeModèle& p,
                            const QStringList& maxima);

// Lève ErreurDonnée, avec le fichier (dans le dossier donné) et ce qui ne va pas, quand
// les périodes lues d'une copie ne forment pas une classe : compétences qui n'en sont
// pas ou qui diffèrent d'une période à l'autre, élèves en double ou différents.
void vérifiercopie(const QString& clé, const QMap<QString, PériodeModèle>& périodes, const QString& dossier);
