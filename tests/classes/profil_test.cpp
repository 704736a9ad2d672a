#include <gtest/gtest.h>

#include "tests/outils/impressionqt.h"

#include "classes/invites.h"
#include "classes/nouvelleclasse.h"
#include "classes/profil.h"
#include "noyau/base/etat.h"
#include "noyau/fichiers/profils.h"
#include "plateforme/fichiers.h"
#include "plateforme/services.h"
#include "socle/registre.h"
#include "tests/outils/essai.h"

void PrintTo(const Profil& p, std::ostream* os) {
  *os << (QStringList{p.nombreexamens} + p.examens + QStringList{"|"} + p.compétences).join(u';').toStdString();
}

namespace {

class Profils : public EssaiDonnees {
protected:
  void SetUp() override {
    EssaiDonnees::SetUp();
    ÉtatPartagé& é = état();
    é.nbexamensdéfaut = 1;
    é.maxexamensdéfaut.redim(1);
    é.maxexamensdéfaut[1] = 50;
    é.compétencesdéfaut.redim(2);
    é.compétencesdéfaut[1] = QStringLiteral("Calcul");
    é.compétencesdéfaut[2] = QStringLiteral("Géométrie");
    f.Form_Load();
  }
  void TearDown() override {
    oublierfenêtres();
    EssaiDonnees::TearDown();
  }
  QString chemin(const QString& fichier) const { return racine + u'/' + fichier; }
  void poids(int ligne, const QString& valeur) {
    f.listecompétences->setCurrentRow(ligne);
    boîtes.répondretexte(valeur);
    f.listecompétences_DblClick();
  }
  void cliquer(const QString& profil) {
    f.OuvrirListeProfils();
    const auto trouvés = f.ListeProfils->findItems(profil, Qt::MatchExactly);
    ASSERT_EQ(trouvés.size(), 1) << profil.toStdString();
    f.ListeProfils->setCurrentItem(trouvés.first());
    f.ListeProfils_Click();
  }
  FenetreProfil& f = ProfilAutomatique();
};

TEST_F(Profils, FormLoadMontreLesRéglagesParDéfautEtLesProfilsTriés) {
  for (const char* n : {"b.pra", "A.pra", "notes.txt"}) écrire(chemin(QString::fromUtf8(n)), "1\r\n");
  f.Form_Load();
  EXPECT_EQ(lignes(f.ListeProfils), QStringList({"A.pra", "b.pra"}));
  EXPECT_EQ(f.nombreexamens->text(), QStringLiteral(" 1"));
  EXPECT_EQ(lignes(f.listemaxexa), QStringList{" Examen n° 1 : / 50"});
  EXPECT_EQ(lignes(f.listecompétences), QStringList({"000% -> Calcul", "000% -> Géométrie"}));
}

TEST_F(Profils, SauvéSousLeNomSansBlancsEtMontréAussitôt) {
  poids(0, QStringLiteral("100"));
  boîtes.répondretexte(QStringLiteral("  Math 5e  "));
  f.cmdsauver_Click();
  EXPECT_EQ(lire(chemin(QStringLiteral("Math 5e.pra"))),
            crlf({" 1", " Examen n° 1 : / 50", "100% -> Calcul", "000% -> Géométrie"}));
  ASSERT_NE(f.ListeProfils->currentItem(), nullptr);
  EXPECT_EQ(f.ListeProfils->currentItem()->text(), QStringLiteral("Math 5e.pra"));
  EXPECT_EQ(boîtes.montrées(GenreBoite::Saisie).last().titre, QStringLiteral("SAUVEGARDE DU PROFIL"));
}

TEST_F(Profils, NomsRefusésEtSommeFausse) {
  struct Cas {
    const char* nom;
    bool poidsjuste;
    QStringList réponses;
    int avertissements;
  };
  const Cas cas[] = {
      {"somme de 0 %", false, {}, 1},
      {"nom vide", true, {""}, 0},
      {"../ puis vide", true, {"../Evalo", ""}, 1},
      {"barre, deux-points, contrôle", true, {"a/b", "C:x", "a,b", "\\x", ""}, 4},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    f.Form_Load();
    boîtes.oublier();
    if (c.poidsjuste) poids(1, QStringLiteral("100"));
    if (!c.poidsjuste) boîtes.répondre(OK);
    for (const QString& r : c.réponses) {
      boîtes.répondretexte(r);
      if (!r.isEmpty()) boîtes.répondre(OK);
    }
    f.cmdsauver_Click();
    EXPECT_EQ(boîtes.montrées(GenreBoite::Avertissement).size(), c.avertissements);
    EXPECT_TRUE(listerfichiers(racine).filter(QStringLiteral(".pra")).isEmpty());
    EXPECT_TRUE(listerfichiers(temporaire.path()).filter(QStringLiteral(".pra")).isEmpty());
  }
}

TEST_F(Profils, LectureDesFichiers) {
  struct Cas {
    const char* nom;
    QStringList contenu;
    Profil attendu;
  };
  const Cas cas[] = {
      {"deux examens, blancs de tête ôtés", {" 2", " Examen n° 1 : / 50", " Examen n° 2 : / 40", "100% -> Calcul"},
       {"2", {"Examen n° 1 : / 50", "Examen n° 2 : / 40"}, {"100% -> Calcul"}}},
      {"aucun examen", {"0", "060% -> Calcul", "  040% -> Géométrie", "000% -> Mesures"},
       {"0", {}, {"060% -> Calcul", "040% -> Géométrie", "000% -> Mesures"}}},
      {"virgule dans une compétence", {" 0", "100% -> Calcul, mental"}, {"0", {}, {"100% -> Calcul, mental"}}},
      {"moins de lignes qu'annoncé", {" 3", " Examen n° 1 : / 50"}, {"3", {"Examen n° 1 : / 50"}, {}}},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    écrire(chemin(QStringLiteral("p.pra")), crlf(c.contenu));
    EXPECT_EQ(lireprofil(QStringLiteral("p.pra")), c.attendu);
  }
}

TEST_F(Profils, VirguleGardéeAprèsSauvegardeEtRelecture) {
  f.listecompétences->addItem(QStringLiteral("100% -> Calcul, mental"));
  boîtes.répondretexte(QStringLiteral("Virgule"));
  f.cmdsauver_Click();
  f.Form_Load();
  cliquer(QStringLiteral("Virgule.pra"));
  EXPECT_EQ(lignes(f.listecompétences), QStringList({"000% -> Calcul", "000% -> Géométrie", "100% -> Calcul, mental"}));
}

TEST_F(Profils, ZéroExamenSauvéPuisRelu) {
  boîtes.répondretexte(QStringLiteral("0"));
  f.cmdexa_Click();
  poids(0, QStringLiteral("100"));
  boîtes.répondretexte(QStringLiteral("Sans examen"));
  f.cmdsauver_Click();
  EXPECT_EQ(lirefichier(chemin(QStringLiteral("Sans examen.pra"))), QStringList({"0", "100% -> Calcul", "000% -> Géométrie"}));
  f.Form_Load();
  cliquer(QStringLiteral("Sans examen.pra"));
  EXPECT_EQ(f.listemaxexa->count(), 0);
  EXPECT_EQ(lignes(f.listecompétences), QStringList({"100% -> Calcul", "000% -> Géométrie"}));
}

class ProfilDansNouvelleClasse : public Profils {
protected:
  void SetUp() override {
    Profils::SetUp();
    état().nbclasses = 1;
    for (auto* t : {&état().nomclasse, &état().nomcours, &état().dossierclasse}) t->redim(2);
    état().nomclasse[1] = QStringLiteral("5A");
    n.Form_Load();
    écrire(chemin(QStringLiteral("Trois.pra")), crlf({" 3", " Examen n° 1 : / 50", " Examen n° 2 : / 40",
                                                      " Examen n° 3 : / 60", "070% -> Calcul", "000% -> Mesures",
                                                      "030% -> Géométrie"}));
  }
  FenetreNouvelleClasse& n = fenêtrenouvelleclasse();
};

TEST_F(ProfilDansNouvelleClasse, AppliquerPuisOk) {
  surfenêtre = [this](const QString& nom) {
    ASSERT_EQ(nom, QStringLiteral("ProfilAutomatique"));
    f.Form_Load();
    cliquer(QStringLiteral("Trois.pra"));
    f.cmdok_Click();
  };
  n.cmdprofil_Click();
  EXPECT_EQ(n.nombreexamens->text(), QStringLiteral("3"));
  EXPECT_EQ(lignes(n.listemaxexa), QStringList({"Examen n° 1 : / 50", "Examen n° 2 : / 40", "Examen n° 3 : / 60"}));
  EXPECT_EQ(lignes(n.listecompétences), QStringList({"070% -> Calcul", "000% -> Mesures", "030% -> Géométrie"}));
  boîtes.répondretexte(QStringLiteral("Martin Léa"));
  boîtes.répondretexte(QString());
  n.cmdajouter_Click();
  n.cmdok_Click();
  EXPECT_EQ(état().nbexamens, 3);
  EXPECT_EQ(état().maxexamen[3], 60);
  EXPECT_EQ(état().nbcompétences(), 2);
}

TEST_F(ProfilDansNouvelleClasse, QuitterNeChangeRien) {
  const QStringList examens = lignes(n.listemaxexa), compétences = lignes(n.listecompétences);
  surfenêtre = [this](const QString&) {
    f.Form_Load();
    cliquer(QStringLiteral("Trois.pra"));
    f.cmdquitter_Click();
  };
  n.cmdprofil_Click();
  EXPECT_EQ(état().paramètresprofil.borne(), -1);
  EXPECT_EQ(lignes(n.listemaxexa), examens);
  EXPECT_EQ(lignes(n.listecompétences), compétences);
  EXPECT_EQ(n.nombreexamens->text(), QStringLiteral(" 1"));
}

}  // namespace
