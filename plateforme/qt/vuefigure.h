#pragma once
// Une figure à l'écran, agrandie ou réduite à la place du contrôle.

#include <QWidget>

#include "plateforme/figure.h"

class VueFigure : public QWidget {
public:
  explicit VueFigure(QWidget* parent = nullptr);
  void figure(Figure f);
  const Figure& figure() const { return figure_; }
  QSize sizeHint() const override;

protected:
  void paintEvent(QPaintEvent* e) override;

private:
  Figure figure_;
};
