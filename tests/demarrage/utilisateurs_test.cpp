#include <gtest/gtest.h>

#include <QShortcut>

#include <QDir>
#include <QFileInfo>
#include <QTest>

#include "classes/listeclasses.h"
#include "demarrage/back.h"
#include "demarrage/bienvenue.h"
#include "demarrage/utilisateurs.h"
#include "noyau/base/dossiers.h"
#include "noyau/base/etat.h"
#include "noyau/fichiers/utilisateurs.h"
#include "plateforme/fichiers.h"
#include "plateforme/services.h"
#include "socle/registre.h"
#include "tests/outils/essai.h"

namespace {

class Utilisateurs : public EssaiDonnees {
protected:
  void SetUp() override {
    EssaiDonnees::SetUp();
    services().dossierprogramme = racine;
  }
  void TearDown() override {
    oublierfenêtres();
    EssaiDonnees::TearDown();
  }
  QString fichier() const { return racine + QStringLiteral("/utilisateurs.evl"); }
  QStringList lignes() const { return lirefichier(fichier()); }
  void choisirligne(int ligne) {
    f.listeutilisateurs->setCurrentRow(ligne);
    f.listeutilisateurs_Click();
  }
  FenetreUtilisateurs& f = utilisateurs();
};

TEST(NomUtilisateur, CaracteresQuiSortiraientDuDossierDuProgramme) {
  for (const char* accepté : {"Dupont", "Mme Élodie Martin", "Jean-Luc_2", "O'Brien"})
    EXPECT_EQ(refusnomutilisateur(QString::fromUtf8(accepté)), QString()) << accepté;
  for (const char* refusé : {"../Dupont", "a/b", "a\\b", "c:", ".cache", "..", "x..y", "Dupont, Martin", "tab\there",
                             "ligne\nsuivante", "quoi?", "<nom>"}) {
    const QString texte = refusnomutilisateur(QString::fromUtf8(refusé));
    EXPECT_TRUE(texte.contains(QStringLiteral("pas de caractères spéciaux"))) << refusé;
  }
}

TEST_F(Utilisateurs, DoubleClicSurLEtiquetteAllumeLaListe) {
  FenetreBienvenue& b = Bienvenue();
  b.Form_Load();
  EXPECT_TRUE(fenêtresmontrées.isEmpty());
  surfenêtre = [&](const QString& nom) {
    ASSERT_EQ(nom, QStringLiteral("utilisateurs"));
    f.Form_Load();
    EXPECT_EQ(f.listeutilisateurs->count(), 0);
    boîtes.répondretexte(QStringLiteral("../Martin"));  // refusé, la question revient
    boîtes.répondre(OK);
    boîtes.répondretexte(QStringLiteral("  Martin  "));
    f.cmdajouter_Click();
    boîtes.répondretexte(QStringLiteral("Dupont"));
    f.cmdajouter_Click();
    f.listeutilisateurs->setCurrentRow(0);
    EXPECT_EQ(f.listeutilisateurs->accessibleName(), QStringLiteral("Utilisateurs"));
    QTest::keyClick(f.listeutilisateurs, Qt::Key_Return);  // Entrée comme le double clic
  };
  // Au clavier (Ctrl+U) comme au double clic sur l'étiquette.
  QShortcut* raccourci = b.findChild<QShortcut*>(QStringLiteral("raccourciutilisateurs"));
  ASSERT_NE(raccourci, nullptr);
  EXPECT_EQ(raccourci->key(), QKeySequence(QStringLiteral("Ctrl+U")));
  Q_EMIT raccourci->activated();
  EXPECT_EQ(fenêtresmontrées, QStringList{QStringLiteral("utilisateurs")});
  const QList<BoiteMontrée>& m = boîtes.montrées();
  ASSERT_EQ(m.size(), 4);
  EXPECT_EQ(m[0].titre, QStringLiteral("Nouvel utilisateur"));
  EXPECT_EQ(m[0].texte, QStringLiteral("Nom du nouvel utilisateur (pas de caractères spéciaux)"));
  EXPECT_EQ(m[1].genre, GenreBoite::Avertissement);
  EXPECT_EQ(m[1].texte, QStringLiteral("Ces caractères ne sont pas permis ici : « / ».\n\nRetapez le texte sans eux."));
  EXPECT_EQ(m[2].défaut, QStringLiteral("../Martin"));
  EXPECT_EQ(lignes(), (QStringList{"Martin", "Dupont"}));
  EXPECT_TRUE(QFileInfo(racine + QStringLiteral("/Dupont")).isDir());
  EXPECT_FALSE(QFileInfo::exists(temporaire.path() + QStringLiteral("/Martin")));
  EXPECT_EQ(état().utilisateur, QStringLiteral("Martin"));
  EXPECT_EQ(b.étiqutilisateur->text(), QStringLiteral("Martin"));
  EXPECT_EQ(chemindisquedur(QStringLiteral("listclas.13")), racine + QStringLiteral("/Martin/evalo/listclas.13"));
  EXPECT_EQ(cheminréel(cheminrenseignements()), racine + QStringLiteral("/Martin/rensdef.evl"));
}

TEST_F(Utilisateurs, ToutLeDemarrageDansLeDossierDeLUtilisateur) {
  écrirefichier(fichier(), {QStringLiteral("Dupont")});
  // Le dossier existe déjà, avec ses renseignements et ses données : ils sont repris.
  const QString dossier = racine + QStringLiteral("/Dupont");
  écrire(dossier + QStringLiteral("/rensdef.evl"), crlf({"13", "", " 3", " 0", " 20", dossieramov, "C:"}));
  écrire(dossier + QStringLiteral("/evalo/listclas.13"), crlf({" 0"}));
  écrire(amovible(QStringLiteral("listclas.13")), crlf({" 0"}));
  écrire(dossier + QStringLiteral("/evalo/fichiersentrés.txt"), crlf({"listclas.13"}));
  surfenêtre = [&](const QString&) {
    f.Form_Load();
    f.listeutilisateurs->setCurrentRow(0);
    f.listeutilisateurs_DblClick();
  };
  boîtes.répondre(OUI);  // reprise après une fin anormale, dans le dossier de Dupont
  FenetreBienvenue& b = Bienvenue();
  b.Form_Load();
  b.Command1_Click();
  EXPECT_TRUE(b.sessionprête());
  EXPECT_EQ(boîtes.montrées()[0].titre, QStringLiteral("ATTENTION"));
  EXPECT_TRUE(existe(dossier + QStringLiteral("/evalo/fichiersentrés.txtback.txt")));
  EXPECT_FALSE(existe(racine + QStringLiteral("/evalo/fichiersentrés.txtback.txt")));
  EXPECT_FALSE(existe(racine + QStringLiteral("/rensdef.evl")));
  EXPECT_EQ(état().nbclasses, 0);
}

TEST_F(Utilisateurs, FermerSansChoixGardeLeDossierDuProgramme) {
  écrirefichier(fichier(), {QStringLiteral("Dupont,Martin")});
  surfenêtre = [&](const QString&) {
    f.Form_Load();
    EXPECT_EQ(f.listeutilisateurs->count(), 2);
    f.cmdannuler_Click();
  };
  Bienvenue().Form_Load();
  EXPECT_EQ(état().dossierracine, racine);
  EXPECT_EQ(Bienvenue().étiqutilisateur->text(), QStringLiteral("TOUS"));
}

TEST_F(Utilisateurs, NomDejaDansLaListe) {
  écrirefichier(fichier(), {QStringLiteral("Dupont")});
  f.Form_Load();
  boîtes.répondretexte(QStringLiteral("dupont"));
  f.cmdajouter_Click();
  EXPECT_EQ(boîtes.montrées().last().genre, GenreBoite::Message);
  EXPECT_EQ(lignes(), QStringList{QStringLiteral("Dupont")});
  EXPECT_EQ(f.listeutilisateurs->count(), 1);
}

TEST_F(Utilisateurs, RetirerDemandeEtGardeLesDonnees) {
  écrirefichier(fichier(), {QStringLiteral("Dupont"), QStringLiteral("Martin")});
  for (const QString& n : {QStringLiteral("Dupont"), QStringLiteral("Martin")})
    écrire(racine + u'/' + n + QStringLiteral("/rensdef.evl"), crlf({"13"}));
  f.Form_Load();
  f.cmdretirer_Click();  // aucune ligne choisie : rien
  EXPECT_TRUE(boîtes.montrées().isEmpty());
  choisirligne(0);
  for (const int réponse : {NON, ANNULER}) {
    boîtes.répondre(réponse);
    f.cmdretirer_Click();
    EXPECT_EQ(lignes(), (QStringList{"Dupont", "Martin"}));
  }
  EXPECT_EQ(boîtes.montrées()[0].titre, QStringLiteral("Dupont"));
  EXPECT_EQ(boîtes.montrées()[0].texte, QStringLiteral("Faut-il réellement retirer cet utilisateur ?"));
  boîtes.répondre(OUI);
  f.cmdretirer_Click();
  EXPECT_EQ(lignes(), QStringList{QStringLiteral("Martin")});
  choisirligne(0);
  boîtes.répondre(OUI);
  f.cmdretirer_Click();
  EXPECT_FALSE(existe(fichier())) << "le dernier retiré éteint la liste";
  EXPECT_EQ(f.listeutilisateurs->count(), 0);
  for (const QString& n : {QStringLiteral("Dupont"), QStringLiteral("Martin")})
    EXPECT_EQ(lire(racine + u'/' + n + QStringLiteral("/rensdef.evl")), crlf({"13"}));
  Bienvenue().Form_Load();
  EXPECT_TRUE(fenêtresmontrées.isEmpty());
}

// Un utilisateur retiré, le suivant se retire d'un clic, comme le premier.
TEST_F(Utilisateurs, RetirerDeuxUtilisateursDeSuite) {
  écrirefichier(fichier(), {QStringLiteral("Marie"), QStringLiteral("Jean")});
  f.Form_Load();
  f.show();
  const auto cliquer = [&](const QString& nom) {
    QListWidgetItem* ligne = f.listeutilisateurs->findItems(nom, Qt::MatchExactly).value(0);
    ASSERT_NE(ligne, nullptr) << nom.toStdString();
    QTest::mouseClick(f.listeutilisateurs->viewport(), Qt::LeftButton, {},
                      f.listeutilisateurs->visualItemRect(ligne).center());
  };
  for (const QString& nom : {QStringLiteral("Marie"), QStringLiteral("Jean")}) {
    cliquer(nom);
    boîtes.répondre(OUI);
    f.cmdretirer_Click();
    EXPECT_TRUE(f.listeutilisateurs->findItems(nom, Qt::MatchExactly).isEmpty()) << nom.toStdString();
  }
  EXPECT_EQ(boîtes.montrées().size(), 2);
  EXPECT_FALSE(existe(fichier()));
  f.hide();
}

class Back : public Utilisateurs {
protected:
  void SetUp() override {
    Utilisateurs::SetUp();
    écrire(disquedur(QStringLiteral("listclas.13")), crlf({" 1", "5A", "Math", "5A131", " 1", " 0"}));
    écrire(disquedur(QStringLiteral("5A131\\5A131.MPE")), crlf({" 20"}));
    écrire(disquedur(QStringLiteral("5A131\\5A131.P1N")), crlf({" 0", " 0", " 0", " 1"}));
    écrire(disquedur(nomlistevérifiés), crlf({"listclas.13"}));
  }
  FenetreBack& w = back();
};

TEST_F(Back, OuvertDepuisLaListeDesClassesSurLeDossierAmovible) {
  fenêtrelisteclasses().Command1_Click();
  EXPECT_EQ(fenêtresmontrées, QStringList{QStringLiteral("back")});
  w.Form_Load();
  EXPECT_EQ(w.dossiercible->text(), QDir::toNativeSeparators(dossieramov));
  EXPECT_TRUE(w.label1->text().contains(QStringLiteral("<Commencer le back-up>")));
  services().choisirdossier = [&](const QString& titre, const QString& départ) {
    EXPECT_EQ(titre, QStringLiteral("Dossier du back-up"));
    EXPECT_EQ(QDir::fromNativeSeparators(départ), dossieramov);
    return temporaire.path() + QStringLiteral("/autre");
  };
  w.cmdchoisir_Click();
  EXPECT_EQ(w.dossiercible->text(), QDir::toNativeSeparators(temporaire.path() + QStringLiteral("/autre")));
}

TEST_F(Back, CopieCompletePuisPanne) {
  w.Form_Load();
  w.Démarrer_Click();
  EXPECT_EQ(w.label1->text(), QStringLiteral("BACK-UP TERMINE !!!"));
  EXPECT_EQ(lire(amovible(QStringLiteral("5A131\\5A131.P1N"))), lire(disquedur(QStringLiteral("5A131\\5A131.P1N"))));
  EXPECT_FALSE(existe(amovible(nomlistevérifiés)));
  EXPECT_EQ(std::pair(w.Progdir->value(), w.Progdir->maximum()), std::pair(1, 1));
  EXPECT_EQ(std::pair(w.Progfich->value(), w.Progfich->maximum()), std::pair(2, 2));
  EXPECT_FALSE(boîtes.sablieractif());

  // La clé se remplit après le premier fichier : l'erreur le dit, le bilan aussi.
  simulerdisquepleinaprès(1);
  boîtes.répondre(ANNULER);
  w.Démarrer_Click();
  const BoiteMontrée& erreur = boîtes.montrées().last();
  EXPECT_EQ(erreur.titre, titreerreur(amovible(QStringLiteral("5A131\\5A131.MPE"))));
  EXPECT_TRUE(erreur.texte.contains(QStringLiteral("Le disque est plein"))) << erreur.texte.toStdString();
  EXPECT_TRUE(w.label1->text().startsWith(QStringLiteral("Back-up incomplet : 1 fichier(s) copié(s) sur 3.")))
      << w.label1->text().toStdString();
  EXPECT_TRUE(w.Démarrer->isEnabled());
}

TEST_F(Back, DossierIntrouvableNeCopieRien) {
  w.Form_Load();
  w.dossiercible->setText(temporaire.path() + QStringLiteral("/clé débranchée"));
  w.Démarrer_Click();
  EXPECT_EQ(boîtes.montrées()[0].titre, QStringLiteral("BACK-UP"));
  EXPECT_TRUE(boîtes.montrées()[0].texte.contains(QStringLiteral("introuvable")));
  EXPECT_TRUE(w.label1->text().startsWith(QStringLiteral("Choisissez le dossier")));
  EXPECT_FALSE(existe(temporaire.path() + QStringLiteral("/clé débranchée")));
}

}  // namespace
