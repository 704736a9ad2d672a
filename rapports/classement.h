#pragma once
// Classement des élèves de la classe ouverte : points de l'année à l'ouverture,
// ceux de la période ouverte sur demande, dans un sens ou dans l'autre.

#include <QPushButton>

#include "noyau/regles/classement.h"
#include "plateforme/qt/grille.h"
#include "socle/fenetre.h"

class FenetreClassement : public Fenetre {
public:
  FenetreClassement();

  void Form_Load() override;
  void Commande3_Click();  // Période
  void Command1_Click();   // Inverser
  void Commande2_Click();  // Imprimer
  void Commande1_Click();  // Quitter

  Grille* grille1;
  QPushButton* Command1;
  QPushButton* Commande3;
  QPushButton* Commande2;
  QPushButton* Commande1;

private:
  void préparergrille();
  void remplir(const QList<Classé>& ordre);
  QString titreduclassement() const;
  QList<Classé> classés_;  // du meilleur au moins bon
  bool surlannée_ = true;
};
