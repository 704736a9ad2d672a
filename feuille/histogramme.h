#pragma once
// Petit histogramme des notes d'un test : une barre par dixième du maximum.

#include <QWidget>
#include <array>

class Histogramme : public QWidget {
public:
  explicit Histogramme(QWidget* parent = nullptr);
  void répartition(const std::array<int, 10>& nombres);
  const std::array<int, 10>& répartition() const { return nombres_; }
  QSize sizeHint() const override { return {220, 90}; }

protected:
  void paintEvent(QPaintEvent* e) override;

private:
  std::array<int, 10> nombres_{};
};
