#include "impression/totaux.h"

#include "impression/misesenpage.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "noyau/base/etat.h"
#include "noyau/fichiers/renseignements.h"
#include "noyau/regles/totaux.h"
#include "plateforme/imprimante.h"
#include "plateforme/nombres.h"
#include "plateforme/services.h"

namespace {

const QString manquant = QStringLiteral("???  ");
constexpr int partwip = 15;  // twips par pixel à 96 points par pouce

int examens() { return état().nbexamenscréés[état().classecourante]; }

int maxexamen(int e) { return e <= état().maxexamen.borne() ? état().maxexamen[e] : 0; }

int sommemaxexamens() {
  int somme = 0;
  for (int e = 1; e <= examens(); ++e) somme += maxexamen(e);
  return somme;
}

bool absent(const QString& total) { return sansblancs(total) == QStringLiteral("?"); }

// Une somme sans son signe de manque ("?27.5" ou " 27.5").
double valeursansigne(const QString& somme) { return val(QStringView(somme).mid(1)); }

}  // namespace

int couleurtotal(const QString& texte, double maximum) {
  if (val(texte) < maximum / 2) return rouge;
  return maximum != 0 ? noir : bleu;
}

FenetreTotaux::FenetreTotaux() {
  setObjectName(QStringLiteral("fenêtretotaux"));
  setWindowTitle(QStringLiteral("Affichage des TOTAUX"));
  grille1 = nommer(new Grille(this), "grille1");
  grille1->setAccessibleName(QStringLiteral("Totaux des élèves"));
  grille1->EntêteAccessible([this](Qt::Orientation sens, int section) { return entêtedite(sens, section); });
  Etiquette3 = nommer(new QLabel(this), "Etiquette3");
  Etiquette4 = nommer(new QLabel(this), "Etiquette4");
  QFont gras = Etiquette3->font();
  gras.setBold(true);
  gras.setPointSizeF(gras.pointSizeF() * 1.15);
  Etiquette3->setFont(gras);
  Etiquette4->setFont(gras);
  cmdok = nommer(new QPushButton(QStringLiteral("&Ok"), this), "cmdok");
  imprimerdirect = nommer(new QPushButton(QStringLiteral("Impr."), this), "imprimerdirect");
  imprimerdirect->setToolTip(QStringLiteral("Imprimer ce tableau"));
  for (QPushButton* b : {cmdok, imprimerdirect}) b->setAutoDefault(false);
  auto* haut = new QHBoxLayout;
  haut->addWidget(Etiquette3);
  haut->addSpacing(24);
  haut->addWidget(Etiquette4);
  haut->addStretch();
  haut->addWidget(imprimerdirect);
  haut->addWidget(cmdok);
  auto* tout = new QVBoxLayout(this);
  tout->addLayout(haut);
  tout->addWidget(grille1, 1);
  connect(cmdok, &QPushButton::clicked, this, [this] { cmdok_Click(); });
  connect(imprimerdirect, &QPushButton::clicked, this, [this] { imprimerdirect_Click(); });
}

void FenetreTotaux::adapterauformat() {
  liretailleécran();
  if (état().tailleécran == 1024) {
    resize(10000 / partwip, 10000 / partwip);
    grille1->setMinimumSize(10000 / partwip - 20, 9500 / partwip - 80);
  } else {
    resize(9585 / partwip, 8625 / partwip);
    grille1->setMinimumSize(9495 / partwip - 20, 7575 / partwip - 80);
  }
}

void FenetreTotaux::casecouleur(const QString& texte, double maximum) {
  grille1->CellForeColor(couleurtotal(texte, maximum));
  grille1->Text(texte);
}

void FenetreTotaux::Form_Load() {
  ÉtatPartagé& é = état();
  const int c = é.classecourante;
  adapterauformat();
  Etiquette3->setText(QStringLiteral("Classe de ") + é.nomclasse[c]);
  Etiquette4->setText(QStringLiteral("Cours de ") + é.nomcours[c]);
  n_ = demanderdernièrepériode();
  boîtes().sablier(true);
  try {
    rassemblertotauxjusquà(n_);
  } catch (...) {
    boîtes().sablier(false);
    throw;
  }
  préparergrille();
  grille1->Visible(false);
  for (int i = 1; i <= é.nbélèves; ++i) remplirélève(i);
  grille1->Row(std::min(2, grille1->Rows() - 1));
  grille1->Col(1);
  grille1->Visible(true);
  boîtes().sablier(false);
  centrer();
}

void FenetreTotaux::préparergrille() {
  const ÉtatPartagé& é = état();
  const int E = examens(), Ep = E > 0 ? 1 : 0, n = n_;
  maxtotal_ = n * é.maxpériode + sommemaxexamens();
  Grille& g = *grille1;
  g.Rows(1);
  g.Cols(1);
  g.Rows(é.nbélèves + 2);
  g.Cols(n + E + Ep + 5);
  g.FixedRows(2);
  g.FixedCols(1);
  const auto entête = [&](int colonne, const QString& haut, const QString& bas, int largeur) {
    g.ColWidth(colonne, largeur);
    g.ColAlignment(colonne, alignementdroite);
    g.FixedAlignment(colonne, alignementcentre);
    g.Row(0);
    g.Col(colonne);
    g.Text(haut);
    g.Row(1);
    g.Text(bas);
  };
  entête(0, QString(), QString(), 300);
  entête(1, QString(), QStringLiteral("Noms et prénoms"), 2700);
  g.ColAlignment(1, alignementgauche);
  for (int p = 1; p <= n; ++p)
    entête(1 + p, QStringLiteral("Pér.%1").arg(p), QStringLiteral("/%1").arg(é.maxpériode), 600);
  for (int e = 1; e <= E; ++e)
    entête(1 + n + e, QStringLiteral("Exa.%1").arg(e), QStringLiteral("/%1").arg(maxexamen(e)), 600);
  entête(n + E + 2, QStringLiteral("Tot P."), QStringLiteral("/%1").arg(n * é.maxpériode), 600);
  if (E > 0) entête(n + E + 3, QStringLiteral("Tot E."), QStringLiteral("/%1").arg(sommemaxexamens()), 600);
  entête(n + E + Ep + 3, QStringLiteral("TOTAL"), QStringLiteral("/%1").arg(maxtotal_), 650);
  entête(n + E + Ep + 4, QString(), QString(), 550);
}

void FenetreTotaux::remplirélève(int i) {
  const ÉtatPartagé& é = état();
  const int E = examens(), Ep = E > 0 ? 1 : 0, n = n_;
  Grille& g = *grille1;
  int maxpropre = maxtotal_;
  g.Row(i + 1);
  g.Col(0);
  g.Text(QString::number(i));
  g.Col(1);
  g.Text(é.nomélève[i]);
  const auto total = [&](int colonne, const QString& texte, const char* motif, int maximum) {
    g.Col(colonne);
    if (absent(texte)) {
      casecouleur(manquant, 0);
      maxpropre -= maximum;
    } else {
      casecouleur(u' ' + formatvirgule(val(texte), QString::fromLatin1(motif)), maximum);
    }
  };
  for (int p = 1; p <= n; ++p) total(1 + p, é.totauxrapport1(i, p), "#0.0", é.maxpériode);
  for (int e = 1; e <= E; ++e) total(1 + n + e, é.totauxrapport2(i, e), "##0.0", maxexamen(e));
  const QString& sommeP = é.totauxrapport3[i];
  const QString& sommeE = é.totauxrapport4[i];
  const auto somme = [&](int colonne, const QString& texte, int maximum) {
    g.Col(colonne);
    if (!texte.startsWith(u'?'))
      casecouleur(u' ' + formatvirgule(val(texte), u"##0.0"), maximum);
    else
      casecouleur(maxpropre == 0 ? QString() : texte + u'?', 0);
  };
  somme(n + E + 2, sommeP, n * é.maxpériode);
  if (E > 0) somme(n + E + 3, sommeE, sommemaxexamens());
  const bool incomplet = sommeP.startsWith(u'?') || sommeE.startsWith(u'?');
  g.Col(n + E + Ep + 3);
  const double t = incomplet ? valeursansigne(sommeP) + valeursansigne(sommeE) : val(sommeP) + val(sommeE);
  if (!incomplet)
    casecouleur(u' ' + formatvirgule(t, u"##0.0"), maxtotal_);
  else
    casecouleur(u'?' + sansblancs(str(t)) + (E > 0 ? QStringLiteral("?") : QString()), 0);
  // Sans maximum (chaque période et chaque examen manque), pas de pourcentage.
  const int sur = incomplet ? maxpropre : maxtotal_;
  g.Col(n + E + Ep + 4);
  casecouleur(sur == 0 ? QString() : formatvirgule(t / sur * 100, u"###") + u'%', 100);
}

// Les en-têtes en mots, comme ceux de la feuille de cotes : « période 2 sur 20 ».
ModeleGrille::TexteEntête FenetreTotaux::entêtedite(Qt::Orientation sens, int section) const {
  const ÉtatPartagé& é = état();
  if (sens == Qt::Vertical) return {section >= 2 && section - 1 <= é.nbélèves ? é.nomélève[section - 1] : QString(), QString()};
  const int E = examens(), Ep = E > 0 ? 1 : 0, n = n_;
  const QString sur = grille1->modèle().cellule(1, section).texte.mid(1);  // « /20 »
  if (section == 0) return {QStringLiteral("numéro de l'élève"), QString()};
  if (section == 1) return {QStringLiteral("élève"), QString()};
  if (section <= 1 + n) return {QStringLiteral("période %1 sur %2").arg(section - 1).arg(sur), QString()};
  if (section <= 1 + n + E) return {QStringLiteral("examen %1 sur %2").arg(section - 1 - n).arg(sur), QString()};
  if (section == n + E + 2) return {QStringLiteral("total des périodes sur %1").arg(sur), QString()};
  if (Ep && section == n + E + 3) return {QStringLiteral("total des examens sur %1").arg(sur), QString()};
  if (section == n + E + Ep + 3) return {QStringLiteral("total sur %1").arg(sur), QString()};
  return {QStringLiteral("pour cent du total"), QString()};
}

void FenetreTotaux::cmdok_Click() { fermer(); }

void FenetreTotaux::imprimerdirect_Click() {
  imprimerimagegrille(Etiquette3->text() + QStringLiteral(" - ") + Etiquette4->text() + QStringLiteral(" - TOTAUX"),
                      grille1->Picture());
}
