#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QClipboard>
#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include "tests/feuille/feuille_essai.h"

#include "noyau/regles/collage.h"

namespace {

const QString P1N = QStringLiteral("5A131\\5A131.P1N");

class SaisieGrille : public Feuille {
protected:
  // Tape texte sur la case (ligne, colonne), puis la touche de fin.
  void taper(int ligne, int colonne, const QString& texte, int touche) {
    choisir(ligne, colonne);
    ASSERT_TRUE(p.frappedanslagrille(texte.left(1)));
    ASSERT_TRUE(p.grille1->enédition());
    p.grille1->éditeur()->setText(texte);
    p.grille1->finirédition(touche);
  }
  QString enregistrée(int ligne) { return lirefichier(disquedur(P1N))[2 * ligne + 2].section(u'/', 1, 1); }
};

// De vraies touches : "15" puis Entrée sur la case du premier test enregistrent la
// note et descendent d'une ligne, dans la même colonne.
TEST_F(SaisieGrille, ToucheEntreeDescendDansLaMemeColonne) {
  // Une fenêtre active, comme sur un vrai bureau : l'éditeur a vraiment le focus.
  p.show();
  QApplication::setActiveWindow(&p);
  choisir(3, 2);
  p.grille1->setFocus();
  const auto frapper = [](QWidget* w, int touche, const QString& texte) {
    QKeyEvent appui(QEvent::KeyPress, touche, Qt::NoModifier, texte);
    QCoreApplication::sendEvent(w, &appui);
    QKeyEvent relâche(QEvent::KeyRelease, touche, Qt::NoModifier, texte);
    QCoreApplication::sendEvent(w, &relâche);
  };
  frapper(p.grille1, Qt::Key_1, QStringLiteral("1"));
  ASSERT_TRUE(p.grille1->enédition());
  frapper(p.grille1->éditeur(), Qt::Key_5, QStringLiteral("5"));
  frapper(p.grille1->éditeur(), Qt::Key_Return, QStringLiteral("\r"));
  QCoreApplication::processEvents();
  EXPECT_EQ(état().noteinterro(1, 1), QStringLiteral("15"));
  EXPECT_EQ(p.grille1->Row(), 4);
  EXPECT_EQ(p.grille1->Col(), 2);
}

// Une note tapée sur place passe par le contrôle de la boîte de saisie, la virgule
// lue comme un point (comme un collage) ; Entrée
// descend à l'élève suivant (pas au-delà du dernier), Tab passe au test suivant,
// Échap laisse la note ; un texte refusé reste dans l'éditeur.
TEST_F(SaisieGrille, TaperUneNoteSurPlace) {
  QAbstractItemModelTester testeur(const_cast<ModeleGrille*>(&p.grille1->modèle()),
                                   QAbstractItemModelTester::FailureReportingMode::Fatal);
  struct Cas {
    int ligne;
    const char* tapé;
    int touche;
    const char* stockée;  // la note de Dupont (ligne 3) ou de Martin (ligne 5) au test 1 ensuite
    bool refusée;
    int lignesuivante, colonnesuivante;
  };
  const Cas cas[] = {
      {3, "14", 13, "14", false, 4, 2},   {3, "12.5", 9, "12.5", false, 3, 3}, {3, "a", 13, "A", false, 4, 2},
      {3, "nc", 13, "NC", false, 4, 2},   {3, "12,5", 13, "12.5", false, 4, 2}, {3, "25", 13, "12.5", true, 3, 2},
      {3, "7,25", 13, "12.5", true, 3, 2}, {3, "19", 27, "12.5", false, 3, 2},  {5, "9", 13, "9", false, 5, 2},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.tapé);
    boîtes.oublier();
    if (c.refusée) boîtes.répondre(OK);
    taper(c.ligne, 2, QString::fromUtf8(c.tapé), c.touche);
    EXPECT_EQ(état().noteinterro(c.ligne - 2, 1), QString::fromUtf8(c.stockée));
    EXPECT_EQ(enregistrée(c.ligne - 2), QString::fromUtf8(c.stockée));
    EXPECT_EQ(p.grille1->enédition(), c.refusée);
    if (c.refusée) {
      ASSERT_EQ(boîtes.montrées().size(), 1);
      EXPECT_EQ(boîtes.montrées()[0].titre, QStringLiteral("Note incorrecte !!!"));
      EXPECT_EQ(p.grille1->éditeur()->text(), QString::fromUtf8(c.tapé));
      p.grille1->finirédition(27);
    }
    EXPECT_EQ(p.grille1->Row(), c.lignesuivante);
    EXPECT_EQ(p.grille1->Col(), c.colonnesuivante);
  }
  // F2 : la note de la case, dans l'éditeur.
  choisir(3, 2);
  p.grille1_KeyDown(113, 0);
  ASSERT_TRUE(p.grille1->enédition());
  EXPECT_EQ(p.grille1->éditeur()->text(), QStringLiteral("12.5"));
  p.grille1->finirédition(27);
  // Ailleurs qu'une note écrite (un nom), la frappe ne commence rien.
  choisir(3, 1);
  EXPECT_FALSE(p.frappedanslagrille(QStringLiteral("1")));
}

// Après une note, seules sa case, les cases de résultat de l'élève et les
// statistiques du test et des résultats sont annoncées aux vues.
TEST_F(SaisieGrille, UneNoteNeRepeintQuePeuDeCases) {
  QCoreApplication::processEvents();
  const long long avant = p.grille1->modèle().cellulesannoncées();
  taper(4, 4, QStringLiteral("2"), 13);  // Durand, test 3 : 8 → 2 sur 10
  QCoreApplication::processEvents();
  const long long annoncées = p.grille1->modèle().cellulesannoncées() - avant;
  EXPECT_GE(annoncées, 2);
  EXPECT_LE(annoncées, 1 + 1 + 2 + 2 + 2);  // note, MOY, 2 compétences, moyennes et échecs (test, résultats)
  EXPECT_EQ(texte(4, 4), QStringLiteral("2.0"));
  EXPECT_EQ(couleur(4, 4), rouge);
}

TEST_F(SaisieGrille, PendantLeGroupementRienNeSeTape) {
  p.groupageactif = true;
  choisir(3, 2);
  boîtes.répondre(OK);
  EXPECT_TRUE(p.frappedanslagrille(QStringLiteral("1")));
  EXPECT_FALSE(p.grille1->enédition());
  EXPECT_EQ(boîtes.montrées()[0].titre, QStringLiteral("Action Impossible !!!"));
}

// Une note corrigée par la boîte (Entrée sur la case) descend aussi à l'élève
// suivant, sauf sur le dernier ; une boîte annulée ne bouge rien.
TEST_F(SaisieGrille, BoiteDeCorrectionPuisEleveSuivant) {
  const struct {
    int ligne;
    const char* réponse;  // vide : Annuler
    const char* stockée;
    int lignesuivante;
  } cas[] = {{3, "15", "15", 4}, {4, "", "AI", 4}, {5, "16", "16", 5}};
  for (const auto& c : cas) {
    SCOPED_TRACE(c.ligne);
    choisir(c.ligne, 2);
    boîtes.répondretexte(QString::fromUtf8(c.réponse));
    p.grille1_KeyDown(13, 0);
    EXPECT_EQ(état().noteinterro(c.ligne - 2, 1), QString::fromUtf8(c.stockée));
    EXPECT_EQ(p.grille1->Row(), c.lignesuivante);
    EXPECT_EQ(p.grille1->Col(), 2);
  }
}

// Un bloc collé : virgules lues comme des points, refus listés dans une seule
// boîte, lignes au-delà du dernier élève refusées, notes admises enregistrées.
TEST_F(SaisieGrille, CollerDesNotesDUnTableur) {
  struct Cas {
    int ligne, colonne;
    const char* collé;
    QStringList notes;  // Dupont, Durand, Martin au test 1, ensuite
    int refus;
  };
  const Cas cas[] = {
      {3, 2, "12,5\r\n14\r\n9\r\n", {"12.5", "14", "9"}, 0},
      {4, 2, "15\n25\ndouze\n", {"12.5", "15", "9"}, 2},   // au-delà du maximum, pas une note
      {4, 2, "11\n10,5\n7\n8\n", {"12.5", "11", "10.5"}, 2},  // deux lignes sans élève
      {3, 2, "16\t19\t9,5\n", {"16", "11", "10.5"}, 0},     // une ligne sur trois tests
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.collé);
    boîtes.oublier();
    choisir(c.ligne, c.colonne);
    QGuiApplication::clipboard()->setText(QString::fromUtf8(c.collé));
    p.collernotes();
    for (int s = 1; s <= 3; ++s) {
      EXPECT_EQ(état().noteinterro(s, 1), c.notes[s - 1]) << s;
      EXPECT_EQ(enregistrée(s), c.notes[s - 1]) << s;
    }
    if (c.refus > 0) {
      ASSERT_EQ(boîtes.montrées().size(), 1);
      EXPECT_EQ(boîtes.montrées()[0].genre, GenreBoite::Message);
      EXPECT_EQ(boîtes.montrées()[0].titre, QStringLiteral("Notes collées"));
      EXPECT_EQ(boîtes.montrées()[0].texte.count(QStringLiteral("interrogation")), c.refus) << boîtes.montrées()[0].texte.toStdString();
    } else {
      EXPECT_TRUE(boîtes.montrées().isEmpty());
    }
  }
  EXPECT_EQ(état().noteinterro(1, 2), QStringLiteral("19"));
  EXPECT_EQ(état().noteinterro(1, 3), QStringLiteral("9.5"));
}

// Vingt-cinq notes collées d'un coup, dont trois refusées : une boîte les
// liste, les vingt-deux autres sont dans le fichier.
TEST_F(SaisieGrille, VingtCinqNotesDontTroisRefusees) {
  QStringList notes{" 25", " 1", " 0", " 1"};
  for (int s = 1; s <= 25; ++s) notes << QStringLiteral("Élève %1/A").arg(s, 2, 10, QLatin1Char('0')) << "-1/-1/?/ 0/";
  notes << "060% -> Nombres" << "040% -> Géométrie";
  deuxdisques(P1N, notes);
  deuxdisques(QStringLiteral("5A131\\5A131.P1R"), {" 20", "01/10/2026", "Test", " 1"});
  chargerclasse();
  p.Form_Load();
  QStringList collées;
  for (int s = 1; s <= 25; ++s) collées << (s == 4 ? "21" : s == 9 ? "dix" : s == 17 ? "12.3" : QStringLiteral("%1,5").arg(s % 20));
  choisir(3, 2);
  QGuiApplication::clipboard()->setText(collées.join(u'\n'));
  p.collernotes();
  ASSERT_EQ(boîtes.montrées().size(), 1);
  const QString liste = boîtes.montrées()[0].texte;
  EXPECT_TRUE(liste.startsWith(QStringLiteral("22 note(s) collée(s)."))) << liste.toStdString();
  for (const char* élève : {"Élève 04", "Élève 09", "Élève 17"}) EXPECT_TRUE(liste.contains(QString::fromUtf8(élève))) << élève;
  int enregistrées = 0;
  const QStringList fichier = lirefichier(disquedur(P1N));
  for (int s = 1; s <= 25; ++s)
    if (fichier[2 * s + 2].section(u'/', 1, 1) == QStringLiteral("%1.5").arg(s % 20)) ++enregistrées;
  EXPECT_EQ(enregistrées, 22);
}

// Des lignes collées dans l'éditeur ouvert sont un bloc : chaque ligne va à son
// élève, aucune n'est tronquée ni perdue.
TEST_F(SaisieGrille, LignesColleesDansLEditeur) {
  choisir(3, 2);
  ASSERT_TRUE(p.frappedanslagrille(QStringLiteral("1")));
  QGuiApplication::clipboard()->setText(QStringLiteral("14\n15\n"));
  QKeyEvent coller(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
  QCoreApplication::sendEvent(p.grille1->éditeur(), &coller);
  EXPECT_FALSE(p.grille1->enédition());
  EXPECT_EQ(état().noteinterro(1, 1), QStringLiteral("14"));
  EXPECT_EQ(état().noteinterro(2, 1), QStringLiteral("15"));
}

TEST(Collage, CopierCommeUnTableur) {
  EXPECT_EQ(copiercellules({{"12,5", "A"}, {"14", ""}}), QStringLiteral("12,5\tA\n14\t\n"));
}

}  // namespace
