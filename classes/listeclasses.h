#pragma once
// Liste des classes de l'année : ouvrir une classe, en ajouter, en supprimer,
// changer d'année, créer une période ou un examen, quitter avec la sauvegarde.

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "socle/fenetre.h"

class FenetreListeClasses : public Fenetre {
public:
  FenetreListeClasses();

  void Form_Load() override;
  void Listeclasses_Click();
  int lignechoisie() const;
  void Listeclasses_DblClick();
  void Listeclasses_KeyDown(int codetouche);
  void Commande1_Click();
  void Commande2_Click();
  void Commande3_Click();
  void Commande4_Click();
  void cmdrens_Click();
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();

  QListWidget* Listeclasses;
  QLabel* Label1;
  QLabel* Etiquette1;
  QLabel* Etiquette2;
  QPushButton* Commande1;
  QPushButton* Commande2;
  QPushButton* Commande3;
  QPushButton* Commande4;
  QPushButton* cmdrens;
  QPushButton* Command1;
  QPushButton* Command2;
  QPushButton* Command3;

protected:
  void closeEvent(QCloseEvent* e) override;
  void reject() override;

private:
  bool remplirliste();
  void ouvrirclasseetfeuille();
  bool demandernomclasse(QString& nom, int& suffixe, bool& existant);
  bool demandercours(const QString& nom, QString& cours);
  void créerclasse(const QString& nom, int suffixe, const QString& cours, bool nomexistant);
};

// Ligne de la liste pour la classe c : nom, tabulation, cours entre parenthèses.
QString lignedeclasse(int c);
