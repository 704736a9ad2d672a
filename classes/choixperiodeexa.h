#pragma once
// Choix d'une période ou d'un examen de la classe courante : ouvre celui qui
// existe, crée le suivant.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "socle/fenetre.h"

class FenetreChoixPeriodeExa : public Fenetre {
public:
  FenetreChoixPeriodeExa();

  void Form_Load() override;
  void Option1_Click(int index);
  void Texte1_KeyDown(int codetouche);
  void Commande1_Click();
  void Commande2_Click();
  void créerpériode();
  void créerexamen();

  QLabel* Etiquette1;
  QLineEdit* Texte1;
  QRadioButton* option1[2];  // 0 : examen, 1 : période
  QPushButton* Commande1;
  QPushButton* Commande2;

protected:
  void reject() override { Commande2_Click(); }
};
