#include <gtest/gtest.h>

#include "tests/outils/impressionqt.h"

#include "plateforme/boites.h"

namespace {

TEST(BoitesScriptees, RendLesReponsesDansLOrdreEtNoteChaqueBoite) {
  BoitesScriptees b;
  b.répondre(OUI);
  b.répondretexte(QStringLiteral("13"));
  b.répondre(ANNULER);
  EXPECT_EQ(b.question(QStringLiteral("Q ?"), QStringLiteral("T1")), OUI);
  b.bip();
  EXPECT_EQ(b.saisie(QStringLiteral("Année"), QStringLiteral("CORRECTION"), QStringLiteral("12")), QStringLiteral("13"));
  b.message(QStringLiteral("Fini"), QString());
  EXPECT_EQ(b.avertissement(QStringLiteral("Attention"), QStringLiteral("T2")), ANNULER);

  ASSERT_EQ(b.montrées().size(), 5);
  EXPECT_EQ(b.montrées()[0].genre, GenreBoite::Question);
  EXPECT_EQ(b.montrées()[1].genre, GenreBoite::Bip);
  EXPECT_EQ(b.montrées()[2].défaut, QStringLiteral("12"));
  EXPECT_EQ(b.montrées()[2].titre, QStringLiteral("CORRECTION"));
  EXPECT_EQ(b.montrées(GenreBoite::Message).size(), 1);
  EXPECT_TRUE(b.toutesutilisées());
}

TEST(BoitesScriptees, BoiteSansReponseOuReponseDAutreGenreEchoue) {
  BoitesScriptees b;
  EXPECT_THROW(b.question(QStringLiteral("?"), QStringLiteral("T")), std::logic_error);
  b.répondretexte(QStringLiteral("oui"));
  EXPECT_THROW(b.question(QStringLiteral("?"), QStringLiteral("T")), std::logic_error);
  b.répondre(OUI);
  EXPECT_THROW(b.avertissement(QStringLiteral("!"), QStringLiteral("T")), std::logic_error);
}

}  // namespace
