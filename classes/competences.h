#pragma once
// Compétences de la classe-période ouverte : changer un poids, faire entrer une
// compétence par défaut, en retirer une en la mettant à zéro.

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "socle/fenetre.h"

class FenetreCompetences : public Fenetre {
public:
  FenetreCompetences();

  void Form_Load() override;
  void listecompétences_DblClick();
  bool vérifcompdejautil(int c);
  void paspossible();
  void cmdok_Click();

  QLabel* etiqnomclasse;
  QLabel* classe;
  QLabel* Etiquette2;
  QLabel* cours;
  QLabel* etiquette5;
  QListWidget* listecompétences;
  QPushButton* cmdok;

private:
  int nombreinitial_ = 0;
};
