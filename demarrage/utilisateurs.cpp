#include "demarrage/utilisateurs.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "noyau/base/dossiers.h"
#include "noyau/base/etat.h"
#include "noyau/base/module.h"
#include "noyau/base/piege.h"
#include "noyau/base/portetexte.h"
#include "noyau/fichiers/utilisateurs.h"
#include "plateforme/fichiers.h"
#include "plateforme/services.h"

namespace {
const QString titrenouvel = QStringLiteral("Nouvel utilisateur");
}

FenetreUtilisateurs::FenetreUtilisateurs() {
  setWindowTitle(QStringLiteral("Liste des utilisateurs"));
  setObjectName(QStringLiteral("utilisateurs"));
  Label1 = nommer(new QLabel(QStringLiteral("Double-cliquez sur votre nom pour travailler dans vos propres données."), this),
                  "Label1");
  Label1->setWordWrap(true);
  listeutilisateurs = nommer(new QListWidget(this), "listeutilisateurs");
  cmdajouter = nommer(new QPushButton(QStringLiteral("Ajouter"), this), "cmdajouter");
  cmdretirer = nommer(new QPushButton(QStringLiteral("Supprimer"), this), "cmdretirer");
  cmdannuler = nommer(new QPushButton(QStringLiteral("Annuler"), this), "cmdannuler");
  for (QPushButton* b : {cmdajouter, cmdretirer, cmdannuler}) b->setAutoDefault(false);

  auto* boutons = new QHBoxLayout;
  boutons->addWidget(cmdajouter);
  boutons->addWidget(cmdretirer);
  boutons->addStretch();
  boutons->addWidget(cmdannuler);
  auto* tout = new QVBoxLayout(this);
  tout->addWidget(Label1);
  tout->addWidget(listeutilisateurs, 1);
  tout->addLayout(boutons);
  resize(360, 320);

  // La ligne choisie au clavier compte comme la ligne cliquée.
  connect(listeutilisateurs, &QListWidget::itemSelectionChanged, this, [this] { listeutilisateurs_Click(); });
  connect(listeutilisateurs, &QListWidget::itemClicked, this, [this] { listeutilisateurs_Click(); });
  connect(listeutilisateurs, &QListWidget::itemDoubleClicked, this, [this] { listeutilisateurs_DblClick(); });
  commeledoubleclic(listeutilisateurs, [this] { listeutilisateurs_DblClick(); });
  listeutilisateurs->setAccessibleName(QStringLiteral("Utilisateurs"));
  listeutilisateurs->setAccessibleDescription(QStringLiteral("Entrée ou double clic : travailler dans le dossier de cet utilisateur."));
  connect(cmdajouter, &QPushButton::clicked, this, [this] { cmdajouter_Click(); });
  connect(cmdretirer, &QPushButton::clicked, this, [this] { cmdretirer_Click(); });
  connect(cmdannuler, &QPushButton::clicked, this, [this] { cmdannuler_Click(); });
}

void FenetreUtilisateurs::Form_Load() {
  listeutilisateurs->clear();
  lignechoisie_ = -1;
  listeutilisateurs->addItems(avecpiège(titreerreur(fichierutilisateurs()), [] { return lireutilisateurs(); }));
  centrer();
}

QStringList FenetreUtilisateurs::noms() const {
  QStringList n;
  for (int i = 0; i < listeutilisateurs->count(); ++i) n << listeutilisateurs->item(i)->text();
  return n;
}

void FenetreUtilisateurs::listeutilisateurs_Click() { lignechoisie_ = lignesélectionnée(*listeutilisateurs); }

void FenetreUtilisateurs::listeutilisateurs_DblClick() {
  const QListWidgetItem* ligne = listeutilisateurs->currentItem();
  if (!ligne) return;
  ÉtatPartagé& é = état();
  é.utilisateur = ligne->text();
  é.dossierracine = dossierutilisateur(é.utilisateur);
  // Un dossier effacé entre-temps est recréé : les renseignements s'y écriront.
  avecpiège(titreerreur(cheminréel(é.dossierracine)), [&] { créerdossier(cheminréel(é.dossierracine)); });
  fermer();
}

void FenetreUtilisateurs::cmdajouter_Click() {
  QString nom;
  for (;;) {
    nom = boîtes().saisie(QStringLiteral("Nom du nouvel utilisateur (pas de caractères spéciaux)"), titrenouvel, nom);
    const auto admis = texteadmis(nom, GenreTexte::NomDeFichier);
    if (!admis) continue;
    nom = *admis;
    if (nom.isEmpty()) return;
    const QString refus = refusnomutilisateur(nom);
    if (refus.isEmpty()) break;
    boîtes().message(refus, titrenouvel);
  }
  if (noms().contains(nom, Qt::CaseInsensitive)) {
    boîtes().message(QStringLiteral("%1 est déjà dans la liste des utilisateurs.").arg(nom), titrenouvel);
    return;
  }
  avecpiège(titreerreur(fichierutilisateurs()), [&] { ajouterutilisateur(nom); });
  listeutilisateurs->addItem(nom);
}

void FenetreUtilisateurs::cmdretirer_Click() {
  if (lignechoisie_ < 0 || lignechoisie_ >= listeutilisateurs->count()) return;
  const QString nom = listeutilisateurs->item(lignechoisie_)->text();
  if (question(QStringLiteral("Faut-il réellement retirer cet utilisateur ?"), nom) != OUI) return;
  QStringList restants = noms();
  restants.removeAt(lignechoisie_);
  avecpiège(titreerreur(fichierutilisateurs()), [&] { écrireutilisateurs(restants); });
  delete listeutilisateurs->takeItem(lignechoisie_);
  listeutilisateurs->setCurrentRow(-1);
  lignechoisie_ = -1;
}

void FenetreUtilisateurs::cmdannuler_Click() { fermer(); }
