#pragma once
// Réglages d'une classe déjà entrée : maxima des périodes et des examens,
// compétences de la classe-période ouverte. Ces routines changent l'état et
// préparent les fichiers ; l'appelant les écrit ensemble.

#include <QList>
#include <QStringList>

#include "noyau/suivi/modifications.h"

struct MaximaClasse {
  int maxpériode = 0;
  QList<int> examens;  // maximum de l'examen e à l'indice e - 1
};

// Recalcule les résultats de chaque période et de chaque examen créé dont le
// maximum change, puis pose les nouveaux maxima : rend les fichiers des notes
// changés suivis du fichier des maxima. Un examen créé sans ligne n'est pas
// recalculé. La clé courante reste celle de départ.
QList<FichierPréparé> préparermaxima(const MaximaClasse& nouveaux);

// Vrai quand un test écrit ou une note orale de la classe-période ouverte a la
// compétence c.
bool compétenceutilisée(int c);

// Compétences des lignes de la fenêtre (celles de la classe d'abord, dans leur
// ordre, puis d'autres) : les lignes à "000" quittent la classe, chaque test et
// chaque note orale garde sa compétence sous son nouveau numéro, les résultats
// sont recalculés. Rend les fichiers des notes et des tests de la classe-période.
QList<FichierPréparé> adoptercompétences(const QStringList& lignes, int nombreinitial);

// Les lignes gardées : celles dont le poids n'est pas "000".
QStringList compétencespondérées(const QStringList& lignes);
