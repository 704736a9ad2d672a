#include "plateforme/encodage.h"

#include <QStringDecoder>

// décoderansi et encoderansi ont un corps par système (systeme_posix.cpp, systeme_windows.cpp).

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
