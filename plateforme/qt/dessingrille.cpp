#include "plateforme/qt/conversions.h"
#include "plateforme/qt/dessingrille.h"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QPainter>
#include <QGlyphRun>
#include <QTextLayout>
#include <vector>

namespace {

// Les textes d'une grille se répètent (maxima, dates, "A") : chacun n'est mis en
// forme qu'une fois par police et par dessin, puis posé par ses glyphes.
struct TextePosé {
  QList<QGlyphRun> glyphes;
  QSizeF taille;
};

// Gardés d'un dessin à l'autre : les fiches d'une classe répètent les mêmes textes.
class TextesPosés {
public:
  const TextePosé& texte(const QString& t, const QFont& police, QPaintDevice* appareil) {
    const QString clé = QString::number(appareil->logicalDpiX()) + (police.bold() ? u'G' : u'N') + t;
    auto trouvé = posés_.find(clé);
    if (trouvé != posés_.end()) return *trouvé;
    if (posés_.size() > 50000) posés_.clear();
    QTextLayout miseenforme(t, police, appareil);
    miseenforme.beginLayout();
    QTextLine ligne = miseenforme.createLine();
    miseenforme.endLayout();
    return *posés_.insert(clé, TextePosé{miseenforme.glyphRuns(), QSizeF(ligne.naturalTextWidth(), ligne.height())});
  }

private:
  QHash<QString, TextePosé> posés_;
};

QPointF placetexte(const QRectF& cadre, const QSizeF& taille, Qt::Alignment a) {
  double x = cadre.left();
  if (a & Qt::AlignRight) x = cadre.right() - taille.width();
  else if (a & Qt::AlignHCenter) x = cadre.left() + (cadre.width() - taille.width()) / 2;
  return {x, cadre.top() + (cadre.height() - taille.height()) / 2};
}

}  // namespace

void dessinerimagegrille(QPainter& peintre, const ImageGrille& image, QPointF origine, double parpoint) {
  peintre.save();
  const double partwip = parpoint / 20.0;
  QFont police(QStringLiteral("Arial"));
  police.setPointSizeF(8);
  QFont grasse = police;
  grasse.setBold(true);
  std::vector<double> xs{origine.x()}, ys{origine.y()};
  std::vector<int> colonnes;
  for (int c = 0; c < image.colonnes(); ++c)
    if (image.largeurs[c] > 0) {
      colonnes.push_back(c);
      xs.push_back(xs.back() + image.largeurs[c] * partwip);
    }
  for (int l = 0; l < image.lignes(); ++l) ys.push_back(ys.back() + image.hauteurs.value(l, 240) * partwip);
  // Les fonds d'abord (le blanc ne se peint pas), puis tout le quadrillage d'un trait.
  for (int l = 0; l < image.lignes(); ++l)
    for (std::size_t k = 0; k < colonnes.size(); ++k) {
      const int c = colonnes[k];
      const CelluleImage& cellule = image.cellules[l][c];
      const bool fixe = l < image.lignesfixes || c < image.colonnesfixes;
      QColor fond = fixe ? QColor(224, 224, 224) : QColor(Qt::white);
      if (cellule.couleurfond != sanscouleur) fond = couleurqt(cellule.couleurfond);
      if (fond != QColor(Qt::white)) peintre.fillRect(QRectF(xs[k], ys[l], xs[k + 1] - xs[k], ys[l + 1] - ys[l]), fond);
    }
  peintre.setPen(QPen(QColor(128, 128, 128), 0));
  QList<QLineF> traits;
  for (double y : ys) traits << QLineF(xs.front(), y, xs.back(), y);
  for (double x : xs) traits << QLineF(x, ys.front(), x, ys.back());
  peintre.drawLines(traits);
  static TextesPosés posés;
  const double marge = 1.5 * parpoint;
  for (int l = 0; l < image.lignes(); ++l)
    for (std::size_t k = 0; k < colonnes.size(); ++k) {
      const int c = colonnes[k];
      const CelluleImage& cellule = image.cellules[l][c];
      if (cellule.texte.isEmpty()) continue;
      peintre.setPen(cellule.couleurtexte == sanscouleur ? QColor(Qt::black) : couleurqt(cellule.couleurtexte));
      // Sur une impression en noir et blanc aussi, une note rouge se distingue : en gras.
      const bool épais = cellule.gras || cellule.couleurtexte == rouge;
      const TextePosé& t = posés.texte(cellule.texte, épais ? grasse : police, peintre.device());
      const QRectF cadre = QRectF(xs[k], ys[l], xs[k + 1] - xs[k], ys[l + 1] - ys[l]).adjusted(marge, 0, -marge, 0);
      const QPointF coin = placetexte(cadre, t.taille, alignementqt(image.alignement(l, c)));
      for (const QGlyphRun& g : t.glyphes) peintre.drawGlyphRun(coin, g);
    }
  peintre.restore();
}
