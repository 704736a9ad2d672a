#include <gtest/gtest.h>

#include "tests/outils/anneeessai.h"

#include "noyau/regles/classement.h"
#include "plateforme/imprimante.h"
#include "plateforme/services.h"
#include "rapports/classement.h"

namespace {

QStringList rangs(const QList<Classé>& c) {
  QStringList t;
  for (const Classé& x : c) t << x.points + u'/' + x.nom;
  return t;
}

TEST(Classer, ValeurDesPointsPuisNom) {
  struct Cas {
    QList<std::pair<QString, double>> élèves;
    QStringList attendu;  // du meilleur au moins bon
  };
  const Cas cas[] = {
      {{{"DUPONT", 7}, {"MARTIN", 45}, {"ZOE", 120}}, {"120/ZOE", "045/MARTIN", "007/DUPONT"}},
      {{{"Aline", 45}, {"Bruno", 45}, {"Chloé", 12}}, {"045/Bruno", "045/Aline", "012/Chloé"}},
      {{{"Zéro", 45}, {"Demi", 45.5}}, {"045.5/Demi", "045/Zéro"}},
      {{{"bruno", 9.5}, {"Arthur", 9.5}, {"Nul", 0}}, {"009.5/bruno", "009.5/Arthur", "000/Nul"}},
      {{{"Zoé", 12}, {"Émile", 12}, {"Eric", 12}, {"élodie", 12}}, {"012/Zoé", "012/Eric", "012/Émile", "012/élodie"}},
  };
  for (const Cas& c : cas) EXPECT_EQ(rangs(classer(c.élèves)), c.attendu);
}

class Classement : public AnneeEssai {
protected:
  QStringList grille() {
    QStringList t;
    for (int r = 1; r < f.grille1->Rows(); ++r) {
      QStringList l;
      for (int c = 0; c < 3; ++c) l << f.grille1->modèle().cellule(r, c).texte;
      t << l.join(u'|');
    }
    return t;
  }
  FenetreClassement& f = classement();
};

TEST_F(Classement, AnneePeriodeEtInverse) {
  f.Form_Load();
  EXPECT_EQ(f.windowTitle(), QStringLiteral("Classement"));
  EXPECT_EQ(f.grille1->modèle().cellule(0, 1).texte, QStringLiteral("Noms et prénoms"));
  EXPECT_EQ(f.grille1->modèle().cellule(0, 2).texte, QStringLiteral("Point(s)"));
  // L'année : 13,5 + 10 + 25 ; 9,5 + 24 (P2 manque) ; 10 + 20 (l'examen manque) ; rien.
  EXPECT_EQ(grille(), (QStringList{"1|Dupont Élodie|048.5", "2|Durand Paul|033.5", "3|Martin Léa|030", "4|Zoé Absente|000"}));
  f.Command1_Click();
  EXPECT_EQ(grille(), (QStringList{"1|Zoé Absente|000", "2|Martin Léa|030", "3|Durand Paul|033.5", "4|Dupont Élodie|048.5"}));
  f.Command1_Click();
  EXPECT_EQ(grille().first(), QStringLiteral("1|Zoé Absente|000"));
  f.Commande3_Click();  // P1 ouverte
  EXPECT_EQ(grille(), (QStringList{"1|Dupont Élodie|013.5", "2|Martin Léa|010", "3|Durand Paul|009.5", "4|Zoé Absente|000"}));
  EXPECT_EQ(état().périodecourante, QStringLiteral("P1"));
}

TEST_F(Classement, ImpressionSurUnExamenEtDouzeEleves) {
  QStringList noms, totaux;
  for (int i = 1; i <= 12; ++i) {
    noms << QStringLiteral("Élève numéro %1 au nom très très long").arg(i, 2, 10, QLatin1Char('0'));
    totaux << QStringLiteral(" %1").arg(i);
  }
  noms[2] = QStringLiteral("Court");
  for (const char* clé : {"P1", "P2", "E1"}) résultats(QString::fromLatin1(clé), totaux, noms);
  ouvrir(QStringLiteral("E1"));
  ParcTexte parc;
  services().imprimantes = &parc;
  f.Form_Load();
  f.Commande3_Click();
  f.Commande2_Click();
  const QStringList l = parc.imprimante(0).texte().split(u'\n');
  ASSERT_GE(l.size(), 19);
  // "Cours" en colonne 25, "Examen" en colonne 70.
  EXPECT_EQ(l[1], QStringLiteral(" Classe de 5A") + QString(11, u' ') + QStringLiteral("Cours : Mathématique") + QString(25, u' ') +
                      QStringLiteral("Examen  1"));
  EXPECT_EQ(l[2], QString(78, u'-'));
  EXPECT_EQ(l[4], QStringLiteral("                   NOMS               Point(s)"));
  EXPECT_EQ(l[5], QString(46, u'='));
  EXPECT_EQ(l[7], QStringLiteral("     01) Élève numéro 12 au nom très  => 012"));
  EXPECT_EQ(l[16], QStringLiteral("     10) Court....................... => 003"));
  EXPECT_EQ(l[18], QStringLiteral("     12) Élève numéro 01 au nom très  => 001"));
}

// Le classement de l'année se titre "Année", celui de la clé ouverte la nomme.
TEST_F(Classement, TitreImprimeSelonLeClassement) {
  for (const char* clé : {"P1", "P2", "E1"}) résultats(QString::fromLatin1(clé), {" 12", " 8"}, {"Dupont", "Martin"});
  ouvrir(QStringLiteral("P2"));
  ParcTexte parc;
  services().imprimantes = &parc;
  f.Form_Load();
  const auto titre = [&] {
    f.Commande2_Click();
    return parc.imprimante(0).texte().split(u'\n').filter(QStringLiteral("Classe de ")).last().mid(69).trimmed();
  };
  EXPECT_EQ(titre(), QStringLiteral("Année"));
  f.Commande3_Click();
  EXPECT_EQ(titre(), QStringLiteral("Période 2"));
}

}  // namespace
