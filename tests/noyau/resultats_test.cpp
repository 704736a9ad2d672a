#include <gtest/gtest.h>

#include "tests/outils/impressionqt.h"

#include "noyau/base/etat.h"
#include "noyau/regles/explication.h"
#include "noyau/regles/resultats.h"
#include "plateforme/erreurs.h"
#include "tests/outils/essai.h"

namespace {

// Classe de l'exemple : période sur 20, A1 à 60 %, A2 à 40 % ; test 1 sur 10 (A1),
// test 2 sur 20 (A1), test 3 sur 10 (A2).
class Resultats : public EssaiDonnees {
protected:
  void préparer(QStringList compétences, QList<int> maxima, QList<int> compétenceparinterro) {
    ÉtatPartagé& é = état();
    é.maxcourant = 20;
    é.nbélèves = 1;
    é.listecompétences.redim(static_cast<int>(compétences.size()));
    for (int j = 1; j <= compétences.size(); ++j) é.listecompétences[j] = compétences[j - 1];
    é.nbinterros = static_cast<int>(maxima.size());
    é.maxinterro.redim(é.nbinterros + 1);
    é.compétenceinterro.redim(é.nbinterros);
    for (int k = 1; k <= é.nbinterros; ++k) {
      é.maxinterro[k] = maxima[k - 1];
      é.compétenceinterro[k] = compétenceparinterro[k - 1];
    }
    é.noteinterro.redim(2, é.nbinterros + 1);
    é.totalélève.redim(2);
    é.pourcentcompétence.redim(2, é.nbcompétences());
    é.nbnotesorales.redim(2);
    é.nborales = 0;
  }
  void noter(const QStringList& notes) {
    for (int k = 1; k <= notes.size(); ++k) état().noteinterro(1, k) = notes[k - 1];
  }
  void oral(int maximum, double note, int compétence) {
    ÉtatPartagé& é = état();
    const int o = ++é.nbnotesorales[1];
    é.nborales = std::max(é.nborales, o);
    é.maxorale.redimconserver(2, é.nborales + 1);
    é.noteorale.redimconserver(2, é.nborales + 1);
    é.compétenceorale.redimconserver(2, é.nborales + 1);
    é.maxorale(1, o) = maximum;
    é.noteorale(1, o) = note;
    é.compétenceorale(1, o) = compétence;
  }
  static QList<int> pourcents() {
    QList<int> p;
    for (int j = 1; j <= état().nbcompétences(); ++j) p.append(état().pourcentcompétence(1, j));
    return p;
  }
};

struct CasRésultat {
  const char* nom;
  QStringList compétences;
  QStringList notes;
  int demi;
  const char* total;
  QList<int> pourcents;
};

TEST_F(Resultats, ExempleEtSesVariantes) {
  const QStringList poids6040{"060% -> A1", "040% -> A2"};
  const CasRésultat cas[] = {
      {"exemple, point entier", poids6040, {"7", "A", "9"}, FAUX, " 16", {70, 90}},
      {"exemple, demi-point", poids6040, {"7", "A", "9"}, VRAI, " 15.5", {70, 90}},
      {"test 3 absent", poids6040, {"7", "A", "A"}, FAUX, " 14", {70, -1}},
      {"NC comme A", poids6040, {"7", "NC", "NC"}, FAUX, " 14", {70, -1}},
      {"poids à 90", {"050% -> A1", "040% -> A2"}, {"7", "A", "9"}, FAUX, " 16", {70, 90}},
      {"AI partout", poids6040, {"AI", "AI", "AI"}, FAUX, " 0", {0, 0}},
      {"A et NC partout", poids6040, {"A", "NC", "A"}, FAUX, "?", {-1, -1}},
      {"note vide compte 0", poids6040, {"7", "", "9"}, FAUX, " 10", {23, 90}},
      {"texte quelconque compte 0", poids6040, {"7", "abs", "9"}, FAUX, " 10", {23, 90}},
      {"moitié vers le haut", poids6040, {"7.5", "A", "7.5"}, FAUX, " 15", {75, 75}},
      {"compétences notées à 0 %", {"000% -> A1", "100% -> A2"}, {"7", "A", "A"}, FAUX, "?", {70, -1}},
  };
  for (const auto& c : cas) {
    préparer(c.compétences, {10, 20, 10}, {1, 1, 2});
    état().arrondidemi = c.demi;
    noter(c.notes);
    calculerrésultats(1);
    EXPECT_EQ(état().totalélève[1], QString::fromUtf8(c.total)) << c.nom;
    EXPECT_EQ(pourcents(), c.pourcents) << c.nom;
  }
}

TEST_F(Resultats, MoitiesVersLeHaut) {
  const std::tuple<int, const char*, int, const char*, int> cas[] = {
      {8, "5", FAUX, " 13", 63},     // 62,5 % : 12,5 points
      {80, "51", VRAI, " 13", 64},   // 63,75 % : 25,5 demi-points
      {80, "50", VRAI, " 12.5", 63}, // 62,5 % : 25 demi-points
  };
  for (const auto& [maximum, note, demi, total, pourcent] : cas) {
    préparer({"100% -> A1"}, {maximum}, {1});
    état().arrondidemi = demi;
    noter({QString::fromUtf8(note)});
    calculerrésultats(1);
    EXPECT_EQ(état().totalélève[1], QString::fromUtf8(total)) << note << "/" << maximum;
    EXPECT_EQ(pourcents(), QList<int>{pourcent}) << note << "/" << maximum;
  }
}

TEST_F(Resultats, DemiPointNeDonneQueDesPointZeroOuPointCinq) {
  préparer({"100% -> A1"}, {17}, {1});
  état().arrondidemi = VRAI;
  for (int note = 0; note <= 17; ++note) {
    noter({QString::number(note)});
    calculerrésultats(1);
    const double points = état().totalélève[1].toDouble();
    EXPECT_EQ(points * 2, std::floor(points * 2)) << note;
  }
}

TEST_F(Resultats, NotesOralesEtMaximumNul) {
  préparer({"060% -> A1", "040% -> A2"}, {10, 0}, {1, 2});
  noter({"7", "0"});
  calculerrésultats(1);
  EXPECT_EQ(pourcents(), (QList<int>{70, 0}));  // A2 notée, mais sur 0
  EXPECT_EQ(état().totalélève[1], QStringLiteral(" 14"));

  préparer({"060% -> A1", "040% -> A2"}, {10, 10}, {1, 2});
  noter({"7", "A"});
  oral(10, 9, 2);
  calculerrésultats(1);
  EXPECT_EQ(pourcents(), (QList<int>{70, 90}));
  EXPECT_EQ(état().totalélève[1], QStringLiteral(" 16"));

  // Une note orale négative : moitiés vers le haut aussi sous zéro.
  préparer({"100% -> A1"}, {}, {});
  oral(10, -0.25, 1);
  calculerrésultats(1);
  EXPECT_EQ(pourcents(), QList<int>{-2});
  EXPECT_EQ(état().totalélève[1], QStringLiteral(" 0"));
}

TEST_F(Resultats, SommesTropGrandesEtCompetenceInexistante) {
  préparer({"100% -> A1"}, {30000, 30000}, {1, 1});
  noter({"1", "1"});
  EXPECT_THROW(calculerrésultats(1), ErreurDonnée);

  préparer({"100% -> A1"}, {10}, {3});
  noter({"5"});
  EXPECT_THROW(calculerrésultats(1), ErreurDonnée);
}

TEST_F(Resultats, VerificationDesPoids) {
  préparer({"060% -> A1", "040% -> A2"}, {}, {});
  EXPECT_TRUE(vérifierpoids());
  EXPECT_TRUE(boîtes.montrées().isEmpty());
  préparer({"050% -> A1", "040% -> A2"}, {}, {});
  boîtes.répondre(OK);
  EXPECT_FALSE(vérifierpoids());
  ASSERT_EQ(boîtes.montrées().size(), 1);
  EXPECT_EQ(boîtes.montrées()[0].titre, QStringLiteral("Attention !"));
  EXPECT_EQ(boîtes.montrées()[0].texte,
            QStringLiteral("La somme des coefficients n'est pas égale à 100.  Elle vaut actuellement 90%."));
}

TEST_F(Resultats, ExplicationsDesCasParticuliers) {
  struct Cas {
    const char* nom;
    QStringList compétences, notes;
    int demi;
    QStringList phrases;  // chacune doit se trouver dans l'explication
    const char* total;
    const char* enregistré = nullptr;  // le résultat que le fichier garde, s'il diffère
    const char* absente = "changement fait ailleurs";
  };
  const Cas cas[] = {
      {"seulement des absences", {"060% -> A1", "040% -> A2"}, {"A", "NC", "A"}, FAUX,
       {"test n°1 : A (absent) : ne compte pas", "test n°2 : NC (non compté) : ne compte pas",
        "Aucune note comptée dans cette période : pas de résultat (« ? »).", "Résultat : ? / 20"},
       "?"},
      {"poids de 0 %", {"000% -> A1", "100% -> A2"}, {"5", "10", "A"}, FAUX,
       {"Les compétences notées pèsent toutes 0 % : pas de résultat (« ? »)."}, "?"},
      {"poids utilisés sous 100", {"060% -> A1", "040% -> A2"}, {"5", "10", "NC"}, FAUX,
       {"15 point(s) sur 30, soit 50 % (arrondi : 50 %)", "pèsent 60 % en tout (pas 100) : le pourcentage est ramené",
        "Pourcentage pondéré : (60 % × 50 %) / 60 = 50 %", "50 % de 20 = 10, arrondi au point entier : 10", "Résultat : 10 / 20"},
       " 10"},
      {"demi-points", {"060% -> A1", "040% -> A2"}, {"7", "13", "6.5"}, VRAI,
       {"test n°3 : 6,5 / 10", "Pourcentage pondéré : (60 % × 66,67 % + 40 % × 65 %) / 100 = 66 %",
        "66 % de 20 = 13,2, arrondi au demi-point : 13", "Résultat : 13 / 20"},
       " 13"},
      {"absence injustifiée", {"100% -> A1"}, {"AI", "10", "5"}, FAUX,
       {"test n°1 : AI / 10 (absence injustifiée : compte 0)", "Résultat : 8 / 20"}, " 8"},
      {"résultat supprimé", {"100% -> A1"}, {"AI", "10", "5"}, FAUX,
       {"Résultat supprimé par l'enseignant", "Le calcul donnerait : 8 / 20"}, " 8", "?", "Résultat : 8"},
      {"changé ailleurs", {"100% -> A1"}, {"AI", "10", "5"}, FAUX,
       {"le fichier garde le résultat 9,5, calculé avant un changement fait ailleurs", "Résultat : 8 / 20"}, " 8", " 9.5",
       "supprimé"},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    préparer(c.compétences, {10, 20, 10}, {1, 1, static_cast<int>(c.compétences.size())});
    état().arrondidemi = c.demi;
    état().nomélève.redim(2);
    état().nomélève[1] = QStringLiteral("Dupont");
    état().périodecourante = QStringLiteral("P1");
    noter(c.notes);
    calculerrésultats(1);
    if (c.enregistré) état().totalélève[1] = QString::fromUtf8(c.enregistré);
    const Explication e = expliquerrésultat(1);
    for (const QString& phrase : c.phrases) EXPECT_TRUE(e.texte.contains(phrase)) << phrase.toStdString() << "\n" << e.texte.toStdString();
    EXPECT_FALSE(e.texte.contains(QString::fromUtf8(c.absente))) << e.texte.toStdString();
    EXPECT_EQ(e.total, QString::fromUtf8(c.total));
    calculerrésultats(1);
    EXPECT_EQ(état().totalélève[1], e.total);
    EXPECT_EQ(pourcents(), e.pourcents);
  }
}

}  // namespace
