#pragma once
// Les files d'impression telles que le spouleur de Windows les décrit (WinSpool).

#include <cstdint>

#include "plateforme/filesimpression.h"

class FilesWinSpool : public FilesImpression {
public:
  std::optional<ÉtatFile> file(const QString& nom) const override;
  std::optional<ÉtatTravail> derniertravail(const QString& nom) const override;
  bool gardelestravauxachevés() const override { return false; }
};

// Ce que le spouleur dit d'une file (PRINTER_INFO_2 : Status, Attributes, cJobs) et
// d'un travail (JOB_INFO_1 : Status), dans les états de l'IPP du reste du programme.
ÉtatFile étatfilewinspool(std::uint32_t statut, std::uint32_t attributs, std::uint32_t travaux);
int étatdetravailwinspool(std::uint32_t statut);
