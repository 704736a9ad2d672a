#include "classes/rensclasse.h"

#include <QEvent>
#include <QGridLayout>
#include <QVBoxLayout>

#include "classes/invites.h"
#include "noyau/base/dossiers.h"
#include "noyau/base/etat.h"
#include "noyau/base/module.h"
#include "noyau/base/piege.h"
#include "noyau/base/portetexte.h"
#include "noyau/fichiers/listeclasses.h"
#include "noyau/regles/reglagesclasse.h"
#include "noyau/suivi/ecriture.h"
#include "plateforme/nombres.h"
#include "plateforme/services.h"

FenetreRensClasse::FenetreRensClasse() {
  setWindowTitle(QStringLiteral("Corriger les renseignements de la classe"));
  setObjectName(QStringLiteral("fenêtrerensclasse"));
  etiqnomclasse = nommer(new QLabel(QStringLiteral("Classe de :"), this), "etiqnomclasse");
  classe = nommer(new QLabel(this), "classe");
  Etiquette2 = nommer(new QLabel(QStringLiteral("Cours :"), this), "Etiquette2");
  cours = nommer(new QLabel(this), "cours");
  cours->setToolTip(QStringLiteral("Double-cliquez pour changer le nom du cours."));
  cours->installEventFilter(this);
  cmdmaxper = nommer(new QPushButton(QStringLiteral("&Périodes sur"), this), "cmdmaxper");
  maximumpériode = nommer(new QLabel(this), "maximumpériode");
  cmdexa = nommer(new QPushButton(QStringLiteral("&Nombre d'examen(s)"), this), "cmdexa");
  nombreexamens = nommer(new QLabel(this), "nombreexamens");
  listemaxexa = nommer(new QListWidget(this), "listemaxexa");
  listemaxexa->setToolTip(QStringLiteral("Double-cliquez sur un examen pour corriger son maximum."));
  cmdok = nommer(new QPushButton(QStringLiteral("&Ok"), this), "cmdok");
  cmdannuler = nommer(new QPushButton(QStringLiteral("&Annuler"), this), "cmdannuler");
  for (QPushButton* b : {cmdmaxper, cmdexa, cmdok, cmdannuler}) b->setAutoDefault(false);

  auto* réglages = new QGridLayout;
  réglages->addWidget(cmdmaxper, 0, 0);
  réglages->addWidget(maximumpériode, 0, 1);
  réglages->addWidget(cmdexa, 1, 0);
  réglages->addWidget(nombreexamens, 1, 1);
  réglages->addWidget(listemaxexa, 2, 0, 1, 2);
  réglages->setColumnStretch(1, 1);

  auto* aide = new QLabel(QStringLiteral("Double-cliquez sur le cours pour le renommer, sur un examen pour corriger son "
                                         "maximum. Un maximum changé recalcule les résultats déjà enregistrés."),
                          this);
  aide->setWordWrap(true);

  auto* boutons = new QHBoxLayout;
  boutons->addStretch();
  boutons->addWidget(cmdok);
  boutons->addWidget(cmdannuler);

  auto* tout = new QVBoxLayout(this);
  tout->addLayout(entêteclasse(etiqnomclasse, classe, Etiquette2, cours));
  tout->addLayout(réglages, 1);
  tout->addWidget(aide);
  tout->addLayout(boutons);
  setMinimumSize(460, 340);

  connect(cmdmaxper, &QPushButton::clicked, this, [this] { cmdmaxper_Click(); });
  connect(cmdexa, &QPushButton::clicked, this, [this] { cmdexa_Click(); });
  connect(listemaxexa, &QListWidget::itemDoubleClicked, this, [this] { listemaxexa_DblClick(); });
  connect(cmdok, &QPushButton::clicked, this, [this] { cmdok_Click(); });
  connect(cmdannuler, &QPushButton::clicked, this, [this] { cmdannuler_Click(); });
}

bool FenetreRensClasse::eventFilter(QObject* objet, QEvent* évènement) {
  if (objet == cours && évènement->type() == QEvent::MouseButtonDblClick) {
    cours_DblClick();
    return true;
  }
  return Fenetre::eventFilter(objet, évènement);
}

void FenetreRensClasse::Form_Load() {
  centrer();
  ÉtatPartagé& é = état();
  const int c = é.classecourante;
  avecpiège(titreerreur(chemindisquedur(nommaxima(é.dossierclasse[c]))), [] { liremaxima(); });
  classe->setText(é.nomclasse[c]);
  courschangé_ = false;
  cours->setText(é.nomcours[c]);
  maximumpériode->setText(str(é.maxpériode));
  nombreexamens->setText(str(é.nbexamens));
  remplir(listemaxexa, lignesexamens(é.maxexamen, é.nbexamens, 20));
}

void FenetreRensClasse::cours_DblClick() {
  const auto admis = texteadmis(
      boîtes().saisie(QStringLiteral("Tapez le nouveau nom du cours"), QStringLiteral("Changement de nom de cours"), QString()),
      GenreTexte::Libre);
  if (!admis || admis->isEmpty()) return;
  const QString nom = *admis;
  état().nomcours[état().classecourante] = nom;
  courschangé_ = true;
  cours->setText(nom);
}

void FenetreRensClasse::cmdmaxper_Click() { demandermaxpériode(maximumpériode); }

void FenetreRensClasse::cmdexa_Click() {
  const ÉtatPartagé& é = état();
  demandernombreexamens(listemaxexa, nombreexamens, é.nbexamenscréés[é.classecourante]);
}

void FenetreRensClasse::listemaxexa_DblClick() { corrigermaxexamen(listemaxexa); }

void FenetreRensClasse::cmdannuler_Click() { fermer(); }

void FenetreRensClasse::cmdok_Click() {
  ÉtatPartagé& é = état();
  const MaximaClasse nouveaux{arrondipair(std::min(val(maximumpériode->text()), double(entiermax))),
                              maximadeslignes(listemaxexa)};
  QList<FichierPréparé> fichiers;
  try {
    fichiers = préparermaxima(nouveaux);
  } catch (const ErreurEvalo& e) {
    avertissement(e.texte(), QStringLiteral("Maxima non changés"));
    liremaxima();
    return;
  }
  if (!écrirefichiersnotés(fichiers)) {
    // Rien n'a été écrit : la classe garde ses anciens maxima, la fenêtre ce qui a été tapé.
    avecpiège(titreerreur(chemindisquedur(nommaxima(é.dossierclasse[é.classecourante]))), [] { liremaxima(); });
    return;
  }
  fermer();
}
