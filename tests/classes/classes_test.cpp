#include <algorithm>
#include <gtest/gtest.h>

#include <QTest>
#include <QCoreApplication>
#include <QFocusEvent>

#include "tests/outils/impressionqt.h"

#include "classes/choixperiodeexa.h"
#include "classes/invites.h"
#include "classes/listeclasses.h"
#include "classes/importliste.h"
#include "classes/nouvelleclasse.h"
#include "noyau/demo/demo.h"
#include "noyau/base/dossiers.h"
#include "noyau/base/etat.h"
#include "noyau/fichiers/listeclasses.h"
#include "noyau/fichiers/notesclasse.h"
#include "plateforme/fichiers.h"
#include "plateforme/services.h"
#include "socle/registre.h"
#include "tests/outils/essai.h"

namespace {

class Classes : public EssaiDonnees {
protected:
  void SetUp() override {
    EssaiDonnees::SetUp();
    ÉtatPartagé& é = état();
    é.nbexamensdéfaut = 1;
    é.maxexamensdéfaut.redim(1);
    é.maxexamensdéfaut[1] = 50;
    é.maxpériodedéfaut = 20;
    é.compétencesdéfaut.redim(1);
    é.compétencesdéfaut[1] = QStringLiteral("Calcul");
    listevide();
  }
  void TearDown() override {
    oublierfenêtres();
    EssaiDonnees::TearDown();
  }
  void listevide() {
    deuxdisques(QStringLiteral("listclas.13"), {" 0"});
    lirelisteclasses();
  }
  // La fenêtre de la nouvelle classe : ces élèves, la compétence à 100 %, OK.
  void nouvelleclasseavec(QStringList élèves) {
    surfenêtre = [this, élèves](const QString& nom) {
      ASSERT_EQ(nom, QStringLiteral("fenêtrenouvelleclasse"));
      FenetreNouvelleClasse& f = fenêtrenouvelleclasse();
      f.Form_Load();
      for (const QString& e : élèves) boîtes.répondretexte(e);
      boîtes.répondretexte(QString());
      f.cmdajouter_Click();
      f.listecompétences->setCurrentRow(0);
      boîtes.répondretexte(QStringLiteral("100"));
      f.listecompétences_DblClick();
      f.cmdok_Click();
    };
  }
  void ajouter(const QString& nom, const QString& cours) {
    boîtes.répondretexte(nom);
    boîtes.répondretexte(cours);
    liste().Commande1_Click();
  }
  FenetreListeClasses& liste() { return fenêtrelisteclasses(); }
  QStringList lignesliste() {
    QStringList l;
    for (int i = 0; i < liste().Listeclasses->count(); ++i) l.append(liste().Listeclasses->item(i)->text());
    return l;
  }
};

TEST_F(Classes, ListeVideEtLignes) {
  liste().Form_Load();
  EXPECT_EQ(lignesliste(), QStringList{QStringLiteral("Pas de classe !")});
  EXPECT_EQ(liste().Etiquette2->text(), QStringLiteral("Année scolaire : 13 - 14"));
  liste().Listeclasses->setCurrentRow(0);
  liste().Listeclasses_Click();
  EXPECT_EQ(état().classecourante, 0);
}

TEST_F(Classes, AjouterDesClasses) {
  liste().Form_Load();
  nouvelleclasseavec({QStringLiteral("Martin Léa"), QStringLiteral("Dupont Élodie")});
  // Six lettres, "\" et "/" : la question revient sans message.
  boîtes.répondretexte(QStringLiteral("5ABCDE"));  // trop long : redemandé sans message
  for (const char* refusé : {"5\\A", "5/A", "5:A"}) {  // le message dit quel caractère
    boîtes.répondretexte(QString::fromUtf8(refusé));
    boîtes.répondre(OK);
  }
  ajouter(QStringLiteral("  5a  "), QStringLiteral("Mathématique"));
  ASSERT_EQ(état().nbclasses, 1);
  EXPECT_EQ(état().nomclasse[1], QStringLiteral("5A"));
  EXPECT_EQ(état().dossierclasse[1], QStringLiteral("5A131"));
  EXPECT_EQ(lire(disquedur(QStringLiteral("5A131\\5A131.P1N"))),
            crlf({" 2", " 0", " 0", " 1", "Dupont Élodie", "-1/?/ 0/", "Martin Léa", "-1/?/ 0/", "100% -> Calcul"}));
  EXPECT_EQ(lire(disquedur(QStringLiteral("5A131\\5A131.MPE"))), crlf({" 1", " 20", " 50"}));
  EXPECT_TRUE(dossierexiste(amovible(QStringLiteral("5A131"))));
  EXPECT_EQ(lignesliste(), QStringList{QStringLiteral("5A\t(Mathématique)")});

  // Une seconde 5A : avertissement, suffixe 2 et les élèves de la première.
  QStringList élèvesproposés;
  surfenêtre = [&](const QString&) {
    FenetreNouvelleClasse& f = fenêtrenouvelleclasse();
    f.Form_Load();
    for (int i = 0; i < f.listenom->count(); ++i) élèvesproposés.append(f.listenom->item(i)->text());
    f.listecompétences->setCurrentRow(0);
    boîtes.répondretexte(QStringLiteral("100"));
    f.listecompétences_DblClick();
    f.cmdok_Click();
  };
  boîtes.répondretexte(QStringLiteral("5A"));
  boîtes.répondre(OK);
  boîtes.répondretexte(QStringLiteral("Mathématique"));  // déjà enseigné : avertissement, on redemande
  boîtes.répondre(OK);
  boîtes.répondretexte(QStringLiteral("Sciences"));
  liste().Commande1_Click();
  QList<BoiteMontrée> avertissements = boîtes.montrées(GenreBoite::Avertissement);
  const auto interdit = [](const BoiteMontrée& b) { return b.titre == QStringLiteral("Caractère interdit"); };
  EXPECT_EQ(std::count_if(avertissements.begin(), avertissements.end(), interdit), 3);
  avertissements.removeIf(interdit);
  ASSERT_EQ(avertissements.size(), 2);
  EXPECT_EQ(avertissements[0].titre, QStringLiteral("!  A T T E N T I O N  !"));
  EXPECT_EQ(avertissements[0].texte, QStringLiteral("Attention, classe existante pour :\r\r\rMathématique"));
  EXPECT_EQ(avertissements[1].titre, QStringLiteral("!  A T T E N T I O N  !"));
  EXPECT_EQ(avertissements[1].texte,
            QStringLiteral("Attention, ce cours est déjà enseigné à cette classe.  Choisissez un autre nom de cours."));
  EXPECT_EQ(élèvesproposés, (QStringList{QStringLiteral("Dupont Élodie"), QStringLiteral("Martin Léa")}));
  EXPECT_EQ(état().dossierclasse[2], QStringLiteral("5A132"));

  nouvelleclasseavec({QStringLiteral("Zoé")});
  ajouter(QStringLiteral("4b"), QStringLiteral("Français"));
  EXPECT_EQ(lignesliste(), (QStringList{QStringLiteral("4B\t(Français)"), QStringLiteral("5A\t(Mathématique)"),
                                        QStringLiteral("5A\t(Sciences)")}));
  EXPECT_EQ(lire(disquedur(QStringLiteral("listclas.13"))),
            crlf({" 3", "4B", "Français", "4B131", " 1", " 0", "5A", "Mathématique", "5A131", " 1", " 0", "5A",
                  "Sciences", "5A132", " 1", " 0"}));
}

TEST_F(Classes, SuffixeLibreApresUneSuppression) {
  état().nbclasses = 2;
  for (auto* t : {&état().nomclasse, &état().nomcours, &état().dossierclasse}) t->redim(3);
  état().dernièrepériode.redim(3);
  état().nbexamenscréés.redim(3);
  poserclasse(1, {"5A", "Math", "5A132", 1, 0});  // la 5A131 a été retirée de la liste
  poserclasse(2, {"6B", "Math", "6B131", 1, 0});
  EXPECT_EQ(suffixelibre(QStringLiteral("5A"), 2), 3);
  EXPECT_EQ(suffixelibre(QStringLiteral("5A"), 1), 1);
  EXPECT_EQ(suffixelibre(QStringLiteral("6B"), 1), 2);
}

TEST_F(Classes, AnnulerOuSansEleveNAjouteRien) {
  liste().Form_Load();
  surfenêtre = [this](const QString&) {
    fenêtrenouvelleclasse().Form_Load();
    boîtes.répondre(OUI);
    fenêtrenouvelleclasse().cmdannuler_Click();
  };
  ajouter(QStringLiteral("5A"), QStringLiteral("Math"));
  EXPECT_EQ(état().nbclasses, 0);
  boîtes.répondretexte(QString());  // nom vide : rien ne change
  liste().Commande1_Click();
  EXPECT_EQ(état().nbclasses, 0);
  EXPECT_FALSE(existe(disquedur(QStringLiteral("5A131"))));
}

class AvecTroisClasses : public Classes {
protected:
  void SetUp() override {
    Classes::SetUp();
    const QStringList l{" 3", "4B", "Français", "4B131", " 1", " 0", "5A", "Math", "5A131", " 3", " 1", "6C",
                        "Physique", "6C131", " 2", " 2"};
    deuxdisques(QStringLiteral("listclas.13"), l);
    lirelisteclasses();
    liste().Form_Load();
  }
};

TEST_F(AvecTroisClasses, OuvrirUneClasseEtPremiereClasseDOffice) {
  QStringList clés;
  surfenêtre = [&](const QString& nom) {
    ASSERT_EQ(nom, QStringLiteral("principale"));
    clés.append(état().périodecourante);
  };
  const QStringList p3{" 1", " 0", " 0", " 1", "Dupont", "-1/?/ 0/", "100% -> Calcul"};
  const QStringList mpe{" 1", " 20", " 50"};
  deuxdisques(QStringLiteral("5A131\\5A131.MPE"), mpe);
  deuxdisques(QStringLiteral("5A131\\5A131.P3N"), p3);
  liste().Listeclasses->setCurrentRow(1);
  liste().Listeclasses_KeyDown(13);  // Entrée : comme un double clic, sur la dernière période
  EXPECT_EQ(clés, QStringList{QStringLiteral("P3")});
  EXPECT_EQ(état().nbélèves, 1);

  // La feuille principale demande une autre clé : la liste la charge et la rouvre.
  deuxdisques(QStringLiteral("5A131\\5A131.P2N"), p3);
  surfenêtre = [&](const QString&) {
    clés.append(état().périodecourante);
    if (clés.size() == 2) état().étatdémarrage = QStringLiteral("P2");
  };
  liste().Listeclasses->setCurrentRow(1);
  liste().Listeclasses_DblClick();
  EXPECT_EQ(clés, (QStringList{"P3", "P3", "P2"}));
  EXPECT_EQ(état().étatdémarrage, QString());

  // Première classe d'office au démarrage.
  deuxdisques(QStringLiteral("4B131\\4B131.MPE"), mpe);
  deuxdisques(QStringLiteral("4B131\\4B131.P1N"), p3);
  clés.clear();
  surfenêtre = [&](const QString&) { clés.append(état().périodecourante); };
  état().ouvrirprincipale = VRAI;
  état().classecourante = 0;
  liste().Form_Load();
  EXPECT_EQ(clés, QStringList{QStringLiteral("P1")});
  EXPECT_EQ(état().classecourante, 1);
  liste().Form_Load();  // une classe est déjà courante : pas d'ouverture
  EXPECT_EQ(clés.size(), 1);
}

// Le focus rend une ligne courante sans la choisir : aucune classe n'est alors
// courante, rien ne se supprime et "Rens." montre les réglages par défaut ; mais
// Entrée ouvre cette ligne, celle que l'on voit courante.
TEST_F(AvecTroisClasses, LeFocusNeChoisitAucuneClasse) {
  QFocusEvent focus(QEvent::FocusIn, Qt::TabFocusReason);
  QCoreApplication::sendEvent(liste().Listeclasses, &focus);
  EXPECT_EQ(liste().Listeclasses->currentRow(), 0);
  EXPECT_EQ(état().classecourante, 0);
  liste().Commande2_Click();  // une boîte inattendue ferait échouer l'essai
  QStringList ouvertes;
  surfenêtre = [&](const QString& nom) { ouvertes.append(nom); };
  liste().cmdrens_Click();
  EXPECT_EQ(ouvertes, QStringList{QStringLiteral("renseignementspardéfaut")});
  EXPECT_EQ(état().nbclasses, 3);
  deuxdisques(QStringLiteral("5A131\\5A131.MPE"), {" 1", " 20", " 50"});
  deuxdisques(QStringLiteral("5A131\\5A131.P3N"), {" 1", " 0", " 0", " 1", "Dupont", "-1/?/ 0/", "100% -> Calcul"});
  liste().Listeclasses->setCurrentRow(1, QItemSelectionModel::NoUpdate);
  ASSERT_EQ(liste().lignechoisie(), -1);
  liste().Listeclasses_KeyDown(13);
  EXPECT_EQ(état().classecourante, 2);
  EXPECT_EQ(ouvertes.last(), QStringLiteral("principale"));
  // Une classe choisie reste marquée dans la liste quand celle-ci est refaite.
  liste().Listeclasses->setCurrentRow(2);
  EXPECT_EQ(état().classecourante, 3);
  liste().Form_Load();
  EXPECT_EQ(liste().lignechoisie(), 2);
}

TEST_F(AvecTroisClasses, SupprimerLaClasseDuMilieu) {
  liste().Listeclasses->setCurrentRow(1);
  liste().Listeclasses_Click();
  boîtes.répondre(OUI);
  liste().Commande2_Click();
  EXPECT_EQ(boîtes.montrées()[0].titre, QStringLiteral("SUPPRIMER UNE CLASSE"));
  EXPECT_EQ(boîtes.montrées()[0].texte, QStringLiteral("Faut-il réellement supprimer la classe de \r5A\t(Math)"));
  EXPECT_EQ(lire(disquedur(QStringLiteral("listclas.13"))),
            crlf({" 2", "4B", "Français", "4B131", " 1", " 0", "6C", "Physique", "6C131", " 2", " 2"}));
  EXPECT_EQ(lignesliste(), (QStringList{QStringLiteral("4B\t(Français)"), QStringLiteral("6C\t(Physique)")}));
  EXPECT_EQ(état().classecourante, 0);
}

TEST_F(AvecTroisClasses, SupprimerLaDernierePeriodeOuLExamen) {
  const auto choisir = [&](int ligne, const char* réponse) {
    liste().Listeclasses->setCurrentRow(ligne);
    liste().Listeclasses_Click();
    boîtes.répondretexte(QString::fromUtf8(réponse));
  };
  choisir(0, "1");
  boîtes.répondre(OK);
  liste().Command2_Click();
  EXPECT_EQ(boîtes.montrées()[1].titre, QStringLiteral("Sorry !"));
  EXPECT_EQ(boîtes.montrées()[1].texte, QStringLiteral("Impossible de supprimer la période 1"));
  choisir(1, "1");
  liste().Command2_Click();
  EXPECT_EQ(état().dernièrepériode[2], 2);
  EXPECT_EQ(état().classecourante, 0);
  choisir(2, "2");
  liste().Command2_Click();
  EXPECT_EQ(état().nbexamenscréés[3], 1);
  choisir(0, "2");  // pas d'examen : rien
  liste().Command2_Click();
  choisir(0, "3");
  liste().Command2_Click();
  EXPECT_EQ(lire(disquedur(QStringLiteral("listclas.13"))),
            crlf({" 3", "4B", "Français", "4B131", " 1", " 0", "5A", "Math", "5A131", " 2", " 1", "6C", "Physique",
                  "6C131", " 2", " 1"}));
}

TEST_F(AvecTroisClasses, ChangerDAnnee) {
  écrire(amovible(QStringLiteral("listclas.14")), crlf({" 1", "2E", "Latin", "2E141", " 1", " 0"}));
  boîtes.répondretexte(QStringLiteral("14"));
  boîtes.répondre(OK);
  liste().Commande3_Click();
  EXPECT_EQ(boîtes.montrées()[1].titre, QStringLiteral("Remarque"));
  EXPECT_EQ(boîtes.montrées()[1].texte,
            QStringLiteral("Ceci ne modifiera l'année scolaire que pour la session en cours.  Pour la modifier de manière "
                           "permanente, cliquez sur <renseignements par défaut> dans la fenêtre de bienvenue."));
  EXPECT_EQ(lignesliste(), QStringList{QStringLiteral("2E\t(Latin)")});
  EXPECT_EQ(liste().Etiquette2->text(), QStringLiteral("Année scolaire : 14 - 15"));

  // Année sans liste, création refusée : l'année d'avant revient.
  boîtes.répondretexte(QStringLiteral("15"));
  boîtes.répondre(ANNULER);
  liste().Commande3_Click();
  EXPECT_EQ(état().annéescolaire, QStringLiteral("14"));
  EXPECT_EQ(état().étatdémarrage, QString());
  EXPECT_EQ(état().nbclasses, 1);
}

TEST_F(AvecTroisClasses, QuitterAvecEtSansListeDesModifications) {
  EXPECT_THROW(liste().Commande4_Click(), ProgrammeTerminé);
  EXPECT_TRUE(boîtes.montrées().isEmpty());

  écrire(disquedur(QStringLiteral("5A131\\5A131.P1N")), crlf({" 0", " 0", " 0", " 1"}));
  écrire(disquedur(QStringLiteral("listebck.txt")), crlf({"5A131\\5A131.P1N", "5A131\\5A131.P1N"}));
  boîtes.répondre(NON);
  liste().Commande4_Click();  // on reste
  boîtes.répondre(OUI);
  EXPECT_THROW(liste().Commande4_Click(), ProgrammeTerminé);
  EXPECT_EQ(lire(amovible(QStringLiteral("5A131\\5A131.P1N"))), crlf({" 0", " 0", " 0", " 1"}));
  EXPECT_FALSE(existe(disquedur(QStringLiteral("listebck.txt"))));
}

class NouvelleClasse : public Classes {
protected:
  void SetUp() override {
    Classes::SetUp();
    état().nbclasses = 1;
    for (auto* t : {&état().nomclasse, &état().nomcours, &état().dossierclasse}) t->redim(2);
    état().nomclasse[1] = QStringLiteral("5A");
    état().nomcours[1] = QStringLiteral("Math");
    état().compétencesdéfaut.redim(4);
    for (int c = 1; c <= 4; ++c) état().compétencesdéfaut[c] = QStringLiteral("C%1").arg(c);
    f.Form_Load();
  }
  void poids(int ligne, const char* valeur) {
    f.listecompétences->setCurrentRow(ligne);
    boîtes.répondretexte(QString::fromUtf8(valeur));
    f.listecompétences_DblClick();
  }
  FenetreNouvelleClasse& f = fenêtrenouvelleclasse();
};

TEST_F(NouvelleClasse, ImportAvecVirgulesGuillemetsEtPrefixe) {
  const QString fichier = temporaire.path() + QStringLiteral("/élèves.txt");
  écrire(fichier, QByteArray("A, B\r\n\"Dupont, Jean\"\r\n\r\nC/D\r\n"));
  QString titre, filtres;
  services().choisirfichier = [&](const QString& t, const QString& f) {
    titre = t;
    filtres = f;
    return fichier;
  };
  boîtes.répondretexte(QStringLiteral("_"));
  boîtes.répondre(OK);
  f.Command1_Click();
  EXPECT_EQ(titre, QStringLiteral("Double cliquer sur le fichier à importer."));
  EXPECT_TRUE(filtres.startsWith(QStringLiteral("Listes d'élèves (*.txt *.csv *.xlsx *.ods);;Fichiers élèves format texte) (*.txt)")));
  EXPECT_EQ(lignes(f.listenom), (QStringList{"_ A", "_ B", "_ C-D", "_ Dupont, Jean"}));
  EXPECT_EQ(état().nbélèves, 4);
  EXPECT_EQ(f.nbeleves->text(), QStringLiteral("4"));
  EXPECT_TRUE(boîtes.montrées().last().texte.contains(QStringLiteral("_ C/D")));

  // Un préfixe contenant "/" est ignoré ; les élèves déjà là restent.
  écrire(fichier, QByteArray("Zoé\n"));
  boîtes.répondretexte(QStringLiteral("x/"));
  f.Command1_Click();
  EXPECT_EQ(lignes(f.listenom).last(), QStringLiteral("Zoé"));
  EXPECT_EQ(état().nbélèves, 5);
}

// Un export de toute l'école : la fenêtre d'import s'ouvre, sur la 5A ; OK ajoute
// ses 28 élèves sans la question du préfixe, Annuler n'ajoute rien.
TEST_F(NouvelleClasse, ImportDUnExportDuSecretariat) {
  const QString fichier = temporaire.path() + QStringLiteral("/école.csv");
  écrire(fichier, exportdesecrétariat(1400).toUtf8());
  services().choisirfichier = [&](const QString&, const QString&) { return fichier; };
  for (const bool ok : {false, true}) {
    surfenêtre = [ok](const QString& nom) {
      ASSERT_EQ(nom, QStringLiteral("importliste"));
      ok ? fenêtreimportliste().ok_Click() : fenêtreimportliste().annuler_Click();
    };
    f.Command1_Click();
    EXPECT_EQ(état().nbélèves, ok ? 28 : 0);
  }
  EXPECT_TRUE(boîtes.montrées().isEmpty());
  EXPECT_EQ(lignes(f.listenom), fenêtreimportliste().retenus());
}

TEST_F(NouvelleClasse, ImportRangeLesCapitalesAccentueesAvecLeurLettre) {
  const QString fichier = temporaire.path() + QStringLiteral("/élèves.txt");
  écrire(fichier, QStringLiteral("Zoé Martin\nÉmile Durand\nEric Blanc\nÀlice Roy\nBruno Petit\n").toUtf8());
  services().choisirfichier = [&](const QString&, const QString&) { return fichier; };
  boîtes.répondretexte(QString());
  f.Command1_Click();
  boîtes.répondretexte(QStringLiteral("élodie Faure"));
  boîtes.répondretexte(QString());
  f.cmdajouter_Click();
  EXPECT_EQ(lignes(f.listenom),
            (QStringList{"Àlice Roy", "Bruno Petit", "élodie Faure", "Émile Durand", "Eric Blanc", "Zoé Martin"}));
}

TEST_F(NouvelleClasse, ImportEnUtf8EtCorrectionRefusee) {
  const QString fichier = temporaire.path() + QStringLiteral("/élèves.txt");
  écrire(fichier, QStringLiteral("Kowalski Łukasz\nNguyễn Thị\nMartin Léa\n").toUtf8());
  services().choisirfichier = [&](const QString&, const QString&) { return fichier; };
  // Une seule question pour toute la liste, qui nomme chaque nom changé ; Annuler
  // n'importe rien, Non seulement les autres, Oui tous.
  for (const int réponse : {ANNULER, NON}) {
    boîtes.oublier();
    boîtes.répondretexte(QString());  // pas de préfixe
    boîtes.répondre(réponse);
    f.Command1_Click();
    ASSERT_EQ(boîtes.montrées().size(), 2);
    EXPECT_EQ(boîtes.montrées()[1].titre, QStringLiteral("Caractères impossibles à garder"));
    EXPECT_TRUE(boîtes.montrées()[1].texte.contains(QStringLiteral("- Kowalski Łukasz → Kowalski Lukasz\n- Nguyễn Thị → Nguyên Thi")));
    EXPECT_EQ(lignes(f.listenom), réponse == ANNULER ? QStringList() : QStringList{"Martin Léa"});
  }
  écrire(fichier, QStringLiteral("Kowalski Łukasz\nNguyễn Thị\n").toUtf8());
  boîtes.répondretexte(QString());
  boîtes.répondre(OUI);
  f.Command1_Click();
  EXPECT_EQ(lignes(f.listenom), (QStringList{"Kowalski Lukasz", "Martin Léa", "Nguyên Thi"}));

  f.listenom->setCurrentRow(0);
  boîtes.répondretexte(QStringLiteral("Kowalski/Lukasz"));
  boîtes.répondre(OK);
  boîtes.répondretexte(QStringLiteral("Kowalski Luc"));
  f.listenom_DblClick();
  EXPECT_EQ(lignes(f.listenom), (QStringList{"Kowalski Luc", "Martin Léa", "Nguyên Thi"}));
}

TEST_F(NouvelleClasse, ElevesTapesCorrigesSupprimes) {
  boîtes.répondretexte(QStringLiteral("Martin"));
  boîtes.répondretexte(QStringLiteral("Du/pont"));
  boîtes.répondre(OK);
  boîtes.répondretexte(QStringLiteral("dupont"));
  boîtes.répondretexte(QString());
  f.cmdajouter_Click();
  EXPECT_EQ(lignes(f.listenom), (QStringList{"dupont", "Martin"}));
  EXPECT_EQ(boîtes.montrées()[2].titre, QStringLiteral("Caractère interdit"));
  EXPECT_EQ(boîtes.montrées()[2].texte, QStringLiteral("Le nom de l'élève ne peut pas inclure le caractère <</>>"));
  f.listenom->setCurrentRow(0);
  boîtes.répondretexte(QStringLiteral("Zola"));
  f.listenom_DblClick();
  EXPECT_EQ(lignes(f.listenom), (QStringList{"Martin", "Zola"}));
  f.listenom->setCurrentRow(0);
  f.listenom_KeyDown(46);
  EXPECT_EQ(lignes(f.listenom), QStringList{"Zola"});
  f.listenom->setCurrentRow(-1);
  boîtes.répondre(OK);
  f.cmdsupprimer_Click();
  EXPECT_EQ(boîtes.montrées().last().texte, QStringLiteral("Pas d'élève sélectionné !"));
  EXPECT_EQ(état().nbélèves, 1);
}

TEST_F(NouvelleClasse, PoidsDesCompetences) {
  boîtes.répondretexte(QStringLiteral("Martin"));
  boîtes.répondretexte(QString());
  f.cmdajouter_Click();
  poids(0, "50");
  poids(1, "30");
  poids(2, "19");
  poids(3, "");
  boîtes.répondre(OK);
  f.cmdok_Click();
  EXPECT_EQ(boîtes.montrées().last().texte,
            QStringLiteral("La somme des coefficients n'est pas égale à 100.  Elle vaut actuellement 99%."));
  poids(2, "20");
  f.cmdok_Click();
  ASSERT_EQ(état().nbcompétences(), 3);
  EXPECT_EQ(état().listecompétences[1], QStringLiteral("050% -> C1"));
  EXPECT_EQ(état().listecompétences[3], QStringLiteral("020% -> C3"));
  EXPECT_EQ(état().ligneélève[1], QStringLiteral("Martin"));
  EXPECT_EQ(état().totalélève[1], QStringLiteral("?"));
  EXPECT_EQ(état().maxpériode, 20);
}

// Sans souris : Entrée, Espace ou F2 sur une compétence demandent son poids comme le
// double clic, et la classe se crée.
TEST_F(NouvelleClasse, PoidsDesCompetencesAuClavier) {
  boîtes.répondretexte(QStringLiteral("Martin"));
  boîtes.répondretexte(QString());
  f.cmdajouter_Click();
  const Qt::Key touches[] = {Qt::Key_Return, Qt::Key_Space, Qt::Key_F2};
  const char* valeurs[] = {"50", "30", "20"};
  for (int ligne = 0; ligne < 3; ++ligne) {
    f.listecompétences->setCurrentRow(ligne);
    boîtes.répondretexte(QString::fromUtf8(valeurs[ligne]));
    QTest::keyClick(f.listecompétences, touches[ligne]);
  }
  EXPECT_TRUE(boîtes.toutesutilisées());
  f.cmdok_Click();
  ASSERT_EQ(état().nbcompétences(), 3);
  EXPECT_EQ(état().listecompétences[2], QStringLiteral("030% -> C2"));
}

TEST_F(NouvelleClasse, ExamensEtMaxima) {
  boîtes.répondretexte(QStringLiteral("3"));
  f.cmdexa_Click();
  EXPECT_EQ(lignes(f.listemaxexa), (QStringList{" Examen n° 1 : / 50", " Examen n° 2 : / 20", " Examen n° 3 : / 20"}));
  for (const char* r : {"-1", "abc", "1"}) boîtes.répondretexte(QString::fromUtf8(r));
  f.cmdexa_Click();
  EXPECT_EQ(lignes(f.listemaxexa), QStringList{" Examen n° 1 : / 50"});
  EXPECT_EQ(f.nombreexamens->text(), QStringLiteral("1"));
  boîtes.répondretexte(QStringLiteral("2"));
  f.cmdexa_Click();
  f.listemaxexa->setCurrentRow(1);
  for (const char* r : {"0", "40000", "1000"}) boîtes.répondretexte(QString::fromUtf8(r));
  f.listemaxexa_DblClick();
  f.listemaxexa->setCurrentRow(0);
  boîtes.répondretexte(QStringLiteral("5"));
  f.listemaxexa_DblClick();
  EXPECT_EQ(boîtes.montrées().last().texte, QStringLiteral("Entrer la note maximale de l'examen n° 1"));
  for (const char* r : {"0", "120"}) boîtes.répondretexte(QString::fromUtf8(r));
  f.cmdmaxper_Click();
  boîtes.répondretexte(QStringLiteral("Martin"));
  boîtes.répondretexte(QString());
  f.cmdajouter_Click();
  poids(0, "100");
  f.cmdok_Click();
  EXPECT_EQ(état().nbexamens, 2);
  EXPECT_EQ(état().maxexamen[1], 5);
  EXPECT_EQ(état().maxexamen[2], 1000);
  EXPECT_EQ(état().maxpériode, 120);
  boîtes.répondretexte(QStringLiteral("0"));
  f.cmdexa_Click();
  EXPECT_EQ(f.listemaxexa->count(), 0);
}

TEST_F(NouvelleClasse, SansEleve) {
  boîtes.répondre(OK);
  f.cmdok_Click();
  EXPECT_EQ(boîtes.montrées()[0].titre, QStringLiteral("A T T E N T I O N  !"));
  EXPECT_EQ(boîtes.montrées()[0].texte,
            QStringLiteral("Attention, il n'y a pas d'élèves dans cette classe.  Utilisez l'option <Ajouter> pour les entrer."));
  EXPECT_EQ(maximumdeligne(QStringLiteral(" Examen n° 1 : / 50")), 50);
}

// Classe 5A131 avec la période 1 (tests 1 à 6) et un examen prévu.
class Creation : public Classes {
protected:
  void SetUp() override {
    Classes::SetUp();
    const QStringList l{" 1", "5A", "Math", "5A131", " 1", " 0"};
    deuxdisques(QStringLiteral("listclas.13"), l);
    lirelisteclasses();
    const QStringList mpe{" 1", " 20", " 50"};
    deuxdisques(QStringLiteral("5A131\\5A131.MPE"), mpe);
    const QStringList p1{" 2", " 6", " 0", " 1", "Dupont/1/2/3/4/5/6", " 50/ 10/ 0/", "Martin/6/5/4/3/2/1", " 50/ 10/ 0/",
                         "100% -> Calcul"};
    deuxdisques(QStringLiteral("5A131\\5A131.P1N"), p1);
    QStringList r1;
    for (int k = 1; k <= 6; ++k) r1 << " 10" << "01/10/2026" << "Test" << " 1";
    deuxdisques(QStringLiteral("5A131\\5A131.P1R"), r1);
    état().classecourante = 1;
    c.Form_Load();
  }
  FenetreChoixPeriodeExa& c = choixpériodeexa();
};

TEST_F(Creation, NouvellePeriode) {
  EXPECT_EQ(c.Texte1->text(), QStringLiteral("2"));
  for (const char* ignoré : {"0", "3"}) {
    c.Texte1->setText(QString::fromUtf8(ignoré));
    c.Commande1_Click();
    EXPECT_TRUE(boîtes.montrées().isEmpty()) << ignoré;
  }
  c.Texte1->setText(QStringLiteral(" 02"));
  boîtes.répondre(OUI);
  c.Commande1_Click();
  EXPECT_EQ(boîtes.montrées()[0].titre, QStringLiteral("Créer une nouvelle période"));
  EXPECT_EQ(boîtes.montrées()[0].texte, QStringLiteral("Désirez-vous réellement créer\rla période n° 2 ?"));
  EXPECT_EQ(état().périodecourante, QStringLiteral("P2"));
  EXPECT_EQ(état().dernièrepériode[1], 2);
  EXPECT_EQ(lire(disquedur(QStringLiteral("5A131\\5A131.P2N"))),
            crlf({" 2", " 0", " 0", " 7", "Dupont", "-1/?/ 0/", "Martin", "-1/?/ 0/", "100% -> Calcul"}));
  EXPECT_EQ(lire(disquedur(QStringLiteral("listclas.13"))), crlf({" 1", "5A", "Math", "5A131", " 2", " 0"}));
  chargerclasse();
  EXPECT_EQ(état().premièreinterro, 7);
}

TEST_F(Creation, PeriodeExistanteRouverteOuCreationRefusee) {
  const QStringList ancienne{" 2", " 1", " 0", " 7", "Dupont/15", " 75/ 15/ 0/", "Martin/9", " 45/ 9/ 0/", "100% -> Calcul"};
  écrire(amovible(QStringLiteral("5A131\\5A131.P2N")), crlf(ancienne));
  boîtes.répondre(OK);
  c.Commande1_Click();
  EXPECT_EQ(boîtes.montrées()[0].titre, QStringLiteral("!!! Période déjà créée !!!"));
  EXPECT_EQ(boîtes.montrées()[0].texte,
            QStringLiteral("Pour une raison anormale, la période demandée existait déjà.  Le fichier existant va s'ouvrir maintenant."));
  EXPECT_EQ(état().dernièrepériode[1], 2);
  EXPECT_FALSE(existe(disquedur(QStringLiteral("5A131\\5A131.P2N"))));  // rien d'écrit : le fichier sera relu

  c.Form_Load();
  boîtes.répondre(NON);
  c.Commande1_Click();
  EXPECT_EQ(état().classecourante, 0);
  EXPECT_FALSE(existe(disquedur(QStringLiteral("5A131\\5A131.P3N"))));
}

TEST_F(Creation, ExamensPrevusEtDepasses) {
  c.Option1_Click(0);
  EXPECT_EQ(c.Texte1->text(), QStringLiteral("1"));
  boîtes.répondre(OUI);
  c.Commande1_Click();
  EXPECT_EQ(boîtes.montrées()[0].texte, QStringLiteral("Désirez-vous réellement créer\rl'examen n° 1 ?"));
  EXPECT_EQ(état().périodecourante, QStringLiteral("E1"));
  EXPECT_EQ(état().nbexamenscréés[1], 1);
  EXPECT_TRUE(lire(disquedur(QStringLiteral("5A131\\5A131.E1N"))).startsWith(" 2\r\n 0\r\n 0\r\n 1\r\n"));

  c.Form_Load();
  c.Option1_Click(0);
  EXPECT_EQ(c.Texte1->text(), QStringLiteral("2"));
  boîtes.répondre(OK);
  c.Commande1_Click();
  EXPECT_EQ(boîtes.montrées()[1].titre, QStringLiteral("ATTENTION"));
  EXPECT_TRUE(boîtes.montrées()[1].texte.startsWith(
      QStringLiteral("Vous demandez de créer un examen d'un numéro plus élevé que le nombre d'examens prévus")));
  EXPECT_EQ(état().nbexamenscréés[1], 1);
  c.Commande2_Click();
  EXPECT_EQ(état().classecourante, 0);
}

}  // namespace
