#include "plateforme/imagegrille.h"

#include "plateforme/nombres.h"

int ImageGrille::largeurtotale() const {
  int total = 0;
  for (int l : largeurs) total += l;
  return total;
}

int ImageGrille::hauteurtotale() const {
  int total = 0;
  for (int h : hauteurs) total += h;
  return total;
}

int ImageGrille::alignement(int ligne, int colonne) const {
  const bool fixe = ligne < lignesfixes || colonne < colonnesfixes;
  const int a = fixe ? alignementsfixes.value(colonne, alignementgénéral) : alignements.value(colonne, alignementgénéral);
  if (a != alignementgénéral) return a;
  return estnombre(cellules[ligne][colonne].texte) ? alignementdroite : alignementgauche;
}
