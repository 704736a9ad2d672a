#pragma once
// Questions communes aux fenêtres qui règlent une classe (nouvelle classe,
// renseignements de la classe, profil automatique) : examens et leurs maxima,
// maximum des périodes, poids des compétences.

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QStringList>
#include <optional>

#include "noyau/base/tableaux.h"

// Ligne d'un examen : " Examen n° 2 : / 50".
QString ligneexamen(int numéro, const QString& maximum);
// Maximum d'une ligne d'examen : le nombre qui suit le dernier "/".
int maximumdeligne(const QString& ligne);

QStringList lignes(const QListWidget* liste);
void remplir(QListWidget* liste, const QStringList& lignes);

// "Combien d'examens ?" : les lignes d'examen suivent le nombre, les nouvelles sur 20.
// Un nombre sous celui des examens déjà créés est refusé (la question revient).
void demandernombreexamens(QListWidget* examens, QLabel* nombre, int déjàcréés = 0);
// Corrige le maximum de l'examen choisi.
void corrigermaxexamen(QListWidget* examens);
// "Quel est la note maximale pour chaque période ?"
void demandermaxpériode(QLabel* maximum);
// "Tapez le coefficient pour : " nom. Annuler ou une réponse vide rendent sivide ;
// un poids hors de 0..100 est refusé par un avertissement et ne rend rien.
std::optional<double> poidsdemandé(const QString& nom, std::optional<double> sivide);
// "020% -> Calcul".
QString lignepoids(double poids, const QString& nom);
// Poids de la compétence choisie ; Annuler ou une réponse vide donnent "000".
void demanderpoids(QListWidget* compétences);

// Lignes d'examen d'après un nombre d'examens et leurs maxima.
QStringList lignesexamens(const Tableau<int>& maxima, int nombre, int défaut);
// Maxima lus sur les lignes d'examen.
QList<int> maximadeslignes(const QListWidget* examens);

// "Classe de : 5A   Cours : Mathématique", le nom et le cours en gras.
QHBoxLayout* entêteclasse(QLabel* etiqnomclasse, QLabel* classe, QLabel* Etiquette2, QLabel* cours);
