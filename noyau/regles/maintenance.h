#pragma once
// Forme d'une classe : ordre des élèves, élèves, tests et notes orales ajoutés ou
// retirés. Ces routines changent la classe-période chargée ; l'appelant l'écrit.

#include <QList>
#include <QString>
#include <functional>

#include "noyau/suivi/modifications.h"

// Trie les élèves par nom sans égard à la casse, chacun avec ses préparations non
// faites (0 à 99), puis redécoupe les lignes et recalcule les résultats.
void trierélèves();

// Vrai quand la ligne de l'élève i n'est plus à sa place parmi ses voisins.
bool élèvedéplacé(int i);

// Nouvel élève : "A" à chaque test déjà donné, ni note orale ni préparation ;
// puis les élèves sont triés.
void ajouterélève(const QString& nom);

// Retire l'élève s ; les suivants remontent d'une place. Rien quand s manque.
void retirerélève(int s);

// Le dernier test disparaît ; un autre devient "NC" pour tous. Résultats et
// lignes refaits, statistiques recalculées.
void supprimerinterro(int k);

// Retire la note orale j de l'élève s ; la colonne orale de trop disparaît.
void supprimernoteorale(int s, int j);

struct NoteOraleSaisie {
  int maximum = 0;
  double note = 0;
  QString libellé;  // date, " - ", matière
  int compétence = 1;
};
// Ajoute une note orale à l'élève s et recalcule son résultat.
void ajouternoteorale(int s, const NoteOraleSaisie& n);

// Charge chaque période puis chaque examen de la classe ouverte, y applique
// changer et garde les lignes du fichier changé, sans rien écrire ; la clé
// courante est remise à la fin (la classe-période n'est pas rechargée).
QList<FichierPréparé> préparerchaquepériode(const std::function<void()>& changer);
