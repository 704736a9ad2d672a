// Écrit le logo du programme en PNG à chaque taille demandée, pour le thème
// d'icônes hicolor : <dossier>/<taille>/evalo.png.
#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <cstdio>

#include "socle/fenetre.h"

int main(int argc, char* argv[]) {
  QGuiApplication application(argc, argv);
  if (argc < 3) {
    std::fprintf(stderr, "usage : icones DOSSIER TAILLE...\n");
    return 2;
  }
  const QString dossier = QString::fromLocal8Bit(argv[1]);
  for (int i = 2; i < argc; ++i) {
    const int taille = QString::fromLatin1(argv[i]).toInt();
    const QString sous = dossier + QStringLiteral("/%1").arg(taille);
    if (taille <= 0 || !QDir().mkpath(sous) || !logoevalo(taille).save(sous + QStringLiteral("/evalo.png"))) {
      std::fprintf(stderr, "icones : impossible d'écrire l'icône de %s pixels\n", argv[i]);
      return 1;
    }
  }
  return 0;
}
