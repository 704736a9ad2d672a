#include "socle/fenetre.h"

#include <QAbstractItemView>
#include <algorithm>
#include <QComboBox>
#include <QRadioButton>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QToolBar>
#include <QToolButton>

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

#include "noyau/base/module.h"
#include "plateforme/qt/annonce.h"
#include "plateforme/qt/grille.h"
#include "plateforme/services.h"

namespace {

class FiltreClavier : public QObject {
public:
  FiltreClavier(QObject* parent, std::function<bool(int)> gestion) : QObject(parent), gestion_(std::move(gestion)) {}
  bool eventFilter(QObject*, QEvent* e) override {
    return e->type() == QEvent::KeyPress && gestion_(Grille::codetouche(*static_cast<QKeyEvent*>(e)));
  }

private:
  std::function<bool(int)> gestion_;
};

}  // namespace

void intercepterclavier(QWidget* contrôle, std::function<bool(int)> gestion) {
  contrôle->installEventFilter(new FiltreClavier(contrôle, std::move(gestion)));
}

void commeledoubleclic(QListWidget* liste, std::function<void()> action) {
  intercepterclavier(liste, [liste, action = std::move(action)](int code) {
    constexpr int entrée = 13, espace = 32, f2 = 113;
    if ((code != entrée && code != espace && code != f2) || !liste->currentItem()) return false;
    action();
    return true;
  });
}

SablierActif::SablierActif() { boîtes().sablier(true); }
SablierActif::~SablierActif() { boîtes().sablier(false); }

int lignesélectionnée(const QListWidget& liste) {
  const QListWidgetItem* ligne = liste.currentItem();
  return ligne != nullptr && ligne->isSelected() ? liste.currentRow() : -1;
}

Fenetre::Fenetre(QWidget* parent) : QDialog(parent) {
  setWindowIcon(QIcon(logoevalo(64)));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

void Fenetre::montrer() {
  ouverte_ = true;
  Form_Load();
  nommerpourleslecteurs(this);
  if (ouverte_) exec();
  ouverte_ = false;
}

void Fenetre::fermer() {
  ouverte_ = false;
  if (isVisible()) accept();
}

void Fenetre::done(int résultat) {
  ouverte_ = false;
  QDialog::done(résultat);
}

void Fenetre::centrer() {
  const QScreen* écran = screen() ? screen() : QGuiApplication::primaryScreen();
  if (!écran) return;
  if (!testAttribute(Qt::WA_Resized)) adjustSize();
  const QRect zone = écran->availableGeometry();
  const double partwip = logicalDpiX() / 1440.0;
  const auto twips = [&](int pixels) { return static_cast<int>(pixels / partwip); };
  const PositionFenêtre p = centrerfenêtre(twips(zone.width()), twips(zone.height()), twips(width()), twips(height()));
  move(zone.x() + static_cast<int>(p.gauche * partwip), zone.y() + static_cast<int>(p.haut * partwip));
}

QPixmap logoevalo(int taille) {
  QPixmap image(taille, taille);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const double u = taille / 64.0;
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(31, 78, 140));
  p.drawRoundedRect(QRectF(8 * u, 4 * u, 48 * u, 56 * u), 5 * u, 5 * u);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(16 * u, 10 * u, 36 * u, 44 * u));
  p.setPen(QPen(QColor(180, 190, 205), 1.5 * u));
  for (int i = 0; i < 5; ++i) p.drawLine(QPointF(20 * u, (20 + 8 * i) * u), QPointF(48 * u, (20 + 8 * i) * u));
  p.setPen(QPen(QColor(200, 30, 30), 3 * u));
  p.drawLine(QPointF(22 * u, 36 * u), QPointF(28 * u, 44 * u));
  p.drawLine(QPointF(28 * u, 44 * u), QPointF(44 * u, 22 * u));
  return image;
}

QString ligneversion() { return QStringLiteral("Version %1 - carnet de cotes par compétences").arg(QStringLiteral(EVALO_VERSION)); }

namespace {

QString sansesperluette(QString texte) { return texte.remove(QRegularExpression(QStringLiteral("&(?!&)"))); }

void nommer(QWidget* w, const QString& nom) {
  if (w->accessibleName().isEmpty() && !nom.isEmpty()) w->setAccessibleName(nom);
}

// Une seule fois par contrôle, quel que soit le nombre d'affichages de sa fenêtre.
bool premièrefois(QObject* contrôle) {
  if (contrôle->property("evalo_lecteurs").toBool()) return false;
  contrôle->setProperty("evalo_lecteurs", true);
  return true;
}

// Une liste ou un tableau qui reçoit le focus fait dire sa ligne courante, pas
// seulement « liste à 5 éléments ».
class CourantAuFocus : public QObject {
public:
  using QObject::QObject;
  bool eventFilter(QObject* objet, QEvent* e) override {
    if (e->type() == QEvent::FocusIn)
      if (auto* vue = qobject_cast<QAbstractItemView*>(objet))
        QMetaObject::invokeMethod(vue, [vue] { redirecourant(vue); }, Qt::QueuedConnection);
    return false;
  }
};

// La valeur d'une liste déroulante, que Qt 6.4 ne donne pas à Orca d'une façon qu'il
// lise, va dans sa description, dite avec elle au focus ; un choix fait aux flèches
// est dit (Orca ne lit pas la nouvelle description que Qt lui signale).
void direleschoix(QComboBox* choix) {
  QObject::connect(choix, &QComboBox::currentTextChanged, choix, [choix](const QString& texte) {
    choix->setAccessibleDescription(texte);
    if (choix->hasFocus() && !choix->view()->isVisible()) direauxlecteurs(texte);
  });
}

// Tab entre dans un groupe de boutons radio par le bouton coché, comme sous
// Windows : seul lui prend le focus au clavier, les flèches vont aux autres.
void focussurlecoché(QWidget* parent) {
  QList<QRadioButton*> groupe;
  for (QRadioButton* r : parent->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly))
    if (r->autoExclusive()) groupe.append(r);
  const bool uncoché = std::any_of(groupe.begin(), groupe.end(), [](QRadioButton* r) { return r->isChecked(); });
  for (QRadioButton* r : groupe) r->setFocusPolicy(!uncoché || r->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
}

void suivrelecoché(QRadioButton* bouton) {
  QObject::connect(bouton, &QRadioButton::toggled, bouton, [bouton] {
    if (bouton->parentWidget()) focussurlecoché(bouton->parentWidget());
  });
}

}  // namespace

void nommerpourleslecteurs(QWidget* fenêtre) {
  for (QMenuBar* b : fenêtre->findChildren<QMenuBar*>()) nommer(b, QStringLiteral("Barre des menus"));
  for (QMenu* m : fenêtre->findChildren<QMenu*>()) nommer(m, sansesperluette(m->title()));
  for (QToolBar* t : fenêtre->findChildren<QToolBar*>()) nommer(t, QStringLiteral("Barre d'outils"));
  for (QToolButton* b : fenêtre->findChildren<QToolButton*>()) {
    if (!b->text().isEmpty()) continue;
    if (b->objectName() == QStringLiteral("qt_toolbar_ext_button")) nommer(b, QStringLiteral("Autres boutons de la barre"));
    else if (qobject_cast<QLineEdit*>(b->parentWidget())) nommer(b, QStringLiteral("Effacer le texte"));
    else nommer(b, b->toolTip());
  }
  for (QLineEdit* e : fenêtre->findChildren<QLineEdit*>()) nommer(e, e->placeholderText());
  for (QLabel* l : fenêtre->findChildren<QLabel*>())
    if (l->text().isEmpty()) nommer(l, l->toolTip());
  for (QComboBox* c : fenêtre->findChildren<QComboBox*>()) {
    if (premièrefois(c)) direleschoix(c);
    c->setAccessibleDescription(c->currentText());  // le choix posé avant l'affichage
  }
  for (QRadioButton* r : fenêtre->findChildren<QRadioButton*>()) {
    if (premièrefois(r)) suivrelecoché(r);
    if (r->parentWidget()) focussurlecoché(r->parentWidget());
  }
  for (QAbstractItemView* v : fenêtre->findChildren<QAbstractItemView*>())
    if (!qobject_cast<QComboBox*>(v->parentWidget()) && premièrefois(v)) v->installEventFilter(new CourantAuFocus(v));
}
