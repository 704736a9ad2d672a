#include "classes/conflits.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "noyau/fusion/decision.h"

namespace {

QString avecdate(const QString& valeur, const QString& quand) {
  return quand.isEmpty() ? valeur : QStringLiteral("%1  (%2)").arg(valeur, quand);
}

QRadioButton* bouton(QTableWidget* table, int ligne, int colonne, const QString& texte) {
  auto* b = new QRadioButton(texte);
  b->setObjectName(QStringLiteral("garder_%1_%2").arg(ligne).arg(colonne));
  auto* cadre = new QWidget;
  auto* l = new QHBoxLayout(cadre);
  l->setContentsMargins(6, 0, 6, 0);
  l->addWidget(b);
  table->setCellWidget(ligne, colonne, cadre);
  return b;
}

QRadioButton* boutonde(const QTableWidget* table, int ligne, int colonne) {
  const QWidget* cadre = table->cellWidget(ligne, colonne);
  return cadre ? cadre->findChild<QRadioButton*>() : nullptr;
}

}  // namespace

FenetreConflits::FenetreConflits() {
  setObjectName(QStringLiteral("conflits"));
  resize(900, 420);
  auto* tout = new QVBoxLayout(this);
  explication_ = nommer(new QLabel(this), "explication");
  explication_->setWordWrap(true);
  tout->addWidget(explication_);
  table_ = nommer(new QTableWidget(this), "lignes");
  table_->setTabKeyNavigation(false);  // Tab quitte la table, les flèches vont de case en case
  table_->setColumnCount(NombreColonnes);
  table_->setHorizontalHeaderLabels({QStringLiteral("Période"), QStringLiteral("Élève"), QStringLiteral("Quoi"),
                                     QStringLiteral("Ici"), QStringLiteral("Là"), QStringLiteral("Garder"), QString()});
  table_->verticalHeader()->hide();
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionMode(QAbstractItemView::NoSelection);
  table_->horizontalHeader()->setSectionResizeMode(Ici, QHeaderView::Stretch);
  table_->horizontalHeader()->setSectionResizeMode(Là, QHeaderView::Stretch);
  tout->addWidget(table_, 1);

  auto* bas = new QHBoxLayout;
  auto* toutici = nommer(new QPushButton(QStringLiteral("Garder toutes celles-ci"), this), "toutici");
  auto* toutlà = nommer(new QPushButton(QStringLiteral("Garder toutes celles-là"), this), "toutlà");
  bas->addWidget(toutici);
  bas->addWidget(toutlà);
  bas->addStretch();
  auto* ok = nommer(new QPushButton(QStringLiteral("OK"), this), "cmdok");
  auto* annuler = nommer(new QPushButton(QStringLiteral("Annuler"), this), "cmdannuler");
  ok->setDefault(true);
  bas->addWidget(ok);
  bas->addWidget(annuler);
  tout->addLayout(bas);
  connect(toutici, &QPushButton::clicked, this, [this] { toutgarder(false); });
  connect(toutlà, &QPushButton::clicked, this, [this] { toutgarder(true); });
  connect(ok, &QPushButton::clicked, this, [this] { ok_Click(); });
  connect(annuler, &QPushButton::clicked, this, [this] { annuler_Click(); });
}

void FenetreConflits::Form_Load() {
  const ConflitsÀTrancher& c = conflitsàtrancher();
  setWindowTitle(QStringLiteral("Conflits - %1").arg(c.classe));
  explication_->setText(
      QStringLiteral("Cet ordinateur et %1 ont changé autrement ces valeurs de %2. Tout le reste des deux copies est "
                     "déjà fusionné. Choisissez la valeur à garder sur chaque ligne ; celle qui n'est pas gardée reste "
                     "dans l'historique de la classe.\n\nAnnuler : ne rien fusionner maintenant et continuer sur la copie "
                     "de cet ordinateur.")
          .arg(c.ordinateurlà, c.classe));
  table_->horizontalHeaderItem(Ici)->setText(QStringLiteral("Ici (cet ordinateur)"));
  table_->horizontalHeaderItem(Là)->setText(QStringLiteral("Là (%1)").arg(c.ordinateurlà));
  table_->setRowCount(static_cast<int>(c.conflits.size()));
  for (int i = 0; i < table_->rowCount(); ++i) {
    const Conflit& cf = c.conflits[i];
    table_->setItem(i, Période, new QTableWidgetItem(cf.période));
    table_->setItem(i, Élève, new QTableWidgetItem(cf.élève));
    table_->setItem(i, Quoi, new QTableWidgetItem(cf.quoi));
    table_->setItem(i, Ici, new QTableWidgetItem(avecdate(cf.ici, cf.quandici)));
    table_->setItem(i, Là, new QTableWidgetItem(avecdate(cf.là, cf.quandlà)));
    auto* groupe = new QButtonGroup(table_);
    QRadioButton* ici = bouton(table_, i, GarderIci, QStringLiteral("celle-ci"));
    QRadioButton* là = bouton(table_, i, GarderLà, QStringLiteral("celle-là"));
    groupe->addButton(ici);
    groupe->addButton(là);
    (cf.garderlà ? là : ici)->setChecked(true);
  }
  table_->resizeColumnsToContents();
  table_->horizontalHeader()->setSectionResizeMode(Ici, QHeaderView::Stretch);
  table_->horizontalHeader()->setSectionResizeMode(Là, QHeaderView::Stretch);
}

int FenetreConflits::nombrelignes() const { return table_->rowCount(); }

QString FenetreConflits::texte(int ligne, int colonne) const {
  const QTableWidgetItem* item = table_->item(ligne, colonne);
  return item ? item->text() : QString();
}

bool FenetreConflits::gardelà(int ligne) const {
  const QRadioButton* là = boutonde(table_, ligne, GarderLà);
  return là && là->isChecked();
}

void FenetreConflits::choisir(int ligne, bool là) {
  if (QRadioButton* b = boutonde(table_, ligne, là ? GarderLà : GarderIci)) b->setChecked(true);
}

void FenetreConflits::toutgarder(bool là) {
  for (int i = 0; i < table_->rowCount(); ++i) choisir(i, là);
}

void FenetreConflits::ok_Click() {
  ConflitsÀTrancher& c = conflitsàtrancher();
  for (int i = 0; i < table_->rowCount() && i < c.conflits.size(); ++i) c.conflits[i].garderlà = gardelà(i);
  c.annulé = false;
  fermer();
}

void FenetreConflits::annuler_Click() {
  conflitsàtrancher().annulé = true;
  fermer();
}
