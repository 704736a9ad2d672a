#include "noyau/suivi/differences.h"

#include <QRegularExpression>
#include <algorithm>

#include "plateforme/nombres.h"

namespace {

const QString dur = QStringLiteral("disque dur");
const QString amov = QStringLiteral("disque amovible");

QString deuxvaleurs(const QString& a, const QString& b) {
  return QStringLiteral("« %1 » sur le %2, « %3 » sur le %4").arg(a, dur, b, amov);
}

bool fichierdenotes(const QString& nom) {
  static const QRegularExpression motif(QStringLiteral("\\.[PE]\\d+N$"), QRegularExpression::CaseInsensitiveOption);
  return motif.match(nom).hasMatch();
}

struct Élève {
  QString nom;
  QStringList notes;                 // une par test écrit
  QList<QStringList> orales;         // maximum, note, libellé, compétence
  QString résultat;                  // la ligne des résultats
};

struct Notes {
  int élèves = 0, tests = 0, orales = 0, première = 1;
  QList<Élève> liste;
  QStringList compétences;
  bool lisible = false;
};

int entier(const QStringList& l, qsizetype i) { return i < l.size() ? arrondipair(std::clamp(val(l[i]), -1.0, 32767.0)) : 0; }

Notes lirenotes(const QStringList& l) {
  Notes n;
  if (l.size() < 4) return n;
  n.élèves = entier(l, 0);
  n.tests = entier(l, 1);
  n.orales = entier(l, 2);
  n.première = entier(l, 3);
  if (n.élèves < 0 || n.tests < 0 || 4 + 2LL * n.élèves > l.size()) return n;
  for (int i = 0; i < n.élèves; ++i) {
    const QStringList champs = l[4 + 2 * i].split(u'/');
    Élève é{champs.value(0), champs.mid(1, n.tests), {}, l[5 + 2 * i]};
    if (n.orales != 0) {
      const int nombre = entier(champs, 1 + n.tests);
      for (int o = 0; o < nombre; ++o) é.orales.append(champs.mid(2 + n.tests + 4 * o, 4));
    }
    n.liste.append(é);
  }
  n.compétences = l.mid(4 + 2 * n.élèves);
  n.lisible = true;
  return n;
}

// Le total de la ligne des résultats : le champ qui suit les pourcentages par compétence.
QString total(const QString& résultat, qsizetype compétences) {
  return sansblancs(résultat.split(u'/').value(compétences));
}

QString noteorale(const QStringList& o) { return sansblancs(o.value(1)) + u'/' + sansblancs(o.value(0)); }

void comparerélève(const Élève& a, const Élève& b, int place, const Notes& na, const Notes& nb, QStringList& d) {
  const QString qui = a.nom == b.nom ? a.nom : a.nom + QStringLiteral(" / ") + b.nom;
  if (a.nom != b.nom) d << QStringLiteral("Élève n°%1 : nom %2").arg(place).arg(deuxvaleurs(a.nom, b.nom));
  for (qsizetype k = 0; k < std::max(a.notes.size(), b.notes.size()); ++k)
    if (a.notes.value(k) != b.notes.value(k))
      d << QStringLiteral("%1, test n°%2 : %3").arg(qui).arg(na.première + k).arg(deuxvaleurs(a.notes.value(k), b.notes.value(k)));
  for (qsizetype o = 0; o < std::max(a.orales.size(), b.orales.size()); ++o) {
    const QString x = o < a.orales.size() ? noteorale(a.orales[o]) : QStringLiteral("aucune");
    const QString y = o < b.orales.size() ? noteorale(b.orales[o]) : QStringLiteral("aucune");
    if (x != y || a.orales.value(o) != b.orales.value(o))
      d << QStringLiteral("%1, note orale n°%2 : %3").arg(qui).arg(o + 1).arg(deuxvaleurs(x, y));
  }
  const QString ta = total(a.résultat, na.compétences.size()), tb = total(b.résultat, nb.compétences.size());
  if (ta != tb) d << QStringLiteral("%1, résultat : %2").arg(qui, deuxvaleurs(ta, tb));
  else if (a.résultat != b.résultat) d << QStringLiteral("%1, résultats par compétence : %2").arg(qui, deuxvaleurs(a.résultat, b.résultat));
}

QStringList différenceslignes(const QStringList& a, const QStringList& b);

QStringList différencesnotes(const Notes& a, const Notes& b) {
  QStringList d;
  if (a.tests != b.tests) d << QStringLiteral("Nombre de tests : %1").arg(deuxvaleurs(QString::number(a.tests), QString::number(b.tests)));
  if (a.élèves != b.élèves)
    d << QStringLiteral("Nombre d'élèves : %1").arg(deuxvaleurs(QString::number(a.élèves), QString::number(b.élèves)));
  const qsizetype communs = std::min(a.liste.size(), b.liste.size());
  for (qsizetype i = 0; i < communs; ++i) comparerélève(a.liste[i], b.liste[i], static_cast<int>(i + 1), a, b, d);
  for (qsizetype i = communs; i < a.liste.size(); ++i)
    d << QStringLiteral("Élève n°%1 « %2 » : seulement sur le %3").arg(i + 1).arg(a.liste[i].nom, dur);
  for (qsizetype i = communs; i < b.liste.size(); ++i)
    d << QStringLiteral("Élève n°%1 « %2 » : seulement sur le %3").arg(i + 1).arg(b.liste[i].nom, amov);
  for (const QString& l : différenceslignes(a.compétences, b.compétences)) d << QStringLiteral("Compétences, ") + l;
  return d;
}

// Les lignes qui diffèrent, après le début et la fin communs : une ligne insérée
// ou retirée ne fait pas paraître différentes toutes celles qui suivent.
QStringList différenceslignes(const QStringList& a, const QStringList& b) {
  qsizetype début = 0;
  while (début < a.size() && début < b.size() && a[début] == b[début]) ++début;
  qsizetype fa = a.size(), fb = b.size();
  while (fa > début && fb > début && a[fa - 1] == b[fb - 1]) {
    --fa;
    --fb;
  }
  QStringList d;
  const qsizetype face = std::min(fa - début, fb - début);
  for (qsizetype k = 0; k < face; ++k)
    d << QStringLiteral("ligne %1 : %2").arg(début + k + 1).arg(deuxvaleurs(a[début + k], b[début + k]));
  for (qsizetype k = début + face; k < fa; ++k)
    d << QStringLiteral("ligne %1 : « %2 » seulement sur le %3").arg(k + 1).arg(a[k], dur);
  for (qsizetype k = début + face; k < fb; ++k)
    d << QStringLiteral("ligne %1 : « %2 » seulement sur le %3").arg(k + 1).arg(b[k], amov);
  return d;
}

}  // namespace

QStringList différences(const QString& nom, const QStringList& disquedur, const QStringList& amovible) {
  if (fichierdenotes(nom)) {
    const Notes a = lirenotes(disquedur), b = lirenotes(amovible);
    if (a.lisible && b.lisible) return différencesnotes(a, b);
  }
  return différenceslignes(disquedur, amovible);
}

QString textedesdifférences(const QString& nom, const QStringList& disquedur, const QStringList& amovible) {
  const QStringList d = différences(nom, disquedur, amovible);
  if (d.isEmpty()) return QStringLiteral("Les deux copies ne diffèrent que par leur mise en forme.");
  return QStringLiteral("Ce qui diffère entre les deux copies de %1 :\n\n").arg(nom) + d.join(u'\n');
}
