#pragma once
// Fenêtre des remarques : une ligne de texte, choisie parmi les remarques
// enregistrées ou les matières des classes voisines, ou tapée.

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "socle/fenetre.h"

class FenetreRema : public Fenetre {
public:
  FenetreRema();

  void Form_Load() override;
  void List1_Click();
  void List2_Click();
  void Text1_KeyDown(int codetouche);
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();

  QLabel* Label1;
  QLabel* Label2;
  QLineEdit* Text1;
  QListWidget* List1;
  QListWidget* List2;
  QPushButton* Command1;
  QPushButton* Command2;
  QPushButton* Command3;

protected:
  void closeEvent(QCloseEvent* e) override;
  void reject() override { Command3_Click(); }

private:
  bool terminée_ = false;
};

// Éditeur du fichier des remarques, qui garde son codage Windows.
class FenetreEditeurRemarques : public Fenetre {
public:
  FenetreEditeurRemarques();
  void Form_Load() override;
  void enregistrer();
  class QPlainTextEdit* texte;
};
