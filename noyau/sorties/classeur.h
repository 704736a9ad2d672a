#pragma once
// Classeur (.xlsx) de la classe ouverte : une feuille par période et par examen,
// disposée comme la feuille de cotes (notes en nombres, "A", "AI", "NC" en texte,
// couleurs de la grille, lignes de tête et noms figés), moyennes et échecs en
// formules, et une feuille "Totaux" comme la fenêtre des totaux.

#include <QString>
#include <QStringList>

// dossier d'exportation & "Classeur " & classe & " " & date et heure & ".xlsx" ("2026-12-08 15-33-14")
QString nomexportclasseur();

// Noms des feuilles du classeur de la classe ouverte, dans l'ordre.
QStringList feuillesduclasseur();

// Écrit le classeur entier, de façon atomique ; la classe-période ouverte est
// rechargée à la fin. Lève ErreurFichier avec le fichier et sa cause.
void écrireclasseur(const QString& chemin);

// La formule de la moyenne d'une colonne de notes (lignes première à dernière, en
// numérotation du tableur), arrondie au dixième comme la grille (au pair) ;
// absences : "A" et "NC" ne comptent pas, tout autre texte et une case vide comptent 0.
QString formulemoyenne(const QString& colonne, int première, int dernière, bool résultats);
// Le nombre de notes comptées sous la moitié du maximum.
QString formuleéchecs(const QString& colonne, int première, int dernière, double maximum, bool résultats);
// "A", ..., "Z", "AA"... pour la colonne 0, 1, ...
QString lettrecolonne(int colonne);
