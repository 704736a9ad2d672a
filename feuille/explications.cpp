// Feuille principale : "Comment est-ce calculé ?" sur la moyenne et les
// compétences d'un élève, statistiques d'un test sur son en-tête.

#include "feuille/principale.h"

#include "noyau/base/etat.h"
#include "noyau/base/module.h"
#include "noyau/regles/explication.h"
#include "noyau/regles/statistiques.h"
#include "plateforme/couleurs.h"
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

int FenetrePrincipale::colonnedutest(int k) const {
  for (int c = 2; c < grille1->Cols(); ++c)
    if (testdelacolonne(*grille1, c) == k) return c;
  return 0;
}

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

// Ce qu'un lecteur d'écran dit d'une moyenne ou d'une compétence à chaque visite :
// la ligne qui donne le calcul, et la touche qui ouvre l'explication entière.
QString FenetrePrincipale::descriptioncourte(int ligne, int colonne) const {
  const ÉtatPartagé& é = état();
  const int s = ligne - 2, moy = é.nbinterros + é.nborales + 2;
  if (s < 1 || s > é.nbélèves || colonne < moy || colonne > moy + é.nbcompétences()) return QString();
  const QStringList lignes = bulle(ligne, colonne).split(u'\n', Qt::SkipEmptyParts);
  if (lignes.size() <= 2) return QString();  // déjà courte : la bulle entière
  QString clé;
  for (const QString& l : lignes)
    if (l.startsWith(QStringLiteral("Pourcentage pondéré")) || l.contains(QStringLiteral("pas de résultat")) ||
        l.startsWith(QStringLiteral("Résultat supprimé")))
      clé = l.trimmed();
  if (colonne > moy) clé = lignes.value(1).trimmed();  // « 7 point(s) sur 20, soit 35 % »
  if (clé.isEmpty()) clé = lignes.last().trimmed();
  return clé + QStringLiteral(". Ctrl+E : l'explication complète.");
}

FenetrePrincipale::ColonneDite FenetrePrincipale::colonnedite(int colonne, int s) const {
  const ÉtatPartagé& é = état();
  const int moy = é.nbinterros + é.nborales + 2;
  if (const int k = colonne < moy ? testdelacolonne(*grille1, colonne) : 0; k > 0)
    return {QStringLiteral("interro n°%1 (C%2)").arg(é.premièreinterro + k - 1).arg(é.compétenceinterro[k]), double(é.maxinterro[k])};
  if (colonne > é.nbinterros + 1 && colonne < moy) {
    const int o = colonne - é.nbinterros - 1;
    return {QStringLiteral("note orale n°%1").arg(o), s >= 1 && o <= é.nbnotesorales[s] ? double(é.maxorale(s, o)) : 0.0};
  }
  if (colonne == moy) return {QStringLiteral("moyenne"), double(é.maxcourant)};
  if (colonne > moy && colonne <= moy + é.nbcompétences())
    return {QStringLiteral("compétence C%1, en pour cent").arg(colonne - moy), 100};
  return {QStringLiteral("préparations non faites"), 0};
}

// Les en-têtes que lit un lecteur d'écran : le test (numéro, compétence, maximum,
// date et matière), la moyenne, la compétence ; l'élève de chaque ligne.
ModeleGrille::TexteEntête FenetrePrincipale::entêteaccessible(Qt::Orientation orientation, int section) const {
  const ÉtatPartagé& é = état();
  if (orientation == Qt::Vertical) {
    static const QString têtes[] = {QStringLiteral("numéro du test"), QStringLiteral("maximum"), QStringLiteral("compétence")};
    if (section < 3) return {têtes[section], QString()};
    const int s = section - 2;
    if (s <= é.nbélèves) return {é.nomélève[s], QStringLiteral("élève n°%1").arg(s)};
    return {grille1->modèle().cellule(section, 1).texte.trimmed(), QString()};  // moyennes, échecs, compétences
  }
  const bool nomsàdroite = é.nbinterros + é.nborales > 14 && section == grille1->Cols() - 1;
  if (section == 1 || nomsàdroite) return {QStringLiteral("élève"), QString()};
  if (section == 0) return {QStringLiteral("numéro de l'élève"), QString()};
  const int moy = é.nbinterros + é.nborales + 2;
  const bool compétence = section > moy && section <= moy + é.nbcompétences();
  const auto [quoi, maximum] = colonnedite(section, 0);
  ModeleGrille::TexteEntête t{quoi, compétence ? é.listecompétences[section - moy] : QString()};
  if (maximum > 0 && !compétence) t.nom += QStringLiteral(" sur ") + sansblancs(str(maximum));
  if (const int k = testdelacolonne(*grille1, section); k > 0) {
    t.description = QStringLiteral("du %1 : %2").arg(é.dateinterro[k], é.matièreinterro[k]);
    const int c = é.compétenceinterro[k];
    if (c >= 1 && c <= é.nbcompétences()) t.description += QStringLiteral(", compétence ") + é.listecompétences[c];
  }
  return t;
}

// Une case des lignes du bas : "Moyenne de la classe, interro n°3 (C2) : 12.5".
QString FenetrePrincipale::textedestatistique(int ligne, int colonne) const {
  const QString quoi = grille1->modèle().cellule(ligne, 1).texte.trimmed();
  if (quoi.isEmpty()) return QString();
  const QString v = grille1->modèle().cellule(ligne, colonne).texte.trimmed();
  return QStringLiteral("%1, %2 : %3").arg(quoi, colonnedite(colonne, 0).quoi, v.isEmpty() ? QStringLiteral("vide") : v);
}

QString FenetrePrincipale::texteaccessible(int ligne, int colonne) const {
  const ÉtatPartagé& é = état();
  const int s = ligne - 2;
  if (s > é.nbélèves && colonne > 1) return textedestatistique(ligne, colonne);
  if (s < 1 || s > é.nbélèves || colonne < 1) return QString();
  const ModeleGrille::Cellule& cellule = grille1->modèle().cellule(ligne, colonne);
  const QString élève = é.nomélève[s];
  if (colonne == 1) return QStringLiteral("%1, élève n°%2").arg(élève).arg(s);
  const auto [quoi, maximum] = colonnedite(colonne, s);
  const QString v = cellule.texte.trimmed();
  QString valeur = valeurdite(v);
  const int moy = é.nbinterros + é.nborales + 2;
  if (valeur != v) {
    // un code (absent, non coté...), dit en mots
  } else if (v.contains(u'/')) {  // une note orale porte déjà son maximum : "7.5/10"
    valeur = v.section(u'/', 0, 0).trimmed() + QStringLiteral(" sur ") + v.section(u'/', 1).trimmed();
  } else if (colonne > moy && colonne <= moy + é.nbcompétences()) {
    valeur = QStringLiteral("%1 pour cent").arg(v.toInt());  // "043" se dit « 43 pour cent »
  } else if (maximum > 0) {
    valeur = QStringLiteral("%1 sur %2").arg(v, sansblancs(str(maximum)));
  }
  // La couleur n'est jamais le seul signe : une note rouge se dit.
  if (cellule.avant == rouge) valeur += QStringLiteral(", sous la moitié");
  return QStringLiteral("%1, %2 : %3").arg(élève, quoi, valeur);
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
