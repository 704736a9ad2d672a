#include "impression/choiximprimante.h"

#include <QVBoxLayout>

#include "noyau/base/etat.h"
#include "plateforme/imprimante.h"
#include "plateforme/services.h"

FenetreChoixImprimante::FenetreChoixImprimante() {
  setWindowTitle(QStringLiteral("Choisir une imprimante"));
  setObjectName(QStringLiteral("Form3"));
  List1 = nommer(new QListWidget(this), "List1");
  Label1 = nommer(new QLabel(QStringLiteral("Imprimante par défaut actuelle"), this), "Label1");
  Label5 = nommer(new QLabel(this), "Label5");
  QFont gras = Label5->font();
  gras.setBold(true);
  Label5->setFont(gras);
  Label3 = nommer(new QLabel(QStringLiteral("Double cliquer sur l'imprimante à sélectionner"), this), "Label3");
  CMDOK = nommer(new QPushButton(QStringLiteral("OK"), this), "CMDOK");
  auto* bas = new QHBoxLayout;
  bas->addStretch();
  bas->addWidget(CMDOK);
  auto* tout = new QVBoxLayout(this);
  tout->addWidget(Label1);
  tout->addWidget(Label5);
  tout->addWidget(Label3);
  tout->addWidget(List1, 1);
  tout->addLayout(bas);
  setMinimumSize(380, 300);
  connect(List1, &QListWidget::itemDoubleClicked, this, [this] { List1_DblClick(); });
  connect(CMDOK, &QPushButton::clicked, this, [this] { cmdok_Click(); });
}

void FenetreChoixImprimante::Form_Load() {
  centrer();
  List1->clear();
  List1->addItems(imprimantes().Printers());
  Label5->setText(QStringLiteral("= ") + imprimantes().Printer().DeviceName());
}

void FenetreChoixImprimante::List1_DblClick() {
  QListWidgetItem* choisie = List1->currentItem();
  if (!choisie) return;
  Label5->setText(choisie->text());
  const QString actuelle = imprimantes().Printer().DeviceName();
  if (état().imprimantechoisie.isEmpty()) état().imprimantechoisie = actuelle;
  if (choisie->text() != actuelle) imprimantes().choisir(choisie->text());
}

void FenetreChoixImprimante::cmdok_Click() { fermer(); }
