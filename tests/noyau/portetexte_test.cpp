// La porte des textes tapés : nettoyage, caractères refusés selon la destination,
// lettres que Windows-1252 ne garde pas, avec les boîtes qui le disent.

#include <gtest/gtest.h>

#include "noyau/base/portetexte.h"
#include "plateforme/encodage.h"
#include "tests/outils/essai.h"

namespace {

struct CasPorte {
  const char* nom;
  QString brut;
  GenreTexte genre;
  QString texte;      // nettoyé
  QString interdits;
  bool refus;         // point au début, trop long
  QString horsansi;
  QString proche;
};

TEST(PorteTexte, ToutLeTableau) {
  const QString long300(300, u'a');
  const CasPorte cas[] = {
      {"saut de ligne collé", QStringLiteral("Math\r\nSciences"), GenreTexte::Libre, "Math Sciences", "", false, "", "Math Sciences"},
      {"LF et CR seuls", QStringLiteral("a\nb\rc"), GenreTexte::Libre, "a b c", "", false, "", "a b c"},
      {"tabulation", QStringLiteral("Dupont\tJean"), GenreTexte::NomÉlève, "Dupont Jean", "", false, "", "Dupont Jean"},
      {"NUL et contrôles", QString::fromUtf8("Du\0pont\x07", 8), GenreTexte::NomÉlève, "Dupont", "", false, "", "Dupont"},
      {"blancs seuls", QStringLiteral("   \t "), GenreTexte::NomÉlève, "", "", false, "", ""},
      {"blancs autour", QStringLiteral("  5A "), GenreTexte::NomDeClasse, "5A", "", false, "", "5A"},
      {"barre d'un nom", QStringLiteral("Dupont/Jean"), GenreTexte::NomÉlève, "Dupont/Jean", "/", false, "", "Dupont/Jean"},
      {"barre permise en ligne entière", QStringLiteral("1/2"), GenreTexte::Libre, "1/2", "", false, "", "1/2"},
      {"virgule d'une classe", QStringLiteral("A,B"), GenreTexte::NomDeClasse, "A,B", ",", false, "", "A,B"},
      {"virgule d'une compétence", QStringLiteral("Lire, écrire"), GenreTexte::Élément, "Lire, écrire", ",", false, "", "Lire, écrire"},
      {"contre-barre et deux-points", QStringLiteral("5\\A:"), GenreTexte::NomDeClasse, "5\\A:", "\\:", false, "", "5\\A:"},
      {"point au début", QStringLiteral(".A"), GenreTexte::NomDeClasse, ".A", "", true, "", ".A"},
      {"deux points seuls", QStringLiteral(".."), GenreTexte::NomDeFichier, "..", "", true, "", ".."},
      {"300 caractères", long300, GenreTexte::NomDeFichier, long300, "", true, "", long300},
      {"CON, réservé par Windows", QStringLiteral("con"), GenreTexte::NomDeFichier, "con", "", true, "", "con"},
      {"LPT1 avec une extension", QStringLiteral("Lpt1.txt"), GenreTexte::NomDeFichier, "Lpt1.txt", "", true, "", "Lpt1.txt"},
      {"COM10 n'est pas réservé", QStringLiteral("COM10"), GenreTexte::NomDeFichier, "COM10", "", false, "", "COM10"},
      {"CONSTANT n'est pas réservé", QStringLiteral("Constant"), GenreTexte::NomDeFichier, "Constant", "", false, "", "Constant"},
      {"point à la fin", QStringLiteral("Mme Roy."), GenreTexte::NomDeFichier, "Mme Roy.", "", true, "", "Mme Roy."},
      {"les caractères de Windows", QStringLiteral("a<b>c|d?e*f\"g"), GenreTexte::NomDeFichier, "a<b>c|d?e*f\"g", "<>|?*\"", false, "",
       "a<b>c|d?e*f\"g"},
      {"300 caractères de remarque", long300, GenreTexte::Libre, long300, "", false, "", long300},
      {"300 caractères d'un nom d'élève", long300, GenreTexte::NomÉlève, long300, "", true, "", long300},
      {"64 caractères d'un nom d'élève", long300.left(64), GenreTexte::NomÉlève, long300.left(64), "", false, "", long300.left(64)},
      {"point au début d'un nom d'élève", QStringLiteral(".Dupont"), GenreTexte::NomÉlève, ".Dupont", "", false, "", ".Dupont"},
      {"L barré", QStringLiteral("Kowalski Łukasz"), GenreTexte::NomÉlève, "Kowalski Łukasz", "", false, "Ł", "Kowalski Lukasz"},
      {"deux accents", QStringLiteral("Nguyễn"), GenreTexte::NomÉlève, "Nguyễn", "", false, "ễ", "Nguyên"},
      {"émoji", QStringLiteral("Léa 😀"), GenreTexte::NomÉlève, "Léa 😀", "", false, "😀", "Léa"},
      {"classe ŁA", QStringLiteral("ŁA"), GenreTexte::NomDeClasse, "ŁA", "", false, "Ł", "LA"},
      {"accents de Windows-1252 gardés", QStringLiteral("Œuvre déjà « là » €"), GenreTexte::Libre, "Œuvre déjà « là » €", "", false, "", "Œuvre déjà « là » €"},
      {"chemin hors page de code", QStringLiteral("/media/Łukasz/clé"), GenreTexte::Chemin, "/media/Łukasz/clé", "", false, "", "/media/Łukasz/clé"},
  };
  for (const CasPorte& c : cas) {
    SCOPED_TRACE(c.nom);
    const TexteContrôlé r = contrôlertexte(c.brut, c.genre);
    EXPECT_EQ(r.texte, c.texte);
    EXPECT_EQ(r.interdits, c.interdits);
    EXPECT_EQ(!r.refus.isEmpty(), c.refus) << r.refus.toStdString();
    EXPECT_EQ(r.horsansi, c.horsansi);
    EXPECT_EQ(r.proche, c.proche);
    // Ce que la porte propose se relit tel quel depuis un fichier.
    if (c.genre != GenreTexte::Chemin) {
      EXPECT_EQ(décoderansi(encoderansi(r.proche)), r.proche);
    }
  }
}

class PorteAvecBoites : public EssaiDonnees {};

TEST_F(PorteAvecBoites, LesBoitesDisentPourquoiEtProposentLesLettresProches) {
  // Un caractère refusé : un avertissement qui le nomme, rien n'est rendu.
  boîtes.répondre(OK);
  EXPECT_EQ(texteadmis(QStringLiteral("5:A"), GenreTexte::NomDeClasse), std::nullopt);
  ASSERT_EQ(boîtes.montrées().size(), 1);
  EXPECT_EQ(boîtes.montrées()[0].texte, QStringLiteral("Ces caractères ne sont pas permis ici : « : ».\n\nRetapez le texte sans eux."));

  // Lettres hors de la page de code : Oui garde les plus proches, Non fait retaper.
  boîtes.oublier();
  boîtes.répondre(OUI);
  EXPECT_EQ(texteadmis(QStringLiteral("Łukasz"), GenreTexte::NomDeFichier), QStringLiteral("Lukasz"));
  EXPECT_EQ(boîtes.montrées()[0].titre, QStringLiteral("Caractères impossibles à garder"));
  EXPECT_TRUE(boîtes.montrées()[0].texte.contains(QStringLiteral("« Ł »"))) << boîtes.montrées()[0].texte.toStdString();
  EXPECT_TRUE(boîtes.montrées()[0].texte.contains(QStringLiteral("Oui : garder « Lukasz »")));
  boîtes.répondre(NON);
  EXPECT_EQ(texteadmis(QStringLiteral("Nguyễn"), GenreTexte::NomÉlève), std::nullopt);

  // Rien à proposer (un émoji seul) : avertissement, rien n'est rendu.
  boîtes.oublier();
  boîtes.répondre(OK);
  EXPECT_EQ(texteadmis(QStringLiteral("😀"), GenreTexte::Libre), std::nullopt);
  EXPECT_EQ(boîtes.montrées().size(), 1);

  // Un texte sain passe sans boîte ; des blancs seuls valent un texte vide.
  boîtes.oublier();
  EXPECT_EQ(texteadmis(QStringLiteral(" Dupont Jean "), GenreTexte::NomÉlève), QStringLiteral("Dupont Jean"));
  EXPECT_EQ(texteadmis(QStringLiteral("  "), GenreTexte::NomÉlève), QString());
  EXPECT_TRUE(boîtes.montrées().isEmpty());
}

}  // namespace
