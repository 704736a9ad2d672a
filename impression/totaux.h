#pragma once
// Totaux de la classe ouverte : chaque période jusqu'à celle que l'on nomme,
// chaque examen, leurs sommes, le total et son pourcentage.

#include <QLabel>
#include <QPushButton>

#include "plateforme/qt/grille.h"
#include "socle/fenetre.h"

class FenetreTotaux : public Fenetre {
public:
  FenetreTotaux();

  void Form_Load() override;
  void adapterauformat();
  void casecouleur(const QString& texte, double maximum);
  void cmdok_Click();
  void imprimerdirect_Click();

  Grille* grille1;
  QLabel* Etiquette3;
  QLabel* Etiquette4;
  QPushButton* cmdok;
  QPushButton* imprimerdirect;

private:
  ModeleGrille::TexteEntête entêtedite(Qt::Orientation sens, int section) const;
  void préparergrille();
  void remplirélève(int i);
  int n_ = 0;         // dernière période additionnée
  int maxtotal_ = 0;
};

// Couleur d'un total : rouge sous la moitié du maximum ; sinon noir, ou bleu
// quand le maximum est nul.
int couleurtotal(const QString& texte, double maximum);
