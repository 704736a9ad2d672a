#pragma once
// Statistiques d'un test : les notes comptées (ni "A", ni "NC", ni "?" ; "AI"
// compte 0), leur médiane, leur écart type et leur répartition par dixième du maximum.

#include <QString>
#include <QStringList>
#include <array>

struct StatistiquesTest {
  int comptées = 0;
  double moyenne = 0, médiane = 0, écarttype = 0;  // écart type de la classe (divisé par le nombre de notes)
  double meilleure = 0, moinsbonne = 0;
  int échecs = 0;  // sous la moitié du maximum
  std::array<int, 10> répartition{};  // [0] : moins d'un dixième du maximum ... [9] : de 9/10 au maximum
};

StatistiquesTest statistiquestest(const QStringList& notes, int maximum);

// Les mêmes en quelques lignes, pour une bulle d'aide.
QString textestatistiques(const StatistiquesTest& s, int maximum);
