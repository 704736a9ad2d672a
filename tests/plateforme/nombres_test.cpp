#include <gtest/gtest.h>

#include "tests/outils/impressionqt.h"

#include <cmath>

#include "plateforme/nombres.h"

namespace {

struct CasVal {
  const char* texte;
  double attendu;
};

TEST(Val, LitLeNombreDeTete) {
  const CasVal cas[] = {
      {"12.5", 12.5},   {" 12.5", 12.5},   {"  \t7", 7},      {"-3", -3},     {"+4", 4},
      {"8.5/A/12", 8.5}, {"12abc", 12},     {"13abc", 13},     {" 7 ", 7},     {".5", 0.5},
      {"5.", 5},        {"-.25", -0.25},    {"A", 0},          {"NC", 0},      {"AI", 0},
      {"?", 0},         {"?27.5", 0},       {"", 0},           {" ", 0},       {"-", 0},
      {".", 0},         {"12,5", 12},       {"1E3", 1000},     {"2.5e-1", 0.25}, {"12E", 12},
      {"3e+", 3},       {"1 2", 1},         {"0012", 12},      {"1.2.3", 1.2},
  };
  for (const auto& c : cas) EXPECT_DOUBLE_EQ(val(QString::fromUtf8(c.texte)), c.attendu) << c.texte;
}

TEST(Val, EstNombreRefuseLeTexteQuiSuit) {
  const std::pair<const char*, bool> cas[] = {
      {" 30", true}, {"30 ", true}, {"-2", true}, {"12.5", true}, {"30abc", false},
      {"", false},  {"  ", false},  {"A", false}, {"1 2", false}, {"?", false},
  };
  for (const auto& [texte, attendu] : cas) EXPECT_EQ(estnombre(QString::fromUtf8(texte)), attendu) << texte;
}

TEST(Str, BlancDeTetePourLesNombresPositifs) {
  const std::pair<double, const char*> cas[] = {
      {12.5, " 12.5"}, {0, " 0"},     {-0.0, " 0"},     {-3, "-3"},         {30, " 30"},
      {0.5, " 0.5"},   {-7.25, "-7.25"}, {1e15, " 1E+15"}, {0.1 + 0.2, " 0.3"}, {32767, " 32767"},
      {100, " 100"},   {2.0 / 3.0, " 0.666666666666667"},
  };
  for (const auto& [v, attendu] : cas) EXPECT_EQ(str(v), QString::fromUtf8(attendu)) << v;
}

TEST(Str, RelitCeQuIlAEcrit) {
  for (double v : {12.5, -3.75, 0.5, 1234.125, 17.0 / 3.0}) EXPECT_DOUBLE_EQ(val(str(v)), std::stod(str(v).toStdString()));
}

TEST(ArrondiPair, MoitiesVersLeVoisinPair) {
  const std::pair<double, int> cas[] = {
      {0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2},
      {2.4, 2}, {2.6, 3}, {-2.6, -3}, {32767.4, 32767}, {-32768.4, -32768}, {12, 12},
  };
  for (const auto& [v, attendu] : cas) EXPECT_EQ(arrondipair(v), attendu) << v;
}

TEST(ArrondiPair, HorsDesSeizeBitsEstUneErreur) {
  for (double v : {32767.6, 32768.0, -32768.6, 1e9, -1e9, std::nan(""), HUGE_VAL})
    EXPECT_THROW(arrondipair(v), ErreurDonnée) << v;
  EXPECT_THROW(entier16(40000), ErreurDonnée);
  EXPECT_EQ(entier16(-32768), -32768);
}

struct CasFormat {
  double valeur;
  const char* motif;
  const char* attendu;
};

TEST(Format, MotifsDesMisesEnPage) {
  const CasFormat cas[] = {
      {7, "000", "007"},       {123, "000", "123"},     {1234, "000", "1234"},   {5, "00", "05"},
      {0, "00", "00"},         {2.5, "00", "03"},       {3.5, "00", "04"},       {12.25, "##0.0", "12.3"},
      {12.35, "##0.0", "12.4"}, {7.45, "#0.0", "7.5"},   {0, "##0.0", "0.0"},     {0.04, "##0.0", "0.0"},
      {0.06, "#0.0", "0.1"},   {9.96, "#0.0", "10.0"},  {99.95, "00.0", "100.0"}, {5, "00.0", "05.0"},
      {0, "###", ""},          {66.6, "###", "67"},     {100, "###", "100"},     {0.4, "###", ""},
      {0.5, "##.0", ".5"},     {12.5, "##.0", "12.5"},  {-3.25, "##0.0", "-3.3"}, {-0.04, "#0.0", "0.0"},
      {2, "#", "2"},           {0, "#", ""},            {1234.5, "##0.0", "1234.5"}, {0.5, "0", "1"},
      {1e-9, "#0.0", "0.0"},   {999.99, "##0.0", "1000.0"},
  };
  for (const auto& c : cas)
    EXPECT_EQ(format(c.valeur, QString::fromUtf8(c.motif)), QString::fromUtf8(c.attendu))
        << c.valeur << " " << c.motif;
}

TEST(Format, VirguleDansLesTextesAffiches) {
  EXPECT_EQ(formatvirgule(12.25, u"##0.0"), QStringLiteral("12,3"));
  EXPECT_EQ(formatvirgule(7, u"000"), QStringLiteral("007"));
}

TEST(SansBlancs, NOteQueLesEspaces) {
  EXPECT_EQ(sansblancs(u"  13 "), QStringLiteral("13"));
  EXPECT_EQ(sansblancs(u"\t13"), QStringLiteral("\t13"));
  EXPECT_EQ(sansblancs(u"   "), QString());
}

}  // namespace
