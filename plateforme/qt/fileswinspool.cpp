#include "plateforme/qt/fileswinspool.h"

#include <vector>
#include <windows.h>
#include <winspool.h>

namespace {

// Une file ouverte le temps d'une question, fermée en toute circonstance.
class FileOuverte {
public:
  explicit FileOuverte(const QString& nom) {
    std::wstring n = nom.toStdWString();
    if (!OpenPrinterW(n.data(), &h_, nullptr)) h_ = nullptr;
  }
  ~FileOuverte() {
    if (h_) ClosePrinter(h_);
  }
  FileOuverte(const FileOuverte&) = delete;
  FileOuverte& operator=(const FileOuverte&) = delete;
  HANDLE poignée() const { return h_; }

private:
  HANDLE h_ = nullptr;
};

// Les états du spouleur, dans les mots de l'IPP que le reste du programme emploie.
struct Raison {
  DWORD bit;
  const char* mot;
};
constexpr Raison raisons[] = {
    {PRINTER_STATUS_PAUSED, "paused"},
    {PRINTER_STATUS_PAPER_OUT, "media-empty-error"},
    {PRINTER_STATUS_PAPER_PROBLEM, "media-needed-error"},
    {PRINTER_STATUS_PAPER_JAM, "media-jam-error"},
    {PRINTER_STATUS_DOOR_OPEN, "door-open-error"},
    {PRINTER_STATUS_NO_TONER, "toner-empty-error"},
    {PRINTER_STATUS_OFFLINE, "offline-report"},
    {PRINTER_STATUS_NOT_AVAILABLE, "offline-report"},
    {PRINTER_STATUS_ERROR, "other-error"},
};
constexpr DWORD bloquants = PRINTER_STATUS_PAUSED | PRINTER_STATUS_ERROR | PRINTER_STATUS_PAPER_OUT |
                            PRINTER_STATUS_PAPER_PROBLEM | PRINTER_STATUS_PAPER_JAM | PRINTER_STATUS_DOOR_OPEN |
                            PRINTER_STATUS_NO_TONER | PRINTER_STATUS_OFFLINE | PRINTER_STATUS_NOT_AVAILABLE;

}  // namespace

std::optional<ÉtatFile> FilesWinSpool::file(const QString& nom) const {
  const FileOuverte f(nom);
  if (!f.poignée()) return std::nullopt;
  DWORD taille = 0;
  GetPrinterW(f.poignée(), 2, nullptr, 0, &taille);
  if (taille == 0) return std::nullopt;
  std::vector<BYTE> tampon(taille);
  if (!GetPrinterW(f.poignée(), 2, tampon.data(), taille, &taille)) return std::nullopt;
  const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(tampon.data());
  return étatfilewinspool(info->Status, info->Attributes, info->cJobs);
}

std::optional<ÉtatTravail> FilesWinSpool::derniertravail(const QString& nom) const {
  const FileOuverte f(nom);
  if (!f.poignée()) return std::nullopt;
  DWORD taille = 0, nombre = 0;
  EnumJobsW(f.poignée(), 0, 0xFFFF, 1, nullptr, 0, &taille, &nombre);
  if (taille == 0) return std::nullopt;
  std::vector<BYTE> tampon(taille);
  if (!EnumJobsW(f.poignée(), 0, 0xFFFF, 1, tampon.data(), taille, &taille, &nombre)) return std::nullopt;
  const auto* travaux = reinterpret_cast<const JOB_INFO_1W*>(tampon.data());
  std::optional<ÉtatTravail> dernier;
  for (DWORD i = 0; i < nombre; ++i)
    if (!dernier || static_cast<int>(travaux[i].JobId) > dernier->numéro)
      dernier = ÉtatTravail{static_cast<int>(travaux[i].JobId), étatdetravailwinspool(travaux[i].Status)};
  return dernier;
}

ÉtatFile étatfilewinspool(std::uint32_t statut, std::uint32_t attributs, std::uint32_t travaux) {
  ÉtatFile é;
  é.état = statut & bloquants ? filearrêtée : travaux > 0 ? fileoccupée : fileinactive;
  é.accepte = !(statut & PRINTER_STATUS_PENDING_DELETION);
  for (const Raison& r : raisons)
    if ((statut & r.bit) && !é.raisons.contains(QString::fromLatin1(r.mot))) é.raisons << QString::fromLatin1(r.mot);
  // « Utiliser l'imprimante hors connexion », choisi dans les réglages de Windows.
  if (attributs & PRINTER_ATTRIBUTE_WORK_OFFLINE) {
    é.état = filearrêtée;
    if (!é.raisons.contains(QStringLiteral("offline-report"))) é.raisons << QStringLiteral("offline-report");
  }
  return é;
}

int étatdetravailwinspool(std::uint32_t statut) {
  if (statut & (JOB_STATUS_DELETING | JOB_STATUS_DELETED)) return travailannulé;
  if (statut & (JOB_STATUS_ERROR | JOB_STATUS_BLOCKED_DEVQ)) return travailabandonné;
  if (statut & (JOB_STATUS_PRINTED | JOB_STATUS_COMPLETE)) return travailachevé;
  if (statut & (JOB_STATUS_PAUSED | JOB_STATUS_USER_INTERVENTION | JOB_STATUS_PAPEROUT | JOB_STATUS_OFFLINE))
    return travailretenu;
  if (statut & (JOB_STATUS_PRINTING | JOB_STATUS_SPOOLING)) return travailencours;
  return travailenattente;
}

const FilesImpression& filesdusystème() {
  static const FilesWinSpool files;
  return files;
}
