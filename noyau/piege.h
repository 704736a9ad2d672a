#pragma once
// Piège des routines de fichiers : une erreur montre la boîte d'avertissement avec
// sa cause ; OK recommence l'étape qui a échoué, Annuler met fin au programme.

#include <QString>
#include <utility>

#include "noyau/module.h"
#include "plateforme/boites.h"
#include "plateforme/erreurs.h"
#include "plateforme/services.h"

template <class Étape>
auto avecpiège(const QString& titre, Étape&& étape) -> decltype(étape()) {
  for (;;) {
    try {
      return étape();
    } catch (const ErreurEvalo& erreur) {
      if (avertissement(erreur.texte(), titre) != OK) terminerleprogramme();
    }
  }
}
