#include "noyau/suivi/ancetres.h"

#include "noyau/base/dossiers.h"
#include "plateforme/encodage.h"
#include "plateforme/fichiers.h"
#include "plateforme/transaction.h"

namespace {

QString cheminancêtre(const QString& nom) { return chemindisquedur(dossierancêtres + u'\\' + nom); }

}  // namespace

std::optional<QByteArray> lireancêtre(const QString& nom) {
  const QString chemin = cheminancêtre(nom);
  if (!fichierexiste(chemin)) return std::nullopt;
  return lireoctets(chemin);
}

FichierÀÉcrire ancêtreàécrire(const QString& nom, const QByteArray& octets) {
  const QString chemin = cheminancêtre(nom);
  créerdossier(chemin.section(u'/', 0, -2));
  return {chemin, octets, false, true};
}

void noterancêtre(const QString& nom, const QByteArray& octets) {
  const QString chemin = cheminancêtre(nom);
  créerdossier(chemin.section(u'/', 0, -2));
  écrireoctets(chemin, octets);
}

bool mêmeslignes(const std::optional<QByteArray>& a, const std::optional<QByteArray>& b) {
  if (!a || !b) return a.has_value() == b.has_value();
  if (*a == *b) return true;
  return découperlignes(décoderansi(*a)) == découperlignes(décoderansi(*b));
}
