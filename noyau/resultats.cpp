#include "noyau/resultats.h"

#include <cmath>
#include <vector>

#include "noyau/etat.h"
#include "noyau/module.h"
#include "plateforme/boites.h"
#include "plateforme/nombres.h"

namespace {

struct Compétence {
  double obtenus = 0;
  int possibles = 0;
  bool notée = false;
};

// Arrondi des moitiés vers le haut, aussi pour les négatifs. Un calcul en virgule
// flottante peut tomber un rien sous une moitié exacte (12,4999999…) : la marge
// le remet sur la moitié.
double arrondimoitiéhaut(double x) { return std::floor(x + 0.5 + 1e-9); }

int ajouter16(int somme, long long ajout, const char* quoi) {
  const long long total = somme + ajout;
  if (total < entiermin || total > entiermax)
    throw ErreurDonnée(QStringLiteral("La somme %1 dépasse 32767 : le résultat ne peut pas être calculé.")
                           .arg(QString::fromUtf8(quoi)));
  return static_cast<int>(total);
}

Compétence& compétence(std::vector<Compétence>& c, int numéro, const QString& source) {
  if (numéro < 1 || numéro >= static_cast<int>(c.size()))
    throw ErreurDonnée(QStringLiteral("%1 renvoie à la compétence n°%2, qui n'existe pas dans cette classe.")
                           .arg(source)
                           .arg(numéro));
  return c[static_cast<std::size_t>(numéro)];
}

std::vector<Compétence> rassemblerpoints(int i) {
  const ÉtatPartagé& é = état();
  std::vector<Compétence> c(static_cast<std::size_t>(é.nbcompétences() + 1));
  for (int k = 1; k <= é.nbinterros; ++k) {
    Compétence& cible = compétence(c, é.compétenceinterro[k], QStringLiteral("L'interrogation n°%1").arg(k));
    const QString& note = é.noteinterro(i, k);
    cible.obtenus += val(note);
    if (note != QStringLiteral("NC") && note != QStringLiteral("A")) {
      cible.possibles = ajouter16(cible.possibles, é.maxinterro[k], "des points possibles");
      cible.notée = true;
    }
  }
  if (é.nborales != 0) {
    for (int o = 1; o <= é.nbnotesorales[i]; ++o) {
      Compétence& cible = compétence(c, é.compétenceorale(i, o), QStringLiteral("La note orale n°%1").arg(o));
      cible.notée = true;
      cible.obtenus += é.noteorale(i, o);
      cible.possibles = ajouter16(cible.possibles, é.maxorale(i, o), "des points possibles");
    }
  }
  return c;
}

}  // namespace

void calculerrésultats(int i) {
  ÉtatPartagé& é = état();
  const std::vector<Compétence> c = rassemblerpoints(i);
  int totalpossible = 0;
  for (int j = 1; j <= é.nbcompétences(); ++j) totalpossible = ajouter16(totalpossible, c[j].possibles, "des points possibles");
  if (totalpossible == 0) {
    é.totalélève[i] = QStringLiteral("?");
    for (int j = 1; j <= é.nbcompétences(); ++j) é.pourcentcompétence(i, j) = -1;
    return;
  }
  double sommepondérée = 0;
  int poidsutilisé = 0;
  for (int j = 1; j <= é.nbcompétences(); ++j) {
    if (c[j].possibles != 0) {
      const int poids = poidscompétence(é.listecompétences[j]);
      sommepondérée += poids * c[j].obtenus / c[j].possibles;
      poidsutilisé = ajouter16(poidsutilisé, poids, "des poids");
      é.pourcentcompétence(i, j) = entier16(static_cast<long long>(arrondimoitiéhaut(c[j].obtenus * 100 / c[j].possibles)));
    } else {
      é.pourcentcompétence(i, j) = c[j].notée ? 0 : -1;
    }
  }
  // Les compétences notées pèsent toutes 0 % : pas de résultat plutôt qu'une division par zéro.
  if (poidsutilisé == 0) {
    é.totalélève[i] = QStringLiteral("?");
    return;
  }
  const double pourcentage = poidsutilisé == 100 ? sommepondérée : sommepondérée * 100 / poidsutilisé;
  const double points = é.arrondidemi ? arrondimoitiéhaut(é.maxcourant * pourcentage / 50) / 2
                                       : arrondimoitiéhaut(é.maxcourant * pourcentage / 100);
  é.totalélève[i] = str(points);
}

bool vérifierpoids() {
  const ÉtatPartagé& é = état();
  QStringList lignes;
  for (int j = 1; j <= é.nbcompétences(); ++j) lignes.append(é.listecompétences[j]);
  return poidsvalides(lignes);
}

bool poidsvalides(const QStringList& compétences) {
  long long somme = 0;
  for (const QString& c : compétences) somme += poidscompétence(c);
  if (somme == 100) return true;
  avertissement(QStringLiteral("La somme des coefficients n'est pas égale à 100.  Elle vaut actuellement") +
                    str(static_cast<double>(somme)) + QStringLiteral("%."),
                QStringLiteral("Attention !"));
  return false;
}
