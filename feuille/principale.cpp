#include "feuille/principale.h"

#include "feuille/interro.h"

#include <QCloseEvent>
#include <QCursor>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "noyau/base/dossiers.h"
#include "noyau/base/etat.h"
#include "noyau/base/module.h"
#include "noyau/base/piege.h"
#include "noyau/fichiers/listeclasses.h"
#include "noyau/fichiers/notesclasse.h"
#include "noyau/fichiers/renseignements.h"
#include "noyau/regles/maintenance.h"
#include "noyau/regles/resultats.h"
#include "noyau/regles/saisienote.h"
#include "noyau/suivi/amovible.h"
#include "noyau/suivi/historique.h"
#include "plateforme/fichiers.h"
#include "plateforme/imprimante.h"
#include "plateforme/nombres.h"
#include "plateforme/services.h"

// Pendant le groupement par compétence, ces commandes sont refusées avec leur message.
bool FenetrePrincipale::refusésigroupage(const QString& texte, const QString& titre) {
  if (!groupageactif) return false;
  avertissement(texte, titre);
  return true;
}

FenetrePrincipale::FenetrePrincipale() {
  setObjectName(QStringLiteral("principale"));
  setWindowFlag(Qt::WindowMaximizeButtonHint, true);
  setSizeGripEnabled(true);
  auto* tout = new QVBoxLayout(this);
  tout->setContentsMargins(4, 0, 4, 4);
  construiremenus(tout);
  construirebarre();
  tout->addWidget(Toolbar1);

  onglets = new QTabBar(this);
  onglets->setObjectName(QStringLiteral("onglets"));
  onglets->setExpanding(false);
  onglets->setDrawBase(false);
  tout->addWidget(onglets);

  auto* entête = new QHBoxLayout;
  Etiquette3 = new QLabel(this);
  Etiquette4 = new QLabel(this);
  Etiquette5 = new QLabel(this);
  for (QLabel* l : {Etiquette3, Etiquette4, Etiquette5}) {
    QFont f = l->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.15);
    l->setFont(f);
    entête->addWidget(l);
    entête->addSpacing(18);
  }
  Etiquette3->setObjectName(QStringLiteral("Etiquette3"));
  Etiquette4->setObjectName(QStringLiteral("Etiquette4"));
  Etiquette5->setObjectName(QStringLiteral("Etiquette5"));
  const char* clés[] = {"P1", "P2", "P3", "E1", "E2"};
  for (int i = 0; i < 5; ++i) {
    boutonpériode[i] = new QPushButton(QString::fromLatin1(clés[i]), this);
    boutonpériode[i]->setObjectName(QStringLiteral("boutonpériode%1").arg(i));
    boutonpériode[i]->setAutoDefault(false);
    boutonpériode[i]->setFixedWidth(40);
    boutonpériode[i]->setAccessibleDescription((i < 3 ? QStringLiteral("Période %1") : QStringLiteral("Examen %1")).arg(i < 3 ? i + 1 : i - 2));
    boutonpériode[i]->hide();
    entête->addWidget(boutonpériode[i]);
    connect(boutonpériode[i], &QPushButton::clicked, this, [this, i] { boutonpériode_Click(i); });
  }
  entête->addStretch();
  étiqnom = new QListWidget(this);
  étiqnom->setObjectName(QStringLiteral("étiqnom"));
  étiqnom->setFixedSize(260, 24);
  étiqnom->setFocusPolicy(Qt::TabFocus);
  étiqnom->setAccessibleName(QStringLiteral("Élève de la ligne courante"));
  entête->addWidget(étiqnom);
  tout->addLayout(entête);

  étiqsauve = new QLabel(QStringLiteral("Sauvegarde en cours de"), this);
  étiqsauve->setObjectName(QStringLiteral("étiqsauve"));
  étiqsauve->hide();
  tout->addWidget(étiqsauve);

  grille1 = new Grille(this);
  grille1->setObjectName(QStringLiteral("grille1"));
  tout->addWidget(grille1, 1);
  QWidget* précédent = grille1;
  for (QWidget* w : std::initializer_list<QWidget*>{boutonpériode[0], boutonpériode[1], boutonpériode[2], boutonpériode[3],
                                                    boutonpériode[4], onglets, étiqnom}) {
    setTabOrder(précédent, w);
    précédent = w;
  }

  connect(onglets, &QTabBar::tabBarClicked, this, [this](int i) { onglets_Click(i); });
  // Au clavier, les flèches choisissent l'onglet : sa classe s'ouvre comme au clic (après
  // un clic, l'onglet est déjà celui de la classe : rien de plus).
  connect(onglets, &QTabBar::currentChanged, this, [this](int i) { onglets_Click(i); });
  grille1->Click = [this] { grille1_Click(); };
  grille1->RowColChange = [this] { grille1_Click(); };
  grille1->DblClick = [this] { grille1_DblClick(); };
  grille1->KeyDown = [this](int code, int shift) { grille1_KeyDown(code, shift); };
  grille1->Frappe = [this](const QString& texte) { return frappedanslagrille(texte); };
  grille1->FinÉdition = [this](const QString& texte, int touche) { return finédition(texte, touche); };
  grille1->Copier = [this] { copiercellule(); };
  grille1->Coller = [this] { collernotes(); };
  grille1->MouseDown = [this](int bouton, int, double, double) { grille1_MouseDown(bouton); };
  grille1->Bulle([this](int ligne, int colonne) { return bulle(ligne, colonne); });
  grille1->TexteAccessible([this](int ligne, int colonne) { return texteaccessible(ligne, colonne); });
  grille1->DescriptionAccessible([this](int ligne, int colonne) { return descriptioncourte(ligne, colonne); });
  grille1->EntêteAccessible([this](Qt::Orientation o, int section) { return entêteaccessible(o, section); });
}

// Au clavier, la feuille s'ouvre dans la grille ; Tab en sort vers les périodes,
// les classes et la case du nom, puis y revient.
void FenetrePrincipale::showEvent(QShowEvent* e) {
  Fenetre::showEvent(e);
  grille1->SetFocus();
}

void FenetrePrincipale::Form_Load() {
  ÉtatPartagé& é = état();
  if (é.nbcompétences() == 1) groupageactif = false;
  é.étatdémarrage.clear();
  adapterauformat();
  const QSignalBlocker bloqueur(onglets);
  while (onglets->count() > 0) onglets->removeTab(0);
  for (int i = 1; i <= é.listeclassesaffichées.borne() && i <= é.nbclasses; ++i) {
    onglets->addTab(é.listeclassesaffichées[i]);
    onglets->setTabToolTip(i - 1, é.nomcours[i]);
  }
  onglets->setCurrentIndex(é.classecourante - 1);
  const int c = é.classecourante;
  for (int i = 0; i < 5; ++i) boutonpériode[i]->hide();
  for (int i = 1; i <= std::min(é.dernièrepériode[c], 3); ++i) boutonpériode[i - 1]->show();
  for (int i = 1; i <= std::min(é.nbexamenscréés[c], 2); ++i) boutonpériode[i + 2]->show();
  setWindowTitle(QStringLiteral("Programme de cotation - ") + ligneversion());
  Etiquette3->setText(QStringLiteral("Classe de ") + é.nomclasse[c]);
  Etiquette4->setText(QStringLiteral("Cours de ") + é.nomcours[c]);
  Etiquette5->setText((é.périodecourante.startsWith(u'P') ? QStringLiteral("Période n°") : QStringLiteral("Examen n°")) +
                      é.périodecourante.mid(1));
  grille1->setAccessibleName(QStringLiteral("Feuille de cotes : %1, %2, %3")
                                 .arg(Etiquette3->text(), Etiquette4->text(), Etiquette5->text()));
  // La cellule courante reste celle où l'on travaillait.
  const int ligne = grille1->Row(), colonne = grille1->Col();
  préparergrille();
  remplirgrille();
  // La vue groupée reste groupée après chaque changement : la grille montrée
  // s'accorde toujours avec la coche du menu.
  if (groupageactif) grouperparcompétences();
  bouton12->setChecked(groupageactif);
  menugrouper->setChecked(groupageactif);
  grille1->Row(ligne < 3 ? 3 : ligne);
  grille1->Col(colonne < 1 ? 1 : colonne);
  afficherélèvecourant();
}

int FenetrePrincipale::colonneprép() const {
  const ÉtatPartagé& é = état();
  return é.nbcompétences() + é.nbinterros + é.nborales + 3;
}

void FenetrePrincipale::préparergrille() {
  const ÉtatPartagé& é = état();
  const int E = é.nbinterros, O = é.nborales, C = é.nbcompétences(), N = é.nbélèves;
  const int P = é.préparations ? 1 : 0;
  Grille& g = *grille1;
  g.Visible(false);
  g.Cols(1);
  g.Rows(1);
  g.Cols(C + E + O + 3 + P + (E + O > 14 ? 1 : 0));
  g.Rows(C + N + 7);
  g.FixedRows(3);
  g.FixedCols(1);
  const auto entête = [&](int colonne, const QString& l0, const QString& l1, const QString& l2) {
    g.Col(colonne);
    g.Row(0);
    g.Text(l0);
    g.Row(1);
    g.Text(l1);
    g.Row(2);
    g.Text(l2);
  };
  g.ColWidth(0, 300);
  g.FixedAlignment(0, alignementcentre);
  g.ColWidth(1, 2800);
  g.ColAlignment(1, alignementgauche);
  entête(1, QString(), QStringLiteral("Noms et prénoms"), QString());
  for (int k = 1; k <= E; ++k) {
    const int col = k + 1;
    g.ColWidth(col, 500);
    g.ColAlignment(col, alignementdroite);
    g.FixedAlignment(col, alignementcentre);
    entête(col, QStringLiteral("N°") + QString::number(é.premièreinterro + k - 1),
           QStringLiteral("/") + QString::number(é.maxinterro[k]), QStringLiteral("(C%1)").arg(é.compétenceinterro[k]));
  }
  for (int j = 1; j <= O; ++j) {
    const int col = E + 1 + j;
    g.ColWidth(col, 1000);
    g.ColAlignment(col, alignementcentre);
    entête(col, QStringLiteral("Or") + str(j), QString(), QString());
  }
  const int moy = E + O + 2;
  g.ColWidth(moy, 600);
  g.ColAlignment(moy, alignementdroite);
  g.FixedAlignment(moy, alignementcentre);
  entête(moy, QStringLiteral("MOY"), QStringLiteral("/") + str(é.maxcourant), QString());
  for (int c = 1; c <= C; ++c) {
    g.ColWidth(moy + c, 600);
    entête(moy + c, QStringLiteral("TotC%1").arg(c), QStringLiteral(" en %"), QString());
  }
  if (P) {
    g.ColWidth(colonneprép(), 600);
    entête(colonneprép(), QStringLiteral(" Prép."), QStringLiteral(" N.F."), QString());
  }
  if (E + O > 14) {
    const int dernière = g.Cols() - 1;
    g.ColWidth(dernière, 2800);
    entête(dernière, QString(), QStringLiteral("Noms et prénoms"), QString());
  }
}

void FenetrePrincipale::casecouleur(const QString& texte, double maximum) {
  grille1->CellForeColor(couleurdenote(texte, maximum));
  grille1->Text(texte);
}

void FenetrePrincipale::écrirenote(int s, int k) {
  const ÉtatPartagé& é = état();
  grille1->Row(s + 2);
  grille1->Col(k + 1);
  const QString& note = é.noteinterro(s, k);
  if (note.isEmpty())
    grille1->Text(QString());
  else
    casecouleur(présenternote(note), é.maxinterro[k]);
}

// Le résultat de l'élève et ses pourcentages par compétence.
void FenetrePrincipale::écrirerésultats(int s) {
  const ÉtatPartagé& é = état();
  const int moy = é.nbinterros + é.nborales + 2;
  grille1->Row(s + 2);
  grille1->Col(moy);
  casecouleur(présenternote(é.totalélève[s]), é.maxcourant);
  for (int c = 1; c <= é.nbcompétences(); ++c) {
    grille1->Col(moy + c);
    const int p = é.pourcentcompétence(s, c);
    if (p == -1)
      casecouleur(QStringLiteral("   ?"), 0);
    else
      casecouleur(QStringLiteral("  ") + format(p, u"000"), 100);
  }
}

// Moyenne et échecs du test k (k = nbinterros + 1 : ceux des résultats).
void FenetrePrincipale::écrirestatistiques(int k) {
  const ÉtatPartagé& é = état();
  const int E = é.nbinterros, N = é.nbélèves, colonne = k == E + 1 ? E + é.nborales + 2 : k + 1;
  grille1->Col(colonne);
  grille1->Row(N + 4);
  if (é.moyenneinterro[k] >= 0 || k == E + 1)
    casecouleur(présenternote(str(é.moyenneinterro[k])), k == E + 1 ? é.maxcourant : é.maxinterro[k]);
  else
    grille1->Text(QString());  // aucune note comptée
  grille1->Row(N + 5);
  grille1->Text(str(é.échecsinterro[k]) + QStringLiteral("  "));
}

void FenetrePrincipale::remplirgrille() {
  const ÉtatPartagé& é = état();
  const int E = é.nbinterros, O = é.nborales, C = é.nbcompétences(), N = é.nbélèves;
  Grille& g = *grille1;
  std::vector<int> plusétroit(static_cast<std::size_t>(O + 1), 0);
  for (int s = 1; s <= N; ++s) {
    g.Row(s + 2);
    g.Col(0);
    g.Text(QString::number(s));
    g.Col(1);
    g.Text(é.nomélève[s]);
    if (E + O > 14) {
      g.Col(g.Cols() - 1);
      g.Text(é.nomélève[s]);
    }
    for (int k = 1; k <= E; ++k) écrirenote(s, k);
    for (int j = 1; j <= O && j <= é.nbnotesorales[s]; ++j) {
      g.Col(E + 1 + j);
      const QString texte = présenternote(str(é.noteorale(s, j)) + u'/' + str(é.maxorale(s, j)).trimmed());
      casecouleur(texte, é.maxorale(s, j));
      plusétroit[static_cast<std::size_t>(j)] = std::max(plusétroit[static_cast<std::size_t>(j)], static_cast<int>(texte.size()));
    }
    écrirerésultats(s);
    if (é.préparations) {
      g.Col(colonneprép());
      g.Text(QStringLiteral("   ") + format(é.préparationsnonfaites[s], u"00"));
    }
  }
  if (E + O > 0) {
    g.Row(N + 4);
    g.Col(1);
    g.Text(QStringLiteral("    Moyenne de la classe"));
    g.Row(N + 5);
    g.Col(1);
    g.Text(QStringLiteral("       Nombre d'échecs"));
    for (int k = 1; k <= E + 1; ++k) écrirestatistiques(k);
  }
  for (int c = 1; c <= C; ++c) {
    g.Row(N + 6 + c);
    g.Col(1);
    g.Text(QStringLiteral("C%1 = ").arg(c) + é.listecompétences[c]);
  }
  g.Visible(true);
  for (int j = 1; j <= O; ++j) g.ColWidth(E + 1 + j, 100 * plusétroit[static_cast<std::size_t>(j)]);
  g.ajusterlargeurs();
  colonnecourante = 1000;
}

void FenetrePrincipale::adapterauformat() {
  liretailleécran();
  const ÉtatPartagé& é = état();
  const int partwip = 15;  // twips par pixel à 96 points par pouce
  if (é.tailleécran == 1024) {
    resize(15300 / partwip, 11000 / partwip);
    grille1->setMinimumSize(15300 / partwip - 20, 9000 / partwip - 140);
  } else {
    resize(12200 / partwip, 8760 / partwip);
    grille1->setMinimumSize(11910 / partwip - 20, 6800 / partwip - 140);
  }
}

void FenetrePrincipale::boutonpériode_Click(int index) {
  const char* clés[] = {"P1", "P2", "P3", "E1", "E2"};
  état().étatdémarrage = QString::fromLatin1(clés[index]);
  fermer();
}

// La période (ou l'examen) d'à côté parmi ceux de la classe, au clavier comme par
// ses boutons ; rien au bout de la liste.
void FenetrePrincipale::périodevoisine(int sens) {
  const char* clés[] = {"P1", "P2", "P3", "E1", "E2"};
  int i = 0;
  while (i < 5 && état().périodecourante != QLatin1String(clés[i])) ++i;
  for (int j = i + sens; j >= 0 && j < 5; j += sens)
    if (!boutonpériode[j]->isHidden()) {
      boutonpériode_Click(j);
      return;
    }
}

void FenetrePrincipale::onglets_Click(int onglet) {
  ÉtatPartagé& é = état();
  if (onglet < 0 || onglet + 1 == é.classecourante) return;
  é.classecourante = onglet + 1;
  fixerpériodecourante(u'P', é.dernièrepériode[é.classecourante]);
  é.étatdémarrage = é.périodecourante;
  fermer();
}

void FenetrePrincipale::mnunouvie_Click() {
  ÉtatPartagé& é = état();
  if (refusésigroupage(QStringLiteral("Impossible d'ajouter une interrogation lorsque l'affichage est en mode 'grouper les "
                                 "compétences'.  Veuillez d'abord désactiver cette fonction."), titregroupage)) return;
  const int maximum = demandermaximum(str(é.premièreinterro + é.nbinterros));
  if (maximum == 0) return;
  const int n = é.nbinterros + 1;
  é.maxinterro.redimconserver(std::max(é.maxinterro.borne(), n));
  é.dateinterro.redimconserver(std::max(é.dateinterro.borne(), n));
  é.matièreinterro.redimconserver(std::max(é.matièreinterro.borne(), n));
  if (é.noteinterro.borne2() < n) é.noteinterro.redimconserver(é.nbélèves + 1, n);
  é.numérointerro = n;
  é.maxinterro[n] = maximum;
  é.dateinterro[n].clear();
  é.matièreinterro[n].clear();
  for (int s = 1; s <= é.nbélèves; ++s) é.noteinterro(s, n).clear();
  montrermodale(QStringLiteral("fenêtreinterro"));
  if (é.maxinterro[n] == 0) return;
  é.nbinterros = n;
  é.pourcentcompétence.redim(é.nbélèves + 1, é.nbcompétences());
  for (int s = 1; s <= é.nbélèves; ++s) {
    reconstruireligne(s);
    if (!calculersansvaleurabîmée([s] { calculerrésultats(s); }, s)) return;
  }
  {
    const ChangementNommé changement(QStringLiteral("nouvelle interro n°%1").arg(é.premièreinterro + n - 1));
    if (sauverclasseetinterros()) chargerclasse();
  }
  Form_Load();
  grille1->SetFocus();
}

void FenetrePrincipale::corrint_Click() {
  ÉtatPartagé& é = état();
  if (refusésigroupage(QStringLiteral("Pour pouvoir éditer un nom ou une note, il faut d'abord décocher la case <grouper les "
                                 "compétences>."), titreimpossible)) return;
  const int k = colonnecourante - 1;
  if (k < 1 || k > é.nbinterros) {
    avertissement(QStringLiteral("Cliquez d'abord sur une case de l'interrogation ECRITE à corriger"),
                  QStringLiteral("Pas d'interrogation écrite sélectionnée."));
    return;
  }
  é.numérointerro = k;
  const int gardé = é.maxinterro[k];
  montrermodale(QStringLiteral("fenêtreinterro"));
  if (é.maxinterro[k] == 0) {
    é.maxinterro[k] = gardé;
    return;
  }
  for (int s = 1; s <= é.nbélèves; ++s) {
    if (!calculersansvaleurabîmée([s] { calculerrésultats(s); }, s)) return;
    reconstruireligne(s);
  }
  const ChangementNommé changement(QStringLiteral("interro n°%1 corrigée").arg(é.premièreinterro + k - 1));
  if (sauverclasseetinterros()) découperetstatistiques();
  Form_Load();
  grille1->SetFocus();
}

void FenetrePrincipale::mnuouvclas_Click() {
  fermer();
}

void FenetrePrincipale::mnuquitter_Click() {
  const auto montrercopie = [this](const QString& nom) {
    grille1->hide();
    étiqsauve->setText(QStringLiteral("Sauvegarde en cours de ") + nom);
    étiqsauve->show();
    étiqsauve->repaint();
  };
  if (!sauvegardedesortieprincipale(montrercopie)) {
    étiqsauve->hide();
    grille1->show();
    return;
  }
  const QString avant = état().imprimantechoisie;
  if (!avant.isEmpty() && services().imprimantes) imprimantes().choisir(avant);
  terminerleprogramme();
}

void FenetrePrincipale::menucomp_Click() {
  const ChangementNommé changement(QStringLiteral("compétences de la classe"));
  montrermodale(QStringLiteral("fcompétences"));
  découperetstatistiques();
  Form_Load();
}

void FenetrePrincipale::menudéfaut_Click() {
  ÉtatPartagé& é = état();
  const QString année = é.annéescolaire, affichée = é.annéeaffichée;
  montrermodale(QStringLiteral("renseignementspardéfaut"));
  if (é.annéescolaire != année) {
    é.annéescolaire = année;
    é.annéeaffichée = affichée;
  }
}

void FenetrePrincipale::textmatrecap_Click() { montrermodale(QStringLiteral("éditeurremarques")); }

void FenetrePrincipale::closeEvent(QCloseEvent* e) {
  // Fermer la feuille par son cadre revient à "Ouvrir une classe".
  e->accept();
  Fenetre::closeEvent(e);
}
