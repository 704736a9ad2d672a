#include "noyau/regles/classement.h"

#include <algorithm>

#include "noyau/base/etat.h"
#include "noyau/regles/totaux.h"
#include "plateforme/nombres.h"
#include "plateforme/ordre.h"

QString textepoints(double points) {
  const QString t = sansblancs(str(points));
  if (points < 10) return QStringLiteral("00") + t;
  if (points < 100) return u'0' + t;
  return t;
}

QList<Classé> classer(const QList<std::pair<QString, double>>& élèves) {
  QList<std::pair<QString, double>> ordre = élèves;
  const auto avant = [](const std::pair<QString, double>& a, const std::pair<QString, double>& b) {
    if (a.second != b.second) return a.second > b.second;
    const int c = comparerenfrançais(a.first, b.first);
    return c != 0 ? c > 0 : a.first > b.first;
  };
  std::stable_sort(ordre.begin(), ordre.end(), avant);
  QList<Classé> classés;
  classés.reserve(ordre.size());
  for (const auto& [nom, points] : ordre) classés.append({nom, textepoints(points)});
  return classés;
}

QList<Classé> classementannée() {
  rassemblertotaux();
  const ÉtatPartagé& é = état();
  QList<std::pair<QString, double>> élèves;
  for (int i = 1; i <= é.nbélèves; ++i) {
    // "?27.5" : la somme se lit sans son signe de manque.
    const auto points = [](const QString& somme) { return val(somme.startsWith(u'?') ? somme.mid(1) : somme); };
    élèves.append({é.nomélève[i], points(é.totauxrapport3[i]) + points(é.totauxrapport4[i])});
  }
  return classer(élèves);
}

QList<Classé> classementpériode() {
  const ÉtatPartagé& é = état();
  QList<std::pair<QString, double>> élèves;
  for (int i = 1; i <= é.nbélèves; ++i) élèves.append({é.nomélève[i], val(é.totalélève[i])});
  return classer(élèves);
}
