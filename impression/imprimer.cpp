#include "impression/imprimer.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

#include "classes/listeclasses.h"
#include "noyau/base/etat.h"
#include "noyau/base/module.h"
#include "noyau/base/piege.h"
#include "noyau/fichiers/notesclasse.h"
#include "plateforme/imprimante.h"
#include "plateforme/nombres.h"
#include "plateforme/services.h"

namespace {

// Les périodes et les examens qu'ont les classes de l'année : au moins P1 à P3, E1 et E2.
QStringList clésdel_année() {
  const ÉtatPartagé& é = état();
  int périodes = 3, examens = 2;
  for (int c = 1; c <= é.nbclasses; ++c) {
    périodes = std::max(périodes, é.dernièrepériode[c]);
    examens = std::max(examens, é.nbexamenscréés[c]);
  }
  QStringList clés;
  for (int p = 1; p <= périodes; ++p) clés << QStringLiteral("P%1").arg(p);
  for (int e = 1; e <= examens; ++e) clés << QStringLiteral("E%1").arg(e);
  return clés;
}

// La classe a-t-elle la période ou l'examen de cette clé ?
bool classeaclé(int c, const QString& clé) {
  const int k = arrondipair(std::min(val(QStringView(clé).mid(1)), double(entiermax)));
  return clé.startsWith(u'P') ? k <= état().dernièrepériode[c] : k <= état().nbexamenscréés[c];
}

QCheckBox* case_(const char* texte, const char* nom, QWidget* parent) {
  return nommer(new QCheckBox(QString::fromUtf8(texte), parent), nom);
}

}  // namespace

FenetreImprimer::FenetreImprimer() {
  setWindowTitle(QStringLiteral("Impression"));
  setObjectName(QStringLiteral("fenêtreimprimer"));
  Cadre1 = nommer(new QGroupBox(QStringLiteral("Classe(s) à imprimer"), this), "Cadre1");
  Option1 = nommer(new QRadioButton(QStringLiteral("Classe &Actuelle"), Cadre1), "Option1");
  Option2 = nommer(new QRadioButton(QStringLiteral("Toutes &Les classes"), Cadre1), "Option2");
  Option3 = nommer(new QRadioButton(QStringLiteral("&Sélection de classes"), Cadre1), "Option3");
  groupeclasses_ = new QButtonGroup(this);
  auto* classes = new QVBoxLayout(Cadre1);
  for (QRadioButton* b : {Option1, Option2, Option3}) {
    groupeclasses_->addButton(b);
    classes->addWidget(b);
  }
  Frame1 = nommer(new QGroupBox(QStringLiteral("Période ou examen"), this), "Frame1");
  groupepériodes_ = new QButtonGroup(this);
  grillepériodes_ = new QGridLayout(Frame1);

  Cadre2 = nommer(new QGroupBox(QStringLiteral("Type(s) d'impression"), this), "Cadre2");
  Coche1 = case_("&Points de la période", "Coche1", Cadre2);
  Coche2 = case_("&Moyennes de la période", "Coche2", Cadre2);
  Coche3 = case_("&Totaux", "Coche3", Cadre2);
  Coche4 = case_("&Noms + grille", "Coche4", Cadre2);
  Coche5 = case_("&Récapitulatif de la période", "Coche5", Cadre2);
  coche6 = case_("&Compétences + moyennes", "coche6", Cadre2);
  coche7 = case_("Renseignements &Interros", "coche7", Cadre2);
  auto* types = new QVBoxLayout(Cadre2);
  for (QCheckBox* c : {Coche1, Coche2, Coche3, Coche4, Coche5, coche6, coche7}) {
    types->addWidget(c);
    connect(c, &QCheckBox::clicked, this, [this] { cmdok->setFocus(); });
  }

  Liste1 = nommer(new QListWidget(this), "Liste1");
  Liste2 = nommer(new QListWidget(this), "Liste2");
  Liste1->setAccessibleName(QStringLiteral("Liste des classes"));
  Liste2->setAccessibleName(QStringLiteral("Liste des classes sélectionnées"));
  Liste1->setToolTip(QStringLiteral("Avec « Sélection de classes », double-cliquez sur une classe pour l'ajouter."));
  Liste2->setToolTip(QStringLiteral("Double-cliquez sur une classe pour la retirer de la sélection."));
  cmdok = nommer(new QPushButton(QStringLiteral("&Ok"), this), "cmdok");
  cmdaperçu = nommer(new QPushButton(QStringLiteral("Aperç&u..."), this), "cmdaperçu");
  cmdaperçu->setToolTip(QStringLiteral("Montre ce document avant de l'envoyer à l'imprimante."));
  cmdannuler = nommer(new QPushButton(QStringLiteral("Annuler"), this), "cmdannuler");
  Command1 = nommer(new QPushButton(QStringLiteral("Configurer l'imprimante"), this), "Command1");
  for (QPushButton* b : {cmdannuler, Command1, cmdaperçu}) b->setAutoDefault(false);

  auto* gauche = new QVBoxLayout;
  gauche->addWidget(Cadre1);
  gauche->addWidget(Frame1);
  gauche->addWidget(Cadre2);
  gauche->addStretch();
  auto* listes = new QGridLayout;
  listes->addWidget(new QLabel(QStringLiteral("Liste des classes"), this), 0, 0);
  listes->addWidget(Liste1, 1, 0);
  listes->addWidget(new QLabel(QStringLiteral("Liste des classes sélectionnées"), this), 0, 1);
  listes->addWidget(Liste2, 1, 1);
  auto* corps = new QHBoxLayout;
  corps->addLayout(gauche);
  corps->addLayout(listes, 1);
  auto* boutons = new QHBoxLayout;
  boutons->addWidget(Command1);
  boutons->addStretch();
  boutons->addWidget(cmdaperçu);
  boutons->addWidget(cmdok);
  boutons->addWidget(cmdannuler);
  auto* tout = new QVBoxLayout(this);
  tout->addLayout(corps, 1);
  tout->addLayout(boutons);
  setMinimumSize(760, 480);

  connect(Option1, &QRadioButton::clicked, this, [this] { Option1_Click(); });
  connect(Option2, &QRadioButton::clicked, this, [this] { Option2_Click(); });
  connect(Option3, &QRadioButton::clicked, this, [this] { Option3_Click(); });
  connect(Liste1, &QListWidget::itemDoubleClicked, this, [this] { Liste1_DblClick(); });
  connect(Liste2, &QListWidget::itemDoubleClicked, this, [this] { Liste2_DblClick(); });
  connect(cmdaperçu, &QPushButton::clicked, this, [this] { cmdaperçu_Click(); });
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  connect(cmdannuler, &QPushButton::clicked, this, [this] { cmdannuler_Click(); });
  connect(cmdok, &QPushButton::clicked, this, [this] { cmdok_Click(); });
}

void FenetreImprimer::créerboutonspériodes() {
  for (QRadioButton* b : choixpériode) delete b;
  choixpériode.clear();
  const QStringList clés = clésdel_année();
  const qsizetype périodes = std::count_if(clés.begin(), clés.end(), [](const QString& c) { return c.startsWith(u'P'); });
  for (qsizetype n = 0; n < clés.size(); ++n) {
    auto* b = new QRadioButton(clés[n], Frame1);
    b->setObjectName(QStringLiteral("choixpériode%1").arg(n));
    groupepériodes_->addButton(b, static_cast<int>(n));
    const bool période = n < périodes;
    const qsizetype rang = période ? n : n - périodes;
    grillepériodes_->addWidget(b, static_cast<int>(rang / 5) * 2 + (période ? 0 : 1), static_cast<int>(rang % 5));
    connect(b, &QRadioButton::clicked, this, [this, n] { choixpériode_Click(static_cast<int>(n)); });
    choixpériode.append(b);
  }
}

void FenetreImprimer::Form_Load() {
  centrer();
  const ÉtatPartagé& é = état();
  travail_ = TravailImpression{};
  Imprimante& i = imprimantes().Printer();
  i.FontName(QStringLiteral("Courier New"));
  i.FontSize(12);
  modesélection = 1;
  classesàimprimer.redim(é.nbclasses);
  Liste1->clear();
  Liste2->clear();
  for (int c = 1; c <= é.nbclasses; ++c) Liste1->addItem(lignedeclasse(c));
  groupeclasses_->setExclusive(false);
  for (QRadioButton* b : {Option1, Option2, Option3}) b->setChecked(false);
  groupeclasses_->setExclusive(true);
  for (QCheckBox* c : {Coche1, Coche2, Coche3, Coche4, Coche5, coche6, coche7}) c->setChecked(false);
  créerboutonspériodes();
  périodeàimprimer = é.périodecourante;
  for (int n = 0; n < choixpériode.size(); ++n)
    if (choixpériode[n]->text() == é.périodecourante) {
      choixpériode[n]->setChecked(true);
      choixpériode_Click(n);
    }
}

void FenetreImprimer::choixpériode_Click(int index) { périodeàimprimer = choixpériode[index]->text(); }

void FenetreImprimer::remplirsélection() {
  Liste2->clear();
  for (int c = 1; c <= état().nbclasses; ++c) {
    if (classesàimprimer[c] != 1) continue;
    auto* ligne = new QListWidgetItem(lignedeclasse(c), Liste2);
    ligne->setData(Qt::UserRole, c);
  }
}

void FenetreImprimer::Option1_Click() {
  modesélection = 1;
  classesàimprimer.redim(état().nbclasses);
  if (état().classecourante >= 1 && état().classecourante <= état().nbclasses) classesàimprimer[état().classecourante] = 1;
  remplirsélection();
}

void FenetreImprimer::Option2_Click() {
  modesélection = 2;
  for (int c = 1; c <= état().nbclasses; ++c) classesàimprimer[c] = 1;
  remplirsélection();
}

void FenetreImprimer::Option3_Click() { modesélection = 3; }

void FenetreImprimer::Liste1_DblClick() {
  const int c = Liste1->currentRow() + 1;
  if (modesélection != 3 || c < 1 || classesàimprimer[c] == 1) return;
  classesàimprimer[c] = 1;
  remplirsélection();
}

// Chaque ligne de la sélection garde le numéro de sa classe : deux classes de même
// nom et de même cours ne se confondent pas.
void FenetreImprimer::Liste2_DblClick() {
  QListWidgetItem* ligne = Liste2->currentItem();
  if (modesélection != 3 || !ligne) return;
  classesàimprimer[ligne->data(Qt::UserRole).toInt()] = 0;
  delete Liste2->takeItem(Liste2->row(ligne));
}

void FenetreImprimer::Command1_Click() { imprimantes().réglages(); }

void FenetreImprimer::cmdannuler_Click() { fermer(); }

// Imprime les types cochés pour la classe c, après avoir chargé ses données quand
// celles de la feuille ne sont pas les bonnes. Une classe qui n'a pas la période
// demandée est signalée et sautée ; le travail continue.
void FenetreImprimer::imprimerclasse(int c, Imprimante& i, const QString& périodegardée, bool& chargée) {
  ÉtatPartagé& é = état();
  if (!classeaclé(c, é.périodecourante)) {
    avertissement(QStringLiteral("La période ou l'examen demandé pour ") + sansblancs(Liste1->item(c - 1)->text()) +
                      QStringLiteral(" n'existe pas.  Cette classe ne sera pas imprimée."),
                  QStringLiteral("Période ou examen inexistant(e)"));
    return;
  }
  if (modesélection != 1 || périodeàimprimer != périodegardée) {
    chargerclasse();
    chargée = true;
  }
  if (Coche1->isChecked()) imprimerpoints(i, travail_);
  if (Coche2->isChecked()) imprimermoyennes(i, travail_);
  if (Coche3->isChecked()) imprimertotaux(i, travail_);
  travail_.imprimerencouleur = TravailImpression{}.imprimerencouleur;
  if (Coche4->isChecked()) imprimernomsgrille(i, travail_);
  if (Coche5->isChecked()) imprimerrécapitulatif(i, travail_);
  if (coche6->isChecked()) imprimercompétences(i, travail_);
  if (coche7->isChecked()) imprimerrensinterro(i, travail_);
}

void FenetreImprimer::cmdaperçu_Click() {
  imprimantes().Printer().Aperçu(true);
  cmdok_Click();
  imprimantes().Printer().Aperçu(false);  // rien d'imprimé (aucun type coché) : rien à montrer ensuite
}

void FenetreImprimer::cmdok_Click() {
  GardeClassePériode garde;
  const QList<QCheckBox*> types{Coche1, Coche2, Coche3, Coche4, Coche5, coche6, coche7};
  // Rien à imprimer se dit ; la fenêtre reste ouverte pour cocher.
  if (std::none_of(types.begin(), types.end(), [](const QCheckBox* c) { return c->isChecked(); })) {
    boîtes().message(QStringLiteral("Cochez au moins un tableau à imprimer."), QStringLiteral("Impression"));
    return;
  }
  ÉtatPartagé& é = état();
  bool uneclasse = false;
  for (int c = 1; c <= é.nbclasses; ++c) uneclasse = uneclasse || (c <= classesàimprimer.borne() && classesàimprimer[c] == 1);
  if (!uneclasse) {
    boîtes().message(QStringLiteral("Choisissez la classe actuelle, toutes les classes ou une sélection de classes."),
                     QStringLiteral("Impression"));
    return;
  }
  const int classegardée = é.classecourante;
  const QString périodegardée = é.périodecourante;
  é.périodecourante = périodeàimprimer;
  travail_.périodeàimprimer = périodeàimprimer;
  Imprimante& i = imprimantes().Printer();
  DocumentEnCours document(i);
  {
    const SablierActif sablier;
    bool chargée = false;
    for (int c = 1; c <= é.nbclasses; ++c) {
      i.FontSize(12);
      if (classesàimprimer[c] != 1) continue;
      é.classecourante = c;
      imprimerclasse(c, i, périodegardée, chargée);
    }
    é.classecourante = classegardée;
    é.périodecourante = périodegardée;
    if (chargée) chargerclasse();
  }
  // Sans le sablier : l'aperçu et un éventuel refus de l'imprimante attendent l'utilisateur.
  finirdocument(i);
  fermer();
}
