#pragma once
// Fenêtre de bienvenue : choix de l'utilisateur, renseignements par défaut, puis
// la préparation de la session ("Continuer").

#include <QLabel>
#include <QPushButton>

#include "socle/fenetre.h"

class FenetreBienvenue : public Fenetre {
public:
  FenetreBienvenue();

  void Form_Load() override;
  void Label6_DblClick();
  void cmdrensdef_Click();
  void Command2_Click();
  void Command1_Click();
  // Vrai quand "Continuer" a préparé la session : la liste des classes prend la suite.
  bool sessionprête() const { return sessionprête_; }

  QPushButton* Command1;
  QPushButton* Command2;
  QPushButton* cmdrensdef;
  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label3;
  QLabel* Label5;
  QLabel* Label6;
  QLabel* étiqutilisateur;
  QLabel* lblProductName;
  QLabel* Label4;
  QLabel* imgLogo;

private:
  void récupérerfinanormale();
  bool sessionprête_ = false;
};
