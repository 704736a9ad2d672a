#include "feuille/interro.h"

#include <QCloseEvent>
#include <QAbstractItemView>
#include <QGridLayout>
#include <QLocale>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "impression/misesenpage.h"
#include "noyau/base/etat.h"
#include "noyau/base/module.h"
#include "noyau/base/portetexte.h"
#include "noyau/regles/saisienote.h"
#include "noyau/regles/statistiques.h"
#include "plateforme/imprimante.h"
#include "plateforme/nombres.h"
#include "plateforme/couleurs.h"
#include "plateforme/qt/annonce.h"
#include "plateforme/services.h"

namespace {

const QString sanscompétence = QStringLiteral("N'oubliez pas de choisir le type de compétence");

bool absent(const QString& t) {
  return t == QStringLiteral("A") || t == QStringLiteral("NC") || sansblancs(t) == QStringLiteral("?");
}

// Les nombres seulement affichés prennent la virgule française.
QString affiché(double v) { return str(v).trimmed().replace(u'.', u','); }

}  // namespace

FenetreInterro::FenetreInterro() {
  setWindowTitle(QStringLiteral("Interrogation écrite"));
  setObjectName(QStringLiteral("fenêtreinterro"));
  Etiquette3 = nommer(new QLabel(QStringLiteral("Interrogation écrite n°"), this), "Etiquette3");
  numérointerro = nommer(new QLabel(this), "numérointerro");
  QFont grand = Etiquette3->font();
  grand.setBold(true);
  grand.setPointSizeF(grand.pointSizeF() * 1.3);
  Etiquette3->setFont(grand);
  numérointerro->setFont(grand);
  cmddate = nommer(new QPushButton(QStringLiteral("&Date"), this), "cmddate");
  dateinterrogation = nommer(new QLabel(this), "dateinterrogation");
  affichedate = nommer(new QCalendarWidget(this), "affichedate");
  affichedate->setGridVisible(true);
  affichedate->hide();
  cmdmatière = nommer(new QPushButton(QStringLiteral("&Matière"), this), "cmdmatière");
  matièreinterrogation = nommer(new QLabel(this), "matièreinterrogation");
  Label1 = nommer(new QLabel(QStringLiteral("Compétence utilisée :"), this), "Label1");
  choixcompétence = nommer(new QComboBox(this), "choixcompétence");
  choixcompétence->setPlaceholderText(sanscompétence);
  choixcompétence->setMinimumWidth(280);
  Command1 = nommer(new QPushButton(QStringLiteral("Interro notée &sur :"), this), "Command1");
  maximum = nommer(new QLabel(this), "maximum");
  prop = nommer(new QCheckBox(QStringLiteral("Conserver les proportions"), this), "prop");
  tableau = nommer(new Grille(this), "tableau");
  cmdnotes = nommer(new QPushButton(QStringLiteral("&Notes"), this), "cmdnotes");
  cmdok = nommer(new QPushButton(QStringLiteral("OK"), this), "cmdok");
  cmdannuler = nommer(new QPushButton(QStringLiteral("&Annuler"), this), "cmdannuler");
  cmdimprimer = nommer(new QPushButton(QStringLiteral("Imprimer le tableau de résultats"), this), "cmdimprimer");
  étiqmeilleure = nommer(new QLabel(this), "étiqmeilleure");
  étiqmauvaise = nommer(new QLabel(this), "étiqmauvaise");
  étiqmoyenne = nommer(new QLabel(this), "étiqmoyenne");
  étiqéchecs = nommer(new QLabel(this), "étiqéchecs");
  étiqcomptées = nommer(new QLabel(this), "étiqcomptées");
  étiqmédiane = nommer(new QLabel(this), "étiqmédiane");
  étiqécarttype = nommer(new QLabel(this), "étiqécarttype");
  histogramme = nommer(new Histogramme(this), "histogramme");
  for (QPushButton* b : {cmddate, cmdmatière, Command1, cmdnotes, cmdok, cmdannuler, cmdimprimer}) b->setAutoDefault(false);
  nommerpourleslecteurs();

  auto* titre = new QHBoxLayout;
  titre->addWidget(Etiquette3);
  titre->addWidget(numérointerro);
  titre->addStretch();

  auto* données = new QGridLayout;
  données->addWidget(cmddate, 0, 0);
  données->addWidget(dateinterrogation, 0, 1);
  données->addWidget(cmdmatière, 1, 0);
  données->addWidget(matièreinterrogation, 1, 1);
  données->addWidget(Label1, 2, 0);
  données->addWidget(choixcompétence, 2, 1);
  données->addWidget(Command1, 3, 0);
  données->addWidget(maximum, 3, 1);
  données->addWidget(prop, 4, 0, 1, 2);
  données->addWidget(affichedate, 5, 0, 1, 2);
  données->setColumnStretch(1, 1);

  auto* résultats = new QGridLayout;
  const std::pair<const char*, QLabel*> lignes[] = {{"Meilleure note :", étiqmeilleure},
                                                    {"Moins bonne note :", étiqmauvaise},
                                                    {"Moyenne de la classe :", étiqmoyenne},
                                                    {"Nombre d'échec(s) :", étiqéchecs},
                                                    {"Notes comptées :", étiqcomptées},
                                                    {"Médiane :", étiqmédiane},
                                                    {"Écart type :", étiqécarttype}};
  int r = 0;
  for (const auto& [texte, étiquette] : lignes) {
    auto* légende = new QLabel(QString::fromUtf8(texte), this);
    légende->setBuddy(étiquette);  // la valeur est « étiquetée par » sa légende
    résultats->addWidget(légende, r, 0);
    résultats->addWidget(étiquette, r++, 1);
  }

  auto* gauche = new QVBoxLayout;
  gauche->addLayout(données);
  gauche->addLayout(résultats);
  gauche->addWidget(histogramme);
  gauche->addStretch();
  gauche->addWidget(cmdimprimer);

  auto* droite = new QVBoxLayout;
  droite->addWidget(tableau, 1);
  auto* boutons = new QHBoxLayout;
  boutons->addWidget(cmdnotes);
  boutons->addStretch();
  boutons->addWidget(cmdok);
  boutons->addWidget(cmdannuler);
  droite->addLayout(boutons);

  auto* corps = new QHBoxLayout;
  corps->addLayout(gauche, 2);
  corps->addLayout(droite, 3);
  auto* tout = new QVBoxLayout(this);
  tout->addLayout(titre);
  tout->addLayout(corps, 1);
  resize(980, 600);

  connect(cmddate, &QPushButton::clicked, this, [this] { cmddate_Click(); });
  connect(affichedate, &QCalendarWidget::clicked, this, [this](const QDate& d) { affichedate_Click(d); });
  connect(affichedate, &QCalendarWidget::activated, this, [this](const QDate& d) { affichedate_Click(d); });
  connect(cmdmatière, &QPushButton::clicked, this, [this] { cmdmatière_Click(); });
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  connect(cmdnotes, &QPushButton::clicked, this, [this] { cmdnotes_Click(); });
  connect(cmdok, &QPushButton::clicked, this, [this] { cmdok_Click(); });
  connect(cmdannuler, &QPushButton::clicked, this, [this] { cmdannuler_Click(); });
  connect(cmdimprimer, &QPushButton::clicked, this, [this] { cmdimprimer_Click(); });
  tableau->Click = [this] { tableau_Click(); };
}

// Ce que disent les lecteurs d'écran : la liste des compétences et le calendrier
// nommés par leur légende, le choix d'une date dit en entier, chaque note avec son
// élève et son maximum, les en-têtes du tableau en mots.
void FenetreInterro::nommerpourleslecteurs() {
  Label1->setBuddy(choixcompétence);
  affichedate->setAccessibleName(QStringLiteral("Date de l'interrogation"));
  if (auto* jours = affichedate->findChild<QAbstractItemView*>())
    jours->setAccessibleName(QStringLiteral("Date de l'interrogation, jours du mois"));
  connect(affichedate, &QCalendarWidget::selectionChanged, this, [this] {
    if (affichedate->isVisible()) direauxlecteurs(QLocale().toString(affichedate->selectedDate(), QStringLiteral("dddd d MMMM yyyy")));
  });
  tableau->setAccessibleName(QStringLiteral("Notes de l'interrogation"));
  tableau->EntêteAccessible([](Qt::Orientation sens, int section) -> ModeleGrille::TexteEntête {
    static const QString colonnes[] = {QStringLiteral("numéro de l'élève"), QStringLiteral("élève"), QStringLiteral("note"),
                                       QStringLiteral("maximum")};
    if (sens == Qt::Horizontal) return {section < 4 ? colonnes[section] : QString(), QString()};
    const int s = section + 1;
    return {s <= état().nbélèves ? état().nomélève[s].trimmed() : QString(), QString()};
  });
  tableau->TexteAccessible([this](int ligne, int colonne) {
    const int s = ligne + 1;
    if (colonne != 2 || s > état().nbélèves) return QString();
    const ModeleGrille::Cellule& c = tableau->modèle().cellule(ligne, colonne);
    QString valeur = valeurdite(c.texte);
    if (valeur == c.texte.trimmed()) valeur += QStringLiteral(" sur %1").arg(maximumcourant());
    if (c.avant == rouge) valeur += QStringLiteral(", sous la moitié");
    return QStringLiteral("%1, note : %2").arg(état().nomélève[s].trimmed(), valeur);
  });
}

int FenetreInterro::maximumcourant() const { return état().maxinterro[état().numérointerro]; }

void FenetreInterro::Form_Load() {
  ÉtatPartagé& é = état();
  const int n = é.numérointerro;
  terminée_ = false;
  affichedate->hide();
  affichedate->setSelectedDate(horloge().aujourdhui());
  for (QLabel* l : {étiqmeilleure, étiqmauvaise, étiqmoyenne, étiqéchecs}) l->clear();
  tableau->Visible(false);
  tableau->Cols(1);
  tableau->Rows(1);
  tableau->Cols(4);
  tableau->Rows(std::max(é.nbélèves, 1));
  tableau->FixedRows(0);
  tableau->FixedCols(1);
  tableau->ColWidth(0, 300);
  tableau->FixedAlignment(0, alignementcentre);
  tableau->ColWidth(1, 3100);
  tableau->ColAlignment(1, alignementgauche);
  tableau->ColWidth(2, 600);
  tableau->ColWidth(3, 600);
  notesinterro = QStringList(é.nbélèves + 1, QString());
  dateinterrogation->setText(é.dateinterro[n].isEmpty() ? QStringLiteral("?") : é.dateinterro[n]);
  matièreinterrogation->setText(é.matièreinterro[n].isEmpty() ? QStringLiteral("?") : é.matièreinterro[n]);
  numérointerro->setText(str(é.premièreinterro + n - 1));
  maximum->setText(QString::number(maximumcourant()));
  choixcompétence->clear();
  for (int c = 1; c <= é.nbcompétences(); ++c)
    if (!é.listecompétences[c].startsWith(QStringLiteral("000"))) choixcompétence->addItem(é.listecompétences[c]);
  choixcompétence->setCurrentIndex(é.nbcompétences() == 1 ? 0 : -1);
  if (n <= é.nbinterros && n <= é.compétenceinterro.borne()) {
    const int c = é.compétenceinterro[n];
    if (c >= 1 && c <= é.nbcompétences()) choixcompétence->setCurrentIndex(choixcompétence->findText(é.listecompétences[c]));
  }
  bool desnotes = false;
  for (int s = 1; s <= é.nbélèves; ++s) {
    notesinterro[s] = é.noteinterro(s, n);
    desnotes = desnotes || !notesinterro[s].isEmpty();
  }
  prop->setChecked(false);
  prop->setVisible(desnotes);
  listedesnotes();
  centrer();
}

void FenetreInterro::listedesnotes() {
  const ÉtatPartagé& é = état();
  const int max = maximumcourant();
  nbnotescomptées = é.nbélèves;
  meilleurenote = 0;
  moinsbonnenote = max;
  sommenotes = 0;
  nbéchecsinterro = 0;
  for (int s = 1; s <= é.nbélèves; ++s) {
    tableau->Row(s - 1);
    tableau->Col(0);
    tableau->Text(QString::number(s));
    tableau->Col(1);
    tableau->Text(é.nomélève[s].trimmed());
    tableau->Col(2);
    casecouleur(notesinterro[s].isEmpty() ? QStringLiteral("?") : notesinterro[s], max);
    tableau->Col(3);
    tableau->Text(QStringLiteral("/") + QString::number(max));
  }
  tableau->Visible(true);
  tableau->ajusterlargeurs();
  const StatistiquesTest stats = statistiquestest(notesinterro.mid(1, é.nbélèves), max);
  étiqcomptées->setText(QString::number(stats.comptées));
  étiqmédiane->setText(stats.comptées == 0 ? QString() : formatvirgule(stats.médiane, u"##0.0#"));
  étiqécarttype->setText(stats.comptées == 0 ? QString() : formatvirgule(stats.écarttype, u"##0.0#"));
  RépartitionGraphique r{stats.répartition, static_cast<double>(max), std::nullopt, std::nullopt, true};
  if (stats.comptées > 0) {
    r.moyenne = stats.moyenne;
    r.médiane = stats.médiane;
  }
  histogramme->répartition(r);
  if (nbnotescomptées == 0) return;
  étiqmeilleure->setText(affiché(meilleurenote));
  étiqmauvaise->setText(affiché(moinsbonnenote));
  étiqéchecs->setText(QString::number(nbéchecsinterro));
  étiqmoyenne->setText(formatvirgule(moyenneaudixième(sommenotes / nbnotescomptées), u"##0.0"));  // comme la grille
}

void FenetreInterro::casecouleur(QString t, int max) {
  if (absent(t)) {
    tableau->CellForeColor(bleu);
    --nbnotescomptées;
  } else {
    const double v = val(t);
    if (t != QStringLiteral("AI")) t = formatvirgule(v, u"##0.0");
    sommenotes += v;
    moinsbonnenote = std::min(moinsbonnenote, v);
    meilleurenote = std::max(meilleurenote, v);
    if (v < max / 2.0) {
      tableau->CellForeColor(rouge);
      ++nbéchecsinterro;
    } else {
      tableau->CellForeColor(noir);
    }
  }
  tableau->Text(t);
}

void FenetreInterro::cmddate_Click() {
  affichedate->show();
  affichedate->setFocus();
}

void FenetreInterro::affichedate_Click(const QDate& date) {
  dateinterrogation->setText(date.toString(QStringLiteral("dd/MM/yyyy")));
  affichedate->hide();
  cmdmatière->setFocus();
}

void FenetreInterro::cmdmatière_Click() {
  const QString matière = demandertexte(QStringLiteral("Entrer la matière de l'interrogation écrite"));
  matièreinterrogation->setText(matière.isEmpty() ? QStringLiteral("?") : matière);
  cmdnotes->setFocus();
}

void FenetreInterro::annulersansquestion() {
  état().maxinterro[état().numérointerro] = 0;
  terminée_ = true;
  fermer();
}

int demandermaximum(const QString& numéro) {
  for (;;) {
    const QString réponse = boîtes().saisie(QStringLiteral("L'interrogation écrite n°") + numéro + QStringLiteral(" est sur ?"),
                                            QStringLiteral("INTERROGATION ECRITE"), QString());
    if (réponse.isEmpty()) return 0;
    if (refusénonnombre(réponse, QStringLiteral("INTERROGATION ECRITE"))) continue;
    const double v = val(réponse);
    if (v >= 1 && v <= entiermax && v == std::floor(v)) return static_cast<int>(v);
  }
}

void FenetreInterro::Command1_Click() {
  ÉtatPartagé& é = état();
  const int nouveau = demandermaximum(numérointerro->text());
  if (nouveau == 0) {
    cmdannuler_Click();
    annulersansquestion();
    return;
  }
  const int ancien = maximumcourant();
  if (prop->isChecked()) {
    const double facteur = static_cast<double>(nouveau) / ancien;
    for (int s = 1; s <= é.nbélèves; ++s) {
      QString& note = notesinterro[s];
      if (absent(note)) continue;
      note = str(std::floor(2 * val(note) * facteur + 0.5) / 2).trimmed();
    }
  } else {
    for (int s = 1; s <= é.nbélèves; ++s) {
      if (val(notesinterro[s]) <= nouveau) continue;
      avertissement(QStringLiteral("La note de ") + é.nomélève[s] +
                        QStringLiteral(" est supérieure au nouveau maximum de l'interrogation (") + QString::number(nouveau) +
                        QStringLiteral("). Il est donc impossible de modifier ce dernier.  Changez d'abord les notes."),
                    QStringLiteral("A T T E N T I O N !!!"));
      return;
    }
  }
  é.maxinterro[é.numérointerro] = nouveau;
  maximum->setText(QString::number(nouveau));
  listedesnotes();
}

void FenetreInterro::cmdnotes_Click() {
  const ÉtatPartagé& é = état();
  for (int s = 1; s <= é.nbélèves; ++s) {
    if (!notesinterro[s].isEmpty()) continue;
    QString note;
    do {
      const QString réponse = demandernote(s);
      if (réponse.isEmpty()) {
        listedesnotes();
        return;
      }
      note = vérifiernote(réponse, maximumcourant());
    } while (note == QStringLiteral("ERREUR"));
    notesinterro[s] = note;
    tableau->Row(s - 1);
    tableau->Col(2);
    casecouleur(note, maximumcourant());
  }
  listedesnotes();
  cmdok->setFocus();
}

void FenetreInterro::tableau_Click() {
  const ÉtatPartagé& é = état();
  const int s = tableau->Row() + 1;
  if (s < 1 || s > é.nbélèves) return;
  QString défaut = notesinterro[s];
  for (;;) {
    const QString réponse = boîtes().saisie(
        QStringLiteral("Entrer la note de\n\n") + é.nomélève[s] +
            QStringLiteral("\n\nPour les nombres décimaux, il faut remplacer la virgule par un POINT !\n\nElève absent => "
                           "<A>\nElève en absence injustifiée => <AI>\nElève présent mais non coté => <NC>"),
        QStringLiteral("ENTRER UNE NOTE"), défaut);
    if (réponse.isEmpty()) return;
    const QString note = vérifiernote(réponse, maximumcourant());
    if (note == QStringLiteral("ERREUR")) {
      boîtes().bip();
      défaut = réponse;
      continue;
    }
    notesinterro[s] = note;
    listedesnotes();
    cmdnotes->setFocus();
    return;
  }
}

// Un nouveau test n'a pas encore de compétence : la liste repart de zéro quand
// la période n'a aucun test, car celle d'une autre période y est peut-être encore.
void FenetreInterro::préparercompétencenouvelle(int n) {
  ÉtatPartagé& é = état();
  if (é.nbinterros == 0)
    é.compétenceinterro.redim(n);
  else if (é.compétenceinterro.borne() < n)
    é.compétenceinterro.redimconserver(n);
  é.compétenceinterro[n] = 0;
}

void FenetreInterro::cmdok_Click() {
  ÉtatPartagé& é = état();
  const int n = é.numérointerro;
  if (n > é.nbinterros) préparercompétencenouvelle(n);
  for (int s = 1; s <= é.nbélèves; ++s)
    if (notesinterro[s].isEmpty()) {
      cmdnotes_Click();
      return;
    }
  const auto date = texteadmis(dateinterrogation->text(), GenreTexte::Libre);
  const auto matière = date ? texteadmis(matièreinterrogation->text(), GenreTexte::Libre) : std::nullopt;
  if (!matière) return;  // la fenêtre reste ouverte : le texte se corrige
  é.dateinterro[n] = *date;
  é.matièreinterro[n] = *matière;
  int compétence = 0;
  for (int c = 1; c <= é.nbcompétences() && compétence == 0; ++c)
    if (choixcompétence->currentIndex() >= 0 && é.listecompétences[c] == choixcompétence->currentText()) compétence = c;
  if (compétence == 0 && é.compétenceinterro[n] == 0) {
    avertissement(QStringLiteral("Il faut choisir la compétence évaluée"), QStringLiteral("Attention"));
    return;
  }
  if (compétence != 0) é.compétenceinterro[n] = compétence;
  for (int s = 1; s <= é.nbélèves; ++s) é.noteinterro(s, n) = notesinterro[s];
  terminée_ = true;
  fermer();
}

void FenetreInterro::cmdannuler_Click() {
  if (avertissement(QStringLiteral("Cliquer sur <Annuler> pour supprimer l'entrée de l'interrogation"),
                    QStringLiteral("ANNULATION")) == OK)
    return;
  annulersansquestion();
}

void FenetreInterro::cmdimprimer_Click() {
  const ÉtatPartagé& é = état();
  Imprimante& i = imprimantes().Printer();
  imprimertitresouligné(i, QStringLiteral("Classe : ") + é.nomclasse[é.classecourante] + QStringLiteral(" - ") +
                               Etiquette3->text() + numérointerro->text() + QStringLiteral(" du ") +
                               dateinterrogation->text());
  i.Print();
  i.Print({"  "}, Suite::PointVirgule);
  i.FontUnderline(true);
  i.Print({"Matière"}, Suite::PointVirgule);
  i.FontUnderline(false);
  i.Print({QStringLiteral(" : ") + matièreinterrogation->text()});
  i.Print();
  i.Print({"  "}, Suite::PointVirgule);
  i.FontUnderline(true);
  i.Print({"Moyenne"}, Suite::PointVirgule);
  i.FontUnderline(false);
  i.Print({QStringLiteral(" : ") + étiqmoyenne->text() + u'/' + maximum->text()});
  i.PaintPicture(tableau->Picture(), 120, 2600);
  finirdocument(i);
}

void FenetreInterro::closeEvent(QCloseEvent* e) {
  // Fermer par le cadre : une nouvelle interrogation est abandonnée, une correction
  // laisse l'interrogation telle qu'elle était (jamais des notes vides enregistrées).
  if (!terminée_) {
    état().maxinterro[état().numérointerro] = 0;
    terminée_ = true;
  }
  e->accept();
}
