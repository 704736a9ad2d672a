// Point d'entrée : branche les services Qt. La fenêtre de bienvenue n'existe pas
// encore ; le programme le dit et s'arrête.
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTranslator>
#include <cstdio>

#include "noyau/etat.h"
#include "plateforme/qt/boitesqt.h"
#include "plateforme/services.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Evalo"));
  QApplication::setApplicationVersion(QStringLiteral(EVALO_VERSION));
  QLocale::setDefault(QLocale(QLocale::French, QLocale::Belgium));

  QTranslator traductionqt;
  if (traductionqt.load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&traductionqt);

  BoitesQt boîtesqt;
  services().boites = &boîtesqt;
  services().terminer = [] { std::exit(0); };
  état().dossierracine = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);

  std::fprintf(stdout, "Evalo %s : les services sont prêts (dossier des données : %s).\n"
                       "La fenêtre de bienvenue n'est pas encore livrée dans cette version.\n",
               EVALO_VERSION, qPrintable(état().dossierracine));
  return 0;
}
