#include "noyau/sorties/presentation.h"

#include <cmath>

#include "plateforme/couleurs.h"
#include "plateforme/nombres.h"

bool absence(const QString& t) {
  return t == QStringLiteral("A") || t == QStringLiteral("NC") || sansblancs(t) == QStringLiteral("?");
}

QString présenternote(const QString& texte) {
  if (texte.contains(u'/')) return texte.trimmed();
  if (sansblancs(texte).isEmpty()) return QString();  // pas encore tapée : rien, jamais 0
  const QString t = sansblancs(texte) == QStringLiteral(".5") ? QStringLiteral("0.5") : texte;
  if (t == QStringLiteral("?") || t == QStringLiteral("AI") || t == QStringLiteral("A") || t == QStringLiteral("NC")) return t;
  const double v = val(t);
  return v == std::floor(v) ? t + QStringLiteral(".0") : t;
}

int couleurdenote(const QString& texte, double maximum) {
  const qsizetype barre = texte.indexOf(u'/');
  const double v = val(barre < 0 ? QStringView(texte) : QStringView(texte).left(barre));
  if (v < maximum / 2 && !absence(texte)) return rouge;
  return absence(texte) ? bleu : noir;
}
