#pragma once
// Image d'une grille : son contenu (textes, couleurs, gras, largeurs, alignements),
// que l'imprimante dessine en texte net, et non une copie d'écran.

#include <QList>
#include <QString>

#include "plateforme/couleurs.h"

// Alignements de l'ancien système : 1 à gauche, 4 centré, 7 à droite ; 9 : le
// réglage général (texte à gauche, nombre à droite).
inline constexpr int alignementgauche = 1;
inline constexpr int alignementcentre = 4;
inline constexpr int alignementdroite = 7;
inline constexpr int alignementgénéral = 9;

struct CelluleImage {
  QString texte;
  int couleurtexte = sanscouleur;
  int couleurfond = sanscouleur;
  bool gras = false;
};

struct ImageGrille {
  int lignesfixes = 0;
  int colonnesfixes = 0;
  QList<int> largeurs;   // twips par colonne ; 0 pour une colonne cachée
  QList<int> hauteurs;   // twips par ligne
  QList<int> alignements;         // des cellules ordinaires, par colonne
  QList<int> alignementsfixes;    // des cellules fixes, par colonne
  QList<QList<CelluleImage>> cellules;  // [ligne][colonne]

  int lignes() const { return static_cast<int>(cellules.size()); }
  int colonnes() const { return static_cast<int>(largeurs.size()); }
  int largeurtotale() const;
  int hauteurtotale() const;
  // Alignement effectif d'une cellule (le réglage général tranché sur son texte).
  int alignement(int ligne, int colonne) const;
};
