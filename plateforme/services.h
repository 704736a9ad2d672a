#pragma once
// Les services de la plate-forme que tout le programme appelle. main() y branche
// les versions Qt ; les essais y branchent leurs doubles.

#include <QString>
#include <functional>

#include "plateforme/boites.h"
#include "plateforme/horloge.h"

class ParcImprimantes;

struct Services {
  // Dossier du programme : racine des données et emplacement de la liste des utilisateurs.
  QString dossierprogramme;
  Boites* boites = nullptr;
  const Horloge* horloge = nullptr;
  // Fin immédiate du programme. Ne doit pas rendre la main (les essais lèvent
  // ProgrammeTerminé).
  std::function<void()> terminer;
  // Registre des fenêtres : montre la fenêtre nommée, modale, et rend la main
  // quand elle est fermée.
  std::function<void(const QString& nomfenêtre)> montrermodale;
  // Imprimantes installées et imprimante courante.
  ParcImprimantes* imprimantes = nullptr;
  // Boîte de choix d'un fichier à ouvrir ; filtres à la manière de Qt ("Texte (*.txt);;Tous (*)").
  // Rend le chemin choisi, vide quand on annule.
  std::function<QString(const QString& titre, const QString& filtres)> choisirfichier;
  // Boîte de choix d'un dossier, ouverte sur départ ; rend le dossier choisi, vide quand on annule.
  std::function<QString(const QString& titre, const QString& départ)> choisirdossier;
  // Ouvre un document (un PDF imprimé) dans le programme du système.
  std::function<void(const QString& chemin)> ouvrirdocument;
};

Services& services();

Boites& boîtes();
const Horloge& horloge();
[[noreturn]] void terminerleprogramme();
void montrermodale(const QString& nomfenêtre);
ParcImprimantes& imprimantes();
void ouvrirdocument(const QString& chemin);
QString choisirfichier(const QString& titre, const QString& filtres);
QString choisirdossier(const QString& titre, const QString& départ);

// Levée par la fin du programme des essais.
struct ProgrammeTerminé {};
