#pragma once
// Une note telle que la grille, les impressions et le classeur la montrent.

#include <QString>

// "A", "NC" ou "?" : l'élève n'a pas de note (en bleu).
bool absence(const QString& note);

// Forme affichée d'une note : "12" devient "12.0", "7.5/10" reste tel quel.
QString présenternote(const QString& texte);

// Couleur d'une note dans la grille : rouge sous la moitié, bleu pour A, NC et ?.
int couleurdenote(const QString& texte, double maximum);
