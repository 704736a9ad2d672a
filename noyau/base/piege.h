#pragma once
// Piège des routines de fichiers : une erreur montre la boîte d'avertissement avec
// sa cause ; OK recommence l'étape qui a échoué, Annuler met fin au programme.

#include <QString>
#include <exception>
#include <utility>

#include "noyau/base/module.h"
#include "plateforme/boites.h"
#include "plateforme/erreurs.h"
#include "plateforme/services.h"

// Une commande abandonnée après une erreur de données que l'utilisateur a vue :
// rien n'est écrit, la classe-période affichée est rechargée (GardeClassePériode).
struct CommandeArrêtée : std::exception {
  const char* what() const noexcept override { return "commande arrêtée"; }
};

// Un fichier illisible ou hors limites : le relire ne changerait rien.
inline bool erreurdedonnées(const ErreurEvalo& e) {
  if (dynamic_cast<const ErreurDonnée*>(&e)) return true;
  const auto* f = dynamic_cast<const ErreurFichier*>(&e);
  return f && (f->cause() == CauseErreur::NombreIllisible || f->cause() == CauseErreur::FinInattendue ||
               f->cause() == CauseErreur::HorsLimites);
}

// Boucle commune des pièges. Avec arrêtsurdonnées, une erreur de données (la
// relire ne changerait rien) dit que OK abandonne la commande, et l'abandonne.
template <class Étape>
auto piéger(const QString& titre, Étape&& étape, bool arrêtsurdonnées) -> decltype(étape()) {
  for (;;) {
    try {
      return étape();
    } catch (const ErreurEvalo& erreur) {
      const bool arrêt = arrêtsurdonnées && erreurdedonnées(erreur);
      const QString texte =
          arrêt ? erreur.texte() + QStringLiteral("\n\nOK : abandonner cette commande (rien n'est écrit).  "
                                                  "Annuler : quitter le programme.")
                : erreur.texte();
      if (avertissement(texte, titre) != OK) terminerleprogramme();
      if (arrêt) throw CommandeArrêtée();
    }
  }
}

// Piège d'un chargement de classe-période : une erreur de fichier se réessaie
// comme ailleurs ; une erreur de données montre sa boîte (fichier et ligne), puis
// OK abandonne la commande (CommandeArrêtée) et Annuler met fin au programme.
template <class Étape>
auto avecpiègedechargement(const QString& titre, Étape&& étape) -> decltype(étape()) {
  return piéger(titre, std::forward<Étape>(étape), true);
}

template <class Étape>
auto avecpiège(const QString& titre, Étape&& étape) -> decltype(étape()) {
  return piéger(titre, std::forward<Étape>(étape), false);
}
