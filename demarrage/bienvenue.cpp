#include "demarrage/bienvenue.h"

#include <QEvent>
#include <QGroupBox>
#include <QShortcut>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "noyau/base/dossiers.h"
#include "noyau/base/etat.h"
#include "noyau/base/module.h"
#include "noyau/base/piege.h"
#include "noyau/fichiers/listeclasses.h"
#include "noyau/fichiers/renseignements.h"
#include "noyau/fichiers/utilisateurs.h"
#include "noyau/suivi/amovible.h"
#include "noyau/suivi/ecriture.h"
#include "plateforme/fichiers.h"
#include "plateforme/nombres.h"
#include "plateforme/services.h"

namespace {

QLabel* étiquette(const QString& texte, const char* nom, QWidget* parent) {
  auto* l = new QLabel(texte, parent);
  l->setObjectName(QString::fromUtf8(nom));
  l->setWordWrap(true);
  return l;
}

QPushButton* bouton(const QString& texte, const char* nom, QWidget* parent) {
  auto* b = new QPushButton(texte, parent);
  b->setObjectName(QString::fromUtf8(nom));
  b->setAutoDefault(false);
  return b;
}

// Double clic sur l'étiquette des utilisateurs.
class FiltreDoubleClic : public QObject {
public:
  FiltreDoubleClic(QObject* parent, std::function<void()> action) : QObject(parent), action_(std::move(action)) {}
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::MouseButtonDblClick) action_();
    return false;
  }

private:
  std::function<void()> action_;
};

}  // namespace

FenetreBienvenue::FenetreBienvenue() {
  setWindowTitle(QStringLiteral("Evalo"));
  setObjectName(QStringLiteral("Bienvenue"));
  imgLogo = new QLabel(this);
  imgLogo->setObjectName(QStringLiteral("imgLogo"));
  imgLogo->setPixmap(logoevalo(96));
  imgLogo->setAccessibleName(QStringLiteral("Logo d'Evalo : un carnet de cotes coché"));
  lblProductName = étiquette(QStringLiteral("Evalo..."), "lblProductName", this);
  QFont grand = lblProductName->font();
  grand.setPointSizeF(grand.pointSizeF() * 2.2);
  grand.setBold(true);
  lblProductName->setFont(grand);
  Label4 = étiquette(QString(), "Label4", this);
  Label1 = étiquette(QStringLiteral("Bienvenue dans ce logiciel permettant de faciliter les calculs relatifs à "
                                    "l'évaluation des élèves de l'enseignement secondaire.  Ce logiciel permet de "
                                    "travailler avec les compétences."),
                     "Label1", this);
  Label2 = étiquette(QStringLiteral("Insérez la disquette <fichier> dans le lecteur (sauf si vous sauvegardez sur "
                                    "un autre support)."),
                     "Label2", this);
  Label3 = étiquette(QStringLiteral("Si vous ne possédez pas les fichiers relatifs à ce logiciel, quittez-le dès à "
                                    "présent car il risque de perturber votre système."),
                     "Label3", this);
  Label5 = étiquette(QStringLiteral("ATTENTION : la carte graphique doit être configurée pour un affichage minimum de "
                                    "800x600 et un nombre de couleurs SUPERIEUR à 256."),
                     "Label5", this);
  Label6 = étiquette(QStringLiteral("UTILISATEUR(S) :"), "Label6", this);
  Label6->setWordWrap(false);
  étiqutilisateur = étiquette(QStringLiteral("TOUS"), "étiqutilisateur", this);
  QFont gras = étiqutilisateur->font();
  gras.setBold(true);
  étiqutilisateur->setFont(gras);
  Command1 = bouton(QStringLiteral("Continuer"), "Command1", this);
  Command1->setDefault(true);
  Command2 = bouton(QStringLiteral("Quitter"), "Command2", this);
  cmdrensdef = bouton(QStringLiteral("Renseignements par défaut"), "cmdrensdef", this);

  auto* Frame1 = new QGroupBox(this);
  Frame1->setObjectName(QStringLiteral("Frame1"));
  auto* texte = new QVBoxLayout(Frame1);
  for (QLabel* l : {Label1, Label2, Label3, Label5}) texte->addWidget(l);
  auto* utilisateurs = new QHBoxLayout;
  utilisateurs->addWidget(Label6);
  utilisateurs->addWidget(étiqutilisateur, 1);
  texte->addLayout(utilisateurs);

  auto* entête = new QHBoxLayout;
  entête->addWidget(imgLogo);
  auto* titres = new QVBoxLayout;
  titres->addWidget(lblProductName);
  titres->addWidget(Label4);
  titres->addStretch();
  entête->addLayout(titres, 1);

  auto* boutons = new QHBoxLayout;
  boutons->addWidget(cmdrensdef);
  boutons->addStretch();
  boutons->addWidget(Command1);
  boutons->addWidget(Command2);

  auto* tout = new QVBoxLayout(this);
  tout->addLayout(entête);
  tout->addWidget(Frame1);
  tout->addLayout(boutons);
  setMinimumWidth(560);

  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
  connect(cmdrensdef, &QPushButton::clicked, this, [this] { cmdrensdef_Click(); });
  Label6->installEventFilter(new FiltreDoubleClic(this, [this] { Label6_DblClick(); }));
  // La même commande au clavier.
  auto* raccourci = new QShortcut(QKeySequence(QStringLiteral("Ctrl+U")), this);
  raccourci->setObjectName(QStringLiteral("raccourciutilisateurs"));
  connect(raccourci, &QShortcut::activated, this, [this] { Label6_DblClick(); });
  const QString aide = QStringLiteral("Double clic ou Ctrl+U : créer la liste des utilisateurs de cet ordinateur.");
  Label6->setToolTip(aide);
  Label6->setAccessibleDescription(aide);
}

void FenetreBienvenue::Form_Load() {
  état().dossierracine = services().dossierprogramme;
  Label4->setText(ligneversion());
  sessionprête_ = false;
  état().utilisateur.clear();
  if (fichierexiste(fichierutilisateurs())) montrermodale(QStringLiteral("utilisateurs"));
  étiqutilisateur->setText(état().utilisateur.isEmpty() ? QStringLiteral("TOUS") : état().utilisateur);
  centrer();
}

void FenetreBienvenue::Label6_DblClick() {
  if (fichierexiste(fichierutilisateurs())) return;
  créerlisteutilisateurs();
  Form_Load();
}

void FenetreBienvenue::cmdrensdef_Click() {
  lirerenseignements();
  if (état().étatdémarrage != QStringLiteral("déjà")) {
    état().étatdémarrage = QStringLiteral("bienvenue");
    montrermodale(QStringLiteral("renseignementspardéfaut"));
  }
  état().étatdémarrage.clear();
  Command1->setFocus();
}

void FenetreBienvenue::Command2_Click() { terminerleprogramme(); }

void FenetreBienvenue::récupérerfinanormale() {
  const QString vérifiés = chemindisquedur(nomlistevérifiés);
  if (!fichierexiste(vérifiés)) return;
  const int r = question(
      QStringLiteral("Le logiciel ne s'est pas arrêté correctement la dernière fois.  Certains fichiers peuvent être "
                     "endommagés.  Désirez-vous continuer l'exécution du logiciel ?\n\nSi vous répondez <oui>, la "
                     "sauvegarde (éventuelle) sur disque amovible s'effectuera maintenant.  Elle ne tiendra compte que "
                     "des dernières modifications apportées sur CET ORDINATEUR..."),
      QStringLiteral("ATTENTION"));
  if (r != OUI) terminerleprogramme();
  const QString copie = chemindisquedur(nomlistevérifiés + QStringLiteral("back.txt"));
  avecpiège(titreerreur(copie), [&] { copierfichier(vérifiés, copie); });
  avecpiège(titreerreur(vérifiés), [&] { supprimerfichier(vérifiés); });
  sauvegardederécupération();
}

void FenetreBienvenue::Command1_Click() {
  lirerenseignements();
  const QString données = dossierdonnées();
  avecpiège(titreerreur(données), [&] { créerdossier(données); });
  achevertransactionsenattente();
  récupérerfinanormale();
  ouvrirannéepardéfaut();
  const bool refusée = état().étatdémarrage == QStringLiteral("annuler");
  // "déjà" (renseignements saisis au premier lancement) ne doit pas passer pour une
  // clé de période dans la liste des classes.
  état().étatdémarrage.clear();
  if (refusée) return;
  sessionprête_ = true;
  fermer();
}
