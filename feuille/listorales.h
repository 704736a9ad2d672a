#pragma once
// Liste des interrogations orales de la classe-période : les notes données, les
// élèves pas encore interrogés et les autres ; un double clic choisit le suivant.

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "socle/fenetre.h"

class FenetreListeOrales : public Fenetre {
public:
  FenetreListeOrales();

  void Form_Load() override;
  void comp_Click();
  void List2_DblClick();
  void List3_DblClick();
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();

  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label3;
  QLabel* Label4;
  QLabel* Label5;
  QListWidget* List1;
  QListWidget* List2;
  QListWidget* List3;
  QCheckBox* comp;
  QPushButton* Command1;
  QPushButton* Command2;
  QPushButton* Command3;

private:
  void remplirlistes();
  void choisir(QListWidget* liste);
};
