#include <gtest/gtest.h>

#include "tests/outils/impressionqt.h"

#include "noyau/regles/statistiques.h"

namespace {

TEST(Statistiques, MedianeEcartTypeEtRepartition) {
  struct Cas {
    const char* nom;
    QStringList notes;
    int maximum;
    int comptées;
    double moyenne, médiane, écarttype;
    std::array<int, 10> répartition;
    int échecs;
  };
  const Cas cas[] = {
      // 4, 8, 10 : médiane 8 ; écart type de la classe sqrt(((4-22/3)² + (8-22/3)² + (10-22/3)²) / 3).
      {"nombre impair", {"8", "4", "10"}, 20, 3, 22.0 / 3, 8, 2.4944382578492941, {0, 0, 1, 0, 1, 1, 0, 0, 0, 0}, 2},
      {"nombre pair", {"12", "6", "20", "14"}, 20, 4, 13, 13, 5.0, {0, 0, 0, 1, 0, 0, 1, 1, 0, 1}, 1},
      // "A", "NC", "?" et les cases vides ne comptent pas ; "AI" compte 0.
      {"absences", {"A", "NC", "AI", "?", "", "7.5"}, 10, 2, 3.75, 3.75, 3.75, {1, 0, 0, 0, 0, 0, 0, 1, 0, 0}, 1},
      {"aucune note", {"A", "NC"}, 20, 0, 0, 0, 0, {}, 0},
      {"au maximum et au-delà", {"20", "25", "0"}, 20, 3, 15, 20, 10.801234497346433, {1, 0, 0, 0, 0, 0, 0, 0, 0, 2}, 1},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    const StatistiquesTest s = statistiquestest(c.notes, c.maximum);
    EXPECT_EQ(s.comptées, c.comptées);
    EXPECT_DOUBLE_EQ(s.moyenne, c.moyenne);
    EXPECT_DOUBLE_EQ(s.médiane, c.médiane);
    EXPECT_NEAR(s.écarttype, c.écarttype, 1e-12);
    EXPECT_EQ(s.répartition, c.répartition);
    EXPECT_EQ(s.échecs, c.échecs);
  }
  EXPECT_EQ(textestatistiques(statistiquestest({"A"}, 20), 20), QStringLiteral("Aucune note comptée."));
  const QString t = textestatistiques(statistiquestest({"12", "6", "20", "14"}, 20), 20);
  EXPECT_TRUE(t.startsWith(QStringLiteral("Notes comptées : 4\nMoyenne : 13,0 / 20\nMédiane : 13,0\nÉcart type : 5,0\n")))
      << t.toStdString();
  EXPECT_TRUE(t.contains(QStringLiteral("18,0 à 20,0 : 1"))) << t.toStdString();
}

}  // namespace
