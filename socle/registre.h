#pragma once
// Registre des fenêtres : une seule instance par fenêtre, créée à la première
// demande, et l'affichage modal par son nom.

class FenetreBienvenue;
class FenetreUtilisateurs;
class FenetreBack;
class FenetreRenseignements;
class FenetreListeClasses;
class FenetreNouvelleClasse;
class FenetreChoixPeriodeExa;
class FenetrePrincipale;
class FenetreInterro;
class FenetreListeOrales;
class FenetreRema;
class FenetreEditeurRemarques;
class FenetreTotaux;
class FenetreClassement;
class FenetreRensClasse;
class FenetreCompetences;
class FenetreProfil;
class FenetreImprimer;
class FenetreChoixImprimante;
class FenetreFiche;
class FenetreSelection;
class FenetreHistorique;
class FenetreRepartition;
class FenetreConflits;
class FenetreImportListe;

FenetreBienvenue& Bienvenue();
FenetreUtilisateurs& utilisateurs();
FenetreBack& back();
FenetreRenseignements& renseignementspardéfaut();
FenetreListeClasses& fenêtrelisteclasses();
FenetreNouvelleClasse& fenêtrenouvelleclasse();
FenetreChoixPeriodeExa& choixpériodeexa();
FenetrePrincipale& principale();
FenetreInterro& fenêtreinterro();
FenetreListeOrales& listorales();
FenetreRema& rema();
FenetreEditeurRemarques& éditeurremarques();
FenetreTotaux& fenêtretotaux();
FenetreClassement& classement();
FenetreRensClasse& fenêtrerensclasse();
FenetreCompetences& fcompétences();
FenetreProfil& ProfilAutomatique();
FenetreImprimer& fenêtreimprimer();
FenetreChoixImprimante& Form3();
FenetreFiche& ficheindividuelle();
FenetreSelection& fenêtrerécapitulatif();
FenetreHistorique& fenêtrehistorique();
FenetreRepartition& fenêtrerépartition();
FenetreConflits& fenêtreconflits();
FenetreImportListe& fenêtreimportliste();

// Branche montrermodale(nom) des services sur les fenêtres du programme.
void brancherfenêtres();
// Détruit les fenêtres créées (fin du programme, essais).
void oublierfenêtres();
