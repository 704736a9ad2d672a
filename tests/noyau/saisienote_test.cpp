#include <gtest/gtest.h>

#include "tests/outils/impressionqt.h"

#include "noyau/base/etat.h"
#include "noyau/regles/saisienote.h"
#include "tests/outils/essai.h"

namespace {

class SaisieNote : public EssaiDonnees {};

TEST_F(SaisieNote, ControleDeLaNote) {
  const std::tuple<const char*, int, const char*> cas[] = {
      {"A", 20, "A"},      {"a", 20, "A"},       {"AI", 20, "AI"},    {"ai", 20, "AI"},   {"NC", 20, "NC"},
      {"nc", 20, "NC"},    {"12.5", 20, "12.5"}, {"12.50", 20, "12.5"}, {"07", 20, "7"},  {"20", 20, "20"},
      {"0", 20, "0"},      {"12abc", 20, "12"},  {" 12", 20, "12"},   {"0.5", 1, "0.5"},  {"1", 1, "1"},
      {"12,5", 20, nullptr}, {"12;5", 20, nullptr}, {"12.3", 20, nullptr}, {"20.5", 20, nullptr},
      {"0.0", 20, nullptr}, {"00", 20, nullptr},  {"-0", 20, nullptr},  {"-1", 20, nullptr}, {"", 20, nullptr},
      {"Nc", 20, nullptr}, {"aI", 20, nullptr},  {"abc", 20, nullptr}, {"12.25", 20, nullptr}, {"A,", 20, nullptr},
  };
  for (const auto& [texte, maximum, attendu] : cas) {
    boîtes.oublier();
    if (!attendu) boîtes.répondre(OK);
    const QString rendu = vérifiernote(QString::fromUtf8(texte), maximum);
    EXPECT_EQ(rendu, attendu ? QString::fromUtf8(attendu) : QStringLiteral("ERREUR")) << texte;
    EXPECT_EQ(boîtes.montrées().size(), attendu ? 0 : 1) << texte;
  }
}

TEST_F(SaisieNote, MessageDeLaNoteRefusee) {
  boîtes.répondre(ANNULER);
  EXPECT_EQ(vérifiernote(QStringLiteral("12,5"), 20), QStringLiteral("ERREUR"));
  ASSERT_EQ(boîtes.montrées().size(), 1);
  EXPECT_EQ(boîtes.montrées()[0].genre, GenreBoite::Avertissement);
  EXPECT_EQ(boîtes.montrées()[0].titre, QStringLiteral("Note incorrecte !!!"));
  EXPECT_EQ(boîtes.montrées()[0].texte,
            QStringLiteral("Vous avez tapé : 12,5 /20\n\nCette note n'est pas autorisée.  Vérifiez que la virgule est "
                           "remplacée par un point et que le nombre n'est ni inférieur à zéro, ni supérieur au "
                           "maximum de l'interrogation."));
}

TEST_F(SaisieNote, BoiteDeSaisie) {
  état().nomélève.redim(2);
  état().nomélève[1] = QStringLiteral("Dupont Élodie");
  boîtes.répondretexte(QStringLiteral("14"));
  EXPECT_EQ(demandernote(1), QStringLiteral("14"));
  ASSERT_EQ(boîtes.montrées().size(), 1);
  EXPECT_EQ(boîtes.montrées()[0].titre, QStringLiteral("ENTRER UNE NOTE"));
  EXPECT_EQ(boîtes.montrées()[0].défaut, QString());
  EXPECT_EQ(boîtes.montrées()[0].texte,
            QStringLiteral("Entrer la note de\n\nDupont Élodie\n\nPour les nombres décimaux, il faut remplacer la "
                           "virgule par un POINT !\n\nElève absent => <A>\nElève en absence injustifiée => <AI>\n"
                           "Elève présent mais non coté => <NC>"));
}

}  // namespace
