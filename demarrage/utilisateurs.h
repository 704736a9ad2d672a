#pragma once
// Liste des utilisateurs : chacun choisit son nom (double clic) et travaille
// ensuite dans son propre dossier.

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "socle/fenetre.h"

class FenetreUtilisateurs : public Fenetre {
public:
  FenetreUtilisateurs();

  void Form_Load() override;
  void listeutilisateurs_Click();
  void listeutilisateurs_DblClick();
  void cmdajouter_Click();
  void cmdretirer_Click();
  void cmdannuler_Click();

  QLabel* Label1;
  QListWidget* listeutilisateurs;
  QPushButton* cmdajouter;
  QPushButton* cmdretirer;
  QPushButton* cmdannuler;

private:
  QStringList noms() const;
  int lignechoisie_ = -1;
};
