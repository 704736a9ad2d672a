#include <gtest/gtest.h>

#include "tests/outils/impressionqt.h"

#include "noyau/base/dossiers.h"
#include "noyau/base/etat.h"
#include "noyau/fichiers/renseignements.h"
#include "plateforme/fichiers.h"
#include "plateforme/services.h"
#include "tests/outils/essai.h"

namespace {

class Renseignements : public EssaiDonnees {
protected:
  QString fichier() const { return racine + QStringLiteral("/rensdef.evl"); }
  void écrirerens(const QStringList& lignes) { écrire(fichier(), crlf(lignes)); }
  static QStringList compétences() {
    QStringList l;
    for (int c = 1; c <= état().compétencesdéfaut.borne(); ++c) l.append(état().compétencesdéfaut[c]);
    return l;
  }
  static const QStringList& complet() {
    static const QStringList lignes{QStringLiteral("13"), QStringLiteral("P2"), QStringLiteral(" 3"),
                                    QStringLiteral(" 2"), QStringLiteral(" 20"), QStringLiteral(" 100"),
                                    QStringLiteral(" 60"), QStringLiteral("/media/clé"), QStringLiteral("/home/prof"),
                                    QStringLiteral("true"), QStringLiteral("+-*"), QStringLiteral("go"),
                                    QStringLiteral("Calcul"), QStringLiteral("Géométrie")};
    return lignes;
  }
};

TEST_F(Renseignements, LectureComplete) {
  écrirerens(complet());
  lirerenseignements();
  const ÉtatPartagé& é = état();
  EXPECT_EQ(é.annéescolairedéfaut, QStringLiteral("13"));
  EXPECT_EQ(é.nbpériodesdéfaut, 3);
  EXPECT_EQ(é.nbexamensdéfaut, 2);
  EXPECT_EQ(é.maxpériodedéfaut, 20);
  EXPECT_EQ(é.maxexamensdéfaut.borne(), 2);
  EXPECT_EQ(é.maxexamensdéfaut[1], 100);
  EXPECT_EQ(é.maxexamensdéfaut[2], 60);
  EXPECT_EQ(é.dossieramovible, QStringLiteral("/media/clé\\"));
  EXPECT_EQ(é.dossiersauvegarde, QStringLiteral("/home/prof\\"));
  EXPECT_EQ(é.préparations, VRAI);
  EXPECT_EQ(é.arrondidemi, VRAI);
  EXPECT_EQ(é.ouvrirprincipale, VRAI);
  EXPECT_EQ(compétences(), (QStringList{QStringLiteral("Calcul"), QStringLiteral("Géométrie")}));
  EXPECT_TRUE(fenêtresmontrées.isEmpty());
}

TEST_F(Renseignements, EcritureOctetPourOctetPuisRelecture) {
  écrirerens(complet());
  lirerenseignements();
  état().périodecourante = QStringLiteral("P2");
  écrirerenseignements();
  EXPECT_EQ(lire(fichier()), crlf(complet()));
  EXPECT_EQ(état().dossieramovible, QStringLiteral("/media/clé"));  // sans "\" jusqu'à la relecture
  lirerenseignements();
  EXPECT_EQ(état().dossieramovible, QStringLiteral("/media/clé\\"));
  EXPECT_EQ(compétences().size(), 2);
}

struct CasInterrupteurs {
  const char* nom;
  QStringList suite;  // lignes après le second dossier
  int préparations, arrondidemi, ouvrirprincipale;
  QStringList compétences;
};

TEST_F(Renseignements, InterrupteursEtCompetences) {
  const CasInterrupteurs cas[] = {
      {"aucun", {}, FAUX, FAUX, FAUX, {"Aucune"}},
      {"désordre", {"Lecture", "go", "true", "Écriture"}, VRAI, FAUX, VRAI, {"Lecture", "Écriture"}},
      {"false éteint", {"true", "false"}, FAUX, FAUX, FAUX, {"Aucune"}},
      {"+-* et suite", {"+-*demi"}, FAUX, VRAI, FAUX, {"Aucune"}},
      {"virgule", {"Calcul, Géométrie"}, FAUX, FAUX, FAUX, {"Calcul", "Géométrie"}},
      {"guillemets", {"\"Calcul, mental\"", " go "}, FAUX, FAUX, VRAI, {"Calcul, mental"}},
      {"casse", {"True", "GO"}, FAUX, FAUX, FAUX, {"True", "GO"}},
      {"lignes vides", {"", "Calcul", ""}, FAUX, FAUX, FAUX, {"Calcul"}},
  };
  for (const auto& c : cas) {
    état().préparations = état().arrondidemi = état().ouvrirprincipale = VRAI;  // la lecture repart de zéro
    écrirerens(QStringList{"13", "", " 3", " 0", " 20", "A:", "C:"} + c.suite);
    lirerenseignements();
    EXPECT_EQ(état().préparations, c.préparations) << c.nom;
    EXPECT_EQ(état().arrondidemi, c.arrondidemi) << c.nom;
    EXPECT_EQ(état().ouvrirprincipale, c.ouvrirprincipale) << c.nom;
    EXPECT_EQ(compétences(), c.compétences) << c.nom;
    EXPECT_EQ(état().maxexamensdéfaut.borne(), 0) << c.nom;
  }
}

TEST_F(Renseignements, LaLigneDeuxEstIgnoreeEtLesDossiersVidesDonnentUneBarre) {
  for (const char* clé : {"", "P1", "E2", "n'importe quoi"}) {
    écrirerens({"14", QString::fromUtf8(clé), " 3", " 0", " 20", "", ""});
    lirerenseignements();
    EXPECT_EQ(état().annéescolairedéfaut, QStringLiteral("14"));
    EXPECT_EQ(état().nbpériodesdéfaut, 3);
    EXPECT_EQ(état().dossieramovible, QStringLiteral("\\"));
    EXPECT_EQ(état().dossiersauvegarde, QStringLiteral("\\"));
  }
}

TEST_F(Renseignements, SansFichierLaFenetreVientDAbordJusquAuFichierEnregistre) {
  int fois = 0;
  surfenêtre = [&](const QString& nom) {
    ASSERT_EQ(nom, QStringLiteral("renseignementspardéfaut"));
    EXPECT_EQ(état().compétencesdéfaut[1], QStringLiteral("Aucune"));
    if (++fois == 2) écrirerens({"13", "", " 3", " 0", " 20", "A:", "C:"});  // Annuler la première fois
  };
  boîtes.répondre(NON);  // ne pas quitter : la fenêtre revient
  lirerenseignements();
  EXPECT_EQ(fois, 2);
  ASSERT_EQ(boîtes.montrées().size(), 1);
  EXPECT_TRUE(boîtes.montrées()[0].texte.endsWith(QStringLiteral("Voulez-vous quitter le programme ?")));
  EXPECT_EQ(état().étatdémarrage, QStringLiteral("déjà"));
  EXPECT_EQ(état().maxpériodedéfaut, 20);
}

struct CasAbîmé {
  const char* nom;
  QStringList lignes;
  const char* cause;
};

TEST_F(Renseignements, SansFichierOnPeutQuitter) {
  boîtes.répondre(OUI);
  EXPECT_THROW(lirerenseignements(), ProgrammeTerminé);
  EXPECT_EQ(fenêtresmontrées.size(), 1);
}

TEST_F(Renseignements, FichierAbimeProposeLaFenetrePuisRelit) {
  const CasAbîmé cas[] = {
      {"fin précoce", {"13", "", " 3", " 2", " 20", " 100"}, "Fin de fichier inattendue"},
      {"non-nombre", {"13", "", "trois", " 0", " 20", "A:", "C:"}, "Nombre illisible à la ligne 3"},
      {"hors limites", {"13", "", " 3", " 0", " 40000", "A:", "C:"}, "entre -32768 et 32767"},
      {"compte négatif", {"13", "", " 3", "-2", " 20", "A:", "C:"}, "négatif"},
  };
  for (const auto& c : cas) {
    boîtes.oublier();
    écrirerens(c.lignes);
    boîtes.répondre(OK);
    boîtes.répondre(OUI);
    surfenêtre = [&](const QString&) { écrirerens({"13", "", " 3", " 0", " 20", "A:", "C:"}); };
    lirerenseignements();
    ASSERT_EQ(boîtes.montrées().size(), 2) << c.nom;
    EXPECT_EQ(boîtes.montrées()[0].titre, QStringLiteral("Erreur pour entrée de Rensdéf !")) << c.nom;
    EXPECT_TRUE(boîtes.montrées()[0].texte.contains(QString::fromUtf8(c.cause)))
        << c.nom << " : " << boîtes.montrées()[0].texte.toStdString();
    EXPECT_EQ(boîtes.montrées()[1].genre, GenreBoite::Question);
    EXPECT_EQ(état().maxpériodedéfaut, 20) << c.nom;
  }
}

TEST_F(Renseignements, FichierAbimeSansReparationRevientEtAnnulerTermine) {
  écrirerens({"13", "", " 3"});
  boîtes.répondre(OK);
  boîtes.répondre(NON);
  boîtes.répondre(ANNULER);
  EXPECT_THROW(lirerenseignements(), ProgrammeTerminé);
  EXPECT_EQ(boîtes.montrées(GenreBoite::Avertissement).size(), 2);
  EXPECT_TRUE(fenêtresmontrées.isEmpty());
}

TEST_F(Renseignements, EcritureRateeRecommenceSurOK) {
  état().annéescolairedéfaut = QStringLiteral("13");
  état().nbexamensdéfaut = 1;
  état().maxexamensdéfaut.redim(0);  // tableau trop court : la ligne est quand même écrite
  état().dossieramovible = QStringLiteral("/media/clé\\");
  état().dossiersauvegarde = QString();
  écrire(fichier(), "ancien\r\n");
  simulerdisqueplein(3);
  boîtes.surboîte = [&](const BoiteMontrée&) { EXPECT_EQ(lire(fichier()), QByteArray("ancien\r\n")); };
  boîtes.répondre(OK);
  écrirerenseignements();
  ASSERT_EQ(boîtes.montrées().size(), 1);
  EXPECT_EQ(boîtes.montrées()[0].titre, titreerreur(fichier()));
  EXPECT_TRUE(boîtes.montrées()[0].texte.startsWith(QStringLiteral("Le disque est plein")));
  EXPECT_EQ(lire(fichier()), crlf({"13", "", " 0", " 1", " 0", " 0", "/media/clé", ""}));
}

}  // namespace
