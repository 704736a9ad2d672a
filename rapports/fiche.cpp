#include "rapports/fiche.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "impression/misesenpage.h"
#include "noyau/base/etat.h"
#include "noyau/fichiers/notesclasse.h"
#include "noyau/sorties/fiche.h"
#include "plateforme/imprimante.h"
#include "plateforme/nombres.h"
#include "plateforme/services.h"

FenetreFiche::FenetreFiche() {
  setObjectName(QStringLiteral("ficheindividuelle"));
  grille = nommer(new Grille(this), "grille");
  grille->setAccessibleName(QStringLiteral("Notes de l'élève, période par période"));
  graphique = nommer(new VueFigure(this), "graphique");
  graphique->setMinimumHeight(190);
  graphique->setAccessibleName(QStringLiteral("Graphique des résultats et des compétences"));
  Label1 = nommer(new QLabel(QStringLiteral("Afficher"), this), "Label1");
  Check1 = nommer(new QCheckBox(QStringLiteral("&Tout"), this), "Check1");
  Command1 = nommer(new QPushButton(QStringLiteral("&Imprimer"), this), "Command1");
  cmdquitte = nommer(new QPushButton(QStringLiteral("&Sortir"), this), "cmdquitte");
  for (QPushButton* b : {Command1, cmdquitte}) b->setAutoDefault(false);
  cases_ = new QHBoxLayout;
  auto* haut = new QHBoxLayout;
  haut->addWidget(Label1);
  haut->addLayout(cases_);
  haut->addSpacing(12);
  haut->addWidget(Check1);
  haut->addStretch();
  haut->addWidget(Command1);
  haut->addWidget(cmdquitte);
  auto* tout = new QVBoxLayout(this);
  tout->addLayout(haut);
  tout->addWidget(grille, 1);
  tout->addWidget(graphique);
  resize(780, 760);
  connect(Check1, &QCheckBox::clicked, this, [this] { Check1_Click(); });
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  connect(cmdquitte, &QPushButton::clicked, this, [this] { cmdquitte_Click(); });
}

// Une case par période et par examen de la classe, toutes cochées à l'ouverture.
void FenetreFiche::créercases() {
  for (QCheckBox* c : choixpériode) delete c;
  choixpériode.clear();
  for (const QString& clé : clésdelaclasse()) {
    auto* c = new QCheckBox(clé, this);
    c->setObjectName(QStringLiteral("choixpériode") + clé);
    c->setChecked(true);
    connect(c, &QCheckBox::clicked, this, [this] { choixpériode_Click(); });
    cases_->addWidget(c);
    choixpériode.append(c);
  }
  Check1->setChecked(true);
}

void FenetreFiche::fabriquergrille() {
  Grille& g = *grille;
  g.Rows(1);
  g.Cols(6);
  const char* entêtes[] = {"N°", "Date", "Note", "Sur", "Moy", "Renseignements"};
  const int largeurs[] = {400, 550, 550, 550, 550, 7850};
  g.Row(0);
  for (int c = 0; c < 6; ++c) {
    g.ColWidth(c, largeurs[c]);
    g.Col(c);
    g.Text(QString::fromUtf8(entêtes[c]));
  }
  g.FixedAlignment(0, alignementcentre);
  g.ColAlignment(1, alignementcentre);
  g.ColAlignment(4, alignementcentre);
  g.ColAlignment(5, alignementgauche);
}

QStringList FenetreFiche::clésmontrées() const {
  QStringList clés;
  for (const QCheckBox* c : choixpériode)
    if (c->isChecked()) clés << c->text();
  return clés;
}

void FenetreFiche::construire() {
  boîtes().sablier(true);
  const QList<LigneFiche> lignes = lignesfiche(élève_, clésmontrées(), &donnéesgraphique_);
  graphique->figure(figurefiche(donnéesgraphique_, 540));
  Grille& g = *grille;
  g.Visible(false);
  fabriquergrille();
  g.Rows(1 + static_cast<int>(lignes.size()));  // une seule fois : pas de grille refaite à chaque ligne
  int rangée = 0;
  for (const LigneFiche& l : lignes) {
    g.Row(++rangée);
    const QString cellules[] = {l.numéro, l.libellé, l.note, l.sur, l.moyenne, l.renseignements};
    for (int c = 0; c < 6; ++c) {
      g.Col(c);
      g.Text(cellules[c]);
      if (c == 1) g.CellBackColor(fondfiche(l.libellé));
      if (c >= 1 && c <= 3) g.CellFontBold(grasfiche(l.libellé));
      if (c == 2) g.CellForeColor(couleurfiche(l.note, l.sur));
      if (c == 4) g.CellForeColor(couleurfiche(l.moyenne, l.sur));
    }
  }
  if (g.Rows() > 1) g.FixedRows(1);
  g.ajusterlargeurs();
  g.Row(std::min(1, g.Rows() - 1));
  g.Col(0);
  g.Visible(true);
  boîtes().sablier(false);
}

void FenetreFiche::Form_Load() {
  ÉtatPartagé& é = état();
  QString numéro = é.nomfichier;
  const bool imprimer = numéro.startsWith(u'I');
  if (imprimer) numéro.remove(0, 1);
  élève_ = arrondipair(std::clamp(val(numéro), 0.0, double(entiermax)));
  const QString classe = é.nomclasse[é.classecourante];
  setWindowTitle(QStringLiteral("Fiche individuelle de ") +
                 (élève_ >= 1 && élève_ <= é.nbélèves ? é.nomélève[élève_] : QString()) + QStringLiteral(" (") + classe +
                 u')');
  créercases();
  construire();
  if (imprimer) Command1_Click();
  else centrer();
}

void FenetreFiche::choixpériode_Click() {
  if (changementdetout_) return;
  // "Tout" reste vrai : coché seulement quand chaque case l'est.
  Check1->setChecked(std::all_of(choixpériode.begin(), choixpériode.end(), [](const QCheckBox* c) { return c->isChecked(); }));
  construire();
}

void FenetreFiche::Check1_Click() {
  changementdetout_ = true;
  for (QCheckBox* c : choixpériode) c->setChecked(Check1->isChecked());
  changementdetout_ = false;
  construire();
}

void FenetreFiche::Command1_Click() {
  Imprimante& i = imprimantes().Printer();
  i.FontName(QStringLiteral("times new roman"));
  i.FontSize(14);
  i.Print();
  i.Print();
  i.FontBold(false);
  i.Print({"  "}, Suite::PointVirgule);
  i.FontBold(true);
  i.Print({windowTitle() + QStringLiteral(" - imprimée le ") + dateimpression()});
  i.FontBold(false);
  i.PaintPicture(grille->Picture(), 60, 1100);
  i.Print();
  i.PaintFigure(figurefiche(donnéesgraphique_, std::min(540.0, i.largeurpage(i.Orientation()) - 6)), 60);
  finirdocument(i);
}

void FenetreFiche::cmdquitte_Click() {
  chargerclasse();
  fermer();
}
