#pragma once
// Nouvelle classe : élèves (tapés, corrigés, importés), compétences et leurs
// poids, nombre d'examens et leurs maxima, maximum des périodes.

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "socle/fenetre.h"

class FenetreNouvelleClasse : public Fenetre {
public:
  FenetreNouvelleClasse();

  void Form_Load() override;
  void cmdajouter_Click();
  void listenom_DblClick();
  void listenom_KeyDown(int codetouche);
  void cmdsupprimer_Click();
  void Command1_Click();
  void listecompétences_DblClick();
  void Ajoutercompétence_Click();
  void cmdexa_Click();
  void listemaxexa_DblClick();
  void cmdmaxper_Click();
  void cmdprofil_Click();
  void cmdannuler_Click();
  void cmdok_Click();

  QLabel* classe;
  QLabel* cours;
  QLabel* etiqnomclasse;
  QLabel* Etiquette2;
  QListWidget* listenom;
  QLabel* nbeleves;
  QLabel* Etiquette1;
  QPushButton* cmdajouter;
  QPushButton* cmdsupprimer;
  QPushButton* Command1;
  QListWidget* listecompétences;
  QPushButton* Ajoutercompétence;
  QLabel* Label2;
  QPushButton* cmdexa;
  QLabel* nombreexamens;
  QListWidget* listemaxexa;
  QPushButton* cmdmaxper;
  QLabel* maximumpériode;
  QPushButton* cmdprofil;
  QPushButton* cmdok;
  QPushButton* cmdannuler;

protected:
  void closeEvent(QCloseEvent* e) override;
  void reject() override;

private:
  void ajouterélève(const QString& nom);
  void importertexte(const QString& fichier);
  void afficherélèves();
  bool terminée_ = false;
};
