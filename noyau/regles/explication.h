#pragma once
// "Comment est-ce calculé ?" : le résultat d'un élève ou son pourcentage dans une
// compétence, expliqué pas à pas à partir du calcul lui-même (détaillerrésultat),
// si bien que l'explication ne peut pas le contredire.

#include <QList>
#include <QString>

struct Explication {
  QString texte;
  QString total;          // le résultat expliqué, tel que calculé ("?" sans résultat)
  QList<int> pourcents;   // par compétence, -1 sans résultat
};

// Le résultat (MOY) de l'élève i de la classe-période ouverte.
Explication expliquerrésultat(int i);
// Le pourcentage de l'élève i dans la compétence c.
Explication expliquercompétence(int i, int c);
