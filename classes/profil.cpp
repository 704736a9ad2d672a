#include "classes/profil.h"

#include <QGridLayout>
#include <QVBoxLayout>

#include "classes/invites.h"
#include "noyau/base/dossiers.h"
#include "noyau/base/etat.h"
#include "noyau/base/module.h"
#include "noyau/base/portetexte.h"
#include "noyau/fichiers/profils.h"
#include "noyau/regles/reglagesclasse.h"
#include "noyau/regles/resultats.h"
#include "plateforme/erreurs.h"
#include "plateforme/nombres.h"
#include "plateforme/services.h"

FenetreProfil::FenetreProfil() {
  setWindowTitle(QStringLiteral("Profil automatique"));
  setObjectName(QStringLiteral("ProfilAutomatique"));
  label1 = nommer(new QLabel(QStringLiteral("Profils enregistrés (clic pour visualiser)"), this), "label1");
  ListeProfils = nommer(new QListWidget(this), "ListeProfils");
  cmdexa = nommer(new QPushButton(QStringLiteral("Nombre d'&examen(s)"), this), "cmdexa");
  nombreexamens = nommer(new QLabel(this), "nombreexamens");
  listemaxexa = nommer(new QListWidget(this), "listemaxexa");
  listemaxexa->setToolTip(QStringLiteral("Double-cliquez sur un examen pour corriger son maximum."));
  Label2 = nommer(new QLabel(QStringLiteral("Liste des compétences"), this), "Label2");
  listecompétences = nommer(new QListWidget(this), "listecompétences");
  listecompétences->setToolTip(QStringLiteral("Double-cliquez sur une compétence pour changer son poids."));
  cmdsauver = nommer(new QPushButton(QStringLiteral("Sauver le profil"), this), "cmdsauver");
  cmdok = nommer(new QPushButton(QStringLiteral("APPLIQUER"), this), "cmdok");
  cmdquitter = nommer(new QPushButton(QStringLiteral("Quitter"), this), "cmdquitter");
  for (QPushButton* b : {cmdexa, cmdsauver, cmdok, cmdquitter}) b->setAutoDefault(false);

  auto* profils = new QVBoxLayout;
  profils->addWidget(label1);
  profils->addWidget(ListeProfils, 1);
  auto* examens = new QGridLayout;
  examens->addWidget(cmdexa, 0, 0);
  examens->addWidget(nombreexamens, 0, 1);
  examens->addWidget(listemaxexa, 1, 0, 1, 2);
  examens->setRowStretch(1, 1);
  auto* compétences = new QVBoxLayout;
  compétences->addWidget(Label2);
  compétences->addWidget(listecompétences, 1);
  auto* corps = new QHBoxLayout;
  corps->addLayout(profils, 2);
  corps->addLayout(examens, 2);
  corps->addLayout(compétences, 3);
  auto* boutons = new QHBoxLayout;
  boutons->addWidget(cmdsauver);
  boutons->addStretch();
  boutons->addWidget(cmdok);
  boutons->addWidget(cmdquitter);
  auto* tout = new QVBoxLayout(this);
  tout->addLayout(corps, 1);
  tout->addLayout(boutons);
  setMinimumSize(780, 380);

  connect(ListeProfils, &QListWidget::itemClicked, this, [this] { ListeProfils_Click(); });
  connect(cmdexa, &QPushButton::clicked, this, [this] { cmdexa_Click(); });
  connect(listemaxexa, &QListWidget::itemDoubleClicked, this, [this] { listemaxexa_DblClick(); });
  connect(listecompétences, &QListWidget::itemDoubleClicked, this, [this] { listecompétences_DblClick(); });
  connect(cmdsauver, &QPushButton::clicked, this, [this] { cmdsauver_Click(); });
  connect(cmdok, &QPushButton::clicked, this, [this] { cmdok_Click(); });
  connect(cmdquitter, &QPushButton::clicked, this, [this] { cmdquitter_Click(); });
}

void FenetreProfil::OuvrirListeProfils() { remplir(ListeProfils, listeprofils()); }

void FenetreProfil::Form_Load() {
  centrer();
  OuvrirListeProfils();
  const ÉtatPartagé& é = état();
  Profil défaut{str(é.nbexamensdéfaut), lignesexamens(é.maxexamensdéfaut, é.nbexamensdéfaut, 20), {}};
  for (int c = 1; c <= é.compétencesdéfaut.borne(); ++c)
    défaut.compétences.append(QStringLiteral("000% -> ") + é.compétencesdéfaut[c]);
  montrer(défaut);
}

Profil FenetreProfil::profilmontré() const { return {nombreexamens->text(), lignes(listemaxexa), lignes(listecompétences)}; }

void FenetreProfil::montrer(const Profil& p) {
  nombreexamens->setText(p.nombreexamens);
  remplir(listemaxexa, p.examens);
  remplir(listecompétences, p.compétences);
}

void FenetreProfil::ListeProfils_Click() {
  QListWidgetItem* choisi = ListeProfils->currentItem();
  if (!choisi) return;
  try {
    montrer(lireprofil(choisi->text()));
  } catch (const ErreurFichier& e) {
    avertissement(e.texte(), titreerreur(e.chemin()));
  }
}

void FenetreProfil::cmdexa_Click() { demandernombreexamens(listemaxexa, nombreexamens); }

void FenetreProfil::listemaxexa_DblClick() { corrigermaxexamen(listemaxexa); }

void FenetreProfil::listecompétences_DblClick() { demanderpoids(listecompétences); }

// Le nom du profil, sans blancs autour ; un nom qui sortirait du dossier est redemandé.
QString FenetreProfil::demandernom() {
  QString nom;
  for (;;) {
    nom = boîtes().saisie(QStringLiteral("Nom du profil ?"), QStringLiteral("SAUVEGARDE DU PROFIL"), nom);
    const auto admis = texteadmis(nom, GenreTexte::NomDeFichier);
    if (!admis) continue;
    nom = *admis;
    if (nom.isEmpty()) return nom;
    const QString refus = refusnomprofil(nom);
    if (refus.isEmpty()) return nom;
    avertissement(refus, QStringLiteral("SAUVEGARDE DU PROFIL"));
  }
}

void FenetreProfil::cmdsauver_Click() {
  const Profil p = profilmontré();
  if (!poidsvalides(compétencespondérées(p.compétences))) return;
  const QString nom = demandernom();
  if (nom.isEmpty()) return;
  try {
    écrireprofil(nom, p);
  } catch (const ErreurFichier& e) {
    avertissement(e.texte(), titreerreur(e.chemin()));
    return;
  }
  OuvrirListeProfils();
  const auto trouvés = ListeProfils->findItems(nom + QStringLiteral(".pra"), Qt::MatchFixedString);
  if (!trouvés.isEmpty()) ListeProfils->setCurrentItem(trouvés.first());
}

void FenetreProfil::cmdok_Click() {
  état().paramètresprofil = paramètresdu(profilmontré());
  fermer();
}

void FenetreProfil::cmdquitter_Click() {
  état().paramètresprofil = Tableau<QString>();
  fermer();
}
