#pragma once
// Résultat d'un élève : pourcentage pondéré par compétence, exprimé en points du
// maximum de la période ou de l'examen.

#include <QStringList>

// Fixe totalélève(i) et pourcentcompétence(i, j). N'écrit rien sur le disque.
// Lève ErreurDonnée quand une somme dépasse 32767 ou qu'un test renvoie à une
// compétence qui n'existe pas.
void calculerrésultats(int i);

// Vrai quand les poids des compétences font exactement 100 ; sinon le dit.
bool vérifierpoids();
// La même vérification sur des lignes de compétences qui ne sont pas encore celles de la classe.
bool poidsvalides(const QStringList& compétences);
