#pragma once
// Ordre des élèves d'une classe-période.

// Trie les élèves par nom sans égard à la casse, chacun avec ses préparations non
// faites (0 à 99), puis redécoupe les lignes et recalcule les résultats.
void trierélèves();

// Vrai quand la ligne de l'élève i n'est plus à sa place parmi ses voisins.
bool élèvedéplacé(int i);
