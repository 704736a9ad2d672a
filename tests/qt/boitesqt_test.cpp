// Les boîtes Qt ne dépassent jamais l'écran : une liste de milliers de noms garde son
// début et ses consignes visibles, le reste dans les détails.

#include <gtest/gtest.h>

#include <QMessageBox>

#include "plateforme/qt/boitesqt.h"

namespace {

TEST(BoitesQt, UneLongueListeNeDepassePasLEcran) {
  QStringList noms;
  for (int i = 1; i <= 2325; ++i) noms.append(QStringLiteral("- Élève n°%1").arg(i));
  const struct {
    const char* quoi;
    QString texte, détails;
    bool coupé;
  } cas[] = {
      {"court", QStringLiteral("Le nom de l'élève ne peut pas inclure le caractère </>"), QString(), false},
      {"2 325 noms", QStringLiteral("Ces noms :\n\n") + noms.join(u'\n') + QStringLiteral("\n\nOui : les ajouter.\nNon : revenir."),
       QStringLiteral("différences"), true},
      {"une ligne d'un million de caractères", QString(1'000'000, u'x'), QString(), false},
  };
  for (const auto& c : cas) {
    SCOPED_TRACE(c.quoi);
    QMessageBox boîte(QMessageBox::Question, QStringLiteral("Essai"), QString(), QMessageBox::Yes | QMessageBox::No);
    poserletexte(boîte, c.texte, c.détails);
    boîte.adjustSize();
    EXPECT_LT(boîte.sizeHint().height(), 700);
    EXPECT_LE(boîte.text().count(u'\n'), 24);
    if (!c.coupé) continue;
    EXPECT_TRUE(boîte.text().startsWith(QStringLiteral("Ces noms :\n\n- Élève n°1\n")));
    EXPECT_TRUE(boîte.text().endsWith(QStringLiteral("- Élève n°2325\n\nOui : les ajouter.\nNon : revenir.")));
    EXPECT_TRUE(boîte.text().contains(QStringLiteral("et 2312 lignes de plus, dans les détails")));
    EXPECT_TRUE(boîte.detailedText().startsWith(QStringLiteral("- Élève n°11\n")));
    EXPECT_TRUE(boîte.detailedText().endsWith(QStringLiteral("- Élève n°2322\n\ndifférences")));
  }
}

// Les titres aux lettres espacées se disent en mots ; l'écran garde leur allure.
TEST(BoitesQt, TitresEspacesDitsEnMots) {
  const struct {
    const char *titre, *lisible;
  } cas[] = {
      {"A T T E N T I O N !!!", "Attention !!!"},
      {"!  A T T E N T I O N  !", "! Attention !"},
      {"A N N U L A T I O N", "Annulation"},
      {"I M P R I M E R", "Imprimer"},
      {"ATTENTION", "ATTENTION"},
      {"Disque amovible", "Disque amovible"},
      {"Noms à changer", "Noms à changer"},
  };
  for (const auto& c : cas) {
    SCOPED_TRACE(c.titre);
    EXPECT_EQ(titrelisible(QString::fromUtf8(c.titre)), QString::fromUtf8(c.lisible));
    QMessageBox boîte;
    poserletitre(boîte, QString::fromUtf8(c.titre));
    EXPECT_EQ(boîte.windowTitle(), QString::fromUtf8(c.titre));
    EXPECT_EQ(boîte.accessibleName(), c.lisible == std::string_view(c.titre) ? QString() : QString::fromUtf8(c.lisible));
  }
}

}  // namespace
