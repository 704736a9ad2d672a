#include "impression/selection.h"

#include "plateforme/qt/boitesqt.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "noyau/base/etat.h"
#include "noyau/base/module.h"
#include "plateforme/nombres.h"
#include "plateforme/services.h"

FenetreSelection::FenetreSelection() {
  setObjectName(QStringLiteral("fenêtrerécapitulatif"));
  List1 = nommer(new QListWidget(this), "List1");
  List2 = nommer(new QListWidget(this), "List2");
  ntotél = nommer(new QLabel(this), "ntotél");
  élsél = nommer(new QLabel(this), "élsél");
  casecouleur = nommer(new QCheckBox(QStringLiteral("Imprimer en couleurs"), this), "casecouleur");
  casedernièreligne = nommer(
      new QCheckBox(QStringLiteral("Imprimer la dernière ligne (\"Si vous n'avez pas vu une interrogation...\")"), this),
      "casedernièreligne");
  Command1 = nommer(new QPushButton(QStringLiteral("Sélectionner tous les élèves"), this), "Command1");
  Command2 = nommer(new QPushButton(QStringLiteral("Désélectionner tous les élèves"), this), "Command2");
  Command4 = nommer(new QPushButton(QStringLiteral("I M P R I M E R"), this), "Command4");
  Command4->setAccessibleName(titrelisible(Command4->text()));
  Command5 = nommer(new QPushButton(QStringLiteral("Annuler"), this), "Command5");
  for (QPushButton* b : {Command1, Command2, Command5}) b->setAutoDefault(false);

  auto* listes = new QGridLayout;
  listes->addWidget(new QLabel(QStringLiteral("Liste des élèves de cette classe"), this), 0, 0);
  listes->addWidget(new QLabel(QStringLiteral("Liste des élèves pour lesquels il faut imprimer"), this), 0, 1);
  listes->addWidget(List1, 1, 0);
  listes->addWidget(List2, 1, 1);
  listes->addWidget(new QLabel(QStringLiteral("Pour sélectionner un élève, double cliquez dessus"), this), 2, 0);
  listes->addWidget(new QLabel(QStringLiteral("Pour désélectionner un élève, double cliquez dessus"), this), 2, 1);
  listes->addWidget(ntotél, 3, 0);
  listes->addWidget(élsél, 3, 1);
  listes->addWidget(Command1, 4, 0);
  listes->addWidget(Command2, 4, 1);
  listes->setRowStretch(1, 1);
  auto* boutons = new QHBoxLayout;
  boutons->addStretch();
  boutons->addWidget(Command4);
  boutons->addWidget(Command5);
  auto* tout = new QVBoxLayout(this);
  tout->addLayout(listes, 1);
  tout->addWidget(casecouleur);
  tout->addWidget(casedernièreligne);
  tout->addLayout(boutons);
  setMinimumSize(620, 460);

  connect(List1, &QListWidget::itemDoubleClicked, this, [this] { List1_DblClick(); });
  connect(List2, &QListWidget::itemDoubleClicked, this, [this] { List2_DblClick(); });
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
  connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
  connect(Command5, &QPushButton::clicked, this, [this] { Command5_Click(); });
}

// Chaque ligne garde la place de son élève : deux élèves de même nom restent deux.
void FenetreSelection::ajouter(QListWidget* liste, int élève) {
  auto* ligne = new QListWidgetItem(état().nomélève[élève], liste);
  ligne->setData(Qt::UserRole, élève);
}

void FenetreSelection::Form_Load() {
  centrer();
  const ÉtatPartagé& é = état();
  const bool fiches = é.nomfichier == QStringLiteral("imprimer");
  setWindowTitle((fiches ? QStringLiteral("Imprimer les fiches individuelles")
                         : QStringLiteral("Imprimer les récapitulatifs pour les parents")) +
                 QStringLiteral(" de ") + é.nomclasse[é.classecourante]);
  casecouleur->setVisible(!fiches);
  casedernièreligne->setVisible(!fiches);
  List1->clear();
  List2->clear();
  for (int i = 1; i <= é.nbélèves; ++i) {
    ajouter(List1, i);
    ajouter(List2, i);
  }
  ntotél->setText(QStringLiteral("Nombre total d'élèves :") + str(é.nbélèves));
  affnélsél();
}

void FenetreSelection::affnélsél() {
  élsél->setText(QStringLiteral("Nombre d'élève(s) sélectionné(s) :") + str(List2->count()));
}

void FenetreSelection::List1_DblClick() {
  QListWidgetItem* choisi = List1->currentItem();
  if (!choisi) return;
  const int élève = choisi->data(Qt::UserRole).toInt();
  for (int r = 0; r < List2->count(); ++r)
    if (List2->item(r)->data(Qt::UserRole).toInt() == élève) return;
  ajouter(List2, élève);
  affnélsél();
}

void FenetreSelection::List2_DblClick() {
  QListWidgetItem* choisi = List2->currentItem();
  if (!choisi) return;
  delete List2->takeItem(List2->row(choisi));
  affnélsél();
}

void FenetreSelection::Command1_Click() {
  List2->clear();
  for (int i = 1; i <= état().nbélèves; ++i) ajouter(List2, i);
  affnélsél();
}

void FenetreSelection::Command2_Click() {
  List2->clear();
  affnélsél();
}

void FenetreSelection::Command4_Click() {
  if (List2->count() == 0) {
    avertissement(QStringLiteral("Il n'y a aucun élève sélectionné !"), QStringLiteral("Impossible d'imprimer !"));
    return;
  }
  ÉtatPartagé& é = état();
  é.sélectionannulée = false;
  é.optionsrécapitulatif = QString(casedernièreligne->isChecked() ? u'1' : u'0') + (casecouleur->isChecked() ? u'1' : u'0');
  é.élèvesrécapitulatif.redim(List2->count());
  for (int r = 0; r < List2->count(); ++r) é.élèvesrécapitulatif[r + 1] = List2->item(r)->data(Qt::UserRole).toInt();
  fermer();
}

void FenetreSelection::Command5_Click() {
  ÉtatPartagé& é = état();
  é.sélectionannulée = true;
  é.élèvesrécapitulatif.redim(0);
  fermer();
}
