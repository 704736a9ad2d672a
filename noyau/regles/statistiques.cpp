#include "noyau/regles/statistiques.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "plateforme/nombres.h"

namespace {

bool comptée(const QString& note) {
  const QString n = sansblancs(note);
  return !n.isEmpty() && n != u"A" && n != u"NC" && n != u"?";
}

QString virgule(double v) { return formatvirgule(v, u"##0.0#"); }

}  // namespace

StatistiquesTest statistiquestest(const QStringList& notes, int maximum) {
  StatistiquesTest s;
  std::vector<double> v;
  for (const QString& n : notes)
    if (comptée(n)) v.push_back(val(n));
  s.comptées = static_cast<int>(v.size());
  if (v.empty()) return s;
  std::sort(v.begin(), v.end());
  const std::size_t m = v.size() / 2;
  s.médiane = v.size() % 2 ? v[m] : (v[m - 1] + v[m]) / 2;
  s.moinsbonne = v.front();
  s.meilleure = v.back();
  double somme = 0;
  for (double x : v) somme += x;
  s.moyenne = somme / s.comptées;
  double carrés = 0;
  for (double x : v) {
    carrés += (x - s.moyenne) * (x - s.moyenne);
    if (x < maximum / 2.0) ++s.échecs;
    const int dixième = maximum > 0 ? static_cast<int>(std::floor(x * 10 / maximum)) : 0;
    ++s.répartition[static_cast<std::size_t>(std::clamp(dixième, 0, 9))];
  }
  s.écarttype = std::sqrt(carrés / s.comptées);
  return s;
}

QString textestatistiques(const StatistiquesTest& s, int maximum) {
  if (s.comptées == 0) return QStringLiteral("Aucune note comptée.");
  QStringList barres;
  for (std::size_t d = 0; d < s.répartition.size(); ++d)
    barres << QStringLiteral("%1 à %2 : %3").arg(virgule(maximum * d / 10.0), virgule(maximum * (d + 1) / 10.0)).arg(s.répartition[d]);
  return QStringLiteral("Notes comptées : %1\nMoyenne : %2 / %3\nMédiane : %4\nÉcart type : %5\nMeilleure : %6, moins bonne : %7\n"
                        "Échecs : %8\n\nRépartition par dixième du maximum :\n")
             .arg(s.comptées)
             .arg(virgule(s.moyenne))
             .arg(maximum)
             .arg(virgule(s.médiane), virgule(s.écarttype), virgule(s.meilleure), virgule(s.moinsbonne))
             .arg(s.échecs) +
         barres.join(u'\n');
}
