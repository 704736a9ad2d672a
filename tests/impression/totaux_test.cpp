#include <gtest/gtest.h>

#include "tests/outils/anneeessai.h"

#include "impression/totaux.h"
#include "plateforme/imprimante.h"
#include "plateforme/services.h"

namespace {

class Totaux : public AnneeEssai {
protected:
  QStringList ligne(int l) {
    QStringList t;
    for (int c = 0; c < f.grille1->Cols(); ++c) t << f.grille1->modèle().cellule(l, c).texte;
    return t;
  }
  int couleur(int l, int c) { return f.grille1->modèle().cellule(l, c).avant; }
  void ouvriravec(const QStringList& réponses) {
    for (const QString& r : réponses) boîtes.répondretexte(r);
    f.Form_Load();
  }
  FenetreTotaux& f = fenêtretotaux();
};

TEST_F(Totaux, GrilleDesDeuxPeriodesEtDeLExamen) {
  ouvriravec({"5", "2"});  // 5 : hors de 0..2, la question revient
  EXPECT_EQ(boîtes.montrées()[0].titre, QStringLiteral("Dernière période pour 5A"));
  EXPECT_EQ(boîtes.montrées()[0].texte, QStringLiteral("Taper le numéro de la dernière période à additionner"));
  EXPECT_EQ(boîtes.montrées().size(), 2);
  EXPECT_EQ(f.windowTitle(), QStringLiteral("Affichage des TOTAUX"));
  EXPECT_EQ(f.Etiquette3->text(), QStringLiteral("Classe de 5A"));
  EXPECT_EQ(f.Etiquette4->text(), QStringLiteral("Cours de Mathématique"));
  EXPECT_EQ(ligne(0), (QStringList{"", "", "Pér.1", "Pér.2", "Exa.1", "Tot P.", "Tot E.", "TOTAL", ""}));
  EXPECT_EQ(ligne(1), (QStringList{"", "Noms et prénoms", "/20", "/20", "/50", "/40", "/50", "/90", ""}));
  EXPECT_EQ(ligne(2), (QStringList{"1", "Dupont Élodie", " 13,5", " 10,0", " 25,0", " 23,5", " 25,0", " 48,5", "54%"}));
  // Une période manque : son maximum sort de celui de l'élève (70), le pourcentage suit.
  EXPECT_EQ(ligne(3), (QStringList{"2", "Durand Paul", " 9,5", "???  ", " 24,0", "?9.5?", " 24,0", "?33.5?", "48%"}));
  EXPECT_EQ(ligne(4), (QStringList{"3", "Martin Léa", " 10,0", " 20,0", "???  ", " 30,0", "?0?", "?30?", "75%"}));
  // Rien nulle part : ni somme, ni pourcentage.
  EXPECT_EQ(ligne(5), (QStringList{"4", "Zoé Absente", "???  ", "???  ", "???  ", "", "", "?0?", ""}));
  EXPECT_EQ(f.grille1->ColWidth(1), 2700);
  EXPECT_EQ(f.grille1->ColWidth(7), 650);
  EXPECT_EQ(état().dernièrepériode[1], 2);
  EXPECT_EQ(état().périodecourante, QStringLiteral("P1"));

  struct Couleur {
    int ligne, colonne, couleur;
  };
  for (const Couleur& c : {Couleur{2, 3, noir}, {3, 2, rouge}, {4, 2, noir}, {3, 3, bleu}, {3, 4, rouge}, {3, 5, bleu},
                           {3, 7, bleu}, {3, 8, rouge}, {2, 8, noir}, {4, 8, noir}})
    EXPECT_EQ(couleur(c.ligne, c.colonne), c.couleur) << c.ligne << "," << c.colonne;
}

TEST_F(Totaux, ReponseZeroEtClasseSansExamen) {
  ouvriravec({""});  // vide : 0
  EXPECT_EQ(ligne(0), (QStringList{"", "", "Exa.1", "Tot P.", "Tot E.", "TOTAL", ""}));
  EXPECT_EQ(ligne(1), (QStringList{"", "Noms et prénoms", "/50", "/0", "/50", "/50", ""}));
  EXPECT_EQ(ligne(2), (QStringList{"1", "Dupont Élodie", " 25,0", " 0,0", " 25,0", " 25,0", "50%"}));
  EXPECT_EQ(couleur(2, 3), bleu);  // maximum nul

  état().nbexamenscréés[1] = 0;
  ouvriravec({"1"});
  EXPECT_EQ(ligne(0), (QStringList{"", "", "Pér.1", "Tot P.", "TOTAL", ""}));
  EXPECT_EQ(ligne(2), (QStringList{"1", "Dupont Élodie", " 13,5", " 13,5", " 13,5", "68%"}));
  EXPECT_EQ(ligne(5), (QStringList{"4", "Zoé Absente", "???  ", "", "?0", ""}));
}

TEST_F(Totaux, ImpressionDuTableau) {
  ParcTexte parc;
  services().imprimantes = &parc;
  ouvriravec({"2"});
  f.imprimerdirect_Click();
  const QList<PageImprimée>& pages = parc.imprimante(0).documents().at(0);
  ASSERT_EQ(pages.size(), 1);
  EXPECT_EQ(pages[0].orientation, paysage);
  EXPECT_EQ(parc.Printer().Orientation(), portrait);
  const QList<LigneImprimée>& l = pages[0].lignes;
  ASSERT_EQ(l.size(), 3);
  ASSERT_EQ(l[2].passages.size(), 2);
  EXPECT_EQ(l[2].passages[0].texte, QStringLiteral("  "));
  EXPECT_FALSE(l[2].passages[0].police.souligné);
  EXPECT_EQ(l[2].passages[1].texte, QStringLiteral("Classe de 5A - Cours de Mathématique - TOTAUX - le 14/09/2026"));
  EXPECT_TRUE(l[2].passages[1].police.souligné);
  EXPECT_EQ(l[2].passages[1].police.taille, 14);
  ASSERT_EQ(pages[0].images.size(), 1);
  EXPECT_EQ(pages[0].images[0].x, 3.0);  // 60 twips
  EXPECT_EQ(pages[0].images[0].image.cellules[3][7].texte, QStringLiteral("?33.5?"));
}

TEST(CouleurTotal, MoitieDuMaximum) {
  const std::tuple<const char*, double, int> cas[] = {
      {" 10,0", 20, noir}, {" 9,5", 20, rouge}, {" 9,0", 20, rouge}, {"???  ", 0, bleu}, {" 3,0", 0, bleu},
      {"-1,0", 0, rouge}, {"50%", 100, noir}, {"%", 100, rouge}};
  for (const auto& [texte, maximum, attendue] : cas) EXPECT_EQ(couleurtotal(QString::fromUtf8(texte), maximum), attendue) << texte;
}

}  // namespace
