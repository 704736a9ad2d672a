#include "plateforme/qt/dessinfigure.h"

#include <QFont>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>

#include "plateforme/qt/conversions.h"

namespace {

// Des hachures en points (et non le motif du pinceau, en pixels du périphérique) :
// le même aspect à l'écran et sur le papier.
void hachurer(QPainter& peintre, const QRectF& zone, const QColor& couleur) {
  constexpr double pas = 3.5;
  peintre.save();
  peintre.setClipRect(zone, Qt::IntersectClip);
  peintre.setPen(QPen(couleur, 0.5));
  for (double d = -zone.height(); d < zone.width(); d += pas)
    peintre.drawLine(QPointF(zone.left() + d, zone.bottom()), QPointF(zone.left() + d + zone.height(), zone.top()));
  peintre.restore();
}

}  // namespace

void dessinerfigure(QPainter& peintre, const Figure& figure, QPointF origine, double parpoint) {
  peintre.save();
  peintre.setRenderHint(QPainter::Antialiasing);
  peintre.translate(origine * parpoint);
  peintre.scale(parpoint, parpoint);
  for (const TraitFigure& t : figure.traits) {
    QPen plume(couleurqt(t.couleur), t.épaisseur);
    if (t.pointillé) plume.setStyle(Qt::DashLine);
    switch (t.genre) {
      case TraitFigure::Genre::Ligne:
        peintre.setPen(plume);
        peintre.drawLine(t.zone.topLeft(), t.zone.bottomRight());
        break;
      case TraitFigure::Genre::Rectangle:
        peintre.setPen(plume);
        if (t.fond != sanscouleur) peintre.fillRect(t.zone, couleurqt(t.fond));
        if (t.hachuré) hachurer(peintre, t.zone, couleurqt(t.couleur));
        peintre.setPen(plume);
        peintre.drawRect(t.zone);
        break;
      case TraitFigure::Genre::Texte: {
        QFont police(QStringLiteral("Liberation Sans"));
        // Taille en points de la figure : le peintre est déjà à l'échelle des points.
        police.setPointSizeF(t.taille * 72.0 / peintre.device()->logicalDpiY());
        police.setBold(t.gras);
        peintre.setFont(police);
        peintre.setPen(couleurqt(t.couleur));
        peintre.drawText(t.zone, static_cast<int>(alignementqt(t.alignement)) | Qt::TextDontClip, t.texte);
        break;
      }
    }
  }
  peintre.restore();
}
