#pragma once
// Textes des fichiers de données : page de code Windows occidentale (Windows-1252).

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

QString décoderansi(QByteArrayView octets);

// Un caractère que la page de code ne connaît pas devient "?", comme sous Windows.
QByteArray encoderansi(QStringView texte);
