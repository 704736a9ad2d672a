#pragma once
// Des notes collées depuis un tableur ou un fichier texte : une ligne par élève,
// une cellule par interrogation (séparées par des tabulations), à partir d'une
// case de la feuille. Un collage n'est pas une frappe : "12,5" se lit 12.5.

#include <QList>
#include <QString>

struct RefusCollé {
  int élève;      // 1..nbélèves, ou au-delà quand la ligne n'a pas d'élève
  int interro;    // 1..nbinterros, ou au-delà
  QString texte;  // tel que collé
  QString raison;
};

struct ÉtatCollage {
  QList<RefusCollé> refus;
  int acceptées = 0;
};

// Pose les notes admises dans les notes de la classe-période à partir de
// l'élève s et de l'interrogation k, recalcule les résultats et refait les
// lignes des élèves touchés ; les cellules vides ne changent rien. Rien n'est
// écrit sur le disque : l'appelant sauve la classe une fois.
ÉtatCollage collernotes(int s, int k, const QString& pressepapiers);

// Les cellules choisies, comme un tableur les prend : tabulations et fins de ligne.
QString copiercellules(const QList<QStringList>& lignes);
