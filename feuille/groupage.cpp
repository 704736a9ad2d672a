// Feuille principale : les colonnes des tests rangées par compétence. Une vue
// seulement : rien n'est changé ni écrit.

#include "feuille/principale.h"

#include <algorithm>
#include <vector>

#include "noyau/base/etat.h"
#include "plateforme/nombres.h"
#include "plateforme/ordre.h"

QString groupage::blanc(const QString& texte, int largeur) {
  return texte.size() >= largeur ? texte : QString(largeur - texte.size(), u' ') + texte;
}

void FenetrePrincipale::groupercompétencesonoff() {
  const bool actif = groupageactif;
  if (état().nbcompétences() != 1) {
    if (!actif) {
      groupageactif = true;
      grouperparcompétences();
    } else {
      groupageactif = false;
      Form_Load();
      grille1->SetFocus();
    }
  }
  bouton12->setChecked(groupageactif);
  menugrouper->setChecked(groupageactif);
}

void FenetrePrincipale::grouperparcompétences() {
  const ÉtatPartagé& é = état();
  const int E = é.nbinterros, N = é.nbélèves;
  Grille& g = *grille1;
  const ModeleGrille& m = g.modèle();
  const int dernièreligne = std::min(N + 5, g.Rows() - 1);
  const int lignechoisie = g.Row(), colonnechoisie = g.Col();
  g.Visible(false);
  // Les champs sont aussi larges que le plus long texte des colonnes des tests
  // (une moyenne de 100.0 et plus), pour que l'ordre ne dépende que du contenu.
  int largeur = 5;
  for (int c = 2; c <= E + 1; ++c)
    for (int l = 0; l <= dernièreligne; ++l) largeur = std::max(largeur, static_cast<int>(m.cellule(l, c).texte.size()));
  struct Colonne {
    QString clé;
    QStringList cellules;
  };
  std::vector<Colonne> colonnes;
  colonnes.reserve(static_cast<std::size_t>(E));
  for (int c = 2; c <= E + 1; ++c) {
    Colonne col;
    col.clé = groupage::blanc(m.cellule(2, c).texte, largeur);
    for (int l = 0; l <= dernièreligne; ++l) {
      col.cellules.append(m.cellule(l, c).texte);
      col.clé += groupage::blanc(col.cellules.back(), largeur);
    }
    colonnes.push_back(std::move(col));
  }
  std::stable_sort(colonnes.begin(), colonnes.end(),
                   [](const Colonne& a, const Colonne& b) { return avantenfrançais(a.clé, b.clé); });
  for (int c = 2; c <= E + 1; ++c) {
    const QStringList& cellules = colonnes[static_cast<std::size_t>(c - 2)].cellules;
    const double maximum = val(QStringView(cellules[1].trimmed()).mid(1));
    g.Col(c);
    for (int l = 0; l < cellules.size(); ++l) {
      g.Row(l);
      const QString texte = cellules[l].trimmed();
      if (l >= 3 && l <= N + 4)
        casecouleur(texte, maximum);
      else
        g.Text(texte);
    }
  }
  g.Row(lignechoisie);
  g.Col(colonnechoisie);
  g.Visible(true);
  g.SetFocus();
}
