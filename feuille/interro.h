#pragma once
// Interrogation écrite : date, matière, compétence, maximum et une note par élève,
// avec les résultats de la classe au fil de la frappe.

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "feuille/histogramme.h"
#include "plateforme/qt/grille.h"
#include "socle/fenetre.h"

class FenetreInterro : public Fenetre {
public:
  FenetreInterro();

  void Form_Load() override;
  void listedesnotes();
  void casecouleur(QString texte, int maximum);
  void cmddate_Click();
  void affichedate_Click(const QDate& date);
  void cmdmatière_Click();
  void Command1_Click();
  void cmdnotes_Click();
  void tableau_Click();
  void cmdok_Click();
  void cmdannuler_Click();
  void cmdimprimer_Click();

  // Notes en cours de frappe ("" : pas encore entrée), élèves 1..nbélèves.
  QStringList notesinterro;
  int nbnotescomptées = 0;
  double meilleurenote = 0, moinsbonnenote = 0, sommenotes = 0;
  int nbéchecsinterro = 0;

  QLabel* Etiquette3;
  QLabel* numérointerro;
  QPushButton* cmddate;
  QLabel* dateinterrogation;
  QCalendarWidget* affichedate;
  QPushButton* cmdmatière;
  QLabel* matièreinterrogation;
  QLabel* Label1;
  QComboBox* choixcompétence;
  QPushButton* Command1;
  QLabel* maximum;
  QCheckBox* prop;
  Grille* tableau;
  QPushButton* cmdnotes;
  QPushButton* cmdok;
  QPushButton* cmdannuler;
  QPushButton* cmdimprimer;
  QLabel* étiqmeilleure;
  QLabel* étiqmauvaise;
  QLabel* étiqmoyenne;
  QLabel* étiqéchecs;
  QLabel* étiqcomptées;
  QLabel* étiqmédiane;
  QLabel* étiqécarttype;
  Histogramme* histogramme;

protected:
  void closeEvent(QCloseEvent* e) override;
  void reject() override { cmdannuler_Click(); }

private:
  int maximumcourant() const;
  void nommerpourleslecteurs();
  void annulersansquestion();
  void préparercompétencenouvelle(int n);
  bool terminée_ = false;
};

// Demande le maximum de l'interrogation numéro (texte déjà formé) ; un nombre
// entier d'au moins 1 (et de 16 bits), redemandé sinon ; 0 pour une réponse vide.
int demandermaximum(const QString& numéro);
