#include <gtest/gtest.h>

#include <algorithm>

#include <QStringList>

#include "plateforme/ordre.h"

namespace {

// Les noms se rangent comme dans un annuaire français : les capitales
// accentuées avec leur lettre, la casse sans effet, l'accent seulement à égalité.
TEST(OrdreFrancais, NomsAccentuesEtCasse) {
  QStringList noms{"Zoé Martin", "Émile Durand", "Eric Blanc", "Àlice Roy", "Bruno Petit", "élodie Faure", "adam Noël"};
  std::stable_sort(noms.begin(), noms.end(), [](const QString& a, const QString& b) { return avantenfrançais(a, b); });
  EXPECT_EQ(noms, (QStringList{"adam Noël", "Àlice Roy", "Bruno Petit", "élodie Faure", "Émile Durand", "Eric Blanc",
                               "Zoé Martin"}));
  struct Cas {
    const char* a;
    const char* b;
    int signe;
  };
  const Cas cas[] = {{"DUPONT", "dupont", 0}, {"Emile", "Émile", -1}, {"Dupont Jean", "Dupontel Anne", -1},
                     {"Dupont/12", "Dupont Jean/8", 1}, {"5A", "5B", -1}, {"ÉCOLE", "ECOLE", 1},
                     {"Élodie Faure", "Elodie Zed", -1}, {"5A10", "5A2", -1}, {"Noël", "Noel", 1}, {"Dupont", "Dupont Jean", -1}};
  for (const Cas& c : cas) {
    const int r = comparerenfrançais(QString::fromUtf8(c.a), QString::fromUtf8(c.b));
    EXPECT_EQ((r > 0) - (r < 0), c.signe) << c.a << " / " << c.b;
  }
}

// Le trait d'union, l'apostrophe et l'espace comptent et se rangent avant les lettres,
// sous Linux comme sous Windows (dont l'ordre « des mots » les passerait) : une liste
// de classe garde le même ordre sur les deux ordinateurs du professeur.
TEST(OrdreFrancais, PonctuationAvantLesLettres) {
  QStringList noms{"Dupont Jean", "Du-pont Marc", "Dhondt Eva", "D'Hondt Léa", "Debaisieux Tom", "De Smet Ana", "Dupont-Roy Max",
                   "Dupont Roy"};
  std::stable_sort(noms.begin(), noms.end(), [](const QString& a, const QString& b) { return avantenfrançais(a, b); });
  EXPECT_EQ(noms, (QStringList{"D'Hondt Léa", "De Smet Ana", "Debaisieux Tom", "Dhondt Eva", "Du-pont Marc", "Dupont Jean",
                               "Dupont Roy", "Dupont-Roy Max"}));
}

}  // namespace
