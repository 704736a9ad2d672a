#include "noyau/regles/collage.h"

#include <QSet>

#include "noyau/base/etat.h"
#include "noyau/fichiers/notesclasse.h"
#include "noyau/regles/resultats.h"
#include "noyau/regles/saisienote.h"

namespace {

QList<QStringList> cellulesdu(const QString& texte) {
  QString t = texte;
  t.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
  QStringList lignes = t.split(u'\n');
  while (!lignes.isEmpty() && lignes.last().trimmed().isEmpty()) lignes.removeLast();  // la fin de ligne finale
  QList<QStringList> cellules;
  cellules.reserve(lignes.size());
  for (const QString& l : lignes) cellules.append(l.split(u'\t'));
  return cellules;
}

}  // namespace

ÉtatCollage collernotes(int s, int k, const QString& pressepapiers) {
  ÉtatPartagé& é = état();
  ÉtatCollage résultat;
  QSet<int> touchés;
  const QList<QStringList> cellules = cellulesdu(pressepapiers);
  for (int i = 0; i < cellules.size(); ++i)
    for (int j = 0; j < cellules[i].size(); ++j) {
      const QString texte = cellules[i][j].trimmed();
      if (texte.isEmpty()) continue;
      const int élève = s + i, interro = k + j;
      if (élève > é.nbélèves) {
        résultat.refus.append({élève, interro, texte, QStringLiteral("pas d'élève à cette ligne")});
        continue;
      }
      if (interro > é.nbinterros) {
        résultat.refus.append({élève, interro, texte, QStringLiteral("pas d'interrogation écrite à cette colonne")});
        continue;
      }
      const NoteLue lue = lirenote(QString(texte).replace(u',', u'.'), é.maxinterro[interro]);
      if (!lue.refus.isEmpty()) {
        résultat.refus.append({élève, interro, texte, lue.refus});
        continue;
      }
      é.noteinterro(élève, interro) = lue.note;
      touchés.insert(élève);
      ++résultat.acceptées;
    }
  for (int élève : touchés) {
    calculerrésultats(élève);
    reconstruireligne(élève);
  }
  return résultat;
}

QString copiercellules(const QList<QStringList>& lignes) {
  QStringList t;
  t.reserve(lignes.size());
  for (const QStringList& l : lignes) t.append(l.join(u'\t'));
  return t.join(u'\n') + u'\n';
}
