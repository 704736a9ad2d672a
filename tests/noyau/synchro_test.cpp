#include <gtest/gtest.h>

#include "tests/outils/impressionqt.h"

#include <QDir>

#include "noyau/base/dossiers.h"
#include "noyau/base/etat.h"
#include "noyau/fichiers/utilisateurs.h"
#include "noyau/suivi/amovible.h"
#include "noyau/suivi/modifications.h"
#include "plateforme/fichiers.h"
#include "plateforme/services.h"
#include "tests/outils/essai.h"

namespace {

class Synchro : public EssaiDonnees {
protected:
  QByteArray listebck() const { return lire(disquedur(QStringLiteral("listebck.txt"))); }
  QByteArray vérifiés() const { return lire(disquedur(QStringLiteral("fichiersentrés.txt"))); }
  const QString notes = QStringLiteral("5A131\\5A131.P1N");
  const QString questionquitter = QStringLiteral(
      "Voulez-vous réellement quitter cette application ?  Si oui, laissez votre disque amovible branché car la "
      "sauvegarde (éventuelle) va s'opérer maintenant.");
};

TEST_F(Synchro, TroisEcrituresTroisEntreesUneSeuleVerification) {
  for (int i = 0; i < 3; ++i) noterfichierécrit(notes);
  noterfichierécrit(QStringLiteral("listclas.13"));
  EXPECT_EQ(listebck(), crlf({notes, notes, notes, "listclas.13"}));
  EXPECT_EQ(vérifiés(), crlf({notes, "listclas.13"}));
}

TEST_F(Synchro, FichierSeulementSurLeDisqueAmovibleEstCopieAvecSonDossier) {
  écrire(amovible(notes), crlf({" 2", " 0"}));
  vérifieravantlecture(notes);
  EXPECT_EQ(lire(disquedur(notes)), crlf({" 2", " 0"}));
  EXPECT_EQ(vérifiés(), crlf({notes}));
  EXPECT_TRUE(boîtes.montrées().isEmpty());
}

TEST_F(Synchro, CopiesIdentiquesUneSeuleVerificationParSession) {
  écrire(amovible(notes), crlf({" 2", "Dupont"}));
  écrire(disquedur(notes), "\x20" "2\nDupont\n");  // mêmes lignes, fins de ligne LF
  vérifieravantlecture(notes);
  QFile::remove(amovible(notes));  // une seconde comparaison échouerait
  vérifieravantlecture(notes);
  EXPECT_EQ(vérifiés(), crlf({notes}));
  EXPECT_TRUE(boîtes.montrées().isEmpty());
}

TEST_F(Synchro, CopiesDifferentesLaQuestionDecide) {
  const QString texte = QStringLiteral(
      "Le contenu du disque amovible et de la sauvegarde sur disque dur sont différents pour <5A131\\5A131.P1N>.  "
      "Désirez-vous sauvegarder ces changements sur le disque dur ?  Attention : si vous n'avez pas effectué de "
      "modifications sur un autre ordinateur, il est conseillé de ne pas sauvegarder les modifications car il se "
      "pourrait qu'il y ait une erreur sur votre disque amovible.");
  for (int réponse : {NON, ANNULER, OUI}) {
    boîtes.oublier();
    QFile::remove(disquedur(QStringLiteral("fichiersentrés.txt")));
    écrire(amovible(notes), crlf({" 2", "Dupont", "Durand"}));
    écrire(disquedur(notes), crlf({" 2", "Dupont"}));
    boîtes.répondre(réponse);
    if (réponse == OUI) {
      vérifieravantlecture(notes);
      EXPECT_EQ(lire(disquedur(notes)), crlf({" 2", "Dupont", "Durand"}));
      EXPECT_EQ(vérifiés(), crlf({notes}));
    } else {
      EXPECT_THROW(vérifieravantlecture(notes), ProgrammeTerminé);
      EXPECT_EQ(lire(disquedur(notes)), crlf({" 2", "Dupont"}));
      EXPECT_FALSE(existe(disquedur(QStringLiteral("fichiersentrés.txt"))));
    }
    ASSERT_EQ(boîtes.montrées().size(), 1);
    EXPECT_EQ(boîtes.montrées()[0].titre, QStringLiteral("ATTENTION"));
    EXPECT_EQ(boîtes.montrées()[0].texte, texte);
    // Ce qui diffère se lit sous la question.
    EXPECT_EQ(boîtes.montrées()[0].détails, QStringLiteral("Ce qui diffère entre les deux copies de ") + notes +
                                                 QStringLiteral(" :\n\nligne 3 : « Durand » seulement sur le disque amovible"));
  }
}

TEST_F(Synchro, DisqueAmovibleDebrancheEstUneErreur) {
  écrire(disquedur(notes), crlf({" 0"}));
  QDir(dossieramov).removeRecursively();
  try {
    vérifieravantlecture(notes);
    FAIL();
  } catch (const ErreurFichier& e) {
    EXPECT_EQ(e.cause(), CauseErreur::DossierManquant);
  }
  EXPECT_FALSE(existe(disquedur(QStringLiteral("fichiersentrés.txt"))));
}

TEST_F(Synchro, SortieCopieChaqueFichierUneFoisPuisTermine) {
  écrire(disquedur(notes), crlf({" 1", "Dupont/ 12"}));
  écrire(disquedur(QStringLiteral("listclas.13")), crlf({" 1"}));
  for (int i = 0; i < 3; ++i) noterfichierécrit(notes);
  noterfichierécrit(QStringLiteral("listclas.13"));
  int copiesdenotes = 0;
  boîtes.surboîte = [&](const BoiteMontrée& b) {
    if (b.genre == GenreBoite::Message) copiesdenotes = existe(amovible(notes)) ? 1 : 0;
  };
  boîtes.répondre(OUI);
  EXPECT_THROW(sauvegardedesortie(), ProgrammeTerminé);
  ASSERT_EQ(boîtes.montrées().size(), 2);
  EXPECT_EQ(boîtes.montrées()[0].titre, QStringLiteral("Quitter"));
  EXPECT_EQ(boîtes.montrées()[0].texte, questionquitter);
  EXPECT_EQ(boîtes.montrées()[1].genre, GenreBoite::Message);
  EXPECT_EQ(boîtes.montrées()[1].texte, QStringLiteral("Sauvegarde sur disque amovible terminée"));
  EXPECT_EQ(copiesdenotes, 1);
  EXPECT_EQ(lire(amovible(notes)), crlf({" 1", "Dupont/ 12"}));
  EXPECT_EQ(lire(amovible(QStringLiteral("listclas.13"))), crlf({" 1"}));
  EXPECT_FALSE(existe(disquedur(QStringLiteral("listebck.txt"))));
  EXPECT_FALSE(existe(disquedur(QStringLiteral("fichiersentrés.txt"))));
  EXPECT_FALSE(existe(amovible(QStringLiteral("listebck.txt"))));
  EXPECT_FALSE(existe(amovible(QStringLiteral("fichiersentrés.txt"))));
}

TEST_F(Synchro, SortieRefuseeNeToucheARien) {
  écrire(disquedur(notes), crlf({" 0"}));
  noterfichierécrit(notes);
  for (int réponse : {NON, ANNULER}) {
    boîtes.répondre(réponse);
    sauvegardedesortie();
    EXPECT_EQ(listebck(), crlf({notes}));
    EXPECT_EQ(vérifiés(), crlf({notes}));
    EXPECT_FALSE(existe(amovible(notes)));
  }
}

TEST_F(Synchro, SortieApresLectureSeuleNeDemandeRien) {
  écrire(amovible(notes), crlf({" 0"}));
  vérifieravantlecture(notes);
  EXPECT_THROW(sauvegardedesortie(), ProgrammeTerminé);
  EXPECT_TRUE(boîtes.montrées().isEmpty());
  EXPECT_FALSE(existe(disquedur(QStringLiteral("fichiersentrés.txt"))));
}

TEST_F(Synchro, CopieRateeNommeLeFichierEtLeGardePourLaProchaineSortie) {
  écrire(disquedur(notes), crlf({" 1", "Dupont/ 15"}));
  écrire(disquedur(QStringLiteral("listclas.13")), crlf({" 1"}));
  noterfichierécrit(QStringLiteral("listclas.13"));
  noterfichierécrit(notes);
  QDir(dossieramov).removeRecursively();  // clé débranchée

  boîtes.répondre(OUI);  // quitter
  boîtes.répondre(NON);  // ne pas quitter quand même
  sauvegardedesortie();
  ASSERT_EQ(boîtes.montrées().size(), 2);
  const BoiteMontrée& rapport = boîtes.montrées()[1];
  EXPECT_EQ(rapport.titre, QStringLiteral("Sauvegarde incomplète"));
  EXPECT_TRUE(rapport.texte.contains(QStringLiteral("- listclas.13 : Le dossier"))) << rapport.texte.toStdString();
  EXPECT_TRUE(rapport.texte.contains(QStringLiteral("- 5A131\\5A131.P1N : ")));
  EXPECT_TRUE(rapport.texte.endsWith(QStringLiteral("Voulez-vous quitter quand même ?")));
  EXPECT_EQ(listebck(), crlf({"listclas.13", notes}));
  EXPECT_TRUE(existe(disquedur(QStringLiteral("fichiersentrés.txt"))));

  // La clé revient, sans le dossier de la classe : il est créé et tout est copié.
  QDir().mkpath(dossieramov);
  boîtes.oublier();
  boîtes.répondre(OUI);
  EXPECT_THROW(sauvegardedesortie(), ProgrammeTerminé);
  EXPECT_EQ(lire(amovible(notes)), crlf({" 1", "Dupont/ 15"}));
  EXPECT_FALSE(existe(disquedur(QStringLiteral("listebck.txt"))));
}

TEST_F(Synchro, FichierEnAttenteDeCopieNEstPasEcraseSansLeDire) {
  // Sortie incomplète d'une session précédente : la copie du disque dur est la plus récente.
  écrire(disquedur(notes), crlf({" 1", "Dupont/ 15"}));
  écrire(amovible(notes), crlf({" 1", "Dupont/ 9"}));
  écrire(disquedur(QStringLiteral("listebck.txt")), crlf({notes}));
  boîtes.répondre(OUI);
  vérifieravantlecture(notes);
  ASSERT_EQ(boîtes.montrées().size(), 1);
  EXPECT_TRUE(boîtes.montrées()[0].texte.startsWith(QStringLiteral("Le fichier <5A131\\5A131.P1N> n'a pas pu être copié")));
  EXPECT_EQ(lire(disquedur(notes)), crlf({" 1", "Dupont/ 15"}));

  QFile::remove(disquedur(QStringLiteral("fichiersentrés.txt")));
  boîtes.répondre(NON);
  vérifieravantlecture(notes);
  EXPECT_EQ(lire(disquedur(notes)), crlf({" 1", "Dupont/ 9"}));
}

TEST_F(Synchro, SortieDeLaFeuillePrincipale) {
  écrire(disquedur(notes), crlf({" 0"}));
  noterfichierécrit(notes);
  noterfichierécrit(notes);
  QStringList annoncés;
  const auto annoncer = [&](const QString& nom) { annoncés.append(nom); };

  // Un dossier autre que "A:\" : aucune question.
  EXPECT_TRUE(sauvegardedesortieprincipale(annoncer));
  EXPECT_EQ(annoncés, QStringList{notes});
  ASSERT_EQ(boîtes.montrées().size(), 1);
  EXPECT_EQ(boîtes.montrées()[0].texte, QStringLiteral("Sauvegarde terminée"));
  EXPECT_FALSE(existe(disquedur(QStringLiteral("fichiersentrés.txt"))));

  // Le lecteur "A:\" : la question de la disquette, Non garde tout.
  état().dossieramovible = QStringLiteral("a:\\");
  noterfichierécrit(notes);
  boîtes.oublier();
  boîtes.répondre(NON);
  EXPECT_FALSE(sauvegardedesortieprincipale(annoncer));
  EXPECT_EQ(boîtes.montrées()[0].texte,
            QStringLiteral("Voulez-vous réellement quitter cette application ?  Si oui, laissez votre disquette dans "
                           "le lecteur car la sauvegarde va s'opérer maintenant."));
  EXPECT_EQ(listebck(), crlf({notes}));
}

TEST_F(Synchro, RecuperationCopieSansQuestion) {
  écrire(disquedur(notes), crlf({" 3"}));
  écrire(disquedur(QStringLiteral("listebck.txt")), crlf({notes}));
  sauvegardederécupération();
  EXPECT_EQ(lire(amovible(notes)), crlf({" 3"}));
  ASSERT_EQ(boîtes.montrées().size(), 1);
  EXPECT_EQ(boîtes.montrées()[0].texte, QStringLiteral("Sauvegarde sur disque amovible terminée"));

  boîtes.oublier();
  sauvegardederécupération();  // sans liste : ni copie ni message
  EXPECT_TRUE(boîtes.montrées().isEmpty());
}

}  // namespace

namespace {

class ListesSures : public EssaiDonnees {};

// Une liste abîmée ou trafiquée ne mène jamais hors de son dossier : ni lecture,
// ni écriture ; un message nomme les lignes ignorées.
TEST_F(ListesSures, ListeDesModificationsEtUtilisateursRestentDansLeurDossier) {
  const QString dehorsamovible = temporaire.path() + QStringLiteral("/x");  // "..\x" depuis le disque amovible
  const QString dehorsdur = racine + QStringLiteral("/x");                  // "..\x" depuis le dossier des données
  écrire(dehorsamovible, "intact");
  écrire(dehorsdur, "secret");
  écrire(disquedur(QStringLiteral("5A131/5A131.P1N")), "notes\r\n");
  QDir().mkpath(amovible(QStringLiteral("5A131")));
  écrire(disquedur(QStringLiteral("listebck.txt")),
         "5A131\\5A131.P1N\r\n..\\x\r\nC:\\x\r\n/etc/hostname\r\n5A131\\..\\..\\x\r\n");
  sauvegardederécupération();
  ASSERT_EQ(boîtes.montrées().size(), 2u);
  EXPECT_EQ(boîtes.montrées()[0].titre, QStringLiteral("Liste abîmée"));
  EXPECT_TRUE(boîtes.montrées()[0].texte.contains(QStringLiteral("5A131\\..\\..\\x")));
  EXPECT_EQ(boîtes.montrées()[1].texte, QStringLiteral("Sauvegarde sur disque amovible terminée"));
  EXPECT_EQ(lire(dehorsamovible), QByteArray("intact"));
  EXPECT_EQ(lire(amovible(QStringLiteral("5A131/5A131.P1N"))), QByteArray("notes\r\n"));

  boîtes.oublier();
  services().dossierprogramme = racine;
  écrire(racine + QStringLiteral("/utilisateurs.evl"), "Marie\r\n..\\..\\dehors\r\n/tmp\r\nJean\r\n");
  EXPECT_EQ(lireutilisateurs(), (QStringList{"Marie", "Jean"}));
  ASSERT_EQ(boîtes.montrées().size(), 1u);
  EXPECT_EQ(boîtes.montrées()[0].titre, QStringLiteral("Liste abîmée"));
}

}  // namespace
