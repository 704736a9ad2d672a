#pragma once
// Année scolaire de démonstration et classes de mesure, écrites par les routines
// d'écriture du programme : les résultats des fichiers sont ceux qu'il calcule.

#include <QString>

// Écrit sous racine une année complète (renseignements, liste de cinq classes,
// trois périodes, examens) et sa copie sur le disque amovible racine/"Disque
// amovible". L'état partagé est remis à neuf à la fin.
void créerannéedémo(const QString& racine);

struct TailleClasse {
  int élèves = 30;
  int interros = 40;   // par période ou examen
  int orales = 10;     // notes orales par élève, par période
  int compétences = 4;
  int périodes = 3;
  int examens = 2;
};

// Écrit une classe unique "5A" de la taille voulue sous racine (sans disque
// amovible) et laisse l'état sur sa liste des classes, classe 1, période P1.
void créerclassedemesure(const QString& racine, const TailleClasse& taille);

// L'export d'un secrétariat : une ligne par élève de l'école, "Nom;Prénom;Classe;
// Date de naissance", classes de 28 élèves "1A" ... "1L", "2A" ... (la 5A existe
// dès 1 372 élèves), titres en tête, fins de ligne CR LF.
QString exportdesecrétariat(int élèves);
