#include "demarrage/renseignementspardefaut.h"

#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "noyau/base/dossiers.h"
#include "noyau/base/etat.h"
#include "noyau/base/module.h"
#include "noyau/base/piege.h"
#include "noyau/base/portetexte.h"
#include "noyau/fichiers/renseignements.h"
#include "plateforme/fichiers.h"
#include "plateforme/systeme.h"
#include "plateforme/nombres.h"
#include "plateforme/services.h"

namespace {

QString sansbarre(QString dossier) {
  while (dossier.endsWith(u'\\')) dossier.chop(1);
  return dossier;
}

// Nombre plus grand que 0 lu dans une réponse ; 0 quand il n'y en a pas.
// La question revient tant que la réponse n'est pas un nombre ; 0 pour une
// réponse vide ou hors des limites.
int nombrepositif(const QString& invite, const QString& défaut) {
  QString réponse;
  do {
    réponse = boîtes().saisie(invite, QStringLiteral("CORRIGER"), défaut);
  } while (!réponse.isEmpty() && refusénonnombre(réponse, QStringLiteral("CORRIGER")));
  const double v = val(réponse);
  if (v <= 0 || v >= entiermax + 0.5) return 0;
  return arrondipair(v);
}

void ajoutercompétence(const QString& nom) {
  Tableau<QString>& c = état().compétencesdéfaut;
  // "Aucune" ne tient que la place d'une liste vide : la première vraie compétence la remplace.
  if (c.borne() == 1 && c[1] == QStringLiteral("Aucune")) {
    c[1] = nom;
    return;
  }
  c.redimconserver(std::max(c.borne(), 0) + 1);
  c[c.borne()] = nom;
}

}  // namespace

FenetreRenseignements::FenetreRenseignements() {
  setWindowTitle(QStringLiteral("Renseignements par défaut"));
  setObjectName(QStringLiteral("renseignementspardéfaut"));
  annéescolaire = nommer(new QLabel(this), "annéescolaire");
  corannéescolaire = nommer(new QPushButton(QStringLiteral("&Année scolaire"), this), "corannéescolaire");
  nombrepériode = nommer(new QLabel(this), "nombrepériode");
  cornombrepériodes = nommer(new QPushButton(QStringLiteral("&Nombre de périodes"), this), "cornombrepériodes");
  pmax = nommer(new QLabel(this), "pmax");
  corpmax = nommer(new QPushButton(QStringLiteral("&Chaque période est sur"), this), "corpmax");
  Etiquette4 = nommer(new QLabel(QStringLiteral("points"), this), "Etiquette4");
  Label1 = nommer(new QLabel(QStringLiteral("Liste des compétences"), this), "Label1");
  listecompétences = nommer(new QListWidget(this), "listecompétences");
  listecompétences->setAccessibleName(QStringLiteral("Liste des compétences"));
  Command1 = nommer(new QPushButton(QStringLiteral("Ajouter une compétence"), this), "Command1");
  lecteurdisquette = nommer(new QLabel(this), "lecteurdisquette");
  lecteurdisquette->setTextInteractionFlags(Qt::TextSelectableByMouse);
  Command2 = nommer(new QPushButton(QStringLiteral("Disque amovible"), this), "Command2");
  préparation = nommer(new QCheckBox(QStringLiteral("Colonne pour préparations non faites"), this), "préparation");
  casedemi = nommer(new QCheckBox(QStringLiteral("Moyennes arrondies à 1/2 point près"), this), "casedemi");
  Check1 = nommer(new QCheckBox(QStringLiteral("Ouvrir la feuille principale au démarrage (1ère classe d'office)"), this),
                    "Check1");
  Frame1 = nommer(new QGroupBox(QStringLiteral("Taille de l'écran"), this), "Frame1");
  Option1 = nommer(new QRadioButton(QStringLiteral("800 x 600"), Frame1), "Option1");
  Option2 = nommer(new QRadioButton(QStringLiteral("1024 x 768"), Frame1), "Option2");
  Option3 = nommer(new QRadioButton(QStringLiteral("1152 x 864"), Frame1), "Option3");
  cmdok = nommer(new QPushButton(QStringLiteral("OK"), this), "cmdok");
  cmdannuler = nommer(new QPushButton(QStringLiteral("Annuler"), this), "cmdannuler");
  for (QPushButton* b : {corannéescolaire, cornombrepériodes, corpmax, Command1, Command2, cmdannuler}) b->setAutoDefault(false);
  cmdok->setDefault(true);

  auto* valeurs = new QGridLayout;
  valeurs->addWidget(corannéescolaire, 0, 0);
  valeurs->addWidget(annéescolaire, 0, 1, 1, 2);
  valeurs->addWidget(cornombrepériodes, 1, 0);
  valeurs->addWidget(nombrepériode, 1, 1, 1, 2);
  valeurs->addWidget(corpmax, 2, 0);
  valeurs->addWidget(pmax, 2, 1);
  valeurs->addWidget(Etiquette4, 2, 2);
  valeurs->addWidget(Command2, 3, 0);
  valeurs->addWidget(lecteurdisquette, 3, 1, 1, 2);
  valeurs->setColumnStretch(2, 1);

  auto* écran = new QHBoxLayout(Frame1);
  for (QRadioButton* o : {Option1, Option2, Option3}) écran->addWidget(o);

  auto* gauche = new QVBoxLayout;
  gauche->addLayout(valeurs);
  for (QCheckBox* c : {préparation, casedemi, Check1}) gauche->addWidget(c);
  gauche->addWidget(Frame1);
  gauche->addStretch();

  auto* droite = new QVBoxLayout;
  droite->addWidget(Label1);
  droite->addWidget(listecompétences, 1);
  droite->addWidget(Command1);

  auto* haut = new QHBoxLayout;
  haut->addLayout(gauche, 3);
  haut->addLayout(droite, 2);

  auto* boutons = new QHBoxLayout;
  boutons->addStretch();
  boutons->addWidget(cmdok);
  boutons->addWidget(cmdannuler);

  auto* tout = new QVBoxLayout(this);
  tout->addLayout(haut);
  tout->addLayout(boutons);
  setMinimumSize(720, 380);

  connect(corannéescolaire, &QPushButton::clicked, this, [this] { corannéescolaire_Click(); });
  connect(cornombrepériodes, &QPushButton::clicked, this, [this] { cornombrepériodes_Click(); });
  connect(corpmax, &QPushButton::clicked, this, [this] { corpmax_Click(); });
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
  connect(casedemi, &QCheckBox::clicked, this, [this] { casedemi_Click(); });
  connect(cmdok, &QPushButton::clicked, this, [this] { cmdok_Click(); });
  connect(cmdannuler, &QPushButton::clicked, this, [this] { cmdannuler_Click(); });
}

bool FenetreRenseignements::depuisbienvenue() const { return état().étatdémarrage == QStringLiteral("bienvenue"); }

void FenetreRenseignements::Form_Load() {
  ÉtatPartagé& é = état();
  redémarrer_ = false;
  // Premier lancement : l'année scolaire en cours plutôt qu'une année vide.
  if (é.annéescolaire.isEmpty()) é.annéescolaire = sansblancs(é.annéescolairedéfaut);
  if (é.annéescolaire.isEmpty()) é.annéescolaire = annéescolairedudate(horloge().aujourdhui());
  if (sansblancs(é.annéescolairedéfaut).isEmpty()) é.annéescolairedéfaut = é.annéescolaire;
  actualiserannéeaffichée();
  annéescolaire->setText(é.annéeaffichée);
  if (é.nbpériodesdéfaut == 0) é.nbpériodesdéfaut = 3;
  if (é.maxpériodedéfaut == 0) é.maxpériodedéfaut = 20;
  nombrepériode->setText(QString::number(é.nbpériodesdéfaut));
  pmax->setText(QString::number(é.maxpériodedéfaut));
  listecompétences->clear();
  for (int c = 1; c <= é.compétencesdéfaut.borne(); ++c) listecompétences->addItem(é.compétencesdéfaut[c]);
  // Les dossiers de l'ancien système ("A:", "C:") deviennent de vrais dossiers d'ici.
  if (sansbarre(é.dossieramovible).isEmpty()) é.dossieramovible = dossieramovibleordinaire() + u'\\';
  if (sansbarre(é.dossiersauvegarde).isEmpty()) é.dossiersauvegarde = dossierutilisateur() + u'\\';
  préparation->setChecked(é.préparations);
  casedemi->setChecked(é.arrondidemi);
  Check1->setChecked(é.ouvrirprincipale);
  lecteurdisquette->setText(sansbarre(é.dossieramovible));
  QString taille;
  if (fichierexiste(cheminaffichage())) {
    const QStringList éléments = découperéléments(avecpiège(titreerreur(cheminaffichage()), [] {
      return lirefichier(cheminaffichage());
    }));
    if (!éléments.isEmpty()) taille = éléments.first();
  }
  Option2->setChecked(taille == QStringLiteral("1024"));
  Option3->setChecked(taille == QStringLiteral("1152"));
  Option1->setChecked(taille != QStringLiteral("1024") && taille != QStringLiteral("1152"));
  valeursdites();
  centrer();
}

// Chaque valeur est la description du bouton qui la change : un lecteur d'écran la
// dit avec le bouton, et la redit quand elle change.
void FenetreRenseignements::valeursdites() {
  const std::pair<QPushButton*, QString> paires[] = {{corannéescolaire, annéescolaire->text()},
                                                     {cornombrepériodes, nombrepériode->text()},
                                                     {corpmax, pmax->text() + QStringLiteral(" points")},
                                                     {Command2, lecteurdisquette->text()}};
  for (const auto& [bouton, valeur] : paires) bouton->setAccessibleDescription(valeur);
}

void FenetreRenseignements::corannéescolaire_Click() {
  if (!depuisbienvenue()) {
    const int r = question(
        QStringLiteral("Changer cette valeur peut rendre le programme instable (sauf si vous avez accédé à cette "
                       "fenêtre à partir de l'écran de bienvenue)... A vos risques et périls !!! Il faudra redémarrer "
                       "le logiciel après ce changement et les dernières modifications (points) ne seront pas "
                       "sauvegardées. Il est préférable de changer l'année scolaire à partir de la fenêtre 'liste des "
                       "classes'. Voulez-vous quand même continuer ?"),
        QStringLiteral("ATTENTION"));
    if (r != OUI) return;
  }
  if (!demanderannéescolaire()) return;  // réponse vide : rien ne change
  annéescolaire->setText(état().annéeaffichée);
  valeursdites();
  état().annéescolairedéfaut = état().annéeaffichée.left(3);
  if (!depuisbienvenue()) redémarrer_ = true;
}

void FenetreRenseignements::cornombrepériodes_Click() {
  const int n = nombrepositif(QStringLiteral("Combien de périodes ?"), QString::number(état().nbpériodesdéfaut));
  if (n == 0) return;
  état().nbpériodesdéfaut = n;
  nombrepériode->setText(QString::number(n));
  valeursdites();
}

void FenetreRenseignements::corpmax_Click() {
  const int n = nombrepositif(QStringLiteral("Sur combien est\n\nchaque période ?"), QString::number(état().maxpériodedéfaut));
  if (n == 0) return;
  état().maxpériodedéfaut = n;
  pmax->setText(QString::number(n));
  valeursdites();
}

void FenetreRenseignements::Command1_Click() {
  const auto nom = texteadmis(
      boîtes().saisie(QStringLiteral("Tapez le nom de la compétence"), QStringLiteral("Nom de la compétence"), QString()),
      GenreTexte::Élément);
  if (!nom || nom->isEmpty()) return;
  ajoutercompétence(*nom);
  listecompétences->clear();
  for (int c = 1; c <= état().compétencesdéfaut.borne(); ++c) listecompétences->addItem(état().compétencesdéfaut[c]);
}

void FenetreRenseignements::Command2_Click() {
  const QString message =
      depuisbienvenue()
          ? QStringLiteral("Nom du nouveau dossier ou 'lecteur'")
          : QStringLiteral("Changer cette valeur peut rendre le programme instable... A vos risques et périls !!! Il "
                           "faudra redémarrer le logiciel après ce changement et les dernières modifications (points) "
                           "ne seront pas sauvegardées.");
  const auto admis =
      // Gardé dans les renseignements, lus élément par élément en Windows-1252.
      texteadmis(boîtes().saisie(message, QStringLiteral("Disque amovible"), sansbarre(état().dossieramovible)),
                 GenreTexte::Élément);
  if (!admis || admis->isEmpty()) return;
  const QString réponse = *admis;
  const QString réel = cheminréel(réponse);
  if (!dossierexiste(réel)) {
    const int r = question(QStringLiteral("Le dossier spécifié (") + réponse + QStringLiteral(") n'existe pas.  Faut-il le créer ?"),
                           QStringLiteral("Lecteur ou dossier inexistant"));
    if (r != OUI) return;
    try {
      créerdossier(réel);
    } catch (const ErreurEvalo& e) {
      avertissement(QStringLiteral("Le dossier ") + réponse + QStringLiteral(" ne peut pas être créé.\n\n") + e.texte() +
                        QStringLiteral("\n\nLe disque amovible reste ") + sansbarre(état().dossieramovible) +
                        QStringLiteral("."),
                    QStringLiteral("Disque amovible"));
      return;
    }
  }
  état().dossieramovible = réponse;
  lecteurdisquette->setText(réponse);
  valeursdites();
  if (!depuisbienvenue()) redémarrer_ = true;
}

void FenetreRenseignements::casedemi_Click() {
  if (!casedemi->isChecked()) return;
  avertissement(QStringLiteral("Le règlement des écoles de la Communauté française précise que les moyennes doivent être "
                               "arrondies à l'unité.  Si vous activez cette case, c'est à vos risques et périls...  De "
                               "plus, si vous l'activez en cours d'année, seules les périodes pour lesquelles les "
                               "moyennes sont recalculées (Recalculer les moyennes / ajout et suppression de notes ou "
                               "de noms, ...) tiendront compte de ce nouvel arrondi.  BREF, FORTEMENT DECONSEILLE !!!!!"),
                QStringLiteral("ATTENTION !"));
}

void FenetreRenseignements::cmdok_Click() {
  ÉtatPartagé& é = état();
  é.préparations = préparation->isChecked() ? VRAI : FAUX;
  é.arrondidemi = casedemi->isChecked() ? VRAI : FAUX;
  é.ouvrirprincipale = Check1->isChecked() ? VRAI : FAUX;
  écrirerenseignements();
  écriretailleécran(Option2->isChecked() ? 1024 : Option3->isChecked() ? 1152 : 800);
  if (redémarrer_) {
    const QString vérifiés = chemindisquedur(nomlistevérifiés);
    avecpiège(titreerreur(vérifiés), [&] { supprimerfichier(vérifiés); });
    terminerleprogramme();
  }
  lirerenseignements();
  fermer();
}

void FenetreRenseignements::cmdannuler_Click() { fermer(); }
