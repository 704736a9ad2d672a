#include "impression/rema.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "noyau/base/etat.h"
#include "noyau/base/module.h"
#include "noyau/base/portetexte.h"
#include "noyau/fichiers/remarques.h"
#include "plateforme/qt/grille.h"
#include "plateforme/services.h"

FenetreRema::FenetreRema() {
  setWindowTitle(QStringLiteral("Renseignements supplémentaires"));
  setObjectName(QStringLiteral("rema"));
  Label1 = new QLabel(QStringLiteral("Remarque :"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  QFont gras = Label1->font();
  gras.setBold(true);
  Label1->setFont(gras);
  Label2 = new QLabel(QStringLiteral("Saisissez votre texte ci-dessous ou cliquez sur un texte existant."), this);
  Label2->setObjectName(QStringLiteral("Label2"));
  Text1 = new QLineEdit(this);
  Text1->setObjectName(QStringLiteral("Text1"));
  Text1->setAccessibleName(QStringLiteral("Remarque"));
  List1 = new QListWidget(this);
  List1->setObjectName(QStringLiteral("List1"));
  List1->setAccessibleName(QStringLiteral("Remarques enregistrées"));
  List2 = new QListWidget(this);
  List2->setObjectName(QStringLiteral("List2"));
  List2->setAccessibleName(QStringLiteral("Matières des classes voisines"));
  Command1 = new QPushButton(QStringLiteral("Sauvegarder et continuer"), this);
  Command1->setObjectName(QStringLiteral("Command1"));
  Command2 = new QPushButton(QStringLiteral("CONTINUER"), this);
  Command2->setObjectName(QStringLiteral("Command2"));
  Command3 = new QPushButton(QStringLiteral("Annuler"), this);
  Command3->setObjectName(QStringLiteral("Command3"));
  for (QPushButton* b : {Command1, Command2, Command3}) b->setAutoDefault(false);

  auto* listes = new QHBoxLayout;
  auto* gauche = new QVBoxLayout;
  gauche->addWidget(new QLabel(QStringLiteral("Remarques enregistrées"), this));
  gauche->addWidget(List1);
  auto* droite = new QVBoxLayout;
  droite->addWidget(new QLabel(QStringLiteral("Matières des classes voisines"), this));
  droite->addWidget(List2);
  listes->addLayout(gauche);
  listes->addLayout(droite);
  auto* boutons = new QHBoxLayout;
  boutons->addWidget(Command1);
  boutons->addStretch();
  boutons->addWidget(Command2);
  boutons->addWidget(Command3);
  auto* tout = new QVBoxLayout(this);
  tout->addWidget(Label1);
  tout->addWidget(Label2);
  tout->addWidget(Text1);
  tout->addLayout(listes, 1);
  tout->addLayout(boutons);
  resize(620, 380);

  connect(List1, &QListWidget::itemClicked, this, [this] { List1_Click(); });
  connect(List2, &QListWidget::itemClicked, this, [this] { List2_Click(); });
  connect(List1, &QListWidget::itemDoubleClicked, this, [this] { List1_Click(); Command2_Click(); });
  connect(List2, &QListWidget::itemDoubleClicked, this, [this] { List2_Click(); Command2_Click(); });
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
  connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
  intercepterclavier(Text1, [this](int code) {
    Text1_KeyDown(code);
    return code == 13;
  });
}

void FenetreRema::Form_Load() {
  terminée_ = false;
  Label1->setText(état().textesaisi);
  Text1->clear();
  Command1->setEnabled(false);
  List1->clear();
  List1->addItems(lireremarques());
  List2->clear();
  List2->addItems(matièresdesclassesvoisines());
  centrer();
  Text1->setFocus();
}

void FenetreRema::List1_Click() {
  if (List1->currentItem()) Text1->setText(List1->currentItem()->text());
}

void FenetreRema::List2_Click() {
  if (List2->currentItem()) Text1->setText(List2->currentItem()->text());
}

void FenetreRema::Text1_KeyDown(int codetouche) {
  Command1->setEnabled(true);
  if (codetouche == 13) Command2_Click();
}

void FenetreRema::Command1_Click() {
  const auto texte = texteadmis(Text1->text(), GenreTexte::Libre);
  if (!texte) return;
  if (!texte->isEmpty()) ajouterremarque(*texte);
  Command2_Click();
}

void FenetreRema::Command2_Click() {
  const auto texte = texteadmis(Text1->text(), GenreTexte::Libre);
  if (!texte) return;  // la fenêtre reste ouverte pour une autre frappe
  état().textesaisi = *texte;
  terminée_ = true;
  fermer();
}

void FenetreRema::Command3_Click() {
  état().textesaisi.clear();
  terminée_ = true;
  fermer();
}

void FenetreRema::closeEvent(QCloseEvent* e) {
  // Fermer par le cadre, c'est annuler : sinon l'invite passerait pour la réponse.
  if (!terminée_) état().textesaisi.clear();
  terminée_ = true;
  e->accept();
}

FenetreEditeurRemarques::FenetreEditeurRemarques() {
  setWindowTitle(QStringLiteral("Textes pour matière et récapitulatif (commentaires.txt)"));
  setObjectName(QStringLiteral("éditeurremarques"));
  texte = new QPlainTextEdit(this);
  texte->setAccessibleName(QStringLiteral("Textes pour matière et récapitulatif, une remarque par ligne"));
  texte->setObjectName(QStringLiteral("texte"));
  auto* boutons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Close, this);
  auto* tout = new QVBoxLayout(this);
  tout->addWidget(new QLabel(QStringLiteral("Une remarque par ligne (une virgule sépare deux remarques)."), this));
  tout->addWidget(texte, 1);
  tout->addWidget(boutons);
  resize(640, 460);
  connect(boutons, &QDialogButtonBox::accepted, this, [this] {
    enregistrer();
    fermer();
  });
  connect(boutons, &QDialogButtonBox::rejected, this, [this] { fermer(); });
}

void FenetreEditeurRemarques::Form_Load() {
  texte->setPlainText(lignesremarques().join(u'\n'));
  centrer();
}

void FenetreEditeurRemarques::enregistrer() {
  QStringList lignes = texte->toPlainText().split(u'\n');
  while (!lignes.isEmpty() && lignes.last().isEmpty()) lignes.removeLast();
  écrireremarques(lignes);
}
