#include "plateforme/qt/vuefigure.h"

#include <QAccessibleWidget>
#include <QPainter>
#include <algorithm>

#include "plateforme/qt/dessinfigure.h"

namespace {

// Pour un lecteur d'écran, une figure est une image, décrite en mots.
QAccessibleInterface* accessibledefigure(const QString&, QObject* objet) {
  auto* vue = dynamic_cast<VueFigure*>(objet);
  return vue ? new QAccessibleWidget(vue, QAccessible::Graphic) : nullptr;
}

}  // namespace

VueFigure::VueFigure(QWidget* parent) : QWidget(parent) {
  static const bool installée = (QAccessible::installFactory(accessibledefigure), true);
  (void)installée;
  setAttribute(Qt::WA_OpaquePaintEvent, false);
  setAccessibleName(QStringLiteral("Graphique"));
}

void VueFigure::figure(Figure f) {
  if (f.description != figure_.description) setAccessibleDescription(f.description);
  figure_ = std::move(f);
  updateGeometry();
  update();
}

QSize VueFigure::sizeHint() const {
  return QSize(static_cast<int>(figure_.largeur * 1.3), static_cast<int>(figure_.hauteur * 1.3));
}

void VueFigure::paintEvent(QPaintEvent*) {
  if (figure_.largeur <= 0 || figure_.hauteur <= 0) return;
  QPainter peintre(this);
  peintre.fillRect(rect(), Qt::white);
  const double échelle = std::min((width() - 4) / figure_.largeur, (height() - 4) / figure_.hauteur);
  const QPointF origine((width() - figure_.largeur * échelle) / 2 / échelle, 2 / échelle);
  dessinerfigure(peintre, figure_, origine, échelle);
}
