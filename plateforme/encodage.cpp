#include "plateforme/encodage.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {
constexpr const char* pagedecode = "windows-1252";
}

QString décoderansi(QByteArrayView octets) {
  QStringDecoder décodeur(pagedecode);
  return décodeur.decode(octets);
}

QByteArray encoderansi(QStringView texte) {
  QStringEncoder codeur(pagedecode);
  QByteArray octets = codeur.encode(texte);
  if (!codeur.hasError()) return octets;
  // Reprendre caractère par caractère pour remplacer ceux qui n'ont pas de code.
  octets.clear();
  octets.reserve(texte.size());
  qsizetype i = 0;
  while (i < texte.size()) {
    const qsizetype lg = (texte[i].isHighSurrogate() && i + 1 < texte.size()) ? 2 : 1;
    QStringEncoder unseul(pagedecode);
    const QByteArray code = unseul.encode(texte.mid(i, lg));
    octets += unseul.hasError() ? QByteArray("?") : code;
    i += lg;
  }
  return octets;
}
