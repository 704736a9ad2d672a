#include "noyau/fichiers/relecture.h"

#include "noyau/fichiers/lecteur.h"
#include "noyau/suivi/historique.h"
#include "plateforme/encodage.h"
#include "plateforme/erreurs.h"
#include "plateforme/fichiers.h"

namespace {

void relirenotes(LecteurLignes& l) {
  const int élèves = l.compte();
  l.compte();  // interrogations
  l.compte();  // colonnes orales
  l.entier();  // numéro de la première interrogation
  for (int i = 0; i < 2 * élèves; ++i) l.ligne();
}

void relireinterros(LecteurLignes& l, qsizetype lignes) {
  // Quatre lignes par interrogation (trois dans une classe à une compétence) : le maximum d'abord.
  const int pas = lignes % 4 == 0 ? 4 : 3;
  for (qsizetype n = 0; n < lignes; n += pas) {
    l.entier();
    for (int k = 1; k < pas; ++k) l.ligne();
  }
}

void relireliste(LecteurLignes& l) {
  const int classes = l.compte();
  for (int c = 0; c < classes; ++c) {
    l.ligne();
    l.ligne();
    l.ligne();
    l.entier();
    l.entier();
  }
}

void reliremaxima(LecteurLignes& l) {
  const int examens = l.compte();
  l.entier();
  for (int e = 0; e < examens; ++e) l.entier();
}

}  // namespace

QString relirefichierdedonnées(const QString& nom, const QByteArray& octets) {
  const QStringList lignes = découperlignes(décoderansi(octets));
  LecteurLignes l(lignes, nom);
  const QString extension = nom.section(u'.', -1).toUpper();
  try {
    if (nom.section(u'\\', -1).startsWith(QStringLiteral("listclas."), Qt::CaseInsensitive))
      relireliste(l);
    else if (extension == u"MPE")
      reliremaxima(l);
    else if (extension.size() == 3 && (extension[0] == u'P' || extension[0] == u'E') && extension.endsWith(u'N'))
      relirenotes(l);
    else if (extension.size() == 3 && (extension[0] == u'P' || extension[0] == u'E') && extension.endsWith(u'R'))
      relireinterros(l, lignes.size());
  } catch (const ErreurEvalo& e) {
    return e.texte();
  }
  return QString();
}

void brancherrelecture() { brancherrelectureimages(relirefichierdedonnées); }
