#include "demarrage/back.h"

#include <QCoreApplication>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "noyau/base/dossiers.h"
#include "noyau/base/etat.h"
#include "noyau/base/module.h"
#include "noyau/base/portetexte.h"
#include "noyau/suivi/copiecomplete.h"
#include "plateforme/fichiers.h"
#include "plateforme/services.h"

namespace {

const QString consigne = QStringLiteral(
    "Choisissez le dossier qui recevra le back-up (une clé USB ou un disque externe, de préférence un dossier vide), "
    "puis cliquez sur <Commencer le back-up>.");

QString dossierproposé() {
  const QString amovible = état().dossieramovible.trimmed();
  return amovible.isEmpty() ? dossieramovibleordinaire() : cheminréel(amovible);
}

void rafraîchir() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

}  // namespace

FenetreBack::FenetreBack() {
  setWindowTitle(QStringLiteral("BACK-UP"));
  setObjectName(QStringLiteral("back"));
  label1 = nommer(new QLabel(this), "label1");
  label1->setWordWrap(true);
  label1->setMinimumHeight(64);
  label1->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  Label3 = nommer(new QLabel(QStringLiteral("Dossier du back-up :"), this), "Label3");
  dossiercible = nommer(new QLineEdit(this), "dossiercible");
  cmdchoisir = nommer(new QPushButton(QStringLiteral("C&hoisir..."), this), "cmdchoisir");
  Label2 = nommer(new QLabel(QStringLiteral("Evolution du back-up"), this), "Label2");
  Progfich = nommer(new QProgressBar(this), "Progfich");
  Progdir = nommer(new QProgressBar(this), "Progdir");
  Progfich->setFormat(QStringLiteral("%v / %m"));
  Progdir->setFormat(QStringLiteral("%v / %m"));
  Démarrer = nommer(new QPushButton(QStringLiteral("&Commencer le back-up"), this), "Démarrer");
  Command1 = nommer(new QPushButton(QStringLiteral("&Quitter"), this), "Command1");
  for (QPushButton* b : {cmdchoisir, Démarrer, Command1}) b->setAutoDefault(false);

  auto* cible = new QHBoxLayout;
  cible->addWidget(Label3);
  cible->addWidget(dossiercible, 1);
  cible->addWidget(cmdchoisir);
  auto* boutons = new QHBoxLayout;
  boutons->addWidget(Démarrer);
  boutons->addStretch();
  boutons->addWidget(Command1);
  auto* tout = new QVBoxLayout(this);
  tout->addWidget(label1);
  tout->addLayout(cible);
  tout->addSpacing(8);
  tout->addWidget(Label2);
  auto* barres = new QGridLayout;
  barres->addWidget(new QLabel(QStringLiteral("Fichiers du dossier en cours"), this), 0, 0);
  barres->addWidget(Progfich, 0, 1);
  barres->addWidget(new QLabel(QStringLiteral("Dossiers des classes"), this), 1, 0);
  barres->addWidget(Progdir, 1, 1);
  barres->setColumnStretch(1, 1);
  tout->addLayout(barres);
  tout->addLayout(boutons);
  setMinimumWidth(520);

  connect(cmdchoisir, &QPushButton::clicked, this, [this] { cmdchoisir_Click(); });
  connect(Démarrer, &QPushButton::clicked, this, [this] { Démarrer_Click(); });
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
}

void FenetreBack::Form_Load() {
  label1->setText(consigne);
  dossiercible->setText(QDir::toNativeSeparators(dossierproposé()));
  for (QProgressBar* b : {Progfich, Progdir}) b->reset();
  centrer();
}

void FenetreBack::cmdchoisir_Click() {
  const QString choisi = choisirdossier(QStringLiteral("Dossier du back-up"), dossiercible->text());
  if (!choisi.isEmpty()) dossiercible->setText(QDir::toNativeSeparators(choisi));
}

// Un dossier sans fichier montre une barre pleine, jamais l'indicateur « occupé »
// que Qt dessine pour un maximum nul.
void FenetreBack::montreravancement(QProgressBar* barre, int faits, int total) {
  barre->setMaximum(std::max(total, 1));
  barre->setValue(total == 0 ? 1 : faits);
  rafraîchir();
}

void FenetreBack::Démarrer_Click() {
  const auto tapée = texteadmis(dossiercible->text(), GenreTexte::Chemin);
  if (!tapée) return;
  const QString cible = QDir::cleanPath(QDir::fromNativeSeparators(*tapée));
  const QString refus = préparercible(cible);
  if (!refus.isEmpty()) {
    boîtes().message(refus, QStringLiteral("BACK-UP"));
    return;
  }
  label1->setText(QStringLiteral("Back-up en cours..."));
  for (QPushButton* b : {Démarrer, Command1, cmdchoisir}) b->setEnabled(false);
  boîtes().sablier(true);
  rafraîchir();
  SuiviCopie suivi;
  suivi.fichiers = [this](int faits, int total) { montreravancement(Progfich, faits, total); };
  suivi.dossiers = [this](int faits, int total) { montreravancement(Progdir, faits, total); };
  suivi.réessayer = [](const ErreurFichier& e) {
    boîtes().sablier(false);
    const bool encore = avertissement(e.texte() + QStringLiteral("\n\nOK : réessayer.  Annuler : arrêter le back-up."),
                                      titreerreur(e.chemin())) == OK;
    boîtes().sablier(true);
    return encore;
  };
  const BilanCopie bilan = copierdonnées(cible, suivi);
  boîtes().sablier(false);
  for (QPushButton* b : {Démarrer, Command1, cmdchoisir}) b->setEnabled(true);
  label1->setText(bilan.complet() ? QStringLiteral("BACK-UP TERMINE !!!") : textebilan(bilan));
}

void FenetreBack::Command1_Click() { fermer(); }
