#include "plateforme/services.h"

#include <cstdlib>
#include <stdexcept>

Services& services() {
  static Services s;
  return s;
}

Boites& boîtes() {
  if (!services().boites) throw std::logic_error("aucune boîte de message n'est branchée");
  return *services().boites;
}

const Horloge& horloge() {
  static const HorlogeSysteme système;
  return services().horloge ? *services().horloge : système;
}

void terminerleprogramme() {
  if (services().terminer) services().terminer();
  std::exit(0);
}

void montrermodale(const QString& nomfenêtre) {
  if (!services().montrermodale)
    throw std::logic_error("aucun registre de fenêtres n'est branché pour " + nomfenêtre.toStdString());
  services().montrermodale(nomfenêtre);
}

ParcImprimantes& imprimantes() {
  if (!services().imprimantes) throw std::logic_error("aucune imprimante n'est branchée");
  return *services().imprimantes;
}

void ouvrirdocument(const QString& chemin) {
  if (services().ouvrirdocument) services().ouvrirdocument(chemin);
}

QString choisirfichier(const QString& titre, const QString& filtres) {
  if (!services().choisirfichier) throw std::logic_error("aucune boîte de choix de fichier n'est branchée");
  return services().choisirfichier(titre, filtres);
}

QString choisirdossier(const QString& titre, const QString& départ) {
  if (!services().choisirdossier) throw std::logic_error("aucune boîte de choix de dossier n'est branchée");
  return services().choisirdossier(titre, départ);
}
