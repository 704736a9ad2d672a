#pragma once
// Fichier des remarques "commentaires.txt" du dossier racine (hors du dossier des
// données : il ne va pas sur le disque amovible) et matières des classes voisines.

#include <QString>
#include <QStringList>

QString cheminremarques();
// Remarques enregistrées, élément par élément (une virgule sépare deux éléments).
QStringList lireremarques();
// Ajoute une ligne à la fin du fichier des remarques.
void ajouterremarque(const QString& texte);
// Lignes du fichier, telles quelles (pour l'éditeur), et leur réécriture entière.
QStringList lignesremarques();
void écrireremarques(const QStringList& lignes);

// Matières des interrogations écrites, pour la clé courante, des classes dont le
// nom commence par la même lettre que la classe courante.
QStringList matièresdesclassesvoisines();
