#pragma once
// Les files d'impression telles que CUPS les décrit (libcups).

#include "plateforme/filesimpression.h"

class FilesCups : public FilesImpression {
public:
  std::optional<ÉtatFile> file(const QString& nom) const override;
  std::optional<ÉtatTravail> derniertravail(const QString& nom) const override;
};
