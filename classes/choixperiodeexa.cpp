#include "classes/choixperiodeexa.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "noyau/base/dossiers.h"
#include "noyau/base/etat.h"
#include "noyau/base/module.h"
#include "noyau/base/piege.h"
#include "noyau/fichiers/listeclasses.h"
#include "noyau/fichiers/notesclasse.h"
#include "noyau/suivi/ecriture.h"
#include "noyau/suivi/historique.h"
#include "plateforme/fichiers.h"
#include "plateforme/nombres.h"
#include "plateforme/services.h"

namespace {

// Le fichier des notes de cette clé existe déjà, sur le disque amovible ou sur le
// disque dur : on le rouvre plutôt que d'en écrire un vide par-dessus.
bool fichierdéjàlà(const QString& clé) {
  const QString nom = nomnotes(état().dossierclasse[état().classecourante], clé);
  try {
    if (fichierexiste(cheminamovible(nom))) return true;
  } catch (const ErreurFichier&) {
  }
  return fichierexiste(chemindisquedur(nom));
}

// Nouvelle clé sans note, avec les élèves et les compétences de la clé chargée.
void préparernouvelleclé(int premièreinterro) {
  ÉtatPartagé& é = état();
  é.premièreinterro = premièreinterro;
  é.nbinterros = 0;
  é.nborales = 0;
  é.préparationsnonfaites.redim(é.nbélèves + 1);
  é.pourcentcompétence.redim(é.nbélèves + 1, é.nbcompétences());
  for (int i = 1; i <= é.nbélèves; ++i) {
    reconstruireligne(i);
    é.totalélève[i] = QStringLiteral("?");
    for (int j = 1; j <= é.nbcompétences(); ++j) é.pourcentcompétence(i, j) = -1;
  }
}

int numérotapé(const QLineEdit* texte) {
  const double v = val(texte->text());
  return v < entiermin || v > entiermax ? 0 : arrondipair(v);
}

}  // namespace

FenetreChoixPeriodeExa::FenetreChoixPeriodeExa() {
  setWindowTitle(QStringLiteral("Choix Période - Examen"));
  setObjectName(QStringLiteral("choixpériodeexa"));
  Etiquette1 = new QLabel(QStringLiteral("N°"), this);
  Etiquette1->setObjectName(QStringLiteral("Etiquette1"));
  Texte1 = new QLineEdit(this);
  Texte1->setObjectName(QStringLiteral("Texte1"));
  option1[0] = new QRadioButton(QStringLiteral("&Examen"), this);
  option1[1] = new QRadioButton(QStringLiteral("&Période"), this);
  option1[0]->setObjectName(QStringLiteral("option1_0"));
  option1[1]->setObjectName(QStringLiteral("option1_1"));
  Commande1 = new QPushButton(QStringLiteral("&Ok"), this);
  Commande1->setObjectName(QStringLiteral("Commande1"));
  Commande2 = new QPushButton(QStringLiteral("&Annuler"), this);
  Commande2->setObjectName(QStringLiteral("Commande2"));
  Commande1->setAutoDefault(false);
  Commande2->setAutoDefault(false);

  auto* choix = new QVBoxLayout;
  choix->addWidget(option1[1]);
  choix->addWidget(option1[0]);
  auto* numéro = new QHBoxLayout;
  numéro->addWidget(Etiquette1);
  numéro->addWidget(Texte1);
  auto* boutons = new QHBoxLayout;
  boutons->addStretch();
  boutons->addWidget(Commande1);
  boutons->addWidget(Commande2);
  auto* tout = new QVBoxLayout(this);
  tout->addLayout(choix);
  tout->addLayout(numéro);
  tout->addLayout(boutons);

  connect(option1[0], &QRadioButton::clicked, this, [this] { Option1_Click(0); });
  connect(option1[1], &QRadioButton::clicked, this, [this] { Option1_Click(1); });
  connect(Texte1, &QLineEdit::returnPressed, this, [this] { Texte1_KeyDown(13); });
  connect(Commande1, &QPushButton::clicked, this, [this] { Commande1_Click(); });
  connect(Commande2, &QPushButton::clicked, this, [this] { Commande2_Click(); });
}

void FenetreChoixPeriodeExa::Form_Load() {
  centrer();
  option1[1]->setChecked(true);
  Texte1->setText(QString::number(état().dernièrepériode[état().classecourante] + 1));
}

void FenetreChoixPeriodeExa::Option1_Click(int index) {
  const int c = état().classecourante;
  option1[index]->setChecked(true);
  Texte1->setText(QString::number(index == 0 ? état().nbexamenscréés[c] + 1 : état().dernièrepériode[c] + 1));
  Texte1->setFocus();
}

void FenetreChoixPeriodeExa::Texte1_KeyDown(int codetouche) {
  if (codetouche == 13) Commande1_Click();
}

void FenetreChoixPeriodeExa::Commande2_Click() {
  état().classecourante = 0;
  fermer();
}

void FenetreChoixPeriodeExa::Commande1_Click() {
  ÉtatPartagé& é = état();
  const int c = é.classecourante;
  const int n = numérotapé(Texte1);
  if (option1[1]->isChecked()) {
    const int dernière = é.dernièrepériode[c];
    if (n < 1 || n > dernière + 1) return;
    if (n == dernière + 1) créerpériode();
    if (é.classecourante != 0) fixerpériodecourante(u'P', n);
    fermer();
    return;
  }
  const int créés = é.nbexamenscréés[c];
  if (n < 1 || n > créés + 1) return;
  if (n == créés + 1) {
    avecpiège(titreerreur(chemindisquedur(nommaxima(é.dossierclasse[c]))), [] { liremaxima(); });
    if (n > é.nbexamens) {
      avertissement(QStringLiteral("Vous demandez de créer un examen d'un numéro plus élevé que le nombre d'examens prévus "
                                   "pour cette classe.  Il faut d'abord changer le paramètre <Nombre d'examens> dans les "
                                   "renseignements de la classe."),
                    QStringLiteral("ATTENTION"));
      return;
    }
    créerexamen();
  }
  if (é.classecourante != 0) fixerpériodecourante(u'E', n);
  fermer();
}

namespace {

// Ce qui distingue la création d'une période de celle d'un examen.
struct Création {
  QChar lettre;
  int numéro;              // la nouvelle clé : lettre et numéro
  const char* titredéjà;   // le fichier existe déjà
  const char* textedéjà;
  const char* titre;       // la question de création
  const char* quoi;        // "la période n°" ou "l'examen n°"
  QString source;          // clé dont viennent les élèves
  bool numérotationsuivie;  // les tests continuent la numérotation de la source
  int* compteur;           // dernièrepériode ou nbexamenscréés de la classe
};

void créer(const Création& c) {
  ÉtatPartagé& é = état();
  const QString clé = QString(c.lettre) + QString::number(c.numéro);
  if (fichierdéjàlà(clé)) {
    avertissement(QString::fromUtf8(c.textedéjà), QString::fromUtf8(c.titredéjà));
    *c.compteur = c.numéro;
    é.périodecourante = clé;
    écrirelisteclasses();
    return;
  }
  if (question(QStringLiteral("Désirez-vous réellement créer\r") + QString::fromUtf8(c.quoi) + str(c.numéro) +
                   QStringLiteral(" ?"),
               QString::fromUtf8(c.titre)) != OUI) {
    é.classecourante = 0;
    return;
  }
  é.périodecourante = c.source;
  chargerclasse();
  préparernouvelleclé(c.numérotationsuivie ? é.premièreinterro + é.nbinterros : 1);
  é.périodecourante = clé;
  const ChangementNommé nommé(clé.startsWith(u'P') ? QStringLiteral("période %1 créée").arg(clé.mid(1))
                                                    : QStringLiteral("examen %1 créé").arg(clé.mid(1)));
  Transaction changement;
  sauverclasse();
  *c.compteur = c.numéro;
  écrirelisteclasses();
  if (changement.valider()) return;
  lirelisteclasses();  // la liste telle qu'elle est restée sur le disque
  é.classecourante = 0;
}

}  // namespace

void FenetreChoixPeriodeExa::créerpériode() {
  ÉtatPartagé& é = état();
  int& dernière = é.dernièrepériode[é.classecourante];
  créer({u'P', dernière + 1, "!!! Période déjà créée !!!",
         "Pour une raison anormale, la période demandée existait déjà.  Le fichier existant va s'ouvrir maintenant.",
         "Créer une nouvelle période", "la période n°", QStringLiteral("P") + QString::number(dernière), true, &dernière});
}

void FenetreChoixPeriodeExa::créerexamen() {
  ÉtatPartagé& é = état();
  int& créés = é.nbexamenscréés[é.classecourante];
  créer({u'E', créés + 1, "!!! Examen déjà créé !!!",
         "Pour une raison anormale, l'examen demandé existait déjà.  Le fichier existant va s'ouvrir maintenant.",
         "Créer un nouvel examen", "l'examen n°", QStringLiteral("P1"), false, &créés});
}
