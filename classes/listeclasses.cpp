#include "classes/listeclasses.h"
#include "classes/rensclasse.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "noyau/base/dossiers.h"
#include "noyau/base/etat.h"
#include "noyau/base/module.h"
#include "noyau/base/piege.h"
#include "noyau/base/portetexte.h"
#include "noyau/fichiers/listeclasses.h"
#include "noyau/fichiers/notesclasse.h"
#include "noyau/suivi/amovible.h"
#include "noyau/suivi/ecriture.h"
#include "noyau/suivi/historique.h"
#include "plateforme/fichiers.h"
#include "plateforme/nombres.h"
#include "plateforme/qt/grille.h"
#include "plateforme/services.h"
#include "socle/registre.h"

namespace {

const QString titreattention = QStringLiteral("!  A T T E N T I O N  !");

void dimensionnerliste(int borne) {
  ÉtatPartagé& é = état();
  for (auto* t : {&é.nomclasse, &é.nomcours, &é.dossierclasse}) t->redimconserver(borne);
  é.dernièrepériode.redimconserver(borne);
  é.nbexamenscréés.redimconserver(borne);
}

void chargeravecpiège() {
  avecpiège(QStringLiteral("Erreur !"), [] { chargerclasse(); });
}

}  // namespace

QString lignedeclasse(int c) { return état().nomclasse[c] + u'\t' + u'(' + état().nomcours[c] + u')'; }

FenetreListeClasses::FenetreListeClasses() {
  setWindowTitle(QStringLiteral("Evalo"));
  setObjectName(QStringLiteral("fenêtrelisteclasses"));
  Listeclasses = nommer(new QListWidget(this), "Listeclasses");
  Listeclasses->setAccessibleName(QStringLiteral("Liste des classes"));
  Label1 = nommer(new QLabel(QStringLiteral("Liste des classes"), this), "Label1");
  QFont titre = Label1->font();
  titre.setPointSizeF(titre.pointSizeF() * 1.4);
  titre.setBold(true);
  Label1->setFont(titre);
  Etiquette1 = nommer(new QLabel(QStringLiteral("Nom") + QString(15, u' ') + QStringLiteral("Intitulé du cours"), this),
                        "Etiquette1");
  Etiquette2 = nommer(new QLabel(this), "Etiquette2");
  Commande1 = nommer(new QPushButton(QStringLiteral("&Ajouter une classe"), this), "Commande1");
  Commande2 = nommer(new QPushButton(QStringLiteral("&Supprimer une classe"), this), "Commande2");
  Commande3 = nommer(new QPushButton(QStringLiteral("&Changer d'année scolaire"), this), "Commande3");
  Commande4 = nommer(new QPushButton(QStringLiteral("Quitter"), this), "Commande4");
  cmdrens = nommer(new QPushButton(QStringLiteral("Rens."), this), "cmdrens");
  Command1 = nommer(new QPushButton(QStringLiteral("Back-Up"), this), "Command1");
  Command1->setToolTip(QStringLiteral("Copie complète des données sur une clé USB ou un autre disque"));
  Command2 = nommer(new QPushButton(QStringLiteral("Supprimer la dernière période ou le dernier examen"), this), "Command2");
  Command3 = nommer(new QPushButton(QStringLiteral("Créer &période / exa"), this), "Command3");
  for (QPushButton* b : {Commande1, Commande2, Commande3, Commande4, cmdrens, Command1, Command2, Command3})
    b->setAutoDefault(false);
  Listeclasses->setTabKeyNavigation(false);
  Etiquette1->setIndent(4);

  auto* liste = new QVBoxLayout;
  liste->addWidget(Label1);
  liste->addWidget(Etiquette2);
  liste->addWidget(Etiquette1);
  liste->addWidget(Listeclasses, 1);
  liste->addWidget(Command2);

  auto* boutons = new QVBoxLayout;
  for (QPushButton* b : {Commande1, Commande2, Command3, Commande3, cmdrens, Command1}) boutons->addWidget(b);
  boutons->addStretch();
  boutons->addWidget(Commande4);

  auto* tout = new QHBoxLayout(this);
  tout->addLayout(liste, 1);
  tout->addLayout(boutons);
  setMinimumSize(560, 420);

  connect(Listeclasses, &QListWidget::itemClicked, this, [this] { Listeclasses_Click(); });
  // La ligne que le focus rend courante n'est pas choisie : seule une ligne
  // sélectionnée (clic, flèches) rend sa classe courante.
  connect(Listeclasses, &QListWidget::itemSelectionChanged, this, [this] { Listeclasses_Click(); });
  connect(Listeclasses, &QListWidget::itemDoubleClicked, this, [this] { Listeclasses_DblClick(); });
  connect(Commande1, &QPushButton::clicked, this, [this] { Commande1_Click(); });
  connect(Commande2, &QPushButton::clicked, this, [this] { Commande2_Click(); });
  connect(Commande3, &QPushButton::clicked, this, [this] { Commande3_Click(); });
  connect(Commande4, &QPushButton::clicked, this, [this] { Commande4_Click(); });
  connect(cmdrens, &QPushButton::clicked, this, [this] { cmdrens_Click(); });
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
  connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
  intercepterclavier(Listeclasses, [this](int code) {
    if (code != 13) return false;
    Listeclasses_KeyDown(code);
    return true;
  });
}

// Remplit la liste ; vrai quand une classe doit ensuite s'ouvrir.
bool FenetreListeClasses::remplirliste() {
  ÉtatPartagé& é = état();
  // Remplir la liste ne choisit aucune classe.
  const QSignalBlocker bloqueur(Listeclasses);
  Listeclasses->clear();
  if (!é.étatdémarrage.isEmpty()) {
    // La feuille principale demande une autre clé (période, examen ou classe).
    é.périodecourante = é.étatdémarrage;
    é.étatdémarrage.clear();
    return true;
  }
  Etiquette2->setText(QStringLiteral("Année scolaire :") + é.annéeaffichée);
  if (é.nbclasses == 0) Listeclasses->addItem(QStringLiteral("Pas de classe !"));
  é.listeclassesaffichées.redim(é.nbclasses + 1);
  for (int c = 1; c <= é.nbclasses; ++c) {
    Listeclasses->addItem(lignedeclasse(c));
    é.listeclassesaffichées[c] = é.nomclasse[c];
  }
  if (é.classecourante >= 1 && é.classecourante <= é.nbclasses) Listeclasses->setCurrentRow(é.classecourante - 1);
  if (!é.ouvrirprincipale || é.classecourante != 0 || é.nbclasses == 0) return false;
  é.classecourante = 1;
  fixerpériodecourante(u'P', é.dernièrepériode[1]);
  return true;
}

void FenetreListeClasses::Form_Load() {
  centrer();
  while (remplirliste()) ouvrirclasseetfeuille();
}

// Charge la classe courante à la clé courante, puis montre la feuille principale.
void FenetreListeClasses::ouvrirclasseetfeuille() {
  chargeravecpiège();
  montrermodale(QStringLiteral("principale"));
}

int FenetreListeClasses::lignechoisie() const { return lignesélectionnée(*Listeclasses); }

void FenetreListeClasses::Listeclasses_Click() {
  if (état().nbclasses > 0) état().classecourante = lignechoisie() + 1;
}

void FenetreListeClasses::Listeclasses_DblClick() {
  if (état().nbclasses == 0 || Listeclasses->currentRow() < 0) return;
  état().classecourante = Listeclasses->currentRow() + 1;
  fixerpériodecourante(u'P', état().dernièrepériode[état().classecourante]);
  ouvrirclasseetfeuille();
  Form_Load();
}

// Entrée ouvre la ligne que l'on voit courante, choisie ou seulement marquée par
// le focus : au clavier, il n'y a pas à la choisir d'abord.
void FenetreListeClasses::Listeclasses_KeyDown(int codetouche) {
  if (codetouche == 13) Listeclasses_DblClick();
}

bool FenetreListeClasses::demandernomclasse(QString& nom, int& suffixe, bool& existant) {
  ÉtatPartagé& é = état();
  for (;;) {
    const auto admis = texteadmis(boîtes().saisie(QStringLiteral("Entrer le nom de la classe\r\rmaximum 5 caractères"),
                                                  QStringLiteral("NOM DE LA CLASSE"), QString()),
                                  GenreTexte::NomDeClasse);
    if (!admis) continue;
    nom = *admis;
    if (nom.isEmpty()) return false;
    if (nom.size() > 5) continue;
    nom = nom.toUpper();
    é.nbélèves = 0;
    QString cours;
    int existantes = 0;
    for (int c = 1; c <= é.nbclasses; ++c)
      if (é.nomclasse[c] == nom) {
        ++existantes;
        cours += u'\r' + é.nomcours[c];
        é.classecourante = c;
      }
    existant = existantes > 0;
    if (existantes == 0) {
      suffixe = suffixelibre(nom, 1);
      return true;
    }
    if (avertissement(QStringLiteral("Attention, classe existante pour :\r\r") + cours, titreattention) != OK) continue;
    suffixe = suffixelibre(nom, existantes + 1);
    return true;
  }
}

bool FenetreListeClasses::demandercours(const QString& nom, QString& cours) {
  const ÉtatPartagé& é = état();
  for (;;) {
    const auto admis =
        texteadmis(boîtes().saisie(QStringLiteral("Entrer le nom du cours"), QStringLiteral("NOM DU COURS"), QString()),
                   GenreTexte::Libre);
    if (!admis) continue;
    cours = *admis;
    if (cours.isEmpty()) return false;
    bool déjà = false;
    for (int c = 1; c <= é.nbclasses && !déjà; ++c) déjà = é.nomclasse[c] == nom && é.nomcours[c] == cours;
    if (!déjà) return true;
    if (avertissement(QStringLiteral("Attention, ce cours est déjà enseigné à cette classe.  Choisissez un autre nom de cours."),
                      titreattention) != OK)
      return false;
  }
}

void FenetreListeClasses::Commande1_Click() {
  état().périodecourante = QStringLiteral("P1");
  QString nom, cours;
  int suffixe = 1;
  bool nomexistant = false;
  if (!demandernomclasse(nom, suffixe, nomexistant)) return;
  if (!demandercours(nom, cours)) return;
  if (nomexistant) chargeravecpiège();  // les élèves de la première période de la classe existante
  créerclasse(nom, suffixe, cours, nomexistant);
}

void FenetreListeClasses::créerclasse(const QString& nom, int suffixe, const QString& cours, bool nomexistant) {
  ÉtatPartagé& é = état();
  if (!nomexistant) é.nbélèves = 0;
  dimensionnerliste(é.nbclasses + 2);
  const int nouvelle = ++é.nbclasses;
  poserclasse(nouvelle, {nom, cours, QString(), 1, 0});
  é.nbinterros = 0;
  é.nborales = 0;
  é.premièreinterro = 1;
  montrermodale(QStringLiteral("fenêtrenouvelleclasse"));
  if (é.nbélèves == 0) {
    --é.nbclasses;
    return;
  }
  const QString dossier = nom + é.annéescolaire + QString::number(suffixe);
  é.dossierclasse[nouvelle] = dossier;
  avecpiège(titreerreur(é.dossieramovible + dossier), [&] { créerdossier(cheminamovible(dossier)); });
  avecpiège(titreerreur(chemindisquedur(dossier)), [&] { créerdossier(chemindisquedur(dossier)); });
  é.classecourante = nouvelle;
  é.périodecourante = QStringLiteral("P1");
  // Notes, maxima et liste des classes : la classe existe entière ou pas du tout.
  const ChangementNommé nommé(QStringLiteral("classe %1 créée (%2)").arg(nom, é.nomcours[nouvelle]));
  Transaction changement;
  sauverclasse();
  écriremaxima();
  trierclasses();
  for (int c = 1; c <= é.nbclasses; ++c)
    if (é.dossierclasse[c] == dossier) é.classecourante = c;
  écrirelisteclasses();
  if (!changement.valider()) é.classecourante = 0;
  lirelisteclasses();
  Form_Load();
}

void FenetreListeClasses::Commande2_Click() {
  ÉtatPartagé& é = état();
  const int c = é.classecourante;
  if (é.nbclasses == 0 || c < 1 || c > é.nbclasses) return;
  const int ligne = c - 1;
  if (question(QStringLiteral("Faut-il réellement supprimer la classe de \r") + Listeclasses->item(ligne)->text(),
               QStringLiteral("SUPPRIMER UNE CLASSE")) != OUI)
    return;
  for (int k = c; k < é.nbclasses; ++k) poserclasse(k, prendreclasse(k + 1));
  --é.nbclasses;
  écrirelisteclasses();
  delete Listeclasses->takeItem(ligne);
  if (é.nbclasses == 0) Listeclasses->addItem(QStringLiteral("Pas de classe !"));
  Listeclasses->setCurrentRow(-1);
  é.classecourante = 0;
}

void FenetreListeClasses::Commande3_Click() {
  ÉtatPartagé& é = état();
  Listeclasses->setFocus();
  const QString avant = é.annéescolaire;
  if (!demanderannéescolaire()) return;
  lirelisteclasses();
  if (é.étatdémarrage == QStringLiteral("annuler")) {
    é.étatdémarrage.clear();
    é.annéescolaire = avant;
    actualiserannéeaffichée();
    return;
  }
  é.classecourante = 0;
  Listeclasses->clear();
  avertissement(QStringLiteral("Ceci ne modifiera l'année scolaire que pour la session en cours.  Pour la modifier de "
                               "manière permanente, cliquez sur <renseignements par défaut> dans la fenêtre de bienvenue."),
                QStringLiteral("Remarque"));
  Form_Load();
}

void FenetreListeClasses::Commande4_Click() { sauvegardedesortie(); }

void FenetreListeClasses::cmdrens_Click() {
  ÉtatPartagé& é = état();
  const int c = é.classecourante;
  if (é.nbclasses == 0 || c == 0) {
    montrermodale(QStringLiteral("renseignementspardéfaut"));
    return;
  }
  const ChangementNommé changement(QStringLiteral("renseignements de la classe ") + é.nomclasse[c]);
  montrermodale(QStringLiteral("fenêtrerensclasse"));
  if (!fenêtrerensclasse().courschangé()) return;
  écrirelisteclasses();
  lirelisteclasses();
  remplirliste();
  Listeclasses->setCurrentRow(c - 1);
}

void FenetreListeClasses::Command1_Click() { montrermodale(QStringLiteral("back")); }

void FenetreListeClasses::Command2_Click() {
  ÉtatPartagé& é = état();
  const int c = é.classecourante;
  if (c == 0) return;
  const QString r = sansblancs(boîtes().saisie(
      QStringLiteral("Pour supprimer la dernière période taper 1.\rPour supprimer le dernier examen, taper 2.\r\rATTENTION : "
                     "cette manoeuvre est irréversible !"),
      QStringLiteral("SUPPRIMER LA DERNIERE PERIODE OU LE DERNIE EXAMEN"), QString()));
  if (r == QStringLiteral("1")) {
    if (é.dernièrepériode[c] == 1) {
      avertissement(QStringLiteral("Impossible de supprimer la période 1"), QStringLiteral("Sorry !"));
      return;
    }
    --é.dernièrepériode[c];
  } else if (r == QStringLiteral("2")) {
    if (é.nbexamenscréés[c] == 0) return;
    --é.nbexamenscréés[c];
  } else {
    return;
  }
  écrirelisteclasses();
  é.classecourante = 0;
  Listeclasses->setCurrentRow(-1);
}

void FenetreListeClasses::Command3_Click() {
  if (état().classecourante == 0) return;
  montrermodale(QStringLiteral("choixpériodeexa"));
  if (état().classecourante == 0) return;
  ouvrirclasseetfeuille();
  Form_Load();
}

void FenetreListeClasses::closeEvent(QCloseEvent* e) {
  // Fermer la fenêtre, c'est quitter (avec la sauvegarde) ; si l'on renonce, elle reste.
  e->ignore();
  Commande4_Click();
}

void FenetreListeClasses::reject() { Commande4_Click(); }
