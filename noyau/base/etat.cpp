#include "noyau/base/etat.h"

ÉtatPartagé& état() {
  static ÉtatPartagé instance;
  return instance;
}

void réinitialiserétat() { état() = ÉtatPartagé{}; }
