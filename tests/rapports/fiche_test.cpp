#include <gtest/gtest.h>

#include "tests/feuille/feuille_essai.h"

#include "feuille/repartition.h"
#include "impression/selection.h"
#include "noyau/sorties/fiche.h"
#include "noyau/sorties/graphiques.h"
#include "plateforme/couleurs.h"
#include "plateforme/imprimante.h"
#include "plateforme/services.h"
#include "rapports/fiche.h"

void PrintTo(const LigneFiche& l, std::ostream* os) {
  *os << QStringList({l.numéro, l.libellé, l.note, l.sur, l.moyenne, l.renseignements}).join(u'|').toStdString();
}

namespace {

const QString P2N = QStringLiteral("5A131\\5A131.P2N");

// Un fichier de notes sans test : les résultats des trois élèves seulement.
QStringList résultats(const QStringList& totaux, const QStringList& compétences = {"060% -> Nombres", "040% -> Géométrie"}) {
  QStringList l{" 3", " 0", " 0", " 1"};
  const char* noms[] = {"Dupont Élodie", "Durand Paul", "Martin Léa"};
  for (int i = 0; i < 3; ++i) l << QString::fromUtf8(noms[i]) << QStringLiteral("-1/-1/%1/ 0/").arg(totaux[i]);
  return l + compétences;
}

class Fiche : public Feuille {
protected:
  void SetUp() override {
    Feuille::SetUp();
    deuxdisques(P2N, résultats({" 14.5", "?", " 12"}));
    chargerclasse();
  }
  void classe(int périodes, int examens) {
    deuxdisques(QStringLiteral("listclas.13"),
                {" 1", "5A", "Mathématique", "5A131", QStringLiteral(" %1").arg(périodes), QStringLiteral(" %1").arg(examens)});
    lirelisteclasses();
  }
  static QList<LigneFiche> totaux(const QList<LigneFiche>& l) {
    qsizetype t = 0;
    while (t < l.size() && l[t].libellé != u"TOTAUX") ++t;
    return l.mid(t + 1);
  }
  static LigneFiche total(const char* libellé, const char* note, const char* sur, const char* pour) {
    return {QString(), QString::fromUtf8(libellé), QString::fromUtf8(note), QString::fromUtf8(sur), QString(),
            QString::fromUtf8(pour)};
  }
};

TEST_F(Fiche, LignesDUnePériode) {
  QList<LigneFiche> l = lignesfiche(1, {QStringLiteral("P1")});
  for (LigneFiche& x : l) x.moyenne.clear();  // les moyennes de classe sont celles des statistiques
  EXPECT_EQ(l.mid(0, 8),
            QList<LigneFiche>({{"", "Période 1", "", "", "", ""},
                               {"1", "12/09/2026", "12", "/20", "", "Fractions (060% -> Nombres)"},
                               {"2", "19/09/2026", "A", "/20", "", "Aires (040% -> Géométrie)"},
                               {"3", "26/09/2026", "7.5", "/10", "", "Pourcentages (060% -> Nombres)"},
                               {"O1", "", "7.5", "/10", "", "01.10 - Récitation"},
                               {"", "C1", "80", "/100", "", "060% -> Nombres"},
                               {"", "C2", "40", "/100", "", "040% -> Géométrie"},
                               {"", "Moyenne", "13", "/20", "", ""}}));
  EXPECT_EQ(état().périodecourante, QStringLiteral("P1"));
}

TEST_F(Fiche, TotauxSelonLesPériodesMontrées) {
  struct Cas {
    const char* nom;
    int périodes, examens;
    QStringList montrées;
    QList<LigneFiche> attendus;
  };
  const Cas cas[] = {
      {"deux périodes : 27,5 sur 40 font 69 %", 2, 0, {"P1", "P2"},
       {total("périodes", "27.5", "/40", "69%"), total("total", "27.5", "/40", "69%")}},
      {"P2 décochée", 2, 0, {"P1"}, {total("périodes", "13", "/20", "65%"), total("total", "13", "/20", "65%")}},
      {"rien de coché", 2, 0, {}, {total("périodes", "0", "/0", ""), total("total", "0", "/0", "")}},
      {"avec l'examen", 2, 1, {"P1", "P2", "E1"},
       {total("périodes", "27.5", "/40", "69%"), total("examens", "25", "/50", "50%"), total("total", "52.5", "/90", "58%")}},
      {"une quatrième période comptée", 4, 0, {"P1", "P2", "P3", "P4"},
       {total("périodes", "49.5", "/80", "62%"), total("total", "49.5", "/80", "62%")}},
  };
  deuxdisques(QStringLiteral("5A131\\5A131.E1N"), résultats({" 25", " 30", "?"}));
  deuxdisques(QStringLiteral("5A131\\5A131.P3N"), résultats({" 10", "?", "?"}));
  deuxdisques(QStringLiteral("5A131\\5A131.P4N"), résultats({" 12", "?", "?"}));
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    classe(c.périodes, c.examens);
    EXPECT_EQ(totaux(lignesfiche(1, c.montrées)), c.attendus);
  }
}

TEST_F(Fiche, SansCompétenceNiExamen) {
  deuxdisques(QStringLiteral("5A131\\5A131.P1N"),
              {" 1", " 1", " 0", " 1", "Dupont Élodie/8", " 40/ 8/ 0/", "100% -> Aucune"});
  deuxdisques(QStringLiteral("5A131\\5A131.P1R"), {" 20", "12/09/2026", "Fractions", " 1"});
  chargerclasse();
  const QList<LigneFiche> l = lignesfiche(1, {QStringLiteral("P1")});
  QStringList libellés;
  for (const LigneFiche& x : l) libellés << x.libellé;
  EXPECT_EQ(libellés, QStringList({"Période 1", "12/09/2026", "Moyenne", "TOTAUX", "périodes", "total"}));
  EXPECT_EQ(l[1].renseignements, QStringLiteral("Fractions"));
}

TEST(CouleursFiche, NotesFondsEtGras) {
  const std::tuple<const char*, const char*, int> notes[] = {
      {"8", "/20", rouge}, {"10", "/20", noir}, {"A", "/20", bleu}, {"NC", "/20", bleu},
      {"?", "/20", bleu},  {"AI", "/20", rouge}, {"12", "", noir},  {"49", "/100", rouge}};
  for (const auto& [note, sur, couleur] : notes)
    EXPECT_EQ(couleurfiche(QString::fromUtf8(note), QString::fromUtf8(sur)), couleur) << note << sur;
  const std::tuple<const char*, int, bool> libellés[] = {
      {"Période 1", jaune, false}, {"Examen 2", jaune, false}, {"TOTAUX", jaune, false}, {"Moyenne", blanc, true},
      {"C1", blanc, true},         {"périodes", blanc, true},  {"examens", blanc, true}, {"total", blanc, true},
      {"12/09/2026", blanc, false}, {"", blanc, false}};
  for (const auto& [libellé, fond, gras] : libellés) {
    EXPECT_EQ(fondfiche(QString::fromUtf8(libellé)), fond) << libellé;
    EXPECT_EQ(grasfiche(QString::fromUtf8(libellé)), gras) << libellé;
  }
}

class FicheFenetre : public Fiche {
protected:
  void SetUp() override {
    Fiche::SetUp();
    services().imprimantes = &parc;
  }
  int lignes() { return f.grille->Rows(); }
  ParcTexte parc;
  FenetreFiche& f = ficheindividuelle();
};

TEST_F(FicheFenetre, CasesToutEtSortie) {
  état().nomfichier = QStringLiteral(" 1");
  f.Form_Load();
  EXPECT_EQ(f.windowTitle(), QStringLiteral("Fiche individuelle de Dupont Élodie (5A)"));
  EXPECT_EQ(f.Command1->text(), QStringLiteral("&Imprimer"));  // Alt+I
  QStringList cases;
  for (const QCheckBox* c : f.choixpériode) cases << c->text() + (c->isChecked() ? u'+' : u'-');
  EXPECT_EQ(cases, QStringList({"P1+", "P2+"}));
  const int toutes = lignes();
  f.choixpériode[1]->setChecked(false);
  f.choixpériode_Click();
  EXPECT_EQ(lignes(), toutes - 2);  // "Période 2" et sa moyenne
  EXPECT_FALSE(f.Check1->isChecked()) << "« Tout » n'est plus vrai";
  f.choixpériode[1]->setChecked(true);
  f.choixpériode_Click();
  EXPECT_TRUE(f.Check1->isChecked());
  f.Check1->setChecked(false);
  f.Check1_Click();
  EXPECT_EQ(lignes(), 1 + 3);  // l'en-tête, TOTAUX, périodes, total
  for (const QCheckBox* c : f.choixpériode) EXPECT_FALSE(c->isChecked());
  f.cmdquitte_Click();
  EXPECT_EQ(état().périodecourante, QStringLiteral("P1"));
  EXPECT_EQ(état().nbinterros, 3);  // P1 rechargée
  EXPECT_TRUE(parc.imprimante(0).documents().isEmpty());
}

// Trente tests en P1 et en P2 : la fiche imprimée continue sur une autre page
// et n'en perd aucune ligne, jusqu'aux totaux.
TEST_F(FicheFenetre, FicheLongueImprimeeJusquAuxTotaux) {
  for (const char* clé : {"P1", "P2"}) {
    QStringList notes{" 3", " 30", " 0", " 1"};
    for (const char* nom : {"Dupont Élodie", "Durand Paul", "Martin Léa"})
      notes << QString::fromUtf8(nom) + QStringLiteral("/12").repeated(30) << " 60/ 60/ 12/ 0/";
    notes << "060% -> Nombres" << "040% -> Géométrie";
    QStringList interros;
    for (int k = 1; k <= 30; ++k) interros << " 20" << "01/10/2026" << QStringLiteral("Test %1").arg(k) << " 1";
    deuxdisques(QStringLiteral("5A131\\5A131.%1N").arg(QString::fromLatin1(clé)), notes);
    deuxdisques(QStringLiteral("5A131\\5A131.%1R").arg(QString::fromLatin1(clé)), interros);
  }
  chargerclasse();
  état().nomfichier = QStringLiteral("I1");
  f.Form_Load();
  const int lignesgrille = f.grille->Rows();
  ASSERT_EQ(parc.imprimante(0).documents().size(), 1);
  const QList<PageImprimée>& pages = parc.imprimante(0).documents()[0];
  EXPECT_GE(pages.size(), 2);
  int lignes = 0;
  QStringList libellés;
  for (const PageImprimée& page : pages)
    for (const ImageImprimée& image : page.images) {
      lignes += image.image.lignes() - image.image.lignesfixes;
      for (const auto& rangée : image.image.cellules) libellés << rangée.value(1).texte;
    }
  EXPECT_EQ(lignes, lignesgrille - 1);  // chaque ligne sous l'en-tête, une fois
  EXPECT_TRUE(libellés.contains(QStringLiteral("TOTAUX")));
}

TEST_F(FicheFenetre, ImpressionDirecte) {
  état().nomfichier = QStringLiteral("I3");
  f.Form_Load();
  ASSERT_EQ(parc.imprimante(0).documents().size(), 1);
  const PageImprimée& page = parc.imprimante(0).documents()[0][0];
  const Passage& titre = page.lignes[2].passages.last();
  EXPECT_EQ(titre.texte, QStringLiteral("Fiche individuelle de Martin Léa (5A) - imprimée le 14/09/2026"));
  EXPECT_TRUE(titre.police.gras);
  EXPECT_FALSE(page.lignes[2].passages.first().police.gras);
  ASSERT_EQ(page.images.size(), 1);
  EXPECT_EQ(page.images[0].image.cellules[1][1].texte, QStringLiteral("Période 1"));
  // Le graphique sous la grille, sur la même page.
  ASSERT_EQ(page.figures.size(), 1);
  EXPECT_GE(page.figures[0].y, page.images[0].y + page.images[0].image.hauteurtotale() / 20.0);
  EXPECT_TRUE(page.figures[0].figure.textes().contains(QStringLiteral("P2")));
}

// Le graphique de la fiche : résultat de l'élève et moyenne de la classe en % du
// maximum de chaque période montrée ("?" sans résultat), compétences moyennées.
TEST_F(Fiche, DonneesDuGraphique) {
  const struct {
    int s;
    std::optional<double> p1, p2;
  } cas[] = {{1, 65.0, 72.5}, {2, 30.0, std::nullopt}};
  for (const auto& c : cas) {
    DonnéesGraphiqueFiche d;
    lignesfiche(c.s, {"P1", "P2"}, &d);
    ASSERT_EQ(d.résultats.size(), 2);
    // Moyennes de la classe : (13 + 6 + 10) / 3 arrondi à 9.7 ; (14.5 + 12) / 2 = 13.25 arrondi au pair à 13.2.
    const auto proche = [](std::optional<double> a, std::optional<double> b) {
      return a.has_value() == b.has_value() && (!a || std::abs(*a - *b) < 1e-9);
    };
    EXPECT_EQ(d.résultats[0].clé, QStringLiteral("P1"));
    EXPECT_TRUE(proche(d.résultats[0].élève, c.p1) && proche(d.résultats[0].classe, 48.5)) << c.s;
    EXPECT_EQ(d.résultats[1].clé, QStringLiteral("P2"));
    EXPECT_TRUE(proche(d.résultats[1].élève, c.p2) && proche(d.résultats[1].classe, 66.0)) << c.s;
  }
  DonnéesGraphiqueFiche d;
  lignesfiche(1, {"P1", "P2"}, &d);
  EXPECT_EQ(d.compétences, (QList<CompétenceGraphique>{{QStringLiteral("Nombres"), 80}, {QStringLiteral("Géométrie"), 40}}));
  const QStringList textes = figurefiche(d, 540).textes();
  for (const char* t : {"P1", "P2", "65 %", "73 %", "49 %", "66 %", "Nombres", "80 %", "40 %"})
    EXPECT_TRUE(textes.contains(QString::fromUtf8(t))) << t;
  EXPECT_TRUE(figurefiche(d, 540).description.startsWith(
      QStringLiteral("Résultats de l'élève à côté de ceux de la classe : Période 1 : 65 %, classe 49 % ; Période 2 : 73 %")))
      << figurefiche(d, 540).description.toStdString();
  EXPECT_TRUE(figurefiche(d, 540).description.endsWith(QStringLiteral("Compétences : Nombres 80 %, Géométrie 40 %.")));
  lignesfiche(2, {"P2"}, &d);
  EXPECT_EQ(d.résultats.size(), 1);
  EXPECT_TRUE(figurefiche(d, 540).textes().contains(QStringLiteral("?")));
  EXPECT_TRUE(figurefiche(d, 540).description.contains(QStringLiteral("pas de résultat")));
}

// L'histogramme des résultats de P1 (13, 6 et 10 sur 20) : une barre par dixième,
// les dixièmes du maximum sous l'axe, la moyenne et la médiane à leur place.
// La fenêtre de répartition : sa figure et son résumé disent la même moyenne que la
// grille (9.67 montrée 9,7), avec la virgule de ses textes.
TEST_F(Fiche, RepartitionUneMoyenneUnSeparateur) {
  FenetreRepartition& f = fenêtrerépartition();
  f.Form_Load();
  EXPECT_TRUE(f.résumé->text().contains(QStringLiteral("moyenne 9,7,"))) << f.résumé->text().toStdString();
  EXPECT_TRUE(f.histogramme->figure().textes().contains(QStringLiteral("moy. 9,7")));
  EXPECT_TRUE(f.histogramme->figure().textes().contains(QStringLiteral("méd. 10")));
}

TEST_F(Fiche, HistogrammeDesResultats) {
  const RépartitionGraphique r = répartitiondesrésultats();
  EXPECT_EQ(r.nombres, (std::array<int, 10>{0, 0, 0, 1, 0, 1, 1, 0, 0, 0}));
  ASSERT_TRUE(r.moyenne && r.médiane);
  EXPECT_NEAR(*r.moyenne, 29.0 / 3, 1e-9);
  EXPECT_EQ(*r.médiane, 10);
  const Figure f = figurehistogramme(r, 300, 120);
  EXPECT_EQ(f.description, QStringLiteral("Répartition sur 20 : de 0 à 2 : 0 ; de 2 à 4 : 0 ; de 4 à 6 : 0 ; de 6 à 8 : 1 ; "
                                          "de 8 à 10 : 0 ; de 10 à 12 : 1 ; de 12 à 14 : 1 ; de 14 à 16 : 0 ; de 16 à 18 : 0 ; "
                                          "de 18 à 20 : 0. Moyenne : 9,7. Médiane : 10."));
  QStringList attendus;
  for (int d = 0; d <= 20; d += 2) attendus << QString::number(d);
  attendus << QStringLiteral("moy. 9.7") << QStringLiteral("méd. 10");  // la moyenne au dixième, comme la grille
  for (const QString& t : attendus) EXPECT_TRUE(f.textes().contains(t)) << t.toStdString();
  const auto rectangles = std::count_if(f.traits.begin(), f.traits.end(),
                                        [](const TraitFigure& t) { return t.genre == TraitFigure::Genre::Rectangle; });
  EXPECT_EQ(rectangles, 3);
  // Le trait de la médiane, au milieu de l'axe (10 sur 20).
  const bool médiane = std::any_of(f.traits.begin(), f.traits.end(), [](const TraitFigure& t) {
    return t.pointillé && std::abs(t.zone.left() - (4 + 292 * 0.5)) < 1e-9;
  });
  EXPECT_TRUE(médiane);
}

// Deux élèves du même nom : chacun sa fiche, trouvée par sa place.
TEST_F(FicheFenetre, FichesDesÉlèvesChoisis) {
  for (const char* clé : {"P1N", "P2N"}) {
    QStringList l = lirefichier(disquedur(QStringLiteral("5A131\\5A131.") + QString::fromUtf8(clé)));
    l[6].replace(QStringLiteral("Durand Paul"), QStringLiteral("Martin Léa"));
    deuxdisques(QStringLiteral("5A131\\5A131.") + QString::fromUtf8(clé), l);
  }
  chargerclasse();
  FenetreSelection& s = fenêtrerécapitulatif();
  struct Cas {
    const char* nom;
    std::function<void()> choisir;
    QStringList moyennes;  // la note de la ligne "Moyenne" de P1 de chaque fiche imprimée
  };
  const Cas cas[] = {
      {"I M P R I M E R aussitôt : toute la classe", [&] { s.Command4_Click(); }, {"13", "6", "10"}},
      {"les deux Martin Léa", [&] {
         s.Command2_Click();
         for (int r : {2, 1}) {
           s.List1->setCurrentRow(r);
           s.List1_DblClick();
         }
         s.List1_DblClick();  // déjà choisie : une seule fois
         s.Command4_Click();
       }, {"10", "6"}},
      {"Annuler", [&] { s.Command5_Click(); }, {}},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    surfenêtre = [&](const QString& nom) {
      ASSERT_EQ(nom, QStringLiteral("fenêtrerécapitulatif"));
      s.Form_Load();
      EXPECT_EQ(s.windowTitle(), QStringLiteral("Imprimer les fiches individuelles de 5A"));
      EXPECT_TRUE(s.casecouleur->isHidden());
      c.choisir();
    };
    const qsizetype avant = parc.imprimante(0).documents().size();
    p.imprfi_Click();
    // Toutes les fiches d'un travail forment un seul document, une fiche par page.
    const auto& documents = parc.imprimante(0).documents();
    ASSERT_EQ(documents.size() - avant, c.moyennes.isEmpty() ? 0 : 1);
    QStringList moyennes;
    for (qsizetype d = avant; d < documents.size(); ++d)
      for (const PageImprimée& page : documents[d])
        for (const auto& ligne : page.images.value(0).image.cellules)
          if (ligne[1].texte == u"Moyenne") {
            moyennes << ligne[2].texte;
            break;
          }
    EXPECT_EQ(moyennes, c.moyennes);
    if (!c.moyennes.isEmpty()) {
      EXPECT_EQ(documents.last().size(), c.moyennes.size());
    }
    EXPECT_EQ(état().périodecourante, QStringLiteral("P1"));
    EXPECT_EQ(état().nbinterros, 3);
  }
}

TEST_F(FicheFenetre, SélectionVideRefusée) {
  FenetreSelection& s = fenêtrerécapitulatif();
  état().nomfichier.clear();
  s.Form_Load();
  EXPECT_EQ(s.windowTitle(), QStringLiteral("Imprimer les récapitulatifs pour les parents de 5A"));
  EXPECT_EQ(s.ntotél->text(), QStringLiteral("Nombre total d'élèves : 3"));
  s.Command2_Click();
  EXPECT_EQ(s.élsél->text(), QStringLiteral("Nombre d'élève(s) sélectionné(s) : 0"));
  boîtes.répondre(OK);
  s.Command4_Click();
  EXPECT_EQ(boîtes.montrées().last().titre, QStringLiteral("Impossible d'imprimer !"));
  EXPECT_EQ(boîtes.montrées().last().texte, QStringLiteral("Il n'y a aucun élève sélectionné !"));
}

}  // namespace
