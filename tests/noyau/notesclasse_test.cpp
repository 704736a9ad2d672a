#include <gtest/gtest.h>

#include <QDir>

#include "tests/outils/impressionqt.h"

#include "noyau/base/etat.h"
#include "noyau/fichiers/notesclasse.h"
#include "noyau/regles/resultats.h"
#include "plateforme/fichiers.h"
#include "plateforme/services.h"
#include "tests/outils/essai.h"

namespace {

const QStringList maxima{" 1", " 20", " 50", "060% -> Nombres", "040% -> Géométrie"};

const QStringList notesP1{
    " 3", " 3", " 2", " 4",
    "Dupont Élodie/12/A/7.5/ 2/ 10/ 8.5/01.10 - Récitation/ 1/ 5/ 2/03.10 - Calcul mental/ 2", " 70/ 80/ 14/ 2/",
    "Durand Paul/AI/NC/8/ 0", "?",
    "Martin Léa/7.5/14/3.25/ 0", "12",
    "060% -> Nombres", "040% -> Géométrie"};

const QStringList interrosP1{" 15", "12/09/2026", "Fractions", " 1", " 20", "19/09/2026", "Aires", " 2",
                             " 10", "26/09/2026", "Pourcentages", " 1"};

class NotesClasse : public EssaiDonnees {
protected:
  void SetUp() override {
    EssaiDonnees::SetUp();
    ouvrir(QStringLiteral("P1"));
    deuxdisques(QStringLiteral("5A131\\5A131.MPE"), maxima);
  }
  void ouvrir(const QString& clé) {
    état().nbclasses = 1;
    état().dossierclasse.redim(2);
    état().dossierclasse[1] = QStringLiteral("5A131");
    état().nomclasse.redim(2);
    état().dernièrepériode.redim(2);
    état().nbexamenscréés.redim(2);
    état().classecourante = 1;
    état().périodecourante = clé;
  }
};

TEST_F(NotesClasse, ChargementCompletEtStatistiques) {
  deuxdisques(QStringLiteral("5A131\\5A131.P1N"), notesP1);
  deuxdisques(QStringLiteral("5A131\\5A131.P1R"), interrosP1);
  chargerclasse();
  const ÉtatPartagé& é = état();
  ASSERT_EQ(é.nbélèves, 3);
  EXPECT_EQ(é.nbinterros, 3);
  EXPECT_EQ(é.premièreinterro, 4);
  EXPECT_EQ(é.maxcourant, 20);
  EXPECT_EQ(é.nomélève[1], QStringLiteral("Dupont Élodie"));
  EXPECT_EQ(é.noteinterro(1, 2), QStringLiteral("A"));
  EXPECT_EQ(é.noteinterro(3, 3), QStringLiteral("3.25"));
  EXPECT_EQ(é.nbnotesorales[1], 2);
  EXPECT_EQ(é.maxorale(1, 2), 5);
  EXPECT_DOUBLE_EQ(é.noteorale(1, 1), 8.5);
  EXPECT_EQ(é.libelléorale(1, 2), QStringLiteral("03.10 - Calcul mental"));
  EXPECT_EQ(é.compétenceorale(1, 2), 2);
  EXPECT_EQ(é.nbnotesorales[2], 0);
  EXPECT_EQ(é.matièreinterro[2], QStringLiteral("Aires"));
  EXPECT_EQ(é.compétenceinterro[2], 2);

  // Les trois formes de la ligne des résultats.
  EXPECT_EQ(é.totalélève[1], QStringLiteral(" 14"));
  EXPECT_EQ(é.pourcentcompétence(1, 2), 80);
  EXPECT_EQ(é.préparationsnonfaites[1], 2);
  EXPECT_EQ(é.totalélève[2], QStringLiteral("?"));
  EXPECT_EQ(é.pourcentcompétence(2, 1), 0);
  EXPECT_EQ(é.totalélève[3], QStringLiteral("12"));
  EXPECT_EQ(é.pourcentcompétence(3, 1), 60);

  // test 1 sur 15 : 12, AI (compte 0 et échoue), 7,5 (pas sous la moitié).
  // test 2 sur 20 : A et NC ne comptent pas. test 3 sur 10 : 6,25 s'arrondit à 6,2.
  const QList<double> moyennes{6.5, 14, 6.2, 13};
  const QList<int> échecs{1, 0, 1, 0};
  const QList<int> comptes{3, 1, 3, 2};
  for (int k = 1; k <= 4; ++k) {
    EXPECT_DOUBLE_EQ(é.moyenneinterro[k], moyennes[k - 1]) << k;
    EXPECT_EQ(é.échecsinterro[k], échecs[k - 1]) << k;
    EXPECT_EQ(é.nbnotesinterro[k], comptes[k - 1]) << k;
  }
}

TEST_F(NotesClasse, SauvegardeOctetPourOctet) {
  const QStringList canonique{
      " 2", " 2", " 1", " 1",
      "Dupont Élodie/12/A/ 1/ 10/ 8.5/01.10 - Récitation/ 1", " 85/ 0/ 17/ 3/",
      "Durand Paul/AI/NC/ 0", "-1/-1/?/ 0/",
      "060% -> Nombres", "040% -> Géométrie"};
  deuxdisques(QStringLiteral("5A131\\5A131.P1N"), canonique);
  deuxdisques(QStringLiteral("5A131\\5A131.P1R"), {" 20", "12/09/2026", "Fractions", " 1", " 20", "13/09", "Aires", " 2"});
  chargerclasse();
  const ÉtatPartagé avant = état();
  sauverclasse();
  EXPECT_EQ(lire(disquedur(QStringLiteral("5A131\\5A131.P1N"))), crlf(canonique));
  chargerclasse();
  EXPECT_TRUE(avant == état());
}

TEST_F(NotesClasse, ResultatsCalculesPuisEnregistres) {
  deuxdisques(QStringLiteral("5A131\\5A131.P1N"), notesP1);
  deuxdisques(QStringLiteral("5A131\\5A131.P1R"), interrosP1);
  chargerclasse();
  for (int i = 1; i <= état().nbélèves; ++i) calculerrésultats(i);
  sauverclasse();
  const QStringList lignes = lirefichier(disquedur(QStringLiteral("5A131\\5A131.P1N")));
  // Dupont : Nombres 12 + 7,5 + 8,5 sur 35, Géométrie 2 sur 5 ; Durand : AI et 8 sur 25.
  EXPECT_EQ(lignes[5], QStringLiteral(" 80/ 40/ 13/ 2/"));
  EXPECT_EQ(lignes[7], QStringLiteral(" 32/-1/ 6/ 0/"));
  EXPECT_EQ(lignes[9], QStringLiteral(" 43/ 70/ 11/ 0/"));
}

TEST_F(NotesClasse, SansTestNiNoteOraleMoinsUnPartout) {
  deuxdisques(QStringLiteral("5A131\\5A131.P2N"), {" 2", " 0", " 0", " 4", "Dupont", "?", "Durand", "?", "060% -> Nombres", "040% -> Géométrie"});
  ouvrir(QStringLiteral("P2"));
  chargerclasse();
  état().pourcentcompétence(1, 1) = 55;
  sauverclasse();
  EXPECT_EQ(lire(disquedur(QStringLiteral("5A131\\5A131.P2N"))),
            crlf({" 2", " 0", " 0", " 4", "Dupont", "-1/-1/?/ 0/", "Durand", "-1/-1/?/ 0/", "060% -> Nombres",
                  "040% -> Géométrie"}));
}

TEST_F(NotesClasse, ExamenEtMaximumNul) {
  deuxdisques(QStringLiteral("5A131\\5A131.E1N"), {" 1", " 0", " 0", " 1", "Dupont", "30"});
  ouvrir(QStringLiteral("E1"));
  chargerclasse();
  EXPECT_EQ(état().maxcourant, 50);
  EXPECT_EQ(état().pourcentcompétence(1, 1), 60);
  EXPECT_EQ(état().listecompétences[2], QStringLiteral("040% -> Géométrie"));  // celles du fichier des maxima

  // Un examen sur 0 : pas de division par zéro, le résultat est gardé.
  deuxdisques(QStringLiteral("5A131\\5A131.MPE"), {" 1", " 20", " 0"});
  QFile::remove(disquedur(QStringLiteral("fichiersentrés.txt")));
  chargerclasse();
  EXPECT_EQ(état().pourcentcompétence(1, 1), -1);
  EXPECT_EQ(état().totalélève[1], QStringLiteral("30"));
}

TEST_F(NotesClasse, ExamenSansMaximumEstUneErreur) {
  deuxdisques(QStringLiteral("5A131\\5A131.E2N"), {" 1", " 0", " 0", " 1", "Dupont", "?"});
  ouvrir(QStringLiteral("E2"));
  boîtes.répondre(ANNULER);
  EXPECT_THROW(chargerclasse(), ProgrammeTerminé);
  ASSERT_EQ(boîtes.montrées().size(), 1);
  EXPECT_EQ(boîtes.montrées()[0].titre, QStringLiteral("Erreur pour ") + QDir::toNativeSeparators(disquedur(QStringLiteral("5A131\\5A131.E2N"))) + QStringLiteral(" !"));
  EXPECT_TRUE(boîtes.montrées()[0].texte.contains(QStringLiteral("L'examen n°2")));
}

TEST_F(NotesClasse, PasDeCalculNeLitQueLesResultats) {
  deuxdisques(QStringLiteral("5A131\\5A131.P1N"), notesP1);
  état().noteinterro.redim(1, 1);
  état().noteinterro(1, 1) = QStringLiteral("intact");
  état().pascalcul = 1;
  chargerclasse();  // sans fichier d'interrogations : il n'est pas lu
  EXPECT_EQ(état().totalélève[1], QStringLiteral(" 14"));
  EXPECT_EQ(état().noteinterro(1, 1), QStringLiteral("intact"));
}

TEST_F(NotesClasse, LigneTropCourteRepeteSonDernierChamp) {
  deuxdisques(QStringLiteral("5A131\\5A131.P1N"), {" 1", " 3", " 0", " 1", "Petit/12", " 50/ 50/ 10/ 0/"});
  deuxdisques(QStringLiteral("5A131\\5A131.P1R"), interrosP1);
  chargerclasse();
  for (int k = 1; k <= 3; ++k) EXPECT_EQ(état().noteinterro(1, k), QStringLiteral("12")) << k;

  const std::pair<const char*, QStringList> cas[] = {
      {"a/b/c", {"a", "b", "c", "c"}},
      {"a/", {"a", "", ""}},
      {"", {"", ""}},
      {"seul", {"seul", "seul"}},
      {"/x", {"", "x", "x"}},
  };
  for (const auto& [ligne, champs] : cas) {
    état().reste = QString::fromUtf8(ligne);
    QStringList lus;
    for (qsizetype n = 0; n < champs.size(); ++n) lus.append(champsuivant());
    EXPECT_EQ(lus, champs) << ligne;
  }
}

TEST_F(NotesClasse, ReconstructionDeLaLigne) {
  ÉtatPartagé& é = état();
  é.nbélèves = 1;
  é.nbinterros = 2;
  é.nomélève.redim(2);
  é.nomélève[1] = QStringLiteral("Dupont");
  é.noteinterro.redim(2, 3);
  é.noteinterro(1, 1) = QStringLiteral("12");
  é.noteinterro(1, 2) = QStringLiteral("A");
  é.ligneélève.redim(2);
  é.nbnotesorales.redim(2);
  é.nborales = 0;
  reconstruireligne(1);
  EXPECT_EQ(é.ligneélève[1], QStringLiteral("Dupont/12/A"));
  é.nborales = 1;
  reconstruireligne(1);
  EXPECT_EQ(é.ligneélève[1], QStringLiteral("Dupont/12/A/ 0"));
  é.nbnotesorales[1] = 1;
  é.maxorale.redim(2, 2);
  é.noteorale.redim(2, 2);
  é.libelléorale.redim(2, 2);
  é.compétenceorale.redim(2, 2);
  é.maxorale(1, 1) = 10;
  é.noteorale(1, 1) = 7.5;
  é.libelléorale(1, 1) = QStringLiteral("05.10 - Exposé");
  é.compétenceorale(1, 1) = 2;
  reconstruireligne(1);
  EXPECT_EQ(é.ligneélève[1], QStringLiteral("Dupont/12/A/ 1/ 10/ 7.5/05.10 - Exposé/ 2"));
}

}  // namespace
