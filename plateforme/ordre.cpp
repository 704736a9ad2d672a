#include "plateforme/ordre.h"

#include <QCollator>
#include <QLocale>

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
