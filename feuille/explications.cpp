// Feuille principale : "Comment est-ce calculé ?" sur la moyenne et les
// compétences d'un élève, statistiques d'un test sur son en-tête.

#include "feuille/principale.h"

#include "noyau/base/etat.h"
#include "noyau/base/module.h"
#include "noyau/regles/explication.h"
#include "noyau/regles/statistiques.h"
#include "plateforme/erreurs.h"
#include "plateforme/nombres.h"
#include "plateforme/qt/grille.h"
#include "plateforme/services.h"

namespace {

// Le test d'une colonne, lu sur son en-tête "N°12" (la vue groupée range les
// colonnes autrement) ; 0 quand la colonne n'est pas celle d'un test.
int testdelacolonne(const Grille& g, int colonne) {
  const ÉtatPartagé& é = état();
  const QString entête = g.modèle().cellule(0, colonne).texte;
  if (!entête.startsWith(QStringLiteral("N°"))) return 0;
  const int k = entête.mid(2).toInt() - é.premièreinterro + 1;
  return k >= 1 && k <= é.nbinterros ? k : 0;
}

QString statistiquesdutest(int k) {
  const ÉtatPartagé& é = état();
  QStringList notes;
  for (int s = 1; s <= é.nbélèves; ++s) notes << é.noteinterro(s, k);
  return QStringLiteral("Test n°%1 (%2)\n\n").arg(é.premièreinterro + k - 1).arg(é.matièreinterro[k]) +
         textestatistiques(statistiquestest(notes, é.maxinterro[k]), é.maxinterro[k]);
}

}  // namespace

QString FenetrePrincipale::bulle(int ligne, int colonne) const {
  const ÉtatPartagé& é = état();
  const int moy = é.nbinterros + é.nborales + 2;
  try {
    if (ligne < 3) {
      const int k = colonne >= 2 && colonne < moy ? testdelacolonne(*grille1, colonne) : 0;
      return k == 0 ? QString() : statistiquesdutest(k);
    }
    const int s = ligne - 2;
    if (s < 1 || s > é.nbélèves) return QString();
    if (colonne == moy) return expliquerrésultat(s).texte;
    if (colonne > moy && colonne <= moy + é.nbcompétences()) return expliquercompétence(s, colonne - moy).texte;
  } catch (const ErreurEvalo& e) {
    return e.texte();
  }
  return QString();
}

void FenetrePrincipale::mnuexplication_Click() {
  const ÉtatPartagé& é = état();
  const int moy = é.nbinterros + é.nborales + 2;
  const int ligne = grille1->Row(), colonne = grille1->Col();
  // Hors d'une moyenne ou d'une compétence, c'est la moyenne de l'élève de la ligne.
  QString texte = bulle(ligne, colonne);
  if (texte.isEmpty() && ligne >= 3) texte = bulle(ligne, moy);
  if (texte.isEmpty()) {
    avertissement(QStringLiteral("Choisissez d'abord un élève (sa moyenne ou une de ses compétences), ou l'en-tête d'un test."),
                  QStringLiteral("Comment est-ce calculé ?"));
    return;
  }
  boîtes().message(texte, QStringLiteral("Comment est-ce calculé ?"));
}
