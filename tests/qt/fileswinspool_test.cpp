#include <gtest/gtest.h>

#include <windows.h>
#include <winspool.h>

#include "plateforme/qt/fileswinspool.h"

namespace {

// Ce que le spouleur de Windows dit d'une file devient le refus que le professeur lit.
TEST(FilesWinSpool, EtatsDeLaFileDitsEnFrancais) {
  struct Cas {
    DWORD statut, attributs, travaux;
    const char* refus;  // vide : la file prend le document
  };
  const Cas cas[] = {
      {0, 0, 0, ""},
      {0, 0, 3, ""},
      {PRINTER_STATUS_PAUSED, 0, 0, "L'imprimante « Salle des profs » est arrêtée. Rien n'a été imprimé."},
      {PRINTER_STATUS_PAPER_OUT, 0, 1,
       "L'imprimante « Salle des profs » est arrêtée (plus de papier). Rien n'a été imprimé."},
      {PRINTER_STATUS_PAPER_JAM | PRINTER_STATUS_ERROR, 0, 0,
       "L'imprimante « Salle des profs » est arrêtée (bourrage papier, en erreur). Rien n'a été imprimé."},
      {PRINTER_STATUS_DOOR_OPEN, 0, 0,
       "L'imprimante « Salle des profs » est arrêtée (capot ouvert). Rien n'a été imprimé."},
      {PRINTER_STATUS_NO_TONER, 0, 0,
       "L'imprimante « Salle des profs » est arrêtée (plus de toner). Rien n'a été imprimé."},
      {PRINTER_STATUS_OFFLINE, 0, 0,
       "L'imprimante « Salle des profs » est arrêtée (hors ligne). Rien n'a été imprimé."},
      {0, PRINTER_ATTRIBUTE_WORK_OFFLINE, 0,
       "L'imprimante « Salle des profs » est arrêtée (hors ligne). Rien n'a été imprimé."},
      {PRINTER_STATUS_OFFLINE, PRINTER_ATTRIBUTE_WORK_OFFLINE, 0,
       "L'imprimante « Salle des profs » est arrêtée (hors ligne). Rien n'a été imprimé."},
      {PRINTER_STATUS_PENDING_DELETION, 0, 0,
       "L'imprimante « Salle des profs » refuse les documents. Rien n'a été imprimé."},
  };
  for (const Cas& c : cas)
    EXPECT_EQ(refusdelafile(QStringLiteral("Salle des profs"), étatfilewinspool(c.statut, c.attributs, c.travaux)),
              QString::fromUtf8(c.refus))
        << c.statut << " " << c.attributs;
}

TEST(FilesWinSpool, EtatsDUnTravail) {
  const std::pair<DWORD, int> cas[] = {
      {0, travailenattente},
      {JOB_STATUS_SPOOLING, travailencours},
      {JOB_STATUS_PRINTING, travailencours},
      {JOB_STATUS_PAUSED, travailretenu},
      {JOB_STATUS_PAPEROUT | JOB_STATUS_PRINTING, travailretenu},
      {JOB_STATUS_PRINTED, travailachevé},
      {JOB_STATUS_COMPLETE, travailachevé},
      {JOB_STATUS_ERROR | JOB_STATUS_PRINTING, travailabandonné},
      {JOB_STATUS_DELETING, travailannulé},
      {JOB_STATUS_DELETED | JOB_STATUS_PRINTED, travailannulé},
  };
  for (const auto& [statut, état] : cas) EXPECT_EQ(étatdetravailwinspool(statut), état) << statut;
}

}  // namespace
