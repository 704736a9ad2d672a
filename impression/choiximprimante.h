#pragma once
// Choix de l'imprimante de toutes les impressions suivantes du programme ; celle
// d'avant le premier changement est gardée pour la fin du programme.

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "socle/fenetre.h"

class FenetreChoixImprimante : public Fenetre {
public:
  FenetreChoixImprimante();

  void Form_Load() override;
  void List1_DblClick();
  void cmdok_Click();

  QListWidget* List1;
  QLabel* Label1;
  QLabel* Label5;
  QLabel* Label3;
  QPushButton* CMDOK;
};
