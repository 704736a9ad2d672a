#include "plateforme/qt/contraste.h"

#include <QPalette>

#include <algorithm>
#include <cmath>

namespace {

double linéaire(double composante) {
  return composante <= 0.04045 ? composante / 12.92 : std::pow((composante + 0.055) / 1.055, 2.4);
}

QColor mêlée(const QColor& a, const QColor& b, double part) {
  const auto m = [part](double x, double y) { return x + (y - x) * part; };
  return QColor::fromRgbF(static_cast<float>(m(a.redF(), b.redF())), static_cast<float>(m(a.greenF(), b.greenF())),
                          static_cast<float>(m(a.blueF(), b.blueF())));
}

}  // namespace

double luminance(const QColor& c) {
  return 0.2126 * linéaire(c.redF()) + 0.7152 * linéaire(c.greenF()) + 0.0722 * linéaire(c.blueF());
}

double contraste(const QColor& a, const QColor& b) {
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor couleurlisible(const QColor& voulue, const QColor& fond) {
  if (contraste(voulue, fond) >= contrasteminimal) return voulue;
  // Vers le noir sur un fond clair, vers le blanc sur un fond sombre : la teinte
  // reste reconnaissable tant que le contraste le permet.
  const QColor extrême = luminance(fond) > 0.18 ? QColor(Qt::black) : QColor(Qt::white);
  for (int pas = 1; pas <= 20; ++pas) {
    const QColor c = mêlée(voulue, extrême, pas / 20.0);
    if (contraste(c, fond) >= contrasteminimal) return c;
  }
  return extrême;
}

CouleursSélection couleursdelasélection(const QPalette& palette) {
  CouleursSélection c{palette.color(QPalette::Highlight), palette.color(QPalette::HighlightedText), {}};
  const bool textelumineux = luminance(c.texte) > 0.5;
  const QColor rougevoulu = textelumineux ? QColor(255, 150, 150) : QColor(170, 0, 0);
  const auto lisible = [&] {
    c.rouge = couleurlisible(rougevoulu, c.fond);
    return contraste(c.texte, c.fond) >= contrasteminimal && contraste(c.rouge, c.fond) >= contrasteminimal &&
           c.rouge.red() > c.rouge.blue() + 60;  // encore rouge, pas rose pâle
  };
  for (int i = 0; i < 40 && !lisible(); ++i) c.fond = textelumineux ? c.fond.darker(112) : c.fond.lighter(112);
  if (!lisible()) {  // un surlignage noir à éclaircir, blanc à assombrir : le fond extrême
    c.fond = textelumineux ? QColor(Qt::black) : QColor(Qt::white);
    lisible();
  }
  return c;
}
