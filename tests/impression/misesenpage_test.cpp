#include <gtest/gtest.h>

#include "tests/feuille/feuille_essai.h"
#include "tests/outils/anneeessai.h"

#include "impression/misesenpage.h"
#include "plateforme/couleurs.h"
#include "plateforme/imprimante.h"
#include "plateforme/services.h"

namespace {

// Une ligne du texte imprimé : chaque morceau à sa colonne, comptée à partir de 1 comme Tab.
QString àcolonnes(std::initializer_list<std::pair<int, QString>> morceaux) {
  QString l;
  for (const auto& [colonne, texte] : morceaux) l = l.leftJustified(colonne - 1, u' ', true) + texte;
  return l;
}

QStringList lignesde(const ImprimanteTexte& i) { return i.texte().split(u'\n'); }

// Textes imprimés en rouge (les blancs qui les précèdent laissés de côté).
QStringList enrouge(const ImprimanteTexte& i) {
  QStringList t;
  for (const PageImprimée& p : i.documents().last())
    for (const LigneImprimée& l : p.lignes)
      for (const Passage& x : l.passages)
        if (x.couleur == rouge && !x.texte.trimmed().isEmpty()) t.append(x.texte);
  return t;
}

// Textes imprimés en gras : un échec se voit aussi en noir et blanc.
QStringList engras(const ImprimanteTexte& i) {
  QStringList t;
  for (const PageImprimée& p : i.documents().last())
    for (const LigneImprimée& l : p.lignes)
      for (const Passage& x : l.passages)
        if (x.police.gras && !x.texte.trimmed().isEmpty()) t.append(x.texte);
  return t;
}

const QString entête5A = àcolonnes({{1, "Classe de 5A"}, {25, "Cours : Mathématique"}, {70, "Période 1"}});

TEST(FormaterNote, ToutLeTableau) {
  const std::pair<const char*, const char*> cas[] = {
      {"A", " A  "},    {"?", " ?  "},    {"7", " 7,0"},     {"AI", " AI "},   {"NC", " NC "},
      {".5", " 0,5"},   {"12", "12,0"},   {"4.5", " 4,5"},   {"100", "100 "},  {"4,5", "4,5 "},
      {"12.5", "12,5"}, {"12.0", "12.0"}, {"12.25", "?12."}, {"", "?"},        {"  9.5 ", " 9,5"},
  };
  for (const auto& [note, attendu] : cas) EXPECT_EQ(formaternote(QString::fromUtf8(note)), QString::fromUtf8(attendu)) << note;
}

// La classe 5A de la feuille, avec une élève sans aucun résultat ("?").
class Misesenpage : public Feuille {
protected:
  void SetUp() override {
    Feuille::SetUp();
    services().imprimantes = &parc;
    deuxdisques(QStringLiteral("5A131\\5A131.P1N"),
                {" 4", " 3", " 1", " 1", "Dupont Élodie/12/A/7.5/ 1/ 10/ 7.5/01.10 - Récitation/ 1", " 80/ 40/ 13/ 2/",
                 "Durand Paul/AI/NC/8/ 0", " 32/-1/ 6/ 0/", "Martin Léa/9.5/14/10/ 1/ 10/ 4/02.10 - Calcul/ 2",
                 " 49/ 50/ 10/ 0/", "Zoé Absente/A/A/A/ 0", "-1/-1/?/ 0/", "060% -> Nombres", "040% -> Géométrie"});
    chargerclasse();
  }
  ImprimanteTexte& imprimante() { return parc.imprimante(0); }
  void imprimer(void (*miseenpage)(Imprimante&, const TravailImpression&)) {
    miseenpage(parc.Printer(), travail);
    parc.Printer().EndDoc();
  }
  // Une classe d'un élève et de n tests sur 20, sans note orale.
  void classedetests(int n) {
    QStringList notes{" 1", QStringLiteral(" %1").arg(n), " 0", " 1", QStringLiteral("Léa") + QStringLiteral("/10").repeated(n),
                      " 50/-1/ 10/ 0/", "060% -> Nombres", "040% -> Géométrie"};
    QStringList interros;
    for (int k = 1; k <= n; ++k) interros << " 20" << "01/10/2026" << QStringLiteral("Test %1").arg(k) << " 1";
    deuxdisques(QStringLiteral("5A131\\5A131.P1N"), notes);
    deuxdisques(QStringLiteral("5A131\\5A131.P1R"), interros);
    chargerclasse();
  }
  ParcTexte parc;
  TravailImpression travail{QStringLiteral("P1")};
};

TEST_F(Misesenpage, PointsDeLaPériode) {
  ÉtatPartagé& é = état();
  // Statistiques posées à la main : un test sans note comptée a la moyenne -1.
  const double moyennes[] = {0, 10.5, -1, 8.75, 9.667};
  const int échecs[] = {0, 2, 0, 1, 2};
  for (int k = 1; k <= 4; ++k) {
    é.moyenneinterro[k] = moyennes[k];
    é.échecsinterro[k] = échecs[k];
  }
  imprimer(imprimerpoints);
  EXPECT_EQ(lignesde(imprimante()),
            QStringList({"--- page 1 (portrait) ---",
                         entête5A,
                         QString(95, u'-'),
                         àcolonnes({{3, "(Imprimé le 14/09/2026)"}, {31, "IE01 IE02 IE03 Or01  MOY."}}),
                         àcolonnes({{10, "NOMS"}, {31, "/020 /020 /010       /020"}}),
                         àcolonnes({{31, "(C1) (C2) (C1) "}}),
                         QString(95, u'='),
                         "",
                         àcolonnes({{1, "01)Dupont Élodie"}, {30, " 12,0  A    7,5  7,5  13,0 (2)"}}),
                         "",
                         àcolonnes({{1, "02)Durand Paul"}, {30, "  AI   NC   8,0        6,0 (0)"}}),
                         "",
                         àcolonnes({{1, "03)Martin Léa"}, {30, "  9,5 14,0 10,0  4,0  10,0 (0)"}}),
                         "",
                         àcolonnes({{1, "04)Zoé Absente"}, {30, "  A    A    A          ?   (0)"}}),
                         QString(95, u'-'),
                         àcolonnes({{1, "Moyennes :"}, {31, "10,5  -1,0  8,8 "}, {52, "9,7"}}),
                         àcolonnes({{1, "Nombre d'échec(s) :"}, {31, " 02   00   01  "}, {53, "02"}})}));
  EXPECT_EQ(enrouge(imprimante()), QStringList({" AI ", " 6,0", " 9,5"}));
  EXPECT_EQ(engras(imprimante()), enrouge(imprimante()));
  EXPECT_TRUE(boîtes.montrées().isEmpty());
  EXPECT_EQ(parc.Printer().Orientation(), portrait);
}

// 34 élèves en portrait : le tableau des points passe sur une deuxième page, qui
// reprend le titre de la classe et les têtes de colonnes avant les derniers élèves.
TEST_F(Misesenpage, PointsSurDeuxPagesAvecLEnTeteRepete) {
  QStringList notes{" 34", " 1", " 0", " 1"};
  for (int s = 1; s <= 34; ++s) notes << QStringLiteral("Élève %1/12").arg(s, 2, 10, QLatin1Char('0')) << " 60/-1/ 12/ 0/";
  notes << "060% -> Nombres" << "040% -> Géométrie";
  deuxdisques(QStringLiteral("5A131\\5A131.P1N"), notes);
  deuxdisques(QStringLiteral("5A131\\5A131.P1R"), {" 20", "01/10/2026", "Test", " 1"});
  chargerclasse();
  imprimer(imprimerpoints);
  const QStringList l = lignesde(imprimante());
  const qsizetype saut = l.indexOf(QStringLiteral("--- page 2 (portrait) ---"));
  ASSERT_GT(saut, 0);
  EXPECT_EQ(l[saut + 1], entête5A);
  EXPECT_EQ(l.mid(saut).filter(QStringLiteral("NOMS")).size(), 1);
  EXPECT_EQ(l.filter(QStringLiteral("Élève")).size(), 34);  // chacun une fois
  EXPECT_TRUE(l.mid(saut).filter(QStringLiteral("Moyennes :")).size() == 1);
}

TEST_F(Misesenpage, ColonnesEtOrientation) {
  struct Cas {
    int tests;
    int réponse;       // 0 : aucune question attendue
    const char* fin;   // fin du texte de la question
    QStringList pages;
    QString dernierentête;
  };
  const Cas cas[] = {
      {12, 0, "", {"portrait"}, "IE01 IE02 IE03 IE04 IE05 IE06 IE07 IE08 IE09 IE10 IE11 IE12  MOY."},
      {13, NON, " 2 pages en mode portrait\n 1 page(s) en mode paysage", {"portrait", "portrait"}, "IE13  MOY."},
      {13, OUI, " 2 pages en mode portrait\n 1 page(s) en mode paysage", {"paysage"}, "IE01 IE02 IE03 IE04 IE05 IE06 IE07 IE08 IE09 IE10 IE11 IE12 IE13  MOY."},
      {20, OUI, " 2 pages en mode portrait\n 2 page(s) en mode paysage", {"paysage", "paysage"}, "IE20  MOY."},
      {13, ANNULER, " 2 pages en mode portrait\n 1 page(s) en mode paysage", {}, ""},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.tests);
    classedetests(c.tests);
    boîtes.oublier();
    if (c.réponse != 0) boîtes.répondre(c.réponse);
    const qsizetype avant = imprimante().documents().size();
    imprimer(imprimerpoints);
    ASSERT_EQ(boîtes.montrées().size(), c.réponse == 0 ? 0 : 1);
    if (c.réponse != 0) {
      EXPECT_EQ(boîtes.montrées()[0].titre, QStringLiteral(" %1 interrogations écrites et orales").arg(c.tests));
      EXPECT_EQ(boîtes.montrées()[0].texte,
                QStringLiteral("L'impression dépasse une page en mode portrait.  Faut-il imprimer en mode paysage ?\n\n"
                               "N.B.: hors compétences et prépas, le nombre de pages est :\n\n") +
                    QString::fromUtf8(c.fin));
    }
    if (c.pages.isEmpty()) {
      EXPECT_EQ(imprimante().documents().size(), avant);  // Annuler : rien de ce type
      continue;
    }
    const QStringList l = lignesde(imprimante());
    QStringList pages;
    for (const QString& x : l)
      if (x.startsWith(QStringLiteral("--- page"))) pages << x.section(u'(', 1).chopped(5);
    EXPECT_EQ(pages, c.pages);
    EXPECT_TRUE(l.contains(àcolonnes({{3, "(Imprimé le 14/09/2026)"}, {31, c.dernierentête}})))
        << l.join(u'\n').toStdString();
  }
}

TEST_F(Misesenpage, MoyennesDeLaPériode) {
  état().nomélève[4] = QStringLiteral("Abcdefghij Klmnopqrst Uvwxyzabcd Efghijkl");  // 40 caractères
  imprimer(imprimermoyennes);
  EXPECT_EQ(lignesde(imprimante()),
            QStringList({"--- page 1 (portrait) ---", entête5A, QString(95, u'-'),
                         àcolonnes({{25, "NOMS"}, {53, "MOY.     COMP."}}), QString(66, u'='), "",
                         àcolonnes({{6, "01) Dupont Élodie" + QString(25, u'.') + " =>  13,0     ....."}}), "",
                         àcolonnes({{6, "02) Durand Paul" + QString(27, u'.') + " =>   6,0     ....."}}), "",
                         àcolonnes({{6, "03) Martin Léa" + QString(28, u'.') + " =>  10,0     ....."}}), "",
                         àcolonnes({{6, "04) Abcdefghij Klmnopqrst Uvwxyzabcd Ef =>   ?       ....."}}), "",
                         àcolonnes({{10, "(Imprimé le 14/09/2026)"}}), ""}));
}

TEST_F(Misesenpage, NomsGrilleEtRenseignements) {
  imprimer(imprimernomsgrille);
  const QStringList grille = lignesde(imprimante());
  ASSERT_EQ(grille.size(), 6 + 2 * 4);
  EXPECT_EQ(grille[4], QString(83, u'='));
  EXPECT_EQ(grille[6], àcolonnes({{10, "01) Dupont Élodie"}, {46, QStringLiteral("|..").repeated(12) + u'|'}}));
  EXPECT_EQ(grille[7], QString());

  imprimer(imprimerrensinterro);
  const QStringList r = lignesde(imprimante());
  EXPECT_EQ(r.mid(3, 9), QStringList({àcolonnes({{10, "Liste des renseignements sur les interrogations"}}), "",
                                      àcolonnes({{10, "Interrogation écrite n°1"}}),
                                      àcolonnes({{10, "Date : 12/09/2026"}}),
                                      àcolonnes({{10, "Matière : Fractions"}}),
                                      àcolonnes({{10, "Points attribués : 20"}}),
                                      àcolonnes({{10, "Compétence évaluée : 060% -> Nombres"}}), "",
                                      àcolonnes({{10, "Interrogation écrite n°2"}})}));
  const Passage& titre = imprimante().documents().last()[0].lignes[2].passages.last();
  EXPECT_TRUE(titre.police.souligné);
  EXPECT_EQ(titre.police.nom, QStringLiteral("Times new roman"));
  EXPECT_EQ(titre.police.taille, 14);
}

TEST_F(Misesenpage, CompétencesEtMoyennes) {
  imprimer(imprimercompétences);
  const QStringList l = lignesde(imprimante());
  EXPECT_EQ(l[3], àcolonnes({{20, "NOMS"}, {43, " C1(%)"}, {49, " C2(%)"}, {55, " =>  MOY."}}));
  EXPECT_EQ(l[4], QString(93, u'='));
  EXPECT_EQ(l[6], àcolonnes({{6, "01) Dupont Élodie" + QString(15, u'.') + " => "}, {43, " 80,0"}, {49, " 40,0"},
                             {55, " =>  13,0 "}}));
  EXPECT_EQ(l[8], àcolonnes({{6, "02) Durand Paul" + QString(17, u'.') + " => "}, {43, " 32,0"}, {49, "  ?  "},
                             {55, " =>   6,0 "}}));
  EXPECT_EQ(l.mid(14, 3), QStringList({àcolonnes({{6, "C1 = 060% -> Nombres"}}), àcolonnes({{6, "C2 = 040% -> Géométrie"}}),
                                       àcolonnes({{71, "(Imprimé le 14/09/2026)"}})}));
  EXPECT_EQ(enrouge(imprimante()), QStringList({"40,0", "32,0", " 6,0", "49,0"}));
}

TEST_F(Misesenpage, RefusDeLImprimanteDitEnClair) {
  imprimante().refuserprochain(QStringLiteral("L'imprimante « Texte » a refusé le document : rien n'a été imprimé."));
  boîtes.répondre(OK);
  imprimermoyennes(parc.Printer(), travail);
  EXPECT_FALSE(finirdocument(parc.Printer()));
  ASSERT_EQ(boîtes.montrées().size(), 1);
  EXPECT_EQ(boîtes.montrées()[0].titre, QStringLiteral("Impression non aboutie"));
  EXPECT_TRUE(imprimante().documents().isEmpty());
  // Le document refusé ne reste pas dans l'imprimante : le suivant part seul.
  imprimer(imprimernomsgrille);
  ASSERT_EQ(imprimante().documents().size(), 1);
  EXPECT_EQ(lignesde(imprimante())[3], àcolonnes({{20, "NOMS"}}));
}

class TotauxImprimes : public AnneeEssai {
protected:
  void SetUp() override {
    AnneeEssai::SetUp();
    services().imprimantes = &parc;
  }
  QStringList imprimer(int couleur, bool demipoints) {
    état().arrondidemi = demipoints ? VRAI : FAUX;
    boîtes.répondre(couleur);
    boîtes.répondretexte(QStringLiteral("2"));
    imprimertotaux(parc.Printer(), travail);
    parc.Printer().EndDoc();
    return lignesde(parc.imprimante(0));
  }
  ParcTexte parc;
  TravailImpression travail{QStringLiteral("P1")};
};

TEST_F(TotauxImprimes, EnCouleurSurPointsEntiers) {
  const QStringList l = imprimer(OUI, false);
  const QString tirets(80, u'–');
  EXPECT_EQ(l.mid(3), QStringList({àcolonnes({{10, "NOMS"}, {27, "PER1 PER2 EXA1  T.PER T.EXA  T.GEN"}}),
                                   àcolonnes({{27, "/20  /20  /50   /040  /050   /090"}}), QString(80, u'='), "",
                                   àcolonnes({{1, "Dupont Élodie"}, {27, " 14   10   25    024   025   049    54%"}}), tirets,
                                   àcolonnes({{1, "Durand Paul"}, {27, " 10   ??   24    ?9.5  024   ?33   ? 48%"}}), tirets,
                                   àcolonnes({{1, "Martin Léa"}, {27, " 10   20   ??    030   ?0    ?30   ? 75%"}}), tirets,
                                   àcolonnes({{1, "Zoé Absente"}, {27, " ??   ??   ??    ?0    ?0    ?0    ? 00%"}}), tirets}));
  EXPECT_EQ(enrouge(parc.imprimante(0)), QStringList({"10", "24", "024", "48", "00"}));
  EXPECT_EQ(engras(parc.imprimante(0)), enrouge(parc.imprimante(0)));
  EXPECT_EQ(boîtes.montrées()[0].titre, QStringLiteral("Totaux pour 5A"));
  EXPECT_EQ(état().dernièrepériode[1], 2);
  EXPECT_EQ(travail.imprimerencouleur, rouge);
}

TEST_F(TotauxImprimes, EnNoirSurDemiPoints) {
  const QStringList l = imprimer(NON, true);
  EXPECT_EQ(l[7], àcolonnes({{1, "Dupont Élodie"}, {27, " 13,5 10,0 25,0  023,5 025,0 048,5    54%"}}));
  EXPECT_EQ(l[9], àcolonnes({{1, "Durand Paul"}, {27, " 09,5 ??   24,0  ?9.5  024,0 ?33   ? 48%"}}));
  EXPECT_TRUE(enrouge(parc.imprimante(0)).isEmpty());
  EXPECT_EQ(engras(parc.imprimante(0)), QStringList({"09,5", "24,0", "024,0", "48", "00"}));
  EXPECT_EQ(travail.imprimerencouleur, noir);
}

}  // namespace
