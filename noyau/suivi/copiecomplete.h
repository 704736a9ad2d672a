#pragma once
// Copie complète du dossier de données (back-up) dans un dossier choisi : les
// fichiers du dossier de données, puis chaque dossier de classe avec ses fichiers.
// Chaque fichier copié passe par un temporaire renommé à la fin : une copie ratée
// laisse en place l'ancienne copie. Rien n'est changé dans le dossier de données.

#include <QString>
#include <QStringList>
#include <functional>

#include "plateforme/erreurs.h"

struct SuiviCopie {
  std::function<void(int faits, int total)> fichiers;  // fichiers du dossier en cours
  std::function<void(int faits, int total)> dossiers;  // dossiers de classe
  // Après une erreur : vrai pour recommencer le même fichier, faux pour arrêter.
  std::function<bool(const ErreurFichier&)> réessayer;
};

struct BilanCopie {
  int copiés = 0;
  int total = 0;
  QStringList noncopiés;  // relatifs au dossier de données
  bool complet() const { return noncopiés.isEmpty(); }
};

// Vide quand le dossier peut recevoir la copie (le dossier amovible ordinaire est
// créé s'il manque) ; sinon la raison du refus.
QString préparercible(const QString& cible);
BilanCopie copierdonnées(const QString& cible, const SuiviCopie& suivi);
// Le texte qui dit ce qui n'a pas été copié.
QString textebilan(const BilanCopie& bilan);
