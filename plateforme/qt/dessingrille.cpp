#include "plateforme/qt/conversions.h"
#include "plateforme/qt/dessingrille.h"

#include <QColor>
#include <QFont>
#include <QPainter>

namespace {

}  // namespace

void dessinerimagegrille(QPainter& peintre, const ImageGrille& image, QPointF origine, double parpoint) {
  peintre.save();
  const double partwip = parpoint / 20.0;
  QFont police(QStringLiteral("Arial"));
  police.setPointSizeF(8);
  const QPen trait(QColor(128, 128, 128), 0);
  double y = origine.y();
  for (int l = 0; l < image.lignes(); ++l) {
    const double h = image.hauteurs.value(l, 240) * partwip;
    double x = origine.x();
    for (int c = 0; c < image.colonnes(); ++c) {
      const double w = image.largeurs[c] * partwip;
      if (w <= 0) continue;
      const QRectF cadre(x, y, w, h);
      const CelluleImage& cellule = image.cellules[l][c];
      const bool fixe = l < image.lignesfixes || c < image.colonnesfixes;
      QColor fond = fixe ? QColor(224, 224, 224) : Qt::white;
      if (cellule.couleurfond != sanscouleur) fond = couleurqt(cellule.couleurfond);
      peintre.fillRect(cadre, fond);
      peintre.setPen(trait);
      peintre.drawRect(cadre);
      if (!cellule.texte.isEmpty()) {
        QFont f = police;
        f.setBold(cellule.gras);
        peintre.setFont(f);
        peintre.setPen(cellule.couleurtexte == sanscouleur ? QColor(Qt::black) : couleurqt(cellule.couleurtexte));
        const double marge = 1.5 * parpoint;
        peintre.drawText(cadre.adjusted(marge, 0, -marge, 0), alignementqt(image.alignement(l, c)), cellule.texte);
      }
      x += w;
    }
    y += h;
  }
  peintre.restore();
}
