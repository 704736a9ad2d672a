#pragma once
// Résultat d'un élève : pourcentage pondéré par compétence, exprimé en points du
// maximum de la période ou de l'examen.

#include <QList>
#include <QStringList>
#include <vector>

// Une note qui entre (ou non) dans le calcul d'une compétence.
struct NoteDuCalcul {
  bool orale = false;
  int numéro = 0;      // du test (tel que la feuille le montre) ou de la note orale
  QString libellé;     // de la note orale
  QString note;        // telle que tapée ("A", "NC", "12.5") ; nombre pour une note orale
  int maximum = 0;
  bool comptée = true;  // "A" et "NC" ne comptent pas
};

struct DétailCompétence {
  int numéro = 0;
  int poids = 0;  // en pour cent
  double obtenus = 0;
  int possibles = 0;
  bool notée = false;
  int pourcent = -1;  // -1 : pas de résultat
  QList<NoteDuCalcul> notes;
};

// Le calcul d'un résultat pas à pas ; calculerrésultats n'en garde que le total et
// les pourcentages, l'explication montre le reste.
struct DétailRésultat {
  std::vector<DétailCompétence> compétences;  // compétence j à l'indice j - 1
  int totalpossible = 0;
  double sommepondérée = 0;
  int poidsutilisé = 0;
  double pourcentage = 0;
  double points = 0;
  QString total = QStringLiteral("?");
};

// Le calcul du résultat de l'élève i, sans rien changer. Lève ErreurDonnée comme
// calculerrésultats.
DétailRésultat détaillerrésultat(int i);

// Fixe totalélève(i) et pourcentcompétence(i, j). N'écrit rien sur le disque.
// Lève ErreurDonnée quand une somme dépasse 32767 ou qu'un test renvoie à une
// compétence qui n'existe pas.
void calculerrésultats(int i);

// Vrai quand les poids des compétences font exactement 100 ; sinon le dit.
bool vérifierpoids();
// La même vérification sur des lignes de compétences qui ne sont pas encore celles de la classe.
bool poidsvalides(const QStringList& compétences);
