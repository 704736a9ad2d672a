#include <gtest/gtest.h>

#include "tests/outils/impressionqt.h"

#include "noyau/base/etat.h"
#include "noyau/base/module.h"
#include "tests/outils/essai.h"

namespace {

TEST(AnneeAffichee, BlancsEtAnneeSuivante) {
  const std::pair<const char*, const char*> cas[] = {
      {"13", " 13 - 14"}, {"99", " 99 - 0"}, {"5", " 5 - 6"}, {"0", " 0 - 1"}, {" 13 ", " 13 - 14"}, {"09", " 9 - 10"},
  };
  for (const auto& [année, attendu] : cas)
    EXPECT_EQ(formerannéeaffichée(QString::fromUtf8(année)), QString::fromUtf8(attendu)) << année;
}

TEST(Competences, NomEtPoids) {
  EXPECT_EQ(nomcompétence(QStringLiteral("050% -> Calcul")), QStringLiteral("Calcul"));
  EXPECT_EQ(nomcompétence(QStringLiteral("100% => aucune")), QStringLiteral("aucune"));
  EXPECT_EQ(nomcompétence(QStringLiteral("court")), QString());
  EXPECT_EQ(poidscompétence(QStringLiteral("050% -> Calcul")), 50);
  EXPECT_EQ(poidscompétence(QStringLiteral("100% => aucune")), 100);
  EXPECT_EQ(poidscompétence(QStringLiteral("000% -> Neuve")), 0);
}

TEST(Centrage, DeuxCentsTwipsAuDessusDuCentre) {
  const auto p = centrerfenêtre(15360, 11520, 9000, 6000);
  EXPECT_EQ(p.gauche, 3180);
  EXPECT_EQ(p.haut, 2560);
  const auto haute = centrerfenêtre(12000, 9000, 14000, 9000);
  EXPECT_EQ(haute.haut, 0);  // plus haute que l'écran : la barre de titre reste visible
  EXPECT_EQ(haute.gauche, 0);
}

TEST(Tableaux, BornesRedimensionnementEtConservation) {
  Tableau<int> t;
  EXPECT_EQ(t.borne(), -1);
  t.redim(3);
  t[3] = 7;
  t.redimconserver(5);
  EXPECT_EQ(t[3], 7);
  EXPECT_EQ(t[5], 0);
  EXPECT_THROW(t[6], std::out_of_range);
  t.redim(5);
  EXPECT_EQ(t[3], 0);

  Tableau2<QString> n;
  n.redim(2, 3);
  n(2, 3) = QStringLiteral("A");
  n(1, 1) = QStringLiteral("12");
  n.redimconserver(3, 2);
  EXPECT_EQ(n(1, 1), QStringLiteral("12"));
  EXPECT_EQ(n(3, 2), QString());
  EXPECT_THROW(n(2, 3), std::out_of_range);
}

class Module : public EssaiDonnees {};

TEST_F(Module, CleDeLaPeriodeEtEtatUnique) {
  fixerpériodecourante(u'P', 3);
  EXPECT_EQ(état().périodecourante, QStringLiteral("P3"));
  fixerpériodecourante(u'E', 2);
  EXPECT_EQ(état().périodecourante, QStringLiteral("E2"));
  EXPECT_EQ(&état(), &état());
  état().annéescolaire = QStringLiteral("24");
  actualiserannéeaffichée();
  EXPECT_EQ(état().annéeaffichée, QStringLiteral(" 24 - 25"));
}

TEST_F(Module, DemanderUnTextePasseParLaFenetreDesRemarques) {
  surfenêtre = [](const QString&) { état().textesaisi += QStringLiteral(" corrigé"); };
  EXPECT_EQ(demandertexte(QStringLiteral("Fractions")), QStringLiteral("Fractions corrigé"));
  EXPECT_EQ(fenêtresmontrées, QStringList{QStringLiteral("rema")});
}

TEST_F(Module, BoitesDAvertissementEtDeQuestion) {
  boîtes.répondre(ANNULER);
  boîtes.répondre(NON);
  EXPECT_EQ(avertissement(QStringLiteral("texte"), QStringLiteral("titre")), ANNULER);
  EXPECT_EQ(question(QStringLiteral("texte ?"), QStringLiteral("titre 2")), NON);
  ASSERT_EQ(boîtes.montrées().size(), 2);
  EXPECT_EQ(boîtes.montrées()[0].genre, GenreBoite::Avertissement);
  EXPECT_EQ(boîtes.montrées()[1].titre, QStringLiteral("titre 2"));
}

}  // namespace
