#pragma once
// Fiche individuelle d'un élève : chaque période et examen coché, ses tests,
// notes orales, compétences et moyennes, puis les totaux ; imprimable.

#include <QCheckBox>
#include <QLabel>
#include <QList>
#include <QPushButton>

#include "noyau/sorties/graphiques.h"
#include "plateforme/qt/grille.h"
#include "plateforme/qt/vuefigure.h"
#include "socle/fenetre.h"

class QHBoxLayout;

class FenetreFiche : public Fenetre {
public:
  FenetreFiche();

  void Form_Load() override;
  void choixpériode_Click();
  void Check1_Click();
  void Command1_Click();
  void cmdquitte_Click();

  Grille* grille;
  VueFigure* graphique;  // résultats par période à côté de la classe, compétences
  QLabel* Label1;
  QList<QCheckBox*> choixpériode;  // une par période et par examen de la classe
  QCheckBox* Check1;
  QPushButton* Command1;
  QPushButton* cmdquitte;

protected:
  void reject() override { cmdquitte_Click(); }

private:
  void créercases();
  void construire();
  void fabriquergrille();
  QStringList clésmontrées() const;
  int élève_ = 0;
  bool changementdetout_ = false;
  QHBoxLayout* cases_;
  DonnéesGraphiqueFiche donnéesgraphique_;
};
