#pragma once
// Renseignements d'une classe déjà entrée : nom du cours, maximum des périodes,
// nombre d'examens et leurs maxima. Un maximum changé fait recalculer et récrire
// chaque fichier des notes qu'il touche.

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "socle/fenetre.h"

class FenetreRensClasse : public Fenetre {
public:
  FenetreRensClasse();

  void Form_Load() override;
  void cours_DblClick();
  // Vrai quand le cours a été renommé depuis l'ouverture : la liste des classes
  // l'enregistre alors, même si la fenêtre est fermée par Annuler.
  bool courschangé() const { return courschangé_; }
  void cmdmaxper_Click();
  void cmdexa_Click();
  void listemaxexa_DblClick();
  void cmdannuler_Click();
  void cmdok_Click();

  QLabel* etiqnomclasse;
  QLabel* classe;
  QLabel* Etiquette2;
  QLabel* cours;
  QPushButton* cmdmaxper;
  QLabel* maximumpériode;
  QPushButton* cmdexa;
  QLabel* nombreexamens;
  QListWidget* listemaxexa;
  QPushButton* cmdok;
  QPushButton* cmdannuler;

protected:
  bool eventFilter(QObject* objet, QEvent* évènement) override;

private:
  bool courschangé_ = false;
};
