#include <gtest/gtest.h>

#include "tests/outils/impressionqt.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

#include "plateforme/qt/contraste.h"
#include "plateforme/qt/grille.h"

namespace {

// Grille de feuille de cotes : 3 lignes et 1 colonne fixes.
class GrilleEssai : public ::testing::Test {
protected:
  void SetUp() override {
    testeur = std::make_unique<QAbstractItemModelTester>(const_cast<ModeleGrille*>(&g.modèle()),
                                                         QAbstractItemModelTester::FailureReportingMode::Fatal);
    g.Rows(1);
    g.Cols(1);
    g.Rows(33);
    g.Cols(12);
    g.FixedRows(3);
    g.FixedCols(1);
    for (int c = 0; c < 12; ++c) g.ColWidth(c, c == 1 ? 2800 : 1000);
    for (int l = 0; l < 33; ++l)
      for (int c = 0; c < 12; ++c) {
        g.Row(l);
        g.Col(c);
        g.Text(QStringLiteral("%1,%2").arg(l).arg(c));
      }
    g.Width(9000);
    g.Height(4000);
    g.show();
    QApplication::processEvents();
  }
  QString texte(int l, int c) {
    g.Row(l);
    g.Col(c);
    return g.Text();
  }
  QPoint centre(QTableView* vue, int l, int c) { return vue->visualRect(g.modèle().index(l, c)).center(); }

  Grille g;
  std::unique_ptr<QAbstractItemModelTester> testeur;
};

TEST_F(GrilleEssai, CelluleCouranteTexteEtDimensions) {
  EXPECT_EQ(texte(5, 3), QStringLiteral("5,3"));
  g.Rows(10);
  g.Cols(4);
  EXPECT_EQ(texte(9, 3), QStringLiteral("9,3"));  // ce qui reste garde son texte
  g.Rows(12);
  EXPECT_EQ(texte(11, 3), QString());
  g.Rows(1);
  g.Cols(1);
  g.Rows(5);
  g.Cols(5);
  EXPECT_EQ(texte(0, 0), QString());  // réduite à une cellule, la grille se vide
  g.Row(99);
  EXPECT_EQ(g.Row(), 4);
}

TEST_F(GrilleEssai, ProprietesDesCellules) {
  g.Row(4);
  g.Col(2);
  g.CellForeColor(rouge);
  g.CellBackColor(jaune);
  g.CellFontBold(true);
  g.ColAlignment(2, alignementdroite);
  g.FixedAlignment(2, alignementcentre);
  g.Visible(true);
  const QModelIndex i = g.modèle().index(4, 2);
  // Sur le jaune, le rouge pur (2,3:1) est assombri jusqu'à être lisible.
  const QColor avant = i.data(Qt::ForegroundRole).value<QColor>();
  EXPECT_GE(contraste(avant, QColor(255, 255, 0)), contrasteminimal);
  EXPECT_GT(avant.red(), 2 * std::max(avant.green(), avant.blue()));
  EXPECT_EQ(i.data(Qt::BackgroundRole).value<QColor>(), QColor(255, 255, 0));
  EXPECT_TRUE(i.data(Qt::FontRole).value<QFont>().bold());
  EXPECT_EQ(i.data(Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::AlignRight | Qt::AlignVCenter);
  EXPECT_EQ(g.modèle().index(0, 2).data(Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::AlignCenter);
  EXPECT_TRUE(g.modèle().index(0, 5).data(Qt::BackgroundRole).isValid());  // cellule fixe grisée
  EXPECT_FALSE(g.modèle().index(5, 5).data(Qt::BackgroundRole).isValid());

  // Réglage général : texte à gauche, nombre à droite.
  g.Row(6);
  g.Col(7);
  g.Text(QStringLiteral("12.5"));
  EXPECT_EQ(g.modèle().index(6, 7).data(Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::AlignRight | Qt::AlignVCenter);
  g.Text(QStringLiteral("Dupont"));
  EXPECT_EQ(g.modèle().index(6, 7).data(Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::AlignLeft | Qt::AlignVCenter);

  g.ColWidth(3, 0);
  EXPECT_TRUE(g.isColumnHidden(3));
  g.ColWidth(3, 600);
  EXPECT_FALSE(g.isColumnHidden(3));
  EXPECT_EQ(g.columnWidth(3), 600 * g.logicalDpiX() / 1440);
}

QPalette palette(const QColor& base, const QColor& texte, const QColor& bouton, const QColor& surlignage = QColor(48, 140, 198),
                 const QColor& textesurligné = QColor(232, 244, 252)) {
  QPalette p;
  p.setColor(QPalette::Highlight, surlignage);
  p.setColor(QPalette::HighlightedText, textesurligné);
  p.setColor(QPalette::Base, base);
  p.setColor(QPalette::Window, base);
  p.setColor(QPalette::Text, texte);
  p.setColor(QPalette::WindowText, texte);
  p.setColor(QPalette::Button, bouton);
  p.setColor(QPalette::ButtonText, texte);
  return p;
}

// Rouge, bleu, noir et sans couleur, dans une case ordinaire et une case fixe :
// un contraste d'au moins 4,5:1 sur son fond dans chaque thème, le rouge en gras,
// et le rouge reste plus rouge que bleu, le bleu plus bleu que rouge.
TEST_F(GrilleEssai, ContrasteDesCouleursDansChaqueTheme) {
  const QPalette avant = QGuiApplication::palette();
  const QList<QPair<const char*, QPalette>> thèmes{
      {"clair", palette(Qt::white, Qt::black, QColor(239, 239, 239))},
      {"sombre", palette(QColor(30, 30, 30), QColor(230, 230, 230), QColor(53, 53, 53))},
      {"contraste élevé noir", palette(Qt::black, Qt::white, Qt::black)},
      {"contraste élevé blanc", palette(Qt::white, Qt::black, Qt::white)}};
  const QList<int> couleurs{rouge, bleu, noir, sanscouleur};
  for (const auto& [nom, thème] : thèmes) {
    QGuiApplication::setPalette(thème);
    for (const int couleur : couleurs)
      for (const int ligne : {0, 5}) {  // fixe, puis ordinaire
        SCOPED_TRACE(std::string(nom) + " couleur " + std::to_string(couleur) + " ligne " + std::to_string(ligne));
        g.Row(ligne);
        g.Col(4);
        g.CellForeColor(couleur);
        const QModelIndex i = g.modèle().index(ligne, 4);
        const QVariant fond = i.data(Qt::BackgroundRole);
        const QColor vu = fond.isValid() ? fond.value<QColor>() : thème.color(QPalette::Base);
        const QColor texte = i.data(Qt::ForegroundRole).value<QColor>();
        EXPECT_GE(contraste(texte, vu), contrasteminimal) << texte.name().toStdString() << " sur " << vu.name().toStdString();
        EXPECT_EQ(i.data(Qt::FontRole).value<QFont>().bold(), couleur == rouge);
        if (couleur == rouge) {
          EXPECT_GT(texte.red(), texte.blue());
        } else if (couleur == bleu) {
          EXPECT_GT(texte.blue(), texte.red());
        }
      }
  }
  QGuiApplication::setPalette(avant);
}

// La police de la grille suit celle du bureau (8 points pour ses 9 ordinaires), et
// ses lignes grandissent avec elle : aucun texte coupé.
TEST(GrillePolice, SuitLaTailleDuBureau) {
  const QFont avant = QApplication::font();
  for (const auto& [bureau, attendue] : {std::pair{9.0, 8.0}, {6.0, 8.0}, {18.0, 16.0}}) {
    QFont f = avant;
    f.setPointSizeF(bureau);
    QApplication::setFont(f);
    Grille g;
    EXPECT_DOUBLE_EQ(g.font().pointSizeF(), attendue) << bureau;
    EXPECT_GE(g.verticalHeader()->defaultSectionSize(), QFontMetrics(g.font()).height() + 4) << bureau;
  }
  QApplication::setFont(avant);
}

// Les vrais titres de la grille sont ses en-têtes : les cases fixes d'une colonne,
// d'une ligne, ou ce qu'en dit la fenêtre.
TEST_F(GrilleEssai, EnTetesPourLesLecteursDEcran) {
  const auto entête = [this](Qt::Orientation o, int section, int rôle = Qt::AccessibleTextRole) {
    return g.modèle().headerData(section, o, rôle).toString();
  };
  EXPECT_EQ(entête(Qt::Horizontal, 4), QStringLiteral("0,4 1,4 2,4"));
  EXPECT_EQ(entête(Qt::Vertical, 7), QStringLiteral("7,0"));
  g.EntêteAccessible([](Qt::Orientation o, int section) {
    return o == Qt::Horizontal && section == 4
               ? ModeleGrille::TexteEntête{QStringLiteral("interro n°4"), QStringLiteral("sur 20")}
               : ModeleGrille::TexteEntête{};
  });
  EXPECT_EQ(entête(Qt::Horizontal, 4), QStringLiteral("interro n°4"));
  EXPECT_EQ(entête(Qt::Horizontal, 4, Qt::AccessibleDescriptionRole), QStringLiteral("sur 20"));
  EXPECT_EQ(entête(Qt::Horizontal, 5), QStringLiteral("0,5 1,5 2,5"));
  EXPECT_EQ(entête(Qt::Horizontal, 99), QString());
}

// L'éditeur de la saisie rapide porte le nom de sa case, pour un lecteur d'écran.
TEST_F(GrilleEssai, LEditeurPorteLeNomDeSaCase) {
  g.TexteAccessible([](int l, int c) { return QStringLiteral("élève %1, interro n°%2 : 14 sur 20").arg(l).arg(c); });
  g.Row(5);
  g.Col(4);
  g.éditer(QStringLiteral("1"));
  const QLineEdit* éditeur = g.findChild<QLineEdit*>(QStringLiteral("éditeur"));
  ASSERT_TRUE(éditeur);
  EXPECT_EQ(éditeur->accessibleName(), QStringLiteral("élève 5, interro n°4 : 14 sur 20"));
  EXPECT_FALSE(éditeur->accessibleDescription().isEmpty());
}

TEST_F(GrilleEssai, ImageDeLaGrille) {
  g.Row(3);
  g.Col(1);
  g.CellForeColor(bleu);
  g.CellFontBold(true);
  g.ColWidth(4, 0);
  g.ColAlignment(2, alignementcentre);
  const ImageGrille image = g.Picture();
  EXPECT_EQ(image.lignes(), 33);
  EXPECT_EQ(image.colonnes(), 12);
  EXPECT_EQ(image.lignesfixes, 3);
  EXPECT_EQ(image.colonnesfixes, 1);
  EXPECT_EQ(image.largeurs[1], 2800);
  EXPECT_EQ(image.largeurs[4], 0);
  EXPECT_EQ(image.cellules[3][1].texte, QStringLiteral("3,1"));
  EXPECT_EQ(image.cellules[3][1].couleurtexte, bleu);
  EXPECT_TRUE(image.cellules[3][1].gras);
  EXPECT_EQ(image.alignement(5, 2), alignementcentre);
  EXPECT_EQ(image.hauteurtotale(), 33 * 240);
}

TEST_F(GrilleEssai, ClicDeplaceLaCelluleAvantLeGestionnaire) {
  QList<std::pair<int, int>> vus;
  QList<int> boutons;
  int doubles = 0;
  g.Click = [&] { vus.append({g.Row(), g.Col()}); };
  g.MouseDown = [&](int bouton, int, double, double) { boutons.append(bouton); };
  g.DblClick = [&] { ++doubles; };
  QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, centre(&g, 5, 2));
  QTest::mouseClick(g.viewport(), Qt::RightButton, {}, centre(&g, 6, 3));
  QTest::mouseDClick(g.viewport(), Qt::LeftButton, {}, centre(&g, 7, 4));
  ASSERT_GE(vus.size(), 1);
  EXPECT_EQ(vus.first(), std::make_pair(5, 2));
  EXPECT_EQ(boutons.mid(0, 2), (QList<int>{1, 2}));
  EXPECT_EQ(doubles, 1);
  EXPECT_EQ(g.Row(), 7);
  EXPECT_EQ(g.Col(), 4);

  // Un clic sur l'en-tête figé rend la cellule fixe courante.
  QTableView* haut = g.findChild<QTableView*>(QStringLiteral("lignesfigées"));
  ASSERT_TRUE(haut);
  QTest::mouseClick(haut->viewport(), Qt::LeftButton, {}, centre(haut, 1, 3));
  EXPECT_EQ(vus.last(), std::make_pair(1, 3));
}

TEST_F(GrilleEssai, CodesDesTouches) {
  const std::tuple<int, Qt::KeyboardModifiers, int> cas[] = {
      {Qt::Key_Return, Qt::NoModifier, 13},    {Qt::Key_Enter, Qt::KeypadModifier, 13},
      {Qt::Key_Space, Qt::NoModifier, 32},     {Qt::Key_Delete, Qt::NoModifier, 46},
      {Qt::Key_Plus, Qt::KeypadModifier, 107}, {Qt::Key_Plus, Qt::NoModifier, 187},
      {Qt::Key_Minus, Qt::KeypadModifier, 109}, {Qt::Key_Minus, Qt::NoModifier, 189},
      {Qt::Key_A, Qt::NoModifier, 65},         {Qt::Key_F2, Qt::NoModifier, 113},
  };
  for (const auto& [touche, mod, code] : cas) {
    const QKeyEvent e(QEvent::KeyPress, touche, mod);
    EXPECT_EQ(Grille::codetouche(e), code) << touche;
  }
  EXPECT_EQ(Grille::étatmaj(Qt::ShiftModifier | Qt::ControlModifier), 3);
}

TEST_F(GrilleEssai, FlechesDeplacentPuisKeyDown) {
  QList<std::tuple<int, int, int, int>> vus;  // code, shift, ligne, colonne
  int changements = 0;
  g.KeyDown = [&](int code, int shift) { vus.append({code, shift, g.Row(), g.Col()}); };
  g.RowColChange = [&] { ++changements; };
  g.Row(3);
  g.Col(1);
  QTest::keyClick(&g, Qt::Key_Down);
  QTest::keyClick(&g, Qt::Key_Right, Qt::ShiftModifier);
  QTest::keyClick(&g, Qt::Key_Up);
  QTest::keyClick(&g, Qt::Key_Up);  // ne monte pas dans les lignes fixes
  QTest::keyClick(&g, Qt::Key_Left);
  QTest::keyClick(&g, Qt::Key_Left);  // ni dans la colonne fixe
  QTest::keyClick(&g, Qt::Key_Return);
  const QList<std::tuple<int, int, int, int>> attendu{{40, 0, 4, 1}, {39, 1, 4, 2}, {38, 0, 3, 2}, {38, 0, 3, 2},
                                                      {37, 0, 3, 1}, {37, 0, 3, 1}, {13, 0, 3, 1}};
  EXPECT_EQ(vus, attendu);
  EXPECT_EQ(changements, 4);
}

// Tab hors de l'éditeur passe à la case suivante de la ligne, Maj+Tab à la précédente
// (jamais dans la colonne fixe) ; au bout de la ligne, le focus quitte la grille.
TEST_F(GrilleEssai, TabDeCaseEnCasePuisHorsDeLaGrille) {
  QList<int> codes;
  g.KeyDown = [&](int code, int) { codes.append(code); };
  g.Row(3);
  g.Col(10);
  QTest::keyClick(&g, Qt::Key_Tab);
  EXPECT_EQ(g.Col(), 11);
  QTest::keyClick(&g, Qt::Key_Backtab, Qt::ShiftModifier);
  QTest::keyClick(&g, Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(g.Col(), 9);
  g.Col(1);
  QTest::keyClick(&g, Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(g.Col(), 1);  // la colonne fixe n'est pas une case où aller
  EXPECT_TRUE(codes.isEmpty());  // Tab n'est pas une commande de la feuille

  // Au bout de la ligne, le focus passe à la commande suivante de la fenêtre.
  QWidget fenêtre;
  auto* grille = new Grille(&fenêtre);
  grille->Rows(2);
  grille->Cols(3);
  auto* après = new QLineEdit(&fenêtre);
  fenêtre.show();
  fenêtre.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&fenêtre));
  grille->setFocus();
  grille->Row(1);
  grille->Col(2);
  QTest::keyClick(grille, Qt::Key_Tab);
  EXPECT_EQ(grille->Col(), 2);
  EXPECT_TRUE(après->hasFocus());
}

TEST_F(GrilleEssai, LesEnTetesRestentEnPlaceQuandLeResteDefile) {
  g.verticalScrollBar()->setValue(g.verticalScrollBar()->maximum());
  g.horizontalScrollBar()->setValue(g.horizontalScrollBar()->maximum());
  QApplication::processEvents();
  QTableView* haut = g.findChild<QTableView*>(QStringLiteral("lignesfigées"));
  QTableView* gauche = g.findChild<QTableView*>(QStringLiteral("colonnesfigées"));
  QTableView* coin = g.findChild<QTableView*>(QStringLiteral("coinfigé"));
  ASSERT_TRUE(haut && gauche && coin);
  EXPECT_TRUE(haut->isVisible() && gauche->isVisible() && coin->isVisible());
  // Le haut montre toujours les lignes 0 à 2, la gauche la colonne 0, alignées sur ce qui défile.
  ASSERT_GT(g.horizontalScrollBar()->value(), 0);
  const int x = g.viewport()->width() - 5;
  EXPECT_EQ(haut->indexAt(QPoint(x, 2)).row(), 0);
  EXPECT_EQ(haut->indexAt(QPoint(x, haut->height() - 2)).row(), 2);
  EXPECT_EQ(haut->indexAt(QPoint(x, 2)).column(), g.indexAt(QPoint(x, 2)).column());
  EXPECT_EQ(haut->indexAt(QPoint(x, 2)).column(), 11);
  EXPECT_EQ(gauche->indexAt(QPoint(2, gauche->height() - 5)).column(), 0);
  EXPECT_EQ(gauche->indexAt(QPoint(2, gauche->height() - 5)).row(), g.indexAt(QPoint(2, g.viewport()->height() - 5)).row());
  EXPECT_EQ(coin->indexAt(QPoint(2, 2)), g.modèle().index(0, 0));
  EXPECT_GT(g.verticalScrollBar()->value(), 0);

  // Une cellule atteinte au clavier ne reste pas sous les lignes figées.
  g.Row(3);
  g.Col(2);
  g.scrollTo(g.modèle().index(3, 2));
  EXPECT_GE(g.rowViewportPosition(3), haut->height());
}

}  // namespace

// La case courante : son texte et un résultat rouge y ont 4,5:1 au moins dans chaque
// thème (le surlignage de Fusion, un surlignage clair, noir, blanc), le rouge y reste
// plus rouge que bleu et se distingue du texte ordinaire ; dessinée par la grille.
TEST_F(GrilleEssai, ContrasteDeLaCaseCouranteDansChaqueTheme) {
  const QList<QPair<const char*, QPalette>> thèmes{
      {"Fusion clair", palette(Qt::white, Qt::black, QColor(239, 239, 239))},
      {"surlignage clair, texte noir", palette(Qt::white, Qt::black, Qt::white, QColor(173, 216, 230), Qt::black)},
      {"sombre", palette(QColor(30, 30, 30), QColor(230, 230, 230), QColor(53, 53, 53), QColor(42, 130, 218), Qt::white)},
      {"contraste élevé noir", palette(Qt::black, Qt::white, Qt::black, QColor(0, 255, 255), Qt::black)},
      {"contraste élevé blanc", palette(Qt::white, Qt::black, Qt::white, Qt::black, Qt::white)},
      {"surlignage jaune, texte blanc", palette(Qt::white, Qt::black, Qt::white, Qt::yellow, Qt::white)}};
  for (const auto& [nom, thème] : thèmes) {
    SCOPED_TRACE(nom);
    const CouleursSélection c = couleursdelasélection(thème);
    EXPECT_GE(contraste(c.texte, c.fond), contrasteminimal) << c.texte.name().toStdString() << " sur " << c.fond.name().toStdString();
    EXPECT_GE(contraste(c.rouge, c.fond), contrasteminimal) << c.rouge.name().toStdString() << " sur " << c.fond.name().toStdString();
    EXPECT_GT(c.rouge.red(), c.rouge.blue() + 60);
    EXPECT_NE(c.rouge, c.texte);
  }
  // La grille dessine bien la case courante ainsi : l'image de la case rouge courante
  // a le fond et le rouge calculés.
  QGuiApplication::setPalette(thèmes[0].second);
  g.Row(5);
  g.Col(4);
  g.Text(QStringLiteral("4.5"));
  g.CellForeColor(rouge);
  g.resize(900, 400);
  g.show();
  QApplication::processEvents();
  const QImage image = g.viewport()->grab().toImage();
  const QRect r = g.visualRect(g.modèle().index(5, 4));
  const CouleursSélection c = couleursdelasélection(thèmes[0].second);
  const auto proche = [](const QColor& a, const QColor& b, int écart) {
    return std::abs(a.red() - b.red()) <= écart && std::abs(a.green() - b.green()) <= écart && std::abs(a.blue() - b.blue()) <= écart;
  };
  const QColor fondvu = image.pixelColor(r.left() + 2, r.center().y());
  EXPECT_TRUE(proche(fondvu, c.fond, 6)) << fondvu.name().toStdString() << " au lieu de " << c.fond.name().toStdString();
  // Les lettres, lissées sur le fond bleu, y tirent vers le rouge (un texte blanc n'y
  // donnerait que des bleus plus clairs).
  bool rougevu = false;
  for (int x = r.left(); x <= r.right(); ++x)
    for (int y = r.top(); y <= r.bottom(); ++y) rougevu = rougevu || image.pixelColor(x, y).red() > image.pixelColor(x, y).blue() + 15;
  EXPECT_TRUE(rougevu) << [&] {
    std::string vus;
    for (int x = r.left(); x <= r.right(); x += 2) vus += image.pixelColor(x, r.center().y()).name().toStdString() + ' ';
    return vus + " cherché " + c.rouge.name().toStdString();
  }();
  QGuiApplication::setPalette(QPalette());
}
