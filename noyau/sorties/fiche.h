#pragma once
// Fiche individuelle : pour un élève de la classe ouverte, chaque test, note
// orale et résultat par compétence des périodes et examens montrés, les moyennes
// et les totaux, ligne par ligne.

#include <QList>
#include <QString>
#include <QStringList>

#include "noyau/sorties/graphiques.h"

struct LigneFiche {
  QString numéro, libellé, note, sur, moyenne, renseignements;
  bool operator==(const LigneFiche&) const = default;
};

// Les clés de la classe ouverte : P1 à sa dernière période, puis E1 à son dernier examen.
QStringList clésdelaclasse();

// Les lignes de la fiche de l'élève s (sa place dans les fichiers des notes) pour
// les clés montrées. Chaque clé montrée est chargée tour à tour ; la clé courante
// est remise à la fin (la classe-période n'est pas rechargée).
// graphique, s'il est donné, reçoit les données du graphique de la fiche.
QList<LigneFiche> lignesfiche(int s, const QStringList& montrées, DonnéesGraphiqueFiche* graphique = nullptr);

// Couleurs et gras d'une ligne de la fiche, selon son libellé et sa note.
int fondfiche(const QString& libellé);
bool grasfiche(const QString& libellé);
int couleurfiche(const QString& note, const QString& sur);
