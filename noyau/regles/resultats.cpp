#include "noyau/regles/resultats.h"

#include <cmath>
#include <vector>

#include "noyau/base/etat.h"
#include "noyau/base/module.h"
#include "plateforme/boites.h"
#include "plateforme/nombres.h"

namespace {

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

// Points d'une compétence, dans l'ordre du calcul : tests puis notes orales.
std::vector<DétailCompétence> rassemblerpoints(int i) {
  const ÉtatPartagé& é = état();
  std::vector<DétailCompétence> c(static_cast<std::size_t>(é.nbcompétences() + 1));
  const auto cible = [&](int numéro, const QString& source) -> DétailCompétence& {
    if (numéro < 1 || numéro >= static_cast<int>(c.size()))
      throw ErreurDonnée(QStringLiteral("%1 renvoie à la compétence n°%2, qui n'existe pas dans cette classe.")
                             .arg(source)
                             .arg(numéro));
    return c[static_cast<std::size_t>(numéro)];
  };
  for (int k = 1; k <= é.nbinterros; ++k) {
    DétailCompétence& d = cible(é.compétenceinterro[k], QStringLiteral("L'interrogation n°%1").arg(k));
    const QString& note = é.noteinterro(i, k);
    const bool comptée = note != QStringLiteral("NC") && note != QStringLiteral("A");
    d.obtenus += val(note);
    if (comptée) {
      d.possibles = ajouter16(d.possibles, é.maxinterro[k], "des points possibles");
      d.notée = true;
    }
    d.notes.append({false, é.premièreinterro + k - 1, QString(), note, é.maxinterro[k], comptée});
  }
  if (é.nborales != 0) {
    for (int o = 1; o <= é.nbnotesorales[i]; ++o) {
      DétailCompétence& d = cible(é.compétenceorale(i, o), QStringLiteral("La note orale n°%1").arg(o));
      d.notée = true;
      d.obtenus += é.noteorale(i, o);
      d.possibles = ajouter16(d.possibles, é.maxorale(i, o), "des points possibles");
      const bool aunlibellé = i <= é.libelléorale.borne1() && o <= é.libelléorale.borne2();
      d.notes.append({true, o, aunlibellé ? é.libelléorale(i, o) : QString(), sansblancs(str(é.noteorale(i, o))),
                      é.maxorale(i, o), true});
    }
  }
  return c;
}

}  // namespace

DétailRésultat détaillerrésultat(int i) {
  const ÉtatPartagé& é = état();
  std::vector<DétailCompétence> c = rassemblerpoints(i);
  DétailRésultat r;
  for (int j = 1; j <= é.nbcompétences(); ++j) {
    r.totalpossible = ajouter16(r.totalpossible, c[j].possibles, "des points possibles");
    c[j].numéro = j;
    c[j].poids = poidscompétence(é.listecompétences[j]);
  }
  if (r.totalpossible != 0) {
    for (int j = 1; j <= é.nbcompétences(); ++j) {
      DétailCompétence& d = c[j];
      if (d.possibles != 0) {
        r.sommepondérée += d.poids * d.obtenus / d.possibles;
        r.poidsutilisé = ajouter16(r.poidsutilisé, d.poids, "des poids");
        d.pourcent = entier16(static_cast<long long>(arrondimoitiéhaut(d.obtenus * 100 / d.possibles)));
      } else {
        d.pourcent = d.notée ? 0 : -1;
      }
    }
  }
  r.compétences.assign(c.begin() + 1, c.end());
  // Les compétences notées pèsent toutes 0 % : pas de résultat plutôt qu'une division par zéro.
  if (r.totalpossible == 0 || r.poidsutilisé == 0) return r;
  r.pourcentage = r.poidsutilisé == 100 ? r.sommepondérée : r.sommepondérée * 100 / r.poidsutilisé;
  r.points = é.arrondidemi ? arrondimoitiéhaut(é.maxcourant * r.pourcentage / 50) / 2
                           : arrondimoitiéhaut(é.maxcourant * r.pourcentage / 100);
  r.total = str(r.points);
  return r;
}

void calculerrésultats(int i) {
  ÉtatPartagé& é = état();
  const DétailRésultat r = détaillerrésultat(i);
  é.totalélève[i] = r.total;
  for (int j = 1; j <= é.nbcompétences(); ++j) é.pourcentcompétence(i, j) = r.compétences[static_cast<std::size_t>(j - 1)].pourcent;
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
