#include "noyau/base/dossiers.h"

#include <QDir>
#include <algorithm>

#include "plateforme/services.h"

#include "noyau/base/etat.h"
#include "plateforme/fichiers.h"

QString nomlisteclasses() { return QStringLiteral("listclas.") + état().annéescolaire; }

QString nommaxima(const QString& clé) { return clé + u'\\' + clé + QStringLiteral(".MPE"); }

QString nomnotes(const QString& clé, const QString& période) {
  return clé + u'\\' + clé + u'.' + période + u'N';
}

QString nominterros(const QString& clé, const QString& période) {
  return clé + u'\\' + clé + u'.' + période + u'R';
}

QString nomclasseouverte(QChar suffixe) {
  const ÉtatPartagé& é = état();
  const QString clé = é.dossierclasse[é.classecourante];
  return clé + u'\\' + clé + u'.' + é.périodecourante + suffixe;
}

QString dossierdonnées() { return cheminréel(état().dossierracine + QStringLiteral("\\evalo")); }

QString chemindisquedur(const QString& relatif) {
  return cheminréel(état().dossierracine + QStringLiteral("\\evalo\\") + relatif);
}

QString cheminamovible(const QString& relatif) {
  QString dossier = état().dossieramovible;
  while (dossier.endsWith(u'\\') || dossier.endsWith(u'/')) dossier.chop(1);
  if (dossier.trimmed().isEmpty())
    throw ErreurFichier(CauseErreur::DossierManquant, relatif,
                        QStringLiteral("Aucun dossier n'est choisi pour le disque amovible. "
                                       "Choisissez-le dans les renseignements par défaut."));
  return cheminréel(dossier + u'\\' + relatif);
}

QString cheminrenseignements() { return cheminréel(état().dossierracine + QStringLiteral("\\rensdef.evl")); }

QString cheminaffichage() { return cheminréel(état().dossierracine + QStringLiteral("\\affichage.txt")); }

void préparerdossieramovible() {
  QString dossier = état().dossieramovible;
  while (dossier.endsWith(u'\\') || dossier.endsWith(u'/')) dossier.chop(1);
  if (dossier.trimmed().isEmpty()) return;
  const QString réel = cheminréel(dossier);
  if (réel == QDir::cleanPath(dossieramovibleordinaire())) créerdossier(réel);
}

bool nomrelatifsûr(const QString& nom) {
  if (nom.isEmpty() || nom.startsWith(u'/') || nom.startsWith(u'\\') || nom.contains(u':')) return false;
  const QStringList composants = QString(nom).replace(u'\\', u'/').split(u'/');
  return std::none_of(composants.begin(), composants.end(), [](const QString& c) {
    return c.isEmpty() || c == QStringLiteral(".") || c == QStringLiteral("..");
  });
}

QStringList nomssûrs(const QStringList& noms, const QString& fichier) {
  QStringList sûrs, ignorés;
  for (const QString& n : noms) (nomrelatifsûr(n) ? sûrs : ignorés).append(n);
  if (!ignorés.isEmpty())
    boîtes().message(QStringLiteral("Le fichier « %1 » nomme ce qui sortirait de son dossier ; ces lignes sont "
                                    "ignorées :\n\n%2")
                         .arg(QDir::toNativeSeparators(fichier), ignorés.join(u'\n')),
                     QStringLiteral("Liste abîmée"));
  return sûrs;
}

QString titreerreur(const QString& chemin) {
  return QStringLiteral("Erreur pour ") + QDir::toNativeSeparators(chemin) + QStringLiteral(" !");
}
