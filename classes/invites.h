#pragma once
// Questions communes aux fenêtres qui règlent une classe (nouvelle classe,
// renseignements de la classe, profil automatique) : examens et leurs maxima,
// maximum des périodes, poids des compétences.

#include <QLabel>
#include <QListWidget>
#include <QStringList>

// Ligne d'un examen : " Examen n° 2 : / 50".
QString ligneexamen(int numéro, const QString& maximum);
// Maximum d'une ligne d'examen : le nombre qui suit le dernier "/".
int maximumdeligne(const QString& ligne);

QStringList lignes(const QListWidget* liste);
void remplir(QListWidget* liste, const QStringList& lignes);

// "Combien d'examens ?" : les lignes d'examen suivent le nombre, les nouvelles sur 20.
void demandernombreexamens(QListWidget* examens, QLabel* nombre);
// Corrige le maximum de l'examen choisi.
void corrigermaxexamen(QListWidget* examens);
// "Quel est la note maximale pour chaque période ?"
void demandermaxpériode(QLabel* maximum);
// Poids de la compétence choisie ; Annuler ou une réponse vide donnent "000".
void demanderpoids(QListWidget* compétences);
