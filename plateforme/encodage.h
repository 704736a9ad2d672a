#pragma once
// Textes des fichiers de données : page de code Windows occidentale (Windows-1252).

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

QString décoderansi(QByteArrayView octets);

// Un caractère que la page de code ne connaît pas devient "?", comme sous Windows.
QByteArray encoderansi(QStringView texte);

// Fichiers venus d'ailleurs (listes d'élèves) : UTF-8 avec ou sans marque, UTF-16
// avec sa marque (« texte Unicode » d'Excel), sinon Windows-1252.
enum class Encodage { Utf8AvecBom, Utf8, Windows1252, Utf16 };
Encodage encodagedeviné(QByteArrayView octets);
QString décoder(QByteArrayView octets, Encodage encodage);  // sans la marque d'ordre des octets
