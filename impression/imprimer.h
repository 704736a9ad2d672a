#pragma once
// Menu d'impression : les classes à imprimer (la classe actuelle, toutes, une
// sélection), la période ou l'examen, les types d'impression ; "Ok" imprime
// chaque type choisi pour chaque classe choisie dans un seul document.

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QList>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "impression/misesenpage.h"
#include "noyau/base/tableaux.h"
#include "socle/fenetre.h"

class QGridLayout;

class FenetreImprimer : public Fenetre {
public:
  FenetreImprimer();

  void Form_Load() override;
  void choixpériode_Click(int index);
  void Option1_Click();
  void Option2_Click();
  void Option3_Click();
  void Liste1_DblClick();
  void Liste2_DblClick();
  void Command1_Click();
  void cmdannuler_Click();
  void cmdok_Click();
  void cmdaperçu_Click();

  QGroupBox* Cadre1;
  QRadioButton* Option1;
  QRadioButton* Option2;
  QRadioButton* Option3;
  QGroupBox* Frame1;
  QList<QRadioButton*> choixpériode;  // P1, P2... puis E1, E2...
  QGroupBox* Cadre2;
  QCheckBox* Coche1;
  QCheckBox* Coche2;
  QCheckBox* Coche3;
  QCheckBox* Coche4;
  QCheckBox* Coche5;
  QCheckBox* coche6;
  QCheckBox* coche7;
  QPushButton* cmdaperçu;
  QListWidget* Liste1;
  QListWidget* Liste2;
  QPushButton* cmdok;
  QPushButton* cmdannuler;
  QPushButton* Command1;

  QString périodeàimprimer;
  int modesélection = 1;
  Tableau<int> classesàimprimer;

private:
  void créerboutonspériodes();
  void remplirsélection();
  void imprimerclasse(int c, Imprimante& i, const QString& périodegardée, bool& chargée);
  QButtonGroup* groupeclasses_;
  QButtonGroup* groupepériodes_;
  QGridLayout* grillepériodes_;
  TravailImpression travail_;
};
