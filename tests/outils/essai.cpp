#include "tests/outils/essai.h"

#include "noyau/suivi/historique.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "noyau/base/dossiers.h"
#include "noyau/base/etat.h"
#include "noyau/fichiers/relecture.h"
#include "noyau/fusion/decision.h"
#include "noyau/suivi/amovible.h"
#include "plateforme/encodage.h"
#include "plateforme/fichiers.h"
#include "plateforme/services.h"

void EssaiDonnees::SetUp() {
  ASSERT_TRUE(temporaire.isValid());
  racine = temporaire.path() + QStringLiteral("/racine");
  dossieramov = temporaire.path() + QStringLiteral("/clé usb");
  // Le dossier de l'utilisateur de l'essai : HOME, et USERPROFILE que Windows lit ; ses
  // Documents, que Windows tient de son registre, pour les exportations.
  const QString maison = temporaire.path() + QStringLiteral("/maison");
  for (const char* variable : {"HOME", "USERPROFILE"}) qputenv(variable, maison.toUtf8());
  exportationsdans(maison);
  QDir().mkpath(racine + QStringLiteral("/evalo"));
  QDir().mkpath(dossieramov);
  QDir().mkpath(maison);

  réinitialiserétat();
  état().dossierracine = racine;
  état().dossieramovible = dossieramov + u'\\';
  état().annéescolaire = QStringLiteral("13");
  état().annéeaffichée = QStringLiteral(" 13 - 14");

  services().boites = &boîtes;
  services().horloge = &horloge;
  services().terminer = [] { throw ProgrammeTerminé{}; };
  services().montrermodale = [this](const QString& nom) {
    fenêtresmontrées.append(nom);
    if (surfenêtre) surfenêtre(nom);
  };
  brancherfusiondesclasses();
  brancherrelecture();
}

void EssaiDonnees::TearDown() {
  oublierhistoriques();
  brancherfusion({});
  brancherrelectureimages({});
  simulerdisqueplein(-1);
  simulerpanneaufichier(0);
  simulerdisquepleinaprès(-1);
  exportationsdans({});
  services() = Services{};
  EXPECT_TRUE(boîtes.toutesutilisées()) << "des réponses prévues n'ont servi à aucune boîte";
}

QString EssaiDonnees::disquedur(const QString& relatif) const { return chemindisquedur(relatif); }

QString EssaiDonnees::amovible(const QString& relatif) const {
  QString r = relatif;
  return dossieramov + u'/' + r.replace(u'\\', u'/');
}

void EssaiDonnees::écrire(const QString& chemin, const QByteArray& octets) {
  QDir().mkpath(QFileInfo(chemin).absolutePath());
  QFile f(chemin);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << chemin.toStdString();
  f.write(octets);
}

void EssaiDonnees::deuxdisques(const QString& nom, const QStringList& lignes) const {
  écrire(disquedur(nom), crlf(lignes));
  écrire(amovible(nom), crlf(lignes));
}

QByteArray EssaiDonnees::lire(const QString& chemin) {
  QFile f(chemin);
  if (!f.open(QIODevice::ReadOnly)) return QByteArray("<absent>");
  return f.readAll();
}

bool EssaiDonnees::existe(const QString& chemin) { return QFileInfo::exists(chemin); }

QByteArray crlf(const QStringList& lignes) { return octetsdelignes(lignes); }
