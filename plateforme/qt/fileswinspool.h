#pragma once
// Les files d'impression telles que le spouleur de Windows les décrit (WinSpool).

#include "plateforme/filesimpression.h"

class FilesWinSpool : public FilesImpression {
public:
  std::optional<ÉtatFile> file(const QString& nom) const override;
  std::optional<ÉtatTravail> derniertravail(const QString& nom) const override;
  bool gardelestravauxachevés() const override { return false; }
};
