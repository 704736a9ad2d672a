// Un tour de l'alternance entre le programme de Linux et celui de Windows sur un même
// dossier de données (celui de la clé qui passe d'un ordinateur à l'autre) : ouvre
// l'année comme au démarrage, vérifie dans chaque classe les noms du premier tour et
// les notes de chaque tour d'avant, change une note, enregistre, puis relit les octets
// des fichiers écrits (Windows-1252, fins de ligne CR LF).
// Arguments : racine, tour (1 : l'année de démonstration est créée), fichier des noms
// attendus (écrit au premier tour, en UTF-8). Sortie : 0 si tout est là.
#include <QCoreApplication>
#include <algorithm>
#include <QFile>
#include <QStringList>
#include <cstdio>
#include <cstdlib>

#include "noyau/base/dossiers.h"
#include "noyau/base/etat.h"
#include "noyau/demo/demo.h"
#include "noyau/fichiers/listeclasses.h"
#include "noyau/fichiers/notesclasse.h"
#include "noyau/fichiers/renseignements.h"
#include "noyau/regles/resultats.h"
#include "noyau/regles/saisienote.h"
#include "plateforme/boites.h"
#include "plateforme/encodage.h"
#include "plateforme/horloge.h"
#include "plateforme/services.h"

namespace {

int fautes = 0;

void faute(const QString& texte) {
  ++fautes;
  std::fprintf(stderr, "%s\n", texte.toUtf8().constData());
}

void ouvrirannée(const QString& racine) {
  réinitialiserétat();
  état().dossierracine = racine;
  lirerenseignements();
  ouvrirannéepardéfaut();
}

// La note que le tour t donne à la première interrogation de l'élève 1 + (t - 1) % élèves.
int élèvedutour(int t) { return 1 + (t - 1) % état().nbélèves; }
QString notedutour(int t) { return vérifiernote(QStringLiteral("%1.5").arg(t + 2), état().maxinterro[1]); }

// Les octets d'un fichier écrit par le programme : pas de LF seul, et relus en
// Windows-1252, les noms de la classe ouverte.
void vérifieroctets(const QString& chemin) {
  QFile f(chemin);
  if (!f.open(QIODevice::ReadOnly)) return faute(QStringLiteral("illisible : ") + chemin);
  const QByteArray octets = f.readAll();
  for (qsizetype i = 0; i < octets.size(); ++i)
    if (octets[i] == '\n' && (i == 0 || octets[i - 1] != '\r'))
      return faute(QStringLiteral("LF sans CR dans ") + chemin);
  const QString texte = décoderansi(octets);
  for (int s = 1; s <= état().nbélèves; ++s)
    if (!texte.contains(état().nomélève[s]))
      return faute(QStringLiteral("« %1 » absent de %2").arg(état().nomélève[s], chemin));
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  const QStringList arguments = QCoreApplication::arguments();
  if (arguments.size() < 4) return 2;
  const QString racine = arguments[1];
  const int tour = arguments[2].toInt();
  BoitesScriptees boîtes;
  HorlogeFixe horloge{QDateTime(QDate(2026, 9, 14), QTime(8, 0).addSecs(60 * tour))};
  services().boites = &boîtes;
  services().horloge = &horloge;
  services().terminer = [] { std::exit(3); };
  services().montrermodale = [](const QString&) {};
  if (tour == 1) créerannéedémo(racine);
  ouvrirannée(racine);
  QFile attendus(arguments[3]);
  QStringList noms;
  if (tour == 1) {
    if (!attendus.open(QIODevice::WriteOnly)) return 2;
  } else if (attendus.open(QIODevice::ReadOnly)) {
    noms = QString::fromUtf8(attendus.readAll()).split(u'\n');
  }
  int vérifiées = 0, accentués = 0;
  for (int c = 1; c <= état().nbclasses; ++c) {
    ÉtatPartagé& é = état();
    é.classecourante = c;
    é.périodecourante = QStringLiteral("P1");
    chargerclasse();
    for (int s = 1; s <= é.nbélèves; ++s) {
      const QString nom = é.nomclasse[c] + u'/' + é.nomélève[s];
      accentués += std::any_of(nom.cbegin(), nom.cend(), [](QChar x) { return x.unicode() > 127; });
      if (tour == 1)
        attendus.write((nom + u'\n').toUtf8());
      else if (!noms.contains(nom))
        faute(QStringLiteral("nom changé ou perdu : ") + nom);
    }
    for (int t = 1; t < tour; ++t, ++vérifiées)
      if (é.noteinterro(élèvedutour(t), 1) != notedutour(t))
        faute(QStringLiteral("%1 : note du tour %2 perdue (%3 au lieu de %4)")
                  .arg(é.nomclasse[c])
                  .arg(t)
                  .arg(é.noteinterro(élèvedutour(t), 1), notedutour(t)));
    const int s = élèvedutour(tour);
    é.noteinterro(s, 1) = notedutour(tour);
    calculerrésultats(s);
    reconstruireligne(s);
    sauverclasse();
    vérifieroctets(chemindisquedur(nomnotes(é.dossierclasse[c], é.périodecourante)));
  }
  if (accentués == 0) faute(QStringLiteral("aucun nom accentué : l'encodage n'est pas éprouvé"));
  std::printf("tour %d : %d classes, %d notes des tours d'avant retrouvées, %d noms accentués, %d faute(s)\n", tour,
              état().nbclasses, vérifiées, accentués, fautes);
  return fautes == 0 ? 0 : 1;
}
