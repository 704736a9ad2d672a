#pragma once
// Histogramme des notes d'un test ou des résultats d'une période : une barre par
// dixième du maximum, les dixièmes sous l'axe, la moyenne et la médiane marquées.

#include <array>

#include "noyau/sorties/graphiques.h"
#include "plateforme/qt/vuefigure.h"

class Histogramme : public VueFigure {
public:
  explicit Histogramme(QWidget* parent = nullptr);
  void répartition(const RépartitionGraphique& r);
  const std::array<int, 10>& répartition() const { return répartition_.nombres; }
  QSize sizeHint() const override { return {260, 120}; }

protected:
  void resizeEvent(QResizeEvent* e) override;

private:
  void refaire();
  RépartitionGraphique répartition_;
};
