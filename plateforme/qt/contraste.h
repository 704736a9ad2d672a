#pragma once
// Des couleurs de texte lisibles sur leur fond, quel que soit le thème du bureau
// (clair, sombre, contraste élevé) : le rapport de contraste des règles
// d'accessibilité du web (WCAG 2), 4,5:1 au moins pour un texte ordinaire.

#include <QColor>

inline constexpr double contrasteminimal = 4.5;

// Luminance relative (0 : noir, 1 : blanc).
double luminance(const QColor& c);
// De 1:1 (mêmes couleurs) à 21:1 (noir sur blanc).
double contraste(const QColor& a, const QColor& b);
// La couleur voulue, assombrie sur un fond clair ou éclaircie sur un fond sombre
// juste assez pour atteindre le contraste minimal ; inchangée si elle l'atteint.
QColor couleurlisible(const QColor& voulue, const QColor& fond);

class QPalette;
// La case courante (sélectionnée) : son fond, le surlignage du thème assombri (ou
// éclairci) juste assez pour que son texte, et un résultat sous la moitié en rouge
// clair, y aient le contraste minimal.
struct CouleursSélection {
  QColor fond, texte, rouge;
};
CouleursSélection couleursdelasélection(const QPalette& palette);
