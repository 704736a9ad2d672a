#include <gtest/gtest.h>

#include "tests/outils/impressionqt.h"

#include <QDir>

#include "demarrage/bienvenue.h"
#include "demarrage/renseignementspardefaut.h"
#include "noyau/base/dossiers.h"
#include "noyau/base/etat.h"
#include "noyau/base/module.h"
#include "plateforme/services.h"
#include "socle/registre.h"
#include "tests/outils/essai.h"

namespace {

class Demarrage : public EssaiDonnees {
protected:
  void SetUp() override {
    EssaiDonnees::SetUp();
    services().dossierprogramme = racine;
    état().annéescolaire.clear();
    état().annéeaffichée.clear();
    état().dossieramovible.clear();
  }
  void TearDown() override {
    oublierfenêtres();
    EssaiDonnees::TearDown();
  }
  QString maison() const { return temporaire.path() + QStringLiteral("/maison"); }
  void écrirerens(const QString& amovible, const QString& année = QStringLiteral("13")) {
    écrire(racine + QStringLiteral("/rensdef.evl"), crlf({année, "", " 3", " 0", " 20", amovible, "C:"}));
  }
  // La fenêtre des renseignements, ouverte et validée comme le ferait l'utilisateur.
  void validerrenseignements() {
    surfenêtre = [](const QString& nom) {
      ASSERT_EQ(nom, QStringLiteral("renseignementspardéfaut"));
      renseignementspardéfaut().Form_Load();
      renseignementspardéfaut().cmdok_Click();
    };
  }
  const QString questionabandon = QStringLiteral(
      "Le logiciel ne s'est pas arrêté correctement la dernière fois.  Certains fichiers peuvent être endommagés.  "
      "Désirez-vous continuer l'exécution du logiciel ?\n\nSi vous répondez <oui>, la sauvegarde (éventuelle) sur "
      "disque amovible s'effectuera maintenant.  Elle ne tiendra compte que des dernières modifications apportées sur "
      "CET ORDINATEUR...");
};

TEST_F(Demarrage, PremierLancement) {
  validerrenseignements();
  boîtes.répondre(OUI);  // créer la liste des classes
  FenetreBienvenue& b = Bienvenue();
  b.Form_Load();
  EXPECT_EQ(b.étiqutilisateur->text(), QStringLiteral("TOUS"));
  b.Command1_Click();
  EXPECT_EQ(fenêtresmontrées, QStringList{QStringLiteral("renseignementspardéfaut")});
  ASSERT_EQ(boîtes.montrées().size(), 1);
  EXPECT_EQ(boîtes.montrées()[0].texte,
            QStringLiteral("Je ne trouve pas le fichier listclas pour l'année scolaire  26 - 27.\n\nFaut-il le créer ?"));
  const QString amovible = maison() + QStringLiteral("/Disque amovible");
  EXPECT_EQ(lire(racine + QStringLiteral("/rensdef.evl")),
            crlf({"26", "", " 3", " 0", " 20", amovible, maison(), "Aucune"}));
  EXPECT_EQ(lire(racine + QStringLiteral("/affichage.txt")), QByteArray("800\r\n"));
  EXPECT_EQ(lire(amovible + QStringLiteral("/listclas.26")), QByteArray(" 0\r\n"));
  EXPECT_EQ(lire(disquedur(QStringLiteral("listclas.26"))), QByteArray(" 0\r\n"));
  EXPECT_TRUE(b.sessionprête());
  EXPECT_EQ(état().étatdémarrage, QString());
  EXPECT_EQ(état().annéeaffichée, QStringLiteral(" 26 - 27"));
}

TEST_F(Demarrage, FinAnormaleOui) {
  écrirerens(dossieramov);
  écrire(amovible(QStringLiteral("listclas.13")), crlf({" 0"}));
  écrire(disquedur(QStringLiteral("listclas.13")), crlf({" 0"}));
  écrire(disquedur(QStringLiteral("5A131\\5A131.P1N")), crlf({" 0", " 0", " 0", " 1"}));
  écrire(disquedur(QStringLiteral("fichiersentrés.txt")), crlf({"listclas.13"}));
  écrire(disquedur(QStringLiteral("listebck.txt")), crlf({"5A131\\5A131.P1N"}));
  boîtes.répondre(OUI);
  FenetreBienvenue& b = Bienvenue();
  b.Form_Load();
  b.Command1_Click();
  ASSERT_EQ(boîtes.montrées().size(), 2);
  EXPECT_EQ(boîtes.montrées()[0].titre, QStringLiteral("ATTENTION"));
  EXPECT_EQ(boîtes.montrées()[0].texte, questionabandon);
  EXPECT_EQ(boîtes.montrées()[1].texte, QStringLiteral("Sauvegarde sur disque amovible terminée"));
  EXPECT_EQ(lire(disquedur(QStringLiteral("fichiersentrés.txtback.txt"))), crlf({"listclas.13"}));
  EXPECT_EQ(lire(amovible(QStringLiteral("5A131\\5A131.P1N"))), crlf({" 0", " 0", " 0", " 1"}));
  EXPECT_FALSE(existe(disquedur(QStringLiteral("listebck.txt"))));
  EXPECT_TRUE(b.sessionprête());
}

TEST_F(Demarrage, FinAnormaleNonNeToucheARien) {
  écrirerens(dossieramov);
  écrire(disquedur(QStringLiteral("fichiersentrés.txt")), crlf({"listclas.13"}));
  écrire(disquedur(QStringLiteral("listebck.txt")), crlf({"listclas.13"}));
  for (int réponse : {NON, ANNULER}) {
    boîtes.répondre(réponse);
    EXPECT_THROW(Bienvenue().Command1_Click(), ProgrammeTerminé);
    EXPECT_EQ(lire(disquedur(QStringLiteral("fichiersentrés.txt"))), crlf({"listclas.13"}));
    EXPECT_EQ(lire(disquedur(QStringLiteral("listebck.txt"))), crlf({"listclas.13"}));
    EXPECT_FALSE(existe(disquedur(QStringLiteral("fichiersentrés.txtback.txt"))));
  }
}

TEST_F(Demarrage, ListeRefuseeResteSurLaBienvenue) {
  écrirerens(dossieramov);
  boîtes.répondre(ANNULER);
  Bienvenue().Command1_Click();
  EXPECT_FALSE(Bienvenue().sessionprête());
  EXPECT_EQ(état().étatdémarrage, QString());
  EXPECT_FALSE(existe(disquedur(QStringLiteral("listclas.13"))));
}

TEST_F(Demarrage, ChangerUnRenseignementPuisContinuer) {
  écrirerens(dossieramov);
  écrire(amovible(QStringLiteral("listclas.14")), crlf({" 0"}));
  surfenêtre = [](const QString&) { état().annéescolaire = QStringLiteral("14"); };
  boîtes.répondre(NON);
  boîtes.répondre(OUI);
  Bienvenue().Command1_Click();
  EXPECT_EQ(fenêtresmontrées, QStringList{QStringLiteral("renseignementspardéfaut")});
  EXPECT_EQ(boîtes.montrées()[1].texte,
            QStringLiteral("Voulez-vous changer un paramètre par défaut (tel que l'année scolaire) ?"));
  EXPECT_TRUE(Bienvenue().sessionprête());
  EXPECT_EQ(lire(disquedur(QStringLiteral("listclas.14"))), crlf({" 0"}));
}

TEST_F(Demarrage, BoutonRenseignementsDepuisLaBienvenue) {
  écrirerens(dossieramov);
  QString vu;
  surfenêtre = [&](const QString&) { vu = état().étatdémarrage; };
  Bienvenue().cmdrensdef_Click();
  EXPECT_EQ(vu, QStringLiteral("bienvenue"));
  EXPECT_EQ(état().étatdémarrage, QString());
}

TEST_F(Demarrage, QuitterTermine) { EXPECT_THROW(Bienvenue().Command2_Click(), ProgrammeTerminé); }

TEST(AnneeScolaire, CodeDeLAnneeEnCours) {
  EXPECT_EQ(annéescolairedudate(QDate(2026, 9, 1)), QStringLiteral("26"));
  EXPECT_EQ(annéescolairedudate(QDate(2027, 6, 30)), QStringLiteral("26"));
  EXPECT_EQ(annéescolairedudate(QDate(2009, 10, 1)), QStringLiteral("9"));
}

class Annee : public EssaiDonnees {};

TEST_F(Annee, HorsLimitesBipEtRedemande) {
  état().annéescolaire = QStringLiteral("12");
  for (const char* r : {"100", "-1", "1e9", "13"}) boîtes.répondretexte(QString::fromUtf8(r));
  EXPECT_TRUE(demanderannéescolaire());
  EXPECT_EQ(état().annéescolaire, QStringLiteral("13"));
  EXPECT_EQ(état().annéeaffichée, QStringLiteral(" 13 - 14"));
  EXPECT_EQ(boîtes.montrées(GenreBoite::Bip).size(), 3);
  const BoiteMontrée& première = boîtes.montrées()[0];
  EXPECT_EQ(première.titre, QStringLiteral("CORRECTION"));
  EXPECT_EQ(première.texte, QStringLiteral("Entrer l'année scolaire\n\nen septembre"));
  EXPECT_EQ(première.défaut, QStringLiteral("12"));
}

// Un nombre est lu comme tel ; des lettres (seules ou après des chiffres) ou une
// virgule sont nommées dans une boîte et la question revient.
TEST_F(Annee, LectureNumeriqueDesReponses) {
  struct Cas {
    const char* réponse;
    const char* année;
    bool refusé;
  };
  const Cas cas[] = {{" 7 ", "7", false},   {"05", "5", false},    {"99", "99", false},  {"0", "0", false},
                     {"12.5", "12", false}, {"abc", "14", true}, {"13abc", "14", true}, {"12,5", "14", true}};
  for (const Cas& c : cas) {
    état().annéescolaire = QStringLiteral("20");
    boîtes.oublier();
    boîtes.répondretexte(QString::fromUtf8(c.réponse));
    if (c.refusé) boîtes.répondretexte(QStringLiteral("14"));
    demanderannéescolaire();
    EXPECT_EQ(état().annéescolaire, QString::fromUtf8(c.année)) << c.réponse;
    const QList<BoiteMontrée> messages = boîtes.montrées(GenreBoite::Message);
    ASSERT_EQ(messages.size(), c.refusé ? 1 : 0) << c.réponse;
    if (c.refusé) {
      EXPECT_EQ(messages[0].titre, QStringLiteral("CORRECTION"));
      EXPECT_TRUE(messages[0].texte.startsWith(QStringLiteral("« %1 » n'est pas un nombre.").arg(QString::fromUtf8(c.réponse))));
    }
  }
  boîtes.répondretexte(QString());
  EXPECT_FALSE(demanderannéescolaire());
  EXPECT_EQ(état().annéescolaire, QStringLiteral("14"));
}

}  // namespace
