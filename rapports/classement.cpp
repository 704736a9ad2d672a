#include "rapports/classement.h"

#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>

#include "impression/misesenpage.h"
#include "noyau/base/etat.h"
#include "plateforme/imprimante.h"
#include "plateforme/nombres.h"
#include "plateforme/services.h"

FenetreClassement::FenetreClassement() {
  setObjectName(QStringLiteral("classement"));
  setWindowTitle(QStringLiteral("Classement"));
  grille1 = nommer(new Grille(this), "grille1");
  grille1->setAccessibleName(QStringLiteral("Classement des élèves"));
  Command1 = nommer(new QPushButton(QStringLiteral("Inverser"), this), "Command1");
  Commande3 = nommer(new QPushButton(QStringLiteral("&Période"), this), "Commande3");
  Commande2 = nommer(new QPushButton(QStringLiteral("&Imprimer"), this), "Commande2");
  Commande1 = nommer(new QPushButton(QStringLiteral("&Quitter"), this), "Commande1");
  Command1->setToolTip(QStringLiteral("Du moins bon au meilleur"));
  Commande3->setToolTip(QStringLiteral("Classer sur les points de la période ou de l'examen ouvert"));
  for (QPushButton* b : {Command1, Commande3, Commande2, Commande1}) b->setAutoDefault(false);
  auto* boutons = new QHBoxLayout;
  for (QPushButton* b : {Commande3, Command1, Commande2}) boutons->addWidget(b);
  boutons->addStretch();
  boutons->addWidget(Commande1);
  auto* tout = new QVBoxLayout(this);
  tout->addWidget(grille1, 1);
  tout->addLayout(boutons);
  resize(400, 560);

  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  connect(Commande3, &QPushButton::clicked, this, [this] { Commande3_Click(); });
  connect(Commande2, &QPushButton::clicked, this, [this] { Commande2_Click(); });
  connect(Commande1, &QPushButton::clicked, this, [this] { Commande1_Click(); });
}

void FenetreClassement::Form_Load() {
  centrer();
  boîtes().sablier(true);
  classés_ = classementannée();
  surlannée_ = true;
  boîtes().sablier(false);
  préparergrille();
  remplir(classés_);
}

void FenetreClassement::préparergrille() {
  Grille& g = *grille1;
  g.Visible(false);
  g.Rows(1);
  g.Cols(3);
  g.Rows(état().nbélèves + 1);
  g.FixedRows(1);
  g.FixedCols(0);
  const int largeurs[] = {300, 2700, 700};
  for (int c = 0; c < 3; ++c) g.ColWidth(c, largeurs[c]);
  g.ColAlignment(2, alignementcentre);
  g.FixedAlignment(2, alignementcentre);
  g.Row(0);
  g.Col(1);
  g.Text(QStringLiteral("Noms et prénoms"));
  g.Col(2);
  g.Text(QStringLiteral("Point(s)"));
  g.Visible(true);
}

void FenetreClassement::remplir(const QList<Classé>& ordre) {
  Grille& g = *grille1;
  g.Visible(false);
  for (int r = 1; r <= std::min(static_cast<int>(ordre.size()), g.Rows() - 1); ++r) {
    const Classé& c = ordre[r - 1];
    g.Row(r);
    g.Col(0);
    g.Text(QString::number(r));
    g.Col(1);
    g.Text(c.nom);
    g.Col(2);
    g.Text(c.points);
  }
  g.Row(std::min(1, g.Rows() - 1));
  g.Col(1);
  g.Visible(true);
}

void FenetreClassement::Commande3_Click() {
  classés_ = classementpériode();
  surlannée_ = false;
  remplir(classés_);
}

void FenetreClassement::Command1_Click() {
  QList<Classé> inverse = classés_;
  std::reverse(inverse.begin(), inverse.end());
  remplir(inverse);
}

// Le classement de l'année porte sur toutes les périodes et examens : son titre
// ne nomme pas la clé ouverte.
QString FenetreClassement::titreduclassement() const {
  const QString& clé = état().périodecourante;
  if (surlannée_) return QStringLiteral("Année");
  return (clé.startsWith(u'P') ? QStringLiteral("Période") : QStringLiteral("Examen ")) + u' ' + clé.right(1);
}

void FenetreClassement::Commande2_Click() {
  const ÉtatPartagé& é = état();
  const int c = é.classecourante;
  Imprimante& i = imprimantes().Printer();
  i.FontName(QStringLiteral("Times new roman"));
  i.FontSize(10);
  i.Print({" "}, Suite::PointVirgule);
  i.FontName(QStringLiteral("courier new"));
  i.FontSize(12);
  const auto entête = [&] {
    i.Print({QStringLiteral("Classe de ") + é.nomclasse[c], Tab(25), QStringLiteral("Cours : ") + é.nomcours[c], Tab(70),
             titreduclassement()});
    i.Print({QString(78, u'-')});
    i.Print();
    i.Print({Tab(20), "NOMS", Tab(39), "Point(s)"});
    i.Print({QString(46, u'=')});
    i.Print();
  };
  entête();
  i.EnTête(entête);
  const ModeleGrille& m = grille1->modèle();
  for (int r = 1; r < grille1->Rows(); ++r) {
    QString nom = m.cellule(r, 1).texte.left(28);
    nom += QString(28 - nom.size(), u'.');
    i.Print({Tab(6), format(r, u"00") + u')', Tab(10), nom + QStringLiteral(" => ") + m.cellule(r, 2).texte});
  }
  finirdocument(i);
}

void FenetreClassement::Commande1_Click() { fermer(); }
