#include "noyau/suivi/ancetres.h"

#include "noyau/base/dossiers.h"
#include "plateforme/encodage.h"
#include "plateforme/fichiers.h"
#include "plateforme/transaction.h"

namespace {

QString cheminancêtre(const QString& nom) { return chemindisquedur(dossierancêtres + u'\\' + nom); }
QString cheminprécédent(const QString& nom) { return cheminancêtre(nom) + QStringLiteral(".precedent"); }

std::optional<QByteArray> lire(const QString& chemin) {
  if (!fichierexiste(chemin)) return std::nullopt;
  return lireoctets(chemin);
}

}  // namespace

std::optional<QByteArray> lireancêtre(const QString& nom) { return lire(cheminancêtre(nom)); }

std::optional<QByteArray> lireancêtreprécédent(const QString& nom) { return lire(cheminprécédent(nom)); }

QList<FichierÀÉcrire> ancêtreàécrire(const QString& nom, const QByteArray& octets) {
  const QString chemin = cheminancêtre(nom);
  créerdossier(chemin.section(u'/', 0, -2));
  QList<FichierÀÉcrire> f{{chemin, octets, false, true}};
  const std::optional<QByteArray> avant = lireancêtre(nom);
  if (avant && !mêmeslignes(avant, octets)) f.append({cheminprécédent(nom), *avant, false, true});
  return f;
}

void noterancêtre(const QString& nom, const QByteArray& octets) {
  const QString chemin = cheminancêtre(nom);
  créerdossier(chemin.section(u'/', 0, -2));
  const std::optional<QByteArray> avant = lireancêtre(nom);
  if (avant && !mêmeslignes(avant, octets)) écrireoctets(cheminprécédent(nom), *avant);
  écrireoctets(chemin, octets);
}

bool mêmeslignes(const std::optional<QByteArray>& a, const std::optional<QByteArray>& b) {
  if (!a || !b) return a.has_value() == b.has_value();
  if (*a == *b) return true;
  return découperlignes(décoderansi(*a)) == découperlignes(décoderansi(*b));
}
