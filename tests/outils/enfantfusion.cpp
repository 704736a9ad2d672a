// Quitte comme l'ordinateur B (copie de sortie qui fusionne sa classe avec celle du
// disque amovible) et se tue d'un vrai arrêt brutal (SIGKILL, TerminateProcess) à la n-ième opération de ses
// transactions. Arguments : dossier racine, disque amovible, n.
#include <QCoreApplication>
#include <QStringList>
#include <cstdlib>

#include "noyau/base/etat.h"
#include "noyau/fusion/decision.h"
#include "noyau/suivi/amovible.h"
#include "noyau/suivi/historique.h"
#include "plateforme/boites.h"
#include "plateforme/horloge.h"
#include "plateforme/services.h"
#include "plateforme/systeme.h"
#include "plateforme/transaction.h"

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  const QStringList arguments = QCoreApplication::arguments();  // en UTF-16 sous Windows aussi
  if (arguments.size() < 4) return 2;
  BoitesScriptees boîtes;
  HorlogeFixe horloge{QDateTime(QDate(2026, 9, 14), QTime(9, 30))};
  services().boites = &boîtes;
  services().horloge = &horloge;
  services().terminer = [] { std::exit(3); };
  services().montrermodale = [](const QString&) {};
  ÉtatPartagé& é = état();
  é.dossierracine = arguments[1];
  é.dossieramovible = arguments[2] + u'\\';
  é.annéescolaire = QStringLiteral("13");
  fixerordinateur(QStringLiteral("B"));
  brancherfusiondesclasses();
  simulerarrêtaprès(arguments[3].toInt(), [] { arrêterbrutalement(); });
  return sauvegardedesortieprincipale({}) ? 0 : 1;
}
