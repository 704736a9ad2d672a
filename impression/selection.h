#pragma once
// Choix des élèves de la classe ouverte pour lesquels imprimer : les fiches
// individuelles ou les récapitulatifs pour les parents.

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "socle/fenetre.h"

class FenetreSelection : public Fenetre {
public:
  FenetreSelection();

  void Form_Load() override;
  void affnélsél();
  void List1_DblClick();
  void List2_DblClick();
  void Command1_Click();
  void Command2_Click();
  void Command4_Click();
  void Command5_Click();

  QListWidget* List1;
  QListWidget* List2;
  QLabel* ntotél;
  QLabel* élsél;
  QCheckBox* casecouleur;
  QCheckBox* casedernièreligne;
  QPushButton* Command1;
  QPushButton* Command2;
  QPushButton* Command4;
  QPushButton* Command5;

protected:
  void reject() override { Command5_Click(); }

private:
  void ajouter(QListWidget* liste, int élève);
};
