// Écrit sans fin des générations de cinq fichiers, chacune en une transaction ;
// l'essai qui le lance le tue à un instant quelconque.
#include <QByteArray>
#include <QDir>
#include <cstdio>

#include "plateforme/transaction.h"

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const QDir dossier(QString::fromLocal8Bit(argv[1]));
  const char* noms[] = {"listclas.13", "5A131/5A131.P1N", "5A131/5A131.P2N", "5A131/5A131.E1N", "5A131/5A131.P1R"};
  for (long génération = 1;; ++génération) {
    QList<FichierÀÉcrire> fichiers;
    for (const char* n : noms)
      fichiers.append({dossier.filePath(QString::fromLatin1(n)),
                       QByteArray::number(génération) + ' ' + QByteArray(n).repeated(int(génération % 50) + 1)});
    écrireensemble(fichiers, dossier.filePath(QStringLiteral("transaction.evl")));
    if (génération == 1) {
      std::puts("prêt");
      std::fflush(stdout);
    }
  }
}
