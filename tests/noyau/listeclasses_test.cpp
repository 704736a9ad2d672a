#include <gtest/gtest.h>

#include <QDir>

#include "tests/outils/impressionqt.h"

#include "noyau/base/dossiers.h"
#include "noyau/base/etat.h"
#include "noyau/fichiers/listeclasses.h"
#include "plateforme/fichiers.h"
#include "plateforme/services.h"
#include "tests/outils/essai.h"

namespace {

class ListeClasses : public EssaiDonnees {
protected:
  void ouvrirclasse(const QString& clé, const QString& période, int nbcompétences) {
    état().nbclasses = 1;
    état().dossierclasse.redim(2);
    état().dossierclasse[1] = clé;
    état().classecourante = 1;
    état().périodecourante = période;
    état().listecompétences.redim(nbcompétences);
  }
  const QString listclas = QStringLiteral("listclas.13");
};

const QStringList deuxclasses{"2", "5A", "Mathématique", "5A131", " 3", " 1", "5A", "Sciences", "5A132", "1", " 0"};

TEST_F(ListeClasses, LectureDeLaListe) {
  deuxdisques(listclas, deuxclasses);
  lirelisteclasses();
  const ÉtatPartagé& é = état();
  ASSERT_EQ(é.nbclasses, 2);
  EXPECT_EQ(é.nomclasse.borne(), 3);
  EXPECT_EQ(é.nomcours[1], QStringLiteral("Mathématique"));
  EXPECT_EQ(é.dossierclasse[2], QStringLiteral("5A132"));
  EXPECT_EQ(é.dernièrepériode[1], 3);
  EXPECT_EQ(é.nbexamenscréés[1], 1);
  EXPECT_EQ(é.nbexamenscréés[2], 0);
  EXPECT_TRUE(boîtes.montrées().isEmpty());
}

TEST_F(ListeClasses, ListeVideDimensionneQuandMeme) {
  deuxdisques(listclas, {" 0"});
  lirelisteclasses();
  EXPECT_EQ(état().nbclasses, 0);
  EXPECT_EQ(état().nomclasse.borne(), 1);
  EXPECT_EQ(état().nbexamenscréés.borne(), 1);
}

TEST_F(ListeClasses, EcritureOctetPourOctetEtNotee) {
  deuxdisques(listclas, deuxclasses);
  lirelisteclasses();
  écrirelisteclasses();
  QStringList attendu = deuxclasses;
  attendu[0] = " 2";
  attendu[9] = " 1";
  EXPECT_EQ(lire(disquedur(listclas)), crlf(attendu));
  EXPECT_EQ(lire(disquedur(QStringLiteral("listebck.txt"))), crlf({listclas}));
}

const char* questioncréer = "Je ne trouve pas le fichier listclas pour l'année scolaire  13 - 14.\n\nFaut-il le créer ?";

TEST_F(ListeClasses, SansCopieAmovibleOuiLaCreeSurLesDeuxDisques) {
  boîtes.répondre(OUI);
  lirelisteclasses();
  ASSERT_EQ(boîtes.montrées().size(), 1);
  EXPECT_EQ(boîtes.montrées()[0].genre, GenreBoite::Question);
  EXPECT_EQ(boîtes.montrées()[0].titre, QStringLiteral("Erreur d'entrée du fichier ") + amovible(listclas));
  EXPECT_EQ(boîtes.montrées()[0].texte, QString::fromUtf8(questioncréer));
  EXPECT_EQ(lire(amovible(listclas)), QByteArray(" 0\r\n"));
  EXPECT_EQ(lire(disquedur(listclas)), QByteArray(" 0\r\n"));
  EXPECT_EQ(lire(disquedur(QStringLiteral("fichiersentrés.txt"))), crlf({listclas}));
  EXPECT_EQ(état().nbclasses, 0);
}

TEST_F(ListeClasses, AnnulerLaisseSansListe) {
  boîtes.répondre(ANNULER);
  lirelisteclasses();
  EXPECT_EQ(état().étatdémarrage, QStringLiteral("annuler"));
  EXPECT_FALSE(existe(amovible(listclas)));
  EXPECT_FALSE(existe(disquedur(listclas)));
}

TEST_F(ListeClasses, NonProposeDeChangerUnRenseignement) {
  const QString questionchanger = QStringLiteral("Voulez-vous changer un paramètre par défaut (tel que l'année scolaire) ?");
  // Non, puis Oui : la fenêtre change l'année ; la liste de l'année 14 existe.
  deuxdisques(QStringLiteral("listclas.14"), {" 0"});
  surfenêtre = [](const QString&) { état().annéescolaire = QStringLiteral("14"); };
  boîtes.répondre(NON);
  boîtes.répondre(OUI);
  lirelisteclasses();
  ASSERT_EQ(boîtes.montrées().size(), 2);
  EXPECT_EQ(boîtes.montrées()[1].titre, QStringLiteral("Erreur pour ") + QDir::toNativeSeparators(amovible(listclas)) + QStringLiteral(" !"));
  EXPECT_EQ(boîtes.montrées()[1].texte, questionchanger);
  EXPECT_EQ(fenêtresmontrées, QStringList{QStringLiteral("renseignementspardéfaut")});

  // Non, puis Non : la question revient ; Annuler au second tour laisse sans liste.
  boîtes.oublier();
  état().annéescolaire = QStringLiteral("15");
  boîtes.répondre(NON);
  boîtes.répondre(NON);
  boîtes.répondre(ANNULER);
  lirelisteclasses();
  EXPECT_EQ(boîtes.montrées().size(), 3);
  EXPECT_EQ(état().étatdémarrage, QStringLiteral("annuler"));

  // Non, puis Annuler : fin du programme.
  boîtes.répondre(NON);
  boîtes.répondre(ANNULER);
  EXPECT_THROW(lirelisteclasses(), ProgrammeTerminé);
}

TEST_F(ListeClasses, ErreurDeLectureOKRecommenceAnnulerTermine) {
  deuxdisques(listclas, {" 1", "5A", "Math", "5A131", "trois", " 0"});
  boîtes.surboîte = [&](const BoiteMontrée&) { écrire(disquedur(listclas), crlf({" 1", "5A", "Math", "5A131", " 3", " 0"})); };
  boîtes.répondre(OK);
  lirelisteclasses();
  ASSERT_EQ(boîtes.montrées().size(), 1);
  EXPECT_EQ(boîtes.montrées()[0].titre, QStringLiteral("Erreur pour ") + QDir::toNativeSeparators(disquedur(listclas)) + QStringLiteral(" !"));
  EXPECT_TRUE(boîtes.montrées()[0].texte.contains(QStringLiteral("Nombre illisible à la ligne 5")));
  EXPECT_EQ(état().dernièrepériode[1], 3);

  boîtes.surboîte = nullptr;
  boîtes.oublier();
  état().annéescolaire = QStringLiteral("16");
  deuxdisques(QStringLiteral("listclas.16"), {" 40000"});
  boîtes.répondre(ANNULER);
  EXPECT_THROW(lirelisteclasses(), ProgrammeTerminé);
  EXPECT_TRUE(boîtes.montrées()[0].texte.contains(QStringLiteral("entre -32768 et 32767")));
}

TEST_F(ListeClasses, Maxima) {
  ouvrirclasse(QStringLiteral("5A131"), QStringLiteral("P1"), 1);
  const QString mpe = QStringLiteral("5A131\\5A131.MPE");
  const std::pair<QStringList, QStringList> cas[] = {
      {{" 2", " 20", " 100", " 50"}, {"100% => aucune"}},
      {{" 2", " 20", " 100", " 50", "060% -> Calcul", "040% -> Géométrie"}, {"060% -> Calcul", "040% -> Géométrie"}},
  };
  for (const auto& [lignes, compétences] : cas) {
    deuxdisques(mpe, lignes);
    écrire(disquedur(QStringLiteral("fichiersentrés.txt")), QByteArray());
    liremaxima();
    EXPECT_EQ(état().nbexamens, 2);
    EXPECT_EQ(état().maxpériode, 20);
    EXPECT_EQ(état().maxexamen.borne(), 2);
    EXPECT_EQ(état().maxexamen[2], 50);
    QStringList lues;
    for (int j = 1; j <= état().nbcompétences(); ++j) lues.append(état().listecompétences[j]);
    EXPECT_EQ(lues, compétences);
  }
  écriremaxima();
  EXPECT_EQ(lire(disquedur(mpe)), crlf({" 2", " 20", " 100", " 50"}));  // sans les compétences
}

struct CasInterros {
  const char* nom;
  int nbcompétences;
  QStringList lignes;
  QList<int> maxima;
  QList<int> compétences;
};

TEST_F(ListeClasses, InterrogationsEcrites) {
  const CasInterros cas[] = {
      {"deux compétences", 2, {" 20", "12/09", "Fractions", " 2", " 10", "19/09", "Aires", " 1"}, {20, 10}, {2, 1}},
      {"une compétence, quatre lignes", 1, {" 20", "12/09", "Fractions", " 1", " 10", "19/09", "Aires", " 1"}, {20, 10}, {1, 1}},
      {"une compétence, trois lignes", 1, {" 20", "12/09", "Fractions", " 10", "19/09", "Aires"}, {20, 10}, {1, 1}},
      {"une compétence, maximum 1", 1, {" 1", "12/09", "Vrai ou faux", " 1", " 1", "19/09", "Bonus", " 1"}, {1, 1}, {1, 1}},
      {"une compétence, mélange ancien", 1, {" 20", "12/09", "Fractions", " 1", " 10", "19/09", "Aires"}, {20, 10}, {1, 1}},
  };
  for (const auto& c : cas) {
    ouvrirclasse(QStringLiteral("5A131"), QStringLiteral("P2"), c.nbcompétences);
    état().nbinterros = static_cast<int>(c.maxima.size());
    deuxdisques(QStringLiteral("5A131\\5A131.P2R"), c.lignes);
    écrire(disquedur(QStringLiteral("fichiersentrés.txt")), QByteArray());
    lireinterros();
    EXPECT_EQ(état().maxinterro.borne(), état().nbinterros + 1) << c.nom;
    EXPECT_EQ(état().compétenceinterro.borne(), état().nbinterros) << c.nom;
    for (int k = 1; k <= état().nbinterros; ++k) {
      EXPECT_EQ(état().maxinterro[k], c.maxima[k - 1]) << c.nom << " test " << k;
      EXPECT_EQ(état().compétenceinterro[k], c.compétences[k - 1]) << c.nom << " test " << k;
    }
    EXPECT_EQ(état().dateinterro[2], QStringLiteral("19/09")) << c.nom;
  }
}

TEST_F(ListeClasses, EcritureDesInterrosToujoursAvecLaCompetence) {
  ouvrirclasse(QStringLiteral("5A131"), QStringLiteral("E1"), 1);
  créerdossier(disquedur(QStringLiteral("5A131")));
  état().nbinterros = 1;
  état().maxinterro.redim(2);
  état().dateinterro.redim(2);
  état().matièreinterro.redim(2);
  état().compétenceinterro.redim(1);
  état().maxinterro[1] = 1;
  état().dateinterro[1] = QStringLiteral("03/10/2026");
  état().matièreinterro[1] = QStringLiteral("Équations");
  état().compétenceinterro[1] = 1;
  écrireinterros();
  EXPECT_EQ(lire(disquedur(QStringLiteral("5A131\\5A131.E1R"))), crlf({" 1", "03/10/2026", "Équations", " 1"}));
  état().maxinterro[1] = 0;
  lireinterros();  // déjà vérifié pendant la session : lu depuis le disque dur seul
  EXPECT_EQ(état().maxinterro[1], 1);
  EXPECT_EQ(état().matièreinterro[1], QStringLiteral("Équations"));
}

}  // namespace
