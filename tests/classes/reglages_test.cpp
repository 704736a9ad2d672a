#include <gtest/gtest.h>

#include "tests/feuille/feuille_essai.h"

#include <set>

#include "classes/competences.h"
#include "classes/invites.h"
#include "classes/listeclasses.h"
#include "classes/rensclasse.h"
#include "noyau/base/dossiers.h"
#include "plateforme/nombres.h"
#include "plateforme/services.h"

namespace {

const QString MPE = QStringLiteral("5A131\\5A131.MPE");
QString notes(const char* clé) { return QStringLiteral("5A131\\5A131.%1N").arg(QLatin1String(clé)); }

// Une classe de trois périodes (P1 avec ses tests) et deux examens sur 50 et 40.
class RensClasse : public Feuille {
protected:
  void SetUp() override {
    Feuille::SetUp();
    préparer();
  }
  // Les fichiers de la classe tels qu'au départ, sans trace d'écriture.
  void préparer() {
    supprimerfichier(disquedur(nomlistemodifications));
    état().périodecourante = QStringLiteral("P1");
    deuxdisques(QStringLiteral("listclas.13"), {" 1", "5A", "Mathématique", "5A131", " 3", " 2"});
    deuxdisques(MPE, {" 2", " 20", " 50", " 40"});
    deuxdisques(notes("P3"), lirefichier(disquedur(notes("P2"))));
    deuxdisques(notes("E1"), {" 3", " 1", " 0", " 1", "Dupont Élodie/40", " 80/-1/ 40/ 0/", "Durand Paul/A",
                              "-1/-1/?/ 0/", "Martin Léa/20", " 40/-1/ 20/ 0/", "060% -> Nombres", "040% -> Géométrie"});
    deuxdisques(QStringLiteral("5A131\\5A131.E1R"), {" 50", "10/12/2026", "Synthèse", " 1"});
    deuxdisques(notes("E2"), {" 3", " 1", " 0", " 1", "Dupont Élodie/30", " 75/-1/ 30/ 0/", "Durand Paul/10",
                              " 25/-1/ 10/ 0/", "Martin Léa/A", "-1/-1/?/ 0/", "060% -> Nombres", "040% -> Géométrie"});
    deuxdisques(QStringLiteral("5A131\\5A131.E2R"), {" 40", "11/12/2026", "Synthèse 2", " 1"});
    lirelisteclasses();
    f.Form_Load();
  }
  // Fichiers notés comme écrits pendant l'essai.
  std::set<QString> écrits() {
    const QString chemin = disquedur(nomlistemodifications);
    if (!existe(chemin)) return {};
    const QStringList l = lirefichier(chemin);
    return {l.begin(), l.end()};
  }
  QStringList résultats(const char* clé) {
    const QStringList l = lirefichier(disquedur(notes(clé)));
    return {l[5], l[7], l[9]};
  }
  FenetreRensClasse& f = fenêtrerensclasse();
};

TEST_F(RensClasse, FormLoadMontreLaClasse) {
  EXPECT_EQ(f.classe->text(), QStringLiteral("5A"));
  EXPECT_EQ(f.cours->text(), QStringLiteral("Mathématique"));
  EXPECT_EQ(f.maximumpériode->text(), QStringLiteral(" 20"));
  EXPECT_EQ(f.nombreexamens->text(), QStringLiteral(" 2"));
  EXPECT_EQ(lignes(f.listemaxexa), QStringList({" Examen n° 1 : / 50", " Examen n° 2 : / 40"}));
}

TEST_F(RensClasse, ChaqueChangementRécritLesFichiersQuIlTouche) {
  struct Cas {
    const char* nom;
    std::function<void(BoitesScriptees&, FenetreRensClasse&)> changer;
    std::set<QString> écrits;
    QStringList maxima;
  };
  const Cas cas[] = {
      {"périodes sur 50",
       [](BoitesScriptees& b, FenetreRensClasse& f) {
         b.répondretexte(QStringLiteral("50"));
         f.cmdmaxper_Click();
       },
       {notes("P1"), notes("P2"), notes("P3"), MPE},
       {" 2", " 50", " 50", " 40"}},
      {"examen 2 sur 80",
       [](BoitesScriptees& b, FenetreRensClasse& f) {
         f.listemaxexa->setCurrentRow(1);
         b.répondretexte(QStringLiteral("80"));
         f.listemaxexa_DblClick();
       },
       {notes("E2"), MPE},
       {" 2", " 20", " 50", " 80"}},
      {"trois examens",
       [](BoitesScriptees& b, FenetreRensClasse& f) {
         b.répondretexte(QStringLiteral("3"));
         f.cmdexa_Click();
       },
       {MPE},
       {" 3", " 20", " 50", " 40", " 20"}},
      // Un seul examen est refusé (les deux sont créés) : seul l'examen 1 change.
      {"un examen refusé, l'examen 1 sur 100",
       [](BoitesScriptees& b, FenetreRensClasse& f) {
         b.répondretexte(QStringLiteral("1"));
         b.répondretexte(QString());
         f.cmdexa_Click();
         f.listemaxexa->setCurrentRow(0);
         b.répondretexte(QStringLiteral("100"));
         f.listemaxexa_DblClick();
       },
       {notes("E1"), MPE},
       {" 2", " 20", " 100", " 40"}},
      {"rien de changé", [](BoitesScriptees&, FenetreRensClasse&) {}, {MPE}, {" 2", " 20", " 50", " 40"}},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    préparer();
    c.changer(boîtes, f);
    f.cmdok_Click();
    EXPECT_EQ(écrits(), c.écrits);
    EXPECT_EQ(lirefichier(disquedur(MPE)), c.maxima);
    EXPECT_EQ(état().périodecourante, QStringLiteral("P1"));
  }
}

TEST_F(RensClasse, RésultatsRecalculésSurLeNouveauMaximum) {
  const QStringList E1avant = résultats("E1");
  boîtes.répondretexte(QStringLiteral("50"));
  f.cmdmaxper_Click();
  f.cmdok_Click();
  // Dupont : 27 / 40 en Nombres (67,5 %), rien en Géométrie ; Durand : 8 / 30 ;
  // Martin : 65 % et 60 %, soit 63 % des 50 points.
  EXPECT_EQ(résultats("P1"), QStringList({" 68/-1/ 34/ 2/", " 27/-1/ 13/ 0/", " 65/ 60/ 32/ 0/"}));
  EXPECT_EQ(résultats("P2"), QStringList({"-1/-1/?/ 1/", "-1/-1/?/ 0/", "-1/-1/?/ 0/"}));
  EXPECT_EQ(résultats("E1"), E1avant);
  EXPECT_EQ(état().maxpériode, 50);
}

TEST_F(RensClasse, ExamenRecalculéSurSonMaximum) {
  f.listemaxexa->setCurrentRow(1);
  boîtes.répondretexte(QStringLiteral("80"));
  f.listemaxexa_DblClick();
  f.cmdok_Click();
  // 30 / 40 et 10 / 40 font 75 % et 25 %, soit 60 et 20 points sur 80.
  EXPECT_EQ(résultats("E2"), QStringList({" 75/-1/ 60/ 0/", " 25/-1/ 20/ 0/", "-1/-1/?/ 0/"}));
}

TEST_F(RensClasse, UneÉcritureRatéeNeChangeAucunFichier) {
  const QStringList fichiers{notes("P1"), notes("P2"), notes("P3"), MPE};
  QList<QByteArray> avant;
  for (const QString& n : fichiers) avant.append(lire(disquedur(n)));
  boîtes.répondretexte(QStringLiteral("50"));
  f.cmdmaxper_Click();
  simulerpanneaufichier(4);  // le fichier des maxima trouve le disque plein
  boîtes.répondre(ANNULER);
  f.cmdok_Click();
  EXPECT_TRUE(boîtes.montrées().last().texte.contains(QStringLiteral("Aucun des 4 fichiers n'a été modifié.")))
      << boîtes.montrées().last().texte.toStdString();
  for (qsizetype i = 0; i < fichiers.size(); ++i) EXPECT_EQ(lire(disquedur(fichiers[i])), avant[i]) << i;
  EXPECT_EQ(état().maxpériode, 20);
  EXPECT_EQ(f.maximumpériode->text(), QStringLiteral("50"));  // ce qui a été tapé reste là
}

TEST_F(RensClasse, CoursRenomméMêmeEnAnnulant) {
  FenetreListeClasses& liste = fenêtrelisteclasses();
  liste.Form_Load();
  liste.Listeclasses->setCurrentRow(0);
  surfenêtre = [this](const QString& nom) {
    ASSERT_EQ(nom, QStringLiteral("fenêtrerensclasse"));
    f.Form_Load();
    boîtes.répondretexte(QStringLiteral("Algèbre"));
    f.cours_DblClick();
    EXPECT_EQ(f.cours->text(), QStringLiteral("Algèbre"));
    f.cmdannuler_Click();
  };
  liste.cmdrens_Click();
  EXPECT_EQ(lirefichier(disquedur(QStringLiteral("listclas.13")))[2], QStringLiteral("Algèbre"));
  EXPECT_EQ(état().nomcours[1], QStringLiteral("Algèbre"));
  EXPECT_TRUE(liste.Listeclasses->item(0)->text().contains(QStringLiteral("Algèbre")));
  EXPECT_EQ(écrits(), std::set<QString>({QStringLiteral("listclas.13")}));

  // Une réponse vide ne change rien.
  surfenêtre = [this](const QString&) {
    f.Form_Load();
    boîtes.répondretexte(QString());
    f.cours_DblClick();
    f.cmdannuler_Click();
  };
  liste.cmdrens_Click();
  EXPECT_EQ(état().nomcours[1], QStringLiteral("Algèbre"));
}

// Un cours tapé avec "$$" au début garde son nom : rien ne l'enlève en passant
// par les renseignements, qu'on y change le cours ou non.
// Deux examens sont créés : le nombre prévu ne descend pas sous 2, et le refus
// les nomme ; un nombre suffisant passe.
TEST_F(RensClasse, PasMoinsDExamensQueDeCrees) {
  struct Cas {
    int créés;
    const char* réponse;
    const char* refus;  // nullptr : accepté
  };
  const Cas cas[] = {
      {2, "1", "Les examens E1 et E2 sont déjà créés dans cette classe : il faut en prévoir au moins 2."},
      {2, "0", "Les examens E1 et E2 sont déjà créés dans cette classe : il faut en prévoir au moins 2."},
      {1, "0", "L'examen E1 est déjà créé dans cette classe : il faut en prévoir au moins 1."},
      {2, "2", nullptr},
      {2, "3", nullptr},
  };
  for (const Cas& c : cas) {
    f.Form_Load();
    état().nbexamenscréés[1] = c.créés;
    boîtes.oublier();
    boîtes.répondretexte(QString::fromUtf8(c.réponse));
    if (c.refus) boîtes.répondretexte(QString());  // la question revient : on y renonce
    f.cmdexa_Click();
    const QList<BoiteMontrée> m = boîtes.montrées(GenreBoite::Message);
    ASSERT_EQ(m.size(), c.refus ? 1 : 0) << c.réponse;
    if (c.refus) {
      EXPECT_EQ(m[0].texte, QString::fromUtf8(c.refus));
    }
    EXPECT_EQ(f.listemaxexa->count(), c.refus ? 2 : val(QString::fromUtf8(c.réponse))) << c.réponse;
  }
}

TEST_F(RensClasse, CoursCommencantParDeuxDollars) {
  FenetreListeClasses& liste = fenêtrelisteclasses();
  liste.Form_Load();
  liste.Listeclasses->setCurrentRow(0);
  for (const char* tapé : {"", "$$Math"}) {
    surfenêtre = [&](const QString&) {
      f.Form_Load();
      if (*tapé) {
        boîtes.répondretexte(QString::fromUtf8(tapé));
        f.cours_DblClick();
      }
      EXPECT_EQ(f.cours->text(), état().nomcours[1]);
      f.cmdannuler_Click();
    };
    état().nomcours[1] = QStringLiteral("$$Physique");
    liste.cmdrens_Click();
    const QString attendu = *tapé ? QString::fromUtf8(tapé) : QStringLiteral("$$Physique");
    EXPECT_EQ(état().nomcours[1], attendu);
    if (*tapé) {
      EXPECT_EQ(lirefichier(disquedur(QStringLiteral("listclas.13")))[2], attendu);
    }
  }
}

TEST_F(RensClasse, CoursColleSurDeuxLignes) {
  FenetreListeClasses& liste = fenêtrelisteclasses();
  FenetreRensClasse& f = fenêtrerensclasse();
  surfenêtre = [&](const QString&) {
    f.Form_Load();
    boîtes.répondretexte(QStringLiteral("Math\r\nSciences"));
    f.cours_DblClick();
    f.cmdannuler_Click();
  };
  liste.cmdrens_Click();
  const QStringList l = lirefichier(disquedur(QStringLiteral("listclas.13")));
  EXPECT_EQ(l.size(), 6);  // toujours une classe de cinq lignes
  EXPECT_EQ(l[2], QStringLiteral("Math Sciences"));
}

TEST_F(RensClasse, SansClasseCouranteLesRenseignementsParDéfaut) {
  FenetreListeClasses& liste = fenêtrelisteclasses();
  état().classecourante = 0;
  liste.cmdrens_Click();
  EXPECT_EQ(fenêtresmontrées, QStringList{QStringLiteral("renseignementspardéfaut")});
}

// Quatre compétences en P1 : tests sur 1, 3 et 1, notes orales sur 4 (Dupont) et
// 3 (Martin) ; la 2 ne sert à rien.
class Competences : public Feuille {
protected:
  void SetUp() override {
    Feuille::SetUp();
    état().compétencesdéfaut.redim(3);
    état().compétencesdéfaut[1] = QStringLiteral("Nombres");
    état().compétencesdéfaut[2] = QStringLiteral("Calcul mental");
    état().compétencesdéfaut[3] = QStringLiteral("Problèmes");
    deuxdisques(notes("P1"), {" 2", " 3", " 1", " 1", "Dupont Élodie/12/8/5/ 1/ 10/ 6/01.10 - Récitation/ 4",
                              " 60/-1/ 80/ 55/ 13/ 0/", "Martin Léa/10/A/10/ 1/ 10/ 9/02.10 - Calcul/ 3",
                              " 50/-1/ 90/ 100/ 14/ 0/", "025% -> Nombres", "025% -> Géométrie", "025% -> Mesures",
                              "025% -> Données"});
    deuxdisques(QStringLiteral("5A131\\5A131.P1R"),
                {" 20", "12/09/2026", "Fractions", " 1", " 10", "19/09/2026", "Aires", " 3", " 10", "26/09/2026",
                 "Graphiques", " 1"});
    chargerclasse();
    f.Form_Load();
  }
  // refusé : l'avertissement qui suit la réponse reçoit OK.
  void poids(int ligne, const QString& réponse, bool refusé = false) {
    f.listecompétences->setCurrentRow(ligne);
    boîtes.répondretexte(réponse);
    if (refusé) boîtes.répondre(OK);
    f.listecompétences_DblClick();
  }
  QStringList fichier(const QString& nom) { return lirefichier(disquedur(nom)); }
  QList<int> compétencesdestests() {
    QList<int> c;
    for (int k = 1; k <= état().nbinterros; ++k) c.append(état().compétenceinterro[k]);
    return c;
  }
  FenetreCompetences& f = fcompétences();
};

TEST_F(Competences, FormLoadAjouteLesCompétencesParDéfautInutilisées) {
  EXPECT_EQ(f.etiquette5->text(), QStringLiteral("Période n°1"));
  EXPECT_EQ(lignes(f.listecompétences),
            QStringList({"025% -> Nombres", "025% -> Géométrie", "025% -> Mesures", "025% -> Données",
                         "000% -> Calcul mental", "000% -> Problèmes"}));
}

TEST_F(Competences, ZéroSurLaDeuxièmeRenumérotteTestsEtNotesOrales) {
  poids(1, QStringLiteral("0"));
  poids(0, QStringLiteral("50"));
  f.cmdok_Click();
  EXPECT_EQ(compétencesdestests(), QList<int>({1, 2, 1}));
  EXPECT_EQ(état().compétenceorale(1, 1), 3);
  EXPECT_EQ(état().compétenceorale(2, 1), 2);
  const QStringList n = fichier(notes("P1"));
  EXPECT_EQ(n[4], QStringLiteral("Dupont Élodie/12/8/5/ 1/ 10/ 6/01.10 - Récitation/ 3"));
  EXPECT_EQ(n.mid(8), QStringList({"050% -> Nombres", "025% -> Mesures", "025% -> Données"}));
  EXPECT_EQ(fichier(QStringLiteral("5A131\\5A131.P1R")),
            QStringList({" 20", "12/09/2026", "Fractions", " 1", " 10", "19/09/2026", "Aires", " 2", " 10",
                         "26/09/2026", "Graphiques", " 1"}));
  // Dupont : Nombres 12 + 5 sur 30 (56,7 %), Mesures 8 / 10, Données 6 / 10 :
  // 0,5 × 56,7 + 0,25 × 80 + 0,25 × 60 = 63,3 %, soit 12,7 sur 20.
  EXPECT_EQ(n[5], QStringLiteral(" 57/ 80/ 60/ 13/ 0/"));
}

TEST_F(Competences, DeuxZérosDUnCoup) {
  // Géométrie et Mesures quittent la classe : Données (la 4) devient la 2.
  poids(0, QStringLiteral("50"));
  poids(3, QStringLiteral("50"));
  poids(1, QStringLiteral("0"));
  poids(2, QStringLiteral("0"), true);  // Mesures sert au test 2 : refusé
  EXPECT_EQ(f.listecompétences->item(2)->text(), QStringLiteral("025% -> Mesures"));
  // Le test 2 passe sur Nombres, comme la note orale de Martin : Mesures ne sert plus.
  état().compétenceinterro[2] = 1;
  état().compétenceorale(2, 1) = 1;
  poids(2, QStringLiteral("0"));
  f.cmdok_Click();
  EXPECT_EQ(compétencesdestests(), QList<int>({1, 1, 1}));
  EXPECT_EQ(état().compétenceorale(1, 1), 2);
  EXPECT_EQ(état().compétenceorale(2, 1), 1);
  EXPECT_EQ(état().nbcompétences(), 2);
}

TEST_F(Competences, CompétenceParDéfautAjoutéeÀLaFin) {
  poids(0, QStringLiteral("5"));
  poids(5, QStringLiteral("20"));  // Problèmes entre à 20 %
  f.cmdok_Click();
  EXPECT_EQ(fichier(notes("P1")).mid(8), QStringList({"005% -> Nombres", "025% -> Géométrie", "025% -> Mesures",
                                                      "025% -> Données", "020% -> Problèmes"}));
  EXPECT_EQ(compétencesdestests(), QList<int>({1, 3, 1}));
  EXPECT_EQ(état().pourcentcompétence.borne2(), 5);
}

TEST_F(Competences, RéponsesQuiNeChangentRien) {
  struct Cas {
    const char* nom;
    int ligne;
    QString réponse;
    bool erreur;
  };
  const Cas cas[] = {
      {"Annuler sur une compétence libre", 1, QString(), false},
      {"blancs", 1, QStringLiteral("  "), false},
      {"zéro sur une compétence d'une note orale", 3, QStringLiteral("0"), true},
      {"zéro sur une compétence d'un test", 0, QStringLiteral("0"), true},
      {"au-delà de 100", 1, QStringLiteral("120"), true},
  };
  const QStringList avant = lignes(f.listecompétences);
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    boîtes.oublier();
    poids(c.ligne, c.réponse, c.erreur);
    EXPECT_EQ(lignes(f.listecompétences), avant);
    EXPECT_EQ(boîtes.montrées(GenreBoite::Avertissement).size(), c.erreur ? 1 : 0);
  }
  EXPECT_EQ(boîtes.montrées(GenreBoite::Avertissement).last().titre, QStringLiteral("Coefficient"));
}

TEST_F(Competences, SommeFausseNeChangeRien) {
  const QByteArray avant = lire(disquedur(notes("P1")));
  poids(1, QStringLiteral("0"));
  boîtes.répondre(OK);
  f.cmdok_Click();
  EXPECT_EQ(boîtes.montrées().last().texte,
            QStringLiteral("La somme des coefficients n'est pas égale à 100.  Elle vaut actuellement 75%."));
  EXPECT_EQ(état().nbcompétences(), 4);
  EXPECT_EQ(état().listecompétences[2], QStringLiteral("025% -> Géométrie"));
  EXPECT_EQ(lire(disquedur(notes("P1"))), avant);
}

TEST_F(Competences, MenuDeLaFeuilleRechargeLaGrille) {
  surfenêtre = [this](const QString& nom) {
    ASSERT_EQ(nom, QStringLiteral("fcompétences"));
    f.Form_Load();
    poids(1, QStringLiteral("0"));
    poids(0, QStringLiteral("50"));
    f.cmdok_Click();
  };
  EXPECT_TRUE(p.menucomp->isEnabled());
  p.Form_Load();
  const int avant = p.grille1->Cols();
  p.menucomp_Click();
  EXPECT_EQ(p.grille1->Cols(), avant - 1);  // une colonne de compétence en moins
  EXPECT_EQ(état().compétenceorale(1, 1), 3);
}

}  // namespace
