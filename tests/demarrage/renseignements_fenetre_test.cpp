#include <gtest/gtest.h>

#include "tests/outils/impressionqt.h"

#include "demarrage/renseignementspardefaut.h"
#include "noyau/base/dossiers.h"
#include "noyau/base/etat.h"
#include "noyau/fichiers/renseignements.h"
#include "plateforme/fichiers.h"
#include "plateforme/services.h"
#include "socle/registre.h"
#include "tests/outils/essai.h"

namespace {

class FenetreRens : public EssaiDonnees {
protected:
  void SetUp() override {
    EssaiDonnees::SetUp();
    écrire(racine + QStringLiteral("/rensdef.evl"), crlf({"13", "", " 0", " 0", " 0", dossieramov, "C:"}));
    lirerenseignements();
  }
  void TearDown() override {
    oublierfenêtres();
    EssaiDonnees::TearDown();
  }
  FenetreRenseignements& f = renseignementspardéfaut();
  const QString attentionannée = QStringLiteral(
      "Changer cette valeur peut rendre le programme instable (sauf si vous avez accédé à cette fenêtre à partir de "
      "l'écran de bienvenue)... A vos risques et périls !!! Il faudra redémarrer le logiciel après ce changement et "
      "les dernières modifications (points) ne seront pas sauvegardées. Il est préférable de changer l'année scolaire "
      "à partir de la fenêtre 'liste des classes'. Voulez-vous quand même continuer ?");
};

TEST_F(FenetreRens, ValeursParDefautEtTailleDEcran) {
  f.Form_Load();
  EXPECT_EQ(f.nombrepériode->text(), QStringLiteral("3"));
  EXPECT_EQ(f.pmax->text(), QStringLiteral("20"));
  EXPECT_EQ(f.annéescolaire->text(), QStringLiteral(" 13 - 14"));
  EXPECT_EQ(f.lecteurdisquette->text(), dossieramov);
  EXPECT_TRUE(f.Option1->isChecked());  // sans affichage.txt : 800
  f.Option3->setChecked(true);
  f.cmdok_Click();
  EXPECT_EQ(lire(racine + QStringLiteral("/affichage.txt")), QByteArray("1152\r\n"));
  EXPECT_EQ(état().dossieramovible, dossieramov + u'\\');  // relu après l'écriture
  f.Form_Load();
  EXPECT_TRUE(f.Option3->isChecked());
  EXPECT_EQ(lire(racine + QStringLiteral("/rensdef.evl")),
            crlf({"13", "", " 3", " 0", " 20", dossieramov, "C:", "Aucune"}));
}

TEST_F(FenetreRens, NombresDemandes) {
  f.Form_Load();
  const std::pair<const char*, int> cas[] = {{"0", 3}, {"", 3}, {"-2", 3}, {"5", 5}, {"4.5", 4}, {"99999", 4}};
  for (const auto& [réponse, attendu] : cas) {
    boîtes.répondretexte(QString::fromUtf8(réponse));
    f.cornombrepériodes_Click();
    EXPECT_EQ(état().nbpériodesdéfaut, attendu) << réponse;
    EXPECT_EQ(f.nombrepériode->text(), QString::number(attendu)) << réponse;
  }
  boîtes.répondretexte(QStringLiteral("50"));
  f.corpmax_Click();
  EXPECT_EQ(état().maxpériodedéfaut, 50);
  const BoiteMontrée& b = boîtes.montrées().last();
  EXPECT_EQ(b.titre, QStringLiteral("CORRIGER"));
  EXPECT_EQ(b.texte, QStringLiteral("Sur combien est\n\nchaque période ?"));
  EXPECT_EQ(b.défaut, QStringLiteral("20"));
}

TEST_F(FenetreRens, DemiPointAvertit) {
  f.Form_Load();
  boîtes.répondre(ANNULER);
  f.casedemi->setChecked(true);
  f.casedemi_Click();
  ASSERT_EQ(boîtes.montrées().size(), 1);
  EXPECT_EQ(boîtes.montrées()[0].titre, QStringLiteral("ATTENTION !"));
  EXPECT_TRUE(boîtes.montrées()[0].texte.startsWith(
      QStringLiteral("Le règlement des écoles de la Communauté française précise que les moyennes doivent être arrondies")));
  EXPECT_TRUE(boîtes.montrées()[0].texte.endsWith(QStringLiteral("BREF, FORTEMENT DECONSEILLE !!!!!")));
  EXPECT_TRUE(f.casedemi->isChecked());  // la case reste cochée
  f.casedemi->setChecked(false);
  f.casedemi_Click();
  EXPECT_EQ(boîtes.montrées().size(), 1);
}

TEST_F(FenetreRens, AnneeChangeeDepuisLaListeDesClassesTermine) {
  état().annéescolaire = QStringLiteral("13");
  écrire(disquedur(QStringLiteral("fichiersentrés.txt")), crlf({"listclas.13"}));
  f.Form_Load();
  boîtes.répondre(OUI);
  boîtes.répondretexte(QStringLiteral("14"));
  f.corannéescolaire_Click();
  EXPECT_EQ(boîtes.montrées()[0].titre, QStringLiteral("ATTENTION"));
  EXPECT_EQ(boîtes.montrées()[0].texte, attentionannée);
  EXPECT_TRUE(f.redémarrer());
  EXPECT_EQ(état().annéescolairedéfaut, QStringLiteral(" 14"));
  EXPECT_THROW(f.cmdok_Click(), ProgrammeTerminé);
  EXPECT_FALSE(existe(disquedur(QStringLiteral("fichiersentrés.txt"))));
  EXPECT_TRUE(lire(racine + QStringLiteral("/rensdef.evl")).startsWith(" 14\r\n"));
}

TEST_F(FenetreRens, AnneeChangeeDepuisLaBienvenueNeTerminePas) {
  état().étatdémarrage = QStringLiteral("bienvenue");
  état().annéescolaire = QStringLiteral("13");
  f.Form_Load();
  boîtes.répondretexte(QStringLiteral("14"));
  f.corannéescolaire_Click();
  EXPECT_EQ(boîtes.montrées().size(), 1);  // la saisie seule, sans avertissement
  EXPECT_FALSE(f.redémarrer());
  f.cmdok_Click();
  EXPECT_EQ(état().annéescolairedéfaut, QStringLiteral(" 14"));

  // Refus de l'avertissement, ou saisie annulée : rien ne change.
  état().étatdémarrage.clear();
  f.Form_Load();
  boîtes.répondre(NON);
  f.corannéescolaire_Click();
  boîtes.répondre(OUI);
  boîtes.répondretexte(QString());
  f.corannéescolaire_Click();
  EXPECT_FALSE(f.redémarrer());
}

TEST_F(FenetreRens, DisqueAmovible) {
  état().étatdémarrage = QStringLiteral("bienvenue");
  f.Form_Load();
  const QString nouveau = temporaire.path() + QStringLiteral("/autre clé");
  boîtes.répondretexte(nouveau);
  boîtes.répondre(OUI);
  f.Command2_Click();
  EXPECT_EQ(boîtes.montrées()[0].texte, QStringLiteral("Nom du nouveau dossier ou 'lecteur'"));
  EXPECT_EQ(boîtes.montrées()[0].défaut, dossieramov);
  EXPECT_EQ(boîtes.montrées()[1].titre, QStringLiteral("Lecteur ou dossier inexistant"));
  EXPECT_EQ(boîtes.montrées()[1].texte, QStringLiteral("Le dossier spécifié (") + nouveau + QStringLiteral(") n'existe pas.  Faut-il le créer ?"));
  EXPECT_TRUE(dossierexiste(nouveau));
  EXPECT_EQ(état().dossieramovible, nouveau);
  EXPECT_EQ(f.lecteurdisquette->text(), nouveau);
  EXPECT_FALSE(f.redémarrer());

  // Un dossier impossible à créer (sous un fichier) : message clair, l'ancien reste.
  écrire(temporaire.path() + QStringLiteral("/fichier"), "x");
  boîtes.oublier();
  état().étatdémarrage.clear();
  boîtes.répondretexte(temporaire.path() + QStringLiteral("/fichier/clé"));
  boîtes.répondre(OUI);
  boîtes.répondre(OK);
  f.Command2_Click();
  ASSERT_EQ(boîtes.montrées().size(), 3);
  EXPECT_TRUE(boîtes.montrées()[0].texte.startsWith(QStringLiteral("Changer cette valeur peut rendre le programme instable...")));
  EXPECT_TRUE(boîtes.montrées()[2].texte.contains(QStringLiteral("ne peut pas être créé")));
  EXPECT_EQ(état().dossieramovible, nouveau);
  EXPECT_FALSE(f.redémarrer());
}

TEST_F(FenetreRens, CompetenceAjouteeRemplaceAucune) {
  f.Form_Load();
  boîtes.répondretexte(QStringLiteral("Calcul"));
  boîtes.répondretexte(QStringLiteral("Géométrie"));
  boîtes.répondretexte(QString());
  for (int i = 0; i < 3; ++i) f.Command1_Click();
  ASSERT_EQ(f.listecompétences->count(), 2);
  EXPECT_EQ(f.listecompétences->item(0)->text(), QStringLiteral("Calcul"));
  EXPECT_EQ(état().compétencesdéfaut[2], QStringLiteral("Géométrie"));
  EXPECT_EQ(boîtes.montrées()[0].titre, QStringLiteral("Nom de la compétence"));
}

}  // namespace
