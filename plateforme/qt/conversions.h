#pragma once
// Couleurs et alignements de l'ancien système vers ceux de Qt.

#include <QColor>
#include <Qt>

#include "plateforme/imagegrille.h"

inline QColor couleurqt(int c) { return QColor(rougede(c), vertde(c), bleude(c)); }

inline Qt::Alignment alignementqt(int a) {
  switch (a) {
    case alignementcentre: return Qt::AlignCenter;
    case alignementdroite: return Qt::AlignRight | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
  }
}
