#include "plateforme/qt/annonce.h"

#include <QAccessible>
#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QApplication>
#include <QEvent>
#include <QTimer>

namespace {

// Une notification pour AT-SPI, et non une étiquette : Orca la dit quand elle paraît.
// Rattachée à l'application, elle se dit seule, sans le titre de la fenêtre et ses
// étiquettes avant chaque message.
class AccessibleBandeau : public QAccessibleWidget {
public:
  explicit AccessibleBandeau(QWidget* bandeau) : QAccessibleWidget(bandeau, QAccessible::Notification) {}
  QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(qApp); }
};

constexpr int duréeàlécran = 8000;  // ms
const QString nomdubandeau = QStringLiteral("annonce");
const QString nomdelaparole = QStringLiteral("parole");

QWidget* fenêtredetravail() {
  QWidget* modale = QApplication::activeModalWidget();
  if (modale && modale->isVisible()) return modale;
  QWidget* active = QApplication::activeWindow();
  if (active && active->isVisible()) return active;
  const auto fenêtres = QApplication::topLevelWidgets();
  for (QWidget* w : fenêtres)
    if (w->isVisible() && w->isWindow() && !w->inherits("QMenu")) return w;
  return nullptr;
}

}  // namespace

BandeauAnnonce::BandeauAnnonce(QWidget* fenêtre, bool àvoir)
    : QLabel(fenêtre), àvoir_(àvoir), effacement_(new QTimer(this)) {
  QAccessible::registerAccessibleInterface(new AccessibleBandeau(this));
  setObjectName(àvoir ? nomdubandeau : nomdelaparole);
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_TransparentForMouseEvents);  // un clic passe à la grille dessous
  setTextFormat(Qt::PlainText);
  if (àvoir) {
    setWordWrap(true);
    setMargin(6);
    // Les couleurs des bulles d'aide du thème : lisibles sur tout bureau.
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::ToolTipBase);
    setForegroundRole(QPalette::ToolTipText);
    setFrameShape(QFrame::Box);
  } else {
    setStyleSheet(QStringLiteral("color: transparent; background: transparent;"));
  }
  effacement_->setSingleShot(true);
  connect(effacement_, &QTimer::timeout, this, &QWidget::hide);
  fenêtre->installEventFilter(this);
  hide();
}

void BandeauAnnonce::annoncer(const QString& texte) {
  setText(texte);
  setAccessibleName(texte);
  // Caché puis remontré : chaque message est un « paraît » que le lecteur d'écran dit.
  hide();
  placer();
  show();
  raise();
  effacement_->start(duréeàlécran);
}

void BandeauAnnonce::placer() {
  if (!àvoir_) {
    setFixedSize(1, 1);
    move(0, 0);
    return;
  }
  const QWidget* fenêtre = parentWidget();
  const int largeur = std::min(fenêtre->width() - 16, std::max(360, fenêtre->width() / 2));
  setFixedWidth(std::max(largeur, 40));
  adjustSize();
  move(8, fenêtre->height() - height() - 8);
}

bool BandeauAnnonce::eventFilter(QObject* objet, QEvent* e) {
  if (objet == parentWidget() && isVisible() && àvoir_) {
    if (e->type() == QEvent::Resize) placer();
    // La fenêtre se ferme sur son message (l'impression lancée par OK) : le message
    // passe à la fenêtre où l'on revient, pour y être lu.
    if (e->type() == QEvent::Hide) {
      effacement_->stop();
      hide();
      QTimer::singleShot(0, qApp, [texte = text()] {
        if (BandeauAnnonce* suivant = bandeaudelafenêtreactive()) suivant->annoncer(texte);
      });
    }
  }
  return QLabel::eventFilter(objet, e);
}

void direauxlecteurs(const QString& texte) {
  if (!QAccessible::isActive() || texte.trimmed().isEmpty()) return;
  QWidget* fenêtre = fenêtredetravail();
  if (!fenêtre) return;
  auto* parole = fenêtre->findChild<BandeauAnnonce*>(nomdelaparole, Qt::FindDirectChildrenOnly);
  (parole ? parole : new BandeauAnnonce(fenêtre, false))->annoncer(texte);
}

void redirecourant(QAbstractItemView* vue) {
  if (!QAccessible::isActive() || !vue->hasFocus() || !vue->currentIndex().isValid()) return;
  QAccessibleInterface* liste = QAccessible::queryAccessibleInterface(vue);
  QAccessibleTableInterface* cases = liste ? liste->tableInterface() : nullptr;
  const QModelIndex i = vue->currentIndex();
  QAccessibleInterface* courant = cases ? cases->cellAt(i.row(), i.column()) : nullptr;
  if (!courant) return;
  QAccessibleEvent annonce(vue, QAccessible::Focus);
  annonce.setChild(liste->indexOfChild(courant));
  QAccessible::updateAccessibility(&annonce);
}

BandeauAnnonce* bandeaudelafenêtreactive() {
  QWidget* fenêtre = fenêtredetravail();
  if (!fenêtre) return nullptr;
  auto* bandeau = fenêtre->findChild<BandeauAnnonce*>(nomdubandeau, Qt::FindDirectChildrenOnly);
  return bandeau ? bandeau : new BandeauAnnonce(fenêtre, true);
}
