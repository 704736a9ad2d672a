// Ce que la grille dit aux lecteurs d'écran : ses vrais en-têtes et l'annonce
// d'une case courante dont le texte change.
#include <QAccessible>

#include "plateforme/qt/grille.h"

QVariant ModeleGrille::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole && role != Qt::AccessibleDescriptionRole) return {};
  const bool colonne = orientation == Qt::Horizontal;
  if (section < 0 || section >= (colonne ? colonnes_ : lignes_)) return {};
  TexteEntête t = entêteaccessible ? entêteaccessible(orientation, section) : TexteEntête{};
  if (t.nom.isEmpty()) {
    QStringList morceaux;
    for (int f = 0; f < (colonne ? lignesfixes : colonnesfixes); ++f) {
      const QString texte = (colonne ? cellule(f, section) : cellule(section, f)).texte.trimmed();
      if (!texte.isEmpty()) morceaux.append(texte);
    }
    t.nom = morceaux.join(u' ');
  }
  if (t.nom.isEmpty()) t.nom = (colonne ? QStringLiteral("colonne %1") : QStringLiteral("ligne %1")).arg(section + 1);
  if (role == Qt::AccessibleDescriptionRole) return t.description.isEmpty() ? QVariant() : QVariant(t.description);
  return t.nom;
}

void Grille::annoncer(int ligne, int colonne) {
  if (!QAccessible::isActive()) return;  // aucun lecteur d'écran : rien à dire
  if (ligne < 0 || ligne >= Rows() || colonne < 0 || colonne >= Cols()) return;
  QAccessibleInterface* table = QAccessible::queryAccessibleInterface(this);
  QAccessibleTableInterface* cases = table ? table->tableInterface() : nullptr;
  QAccessibleInterface* cellule = cases ? cases->cellAt(ligne, colonne) : nullptr;
  if (!cellule) return;
  const int enfant = table->indexOfChild(cellule);
  for (const QAccessible::Event genre : {QAccessible::NameChanged, QAccessible::Focus}) {
    // Le focus n'est redit que pour la case courante d'une grille qui l'a.
    if (genre == QAccessible::Focus && (!hasFocus() || ligne != ligne_ || colonne != colonne_)) break;
    QAccessibleEvent annonce(this, genre);
    annonce.setChild(enfant);
    QAccessible::updateAccessibility(&annonce);
  }
}
