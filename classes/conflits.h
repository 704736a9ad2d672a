#pragma once
// Conflits d'une fusion : chaque valeur changée autrement sur les deux ordinateurs,
// avec les deux valeurs et quand elles ont été tapées ; le professeur garde
// celle-ci ou celle-là, ligne par ligne ou pour toutes. Annuler ne fusionne rien :
// cet ordinateur garde sa copie.

#include "socle/fenetre.h"

class QLabel;
class QTableWidget;

class FenetreConflits : public Fenetre {
public:
  FenetreConflits();
  void Form_Load() override;

  int nombrelignes() const;
  QString texte(int ligne, int colonne) const;
  bool gardelà(int ligne) const;
  void choisir(int ligne, bool là);
  void toutgarder(bool là);
  void ok_Click();
  void annuler_Click();

  enum Colonne { Période, Élève, Quoi, Ici, Là, GarderIci, GarderLà, NombreColonnes };

private:
  QLabel* explication_;
  QTableWidget* table_;
};
