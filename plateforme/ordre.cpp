#include "plateforme/ordre.h"

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <QCollator>
#include <QLocale>
#endif

#ifdef Q_OS_WIN

// Windows range mal les séparateurs : son ordre « des mots » (celui de QCollator) passe
// le trait d'union et l'apostrophe, son ordre « des chaînes » les range autrement
// qu'ICU. Les mots se comparent donc par Windows, lettre de base d'abord, et les
// séparateurs, toujours avant les lettres, dans l'ordre d'ICU ; les accents départagent.
namespace {

bool dansunmot(QChar c) { return c.isLetterOrNumber() || c.isMark(); }

int rangséparateur(QChar c) {
  static const QString ordre = QStringLiteral(" _-,;:!?.'\"()[]{}@*/\\&#%`^+<=>|~$");
  if (c.isSpace()) return 0;
  const qsizetype i = ordre.indexOf(c);
  return i >= 0 ? static_cast<int>(i) + 1 : static_cast<int>(ordre.size()) + 1 + c.unicode();
}

int comparerparwindows(QStringView a, QStringView b, DWORD options) {
  const int r = CompareStringEx(L"fr-FR", options, reinterpret_cast<LPCWCH>(a.utf16()), static_cast<int>(a.size()),
                                reinterpret_cast<LPCWCH>(b.utf16()), static_cast<int>(b.size()), nullptr, nullptr, 0);
  return r == 0 ? a.compare(b, Qt::CaseInsensitive) : r - CSTR_EQUAL;
}

qsizetype finmot(QStringView s, qsizetype début) {
  while (début < s.size() && dansunmot(s[début])) ++début;
  return début;
}

}  // namespace

int comparerenfrançais(QStringView a, QStringView b) {
  qsizetype i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    const bool motA = dansunmot(a[i]), motB = dansunmot(b[j]);
    if (motA != motB) return motA ? 1 : -1;
    if (!motA) {
      if (a[i] != b[j]) return rangséparateur(a[i]) - rangséparateur(b[j]);
      ++i, ++j;
      continue;
    }
    const qsizetype fi = finmot(a, i), fj = finmot(b, j);
    const int r = comparerparwindows(a.sliced(i, fi - i), b.sliced(j, fj - j), NORM_IGNORECASE | NORM_IGNORENONSPACE);
    if (r != 0) return r;
    i = fi, j = fj;
  }
  if (i < a.size() || j < b.size()) return i < a.size() ? 1 : -1;
  return comparerparwindows(a, b, NORM_IGNORECASE);
}

#else

namespace {

QCollator collationfrançaise() {
  QCollator c{QLocale(QLocale::French, QLocale::France)};
  c.setCaseSensitivity(Qt::CaseInsensitive);
  c.setNumericMode(false);
  c.setIgnorePunctuation(false);
  return c;
}

}  // namespace

int comparerenfrançais(QStringView a, QStringView b) {
  static const QCollator collation = collationfrançaise();
  return collation.compare(a, b);
}

#endif
