#pragma once
// Petites routines du module partagé, employées par toutes les fenêtres.

#include <QDate>
#include <QString>

// " 13 - 14" pour l'année 13 : chaque nombre avec son blanc de tête, l'année
// suivante de 99 étant 0.
QString formerannéeaffichée(const QString& annéescolaire);
// Forme état().annéeaffichée à partir de état().annéescolaire.
void actualiserannéeaffichée();

// "P" et 3 donnent "P3".
void fixerpériodecourante(QChar lettre, int numéro);

// Texte d'une compétence sans son préfixe de poids ("050% -> Calcul" donne "Calcul").
QString nomcompétence(const QString& compétence);
// Poids en pour cent : le nombre des trois premiers caractères.
int poidscompétence(const QString& compétence);

// Position d'une fenêtre, en twips, centrée sur l'écran et 200 twips plus haut.
struct PositionFenêtre {
  int gauche;
  int haut;
};
PositionFenêtre centrerfenêtre(int largeurécran, int hauteurécran, int largeur, int hauteur);

// Boîte d'avertissement (rend OK ou ANNULER) et boîte de question (OUI, NON, ANNULER).
int avertissement(const QString& texte, const QString& titre);
int question(const QString& texte, const QString& titre, const QString& détails = QString());

// Une réponse tapée là où un nombre est attendu et qui n'en est pas un (des
// lettres, "12,5") est nommée dans une boîte au titre de la question : vrai quand
// elle est ainsi refusée. La question revient alors.
bool refusénonnombre(const QString& réponse, const QString& titre);

// Passe le texte à la fenêtre des remarques et rend ce qu'elle y a laissé.
QString demandertexte(const QString& texte);

// Code de l'année scolaire en cours à une date : les deux derniers chiffres de
// l'année où elle commence (septembre 2026 à juin 2027 : "26").
QString annéescolairedudate(const QDate& date);

// Demande l'année scolaire ("CORRECTION") : hors de 0..99, bip et nouvelle
// demande ; une réponse vide ne change rien. Rend vrai quand l'année a changé.
bool demanderannéescolaire();
