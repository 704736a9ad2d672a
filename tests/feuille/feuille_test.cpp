#include <gtest/gtest.h>

#include "tests/outils/impressionqt.h"

#include "classes/invites.h"
#include "demarrage/renseignementspardefaut.h"
#include "feuille/interro.h"
#include "feuille/principale.h"
#include "impression/misesenpage.h"
#include "impression/rema.h"
#include "noyau/base/dossiers.h"
#include "noyau/base/etat.h"
#include "noyau/base/module.h"
#include "noyau/demo/demo.h"
#include "noyau/fichiers/listeclasses.h"
#include "noyau/fichiers/notesclasse.h"
#include "plateforme/fichiers.h"
#include "plateforme/imprimante.h"
#include "plateforme/services.h"
#include "socle/registre.h"
#include "tests/feuille/feuille_essai.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMenuBar>
#include <QSet>
#include <QTest>
#include "tests/outils/essai.h"

namespace {

TEST(PresenterNote, FormesAffichees) {
  const std::pair<const char*, const char*> cas[] = {
      {"12", "12.0"},   {" 14", " 14.0"}, {"12.5", "12.5"}, {"12.25", "12.25"}, {".5", "0.5"}, {" .5", "0.5"},
      {"A", "A"},       {"AI", "AI"},     {"NC", "NC"},     {"?", "?"},         {" 7/10", "7/10"}, {"-2/5 ", "-2/5"},
      {"-1", "-1.0"},
  };
  for (const auto& [t, attendu] : cas) EXPECT_EQ(présenternote(QString::fromUtf8(t)), QString::fromUtf8(attendu)) << t;
}

TEST(CouleurDeNote, RougeBleuNoir) {
  const std::tuple<const char*, double, int> cas[] = {
      {"10.0", 20, noir}, {"9.5", 20, rouge}, {"A", 20, bleu},      {"AI", 20, rouge}, {"NC", 20, bleu},
      {"7.5/10", 10, noir}, {"4/10", 10, rouge}, {"-2/5", 5, rouge}, {"   ?", 0, bleu},  {"  049", 100, rouge},
      {"  050", 100, noir}, {" ?", 20, bleu},
  };
  for (const auto& [t, m, c] : cas) EXPECT_EQ(couleurdenote(QString::fromUtf8(t), m), c) << t;
}

TEST_F(Feuille, GrilleCelluleParCellule) {
  ASSERT_EQ(p.grille1->Cols(), 10);
  ASSERT_EQ(p.grille1->Rows(), 12);
  const QStringList entête0{"", "", "N°1", "N°2", "N°3", "Or 1", "MOY", "TotC1", "TotC2", " Prép."};
  const QStringList entête1{"", "Noms et prénoms", "/20", "/20", "/10", "", "/ 20", " en %", " en %", " N.F."};
  for (int c = 0; c < 10; ++c) {
    EXPECT_EQ(texte(0, c), entête0[c]) << c;
    EXPECT_EQ(texte(1, c), entête1[c]) << c;
  }
  EXPECT_EQ(texte(2, 3), QStringLiteral("(C2)"));
  struct Cellule {
    int l, c;
    const char* texte;
    int couleur;
  };
  const Cellule cellules[] = {
      {3, 0, "1", sanscouleur},       {3, 1, "Dupont Élodie", sanscouleur}, {3, 2, "12.0", noir},
      {3, 3, "A", bleu},              {3, 4, "7.5", noir},                  {3, 5, "7.5/10", noir},
      {3, 6, " 13.0", noir},          {3, 7, "  080", noir},                {3, 8, "  040", rouge},
      {3, 9, "   02", sanscouleur},   {4, 2, "AI", rouge},                  {4, 3, "NC", bleu},
      {4, 5, "", sanscouleur},        {4, 6, " 6.0", rouge},                {4, 8, "   ?", bleu},
      {5, 2, "9.5", rouge},           {5, 5, "4/10", rouge},                {5, 6, " 10.0", noir},
      {5, 7, "  049", rouge},         {5, 8, "  050", noir},
      {7, 1, "    Moyenne de la classe", sanscouleur}, {7, 2, " 7.2", rouge}, {7, 3, " 14.0", noir},
      {7, 6, " 9.7", rouge},          {8, 1, "       Nombre d'échecs", sanscouleur}, {8, 2, " 2  ", sanscouleur},
      {8, 6, " 1  ", sanscouleur},    {10, 1, "C1 = 060% -> Nombres", sanscouleur}, {11, 1, "C2 = 040% -> Géométrie", sanscouleur},
  };
  for (const auto& c : cellules) {
    EXPECT_EQ(texte(c.l, c.c), QString::fromUtf8(c.texte)) << c.l << "," << c.c;
    EXPECT_EQ(couleur(c.l, c.c), c.couleur) << c.l << "," << c.c;
  }
  EXPECT_EQ(p.Etiquette3->text(), QStringLiteral("Classe de 5A"));
  EXPECT_EQ(p.Etiquette4->text(), QStringLiteral("Cours de Mathématique"));
  EXPECT_EQ(p.Etiquette5->text(), QStringLiteral("Période n°1"));
  EXPECT_TRUE(p.windowTitle().startsWith(QStringLiteral("Programme de cotation - ")));
  EXPECT_GE(p.grille1->ColWidth(5), 600);  // colonne orale à la mesure de "7.5/10"
  EXPECT_EQ(p.colonnecourante, 1000);
}

TEST_F(Feuille, ColonneDesNomsRepeteeAuDelaDeQuatorzeTests) {
  for (int tests : {14, 15}) {
    créerclassedemesure(racine, {3, tests, 0, 2, 1, 0});
    état().préparations = FAUX;
    état().listeclassesaffichées.redim(2);
    chargerclasse();
    p.Form_Load();
    const int attendu = 2 + tests + 0 + 3 + (tests > 14 ? 1 : 0);
    ASSERT_EQ(p.grille1->Cols(), attendu) << tests;
    const int dernière = p.grille1->Cols() - 1;
    if (tests == 15) {
      EXPECT_EQ(texte(1, dernière), QStringLiteral("Noms et prénoms"));
      EXPECT_EQ(texte(3, dernière), état().nomélève[1]);
    } else {
      EXPECT_EQ(texte(0, dernière), QStringLiteral("TotC2"));
    }
  }
}

TEST_F(Feuille, BoutonsDesPeriodesEtMoyenneSansResultat) {
  état().dernièrepériode[1] = 4;
  p.Form_Load();
  for (int i = 0; i < 5; ++i) EXPECT_EQ(!p.boutonpériode[i]->isHidden(), i < 3) << i;

  // Période 2 : aucun test noté, aucun résultat.
  état().périodecourante = QStringLiteral("P2");
  chargerclasse();
  état().nbinterros = 1;
  état().maxinterro.redim(2);
  état().maxinterro[1] = 20;
  état().compétenceinterro.redim(1);
  état().compétenceinterro[1] = 1;
  for (int s = 1; s <= 3; ++s) état().ligneélève[s] = état().nomélève[s] + QStringLiteral("/A");
  découperetstatistiques();
  p.Form_Load();
  EXPECT_EQ(texte(7, 3), QStringLiteral("-1.0"));  // colonne MOY
  EXPECT_EQ(couleur(7, 3), rouge);
  EXPECT_EQ(texte(7, 2), QString());  // le test sans note comptée reste vide
}

TEST_F(Feuille, CorrectionDUneNoteAvecVirguleRefusee) {
  choisir(3, 2);
  boîtes.répondretexte(QStringLiteral("12,5"));
  boîtes.répondre(OK);
  boîtes.répondretexte(QStringLiteral("12.5"));
  p.grille1_DblClick();
  const QList<BoiteMontrée> saisies = boîtes.montrées(GenreBoite::Saisie);
  ASSERT_EQ(saisies.size(), 2);
  EXPECT_EQ(saisies[0].titre, QStringLiteral("CORRECTION"));
  EXPECT_EQ(saisies[0].texte, QStringLiteral("Entrer la note corrigée de\n\nDupont Élodie\n\npour l'interrogation n° 1"));
  EXPECT_EQ(saisies[0].défaut, QStringLiteral("12"));
  EXPECT_EQ(saisies[1].défaut, QStringLiteral("12,5"));
  EXPECT_EQ(boîtes.montrées(GenreBoite::Avertissement)[0].titre, QStringLiteral("Note incorrecte !!!"));
  EXPECT_EQ(état().noteinterro(1, 1), QStringLiteral("12.5"));
  const QStringList fichier = lirefichier(disquedur(QStringLiteral("5A131\\5A131.P1N")));
  EXPECT_TRUE(fichier[4].startsWith(QStringLiteral("Dupont Élodie/12.5/A/7.5/"))) << fichier[4].toStdString();
  EXPECT_EQ(texte(3, 2), QStringLiteral("12.5"));

  // Une cellule de la ligne des moyennes ou une note orale absente : rien.
  choisir(7, 2);
  p.grille1_DblClick();
  choisir(4, 5);
  p.grille1_DblClick();
  EXPECT_EQ(boîtes.montrées(GenreBoite::Saisie).size(), 2);
}

TEST_F(Feuille, CorrectionDUneNoteOrale) {
  choisir(5, 5);
  boîtes.répondretexte(QStringLiteral("6"));
  p.grille1_DblClick();
  EXPECT_EQ(boîtes.montrées()[0].défaut, QStringLiteral(" 4"));
  EXPECT_EQ(état().noteorale(3, 1), 6.0);
  EXPECT_EQ(texte(5, 5), QStringLiteral("6/10"));
}

TEST_F(Feuille, NomCorrigeRetrieChaquePeriode) {
  choisir(3, 1);
  boîtes.répondretexte(QStringLiteral("Zola Élodie"));
  p.grille1_DblClick();
  for (const char* fichier : {"5A131\\5A131.P1N", "5A131\\5A131.P2N"}) {
    const QStringList l = lirefichier(disquedur(QString::fromUtf8(fichier)));
    EXPECT_TRUE(l[4].startsWith(QStringLiteral("Durand Paul"))) << fichier;
    EXPECT_TRUE(l[8].startsWith(QStringLiteral("Zola Élodie"))) << fichier;
  }
  // Les préparations suivent l'élève dans le tri.
  EXPECT_EQ(lirefichier(disquedur(QStringLiteral("5A131\\5A131.P2N")))[9], QStringLiteral("-1/-1/?/ 1/"));
  EXPECT_EQ(état().périodecourante, QStringLiteral("P1"));
  EXPECT_EQ(texte(5, 1), QStringLiteral("Zola Élodie"));
  EXPECT_EQ(texte(5, 2), QStringLiteral("12.0"));

  // "/" couperait la ligne de l'élève : refusé, la question revient.
  choisir(3, 1);
  boîtes.répondretexte(QStringLiteral("A/B"));
  boîtes.répondre(OK);
  boîtes.répondretexte(QString());
  p.grille1_DblClick();
  EXPECT_EQ(état().nomélève[1], QStringLiteral("Durand Paul"));
}

TEST_F(Feuille, PlusEtMoinsSurLesPreparations) {
  choisir(3, 9);
  p.grille1_KeyDown(107, 0);
  EXPECT_EQ(état().préparationsnonfaites[1], 3);
  EXPECT_EQ(texte(3, 9), QStringLiteral("  03"));
  EXPECT_EQ(lirefichier(disquedur(QStringLiteral("5A131\\5A131.P1N")))[5], QStringLiteral(" 80/ 40/ 13/ 3/"));
  choisir(4, 9);
  p.grille1_KeyDown(189, 0);
  EXPECT_EQ(état().préparationsnonfaites[2], 0);
  EXPECT_EQ(texte(4, 9), QStringLiteral("  00"));
  choisir(3, 2);  // ailleurs que dans " Prép." : rien
  p.grille1_KeyDown(187, 0);
  EXPECT_EQ(état().préparationsnonfaites[1], 3);
}

TEST_F(Feuille, EspaceEtRenseignements) {
  boîtes.répondre(OK);
  p.grille1_KeyDown(32, 0);
  EXPECT_EQ(boîtes.montrées()[0].titre, QStringLiteral("Total des totaux !"));
  EXPECT_EQ(boîtes.montrées()[0].texte, QStringLiteral(" 50"));
  choisir(4, 3);
  boîtes.répondre(OK);
  p.mnuaffrensint_Click();
  EXPECT_EQ(boîtes.montrées()[1].titre, QStringLiteral("Interro écrite n° 2"));
  EXPECT_EQ(boîtes.montrées()[1].texte,
            QStringLiteral("Date : 19/09/2026\nMatière : Aires\nCompétence : 040% -> Géométrie"));
  choisir(5, 5);
  boîtes.répondre(OK);
  p.mnuaffrensint_Click();
  EXPECT_EQ(boîtes.montrées()[2].titre, QStringLiteral("Interro orale n° 1"));
  EXPECT_EQ(boîtes.montrées()[2].texte, QStringLiteral("Nom : Martin Léa\nMatière et date : 02.10 - Calcul\nNote obtenue : 4 / "
                                                       "10\nCompétence : 040% -> Géométrie"));
}

TEST_F(Feuille, RefusPendantLeGroupement) {
  p.groupageactif = true;
  choisir(3, 2);
  for (int i = 0; i < 4; ++i) boîtes.répondre(OK);
  p.grille1_DblClick();
  p.grille1_KeyDown(32, 0);
  p.mnunouvie_Click();
  p.corrint_Click();
  const QList<BoiteMontrée> b = boîtes.montrées();
  ASSERT_EQ(b.size(), 4);
  EXPECT_EQ(b[0].titre, QStringLiteral("Action Impossible !!!"));
  EXPECT_TRUE(b[0].texte.endsWith(QStringLiteral("désactiver la fonction <grouper les compétences>.")));
  EXPECT_TRUE(b[1].texte.endsWith(QStringLiteral("décocher la case <grouper les compétences>.")));
  EXPECT_EQ(b[2].titre, QStringLiteral("Grouper les compétences est actif"));
  EXPECT_EQ(b[3].titre, QStringLiteral("Action Impossible !!!"));
  EXPECT_EQ(état().nbinterros, 3);
}

TEST_F(Feuille, ChangerDePeriodeOuDeClasse) {
  p.boutonpériode_Click(1);
  EXPECT_EQ(état().étatdémarrage, QStringLiteral("P2"));
  p.Form_Load();
  EXPECT_EQ(état().étatdémarrage, QString());
  p.onglets_Click(0);  // l'onglet de la classe courante : rien
  EXPECT_EQ(état().étatdémarrage, QString());
}

// Chaque article de chaque menu de la feuille a sa lettre (Alt+F puis Q quitte), une
// seule fois par menu.
TEST_F(Feuille, UneLettreParArticleDeMenu) {
  p.préparermenuéditer();
  const QMenuBar* barre = p.findChild<QMenuBar*>();
  ASSERT_TRUE(barre);
  int articles = 0;
  for (QAction* m : barre->actions()) {
    ASSERT_TRUE(m->menu());
    QSet<QChar> lettres;
    for (QAction* a : m->menu()->actions()) {
      if (a->isSeparator()) continue;
      const QString t = QString(a->text()).replace(QStringLiteral("&&"), QString());
      const qsizetype i = t.indexOf(u'&');
      ASSERT_TRUE(i >= 0 && i + 1 < t.size()) << a->text().toStdString();
      const QChar lettre = t[i + 1].toLower();
      EXPECT_FALSE(lettres.contains(lettre)) << m->text().toStdString() << " : " << a->text().toStdString();
      lettres.insert(lettre);
      ++articles;
    }
  }
  EXPECT_GE(articles, 30);
}

// Au clavier : la flèche vers l'onglet suivant ouvre sa classe, comme le clic.
TEST_F(Feuille, OngletDeClasseChoisiAuClavier) {
  deuxdisques(QStringLiteral("listclas.13"), {" 2", "5A", "Mathématique", "5A131", " 2", " 0", "6B", "Sciences", "6B131", " 1", " 0"});
  lirelisteclasses();
  état().listeclassesaffichées.redim(3);
  état().listeclassesaffichées[1] = QStringLiteral("5A");
  état().listeclassesaffichées[2] = QStringLiteral("6B");
  p.Form_Load();
  ASSERT_EQ(p.onglets->count(), 2);
  QTest::keyClick(p.onglets, Qt::Key_Right);
  EXPECT_EQ(état().classecourante, 2);
  EXPECT_EQ(état().étatdémarrage, QStringLiteral("P1"));
}

TEST_F(Feuille, NouvelleInterrogationEtFermetureParLeCadre) {
  // Fermée par le cadre : aucune interrogation n'est créée.
  surfenêtre = [](const QString& nom) {
    ASSERT_EQ(nom, QStringLiteral("fenêtreinterro"));
    fenêtreinterro().Form_Load();
    fenêtreinterro().close();
  };
  boîtes.répondretexte(QStringLiteral("0"));
  boîtes.répondretexte(QStringLiteral("12.5"));
  boîtes.répondretexte(QStringLiteral("20"));
  p.mnunouvie_Click();
  EXPECT_EQ(boîtes.montrées()[0].texte, QStringLiteral("L'interrogation écrite n° 4 est sur ?"));
  EXPECT_EQ(état().nbinterros, 3);

  nouvelleinterro();
  EXPECT_EQ(état().nbinterros, 4);
  EXPECT_EQ(état().noteinterro(1, 4), QStringLiteral("16"));
  EXPECT_EQ(état().compétenceinterro[4], 2);
  const QStringList r = lirefichier(disquedur(QStringLiteral("5A131\\5A131.P1R")));
  ASSERT_EQ(r.size(), 16);
  EXPECT_EQ(r.mid(12), (QStringList{" 20", "05/10/2026", "?", " 2"}));
  EXPECT_EQ(texte(0, 5), QStringLiteral("N°4"));
}

// Un nouveau test n'hérite d'aucune compétence, même quand la période n'a encore
// aucun test et que ceux d'une autre période sont encore en mémoire.
TEST_F(Feuille, LePremierTestDemandeSaCompetence) {
  for (const auto& [période, numéro] : {std::pair{"P2", 1}, std::pair{"P1", 4}}) {
    état().périodecourante = QString::fromLatin1(période);
    chargerclasse();
    p.Form_Load();
    boîtes.oublier();
    QString notegardée = QStringLiteral("?");
    surfenêtre = [&](const QString&) {
      FenetreInterro& f = fenêtreinterro();
      f.Form_Load();
      f.notesinterro = QStringList{QString(), "16", "A", "NC"};
      EXPECT_EQ(f.choixcompétence->currentIndex(), -1) << période;
      boîtes.répondre(OK);
      f.cmdok_Click();
      notegardée = état().noteinterro(1, numéro);
      f.choixcompétence->setCurrentIndex(1);
      f.cmdok_Click();
    };
    boîtes.répondretexte(QStringLiteral("20"));
    p.mnunouvie_Click();
    ASSERT_EQ(boîtes.montrées().size(), 2) << période;
    EXPECT_EQ(boîtes.montrées()[1].titre, QStringLiteral("Attention"));
    EXPECT_EQ(boîtes.montrées()[1].texte, QStringLiteral("Il faut choisir la compétence évaluée"));
    EXPECT_EQ(notegardée, QString()) << période;  // la fenêtre n'a rien gardé
    EXPECT_EQ(état().nbinterros, numéro);
    EXPECT_EQ(état().compétenceinterro[numéro], 2) << période;
  }
}

// Partout où un nombre est demandé, des lettres sont nommées dans une boîte au
// titre de la question, et la même question revient (ici, on y renonce ou on
// donne un nombre).
TEST_F(Feuille, DesLettresLaOuUnNombreEstDemande) {
  QListWidget examens;
  examens.addItem(ligneexamen(1, QStringLiteral("20")));
  examens.setCurrentRow(0);
  QLabel étiquette;
  struct Cas {
    const char* nom;
    const char* ensuite;  // la réponse donnée quand la question revient
    std::function<void()> poser;
    const char* titre = nullptr;  // celui de la boîte, quand la question n'en a pas
  };
  const Cas cas[] = {
      {"maximum d'un test", "20", [] { EXPECT_EQ(demandermaximum(QStringLiteral("4")), 20); }},
      {"maximum d'une note orale", "", [this] { choisir(4, 1); p.mnuajouternoteorale_Click(); }},
      {"type d'exportation", "", [this] { p.exportnotes_Click(); }},
      {"compétence exportée", "", [this] { p.exporttotcomp_Click(); }},
      {"dernière période des totaux", "1", [] { EXPECT_EQ(demanderdernièrepériode(), 1); }},
      {"nombre d'examens", "", [&] { demandernombreexamens(&examens, &étiquette); }},
      {"maximum d'un examen", "", [&] { corrigermaxexamen(&examens); }},
      {"maximum des périodes", "", [&] { demandermaxpériode(&étiquette); }},
      {"nombre de périodes par défaut", "", [] { renseignementspardéfaut().cornombrepériodes_Click(); }},
      {"coefficient", "", [] { EXPECT_EQ(poidsdemandé(QStringLiteral("Calcul"), 0.0), 0.0); }, "Coefficient"},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    boîtes.oublier();
    boîtes.répondretexte(QStringLiteral("douze"));
    boîtes.répondretexte(QString::fromUtf8(c.ensuite));
    c.poser();
    const QList<BoiteMontrée> b = boîtes.montrées();
    ASSERT_EQ(b.size(), 3);
    EXPECT_EQ(b[1].genre, GenreBoite::Message);
    EXPECT_EQ(b[1].titre, c.titre ? QString::fromUtf8(c.titre) : b[0].titre);
    EXPECT_TRUE(b[1].texte.startsWith(QStringLiteral("« douze » n'est pas un nombre."))) << b[1].texte.toStdString();
    EXPECT_EQ(b[2].texte, b[0].texte);
  }
  EXPECT_EQ(examens.item(0)->text(), ligneexamen(1, QStringLiteral("20")));
  EXPECT_EQ(examens.count(), 1);
  EXPECT_EQ(état().nbnotesorales[2], 0);
}

class Interro : public Feuille {
protected:
  void ouvrir(int k) {
    état().numérointerro = k;
    f.Form_Load();
  }
  FenetreInterro& f = fenêtreinterro();
};

TEST_F(Interro, StatistiquesAuFilDeLaFrappe) {
  ouvrir(2);  // A, NC, 14 sur 20
  EXPECT_EQ(f.étiqmoyenne->text(), QStringLiteral("14,0"));
  EXPECT_EQ(f.étiqéchecs->text(), QStringLiteral("0"));
  EXPECT_EQ(f.tableau->modèle().cellule(0, 2).texte, QStringLiteral("A"));
  EXPECT_EQ(f.tableau->modèle().cellule(2, 2).texte, QStringLiteral("14,0"));
  EXPECT_EQ(f.tableau->modèle().cellule(2, 3).texte, QStringLiteral("/20"));
  f.notesinterro = QStringList{QString(), "A", "15", "NC"};
  f.listedesnotes();
  EXPECT_EQ(f.étiqmoyenne->text(), QStringLiteral("15,0"));
  EXPECT_EQ(f.étiqéchecs->text(), QStringLiteral("0"));
  f.notesinterro = QStringList{QString(), "AI", "15", "NC"};
  f.listedesnotes();
  EXPECT_EQ(f.étiqéchecs->text(), QStringLiteral("1"));
  EXPECT_EQ(f.étiqmoyenne->text(), QStringLiteral("7,5"));
  // 12 et 12.5 font 12.25 : la fenêtre montre 12,2 comme la grille (au dixième pair),
  // et sa figure aussi, avec la virgule de ses textes.
  f.notesinterro = QStringList{QString(), "12", "12.5", "NC"};
  f.listedesnotes();
  EXPECT_EQ(f.étiqmoyenne->text(), QStringLiteral("12,2"));
  EXPECT_TRUE(f.histogramme->figure().textes().contains(QStringLiteral("moy. 12,2")));
  EXPECT_TRUE(f.histogramme->figure().textes().contains(QStringLiteral("méd. 12,25")));
  f.notesinterro = QStringList{QString(), "AI", "15", "NC"};
  f.listedesnotes();
  EXPECT_EQ(f.tableau->modèle().cellule(0, 2).avant, rouge);
  EXPECT_TRUE(f.choixcompétence->currentText().endsWith(QStringLiteral("Géométrie")));
  EXPECT_FALSE(f.prop->isHidden());
  // Les statistiques suivent la frappe : AI (0) et 15 comptés, histogramme par dixième de 20.
  EXPECT_EQ(f.étiqcomptées->text(), QStringLiteral("2"));
  EXPECT_EQ(f.étiqmédiane->text(), QStringLiteral("7,5"));
  EXPECT_EQ(f.étiqécarttype->text(), QStringLiteral("7,5"));
  EXPECT_EQ(f.histogramme->répartition(), (std::array<int, 10>{1, 0, 0, 0, 0, 0, 0, 1, 0, 0}));
}

TEST_F(Feuille, CommentEstCeCalculé) {
  const int moy = 3 + 1 + 2;  // trois tests, une colonne orale
  const QString moyenne = p.bulle(3, moy);
  EXPECT_TRUE(moyenne.startsWith(QStringLiteral("Dupont Élodie — Période n°1, maximum 20"))) << moyenne.toStdString();
  // Le fichier du banc d'essai garde 13 pour Dupont : l'explication le signale.
  EXPECT_EQ(texte(3, moy).trimmed(), QStringLiteral("13.0"));
  EXPECT_TRUE(moyenne.endsWith(QStringLiteral("Attention : le fichier garde le résultat 13, calculé avant un changement fait "
                                              "ailleurs ; il sera recalculé à la prochaine modification de l'élève.\n"
                                              "Résultat : 14 / 20")))
      << moyenne.toStdString();
  EXPECT_TRUE(p.bulle(3, moy + 2).endsWith(QStringLiteral("Pourcentage : ?")));  // Géométrie : un seul test, A
  EXPECT_TRUE(p.bulle(0, 2).startsWith(QStringLiteral("Test n°1 (Fractions)\n\nNotes comptées : 3")));
  EXPECT_TRUE(p.bulle(3, 1).isEmpty());
  EXPECT_EQ(p.grille1->modèle().data(p.grille1->modèle().index(3, moy), Qt::ToolTipRole).toString(), moyenne);
  choisir(3, 2);  // une note : l'explication de la moyenne de l'élève
  p.mnuexplication_Click();
  ASSERT_EQ(boîtes.montrées().size(), 1);
  EXPECT_EQ(boîtes.montrées()[0].titre, QStringLiteral("Comment est-ce calculé ?"));
  EXPECT_EQ(boîtes.montrées()[0].texte, moyenne);
}

TEST_F(Interro, ConserverLesProportions) {
  ouvrir(1);
  f.notesinterro = QStringList{QString(), "15", "13", "7"};
  f.prop->setChecked(true);
  boîtes.répondretexte(QStringLiteral("10"));
  f.Command1_Click();
  EXPECT_EQ(f.notesinterro.mid(1), (QStringList{"7.5", "6.5", "3.5"}));
  EXPECT_EQ(état().maxinterro[1], 10);

  // Sans proportions, un maximum sous une note est refusé.
  f.prop->setChecked(false);
  boîtes.répondretexte(QStringLiteral("5"));
  boîtes.répondre(OK);
  f.Command1_Click();
  EXPECT_EQ(boîtes.montrées().last().titre, QStringLiteral("A T T E N T I O N !!!"));
  EXPECT_EQ(boîtes.montrées().last().texte,
            QStringLiteral("La note de Dupont Élodie est supérieure au nouveau maximum de l'interrogation (5). Il est donc "
                           "impossible de modifier ce dernier.  Changez d'abord les notes."));
  EXPECT_EQ(état().maxinterro[1], 10);
}

TEST_F(Interro, OKAvecUneNoteManquanteLanceLaSaisie) {
  ouvrir(1);
  f.notesinterro[2].clear();
  boîtes.répondretexte(QStringLiteral("11"));
  f.cmdok_Click();
  ASSERT_EQ(boîtes.montrées().size(), 1);
  EXPECT_EQ(boîtes.montrées()[0].titre, QStringLiteral("ENTRER UNE NOTE"));
  EXPECT_TRUE(boîtes.montrées()[0].texte.contains(QStringLiteral("Durand Paul")));
  EXPECT_EQ(f.notesinterro[2], QStringLiteral("11"));
  EXPECT_EQ(état().noteinterro(2, 1), QStringLiteral("AI"));  // pas encore écrite : la fenêtre reste ouverte
  f.cmdok_Click();
  EXPECT_EQ(état().noteinterro(2, 1), QStringLiteral("11"));
}

TEST_F(Interro, ImpressionDesResultats) {
  ParcTexte parc;
  services().imprimantes = &parc;
  ouvrir(2);
  f.cmdimprimer_Click();
  const QStringList lignes = parc.imprimante(0).texte().split(u'\n');
  EXPECT_EQ(lignes[3], QStringLiteral("  Classe : 5A - Interrogation écrite n° 2 du 19/09/2026"));
  EXPECT_EQ(lignes[5], QStringLiteral("  Matière : Aires"));
  EXPECT_EQ(lignes[7], QStringLiteral("  Moyenne : 14,0/20"));
  EXPECT_TRUE(lignes.contains(QStringLiteral("3|Martin Léa|14,0|/20")));
}

class Remarques : public Feuille {};

TEST_F(Remarques, TexteColleNettoyeOuRefuse) {
  FenetreRema& r = rema();
  état().textesaisi = QStringLiteral("Entrer la matière de l'interrogation écrite");
  r.Form_Load();
  r.Text1->setText(QStringLiteral("  Fractions\tet\ndécimaux "));
  r.Command2_Click();
  EXPECT_EQ(état().textesaisi, QStringLiteral("Fractions et décimaux"));
  // Un émoji seul n'a pas de lettre proche : refusé, la fenêtre attend une autre frappe.
  r.Form_Load();
  état().textesaisi = QStringLiteral("avant");
  r.Text1->setText(QStringLiteral("😀"));
  boîtes.répondre(OK);
  r.Command2_Click();
  EXPECT_EQ(état().textesaisi, QStringLiteral("avant"));
  EXPECT_EQ(boîtes.montrées().last().titre, QStringLiteral("Caractères impossibles à garder"));
}

TEST_F(Remarques, AllerRetourAvecUneVirgule) {
  FenetreRema& r = rema();
  état().textesaisi = QStringLiteral("Entrer la matière de l'interrogation écrite");
  r.Form_Load();
  EXPECT_EQ(r.Label1->text(), QStringLiteral("Entrer la matière de l'interrogation écrite"));
  EXPECT_FALSE(r.Command1->isEnabled());
  EXPECT_EQ(r.List2->count(), 3);  // les matières de la classe, même initiale
  r.Text1->setText(QStringLiteral("Fractions, décimaux"));
  r.Text1_KeyDown(65);
  r.Command1_Click();
  EXPECT_EQ(état().textesaisi, QStringLiteral("Fractions, décimaux"));
  // Entre guillemets, la virgule ne coupe pas la remarque en deux à la relecture.
  EXPECT_EQ(lire(racine + QStringLiteral("/commentaires.txt")), QByteArray("\"Fractions, d\xE9" "cimaux\"\r\n"));
  r.Form_Load();
  ASSERT_EQ(r.List1->count(), 1);
  EXPECT_EQ(r.List1->item(0)->text(), QStringLiteral("Fractions, décimaux"));

  // Sauvegarder avec un texte vide n'écrit rien ; Annuler rend un texte vide.
  r.Text1->clear();
  r.Command1_Click();
  EXPECT_EQ(lire(racine + QStringLiteral("/commentaires.txt")), QByteArray("\"Fractions, d\xE9" "cimaux\"\r\n"));
  état().textesaisi = QStringLiteral("invite");
  r.Form_Load();
  r.Command3_Click();
  EXPECT_EQ(état().textesaisi, QString());
}

}  // namespace

// Ce qu'un lecteur d'écran dit des cases d'élèves : l'élève, le test, la note sur
// son maximum, et, sans la couleur, l'absence et la note sous la moitié ; la
// description d'une moyenne est son explication.
TEST_F(Feuille, CasesQuiParlent) {
  const auto dit = [this](int l, int c, int rôle = Qt::AccessibleTextRole) {
    const ModeleGrille& m = p.grille1->modèle();
    return m.data(m.index(l, c), rôle).toString();
  };
  const struct {
    int ligne, colonne;
    const char* attendu;
  } cas[] = {
      {3, 1, "Dupont Élodie, élève n°1"},
      {3, 2, "Dupont Élodie, interro n°1 (C1) : 12.0 sur 20"},
      {3, 3, "Dupont Élodie, interro n°2 (C2) : absent"},
      {4, 2, "Durand Paul, interro n°1 (C1) : absence injustifiée, sous la moitié"},
      {4, 3, "Durand Paul, interro n°2 (C2) : non coté"},
      {5, 2, "Martin Léa, interro n°1 (C1) : 9.5 sur 20, sous la moitié"},
      {3, 5, "Dupont Élodie, note orale n°1 : 7.5 sur 10"},
  };
  for (const auto& c : cas) EXPECT_EQ(dit(c.ligne, c.colonne), QString::fromUtf8(c.attendu)) << c.ligne << "," << c.colonne;
  const int moy = état().nbinterros + état().nborales + 2;
  EXPECT_TRUE(dit(3, moy).startsWith(QStringLiteral("Dupont Élodie, moyenne : "))) << dit(3, moy).toStdString();
  // Un pourcentage de compétence se dit en pour cent, sans ses zéros ("080").
  EXPECT_EQ(dit(3, moy + 1), QStringLiteral("Dupont Élodie, compétence C1, en pour cent : %1 pour cent").arg(texte(3, moy + 1).toInt()));
  EXPECT_FALSE(dit(3, moy + 1).contains(QStringLiteral(": 0")));
  EXPECT_FALSE(dit(3, moy, Qt::AccessibleDescriptionRole).isEmpty());
  EXPECT_EQ(dit(0, 2), texte(0, 2));  // une tête garde son texte

  // Les en-têtes : chaque case est liée à son test et à son élève.
  const auto entête = [this](Qt::Orientation o, int section, int rôle = Qt::AccessibleTextRole) {
    return p.grille1->modèle().headerData(section, o, rôle).toString();
  };
  const struct {
    Qt::Orientation sens;
    int section;
    const char *nom, *description;
  } entêtes[] = {
      {Qt::Horizontal, 1, "élève", ""},
      {Qt::Horizontal, 2, "interro n°1 (C1) sur 20", "du 12/09/2026 : Fractions, compétence 060% -> Nombres"},
      {Qt::Horizontal, 3, "interro n°2 (C2) sur 20", "du 19/09/2026 : Aires, compétence 040% -> Géométrie"},
      {Qt::Horizontal, 5, "note orale n°1", ""},
      {Qt::Horizontal, moy, "moyenne sur 20", ""},
      {Qt::Horizontal, moy + 2, "compétence C2, en pour cent", "040% -> Géométrie"},
      {Qt::Vertical, 4, "Durand Paul", "élève n°2"},
  };
  for (const auto& e : entêtes) {
    EXPECT_EQ(entête(e.sens, e.section), QString::fromUtf8(e.nom)) << e.section;
    EXPECT_EQ(entête(e.sens, e.section, Qt::AccessibleDescriptionRole), QString::fromUtf8(e.description)) << e.section;
  }
}

// Au clavier, la période d'à côté (Ctrl+Pg.préc., Ctrl+Pg.suiv.) : P1 → P2, rien
// avant P1 ni après la dernière.
TEST_F(Feuille, PeriodeVoisineAuClavier) {
  EXPECT_EQ(p.mnupériodesuivante->shortcut(), QKeySequence(QStringLiteral("Ctrl+PgDown")));
  état().étatdémarrage.clear();
  p.mnupériodeprécédente->trigger();
  EXPECT_EQ(état().étatdémarrage, QString());
  p.mnupériodesuivante->trigger();
  EXPECT_EQ(état().étatdémarrage, QStringLiteral("P2"));
  état().étatdémarrage.clear();
  état().périodecourante = QStringLiteral("P2");
  p.mnupériodesuivante->trigger();
  EXPECT_EQ(état().étatdémarrage, QString());
  p.mnupériodeprécédente->trigger();
  EXPECT_EQ(état().étatdémarrage, QStringLiteral("P1"));
}

// Au clavier : chaque titre de menu a sa lettre Alt, aucune touche ne sert deux
// commandes (Ctrl+C est le classement, Ctrl+Maj+C copie la case), et la copie
// passe par la touche de la grille comme par le menu.
TEST_F(Feuille, UnRaccourciUneCommande) {
  QMap<QString, QString> raccourcis;
  for (const QAction* a : p.findChildren<QAction*>())
    for (const QKeySequence& k : a->shortcuts()) {
      const QString touche = k.toString();
      EXPECT_FALSE(raccourcis.contains(touche)) << touche.toStdString() << " : « " << raccourcis.value(touche).toStdString()
                                                << " » et « " << a->text().toStdString() << " »";
      raccourcis.insert(touche, QString(a->text()).remove(u'&'));
    }
  EXPECT_EQ(raccourcis.value(QStringLiteral("Ctrl+C")), QStringLiteral("Classement"));
  EXPECT_EQ(raccourcis.value(QStringLiteral("Ctrl+Shift+C")), QStringLiteral("Copier la case"));
  QSet<QChar> lettres;
  const QMenuBar* barre = p.findChild<QMenuBar*>();
  ASSERT_NE(barre, nullptr);
  for (const QAction* menu : barre->actions()) {
    const qsizetype et = menu->text().indexOf(u'&');
    ASSERT_GE(et, 0) << menu->text().toStdString();
    EXPECT_FALSE(lettres.contains(menu->text()[et + 1].toLower())) << menu->text().toStdString();
    lettres.insert(menu->text()[et + 1].toLower());
  }
  EXPECT_EQ(lettres.size(), 5);
  choisir(3, 2);
  QGuiApplication::clipboard()->clear();
  QTest::keyClick(p.grille1, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text().trimmed(), QStringLiteral("12,0"));
  QGuiApplication::clipboard()->clear();
  p.mnucopier->trigger();
  EXPECT_EQ(QGuiApplication::clipboard()->text().trimmed(), QStringLiteral("12,0"));
}
