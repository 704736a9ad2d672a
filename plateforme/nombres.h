#pragma once
// Conversions entre nombres et textes, à l'identique partout dans le programme :
// point décimal dans les fichiers, virgule dans les textes affichés.

#include <QString>
#include <QStringView>

#include "plateforme/erreurs.h"

// Plus petit et plus grand entier que le programme accepte (entiers signés de 16 bits).
inline constexpr int entiermin = -32768;
inline constexpr int entiermax = 32767;

// Nombre en tête d'un texte : saute les blancs de tête, s'arrête au premier caractère
// qui ne peut pas prolonger un nombre ; 0 pour un texte qui ne commence pas par un nombre.
double val(QStringView texte);

// Vrai quand le texte, blancs autour ôtés, est un nombre et rien d'autre.
bool estnombre(QStringView texte);

// Texte d'un nombre avec le point, précédé d'un blanc quand il n'est pas négatif.
QString str(double valeur);

// Entier le plus proche, les moitiés allant au voisin pair ; hors de -32768..32767,
// lève ErreurDonnée.
int arrondipair(double valeur);

// Vérifie qu'un entier tient sur 16 bits signés ; sinon lève ErreurDonnée.
int entier16(long long valeur);

// Mise en forme selon un motif fait de "0", "#" et d'un point ("000", "##0.0", "###") :
// les "0" imposent un chiffre, les "#" n'en montrent que s'il compte ; les moitiés
// s'arrondissent en s'éloignant de zéro, sur les 15 chiffres significatifs du nombre.
QString format(double valeur, QStringView motif);

// Même chose avec la virgule française, pour les textes seulement affichés.
QString formatvirgule(double valeur, QStringView motif);

// Trim des fichiers : ôte les blancs (espaces) de tête et de fin, rien d'autre.
QString sansblancs(QStringView texte);

// Une moyenne de la classe comme la grille la montre : au dixième, une moitié exacte
// vers le dixième pair (12.25 donne 12.2).
double moyenneaudixième(double valeur);
