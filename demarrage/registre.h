#pragma once
// Registre des fenêtres : une seule instance par fenêtre, créée à la première
// demande, et l'affichage modal par son nom.

class FenetreBienvenue;
class FenetreRenseignements;

FenetreBienvenue& Bienvenue();
FenetreRenseignements& renseignementspardéfaut();

// Branche montrermodale(nom) des services sur les fenêtres du programme.
void brancherfenêtres();
// Détruit les fenêtres créées (fin du programme, essais).
void oublierfenêtres();
