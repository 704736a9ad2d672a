// Ce que montre et dit chaque case de la grille : son texte, ses couleurs lisibles
// sur le thème du bureau, sa police ; pour les lecteurs d'écran, son nom, ses vrais
// en-têtes et l'annonce d'une note changée.
#include <QAccessible>
#include <QGuiApplication>
#include <QPalette>
#include <QStyledItemDelegate>

#include "plateforme/nombres.h"
#include "plateforme/qt/contraste.h"
#include "plateforme/qt/conversions.h"
#include "plateforme/qt/grille.h"

namespace {

// Le fond que l'on voit sous une case : le sien, celui des cases fixes ou celui du thème.
QColor fondvu(const ModeleGrille::Cellule& c, bool fixe) {
  if (c.fond != sanscouleur) return couleurqt(c.fond);
  const QPalette palette = QGuiApplication::palette();
  const QColor base = palette.color(QPalette::Base);
  if (!fixe) return base;
  // Le gris des cases fixes sur un thème clair ; celui des boutons sur un autre.
  return luminance(base) > 0.5 ? QColor(224, 224, 224) : palette.color(QPalette::Button);
}

// La case courante garde un contraste lisible, et un résultat sous la moitié y reste
// rouge (clair sur un surlignage sombre), en plus du gras.
class DéléguéGrille : public QStyledItemDelegate {
public:
  DéléguéGrille(const ModeleGrille& modèle, QObject* parent) : QStyledItemDelegate(parent), modèle_(modèle) {}

protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    if (!(option->state & QStyle::State_Selected)) return;
    const CouleursSélection c = couleursdelasélection(option->palette);
    const bool échec = modèle_.cellule(index.row(), index.column()).avant == rouge;
    for (const QPalette::ColorGroup groupe : {QPalette::Active, QPalette::Inactive}) {
      option->palette.setColor(groupe, QPalette::Highlight, c.fond);
      option->palette.setColor(groupe, QPalette::HighlightedText, échec ? c.rouge : c.texte);
    }
  }

private:
  const ModeleGrille& modèle_;
};

}  // namespace

QAbstractItemDelegate* déléguédegrille(const ModeleGrille& modèle, QObject* parent) {
  return new DéléguéGrille(modèle, parent);
}

QString valeurdite(const QString& affichée) {
  const QString v = affichée.trimmed();
  if (v.isEmpty()) return QStringLiteral("vide");
  if (v == u"A") return QStringLiteral("absent");
  if (v == u"AI") return QStringLiteral("absence injustifiée");
  if (v == u"NC") return QStringLiteral("non coté");
  if (v == u"?") return QStringLiteral("pas de résultat");
  if (v.size() > 2 && v.startsWith(u'?') && v.endsWith(u'?')) return v.mid(1, v.size() - 2) + QStringLiteral(", incomplet");
  return v;
}

QVariant ModeleGrille::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const Cellule& c = cellule(index.row(), index.column());
  const bool fixe = index.row() < lignesfixes || index.column() < colonnesfixes;
  switch (role) {
    case Qt::DisplayRole: return c.texte;
    case Qt::ForegroundRole: {
      // Rouge, bleu et noir gardent leur sens, à un contraste lisible sur le thème du bureau.
      const QColor voulue = c.avant == sanscouleur || c.avant == noir
                                ? QGuiApplication::palette().color(QPalette::Text)
                                : couleurqt(c.avant);
      return couleurlisible(voulue, fondvu(c, fixe));
    }
    case Qt::BackgroundRole:
      if (c.fond != sanscouleur || fixe) return fondvu(c, fixe);
      return {};
    case Qt::FontRole: {
      // La couleur n'est jamais le seul signe : le rouge est aussi en gras.
      if (!c.gras && c.avant != rouge) return {};
      QFont f;
      f.setBold(true);
      return f;
    }
    case Qt::TextAlignmentRole: {
      const auto& a = fixe ? alignementsfixes : alignements;
      int alignement = static_cast<std::size_t>(index.column()) < a.size() ? a[index.column()] : alignementgénéral;
      if (alignement == alignementgénéral) alignement = estnombre(c.texte) ? alignementdroite : alignementgauche;
      return QVariant::fromValue(alignementqt(alignement));
    }
    case Qt::AccessibleDescriptionRole:
      if (descriptionaccessible) {
        const QString courte = descriptionaccessible(index.row(), index.column());
        if (!courte.isEmpty()) return courte;
      }
      [[fallthrough]];
    case Qt::ToolTipRole: {
      if (!bulle) return {};
      const QString texte = bulle(index.row(), index.column());
      return texte.isEmpty() ? QVariant() : QVariant(texte);
    }
    case Qt::AccessibleTextRole: {
      const QString texte = texteaccessible ? texteaccessible(index.row(), index.column()) : QString();
      if (!texte.isEmpty()) return texte;
      if (fixe) return c.texte.trimmed().isEmpty() ? QStringLiteral("vide") : c.texte;
      // La couleur n'est jamais le seul signe : un résultat rouge se dit.
      return valeurdite(c.texte) + (c.avant == rouge ? QStringLiteral(", sous la moitié") : QString());
    }
    default: return {};
  }
}

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

void Grille::redirecourante() {
  if (!QAccessible::isActive() || !hasFocus() || enédition()) return;
  if (ligne_ >= Rows() || colonne_ >= Cols()) return;
  QAccessibleInterface* table = QAccessible::queryAccessibleInterface(this);
  QAccessibleTableInterface* cases = table ? table->tableInterface() : nullptr;
  QAccessibleInterface* cellule = cases ? cases->cellAt(ligne_, colonne_) : nullptr;
  if (!cellule) return;
  QAccessibleEvent annonce(this, QAccessible::Focus);
  annonce.setChild(table->indexOfChild(cellule));
  QAccessible::updateAccessibility(&annonce);
}

// La vue ne dit que « tableau » quand elle reçoit le focus : la case courante est
// dite après, une fois la vue annoncée (au retour d'un menu, d'une boîte, de Tab).
void Grille::focusInEvent(QFocusEvent* e) {
  QTableView::focusInEvent(e);
  QMetaObject::invokeMethod(this, [this] { redirecourante(); }, Qt::QueuedConnection);
}
