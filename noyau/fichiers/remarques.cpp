#include "noyau/fichiers/remarques.h"

#include "noyau/base/dossiers.h"
#include "noyau/base/etat.h"
#include "noyau/base/piege.h"
#include "plateforme/fichiers.h"

QString cheminremarques() { return cheminréel(état().dossierracine + QStringLiteral("\\commentaires.txt")); }

QStringList lignesremarques() {
  const QString chemin = cheminremarques();
  if (!fichierexiste(chemin)) return {};
  return avecpiège(titreerreur(chemin), [&] { return lirefichier(chemin); });
}

QStringList lireremarques() {
  QStringList remarques;
  for (const QString& r : découperéléments(lignesremarques()))
    if (!r.isEmpty()) remarques.append(r);
  return remarques;
}

void ajouterremarque(const QString& texte) {
  QStringList lignes = lignesremarques();
  // La liste se lit élément par élément : une virgule coupe la remarque sauf entre guillemets.
  lignes.append(texte.contains(u',') ? u'"' + QString(texte).replace(u'"', u'\'') + u'"' : texte);
  écrireremarques(lignes);
}

void écrireremarques(const QStringList& lignes) {
  const QString chemin = cheminremarques();
  avecpiège(titreerreur(chemin), [&] { écrirefichier(chemin, lignes); });
}

QStringList matièresdesclassesvoisines() {
  const ÉtatPartagé& é = état();
  QStringList matières;
  if (é.classecourante < 1 || é.classecourante > é.nbclasses) return matières;
  const QString initiale = é.nomclasse[é.classecourante].left(1);
  for (int c = 1; c <= é.nbclasses; ++c) {
    if (é.nomclasse[c].left(1) != initiale) continue;
    const QString chemin = chemindisquedur(nominterros(é.dossierclasse[c], é.périodecourante));
    if (!fichierexiste(chemin)) continue;
    try {
      const QStringList lignes = lirefichier(chemin);
      for (qsizetype i = 2; i < lignes.size(); i += 4) matières.append(lignes[i]);
    } catch (const ErreurFichier&) {
      // Une simple suggestion : un fichier illisible n'en donne pas.
    }
  }
  return matières;
}
