// Feuille principale : le menu "Exporter".

#include "feuille/principale.h"

#include <QDir>

#include "noyau/base/dossiers.h"
#include "noyau/base/etat.h"
#include "noyau/base/module.h"
#include "noyau/base/portetexte.h"
#include "noyau/sorties/classeur.h"
#include "noyau/sorties/exports.h"
#include "plateforme/fichiers.h"
#include "plateforme/nombres.h"
#include "plateforme/systeme.h"
#include "plateforme/services.h"

namespace {

QString natif(const QString& chemin) { return QDir::toNativeSeparators(chemin); }

// Vrai quand le fichier est écrit ; sinon l'erreur est dite, avec le fichier et sa cause.
bool exporter(const QString& chemin, const QStringList& lignes) {
  try {
    écrireexport(chemin, lignes);
    return true;
  } catch (const ErreurFichier& e) {
    boîtes().message(e.texte() + QStringLiteral("\n\nLe fichier n'a pas été créé."), titreerreur(chemin));
    return false;
  }
}

void transfertok(const QString& chemin) {
  avertissement(QStringLiteral("Transfert terminé sous le nom : ") + natif(chemin), QStringLiteral("Transfert OK !"));
}

}  // namespace

QString FenetrePrincipale::choixexport() {
  const QString titre = QStringLiteral("Type d'exportation");
  QString réponse;
  do {
    réponse = boîtes().saisie(QStringLiteral("Taper le numéro correspondant à votre choix.\n\n"
                                             "1. Excel => *.csv\n2. Word => *.doc"),
                              titre, QStringLiteral("1"));
    if (réponse.isEmpty()) return QString();
  } while (refusénonnombre(réponse, titre));
  const double choix = val(réponse);
  return choix == 1 ? typecsv : choix == 2 ? typedoc : QString();
}

void FenetrePrincipale::exportnoms_Click() {
  const QString chemin = nomexportnoms();
  if (exporter(chemin, lignesnoms()))
    avertissement(QStringLiteral("Fichier créé sous le nom :\n") + natif(chemin) + u'.', QStringLiteral("Sauvegarde effectuée."));
}

void FenetrePrincipale::exportnotes_Click() {
  const QString type = choixexport();
  if (type.isEmpty()) return;
  const QString chemin = nomexportnotes(type);
  if (exporter(chemin, lignesnotes(type))) transfertok(chemin);
}

void FenetrePrincipale::exportclasseur_Click() {
  const QString chemin = nomexportclasseur();
  QString erreur;
  {
    // Une erreur de données (fichier abîmé) dit sa cause plus haut ; le sablier s'en va avec elle.
    const SablierActif sablier;
    try {
      écrireclasseur(chemin);
    } catch (const ErreurFichier& e) {
      erreur = e.texte();
    }
  }
  if (!erreur.isEmpty())
    boîtes().message(erreur + QStringLiteral("\n\nLe classeur n'a pas été créé."), titreerreur(chemin));
  else
    transfertok(chemin);
}

void FenetrePrincipale::mnuexportmoy_Click() {
  const QString type = choixexport();
  if (type.isEmpty()) return;
  const QString chemin = nomexportmoyennes(type);
  if (exporter(chemin, lignesmoyennes(type))) transfertok(chemin);
}

int FenetrePrincipale::demandercompétenceexport() {
  const ÉtatPartagé& é = état();
  QString invite = QStringLiteral("Quel est le n° de la compétence à utiliser ?");
  for (int j = 1; j <= é.nbcompétences(); ++j) invite += u'\n' + QString::number(j) + QStringLiteral(") ") + é.listecompétences[j];
  const QString titre = QStringLiteral("Choix de la compétence dont il faut la moyenne");
  QString réponse;
  do {
    réponse = boîtes().saisie(invite, titre, QString());
  } while (!réponse.isEmpty() && refusénonnombre(réponse, titre));
  const double c = val(réponse);
  return c >= 1 && c <= é.nbcompétences() ? static_cast<int>(c) : 0;
}

// Le dossier tapé doit exister : la question revient tant qu'il n'existe pas.
QString FenetrePrincipale::demanderdossierexport() {
  QString dossier = QDir::toNativeSeparators(dossierdesdocuments() + u'/');
  for (;;) {
    dossier = boîtes().saisie(QStringLiteral("Quel est le chemin du dossier (existant) dans lequel il faut sauver le "
                                             "fichier ? (exemple : <e:\\mes points\\>"),
                              QStringLiteral("Dossier de sauvegarde"), dossier);
    const auto admis = texteadmis(dossier, GenreTexte::Chemin);
    if (!admis) continue;
    dossier = *admis;
    if (dossier.isEmpty()) return QString();
    if (dossierexiste(cheminréel(dossier))) return dossier;
    boîtes().message(QStringLiteral("Le dossier « %1 » n'existe pas.  Tapez le chemin d'un dossier existant.").arg(dossier),
                     QStringLiteral("Dossier de sauvegarde"));
  }
}

void FenetrePrincipale::exporttotcomp_Click() {
  const int c = demandercompétenceexport();
  if (c == 0) return;
  boîtes().sablier(true);
  const QList<std::optional<int>> moyennes = moyennescompétence(c);
  boîtes().sablier(false);
  const QString dossier = demanderdossierexport();
  if (dossier.isEmpty()) return;
  const ÉtatPartagé& é = état();
  for (int s = 1; s <= std::min(é.nbélèves, static_cast<int>(moyennes.size())); ++s)
    if (!moyennes[s - 1])
      avertissement(QStringLiteral("Impossible de calculer la moyenne pour cet élève car il n'a pas de notes !"), é.nomélève[s]);
  const QString chemin = nomexportcompétence(dossier, c);
  if (exporter(chemin, lignescompétence(moyennes)))
    avertissement(QStringLiteral("Fichier ") + natif(chemin) + QStringLiteral(" créé."), QStringLiteral("Terminé !"));
}
