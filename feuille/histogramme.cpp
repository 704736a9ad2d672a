#include "feuille/histogramme.h"

#include <QResizeEvent>

Histogramme::Histogramme(QWidget* parent) : VueFigure(parent) {
  setMinimumSize(200, 100);
  setAccessibleName(QStringLiteral("Répartition des notes"));
  setToolTip(QStringLiteral("Répartition des notes comptées, par dixième du maximum (les échecs hachurés), avec la "
                            "moyenne (trait plein) et la médiane (pointillés)."));
}

void Histogramme::répartition(const RépartitionGraphique& r) {
  répartition_ = r;
  refaire();
}

// La figure suit la taille du contrôle, en points : des textes toujours à leur taille.
void Histogramme::refaire() {
  const double parpoint = logicalDpiX() / 72.0;
  figure(figurehistogramme(répartition_, std::max(150, width()) / parpoint, std::max(100, height()) / parpoint));
}

void Histogramme::resizeEvent(QResizeEvent* e) {
  VueFigure::resizeEvent(e);
  refaire();
}
