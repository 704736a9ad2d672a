// Feuille principale : "Imprimer ce tableau".

#include "feuille/principale.h"

#include "impression/misesenpage.h"
#include "plateforme/qt/grille.h"

void FenetrePrincipale::imprimerdirect_Click() {
  // Une colonne vide de 600 twips fait la marge de droite de l'image.
  ImageGrille image = grille1->Picture();
  image.largeurs.append(600);
  image.alignements.append(alignementgénéral);
  image.alignementsfixes.append(alignementgénéral);
  for (QList<CelluleImage>& ligne : image.cellules) ligne.append(CelluleImage{});
  imprimerimagegrille(Etiquette3->text() + QStringLiteral(" - ") + Etiquette4->text() + QStringLiteral(" - ") +
                          Etiquette5->text(),
                      image);
}
