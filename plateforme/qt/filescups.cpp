#include "plateforme/qt/filescups.h"

#include <cups/cups.h>

namespace {

QString texte(ipp_t* réponse, const char* attribut) {
  ipp_attribute_t* a = ippFindAttribute(réponse, attribut, IPP_TAG_ZERO);
  return a ? QString::fromUtf8(ippGetString(a, 0, nullptr)) : QString();
}

// printer-state-message et les raisons, que la liste des destinations ne donne pas toutes.
void compléteravecipp(const QString& nom, ÉtatFile& f) {
  ipp_t* requête = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
  char uri[1024];
  httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0, "/printers/%s",
                   nom.toUtf8().constData());
  ippAddString(requête, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
  static const char* const voulus[] = {"printer-state-message", "printer-state-reasons"};
  ippAddStrings(requête, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 2, nullptr, voulus);
  ipp_t* réponse = cupsDoRequest(CUPS_HTTP_DEFAULT, requête, "/");
  if (!réponse) return;
  f.message = texte(réponse, "printer-state-message");
  if (ipp_attribute_t* r = ippFindAttribute(réponse, "printer-state-reasons", IPP_TAG_KEYWORD)) {
    f.raisons.clear();
    for (int i = 0; i < ippGetCount(r); ++i) f.raisons << QString::fromUtf8(ippGetString(r, i, nullptr));
  }
  ippDelete(réponse);
}

}  // namespace

std::optional<ÉtatFile> FilesCups::file(const QString& nom) const {
  cups_dest_t* d = cupsGetNamedDest(CUPS_HTTP_DEFAULT, nom.toUtf8().constData(), nullptr);
  if (!d) return std::nullopt;
  ÉtatFile f;
  const auto option = [d](const char* clé) { return QString::fromUtf8(cupsGetOption(clé, d->num_options, d->options)); };
  if (const QString état = option("printer-state"); !état.isEmpty()) f.état = état.toInt();
  f.accepte = option("printer-is-accepting-jobs") != QStringLiteral("false");
  f.raisons = option("printer-state-reasons").split(u',', Qt::SkipEmptyParts);
  cupsFreeDests(1, d);
  compléteravecipp(nom, f);
  return f;
}

std::optional<ÉtatTravail> FilesCups::derniertravail(const QString& nom) const {
  cups_job_t* travaux = nullptr;
  const int n = cupsGetJobs2(CUPS_HTTP_DEFAULT, &travaux, nom.toUtf8().constData(), 1, CUPS_WHICHJOBS_ALL);
  std::optional<ÉtatTravail> dernier;
  for (int i = 0; i < n; ++i)
    if (!dernier || travaux[i].id > dernier->numéro) dernier = ÉtatTravail{travaux[i].id, static_cast<int>(travaux[i].state)};
  cupsFreeJobs(n, travaux);
  return dernier;
}

const FilesImpression& filesdusystème() {
  static const FilesCups files;
  return files;
}
