#include "noyau/fichiers/utilisateurs.h"

#include <algorithm>

#include "noyau/base/dossiers.h"
#include "noyau/base/piege.h"
#include "plateforme/fichiers.h"
#include "plateforme/services.h"

QString fichierutilisateurs() { return cheminréel(services().dossierprogramme + QStringLiteral("\\utilisateurs.evl")); }

QString dossierutilisateur(const QString& nom) { return services().dossierprogramme + u'\\' + nom; }

QStringList lireutilisateurs() {
  const QString fichier = fichierutilisateurs();
  if (!fichierexiste(fichier)) return {};
  QStringList noms;
  for (const QString& n : découperéléments(lirefichier(fichier)))
    if (!n.isEmpty()) noms.append(n);
  return nomssûrs(noms, fichier);
}

QString refusnomutilisateur(const QString& nom) {
  // La virgule sépare les noms dans la liste.
  if (!nomdefichiersûr(nom) || nom.contains(u','))
    return QStringLiteral("Le nom « %1 » ne peut pas servir de nom de dossier (pas de caractères spéciaux : "
                          "/ \\ : * ? \" < > | , ni point au début).")
        .arg(nom);
  return QString();
}

void créerlisteutilisateurs() {
  const QString fichier = fichierutilisateurs();
  if (!fichierexiste(fichier)) avecpiège(titreerreur(fichier), [&] { écrirefichier(fichier, {}); });
}

void ajouterutilisateur(const QString& nom) {
  créerdossier(cheminréel(dossierutilisateur(nom)));
  const QString fichier = fichierutilisateurs();
  QStringList lignes = fichierexiste(fichier) ? lirefichier(fichier) : QStringList();
  lignes.append(nom);
  écrirefichier(fichier, lignes);
}

void écrireutilisateurs(const QStringList& noms) {
  if (noms.isEmpty())
    supprimerfichier(fichierutilisateurs());
  else
    écrirefichier(fichierutilisateurs(), noms);
}
