#pragma once
// Fichier des renseignements par défaut "rensdef.evl" du dossier racine.

// Remplit l'état ; sans fichier, montre la fenêtre des renseignements par défaut
// jusqu'à ce qu'un fichier soit enregistré. Ajoute le "\" final aux deux dossiers.
void lirerenseignements();

// Ôte le "\" final des deux dossiers en mémoire puis écrit le fichier entier.
void écrirerenseignements();

// Écrit la largeur d'écran choisie dans "affichage.txt" et la garde dans tailleécran.
void écriretailleécran(int largeur);

// Largeur d'écran choisie ("affichage.txt" du dossier racine) dans tailleécran,
// quand le fichier existe.
void liretailleécran();
