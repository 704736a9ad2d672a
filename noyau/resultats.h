#pragma once
// Résultat d'un élève : pourcentage pondéré par compétence, exprimé en points du
// maximum de la période ou de l'examen.

// Fixe totalélève(i) et pourcentcompétence(i, j). N'écrit rien sur le disque.
// Lève ErreurDonnée quand une somme dépasse 32767 ou qu'un test renvoie à une
// compétence qui n'existe pas.
void calculerrésultats(int i);

// Vrai quand les poids des compétences font exactement 100 ; sinon le dit.
bool vérifierpoids();
