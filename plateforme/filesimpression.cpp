#include "plateforme/filesimpression.h"

#include <utility>

#include "plateforme/erreurs.h"

namespace {

// Les raisons les plus courantes ; les autres sont données telles que la file les nomme.
QString raisonenfrançais(QString raison) {
  for (const char* suffixe : {"-error", "-warning", "-report"})
    if (raison.endsWith(QString::fromLatin1(suffixe))) raison.chop(static_cast<int>(qstrlen(suffixe)));
  static const std::pair<const char*, const char*> connues[] = {
      {"paused", "arrêtée"},
      {"offline", "hors ligne"},
      {"media-empty", "plus de papier"},
      {"media-needed", "papier à mettre"},
      {"media-jam", "bourrage papier"},
      {"toner-empty", "plus de toner"},
      {"marker-supply-empty", "plus d'encre ou de toner"},
      {"door-open", "capot ouvert"},
      {"cover-open", "capot ouvert"},
      {"connecting-to-device", "connexion à l'imprimante en cours"},
      {"shutdown", "éteinte"},
      {"spool-area-full", "file d'attente pleine"},
      {"cups-missing-filter", "filtre d'impression manquant"},
      {"other", "en erreur"},
  };
  for (const auto& [anglais, français] : connues)
    if (raison == QString::fromLatin1(anglais)) return QString::fromUtf8(français);
  return raison;
}

}  // namespace

QString raisonsenfrançais(const ÉtatFile& f) {
  QStringList r;
  for (const QString& raison : f.raisons)
    if (raison != QStringLiteral("none")) {
      const QString t = raisonenfrançais(raison);
      if (!r.contains(t)) r << t;
    }
  if (!f.message.trimmed().isEmpty()) r << f.message.trimmed();
  return r.join(QStringLiteral(", "));
}

QString refusdelafile(const QString& nom, const std::optional<ÉtatFile>& f) {
  if (!f) return QStringLiteral("L'imprimante « %1 » n'existe plus : choisissez-en une autre (Ctrl+D). Rien n'a été imprimé.").arg(nom);
  const QString raisons = raisonsenfrançais(*f);
  const QString pourquoi = raisons.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(raisons);
  if (!f->accepte)
    return QStringLiteral("L'imprimante « %1 » refuse les documents%2. Rien n'a été imprimé.").arg(nom, pourquoi);
  if (f->état == filearrêtée) {
    // "arrêtée" ne se redit pas entre parenthèses.
    ÉtatFile sanspause = *f;
    sanspause.raisons.removeAll(QStringLiteral("paused"));
    const QString autres = raisonsenfrançais(sanspause);
    return QStringLiteral("L'imprimante « %1 » est arrêtée%2. Rien n'a été imprimé.")
        .arg(nom, autres.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(autres));
  }
  return QString();
}

SuiviDocument::SuiviDocument(const FilesImpression& files, QString nom) : files_(files), nom_(std::move(nom)) {}

void SuiviDocument::avantlenvoi() {
  const std::optional<ÉtatFile> f = files_.file(nom_);
  const QString refus = refusdelafile(nom_, f);
  if (!refus.isEmpty()) throw ErreurEvalo(refus);
  const std::optional<ÉtatTravail> t = files_.derniertravail(nom_);
  dernier_ = t ? t->numéro : 0;
}

void SuiviDocument::aprèslenvoi() const {
  const std::optional<ÉtatTravail> t = files_.derniertravail(nom_);
  if (!t || t->numéro <= dernier_) {
    const QString refus = refusdelafile(nom_, files_.file(nom_));
    if (refus.isEmpty() && !files_.gardelestravauxachevés()) return;  // remis au spouleur, imprimé, effacé
    throw ErreurEvalo(refus.isEmpty()
                          ? QStringLiteral("Le document n'est pas arrivé à l'imprimante « %1 ». Rien n'a été imprimé.").arg(nom_)
                          : refus);
  }
  if (t->état == travailabandonné || t->état == travailannulé) {
    const std::optional<ÉtatFile> f = files_.file(nom_);
    const QString raisons = f ? raisonsenfrançais(*f) : QString();
    throw ErreurEvalo(QStringLiteral("L'imprimante « %1 » a %2 le document n°%3%4. Il n'est pas imprimé.")
                          .arg(nom_, t->état == travailannulé ? QStringLiteral("annulé") : QStringLiteral("abandonné"))
                          .arg(t->numéro)
                          .arg(raisons.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(raisons)));
  }
}
