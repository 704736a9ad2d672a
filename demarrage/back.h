#pragma once
// Back-up : copie complète du dossier de données dans un dossier choisi (clé USB,
// disque externe), avec l'avancement fichier par fichier et dossier par dossier.

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include "socle/fenetre.h"

class FenetreBack : public Fenetre {
public:
  FenetreBack();

  void Form_Load() override;
  void Démarrer_Click();
  void cmdchoisir_Click();
  void Command1_Click();

  QLabel* label1;
  QLabel* Label2;
  QLabel* Label3;
  QLineEdit* dossiercible;
  QPushButton* cmdchoisir;
  QProgressBar* Progfich;
  QProgressBar* Progdir;
  QPushButton* Démarrer;
  QPushButton* Command1;

private:
  void montreravancement(QProgressBar* barre, int faits, int total);
};
