#pragma once
// L'ordre alphabétique des listes triées du programme : celui du français,
// sans égard à la casse, où É se range avec E et non après Z.

#include <QString>
#include <QStringView>

// < 0, 0 ou > 0 selon que a se range avant, avec ou après b.
int comparerenfrançais(QStringView a, QStringView b);

inline bool avantenfrançais(QStringView a, QStringView b) { return comparerenfrançais(a, b) < 0; }
