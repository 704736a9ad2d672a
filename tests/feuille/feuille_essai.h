#pragma once
// Banc d'essai de la feuille principale : une classe 5A de trois élèves, deux
// compétences, trois tests et deux notes orales en P1, une P2 sans test.

#include "tests/outils/impressionqt.h"

#include "feuille/interro.h"
#include "feuille/principale.h"
#include "noyau/base/etat.h"
#include "noyau/fichiers/listeclasses.h"
#include "noyau/fichiers/notesclasse.h"
#include "plateforme/fichiers.h"
#include "socle/registre.h"
#include "tests/outils/essai.h"

inline const QStringList notesP1{
    " 3", " 3", " 1", " 1",
    "Dupont Élodie/12/A/7.5/ 1/ 10/ 7.5/01.10 - Récitation/ 1", " 80/ 40/ 13/ 2/",
    "Durand Paul/AI/NC/8/ 0", " 32/-1/ 6/ 0/",
    "Martin Léa/9.5/14/10/ 1/ 10/ 4/02.10 - Calcul/ 2", " 49/ 50/ 10/ 0/",
    "060% -> Nombres", "040% -> Géométrie"};
inline const QStringList interrosP1{" 20", "12/09/2026", "Fractions", " 1", " 20", "19/09/2026", "Aires", " 2",
                             " 10", "26/09/2026", "Pourcentages", " 1"};

class Feuille : public EssaiDonnees {
protected:
  void SetUp() override {
    EssaiDonnees::SetUp();
    ÉtatPartagé& é = état();
    é.préparations = VRAI;
    deuxdisques(QStringLiteral("listclas.13"), {" 1", "5A", "Mathématique", "5A131", " 2", " 0"});
    lirelisteclasses();
    é.listeclassesaffichées.redim(2);
    é.listeclassesaffichées[1] = QStringLiteral("5A");
    é.classecourante = 1;
    é.périodecourante = QStringLiteral("P1");
    deuxdisques(QStringLiteral("5A131\\5A131.MPE"), {" 1", " 20", " 50"});
    deuxdisques(QStringLiteral("5A131\\5A131.P1N"), notesP1);
    deuxdisques(QStringLiteral("5A131\\5A131.P1R"), interrosP1);
    deuxdisques(QStringLiteral("5A131\\5A131.P2N"), {" 3", " 0", " 0", " 4", "Dupont Élodie", "-1/-1/?/ 1/", "Durand Paul",
                                                   "-1/-1/?/ 0/", "Martin Léa", "-1/-1/?/ 0/", "060% -> Nombres",
                                                   "040% -> Géométrie"});
    chargerclasse();
    p.Form_Load();
  }
  void TearDown() override {
    oublierfenêtres();
    EssaiDonnees::TearDown();
  }
  QString texte(int l, int c) { return p.grille1->modèle().cellule(l, c).texte; }
  // La classe rouverte avec une ligne de son fichier de la période 1 remplacée.
  void rouvriravecp1(int ligne, const QString& texte) {
    QStringList p1 = notesP1;
    p1[ligne] = texte;
    deuxdisques(QStringLiteral("5A131\\5A131.P1N"), p1);
    chargerclasse();
    p.Form_Load();
  }
  int couleur(int l, int c) { return p.grille1->modèle().cellule(l, c).avant; }
  // Une nouvelle interrogation sur 20 : 16, A et NC, la deuxième compétence, le 05/10/2026.
  void nouvelleinterro() {
    surfenêtre = [](const QString&) {
      FenetreInterro& f = fenêtreinterro();
      f.Form_Load();
      f.notesinterro = QStringList{QString(), "16", "A", "NC"};
      f.choixcompétence->setCurrentIndex(1);
      f.dateinterrogation->setText(QStringLiteral("05/10/2026"));
      f.cmdok_Click();
    };
    boîtes.répondretexte(QStringLiteral("20"));
    p.mnunouvie_Click();
    surfenêtre = nullptr;
  }
  void choisir(int l, int c) {
    p.grille1->Row(l);
    p.grille1->Col(c);
    p.grille1_Click();
  }
  FenetrePrincipale& p = principale();
};
