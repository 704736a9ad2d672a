#pragma once
// Liste des utilisateurs : "utilisateurs.evl" dans le dossier du programme, un nom
// par ligne dans l'ordre de création. Chaque utilisateur a son dossier sous le
// dossier du programme, avec ses renseignements et ses données.

#include <QString>
#include <QStringList>

QString fichierutilisateurs();  // chemin réel de "utilisateurs.evl"
QString dossierutilisateur(const QString& nom);  // dossier du programme & "\" & nom
QStringList lireutilisateurs();

// Vide quand le nom peut devenir un dossier sous le dossier du programme ;
// sinon la raison du refus.
QString refusnomutilisateur(const QString& nom);

// Allume la liste des utilisateurs : crée "utilisateurs.evl" vide s'il manque.
void créerlisteutilisateurs();

// Crée le dossier de l'utilisateur s'il manque (un dossier existant et ses données
// sont repris) et ajoute son nom à la fin de la liste.
void ajouterutilisateur(const QString& nom);
// Récrit la liste ; une liste vide supprime le fichier (plus de liste des utilisateurs).
// Les dossiers des utilisateurs ne sont jamais touchés.
void écrireutilisateurs(const QStringList& noms);
