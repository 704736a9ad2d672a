#include "noyau/dossiers.h"

#include <QDir>

#include "noyau/etat.h"
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

QString titreerreur(const QString& chemin) {
  return QStringLiteral("Erreur pour ") + QDir::toNativeSeparators(chemin) + QStringLiteral(" !");
}
