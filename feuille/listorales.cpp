#include "feuille/listorales.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "impression/misesenpage.h"
#include "noyau/base/etat.h"
#include "plateforme/imprimante.h"
#include "plateforme/nombres.h"
#include "plateforme/services.h"

FenetreListeOrales::FenetreListeOrales() {
  setObjectName(QStringLiteral("listorales"));
  setWindowTitle(QStringLiteral("Liste des interrogations orales"));
  Label1 = nommer(new QLabel(this), "Label1");
  QFont titre = Label1->font();
  titre.setBold(true);
  titre.setPointSizeF(titre.pointSizeF() * 1.2);
  Label1->setFont(titre);
  List1 = nommer(new QListWidget(this), "List1");
  Label2 = nommer(new QLabel(QStringLiteral("Elèves n'ayant pas encore été interrogés oralement"), this), "Label2");
  List2 = nommer(new QListWidget(this), "List2");
  Label5 = nommer(new QLabel(QStringLiteral("Autres élèves"), this), "Label5");
  List3 = nommer(new QListWidget(this), "List3");
  List1->setAccessibleName(QStringLiteral("Notes orales données"));
  List2->setAccessibleName(Label2->text());
  List3->setAccessibleName(Label5->text());
  Label3 = nommer(new QLabel(QStringLiteral("Pour entrer une note orale pour un des élèves ci-dessus, double-cliquer sur son nom."),
                             this),
                  "Label3");
  Label3->setWordWrap(true);
  Label4 = nommer(new QLabel(this), "Label4");
  comp = nommer(new QCheckBox(QStringLiteral("Ne pas afficher ni imprimer les compétences"), this), "comp");
  Command1 = nommer(new QPushButton(QStringLiteral("Imprimer"), this), "Command1");
  Command2 = nommer(new QPushButton(QStringLiteral("Quitter"), this), "Command2");
  Command3 = nommer(new QPushButton(QStringLiteral("Configuration de l'impression"), this), "Command3");
  for (QPushButton* b : {Command1, Command2, Command3}) b->setAutoDefault(false);

  auto* listes = new QGridLayout;
  listes->addWidget(new QLabel(QStringLiteral("Notes orales données"), this), 0, 0);
  listes->addWidget(List1, 1, 0, 3, 1);
  listes->addWidget(Label2, 0, 1);
  listes->addWidget(List2, 1, 1);
  listes->addWidget(Label5, 2, 1);
  listes->addWidget(List3, 3, 1);
  listes->setColumnStretch(0, 3);
  listes->setColumnStretch(1, 2);
  auto* boutons = new QHBoxLayout;
  boutons->addWidget(Command3);
  boutons->addStretch();
  boutons->addWidget(Command1);
  boutons->addWidget(Command2);
  auto* tout = new QVBoxLayout(this);
  tout->addWidget(Label1);
  tout->addLayout(listes, 1);
  tout->addWidget(Label3);
  tout->addWidget(Label4);
  tout->addWidget(comp);
  tout->addLayout(boutons);
  resize(760, 520);

  connect(comp, &QCheckBox::clicked, this, [this] { comp_Click(); });
  connect(List2, &QListWidget::itemDoubleClicked, this, [this] { List2_DblClick(); });
  connect(List3, &QListWidget::itemDoubleClicked, this, [this] { List3_DblClick(); });
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
  connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
}

void FenetreListeOrales::Form_Load() {
  const ÉtatPartagé& é = état();
  centrer();
  const bool seulecompétence = é.nbcompétences() == 1;
  comp->setVisible(!seulecompétence);
  Label4->setText(seulecompétence ? QStringLiteral("N.B. : Il n'y a aucune compétence pour cette classe") : QString());
  const int c = é.classecourante;
  Label1->setText(QStringLiteral("Liste des notes orales de ") + é.nomclasse[c] + QStringLiteral(" en ") + é.nomcours[c] +
                  QStringLiteral(" pour la ") + é.périodecourante);
  remplirlistes();
}

// Les compétences suivent la case à chaque remplissage, au premier aussi.
void FenetreListeOrales::remplirlistes() {
  const ÉtatPartagé& é = état();
  const bool aveccompétences = !comp->isChecked() && é.nbcompétences() > 1;
  List1->clear();
  List2->clear();
  List3->clear();
  for (int s = 1; s <= é.nbélèves; ++s) {
    const QString numéro = format(s, u"00") + QStringLiteral(" - ") + é.nomélève[s];
    if (é.nbnotesorales[s] == 0) {
      List2->addItem(numéro);
      continue;
    }
    List1->addItem(é.nomélève[s]);
    for (int o = 1; o <= é.nbnotesorales[s]; ++o) {
      List1->addItem(é.libelléorale(s, o));
      const int compétence = é.compétenceorale(s, o);
      if (aveccompétences && compétence >= 1 && compétence <= é.nbcompétences()) List1->addItem(é.listecompétences[compétence]);
      List1->addItem(QStringLiteral("=>") + str(é.noteorale(s, o)) + u'/' + str(é.maxorale(s, o)).trimmed());
    }
    List1->addItem(QString());
    List3->addItem(numéro);
  }
}

void FenetreListeOrales::comp_Click() { remplirlistes(); }

void FenetreListeOrales::choisir(QListWidget* liste) {
  const QListWidgetItem* ligne = liste->currentItem();
  if (!ligne) return;
  état().nomfichier = ligne->text().left(2);
  fermer();
}

void FenetreListeOrales::List2_DblClick() { choisir(List2); }
void FenetreListeOrales::List3_DblClick() { choisir(List3); }

void FenetreListeOrales::Command1_Click() {
  Imprimante& i = imprimantes().Printer();
  i.FontName(QStringLiteral("Times new roman"));
  i.FontSize(5);
  i.Print({" "});
  i.FontName(QStringLiteral("Times new roman"));
  i.FontSize(14);
  i.FontUnderline(true);
  i.FontBold(true);
  i.Print({Label1->text()});
  i.FontUnderline(false);
  i.FontBold(false);
  i.FontSize(12);
  i.Print();
  for (int l = 0; l < List1->count(); ++l) i.Print({List1->item(l)->text()});
  finirdocument(i);
}

void FenetreListeOrales::Command2_Click() { fermer(); }

void FenetreListeOrales::Command3_Click() { imprimantes().réglages(); }
