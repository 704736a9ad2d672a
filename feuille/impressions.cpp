// Feuille principale : "Imprimer ce tableau", les fiches individuelles.

#include "feuille/principale.h"

#include "impression/misesenpage.h"
#include "noyau/base/etat.h"
#include "noyau/base/module.h"
#include "noyau/fichiers/notesclasse.h"
#include "plateforme/imprimante.h"
#include "plateforme/nombres.h"
#include "plateforme/qt/grille.h"
#include "plateforme/services.h"
#include "rapports/fiche.h"
#include "socle/registre.h"

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

void FenetrePrincipale::imprfi_Click() {
  GardeClassePériode garde;
  TravailUnique travail(imprimantes().Printer());  // toutes les fiches : un seul document
  ÉtatPartagé& é = état();
  é.élèvesrécapitulatif.redim(0);
  é.sélectionannulée = false;
  é.nomfichier = QStringLiteral("imprimer");
  montrermodale(QStringLiteral("fenêtrerécapitulatif"));
  if (é.sélectionannulée || é.élèvesrécapitulatif.borne() < 1) {
    é.nomfichier.clear();
    return;
  }
  // Chaque élève choisi par sa place : deux élèves de même nom ont chacun leur fiche.
  const Tableau<int> choisis = é.élèvesrécapitulatif;
  for (int k = 1; k <= choisis.borne(); ++k) {
    if (choisis[k] < 1 || choisis[k] > é.nbélèves) continue;
    é.nomfichier = u'I' + QString::number(choisis[k]);
    ficheindividuelle().Form_Load();
  }
  é.nomfichier.clear();
  chargerclasse();
  travail.terminer();
}

void FenetrePrincipale::menu_ficheindividuelle_Click() {
  ÉtatPartagé& é = état();
  if (élèvecourant < 1 || élèvecourant > é.nbélèves || é.nomélève[élèvecourant].isEmpty()) {
    avertissement(QStringLiteral("Choisissez d'abord un élève : sa ligne dans la grille (flèches ou clic)."),
                  QStringLiteral("Fiche individuelle"));
    return;
  }
  é.nomfichier = str(élèvecourant);
  montrermodale(QStringLiteral("ficheindividuelle"));
  é.nomfichier.clear();
}
