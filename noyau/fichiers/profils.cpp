#include "noyau/fichiers/profils.h"

#include <algorithm>

#include "noyau/base/etat.h"
#include "plateforme/fichiers.h"
#include "plateforme/nombres.h"
#include "plateforme/ordre.h"

namespace {

QString cheminprofil(const QString& fichier) { return cheminréel(état().dossierracine + u'\\' + fichier); }

QString premierélément(const QString& ligne) { return découperéléments({ligne}).value(0); }

// Blancs de tête ôtés ; une virgule fait partie du nom de la compétence.
QString lignedecompétence(const QString& ligne) {
  qsizetype début = 0;
  while (début < ligne.size() && (ligne[début] == u' ' || ligne[début] == u'\t')) ++début;
  return ligne.mid(début);
}

// Nombre de lignes d'examen annoncé par le texte, dans la limite des lignes qui suivent.
int compteexamens(const QString& texte, qsizetype disponibles) {
  const double n = std::min(val(texte), double(entiermax));
  return static_cast<int>(std::clamp<qsizetype>(n > 0 ? arrondipair(n) : 0, 0, std::max<qsizetype>(disponibles, 0)));
}

}  // namespace

QStringList listeprofils() {
  const QString dossier = cheminréel(état().dossierracine);
  QStringList profils;
  if (!dossierexiste(dossier)) return profils;
  for (const QString& f : listerfichiers(dossier))
    if (f.endsWith(QStringLiteral(".pra"), Qt::CaseInsensitive)) profils.append(f);
  std::sort(profils.begin(), profils.end(),
            [](const QString& a, const QString& b) { return avantenfrançais(a, b); });
  return profils;
}

Profil lireprofil(const QString& fichier) {
  const QStringList lignes = lirefichier(cheminprofil(fichier));
  Profil p;
  if (lignes.isEmpty()) return p;
  p.nombreexamens = premierélément(lignes[0]);
  const int examens = compteexamens(p.nombreexamens, lignes.size() - 1);
  for (int e = 1; e <= examens; ++e) p.examens.append(premierélément(lignes[e]));
  for (qsizetype l = examens + 1; l < lignes.size(); ++l) {
    const QString c = lignedecompétence(lignes[l]);
    if (!c.isEmpty()) p.compétences.append(c);
  }
  return p;
}

void écrireprofil(const QString& nom, const Profil& profil) {
  QStringList lignes{profil.nombreexamens};
  lignes << profil.examens << profil.compétences;
  écrirefichier(cheminprofil(nom + QStringLiteral(".pra")), lignes);
}

QString refusnomprofil(const QString& nom) {
  if (nomdefichiersûr(nom)) return QString();
  return QStringLiteral("Le nom « %1 » ne peut pas servir de nom de profil (pas de caractères spéciaux : "
                        "/ \\ : * ? \" < > |, ni \"..\", ni point au début).")
      .arg(nom);
}

Tableau<QString> paramètresdu(const Profil& profil) {
  QStringList tout{profil.nombreexamens};
  tout << profil.examens << profil.compétences;
  Tableau<QString> t;
  t.redim(static_cast<int>(tout.size()));
  for (int k = 1; k <= tout.size(); ++k) t[k] = tout[k - 1];
  return t;
}

bool profildes(const Tableau<QString>& paramètres, Profil& profil) {
  if (paramètres.borne() < 1) return false;
  profil = Profil{paramètres[1], {}, {}};
  const int examens = compteexamens(paramètres[1], paramètres.borne() - 1);
  for (int k = 2; k <= examens + 1; ++k) profil.examens.append(paramètres[k]);
  for (int k = examens + 2; k <= paramètres.borne(); ++k) profil.compétences.append(paramètres[k]);
  return true;
}
