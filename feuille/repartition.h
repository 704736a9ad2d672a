#pragma once
// Répartition des résultats des élèves dans la classe-période ouverte.

#include <QLabel>

#include "feuille/histogramme.h"
#include "socle/fenetre.h"

class FenetreRepartition : public Fenetre {
public:
  FenetreRepartition();
  void Form_Load() override;

  Histogramme* histogramme;
  QLabel* résumé;
};
