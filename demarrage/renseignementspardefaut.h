#pragma once
// Fenêtre des renseignements par défaut : année, périodes, maxima, compétences,
// disque amovible, interrupteurs et taille de l'écran.

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "socle/fenetre.h"

class FenetreRenseignements : public Fenetre {
public:
  FenetreRenseignements();

  void Form_Load() override;
  void corannéescolaire_Click();
  void cornombrepériodes_Click();
  void corpmax_Click();
  void Command1_Click();
  void Command2_Click();
  void casedemi_Click();
  void cmdok_Click();
  void cmdannuler_Click();
  void valeursdites();
  bool redémarrer() const { return redémarrer_; }

  QLabel* annéescolaire;
  QPushButton* corannéescolaire;
  QLabel* nombrepériode;
  QPushButton* cornombrepériodes;
  QLabel* pmax;
  QPushButton* corpmax;
  QLabel* Etiquette4;
  QLabel* Label1;
  QListWidget* listecompétences;
  QPushButton* Command1;
  QLabel* lecteurdisquette;
  QPushButton* Command2;
  QCheckBox* préparation;
  QCheckBox* casedemi;
  QCheckBox* Check1;
  QGroupBox* Frame1;
  QRadioButton* Option1;
  QRadioButton* Option2;
  QRadioButton* Option3;
  QPushButton* cmdok;
  QPushButton* cmdannuler;

private:
  bool depuisbienvenue() const;
  bool redémarrer_ = false;
};
