#pragma once
// Fusion à trois d'une classe : la base (la version que cet ordinateur a échangée en
// dernier avec le disque amovible), la copie d'ici (disque dur) et celle de là
// (disque amovible ou dossier synchronisé). Ce qui n'a changé que d'un côté est
// pris de ce côté ; ce qui a changé de la même façon des deux côtés est pris une
// fois ; ce qui a changé autrement des deux côtés est un conflit, que le professeur
// tranche. Rien n'est perdu sans qu'il l'ait choisi.

#include <QHash>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include "noyau/fusion/modele.h"

struct Conflit {
  QString id;       // stable d'un calcul à l'autre : sert à rappeler le choix
  QString période;  // "P3", "E1", vide pour toute la classe
  QString élève;    // vide quand le conflit ne touche pas un élève
  QString quoi;     // "interro n°15", "note orale n°2", "préparations"...
  QString ici, là;  // les deux valeurs, en mots
  QString fichier;  // nom relatif du fichier en cause
  bool garderlà = false;
  QString quandici, quandlà;  // d'après l'historique : "08/12/2026 15:33", avec l'ordinateur là
};

// Les trois versions d'une classe.
struct VersionsClasse {
  QString clé;
  QStringList maximabase, maximaici, maximalà;  // vides : le fichier manque
  QMap<QString, PériodeModèle> base, ici, là;
};

struct ClasseFusionnée {
  QStringList maxima;
  QMap<QString, PériodeModèle> périodes;
  QList<Conflit> conflits;
  int reprises = 0;  // valeurs prises de là
};

// Les choix déjà faits (id → garder celle de là) ; un conflit sans choix garde
// la valeur d'ici.
ClasseFusionnée fusionnerclasse(const VersionsClasse& v, const QHash<QString, bool>& choix = {});

// Des lignes fusionnées, avec leurs conflits.
struct LignesFusionnées {
  QStringList lignes;
  QList<Conflit> conflits;
  int reprises = 0;
};

// La liste des classes d'une année : chaque classe (par son dossier) fusionnée
// champ par champ ; la dernière période et le nombre d'examens créés sont les plus
// grands des deux côtés ; les classes ajoutées d'un côté ou de l'autre sont gardées.
LignesFusionnées fusionnerlisteclasses(const QString& nom, const QStringList& base, const QStringList& ici,
                                       const QStringList& là, const QHash<QString, bool>& choix = {});

// Les lignes de deux copies d'un fichier sans format connu, fusionnées ligne à ligne
// quand les trois ont autant de lignes, sinon en un seul conflit.
LignesFusionnées fusionnerlignes(const QString& nom, const QStringList& base, const QStringList& ici,
                                 const QStringList& là, const QHash<QString, bool>& choix = {});
