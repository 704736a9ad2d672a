#pragma once
#include <QDateTime>

// Date et heure du jour, remplaçables dans les essais.
class Horloge {
public:
  virtual ~Horloge() = default;
  virtual QDateTime maintenant() const = 0;
  QDate aujourdhui() const { return maintenant().date(); }
};

class HorlogeSysteme : public Horloge {
public:
  QDateTime maintenant() const override { return QDateTime::currentDateTime(); }
};

class HorlogeFixe : public Horloge {
public:
  explicit HorlogeFixe(QDateTime instant) : instant_(std::move(instant)) {}
  void fixer(QDateTime instant) { instant_ = std::move(instant); }
  QDateTime maintenant() const override { return instant_; }

private:
  QDateTime instant_;
};
