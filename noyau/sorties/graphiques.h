#pragma once
// Graphiques, construits sans fenêtre : les résultats d'un élève période par
// période à côté de la moyenne de la classe et ses compétences (fiche
// individuelle), la répartition des notes d'un test ou des résultats d'une
// période (histogramme). Lisibles en noir et blanc : l'élève en plein, la classe
// hachurée, la moyenne et la médiane en traits différents.

#include <QList>
#include <QString>
#include <array>
#include <optional>

#include "plateforme/figure.h"

struct RésultatGraphique {
  QString clé;                          // "P1", "E1"
  std::optional<double> élève, classe;  // en % du maximum de la période ou de l'examen
  bool operator==(const RésultatGraphique&) const = default;
};

struct CompétenceGraphique {
  QString nom;
  double pourcentage = 0;  // moyenne des pourcentages de l'élève sur les clés montrées
  bool operator==(const CompétenceGraphique&) const = default;
};

struct DonnéesGraphiqueFiche {
  QList<RésultatGraphique> résultats;
  QList<CompétenceGraphique> compétences;
};

// Pour chaque clé chargée (classe-période ouverte) : le résultat de l'élève s et
// la moyenne de la classe, en % de maximum ; ses pourcentages par compétence
// s'ajoutent aux sommes.
class CollecteGraphiqueFiche {
public:
  void ajouterclé(const QString& clé, int s, int maximum);
  DonnéesGraphiqueFiche données() const;

private:
  DonnéesGraphiqueFiche d_;
  QList<std::pair<double, int>> sommes_;  // par compétence : somme des pourcentages, nombre
};

Figure figurefiche(const DonnéesGraphiqueFiche& d, double largeur);
// La figure en mots : "Période 1 : 54 %, classe 61 % ; … Compétences : Lire 43 %, …".
QString décrirefiche(const DonnéesGraphiqueFiche& d);

struct RépartitionGraphique {
  std::array<int, 10> nombres{};  // par dixième du maximum
  double maximum = 0;
  std::optional<double> moyenne, médiane;
  bool virgule = false;  // les nombres de la figure avec la virgule des textes qui l'entourent
};

Figure figurehistogramme(const RépartitionGraphique& r, double largeur, double hauteur);
// "Répartition sur 20 : de 0 à 2 : 1 ; … Moyenne : 12,5. Médiane : 13."
QString décrirehistogramme(const RépartitionGraphique& r);

// Les résultats de la classe-période ouverte (sans les "?") : répartition, moyenne et médiane.
RépartitionGraphique répartitiondesrésultats();
