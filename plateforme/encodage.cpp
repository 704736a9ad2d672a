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

Encodage encodagedeviné(QByteArrayView octets) {
  if (octets.startsWith("\xEF\xBB\xBF")) return Encodage::Utf8AvecBom;
  if (octets.startsWith("\xFF\xFE") || octets.startsWith("\xFE\xFF")) return Encodage::Utf16;
  QStringDecoder utf8(QStringDecoder::Utf8);
  const QString essai = utf8.decode(octets);  // decode() ne décode qu'une fois converti
  return utf8.hasError() ? Encodage::Windows1252 : Encodage::Utf8;
}

QString décoder(QByteArrayView octets, Encodage encodage) {
  switch (encodage) {
    case Encodage::Windows1252: return décoderansi(octets);
    case Encodage::Utf16: return QStringDecoder(QStringDecoder::Utf16, QStringDecoder::Flag::Stateless).decode(octets);
    case Encodage::Utf8AvecBom:
    case Encodage::Utf8: break;
  }
  QStringDecoder utf8(QStringDecoder::Utf8);  // ôte la marque d'ordre des octets
  return utf8.decode(octets);
}
