#include <gtest/gtest.h>

#include "tests/feuille/feuille_essai.h"

#include "classes/importliste.h"
#include "feuille/listorales.h"
#include "noyau/base/dossiers.h"
#include "noyau/regles/maintenance.h"
#include "plateforme/imprimante.h"
#include "plateforme/nombres.h"
#include "plateforme/services.h"

namespace {

const QString P1N = QStringLiteral("5A131\\5A131.P1N");
const QString P2N = QStringLiteral("5A131\\5A131.P2N");
const QString E1N = QStringLiteral("5A131\\5A131.E1N");

class Entretien : public Feuille {
protected:
  void SetUp() override {
    Feuille::SetUp();
    // Une classe avec un examen, pour que chaque changement parcoure P1, P2 et E1.
    deuxdisques(QStringLiteral("listclas.13"), {" 1", "5A", "Mathématique", "5A131", " 2", " 1"});
    deuxdisques(E1N, {" 3", " 1", " 0", " 1", "Dupont Élodie/40", " 80/-1/ 40/ 0/", "Durand Paul/A", "-1/-1/?/ 0/",
                      "Martin Léa/20", " 40/-1/ 20/ 0/", "060% -> Nombres", "040% -> Géométrie"});
    deuxdisques(QStringLiteral("5A131\\5A131.E1R"), {" 50", "10/12/2026", "Synthèse", " 1"});
    lirelisteclasses();
    chargerclasse();
    p.Form_Load();
  }
  QStringList fichier(const QString& nom) { return lirefichier(disquedur(nom)); }
  // Les noms des élèves d'un fichier de notes, dans l'ordre.
  QStringList noms(const QString& nom) {
    const QStringList l = fichier(nom);
    QStringList n;
    for (int i = 0; i < val(l[0]); ++i) n << l[4 + 2 * i].section(u'/', 0, 0);
    return n;
  }
  void répondreàlarema(const QString& texte) {
    surfenêtre = [texte](const QString& nom) {
      ASSERT_EQ(nom, QStringLiteral("rema"));
      état().textesaisi = texte;
    };
  }
};

TEST_F(Entretien, NoteOraleSequenceComplete) {
  choisir(4, 1);  // Durand Paul, sans note orale
  boîtes.répondretexte(QStringLiteral("10"));
  boîtes.répondretexte(QStringLiteral("14/09"));  // refusée avec un message : la date revient
  boîtes.répondre(OK);
  boîtes.répondretexte(QStringLiteral("14-09-2026"));
  répondreàlarema(QStringLiteral("TP 1/2"));
  boîtes.répondre(OK);  // remarque sur les "/"
  boîtes.répondretexte(QStringLiteral("12"));  // au-delà du maximum : refusée
  boîtes.répondre(OK);
  boîtes.répondretexte(QStringLiteral("6"));
  boîtes.répondretexte(QStringLiteral("3"));  // pas de compétence 3
  boîtes.répondretexte(QStringLiteral("2"));
  p.mnuajouternoteorale_Click();

  const QList<BoiteMontrée> b = boîtes.montrées();
  EXPECT_EQ(b[0].titre, QStringLiteral("Interrogation orale de Durand Paul"));
  EXPECT_EQ(b[0].texte, QStringLiteral("Entrez la note maximale"));
  EXPECT_EQ(b[1].texte, QStringLiteral("Entrez la date de l'interro sous la forme <jj-mm-aa>."));
  EXPECT_EQ(b[1].défaut, QStringLiteral("14-09-2026"));
  EXPECT_EQ(b[2].titre, QStringLiteral("Caractère interdit"));
  EXPECT_EQ(b[2].texte, QStringLiteral("Ces caractères ne sont pas permis ici : « / ».\n\nRetapez le texte sans eux."));
  EXPECT_EQ(b[3].défaut, QStringLiteral("14-09-2026"));
  EXPECT_EQ(b[4].titre, QStringLiteral("Remarque"));
  EXPECT_EQ(b[5].titre, QStringLiteral("NOTE ORALE SUR 10"));
  EXPECT_EQ(b[5].texte, QStringLiteral("Entrer la NOTE obtenue par Durand Paul"));
  EXPECT_EQ(b[6].titre, QStringLiteral("Note incorrecte !!!"));
  EXPECT_EQ(b[8].titre, QStringLiteral("Compétence utilisée"));
  EXPECT_EQ(b[8].texte, QStringLiteral("Taper le numéro de la compétence utilisée :\n\n 1) 060% -> Nombres\n 2) 040% -> Géométrie"));
  EXPECT_EQ(b[9].genre, GenreBoite::Message);
  EXPECT_EQ(b[9].titre, QStringLiteral("!!! ERREUR !!!"));
  EXPECT_EQ(b[9].texte, QStringLiteral("Choisissez un numéro de compétence entre 1 et 2"));
  ASSERT_EQ(b.size(), 11);

  EXPECT_EQ(fichier(P1N)[6], QStringLiteral("Durand Paul/AI/NC/8/ 1/ 10/ 6/14-09-2026 - TP 1-2/ 2"));
  // 8 sur 30 en C1 (27 %), 6 sur 10 en C2 (60 %) : 0,6 × 26,7 + 0,4 × 60 = 40 % de 20.
  EXPECT_EQ(fichier(P1N)[7], QStringLiteral(" 27/ 60/ 8/ 0/"));
  EXPECT_EQ(texte(4, 5), QStringLiteral("6/10"));
}

TEST_F(Entretien, MaximumDeLaNoteOrale) {
  struct Cas {
    QStringList réponses;  // maximum, puis la question du retrait quand il y en a une
    bool ajoutée;
  };
  const Cas cas[] = {
      {{""}, false}, {{"0", "NON"}, false}, {{"0", "ANNULER"}, false}, {{"0", "OUI"}, true}};
  for (const Cas& c : cas) {
    boîtes.oublier();
    chargerclasse();
    choisir(4, 1);
    boîtes.répondretexte(c.réponses[0]);
    if (c.réponses.size() > 1) boîtes.répondre(c.réponses[1] == "OUI" ? OUI : c.réponses[1] == "NON" ? NON : ANNULER);
    if (c.ajoutée) {
      boîtes.répondretexte(QString());  // date vide : prise telle quelle
      répondreàlarema(QString());
      boîtes.répondretexte(QStringLiteral("-2"));  // retrait de points, sans contrôle
      boîtes.répondretexte(QStringLiteral("1"));
    }
    p.mnuajouternoteorale_Click();
    EXPECT_TRUE(boîtes.toutesutilisées()) << c.réponses.join(',').toStdString();
    EXPECT_EQ(état().nbnotesorales[2], c.ajoutée ? 1 : 0) << c.réponses.join(',').toStdString();
  }
  EXPECT_EQ(fichier(P1N)[6], QStringLiteral("Durand Paul/AI/NC/8/ 1/ 0/-2/ - / 1"));
  EXPECT_EQ(couleur(4, 5), rouge);  // -2/0
}

TEST_F(Entretien, NoteOraleSansEleveOuPendantLeGroupement) {
  boîtes.répondre(OK);
  p.mnuajouternoteorale_Click();  // aucune ligne choisie
  EXPECT_EQ(boîtes.montrées()[0].titre, QStringLiteral("Elève inconnu !"));
  EXPECT_EQ(boîtes.montrées()[0].texte, QStringLiteral("Cliquer d'abord sur le nom de l'élève"));
  choisir(3, 1);
  p.groupercompétencesonoff();
  boîtes.répondre(OK);
  p.mnuajouternoteorale_Click();
  EXPECT_EQ(boîtes.montrées()[1].titre, QStringLiteral("Grouper les compétences est actif"));
  EXPECT_EQ(boîtes.montrées().size(), 2);
}

TEST_F(Entretien, PremiereNoteOraleDeLaPeriodeRefaitChaqueLigne) {
  état().périodecourante = QStringLiteral("P2");
  chargerclasse();
  p.Form_Load();
  ASSERT_EQ(p.grille1->Cols(), 6);  // N°, noms, MOY, TotC1, TotC2, Prép.
  choisir(3, 1);
  boîtes.répondretexte(QStringLiteral("10"));
  boîtes.répondretexte(QStringLiteral("01-10-2026"));
  répondreàlarema(QStringLiteral("Poème"));
  boîtes.répondretexte(QStringLiteral("8.5"));
  boîtes.répondretexte(QStringLiteral("1"));
  p.mnuajouternoteorale_Click();
  const QStringList l = fichier(P2N);
  EXPECT_EQ(l.mid(0, 5), (QStringList{" 3", " 0", " 1", " 4", "Dupont Élodie/ 1/ 10/ 8.5/01-10-2026 - Poème/ 1"}));
  EXPECT_EQ(l[6], QStringLiteral("Durand Paul/ 0"));
  EXPECT_EQ(l[8], QStringLiteral("Martin Léa/ 0"));
  EXPECT_EQ(p.grille1->Cols(), 7);
  EXPECT_EQ(texte(0, 2), QStringLiteral("Or 1"));
  EXPECT_EQ(texte(3, 2), QStringLiteral("8.5/10"));
}

// Douze élèves dont trois ont une note orale.
class ListeOrales : public Entretien {
protected:
  void SetUp() override {
    Entretien::SetUp();
    QStringList l{" 12", " 0", " 1", " 1"};
    for (int s = 1; s <= 12; ++s) {
      const QString nom = QStringLiteral("Élève %1").arg(s, 2, 10, QLatin1Char('0'));
      l << (s % 4 == 2 ? nom + QStringLiteral("/ 1/ 10/ 7/01-10-2026 - Lecture/ %1").arg(s == 6 ? 2 : 1) : nom + QStringLiteral("/ 0"));
      l << QStringLiteral("-1/-1/?/ 0/");
    }
    l << QStringLiteral("060% -> Nombres") << QStringLiteral("040% -> Géométrie");
    deuxdisques(P2N, l);
    état().périodecourante = QStringLiteral("P2");
    chargerclasse();
  }
  QStringList lignes(QListWidget* liste) {
    QStringList t;
    for (int i = 0; i < liste->count(); ++i) t << liste->item(i)->text();
    return t;
  }
  FenetreListeOrales& f = listorales();
};

TEST_F(ListeOrales, TroisListesEtCompetences) {
  f.Form_Load();
  EXPECT_EQ(f.Label1->text(), QStringLiteral("Liste des notes orales de 5A en Mathématique pour la P2"));
  EXPECT_EQ(f.List2->count(), 9);
  EXPECT_EQ(lignes(f.List3), (QStringList{"02 - Élève 02", "06 - Élève 06", "10 - Élève 10"}));
  EXPECT_EQ(lignes(f.List1).mid(0, 5),
            (QStringList{"Élève 02", "01-10-2026 - Lecture", "060% -> Nombres", "=> 7/10", ""}));
  EXPECT_EQ(lignes(f.List1)[7], QStringLiteral("040% -> Géométrie"));
  EXPECT_FALSE(f.comp->isHidden());
  f.comp->setChecked(true);
  f.comp_Click();
  EXPECT_EQ(lignes(f.List1).mid(0, 4), (QStringList{"Élève 02", "01-10-2026 - Lecture", "=> 7/10", ""}));
  EXPECT_EQ(f.List1->count(), 12);

  // Une seule compétence : pas de case, la remarque à sa place.
  état().listecompétences.redim(1);
  état().listecompétences[1] = QStringLiteral("100% -> Aucune");
  f.Form_Load();
  EXPECT_TRUE(f.comp->isHidden());
  EXPECT_EQ(f.Label4->text(), QStringLiteral("N.B. : Il n'y a aucune compétence pour cette classe"));
}

TEST_F(ListeOrales, DoubleClicEnchaineLesNotes) {
  int affichages = 0;
  surfenêtre = [&](const QString& nom) {
    if (nom == QStringLiteral("rema")) {
      état().textesaisi = QStringLiteral("Récitation");
      return;
    }
    ASSERT_EQ(nom, QStringLiteral("listorales"));
    f.Form_Load();
    if (++affichages == 1) {
      f.List2->setCurrentRow(2);  // 04 - Élève 04
      f.List2_DblClick();
    }
  };
  for (const char* r : {"10", "", "9", "1"}) boîtes.répondretexte(QString::fromUtf8(r));
  p.listeorales_Click();
  EXPECT_EQ(affichages, 2);
  EXPECT_EQ(état().nbnotesorales[4], 1);
  EXPECT_EQ(état().nomfichier, QString());
  EXPECT_EQ(fichier(P2N)[10], QStringLiteral("Élève 04/ 1/ 10/ 9/ - Récitation/ 1"));
}

TEST_F(ListeOrales, Impression) {
  ParcTexte parc;
  services().imprimantes = &parc;
  f.comp->setChecked(true);
  f.Form_Load();
  f.Command1_Click();
  const QList<PageImprimée>& pages = parc.imprimante(0).documents().at(0);
  ASSERT_EQ(pages.size(), 1);
  const QList<LigneImprimée>& l = pages[0].lignes;
  ASSERT_EQ(l.size(), 3 + 12);
  EXPECT_EQ(l[0].passages[0].police.taille, 5);
  const Passage& titre = l[1].passages[0];
  EXPECT_EQ(titre.texte, QStringLiteral("Liste des notes orales de 5A en Mathématique pour la P2"));
  EXPECT_TRUE(titre.police.gras && titre.police.souligné);
  EXPECT_EQ(titre.police.nom, QStringLiteral("Times new roman"));
  EXPECT_EQ(titre.police.taille, 14);
  EXPECT_EQ(l[3].passages[0].texte, QStringLiteral("Élève 02"));
  EXPECT_EQ(l[5].passages[0].texte, QStringLiteral("=> 7/10"));
  EXPECT_EQ(l[5].passages[0].police.taille, 12);
  EXPECT_FALSE(l[5].passages[0].police.gras);
}

// Les élèves de la 5A d'une liste à colonnes, ajoutés dans chaque période et
// examen ; celui qui y est déjà ne revient pas.
TEST_F(Entretien, AjouterDesElevesDUneListe) {
  const QString liste = temporaire.path() + QStringLiteral("/liste.csv");
  écrire(liste, QStringLiteral("Nom;Prénom;Classe\nMartin;Léa;5A\nDupuis;Marc;5A\nZola;Émile;5B\nAubry;Lou;5A\n").toUtf8());
  services().choisirfichier = [&](const QString&, const QString&) { return liste; };
  surfenêtre = [](const QString& nom) {
    ASSERT_EQ(nom, QStringLiteral("importliste"));
    fenêtreimportliste().ok_Click();
  };
  // Le disque plein au deuxième fichier, puis Annuler : aucune période n'a changé.
  const QByteArray avant[] = {lire(disquedur(P1N)), lire(disquedur(P2N)), lire(disquedur(E1N))};
  simulerpanneaufichier(2);
  boîtes.répondre(ANNULER);
  p.mnuimporterélèves_Click();
  EXPECT_TRUE(boîtes.montrées().last().texte.contains(QStringLiteral("Le disque est plein")));
  EXPECT_EQ(lire(disquedur(P1N)), avant[0]);
  EXPECT_EQ(lire(disquedur(P2N)), avant[1]);
  EXPECT_EQ(lire(disquedur(E1N)), avant[2]);
  EXPECT_EQ(état().nbélèves, 3);
  p.mnuimporterélèves_Click();
  const QStringList attendus{"Aubry Lou", "Dupont Élodie", "Dupuis Marc", "Durand Paul", "Martin Léa"};
  for (const QString& n : {P1N, P2N, E1N}) EXPECT_EQ(noms(n), attendus) << n.toStdString();
  EXPECT_EQ(état().nbélèves, 5);
}

TEST_F(Entretien, AjouterUnEleveDansChaquePeriodeEtExamen) {
  boîtes.répondretexte(QStringLiteral("Dupuis Marc"));
  p.mnuajouternom_Click();
  EXPECT_EQ(boîtes.montrées()[0].titre, QStringLiteral("AJOUTER UN NOM"));
  EXPECT_EQ(boîtes.montrées()[0].texte, QStringLiteral("Entrer le nom de l'élève à ajouter"));
  const QStringList attendus{"Dupont Élodie", "Dupuis Marc", "Durand Paul", "Martin Léa"};
  for (const QString& n : {P1N, P2N, E1N}) {
    EXPECT_EQ(noms(n), attendus) << n.toStdString();
    EXPECT_EQ(fichier(n)[0], QStringLiteral(" 4"));
  }
  EXPECT_EQ(fichier(P1N)[6], QStringLiteral("Dupuis Marc/A/A/A/ 0"));
  EXPECT_EQ(fichier(P1N)[7], QStringLiteral("-1/-1/?/ 0/"));
  EXPECT_EQ(fichier(E1N)[6], QStringLiteral("Dupuis Marc/A"));
  EXPECT_EQ(fichier(P2N)[6], QStringLiteral("Dupuis Marc"));
  // Les préparations restent à leur élève (Dupont en a 2 en P1, 1 en P2).
  EXPECT_TRUE(fichier(P1N)[5].endsWith(QStringLiteral("/ 2/")));
  EXPECT_EQ(fichier(P2N)[5], QStringLiteral("-1/-1/?/ 1/"));
  EXPECT_EQ(état().périodecourante, QStringLiteral("P1"));
  EXPECT_EQ(texte(4, 1), QStringLiteral("Dupuis Marc"));
  EXPECT_EQ(texte(4, 6), QStringLiteral("?"));
  EXPECT_EQ(couleur(4, 2), bleu);
  EXPECT_FALSE(boîtes.sablieractif());
}

// Les noms qui commencent par une lettre accentuée, en capitale ou non, se
// rangent avec leur lettre dans chaque période et examen.
TEST_F(Entretien, NomsAccentuesRangesAvecLeurLettre) {
  for (const char* nom : {"Émile Zola", "élodie Faure", "Àlice Roy"}) {
    boîtes.répondretexte(QString::fromUtf8(nom));
    p.mnuajouternom_Click();
  }
  const QStringList attendus{"Àlice Roy", "Dupont Élodie", "Durand Paul", "élodie Faure", "Émile Zola", "Martin Léa"};
  for (const QString& n : {P1N, P2N, E1N}) EXPECT_EQ(noms(n), attendus) << n.toStdString();
  EXPECT_EQ(texte(3, 1), QStringLiteral("Àlice Roy"));
}

// Un nom collé avec un saut de ligne et une lettre hors de Windows-1252 : un seul
// élève, écrit pareil dans chaque période, jamais avec "?" pour la lettre ; une
// correction avec "/" est refusée.
TEST_F(Entretien, NomColleAvecSautDeLigneEtLettrePolonaise) {
  boîtes.répondretexte(QStringLiteral("Kowalski\r\nŁukasz"));
  boîtes.répondre(OUI);  // garder « Kowalski Lukasz »
  p.mnuajouternom_Click();
  for (const QString& n : {P1N, P2N, E1N}) {
    EXPECT_EQ(fichier(n)[0], QStringLiteral(" 4")) << n.toStdString();
    EXPECT_TRUE(noms(n).contains(QStringLiteral("Kowalski Lukasz"))) << n.toStdString();
    EXPECT_FALSE(lire(disquedur(n)).contains("?ukasz")) << n.toStdString();
  }
  const QByteArray avant = lire(disquedur(P1N));
  boîtes.oublier();
  boîtes.répondretexte(QStringLiteral("Kowalski/Lukasz"));
  boîtes.répondre(OK);
  boîtes.répondretexte(QString());  // puis renonce
  choisir(5, 1);  // le nom du troisième élève : double clic
  p.grille1_DblClick();
  EXPECT_EQ(boîtes.montrées()[1].titre, QStringLiteral("Caractère interdit"));
  EXPECT_EQ(lire(disquedur(P1N)), avant);
}

TEST_F(Entretien, PanneEnCoursDAjoutNeLaisseAucunFichierDisparate) {
  const QByteArray avant[] = {lire(disquedur(P1N)), lire(disquedur(P2N)), lire(disquedur(E1N))};
  for (const int bouton : {ANNULER, OK}) {
    boîtes.oublier();
    simulerpanneaufichier(2);  // le deuxième fichier trouve le disque plein
    boîtes.répondretexte(QStringLiteral("Dupuis Marc"));
    boîtes.répondre(bouton);
    p.mnuajouternom_Click();
    const BoiteMontrée& erreur = boîtes.montrées()[1];
    EXPECT_EQ(erreur.titre, titreerreur(disquedur(P2N)));
    EXPECT_TRUE(erreur.texte.contains(QStringLiteral("Le disque est plein"))) << erreur.texte.toStdString();
    EXPECT_TRUE(erreur.texte.contains(QStringLiteral("Aucun des 3 fichiers n'a été modifié."))) << erreur.texte.toStdString();
    if (bouton == ANNULER) {
      EXPECT_EQ(lire(disquedur(P1N)), avant[0]);
      EXPECT_EQ(lire(disquedur(P2N)), avant[1]);
      EXPECT_EQ(lire(disquedur(E1N)), avant[2]);
      EXPECT_EQ(état().nbélèves, 3);
      EXPECT_EQ(QDir(disquedur(QStringLiteral("5A131"))).entryList(QDir::Files).size(), 6);  // aucun temporaire
    } else {
      for (const QString& n : {P1N, P2N, E1N}) EXPECT_EQ(noms(n).size(), 4) << n.toStdString();
      EXPECT_EQ(état().nbélèves, 4);
    }
  }
}

TEST_F(Entretien, SuppressionSelonLaColonne) {
  struct Cas {
    int ligne, colonne;
    const char* titre;
    const char* texte;
  };
  const Cas cas[] = {
      {4, 1, "SUPPRIMER", "Faut-il réellement retirer\n\nDurand Paul\n\nde cette classe ?"},
      {3, 2, "SUPPRIMER", "Faut-il réellement supprimer l'interrogation écrite n° 1 pour TOUS LES ELEVES ?"},
      {5, 4, "SUPPRIMER", "Faut-il réellement supprimer l'interrogation écrite n° 3 pour TOUS LES ELEVES ?"},
      {5, 6, "Supprimer la moyenne d'un élève", "Faut-il réellement supprimer la moyenne de Martin Léa?"},
      {5, 5, "SUPPRIMER", "Faut-il réellement supprimer la note orale n° 1\n\n de Martin Léa ?"},
  };
  const QByteArray avant = lire(disquedur(P1N));
  for (const Cas& c : cas) {
    boîtes.oublier();
    choisir(c.ligne, c.colonne);
    boîtes.répondre(ANNULER);
    p.supprimer();
    ASSERT_EQ(boîtes.montrées().size(), 1) << c.texte;
    EXPECT_EQ(boîtes.montrées()[0].titre, QString::fromUtf8(c.titre));
    EXPECT_EQ(boîtes.montrées()[0].texte, QString::fromUtf8(c.texte));
  }
  EXPECT_EQ(lire(disquedur(P1N)), avant);

  // Ligne vide, ligne des moyennes, colonne d'un pourcentage, aucune colonne : rien, sans boîte.
  boîtes.oublier();
  for (const auto& [l, c] : {std::pair{6, 1}, {7, 2}, {3, 7}, {3, 0}}) {
    choisir(l, c);
    p.supprimer();
  }
  p.Form_Load();  // colonnecourante = 1000
  p.grille1_KeyDown(46, 0);
  EXPECT_TRUE(boîtes.montrées().isEmpty());
  EXPECT_EQ(lire(disquedur(P1N)), avant);
}

// La case du nom suit l'élève de la ligne choisie : renommé (et rangé plus loin),
// supprimé (le suivant prend sa ligne), ou aucun quand la ligne est vide.
TEST_F(Entretien, LaCaseDuNomMontreLElèveDeLaLigne) {
  const auto casedunom = [this] { return p.étiqnom->count() == 0 ? QString() : p.étiqnom->item(0)->text(); };
  choisir(3, 1);
  boîtes.répondretexte(QStringLiteral("Zola Élodie"));
  p.grille1_DblClick();
  EXPECT_EQ(casedunom(), QStringLiteral("Durand Paul"));
  choisir(5, 1);
  boîtes.répondre(OK);
  p.grille1_KeyDown(46, 0);  // le dernier : plus personne à cette ligne
  EXPECT_EQ(casedunom(), QString());
  choisir(3, 1);
  boîtes.répondre(OK);
  p.grille1_KeyDown(46, 0);
  EXPECT_EQ(casedunom(), QStringLiteral("Martin Léa"));
}

TEST_F(Entretien, SupprimerUnEleveDeChaquePeriode) {
  choisir(4, 1);
  boîtes.répondre(OK);
  p.grille1_KeyDown(46, 0);
  for (const QString& n : {P1N, P2N, E1N}) EXPECT_EQ(noms(n), (QStringList{"Dupont Élodie", "Martin Léa"})) << n.toStdString();
  EXPECT_EQ(fichier(P1N)[7], QStringLiteral(" 49/ 50/ 10/ 0/"));  // le résultat suit son élève
  EXPECT_EQ(état().nbélèves, 2);
  EXPECT_EQ(texte(4, 1), QStringLiteral("Martin Léa"));
}

TEST_F(Entretien, SupprimerLeDernierTestOuUnAutre) {
  choisir(3, 4);  // le dernier des trois
  boîtes.répondre(OK);
  p.supprimer();
  EXPECT_EQ(état().nbinterros, 2);
  EXPECT_EQ(fichier(QStringLiteral("5A131\\5A131.P1R")).size(), 8);
  EXPECT_EQ(fichier(P1N)[4], QStringLiteral("Dupont Élodie/12/A/ 1/ 10/ 7.5/01.10 - Récitation/ 1"));

  choisir(3, 2);  // le premier des deux qui restent
  boîtes.répondre(OK);
  p.supprimer();
  EXPECT_EQ(état().nbinterros, 2);
  for (int s = 1; s <= 3; ++s) EXPECT_EQ(état().noteinterro(s, 1), QStringLiteral("NC")) << s;
  // Dupont : plus rien en C1 que l'oral 7.5/10, rien en C2 (A).
  EXPECT_EQ(fichier(P1N)[5], QStringLiteral(" 75/-1/ 15/ 2/"));
  EXPECT_EQ(texte(3, 2), QStringLiteral("NC"));
}

TEST_F(Entretien, MoyenneSupprimeePuisRecalculeeApresUneCorrection) {
  choisir(5, 6);
  boîtes.répondre(OUI);
  boîtes.répondre(OK);
  p.supprimer();
  EXPECT_EQ(boîtes.montrées()[1].titre, QStringLiteral("REMARQUE"));
  EXPECT_EQ(fichier(P1N)[9], QStringLiteral(" 49/ 50/?/ 0/"));
  EXPECT_EQ(texte(5, 6), QStringLiteral("?"));
  choisir(5, 2);
  boîtes.répondretexte(QStringLiteral("10"));
  p.grille1_DblClick();
  EXPECT_NE(état().totalélève[3], QStringLiteral("?"));
  EXPECT_NE(texte(5, 6), QStringLiteral("?"));
}

TEST_F(Entretien, SupprimerLaSeuleNoteOraleDuDernierQuiEnAvaitLePlus) {
  choisir(5, 5);  // Martin : Dupont garde la sienne, la colonne reste
  boîtes.répondre(OK);
  p.supprimer();
  EXPECT_EQ(état().nborales, 1);
  EXPECT_EQ(fichier(P1N)[8], QStringLiteral("Martin Léa/9.5/14/10/ 0"));
  choisir(3, 5);  // Dupont, seul à en avoir : la colonne disparaît
  boîtes.répondre(OK);
  p.supprimer();
  EXPECT_EQ(état().nborales, 0);
  const QStringList l = fichier(P1N);
  EXPECT_EQ(l[2], QStringLiteral(" 0"));
  EXPECT_EQ(l[4], QStringLiteral("Dupont Élodie/12/A/7.5"));
  EXPECT_EQ(l[8], QStringLiteral("Martin Léa/9.5/14/10"));
  EXPECT_EQ(texte(0, 5), QStringLiteral("MOY"));
}

TEST_F(Entretien, QuitterAvecOuSansLaQuestionDeLaDisquette) {
  choisir(3, 2);
  boîtes.répondretexte(QStringLiteral("15"));
  p.grille1_DblClick();  // P1N est noté dans la liste des modifications
  // Disquette : la question vient, Non garde le programme ouvert.
  état().dossieramovible = QStringLiteral("a:\\");
  boîtes.répondre(NON);
  p.mnuquitter_Click();
  EXPECT_EQ(boîtes.montrées().last().titre, QStringLiteral("Quitter"));
  EXPECT_TRUE(existe(disquedur(nomlistemodifications)));
  EXPECT_FALSE(p.grille1->isHidden());
  // Un autre dossier : copie sans question, puis fin du programme.
  état().dossieramovible = dossieramov + u'\\';
  boîtes.oublier();
  EXPECT_THROW(p.mnuquitter_Click(), ProgrammeTerminé);
  EXPECT_EQ(boîtes.montrées().size(), 1);
  EXPECT_EQ(boîtes.montrées()[0].texte, QStringLiteral("Sauvegarde terminée"));
  EXPECT_EQ(lire(amovible(P1N)), lire(disquedur(P1N)));
  EXPECT_FALSE(existe(disquedur(nomlistemodifications)));
  EXPECT_FALSE(existe(disquedur(nomlistevérifiés)));
}

class Groupage : public Entretien {
protected:
  QStringList ligne(int l) {
    QStringList t;
    for (int c = 2; c <= état().nbinterros + 1; ++c) t << texte(l, c);
    return t;
  }
};

TEST_F(Groupage, ColonnesRangeesParCompetence) {
  struct Cas {
    QStringList compétences;  // des trois tests
    QStringList entêtes;      // après le groupement
  };
  const Cas cas[] = {
      {{" 1", " 2", " 1"}, {"N°1", "N°3", "N°2"}},
      {{" 2", " 1", " 2"}, {"N°2", "N°1", "N°3"}},
  };
  for (const Cas& c : cas) {
    QStringList r = interrosP1;
    for (int k = 0; k < 3; ++k) r[4 * k + 3] = c.compétences[k];
    deuxdisques(QStringLiteral("5A131\\5A131.P1R"), r);
    chargerclasse();
    p.Form_Load();
    p.groupercompétencesonoff();
    EXPECT_TRUE(p.groupageactif);
    EXPECT_TRUE(p.menugrouper->isChecked());
    EXPECT_TRUE(p.bouton12->isChecked());
    EXPECT_EQ(ligne(0), c.entêtes);
    p.groupercompétencesonoff();
    EXPECT_FALSE(p.groupageactif);
    EXPECT_FALSE(p.menugrouper->isChecked());
    EXPECT_EQ(ligne(0), (QStringList{"N°1", "N°2", "N°3"}));
  }
  // Compétences 2, 1, 2 encore en place : les cellules et leurs couleurs suivent leur test,
  // la cellule choisie reste choisie.
  choisir(4, 1);
  p.groupercompétencesonoff();
  EXPECT_EQ(std::pair(p.grille1->Row(), p.grille1->Col()), std::pair(4, 1));
  EXPECT_EQ(ligne(1), (QStringList{"/20", "/20", "/10"}));
  EXPECT_EQ(ligne(2), (QStringList{"(C1)", "(C2)", "(C2)"}));
  EXPECT_EQ(ligne(5), (QStringList{"14.0", "9.5", "10.0"}));
  EXPECT_EQ(couleur(5, 3), rouge);
  EXPECT_EQ(couleur(5, 2), noir);
  EXPECT_EQ(ligne(7), (QStringList{"14.0", "7.2", "8.5"}));
  EXPECT_EQ(ligne(8), (QStringList{"0", "2", "0"}));
  EXPECT_EQ(texte(5, 5), QStringLiteral("4/10"));  // les colonnes orales ne bougent pas
}

TEST_F(Groupage, UneSeuleCompetenceNeFaitRien) {
  état().listecompétences.redim(1);
  état().listecompétences[1] = QStringLiteral("100% -> Aucune");
  for (int k = 1; k <= 3; ++k) état().compétenceinterro[k] = 1;
  p.Form_Load();
  p.menugrouper->trigger();
  EXPECT_FALSE(p.groupageactif);
  EXPECT_FALSE(p.menugrouper->isChecked());
  EXPECT_FALSE(p.bouton12->isChecked());
}

TEST_F(Groupage, MoyenneDeCentEtPlus) {
  deuxdisques(QStringLiteral("5A131\\5A131.P1R"), {" 200", "", "Grand", " 2", " 20", "", "Petit", " 1"});
  deuxdisques(P1N, {" 3", " 2", " 0", " 1", "Dupont Élodie/180/10", "-1/-1/?/ 0/", "Durand Paul/120/8", "-1/-1/?/ 0/",
                    "Martin Léa/150/12", "-1/-1/?/ 0/", "060% -> Nombres", "040% -> Géométrie"});
  chargerclasse();
  p.Form_Load();
  ASSERT_EQ(texte(7, 2), QStringLiteral(" 150.0"));
  p.groupercompétencesonoff();
  EXPECT_EQ(ligne(0), (QStringList{"N°2", "N°1"}));
  EXPECT_EQ(ligne(7), (QStringList{"10.0", "150.0"}));
  EXPECT_EQ(ligne(3), (QStringList{"10.0", "180.0"}));
  // Après un élève ajouté, la vue reste groupée.
  boîtes.répondretexte(QStringLiteral("Zoé"));
  p.mnuajouternom_Click();
  EXPECT_EQ(ligne(0), (QStringList{"N°2", "N°1"}));
  EXPECT_EQ(ligne(6), (QStringList{"A", "A"}));
}

}  // namespace
