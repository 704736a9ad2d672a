#include <gtest/gtest.h>

#include "tests/outils/impressionqt.h"

#include <QDir>

#include "noyau/base/dossiers.h"
#include "noyau/base/etat.h"
#include "noyau/base/module.h"
#include "noyau/demo/demo.h"
#include "noyau/fichiers/listeclasses.h"
#include "noyau/fichiers/notesclasse.h"
#include "noyau/fichiers/renseignements.h"
#include "noyau/regles/explication.h"
#include "noyau/regles/resultats.h"
#include "noyau/fichiers/classeurlu.h"
#include "noyau/sorties/classeur.h"
#include "plateforme/fichiers.h"
#include "plateforme/nombres.h"
#include "tests/outils/essai.h"

namespace {

bool vérifierpoidssilencieux() {
  int somme = 0;
  for (int j = 1; j <= état().nbcompétences(); ++j) somme += poidscompétence(état().listecompétences[j]);
  return somme == 100;
}

class Demo : public EssaiDonnees {
protected:
  // Ouvre l'année de démonstration comme le ferait le démarrage.
  void ouvrirannée() {
    réinitialiserétat();
    état().dossierracine = racine;
    lirerenseignements();
    ouvrirannéepardéfaut();
  }
};

TEST_F(Demo, AnneeCompleteEtResultatsRecalcules) {
  créerannéedémo(racine);
  EXPECT_FALSE(existe(disquedur(QStringLiteral("listebck.txt"))));
  EXPECT_FALSE(existe(disquedur(QStringLiteral("fichiersentrés.txt"))));
  ouvrirannée();
  ÉtatPartagé& é = état();
  EXPECT_EQ(é.annéescolaire, QStringLiteral("26"));  // l'horloge des essais est en septembre 2026
  ASSERT_EQ(é.nbclasses, 5);
  EXPECT_EQ(é.nomclasse[1], QStringLiteral("3D"));  // dans l'ordre des noms
  EXPECT_EQ(é.nomclasse[3], é.nomclasse[4]);
  EXPECT_NE(é.nomcours[3], é.nomcours[4]);
  EXPECT_EQ(é.dossierclasse[4], QStringLiteral("5A262"));

  int absences = 0, demipoints = 0, orales = 0, préparations = 0, vides = 0;
  for (int c = 1; c <= é.nbclasses; ++c) {
    é.classecourante = c;
    EXPECT_EQ(é.dernièrepériode[c], 3);
    const int examens = é.nbexamenscréés[c];
    EXPECT_GE(examens, 1);
    for (int clé = 1; clé <= 3 + examens; ++clé) {
      fixerpériodecourante(clé <= 3 ? u'P' : u'E', clé <= 3 ? clé : clé - 3);
      chargerclasse();
      EXPECT_GE(é.nbcompétences(), 2);
      EXPECT_TRUE(vérifierpoidssilencieux());
      for (int i = 1; i <= é.nbélèves; ++i) {
        const QString enregistré = é.totalélève[i];
        QList<int> pourcents;
        for (int j = 1; j <= é.nbcompétences(); ++j) pourcents.append(é.pourcentcompétence(i, j));
        calculerrésultats(i);
        EXPECT_EQ(é.totalélève[i], enregistré) << qPrintable(é.nomélève[i]) << " " << qPrintable(é.périodecourante);
        for (int j = 1; j <= é.nbcompétences(); ++j) EXPECT_EQ(é.pourcentcompétence(i, j), pourcents[j - 1]);
        for (int k = 1; k <= é.nbinterros; ++k) {
          const QString& n = é.noteinterro(i, k);
          if (n == QStringLiteral("A") || n == QStringLiteral("AI") || n == QStringLiteral("NC")) ++absences;
          if (n.endsWith(QStringLiteral(".5"))) ++demipoints;
          if (n.isEmpty()) ++vides;
        }
        orales += é.nbnotesorales[i];
        préparations += é.préparationsnonfaites[i];
      }
    }
  }
  EXPECT_GT(absences, 10);
  EXPECT_GT(demipoints, 10);
  EXPECT_GT(orales, 20);
  EXPECT_GT(préparations, 5);
  EXPECT_EQ(vides, 0);
  EXPECT_TRUE(boîtes.montrées().isEmpty());  // copies amovibles identiques : aucune question
}

// Chaque résultat enregistré de l'année, expliqué : le chiffre final et les
// pourcentages de l'explication sont ceux du fichier.
TEST_F(Demo, ExplicationsDeToutLAnnee) {
  créerannéedémo(racine);
  ouvrirannée();
  ÉtatPartagé& é = état();
  int expliqués = 0;
  for (int c = 1; c <= é.nbclasses; ++c) {
    é.classecourante = c;
    for (int clé = 1; clé <= 3 + é.nbexamenscréés[c]; ++clé) {
      fixerpériodecourante(clé <= 3 ? u'P' : u'E', clé <= 3 ? clé : clé - 3);
      chargerclasse();
      for (int i = 1; i <= é.nbélèves; ++i) {
        SCOPED_TRACE(qPrintable(é.nomélève[i] + u' ' + é.périodecourante));
        const Explication e = expliquerrésultat(i);
        const QString total = sansblancs(é.totalélève[i]);
        EXPECT_EQ(sansblancs(e.total), total);
        EXPECT_TRUE(e.texte.endsWith(QStringLiteral("Résultat : %1 / %2").arg(QString(total).replace(u'.', u',')).arg(é.maxcourant)));
        for (int j = 1; j <= é.nbcompétences(); ++j) {
          const int p = é.pourcentcompétence(i, j);
          EXPECT_EQ(e.pourcents.value(j - 1), p);
          EXPECT_TRUE(expliquercompétence(i, j).texte.endsWith(
              p == -1 ? QStringLiteral("Pourcentage : ?") : QStringLiteral("Pourcentage : %1 %").arg(p)));
        }
        ++expliqués;
      }
    }
  }
  EXPECT_GT(expliqués, 300);
}

TEST_F(Demo, ClasseDeMesureALaTailleDemandee) {
  créerclassedemesure(racine, {12, 7, 3, 3, 2, 1});
  chargerclasse();
  EXPECT_EQ(état().nbélèves, 12);
  EXPECT_EQ(état().nbinterros, 7);
  EXPECT_EQ(état().nbcompétences(), 3);
  EXPECT_EQ(état().nborales, 3);
  EXPECT_EQ(état().dernièrepériode[1], 2);
  EXPECT_EQ(état().nbexamenscréés[1], 1);
  EXPECT_TRUE(vérifierpoidssilencieux());
}

}  // namespace

// Un classeur dans « Documents/Élèves/Łódź » : des lettres que la page ANSI de
// Windows n'a pas (libxlsxwriter ouvre ses fichiers par fopen) ; sous Wine comme
// sous Linux, le classeur est écrit entier, relu, et aucun fichier de travail ne reste.
TEST_F(Demo, ClasseurDansUnDossierAuxLettresHorsDeWindows1252) {
  créerannéedémo(racine);
  ouvrirannée();
  état().classecourante = 1;
  fixerpériodecourante(u'P', 1);
  chargerclasse();
  const QString dossier = temporaire.path() + QStringLiteral("/Documents/Élèves/Łódź");
  ASSERT_TRUE(QDir().mkpath(dossier));
  const QString chemin = dossier + QStringLiteral("/Classe 3D — Łukasz.xlsx");
  écrireclasseur(chemin);
  const TableauLu feuille = premièrefeuille(lireoctets(chemin));
  bool élèvetrouvé = false;
  for (const QStringList& ligne : feuille) élèvetrouvé = élèvetrouvé || ligne.contains(état().nomélève[1]);
  EXPECT_TRUE(élèvetrouvé) << "le premier élève n'est pas dans le classeur relu";
  EXPECT_EQ(QDir(dossier).entryList(QDir::Files), QStringList{QStringLiteral("Classe 3D — Łukasz.xlsx")});
}
