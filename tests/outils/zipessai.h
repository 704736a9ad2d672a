#pragma once
// Des classeurs faits par les essais : un zip écrit avec libarchive, entrée par entrée.

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

QByteArray zipper(const QList<QPair<QString, QByteArray>>& entrées);
