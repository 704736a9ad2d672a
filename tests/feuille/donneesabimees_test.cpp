// Un fichier de notes abîmé dans une autre période que celle de la feuille : chaque
// commande qui le charge montre la boîte (fichier et ligne), s'arrête sans rien
// écrire et laisse la feuille sur sa période ; le programme continue.

#include <gtest/gtest.h>

#include "tests/feuille/feuille_essai.h"

#include <QLineEdit>

#include "noyau/base/piege.h"
#include "noyau/regles/maintenance.h"
#include "noyau/regles/totaux.h"
#include "noyau/sorties/exports.h"
#include "noyau/sorties/fiche.h"

namespace {

class DonneesAbimees : public Feuille {};

TEST_F(DonneesAbimees, UneBoiteEtLaCommandeSArreteSansFinDuProgramme) {
  const QStringList élèvesP2{"Dupont Élodie", "-1/-1/?/ 1/", "Durand Paul", "-1/-1/?/ 0/", "Martin Léa", "-1/-1/?/ 0/"};
  struct Abîme {
    const char* nom;
    QStringList lignes;
    const char* ligne;  // la ligne que le message nomme
    bool lignesdesélèves;  // seules les lignes d'élèves sont abîmées : les totaux n'en lisent que les résultats
  };
  const Abîme abîmes[] = {
      {"nombre de notes orales hors limites", QStringList{" 3", " 0", " 99999", " 4"} + élèvesP2, "ligne 3", false},
      {"nombre illisible", QStringList{" 3", " x", " 0", " 4"} + élèvesP2, "ligne 2", false},
      {"compte d'un élève hors limites",
       QStringList{" 3", " 0", " 1", " 4", "Dupont Élodie/ 99999", "-1/-1/?/ 1/", "Durand Paul/ 0", "-1/-1/?/ 0/",
                   "Martin Léa/ 0", "-1/-1/?/ 0/"},
       "ligne 5", true},
  };
  const std::pair<const char*, std::function<void()>> commandes[] = {
      // en premier : sans erreur, elle ne montre rien (résultats seuls)
      {"totaux et classement", [] { rassemblertotaux(); }},
      {"moyenne d'une compétence", [] { moyennescompétence(1); }},
      {"fiche individuelle", [] { lignesfiche(1, {QStringLiteral("P1"), QStringLiteral("P2")}); }},
      {"élève ajouté", [] { préparerchaquepériode([] { ajouterélève(QStringLiteral("Nouveau")); }); }},
  };
  const QByteArray p1 = lire(disquedur(QStringLiteral("5A131\\5A131.P1N")));
  for (const Abîme& a : abîmes) {
    deuxdisques(QStringLiteral("5A131\\5A131.P2N"), a.lignes);
    for (const auto& [nom, commande] : commandes) {
      SCOPED_TRACE(std::string(a.nom) + " / " + nom);
      boîtes.oublier();
      if (a.lignesdesélèves && std::string(nom) == "totaux et classement") {
        EXPECT_NO_THROW(commande());
        EXPECT_TRUE(boîtes.montrées().isEmpty());
        continue;
      }
      boîtes.répondre(OK);
      EXPECT_THROW(commande(), CommandeArrêtée);
      ASSERT_EQ(boîtes.montrées().size(), 1u);
      EXPECT_TRUE(boîtes.montrées()[0].titre.endsWith(QStringLiteral("5A131.P2N !"))) << boîtes.montrées()[0].titre.toStdString();
      EXPECT_TRUE(boîtes.montrées()[0].texte.contains(QString::fromUtf8(a.ligne))) << boîtes.montrées()[0].texte.toStdString();
      // La feuille est revenue à P1, telle quelle ; rien n'a été écrit.
      EXPECT_EQ(état().périodecourante, QStringLiteral("P1"));
      EXPECT_EQ(état().nbinterros, 3);
      EXPECT_EQ(état().nomélève[3], QStringLiteral("Martin Léa"));
      EXPECT_EQ(état().pascalcul, 0);
      EXPECT_EQ(lire(disquedur(QStringLiteral("5A131\\5A131.P1N"))), p1);
      EXPECT_FALSE(existe(disquedur(QStringLiteral("listebck.txt"))));
    }
  }
  // Annuler dans la même boîte : la fin que l'utilisateur a choisie.
  boîtes.oublier();
  boîtes.répondre(ANNULER);
  EXPECT_THROW(moyennescompétence(1), ProgrammeTerminé);
}

}  // namespace

namespace {

// Une compétence qui n'existe pas dans la période ouverte (la note orale de Dupont
// renvoie à la compétence 9) : une note tapée, corrigée par la boîte ou collée
// s'arrête avec le fichier et la ligne nommés ; rien n'est écrit, le programme
// continue, et la note tapée reste dans l'éditeur pour être corrigée.
TEST_F(DonneesAbimees, ValeurAbimeeDansLaPeriodeOuverteSansFinDuProgramme) {
  rouvriravecp1(4, QStringLiteral("Dupont Élodie/12/A/7.5/ 1/ 10/ 7.5/01.10 - Récitation/ 9"));
  const QByteArray avant = lire(disquedur(QStringLiteral("5A131\\5A131.P1N")));
  const std::pair<const char*, std::function<void()>> chemins[] = {
      {"tapée dans la grille", [this] {
         choisir(3, 2);
         p.grille1->éditer(QStringLiteral("8"));
         p.grille1->finirédition(13);
       }},
      {"corrigée par la boîte", [this] {
         choisir(3, 2);
         boîtes.répondretexte(QStringLiteral("8"));
         p.grille1_KeyDown(13, 0);
       }},
      {"interro supprimée", [this] {
         choisir(3, 2);
         boîtes.répondre(OK);
         p.supprimer();
       }},
  };
  for (const auto& [nom, chemin] : chemins) {
    SCOPED_TRACE(nom);
    boîtes.oublier();
    EXPECT_NO_THROW(chemin());
    ASSERT_FALSE(boîtes.montrées().isEmpty());
    const BoiteMontrée& m = boîtes.montrées().last();  // après la boîte de saisie, s'il y en a une
    EXPECT_EQ(m.titre, QStringLiteral("Erreur !"));
    EXPECT_TRUE(m.texte.contains(QStringLiteral("compétence n°9"))) << m.texte.toStdString();
    if (std::string(nom) != "interro supprimée") {  // toute la classe : le fichier seul
      EXPECT_TRUE(m.texte.contains(QStringLiteral("ligne 5 de"))) << m.texte.toStdString();
    }
    EXPECT_EQ(état().nbinterros, 3);
    EXPECT_TRUE(m.texte.contains(QStringLiteral("5A131.P1N")));
    EXPECT_EQ(lire(disquedur(QStringLiteral("5A131\\5A131.P1N"))), avant);
    EXPECT_EQ(état().noteinterro(1, 1), QStringLiteral("12"));
    if (p.grille1->enédition()) {
      EXPECT_EQ(p.grille1->éditeur()->text(), QStringLiteral("8"));  // à corriger, pas perdue
      p.grille1->finirédition(27);
    }
  }
}

// Une valeur abîmée dans une autre période (la note orale de Dupont en P2 renvoie à
// la compétence 9) : un élève ajouté à chaque période s'arrête avec le fichier de P2
// nommé, rien n'est écrit, le sablier s'en va, la feuille reste sur P1.
TEST_F(DonneesAbimees, ValeurAbimeeDansUneAutrePeriodePourUnEleveAjoute) {
  deuxdisques(QStringLiteral("5A131\\5A131.P2N"),
              {" 3", " 0", " 1", " 4", "Dupont Élodie/ 1/ 10/ 7/01.10 - Poème/ 9", "-1/-1/?/ 1/", "Durand Paul/ 0",
               "-1/-1/?/ 0/", "Martin Léa/ 0", "-1/-1/?/ 0/", "060% -> Nombres", "040% -> Géométrie"});
  const QByteArray p1 = lire(disquedur(QStringLiteral("5A131\\5A131.P1N")));
  const QByteArray p2 = lire(disquedur(QStringLiteral("5A131\\5A131.P2N")));
  boîtes.répondretexte(QStringLiteral("Nouveau Élève"));
  boîtes.répondre(OK);
  EXPECT_NO_THROW(p.mnuajouternom_Click());
  ASSERT_EQ(boîtes.montrées().size(), 2);
  EXPECT_TRUE(boîtes.montrées()[1].texte.contains(QStringLiteral("compétence n°9"))) << boîtes.montrées()[1].texte.toStdString();
  EXPECT_TRUE(boîtes.montrées()[1].texte.contains(QStringLiteral("5A131.P2N"))) << boîtes.montrées()[1].texte.toStdString();
  EXPECT_EQ(lire(disquedur(QStringLiteral("5A131\\5A131.P1N"))), p1);
  EXPECT_EQ(lire(disquedur(QStringLiteral("5A131\\5A131.P2N"))), p2);
  EXPECT_EQ(état().périodecourante, QStringLiteral("P1"));
  EXPECT_EQ(état().nbélèves, 3);
  EXPECT_FALSE(boîtes.sablieractif());
}

}  // namespace
