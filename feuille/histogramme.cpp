#include "feuille/histogramme.h"

#include <QPainter>
#include <algorithm>

Histogramme::Histogramme(QWidget* parent) : QWidget(parent) {
  setMinimumSize(160, 70);
  setToolTip(QStringLiteral("Répartition des notes comptées, par dixième du maximum (les échecs en rouge)."));
}

void Histogramme::répartition(const std::array<int, 10>& nombres) {
  nombres_ = nombres;
  update();
}

void Histogramme::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing, false);
  const QRectF zone = QRectF(rect()).adjusted(2, 2, -2, -14);
  p.setPen(palette().color(QPalette::Mid));
  p.drawLine(zone.bottomLeft(), zone.bottomRight());
  const int plus = std::max(1, *std::max_element(nombres_.begin(), nombres_.end()));
  const double largeur = zone.width() / 10;
  for (int d = 0; d < 10; ++d) {
    const double hauteur = zone.height() * nombres_[static_cast<std::size_t>(d)] / plus;
    const QRectF barre(zone.left() + d * largeur + 1, zone.bottom() - hauteur, largeur - 2, hauteur);
    p.fillRect(barre, d < 5 ? QColor(220, 60, 60) : QColor(70, 110, 200));
    if (nombres_[static_cast<std::size_t>(d)] > 0) {
      p.setPen(palette().color(QPalette::Text));
      p.drawText(QRectF(barre.left(), zone.bottom(), barre.width(), 13), Qt::AlignCenter,
                 QString::number(nombres_[static_cast<std::size_t>(d)]));
    }
  }
}
