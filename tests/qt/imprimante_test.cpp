#include <gtest/gtest.h>

#include "tests/outils/impressionqt.h"

#include <QDir>
#include <QMap>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "plateforme/erreurs.h"
#include "plateforme/fichiers.h"
#include "plateforme/qt/imprimanteqt.h"
#include "plateforme/services.h"
#include "tests/outils/documentessai.h"
#include "tests/outils/hote.h"

namespace {

QStringList lignes(const QString& texte) { return texte.split(u'\n'); }

TEST(ImprimanteTexte, DocumentDEssaiLigneParLigne) {
  ImprimanteTexte i;
  imprimerdocumentdessai(i);
  ASSERT_EQ(i.documents().size(), 1);
  const QStringList attendu{
      "--- page 1 (portrait) ---",
      QStringLiteral("Classe de 5A") + QString(12, u' ') + QStringLiteral("Cours : Mathématique") + QString(25, u' ') +
          QStringLiteral("Période 1"),
      QString(95, u'-'),
      "Dupont Élodie                 7,0 12,5 14 -2.5 fin",
      "un texte assez long pour dépasser",
      "         suite à la colonne 10",
      "",
      "Moyennes :                     11.3 ",
      "--- page 2 (paysage) ---",
      "Tableau de la classe",
      "[grille à 3, 55 pt]",
      "N°|Nom|Note|Moy",
      "1|Dupont Élodie|12.5|14",
      "2|Durand Paul|7|A",
  };
  EXPECT_EQ(lignes(i.texte()), attendu);

  const QList<PageImprimée>& pages = i.documents().first();
  ASSERT_EQ(pages.size(), 2);
  const Passage& rouge7 = pages[0].lignes[2].passages[1];
  EXPECT_EQ(rouge7.texte, QStringLiteral(" 7,0"));
  EXPECT_EQ(rouge7.couleur, rouge);
  EXPECT_EQ(i.colonne(rouge7), 30);
  EXPECT_EQ(pages[0].lignes[2].passages[2].couleur, noir);
  EXPECT_TRUE(pages[0].lignes[6].passages[0].police.gras);
  const Passage& titre = pages[1].lignes[0].passages[0];
  EXPECT_TRUE(titre.police.souligné);
  EXPECT_EQ(titre.police.nom, QStringLiteral("times new roman"));
  EXPECT_DOUBLE_EQ(titre.police.taille, 14);
}

TEST(ImprimanteTexte, ElementsEtTabulations) {
  struct Cas {
    const char* nom;
    std::function<void(Imprimante&)> imprimer;
    QStringList attendu;
  };
  const Cas cas[] = {
      {"nombres", [](Imprimante& i) { i.Print({Nombre(12.5), Nombre(-3), Nombre(0)}); }, {" 12.5 -3  0 "}},
      {"tab déjà dépassé", [](Imprimante& i) { i.Print({"abcdef", Tab(3), "x"}); }, {"abcdef", "  x"}},
      {"tab à la position", [](Imprimante& i) { i.Print({"ab", Tab(3), "x"}); }, {"abx"}},
      {"point-virgule", [](Imprimante& i) { i.Print({"a"}, Suite::PointVirgule); i.Print({"b"}); i.Print({"c"}); }, {"ab", "c"}},
      {"liste vide", [](Imprimante& i) { i.Print({"a"}); i.Print(); i.Print({"b"}); }, {"a", "", "b"}},
      {"tab seul", [](Imprimante& i) { i.Print({Tab(5)}, Suite::PointVirgule); i.Print({"x"}); }, {"    x"}},
  };
  for (const auto& c : cas) {
    ImprimanteTexte i;
    c.imprimer(i);
    i.EndDoc();
    QStringList attendu{QStringLiteral("--- page 1 (portrait) ---")};
    attendu += c.attendu;
    EXPECT_EQ(lignes(i.texte()), attendu) << c.nom;
  }
}

TEST(ImprimanteTexte, PagesVidesEtPageDeborde) {
  ImprimanteTexte i;
  i.NewPage();
  i.EndDoc();
  EXPECT_TRUE(i.documents().isEmpty());  // rien d'imprimé : pas de page

  i.FontSize(12);
  for (int n = 1; n <= 100; ++n) i.Print({QString::number(n)});
  i.NewPage();  // juste après un saut automatique ou non : jamais de page blanche
  i.EndDoc();
  const QList<PageImprimée>& pages = i.documents().last();
  const int parpage = static_cast<int>(813.5 / (1.15 * 12));
  ASSERT_EQ(pages.size(), (100 + parpage - 1) / parpage);
  EXPECT_EQ(pages[0].lignes.size(), parpage);
  EXPECT_EQ(pages[1].lignes.first().passages.first().texte, QString::number(parpage + 1));

  // Une orientation choisie sur une page encore vide s'applique à elle.
  i.Print({"portrait"});
  i.NewPage();
  i.Orientation(paysage);
  i.Print({"paysage"});
  i.EndDoc();
  ASSERT_EQ(i.documents().last().size(), 2);
  EXPECT_EQ(i.documents().last()[0].orientation, portrait);
  EXPECT_EQ(i.documents().last()[1].orientation, paysage);
}

// Une grille de l lignes (la première fixe) et c colonnes (la première fixe), de
// cellules "l.c", chaque cellule de 1000 × 400 twips (50 × 20 pt).
ImageGrille grille(int lignes, int colonnes) {
  ImageGrille g;
  g.lignesfixes = 1;
  g.colonnesfixes = 1;
  for (int c = 0; c < colonnes; ++c) g.largeurs << 1000;
  for (int l = 0; l < lignes; ++l) {
    g.hauteurs << 400;
    QList<CelluleImage> rangée;
    for (int c = 0; c < colonnes; ++c) rangée << CelluleImage{QStringLiteral("%1.%2").arg(l).arg(c)};
    g.cellules << rangée;
  }
  return g;
}

// Une grille plus haute ou plus large que la page continue sur les pages
// suivantes : chaque cellule est imprimée une fois (les fixes sur chaque page),
// chaque morceau tient dans la page, et le texte reprend sous le dernier.
TEST(ImprimanteTexte, GrilleTropGrandeContinueSurLesPages) {
  struct Cas {
    int lignes, colonnes, orientation;
    bool réduire;
    int pages;
  };
  const Cas cas[] = {
      {30, 8, portrait, false, 1},   // tient : une page
      {80, 8, portrait, false, 3},   // trop haute : 36 + 39 + 4 lignes de données
      {30, 20, portrait, false, 2},  // trop large : colonnes 1-10 puis 11-19
      {80, 20, paysage, false, 8},   // les deux : 4 tranches de lignes × 2 de colonnes
      {30, 20, portrait, true, 1},   // réduite à la largeur : une page
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(testing::Message() << c.lignes << "×" << c.colonnes << (c.réduire ? " réduite" : ""));
    ImprimanteTexte i;
    i.Orientation(c.orientation);
    i.RéduireImages(c.réduire);
    i.Print({"titre"});
    i.PaintPicture(grille(c.lignes, c.colonnes), 60, 1100);
    i.Print({"après"});
    i.EndDoc();
    const QList<PageImprimée>& pages = i.documents().last();
    ASSERT_EQ(pages.size(), c.pages);
    QMap<QString, int> vues;
    for (const PageImprimée& page : pages)
      for (const ImageImprimée& image : page.images) {
        EXPECT_LE(image.x + image.image.largeurtotale() * image.échelle / 20.0, i.largeurpage(page.orientation) + 0.01);
        EXPECT_LE(image.y + image.image.hauteurtotale() * image.échelle / 20.0, i.hauteurpage(page.orientation) + 0.01);
        EXPECT_EQ(image.image.cellules[0][0].texte, QStringLiteral("0.0"));  // le coin fixe sur chaque morceau
        for (const auto& rangée : image.image.cellules)
          for (const CelluleImage& cellule : rangée) ++vues[cellule.texte];
      }
    for (int l = 1; l < c.lignes; ++l)
      for (int k = 1; k < c.colonnes; ++k) EXPECT_EQ(vues.value(QStringLiteral("%1.%2").arg(l).arg(k)), 1) << l << "." << k;
    const LigneImprimée& après = pages.last().lignes.last();
    EXPECT_EQ(après.passages.value(0).texte, QStringLiteral("après"));
    const ImageImprimée& dernière = pages.last().images.last();
    EXPECT_GE(après.y + 0.01, dernière.y + dernière.image.hauteurtotale() * dernière.échelle / 20.0);
  }
}

// Un tableau qui passe à la page suivante y répète ses lignes de tête, avec sa
// police ; la police de la suite reste la sienne. Un NewPage met fin au tableau.
TEST(ImprimanteTexte, LesLignesDeTeteReviennentSurChaquePage) {
  ImprimanteTexte i;
  const auto entête = [&i] {
    i.FontSize(12);
    i.Print({"Classe de 5A"});
    i.Print({"NOMS"});
  };
  entête();
  i.EnTête(entête);
  i.FontSize(10);
  for (int n = 1; n <= 120; ++n) i.Print({QStringLiteral("élève %1").arg(n)});
  i.NewPage();
  for (int n = 1; n <= 80; ++n) i.Print({QStringLiteral("suite %1").arg(n)});
  i.EndDoc();
  const QList<PageImprimée>& pages = i.documents().last();
  ASSERT_GE(pages.size(), 4);
  int élèves = 0;
  for (const PageImprimée& page : pages) {
    const QString premier = page.lignes.value(0).passages.value(0).texte;
    const bool tableau = !premier.startsWith(QStringLiteral("suite"));
    if (tableau) {
      EXPECT_EQ(premier, QStringLiteral("Classe de 5A"));
      EXPECT_EQ(page.lignes[1].passages[0].texte, QStringLiteral("NOMS"));
      EXPECT_EQ(page.lignes[0].passages[0].police.taille, 12);
      EXPECT_EQ(page.lignes[2].passages[0].police.taille, 10);
    }
    for (const LigneImprimée& l : page.lignes)
      if (l.passages.value(0).texte.startsWith(QStringLiteral("élève"))) ++élèves;
  }
  EXPECT_EQ(élèves, 120);
}

// Le papier et les marges choisis fixent la zone imprimable et les sauts de page.
TEST(ImprimanteTexte, FormatDuPapier) {
  ImprimanteTexte i;
  EXPECT_NEAR(i.largeurpage(portrait), 572.6, 0.05);
  EXPECT_NEAR(i.hauteurpage(portrait), 813.5, 0.05);
  EXPECT_NEAR(i.largeurpage(paysage), 819.2, 0.05);
  FormatPage a5;
  a5.papier = QStringLiteral("A5");
  a5.largeur = 419.528;
  a5.hauteur = 595.276;
  a5.haut = 113.386;  // 40 mm
  i.Format(a5);
  // Plus étroit qu'un A4 : la page est réduite pour que les mises en page de
  // l'A4 y tiennent en largeur ; la hauteur se compte à la même échelle.
  const double échelle = (419.528 - 2 * 11.339) / 572.6;
  EXPECT_NEAR(i.échellepage(portrait), échelle, 0.001);
  EXPECT_NEAR(i.largeurpage(portrait), 572.6, 0.05);
  EXPECT_NEAR(i.hauteurpage(portrait), (595.276 - 113.386 - 14.173) / échelle, 0.05);
  i.FontSize(12);
  for (int n = 1; n <= 60; ++n) i.Print({QString::number(n)});
  i.EndDoc();
  const int parpage = static_cast<int>(i.hauteurpage(portrait) / (1.15 * 12));
  EXPECT_EQ(i.documents().last()[0].lignes.size(), parpage);
}

TEST(ParcTexte, ChoixDeLImprimante) {
  ParcTexte parc({QStringLiteral("Salle des profs"), QStringLiteral("PDF")});
  EXPECT_EQ(parc.Printers(), (QStringList{QStringLiteral("Salle des profs"), QStringLiteral("PDF")}));
  EXPECT_EQ(parc.Printer().DeviceName(), QStringLiteral("Salle des profs"));
  EXPECT_TRUE(parc.choisir(QStringLiteral("PDF")));
  EXPECT_EQ(parc.Printer().DeviceName(), QStringLiteral("PDF"));
  EXPECT_FALSE(parc.choisir(QStringLiteral("Disparue")));
  EXPECT_EQ(parc.Printer().DeviceName(), QStringLiteral("PDF"));
  // Réduire les grilles vaut pour l'imprimante choisie ensuite aussi.
  parc.réduireimages(true);
  EXPECT_TRUE(parc.choisir(QStringLiteral("Salle des profs")));
  EXPECT_TRUE(parc.Printer().RéduireImages());
}

TEST(ImprimanteQt, PolicesLiberationALaPlaceDesNomsDesMisesEnPage) {
  MesureurQt m;
  Police courier{QStringLiteral("COURIER NEW"), 10, false, false};
  // Chasse fixe : chaque caractère a la largeur de "0", 0,6 em pour Courier New.
  EXPECT_NEAR(m.largeurcaractère(courier), 6.0, 0.05);
  EXPECT_NEAR(m.largeurtexte(courier, QStringLiteral("iiiiWWWW")), 8 * m.largeurcaractère(courier), 0.01);
  Police arial{QStringLiteral("arial"), 10, false, false};
  EXPECT_LT(m.largeurtexte(arial, QStringLiteral("iiii")), m.largeurtexte(arial, QStringLiteral("WWWW")));
}

class ImprimantePdf : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(maison.isValid());
    qputenv("HOME", maison.path().toUtf8());
    exportationsdans(maison.path());  // les Documents de Windows viennent du registre
    services().ouvrirdocument = [this](const QString& chemin) { ouverts.append(chemin); };
    services().boites = &boîtes;
  }
  void TearDown() override {
    exportationsdans({});
    services() = Services{};
  }
  QTemporaryDir maison;
  QStringList ouverts;
  BoitesScriptees boîtes;
};

TEST_F(ImprimantePdf, MemeDocumentEnPdf) {
  ImprimanteQt pdf(nomimprimantepdf);
  imprimerdocumentdessai(pdf);
  ASSERT_EQ(ouverts.size(), 1);
  const QString chemin = ouverts.first();
  EXPECT_TRUE(chemin.startsWith(maison.path() + QStringLiteral("/Exportation Evalo/Evalo ")));
  EXPECT_TRUE(QFile::exists(chemin));
  // Le professeur apprend où est le PDF, à l'écran et par son lecteur d'écran.
  EXPECT_EQ(boîtes.annonces(), QStringList{QStringLiteral("PDF enregistré (2 pages) : ") + QDir::toNativeSeparators(chemin)});

  const QString infos = sortiehôte(QStringLiteral("pdfinfo"), {chemin});
  EXPECT_TRUE(infos.contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n")))) << infos.toStdString();
  const QString page1 = sortiehôte(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-f"), QStringLiteral("1"),
                                                           QStringLiteral("-l"), QStringLiteral("1"), chemin, QStringLiteral("-")});
  EXPECT_TRUE(page1.contains(QStringLiteral("Classe de 5A"))) << page1.toStdString();
  EXPECT_TRUE(page1.contains(QStringLiteral("Dupont Élodie                 7,0 12,5 14 -2.5 fin"))) << page1.toStdString();
  EXPECT_TRUE(page1.contains(QRegularExpression(QStringLiteral("Moyennes : +11\\.3")))) << page1.toStdString();
  const QString page2 = sortiehôte(QStringLiteral("pdftotext"), {QStringLiteral("-f"), QStringLiteral("2"), QStringLiteral("-l"),
                                                           QStringLiteral("2"), chemin, QStringLiteral("-")});
  for (const char* mot : {"Tableau de la classe", "Dupont Élodie", "Durand Paul", "12.5"})
    EXPECT_TRUE(page2.contains(QString::fromUtf8(mot))) << mot << "\n" << page2.toStdString();
  EXPECT_FALSE(page2.contains(QStringLiteral("caché")));

  // Document vide : pas de fichier, et rien d'annoncé.
  pdf.NewPage();
  pdf.EndDoc();
  EXPECT_EQ(ouverts.size(), 1);
  EXPECT_EQ(boîtes.annonces().size(), 1);
}

// Le PDF suit le papier choisi (A5, 40 mm en haut) et un travail de 24
// documents n'en fait qu'un, de 24 pages.
TEST_F(ImprimantePdf, FormatEtTravailUnique) {
  ImprimanteQt pdf(nomimprimantepdf);
  FormatPage a5;
  a5.papier = QStringLiteral("A5");
  a5.largeur = 419.528;
  a5.hauteur = 595.276;
  a5.haut = 113.386;
  pdf.Format(a5);
  pdf.OuvrirTravail();
  for (int n = 1; n <= 24; ++n) {
    pdf.Print({QStringLiteral("Fiche %1").arg(n)});
    pdf.EndDoc();
  }
  pdf.FermerTravail();
  pdf.EndDoc();
  ASSERT_EQ(ouverts.size(), 1);
  const QString infos = sortiehôte(QStringLiteral("pdfinfo"), {ouverts.first()});
  EXPECT_TRUE(infos.contains(QRegularExpression(QStringLiteral("Pages:\\s+24\\n")))) << infos.toStdString();
  EXPECT_TRUE(infos.contains(QRegularExpression(QStringLiteral("Page size:\\s+4[12]\\d x 595 pts \\(A5\\)")))) << infos.toStdString();
  const QString texte = sortiehôte(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"),
                                                           QStringLiteral("-l"), QStringLiteral("1"), ouverts.first(), QStringLiteral("-")});
  const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("yMin=\"([0-9.]+)\"[^>]*>Fiche")).match(texte);
  ASSERT_TRUE(m.hasMatch()) << texte.toStdString();
  EXPECT_NEAR(m.captured(1).toDouble(), 113.4, 3.0);  // sous la marge du haut
}

// Une vraie file cups-pdf, créée par l'essai quand CUPS tourne sur la machine :
// prête, elle imprime ; refusante, arrêtée ou supprimée, le document est refusé
// avec la raison de la file.
TEST_F(ImprimantePdf, FileCupsReelle) {
  const QString ppd = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd");
  const QString file = QStringLiteral("EvaloEssai");
  const auto commande = [](const QString& programme, const QStringList& arguments) {
    return lancerhôte(programme, arguments).code == 0;
  };
  if (!commande(QStringLiteral("test"), {QStringLiteral("-f"), ppd}) || !commande(QStringLiteral("lpstat"), {QStringLiteral("-r")}) ||
      !commande(QStringLiteral("lpadmin"), {QStringLiteral("-p"), file, QStringLiteral("-E"), QStringLiteral("-v"),
                                            QStringLiteral("cups-pdf:/"), QStringLiteral("-P"), ppd}))
    GTEST_SKIP() << "CUPS et cups-pdf ne sont pas là (ou lpadmin est refusé) : l'essai sur une vraie file est sauté";
  struct Cas {
    const char* nom;
    QStringList avant;  // commande passée à la file avant d'imprimer
    const char* refus;  // vide : imprimé
  };
#ifdef Q_OS_WIN
  // Sous Wine, le spouleur de Windows remet le document à CUPS, mais ne voit que les files
  // présentes à son démarrage (scripts/windows.sh crée celle-ci avant) et ne rapporte pas
  // leur état : seul l'envoi à une file prête s'y essaie.
  const Cas cas[] = {{"prête", {}, ""}};
#else
  const Cas cas[] = {
      {"prête", {}, ""},
      {"refusante", {"cupsreject", "-r", "Maintenance", "EvaloEssai"}, "refuse les documents (Maintenance)"},
      {"de nouveau prête", {"cupsaccept", "EvaloEssai"}, ""},
      {"arrêtée", {"cupsdisable", "-r", "Toner", "EvaloEssai"}, "est arrêtée"},
      {"supprimée", {"lpadmin", "-x", "EvaloEssai"}, "n'existe plus"},
  };
#endif
  // Les travaux que CUPS a reçus pour la file, quel que soit leur état.
  const auto reçus = [&] { return sortiehôte(QStringLiteral("lpstat"), {QStringLiteral("-W"), QStringLiteral("all"), QStringLiteral("-o"), file}).count(u'\n'); };
  for (const Cas& c : cas) {
    if (!c.avant.isEmpty()) {
      ASSERT_TRUE(commande(c.avant.first(), c.avant.mid(1))) << c.nom;
    }
    const qsizetype avant = reçus();
    ImprimanteQt i(file);
    i.Print({QStringLiteral("Essai ") + QString::fromUtf8(c.nom)});
    boîtes.oublier();
    QString refus;
    try {
      i.EndDoc();
    } catch (const ErreurEvalo& e) {
      refus = e.texte();
    }
    const QString attendu = QString::fromUtf8(c.refus);
    EXPECT_TRUE(attendu.isEmpty() ? refus.isEmpty() : refus.contains(attendu)) << c.nom << " : " << refus.toStdString();
    // Imprimé : la file est dite ; refusé : rien n'est annoncé comme imprimé.
    const QStringList annoncé = attendu.isEmpty() ? QStringList{QStringLiteral("Imprimé : 1 page envoyée(s) à l'imprimante « %1 ».").arg(file)}
                                                  : QStringList{};
    EXPECT_EQ(boîtes.annonces(), annoncé) << c.nom;
    if (attendu.isEmpty()) {
      EXPECT_EQ(reçus(), avant + 1) << c.nom;  // le document est bien arrivé à CUPS
    }
  }
  commande(QStringLiteral("lpadmin"), {QStringLiteral("-x"), file});
}

TEST(ParcImprimantesQt, LImprimantePdfExisteToujours) {
  ParcImprimantesQt parc;
  EXPECT_TRUE(parc.Printers().contains(nomimprimantepdf));
  EXPECT_TRUE(parc.Printers().contains(parc.Printer().DeviceName()));
  EXPECT_TRUE(parc.choisir(nomimprimantepdf));
  EXPECT_EQ(parc.Printer().DeviceName(), nomimprimantepdf);
  EXPECT_FALSE(parc.choisir(QStringLiteral("Imprimante disparue")));
}

}  // namespace
