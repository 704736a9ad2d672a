#include <gtest/gtest.h>

#include "tests/outils/impressionqt.h"

#include "noyau/base/etat.h"
#include "noyau/fichiers/notesclasse.h"
#include "noyau/regles/totaux.h"
#include "tests/outils/essai.h"

namespace {

class Totaux : public EssaiDonnees {
protected:
  void SetUp() override {
    EssaiDonnees::SetUp();
    état().nbclasses = 1;
    état().dossierclasse.redim(2);
    état().dossierclasse[1] = QStringLiteral("6C131");
    état().dernièrepériode.redim(2);
    état().nbexamenscréés.redim(2);
    état().classecourante = 1;
    installer(QStringLiteral("MPE"), {" 1", " 20", " 50", "100% -> Tout"});
  }
  void installer(const QString& suffixe, const QStringList& lignes) {
    deuxdisques(QStringLiteral("6C131\\6C131.") + suffixe, lignes);
  }
  // Fichier des notes sans test, avec le résultat enregistré de chaque élève.
  void période(const QString& clé, const QStringList& résultats) {
    QStringList lignes{QStringLiteral(" %1").arg(résultats.size()), " 1", " 0", " 1"};
    int i = 0;
    for (const QString& r : résultats) lignes << QStringLiteral("Élève %1/10").arg(++i) << QStringLiteral(" 50/") + r + QStringLiteral("/ 0/");
    installer(clé + u'N', lignes);
    installer(clé + u'R', {" 20", "01/09", "Test", " 1"});
  }
};

TEST_F(Totaux, PeriodesExamensSommesEtManques) {
  période(QStringLiteral("P1"), {" 12", " 14", " 9"});
  période(QStringLiteral("P2"), {" 13", "?", " 10.5"});
  période(QStringLiteral("P3"), {" 15", " 16", " 11", " 18"});  // un élève de plus : ignoré
  période(QStringLiteral("E1"), {" 40", " 30"});                // un élève de moins : "?"
  état().dernièrepériode[1] = 3;
  état().nbexamenscréés[1] = 1;
  état().périodecourante = QStringLiteral("P2");
  chargerclasse();
  const ÉtatPartagé avant = état();

  rassemblertotaux();
  const ÉtatPartagé& é = état();
  const QStringList attendu1[] = {{" 12", " 13", " 15"}, {" 14", "?", " 16"}, {" 9", " 10.5", " 11"}};
  for (int i = 1; i <= 3; ++i)
    for (int p = 1; p <= 3; ++p) EXPECT_EQ(é.totauxrapport1(i, p), attendu1[i - 1][p - 1]) << i << "," << p;
  EXPECT_EQ(é.totauxrapport2(1, 1), QStringLiteral(" 40"));
  EXPECT_EQ(é.totauxrapport2(3, 1), QStringLiteral("?"));
  EXPECT_EQ(é.totauxrapport3[1], QStringLiteral(" 40"));
  EXPECT_EQ(é.totauxrapport3[2], QStringLiteral("?30"));
  EXPECT_EQ(é.totauxrapport3[3], QStringLiteral(" 30.5"));
  EXPECT_EQ(é.totauxrapport4[2], QStringLiteral(" 30"));
  EXPECT_EQ(é.totauxrapport4[3], QStringLiteral("?0"));

  // La période ouverte est exactement celle d'avant l'appel.
  ÉtatPartagé après = é;
  après.totauxrapport1 = avant.totauxrapport1;
  après.totauxrapport2 = avant.totauxrapport2;
  après.totauxrapport3 = avant.totauxrapport3;
  après.totauxrapport4 = avant.totauxrapport4;
  EXPECT_TRUE(après == avant);
  EXPECT_EQ(é.pascalcul, 0);
}

TEST_F(Totaux, TroisPeriodesSansExamen) {
  période(QStringLiteral("P1"), {" 12"});
  période(QStringLiteral("P2"), {" 13"});
  période(QStringLiteral("P3"), {" 14"});
  état().dernièrepériode[1] = 3;
  état().périodecourante = QStringLiteral("P3");
  chargerclasse();
  rassemblertotaux();
  EXPECT_EQ(état().totauxrapport1.borne2(), 3);
  EXPECT_EQ(état().totauxrapport2.borne2(), 0);
  EXPECT_EQ(état().totauxrapport3[1], QStringLiteral(" 39"));
  EXPECT_EQ(état().totauxrapport4[1], QString());
  EXPECT_EQ(état().périodecourante, QStringLiteral("P3"));
}

}  // namespace
