#pragma once
// L'état partagé de la session : une année scolaire, sa liste de classes et au plus
// une classe-période ouverte. Chaque fenêtre le lit et le change directement ; les
// routines de fichiers le remplissent depuis le disque et l'y écrivent.
// Entiers : valeurs de 16 bits signés, vérifiées là où elles entrent. Indicateurs :
// -1 (vrai) ou 0 (faux), comme dans les fichiers de l'ancien programme.

#include <QString>

#include "noyau/base/tableaux.h"

inline constexpr int VRAI = -1;
inline constexpr int FAUX = 0;

struct ÉtatPartagé {
  // Session et renseignements par défaut.
  QString dossierracine;  // chemin réel
  QString utilisateur;
  QString annéescolairedéfaut;
  QString annéescolaire;
  QString annéeaffichée;
  QString dossieramovible;   // toujours avec un "\" final en mémoire
  QString dossiersauvegarde;  // idem
  int nbpériodesdéfaut = 0;
  int nbexamensdéfaut = 0;
  int maxpériodedéfaut = 0;
  Tableau<int> maxexamensdéfaut;
  Tableau<QString> compétencesdéfaut;
  int arrondidemi = FAUX;
  int préparations = FAUX;
  int ouvrirprincipale = FAUX;
  int tailleécran = 800;
  QString imprimantechoisie;
  QString étatdémarrage;

  // Liste des classes de l'année.
  int nbclasses = 0;
  Tableau<QString> nomclasse;
  Tableau<QString> nomcours;
  Tableau<QString> dossierclasse;
  Tableau<int> dernièrepériode;
  Tableau<int> nbexamenscréés;
  int classecourante = 0;
  Tableau<QString> listeclassesaffichées;

  // Classe ouverte (fichier .MPE).
  int nbexamens = 0;
  int maxpériode = 0;
  Tableau<int> maxexamen;
  Tableau<QString> listecompétences;
  QString périodecourante;
  int maxcourant = 0;

  // Classe-période ouverte.
  int nbélèves = 0;
  int nbinterros = 0;
  int premièreinterro = 1;
  int nborales = 0;
  Tableau<QString> ligneélève;
  Tableau<QString> nomélève;
  Tableau2<QString> noteinterro;
  Tableau<int> nbnotesorales;
  Tableau2<int> maxorale;
  Tableau2<double> noteorale;
  Tableau2<QString> libelléorale;
  Tableau2<int> compétenceorale;
  Tableau<QString> totalélève;
  Tableau2<int> pourcentcompétence;
  Tableau<int> préparationsnonfaites;
  Tableau<int> maxinterro;
  Tableau<QString> dateinterro;
  Tableau<QString> matièreinterro;
  Tableau<int> compétenceinterro;
  Tableau<double> moyenneinterro;
  Tableau<int> échecsinterro;
  Tableau<int> nbnotesinterro;
  int numérointerro = 0;

  // Variables de travail passées entre routines et fenêtres.
  QString reste;
  QString nomfichier;
  QString textesaisi;
  int pascalcul = 0;
  Tableau<QString> paramètresprofil;  // 1 : nombre d'examens, puis examens et compétences
  // Élèves choisis pour une impression : leurs places (1..k, dans l'ordre du choix),
  // les deux options ("1" ou "0" : dernière ligne, couleurs) et l'annulation.
  Tableau<int> élèvesrécapitulatif;
  QString optionsrécapitulatif;
  bool sélectionannulée = false;
  Tableau2<QString> totauxrapport1;
  Tableau2<QString> totauxrapport2;
  Tableau<QString> totauxrapport3;
  Tableau<QString> totauxrapport4;

  bool operator==(const ÉtatPartagé&) const = default;

  // Nombre de compétences de la classe ouverte (borne haute de listecompétences).
  int nbcompétences() const { return listecompétences.borne(); }
};

// L'unique état du programme.
ÉtatPartagé& état();
// Remet l'état à neuf (essais, changement d'utilisateur).
void réinitialiserétat();
