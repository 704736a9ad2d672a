// Point d'entrée : branche les services Qt et les fenêtres, puis ouvre la fenêtre
// de bienvenue.
#include <QApplication>
#include <QCommandLineParser>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QFileInfo>
#include <QLocale>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTranslator>
#include <QUrl>
#include <cstdio>
#include <cstdlib>
#include <memory>
#ifdef Q_OS_WIN
#include <windows.h>
#endif

#include "demarrage/bienvenue.h"
#include "noyau/base/etat.h"
#include "noyau/base/piege.h"
#include "noyau/demo/demo.h"
#include "noyau/fichiers/relecture.h"
#include "noyau/fusion/decision.h"
#include "plateforme/fichiers.h"
#include "plateforme/qt/boitesqt.h"
#include "plateforme/qt/imprimanteqt.h"
#include "plateforme/qt/style.h"
#include "plateforme/services.h"
#include "socle/registre.h"

namespace {

// Le dossier de démonstration vit jusqu'à la fin du programme, même par exit().
std::unique_ptr<QTemporaryDir> dossierdémo;

// La copie portable (la clé USB) : ce fichier à côté d'evalo.exe fait garder les données,
// les exportations et les réglages à côté du programme, rien sur l'ordinateur.
const QString marqueportable = QStringLiteral("evalo-portable.txt");

QString dossierportable() {
  const QString programme = QCoreApplication::applicationDirPath();
  return QFileInfo::exists(programme + u'/' + marqueportable) ? programme : QString();
}

QString choisirracine(const QCommandLineParser& options) {
  if (options.isSet(QStringLiteral("demo"))) {
    dossierdémo = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/evalo-demo-XXXXXX"));
    créerannéedémo(dossierdémo->path());
    return dossierdémo->path();
  }
  if (options.isSet(QStringLiteral("racine"))) return QDir(options.value(QStringLiteral("racine"))).absolutePath();
  if (const QString portable = dossierportable(); !portable.isEmpty()) {
    exportationsdans(portable);
    // Les réglages de Qt (dernier dossier d'un choix de fichier) : un fichier ini sur la clé, pas le registre.
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, portable + QStringLiteral("/Données Evalo"));
    return portable + QStringLiteral("/Données Evalo");
  }
  return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

}  // namespace

void décrireoptions(QCommandLineParser& options) {
  options.setApplicationDescription(QStringLiteral("Evalo : carnet de cotes par compétences."));
  options.addHelpOption();
  options.addVersionOption();
  options.addOption({QStringLiteral("racine"), QStringLiteral("Dossier des données (usage portable, essais)."),
                     QStringLiteral("DOSSIER")});
  options.addOption({QStringLiteral("demo"),
                     QStringLiteral("Démarre sur une année scolaire de démonstration, dans un dossier temporaire.")});
}

namespace {

// Dernier filet : une commande abandonnée après une erreur de données (sa boîte est
// déjà montrée) s'arrête là, et la fenêtre qui l'avait lancée reste ouverte.
class ApplicationEvalo : public QApplication {
public:
  using QApplication::QApplication;
  bool notify(QObject* objet, QEvent* évènement) override {
    try {
      return QApplication::notify(objet, évènement);
    } catch (const CommandeArrêtée&) {
      return false;
    } catch (const ErreurEvalo& erreur) {
      boîtes().avertissement(erreur.texte(), QStringLiteral("Erreur !"));
      return false;
    }
  }
};

}  // namespace

int main(int argc, char* argv[]) {
#ifdef Q_OS_WIN
  // Lancé d'une invite de commandes, --version et --help y écrivent (sans boîte) ; une
  // sortie déjà redirigée (fichier, tube) est gardée.
  const HANDLE sortie = GetStdHandle(STD_OUTPUT_HANDLE);
  if ((sortie == nullptr || sortie == INVALID_HANDLE_VALUE) && AttachConsole(ATTACH_PARENT_PROCESS)) {
    std::freopen("CONOUT$", "w", stdout);
    std::freopen("CONOUT$", "w", stderr);
  }
#endif
  QCommandLineParser options;
  décrireoptions(options);
  {
    // --help et --version répondent sans écran.
    QCoreApplication lecture(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(EVALO_VERSION));
    QTranslator traduction;
    if (traduction.load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
      QCoreApplication::installTranslator(&traduction);
#ifdef Q_OS_WIN
    // Qt répondrait par une boîte quand la sortie n'est pas une console : la réponse va
    // à la sortie, comme sous Linux (une invite de commandes, un fichier, un tube).
    if (options.parse(lecture.arguments()) && (options.isSet(QStringLiteral("version")) || options.isSet(QStringLiteral("help")))) {
      const QString texte = options.isSet(QStringLiteral("version"))
                                ? QStringLiteral("evalo %1\n").arg(QStringLiteral(EVALO_VERSION))
                                : options.helpText();
      std::fputs(texte.toLocal8Bit().constData(), stdout);
      std::fflush(stdout);
      return 0;
    }
#endif
    options.process(lecture);
  }
  ApplicationEvalo application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Evalo"));
  QApplication::setApplicationVersion(QStringLiteral(EVALO_VERSION));
  QLocale::setDefault(QLocale(QLocale::French, QLocale::Belgium));
  chargerlespolicesàcôté();
  poserlestyle();
  QTranslator traductionqt;
  if (traductionqt.load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&traductionqt);

  BoitesQt boîtesqt;
  ParcImprimantesQt imprimantesqt;
  services().boites = &boîtesqt;
  services().imprimantes = &imprimantesqt;
  // Fin immédiate : les fichiers sont déjà écrits en entier ; les fenêtres ouvertes
  // ne sont pas détruites une à une, seul le dossier de démonstration est effacé.
  services().terminer = [] {
    dossierdémo.reset();
    std::fflush(nullptr);
    std::_Exit(0);
  };
  services().ouvrirdocument = [](const QString& chemin) { QDesktopServices::openUrl(QUrl::fromLocalFile(chemin)); };
  services().dossierprogramme = choisirracine(options);
  QDir().mkpath(services().dossierprogramme);

  services().choisirfichier = [](const QString& titre, const QString& filtres) {
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), titre, QDir::homePath(), filtres);
  };
  services().choisirdossier = [](const QString& titre, const QString& départ) {
    return QFileDialog::getExistingDirectory(QApplication::activeWindow(), titre, départ);
  };
  brancherfenêtres();
  brancherfusiondesclasses();
  brancherrelecture();

  // La liste des classes prend la suite de la bienvenue ; on n'en sort que par
  // "Quitter", qui sauvegarde et termine le programme.
  montrermodale(QStringLiteral("Bienvenue"));
  if (Bienvenue().sessionprête()) montrermodale(QStringLiteral("fenêtrelisteclasses"));
  return 0;
}
