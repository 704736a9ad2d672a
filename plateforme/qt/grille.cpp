#include "plateforme/qt/conversions.h"
#include "plateforme/qt/grille.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHash>
#include <QKeyEvent>
#include <QLineEdit>

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>

#include "plateforme/nombres.h"

namespace {

constexpr int hauteurligne = 240;  // twips
constexpr int largeurordinaire = 960;

void réglervue(QTableView& v) {
  v.horizontalHeader()->hide();
  v.verticalHeader()->hide();
  v.setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  v.setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  v.setEditTriggers(QAbstractItemView::NoEditTriggers);
  v.setWordWrap(false);
  v.horizontalHeader()->setMinimumSectionSize(0);
  v.verticalHeader()->setMinimumSectionSize(1);
}

}  // namespace

void ModeleGrille::dimensions(int lignes, int colonnes) {
  lignes = std::max(lignes, 0);
  colonnes = std::max(colonnes, 0);
  if (lignes == lignes_ && colonnes == colonnes_) return;
  beginResetModel();
  std::vector<Cellule> nouvelles(static_cast<std::size_t>(lignes) * colonnes);
  // Réduite à une seule cellule, la grille se vide tout à fait.
  if (lignes * colonnes > 1)
    for (int l = 0; l < std::min(lignes, lignes_); ++l)
      for (int c = 0; c < std::min(colonnes, colonnes_); ++c)
        nouvelles[static_cast<std::size_t>(l) * colonnes + c] = std::move(cellules_[position(l, c)]);
  cellules_ = std::move(nouvelles);
  lignes_ = lignes;
  colonnes_ = colonnes;
  alignements.resize(colonnes, alignementgénéral);
  alignementsfixes.resize(colonnes, alignementgénéral);
  marquées_.assign(cellules_.size(), 0);  // la remise à zéro du modèle montre déjà tout
  changées_.clear();
  endResetModel();
}

void ModeleGrille::marquer(int l, int c) {
  const std::size_t p = position(l, c);
  if (marquées_.size() != cellules_.size()) marquées_.assign(cellules_.size(), 0);
  if (marquées_[p]) return;
  marquées_[p] = 1;
  changées_.push_back(p);
}

void ModeleGrille::publier() {
  if (changées_.empty()) return;
  std::sort(changées_.begin(), changées_.end());
  const auto colonnes = static_cast<std::size_t>(colonnes_);
  std::size_t début = 0;
  for (std::size_t i = 0; i < changées_.size(); ++i) {
    marquées_[changées_[i]] = 0;
    const bool suite = i + 1 < changées_.size() && changées_[i + 1] == changées_[i] + 1 &&
                       changées_[i + 1] / colonnes == changées_[i] / colonnes;
    if (suite) continue;
    const std::size_t p = changées_[début], q = changées_[i];
    annoncées_ += static_cast<long long>(q - p + 1);
    Q_EMIT dataChanged(index(static_cast<int>(p / colonnes), static_cast<int>(p % colonnes)),
                       index(static_cast<int>(q / colonnes), static_cast<int>(q % colonnes)));
    début = i + 1;
  }
  changées_.clear();
}

Grille::Grille(QWidget* parent)
    : QTableView(parent), haut_(new QTableView(this)), gauche_(new QTableView(this)), coin_(new QTableView(this)) {
  // La police des grilles, celle de l'ancien système (8 points), qui suit la taille
  // des polices du bureau : 8 points pour les 9 d'un bureau ordinaire, plus grande
  // pour un professeur qui a grossi les siennes.
  QFont police(QStringLiteral("Liberation Sans"));
  police.setPointSizeF(std::max(8.0, QApplication::font().pointSizeF() * 8 / 9));
  setFont(police);
  hauteurpixels_ = std::max(pixels(hauteurligne), QFontMetrics(police).height() + 4);
  réglervue(*this);
  setTabKeyNavigation(false);  // Tab est traité ici : de case en case, puis hors de la grille
  setModel(&modèle_);
  setItemDelegate(déléguédegrille(modèle_, this));
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  verticalHeader()->setDefaultSectionSize(hauteurpixels_);
  viewport()->installEventFilter(this);
  haut_->setObjectName(QStringLiteral("lignesfigées"));
  gauche_->setObjectName(QStringLiteral("colonnesfigées"));
  coin_->setObjectName(QStringLiteral("coinfigé"));
  for (QTableView* v : {haut_, gauche_, coin_}) {
    réglervue(*v);
    v->setModel(&modèle_);
    v->setFont(police);
    v->setFocusPolicy(Qt::NoFocus);
    v->setSelectionMode(QAbstractItemView::NoSelection);
    v->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    v->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    v->setFrameShape(QFrame::NoFrame);
    v->verticalHeader()->setDefaultSectionSize(hauteurpixels_);
    v->viewport()->installEventFilter(this);
    v->hide();
  }
  connect(horizontalScrollBar(), &QScrollBar::valueChanged, haut_->horizontalScrollBar(), &QScrollBar::setValue);
  connect(verticalScrollBar(), &QScrollBar::valueChanged, gauche_->verticalScrollBar(), &QScrollBar::setValue);
}

int Grille::pixels(int twips) const { return (twips * logicalDpiX() + 720) / 1440; }
int Grille::twipsde(double p) const { return static_cast<int>(p * 1440 / logicalDpiX()); }

void Grille::Rows(int n) {
  modèle_.dimensions(n, Cols());
  ligne_ = std::clamp(ligne_, 0, std::max(Rows() - 1, 0));
  placerfigées();
}

void Grille::Cols(int n) {
  modèle_.dimensions(Rows(), n);
  largeurs_.resize(static_cast<std::size_t>(std::max(n, 0)), largeurordinaire);
  for (int c = 0; c < Cols(); ++c) appliquerlargeur(c);
  colonne_ = std::clamp(colonne_, 0, std::max(Cols() - 1, 0));
  placerfigées();
}

void Grille::FixedRows(int n) {
  modèle_.lignesfixes = std::clamp(n, 0, Rows());
  placerfigées();
  viewport()->update();
}

void Grille::FixedCols(int n) {
  modèle_.colonnesfixes = std::clamp(n, 0, Cols());
  placerfigées();
  viewport()->update();
}

void Grille::Row(int l) {
  ligne_ = std::clamp(l, 0, std::max(Rows() - 1, 0));
  planifier();
}

void Grille::Col(int c) {
  colonne_ = std::clamp(c, 0, std::max(Cols() - 1, 0));
  planifier();
}

// Les vues apprennent les changements une fois la série d'écritures finie : une
// seule annonce des cellules changées et de la cellule courante.
void Grille::planifier() {
  if (miseàjourprévue_) return;
  miseàjourprévue_ = true;
  QMetaObject::invokeMethod(this, [this] { mettreàjour(); }, Qt::QueuedConnection);
}

void Grille::mettreàjour() {
  miseàjourprévue_ = false;
  modèle_.publier();
  montrercourante();
}


QString Grille::Text() const {
  if (Rows() == 0 || Cols() == 0) return {};
  return modèle_.cellule(ligne_, colonne_).texte;
}

void Grille::Text(const QString& texte) {
  if (Rows() == 0 || Cols() == 0) return;
  modèle_.changer(ligne_, colonne_, &ModeleGrille::Cellule::texte, texte);
  planifier();
}

void Grille::appliquerlargeur(int c) {
  const int w = largeurs_[static_cast<std::size_t>(c)];
  for (QTableView* v : {static_cast<QTableView*>(this), haut_, gauche_, coin_}) {
    v->setColumnHidden(c, w == 0);
    if (w > 0) v->setColumnWidth(c, pixels(w));
  }
}

void Grille::ColWidth(int c, int twips) {
  if (c < 0 || c >= Cols()) return;
  largeurs_[static_cast<std::size_t>(c)] = std::max(twips, 0);
  appliquerlargeur(c);
  placerfigées();
}

void Grille::ColAlignment(int c, int alignement) {
  if (c < 0 || c >= Cols()) return;
  modèle_.alignements[static_cast<std::size_t>(c)] = alignement;
  viewport()->update();
}

void Grille::FixedAlignment(int c, int alignement) {
  if (c < 0 || c >= Cols()) return;
  modèle_.alignementsfixes[static_cast<std::size_t>(c)] = alignement;
  viewport()->update();
}

void Grille::CellForeColor(int couleur) {
  if (Rows() && Cols()) modèle_.changer(ligne_, colonne_, &ModeleGrille::Cellule::avant, couleur);
  planifier();
}

void Grille::CellBackColor(int couleur) {
  if (Rows() && Cols()) modèle_.changer(ligne_, colonne_, &ModeleGrille::Cellule::fond, couleur);
  planifier();
}

void Grille::CellFontBold(bool gras) {
  if (Rows() && Cols()) modèle_.changer(ligne_, colonne_, &ModeleGrille::Cellule::gras, gras);
  planifier();
}

// Cachée le temps d'être réécrite, la grille qui a le focus le garderait mal : il
// passerait à une autre commande, que les lecteurs d'écran diraient. Elle reste
// donc montrée, sans se repeindre. La case courante est posée une fois l'écriture
// finie, où l'appelant la remet, et non sur la dernière case écrite.
void Grille::Visible(bool visible) {
  if (!visible) {
    gelée_ = hasFocus();
    if (gelée_)
      setUpdatesEnabled(false);
    else
      setVisible(false);
    return;
  }
  modèle_.publier();
  planifier();
  if (gelée_) {
    gelée_ = false;
    setUpdatesEnabled(true);
    viewport()->update();
  }
  setVisible(true);
}

void Grille::Width(int twips) { resize(pixels(twips), height()); }
void Grille::Height(int twips) { resize(width(), pixels(twips)); }
void Grille::SetFocus() { setFocus(Qt::OtherFocusReason); }

ImageGrille Grille::Picture() const {
  ImageGrille image;
  image.lignesfixes = FixedRows();
  image.colonnesfixes = FixedCols();
  image.largeurs = QList<int>(largeurs_.begin(), largeurs_.end());
  image.alignements = QList<int>(modèle_.alignements.begin(), modèle_.alignements.end());
  image.alignementsfixes = QList<int>(modèle_.alignementsfixes.begin(), modèle_.alignementsfixes.end());
  image.hauteurs = QList<int>(Rows(), hauteurligne);
  image.cellules.reserve(Rows());
  for (int l = 0; l < Rows(); ++l) {
    QList<CelluleImage> ligne;
    ligne.reserve(Cols());
    for (int c = 0; c < Cols(); ++c) {
      const auto& cel = modèle_.cellule(l, c);
      ligne.append({cel.texte, cel.avant, cel.fond, cel.gras});
    }
    image.cellules.append(ligne);
  }
  return image;
}

void Grille::ajusterlargeurs() {
  for (int c = 0; c < Cols(); ++c) ajusterlargeur(c);
}

void Grille::ajusterlargeur(int c) {
  if (c < 0 || c >= Cols() || largeurs_[static_cast<std::size_t>(c)] == 0) return;
  QFont gras = font();
  gras.setBold(true);
  const QFontMetrics ordinaire(font()), épais(gras);
  // Les mêmes textes reviennent d'une grille à l'autre (les fiches d'une classe) :
  // chaque largeur n'est mesurée qu'une fois par police.
  static QHash<QString, int> mesurées;
  if (mesurées.size() > 50000) mesurées.clear();
  const QString police = font().key();
  const auto largeur = [&](const QString& texte, bool épaisse) {
    const QString clé = police + (épaisse ? u'G' : u'N') + texte;
    auto trouvée = mesurées.constFind(clé);
    if (trouvée != mesurées.constEnd()) return *trouvée;
    return *mesurées.insert(clé, (épaisse ? épais : ordinaire).horizontalAdvance(texte));
  };
  constexpr int marges = 8;  // pixels autour du texte, comme les cellules de la vue
  int besoin = 0;
  for (int l = 0; l < Rows(); ++l) {
    const auto& cel = modèle_.cellule(l, c);
    if (cel.texte.isEmpty()) continue;
    besoin = std::max(besoin, largeur(cel.texte, cel.gras) + marges);
  }
  if (pixels(largeurs_[static_cast<std::size_t>(c)]) < besoin) ColWidth(c, twipsde(besoin) + 15);
}

// Montre la cellule courante sans faire défiler : une cellule écrite par le
// programme ne déplace pas la vue, seul l'utilisateur la déplace.
void Grille::montrercourante() {
  if (Rows() == 0 || Cols() == 0) return;
  const QModelIndex i = modèle_.index(ligne_, colonne_);
  const bool défilement = hasAutoScroll();
  setAutoScroll(false);
  selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
  setAutoScroll(défilement);
}

void Grille::déplacer(int l, int c) {
  const bool changé = l != ligne_ || c != colonne_;
  ligne_ = l;
  colonne_ = c;
  montrercourante();
  scrollTo(modèle_.index(l, c));
  if (changé && RowColChange) RowColChange();
}

int Grille::étatmaj(Qt::KeyboardModifiers m) {
  return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) | (m & Qt::AltModifier ? 4 : 0);
}

int Grille::codetouche(const QKeyEvent& e) {
  const bool pavé = e.modifiers() & Qt::KeypadModifier;
  const int k = e.key();
  switch (k) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Space: return 32;
    case Qt::Key_Delete: return 46;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Plus: return pavé ? 107 : 187;
    case Qt::Key_Equal: return 187;
    case Qt::Key_Minus: return pavé ? 109 : 189;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: return 9;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Home: return 36;
    case Qt::Key_End: return 35;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    default: break;
  }
  if (k >= Qt::Key_F1 && k <= Qt::Key_F12) return 112 + (k - Qt::Key_F1);
  if ((k >= Qt::Key_A && k <= Qt::Key_Z) || (k >= Qt::Key_0 && k <= Qt::Key_9)) return k;
  return 0;
}

void Grille::éditer(const QString& départ) {
  if (Rows() == 0 || Cols() == 0) return;
  if (!éditeur_) {
    éditeur_ = new QLineEdit(viewport());
    éditeur_->setObjectName(QStringLiteral("éditeur"));
    éditeur_->setFrame(false);
    éditeur_->setFont(font());
    éditeur_->installEventFilter(this);
  }
  scrollTo(modèle_.index(ligne_, colonne_));
  éditeur_->setGeometry(visualRect(modèle_.index(ligne_, colonne_)));
  // L'éditeur porte le nom de sa case : un lecteur d'écran dit quel élève et quel test on note.
  const QModelIndex caseéditée = modèle_.index(ligne_, colonne_);
  éditeur_->setAccessibleName(modèle_.data(caseéditée, Qt::AccessibleTextRole).toString());
  éditeur_->setAccessibleDescription(QStringLiteral("Entrée enregistre la note, Échap la laisse."));
  éditeur_->setText(départ);
  éditeur_->show();
  éditeur_->setFocus();
  éditeur_->end(false);
}

bool Grille::enédition() const { return éditeur_ != nullptr && !éditeur_->isHidden(); }

void Grille::finirédition(int touche) {
  if (!enédition()) return;
  const QString texte = éditeur_->text();
  if (FinÉdition && !FinÉdition(texte, touche)) {
    if (éditeur_) éditeur_->selectAll();
    return;
  }
  if (!éditeur_ || éditeur_->isHidden()) return;
  // Le focus revient à la grille avant que l'éditeur se cache : caché avec le focus,
  // il le passerait au « suivant », que la vue prendrait pour la case de droite.
  setFocus();
  éditeur_->hide();  // gardé pour la note suivante
}

void Grille::keyPressEvent(QKeyEvent* e) {
  // Copier a sa propre touche (Ctrl+Maj+C) : Ctrl+C reste la commande de la fenêtre.
  if (e->key() == Qt::Key_C && e->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier) && Copier) {
    Copier();
    e->accept();
    return;
  }
  if (e->matches(QKeySequence::Paste) && Coller) {
    Coller();
    e->accept();
    return;
  }
  const QString texte = e->text();
  const bool caractère = texte.size() == 1 && texte[0].isPrint() && !texte[0].isSpace() &&
                         !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
  if (caractère && texte != u"+" && texte != u"-" && Frappe && Frappe(texte)) {
    e->accept();
    return;
  }
  const int code = codetouche(*e);
  const int premièrel = std::min(FixedRows(), Rows() - 1), premièrec = std::min(FixedCols(), Cols() - 1);
  // Tab (Maj+Tab) hors de l'éditeur : la case suivante (précédente) de la ligne, puis,
  // au bout de la ligne, la commande suivante (précédente) de la fenêtre.
  if ((code == 9 || e->key() == Qt::Key_Backtab) && Rows() > 0 && Cols() > 0) {
    const bool arrière = e->key() == Qt::Key_Backtab || (e->modifiers() & Qt::ShiftModifier);
    const int suivante = colonne_ + (arrière ? -1 : 1);
    if (suivante >= premièrec && suivante < Cols())
      déplacer(ligne_, suivante);
    else
      QWidget::focusNextPrevChild(!arrière);  // celle de la vue renverrait Tab à la grille
    e->accept();
    return;
  }
  int l = ligne_, c = colonne_;
  switch (code) {
    case 37: c = std::max(premièrec, c - 1); break;
    case 38: l = std::max(premièrel, l - 1); break;
    case 39: c = std::min(Cols() - 1, c + 1); break;
    case 40: l = std::min(Rows() - 1, l + 1); break;
    default: break;
  }
  if (code >= 37 && code <= 40 && Rows() > 0 && Cols() > 0) déplacer(l, c);
  if (code == 0) {
    QTableView::keyPressEvent(e);
    return;
  }
  // Échap hors d'une édition, quand la fenêtre ne le prend pas, va à la fenêtre :
  // c'est son bouton Annuler.
  if (code == 27 && !KeyDown) {
    e->ignore();
    return;
  }
  if (KeyDown) KeyDown(code, étatmaj(e->modifiers()));
  e->accept();
}

QTableView* Grille::vuede(QObject* vp) const {
  for (QTableView* v : {static_cast<QTableView*>(const_cast<Grille*>(this)), haut_, gauche_, coin_})
    if (v->viewport() == vp) return v;
  return nullptr;
}

bool Grille::eventFilter(QObject* objet, QEvent* e) {
  if (enédition() && objet == éditeur_ && e->type() == QEvent::KeyPress) {
    // Plusieurs lignes ou cellules collées dans l'éditeur : c'est un bloc, collé
    // comme tel, et non tronqué à sa première ligne par la ligne d'édition.
    if (static_cast<QKeyEvent*>(e)->matches(QKeySequence::Paste) && Coller) {
      const QString collé = QGuiApplication::clipboard()->text().trimmed();
      if (collé.contains(u'\n') || collé.contains(u'\r') || collé.contains(u'\t')) {
        finirédition(27);
        Coller();
        return true;
      }
    }
    const int touche = codetouche(*static_cast<QKeyEvent*>(e));
    if (touche == 13 || touche == 9 || touche == 27) {
      finirédition(touche);
      return true;
    }
    return false;
  }
  QTableView* vue = vuede(objet);
  if (!vue) return QTableView::eventFilter(objet, e);
  switch (e->type()) {
    case QEvent::MouseButtonPress: {
      auto* m = static_cast<QMouseEvent*>(e);
      const QModelIndex i = vue->indexAt(m->position().toPoint());
      pressionsurcellule_ = i.isValid();
      if (i.isValid()) déplacer(i.row(), i.column());
      SetFocus();
      const int bouton = m->button() == Qt::LeftButton ? 1 : m->button() == Qt::RightButton ? 2 : 4;
      const QPoint dansgrille = vue->viewport()->mapTo(this, m->position().toPoint());
      if (MouseDown) MouseDown(bouton, étatmaj(m->modifiers()), twipsde(dansgrille.x()), twipsde(dansgrille.y()));
      return true;
    }
    case QEvent::MouseButtonRelease: {
      auto* m = static_cast<QMouseEvent*>(e);
      if (pressionsurcellule_ && m->button() == Qt::LeftButton && Click) Click();
      pressionsurcellule_ = false;
      return true;
    }
    case QEvent::MouseButtonDblClick: {
      auto* m = static_cast<QMouseEvent*>(e);
      const QModelIndex i = vue->indexAt(m->position().toPoint());
      if (m->button() != Qt::LeftButton || !i.isValid()) return true;
      déplacer(i.row(), i.column());
      if (DblClick) DblClick();
      return true;
    }
    case QEvent::Wheel:
      if (vue != this) {
        QApplication::sendEvent(viewport(), e);
        return true;
      }
      return false;
    default: return QTableView::eventFilter(objet, e);
  }
}

void Grille::resizeEvent(QResizeEvent* e) {
  QTableView::resizeEvent(e);
  placerfigées();
}

void Grille::updateGeometries() {
  QTableView::updateGeometries();
  placerfigées();
}

// Les vues figées couvrent le haut (lignes fixes), la gauche (colonnes fixes) et
// leur coin, au-dessus de la vue qui défile.
void Grille::placerfigées() {
  if (!haut_) return;
  int largeurfixe = 0, hauteurfixe = 0;
  for (int c = 0; c < FixedCols(); ++c)
    if (!isColumnHidden(c)) largeurfixe += columnWidth(c);
  for (int l = 0; l < FixedRows(); ++l) hauteurfixe += rowHeight(l);
  const QRect vp = viewport()->geometry();
  haut_->setGeometry(vp.x(), vp.y(), vp.width(), hauteurfixe);
  gauche_->setGeometry(vp.x(), vp.y(), largeurfixe, vp.height());
  coin_->setGeometry(vp.x(), vp.y(), largeurfixe, hauteurfixe);
  haut_->setVisible(hauteurfixe > 0);
  gauche_->setVisible(largeurfixe > 0);
  coin_->setVisible(hauteurfixe > 0 && largeurfixe > 0);
  haut_->raise();
  gauche_->raise();
  coin_->raise();
  haut_->horizontalScrollBar()->setValue(horizontalScrollBar()->value());
  gauche_->verticalScrollBar()->setValue(verticalScrollBar()->value());
}

void Grille::scrollTo(const QModelIndex& index, ScrollHint hint) {
  if (!index.isValid()) return;
  QTableView::scrollTo(index, hint);
  // Une cellule ordinaire ne reste pas cachée sous les lignes ou colonnes figées.
  if (index.row() >= FixedRows()) {
    int hauteurfixe = 0;
    for (int l = 0; l < FixedRows(); ++l) hauteurfixe += rowHeight(l);
    const int haut = rowViewportPosition(index.row());
    if (haut < hauteurfixe) verticalScrollBar()->setValue(verticalScrollBar()->value() - (hauteurfixe - haut));
  }
  if (index.column() >= FixedCols()) {
    int largeurfixe = 0;
    for (int c = 0; c < FixedCols(); ++c)
      if (!isColumnHidden(c)) largeurfixe += columnWidth(c);
    const int gauche = columnViewportPosition(index.column());
    if (gauche < largeurfixe)
      horizontalScrollBar()->setValue(horizontalScrollBar()->value() - (largeurfixe - gauche));
  }
}
