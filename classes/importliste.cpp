#include "classes/importliste.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include "noyau/base/module.h"
#include "noyau/base/portetexte.h"
#include "noyau/sorties/classeur.h"
#include "plateforme/services.h"
#include "plateforme/erreurs.h"

namespace {

const QString titrefenêtre = QStringLiteral("Importer une liste d'élèves");
constexpr int lignesaperçu = 200;

QLabel* étiquette(const QString& texte, QWidget* pour, QWidget* parent) {
  auto* l = new QLabel(texte, parent);
  l->setBuddy(pour);
  return l;
}

QString marque(const NomImporté& n) {
  switch (n.sort) {
    case NomImporté::Gardé: return QString();
    case NomImporté::LettresProches: return QStringLiteral("   (lu : %1)").arg(n.lu);
    case NomImporté::BarreRemplacée: return QStringLiteral("   (« / » devient un tiret)");
    case NomImporté::TropLong: return QStringLiteral("   (trop long : pas ajouté)");
    case NomImporté::DéjàLà: return QStringLiteral("   (déjà dans la classe : pas ajouté)");
    case NomImporté::Distingué: return QStringLiteral("   (homonyme, lu : %1)").arg(n.lu);
  }
  return QString();
}

bool ajoutable(NomImporté::Sort s) { return s != NomImporté::TropLong && s != NomImporté::DéjàLà; }

void choisirdonnée(QComboBox* boîte, const QVariant& donnée) { boîte->setCurrentIndex(std::max(0, boîte->findData(donnée))); }

}  // namespace

QString filtreslistesélèves() {
  return QStringLiteral("Listes d'élèves (*.txt *.csv *.xlsx *.ods);;Fichiers élèves format texte) (*.txt);;"
                        "Tableaux CSV (*.csv);;Classeurs (*.xlsx *.ods);;Tous les fichiers (*.*) (*)");
}

FenetreImportListe::FenetreImportListe() {
  setObjectName(QStringLiteral("importliste"));
  setWindowTitle(titrefenêtre);
  encodage = nommer(new QComboBox(this), "encodage");
  encodage->addItem(QStringLiteral("UTF-8 avec marque (BOM)"), int(Encodage::Utf8AvecBom));
  encodage->addItem(QStringLiteral("UTF-8"), int(Encodage::Utf8));
  encodage->addItem(QStringLiteral("Windows-1252 (ANSI)"), int(Encodage::Windows1252));
  encodage->addItem(QStringLiteral("UTF-16 (texte Unicode)"), int(Encodage::Utf16));
  séparateur = nommer(new QComboBox(this), "séparateur");
  séparateur->addItem(QStringLiteral("Point-virgule ( ; )"), QStringLiteral(";"));
  séparateur->addItem(QStringLiteral("Virgule ( , )"), QStringLiteral(","));
  séparateur->addItem(QStringLiteral("Tabulation"), QStringLiteral("\t"));
  séparateur->addItem(QStringLiteral("Aucun : une seule colonne"), QString());
  premièreligne = nommer(new QSpinBox(this), "premièreligne");
  premièreligne->setMinimum(1);
  titres = nommer(new QCheckBox(QStringLiteral("Cette ligne porte les &titres des colonnes"), this), "titres");
  colonnenom = nommer(new QComboBox(this), "colonnenom");
  colonneprénom = nommer(new QComboBox(this), "colonneprénom");
  colonneclasse = nommer(new QComboBox(this), "colonneclasse");
  classe = nommer(new QComboBox(this), "classe");
  distinction = nommer(new QComboBox(this), "distinction");
  distinction->setToolTip(QStringLiteral("Deux élèves de même nom reçoivent entre parenthèses ce qui les distingue."));
  homonymesdelaclasse = nommer(
      new QCheckBox(QStringLiteral("Ajouter aussi, distingués, les élèves qui ont le &nom d'un élève de la classe"), this),
      "homonymesdelaclasse");
  préfixe = nommer(new QLineEdit(this), "préfixe");
  préfixe->setToolTip(QStringLiteral("Par exemple « [5B] » : les élèves venus d'une autre classe se rangent ensemble."));
  aperçu = nommer(new QTableWidget(this), "aperçu");
  aperçu->setTabKeyNavigation(false);  // Tab quitte la table, les flèches vont de case en case
  aperçu->setEditTriggers(QAbstractItemView::NoEditTriggers);
  aperçu->setAccessibleName(QStringLiteral("Aperçu du fichier"));
  élèves = nommer(new QListWidget(this), "élèves");
  élèves->setAccessibleName(QStringLiteral("Élèves qui seront ajoutés"));
  compte = nommer(new QLabel(this), "compte");
  auto* ok = nommer(new QPushButton(QStringLiteral("OK"), this), "cmdok");
  auto* annuler = nommer(new QPushButton(QStringLiteral("Annuler"), this), "cmdannuler");
  ok->setDefault(true);

  auto* réglages = new QFormLayout;
  réglages->addRow(étiquette(QStringLiteral("&Encodage :"), encodage, this), encodage);
  réglages->addRow(étiquette(QStringLiteral("&Séparateur :"), séparateur, this), séparateur);
  réglages->addRow(étiquette(QStringLiteral("Commencer à la &ligne :"), premièreligne, this), premièreligne);
  réglages->addRow(QString(), titres);
  réglages->addRow(étiquette(QStringLiteral("Colonne du &nom :"), colonnenom, this), colonnenom);
  réglages->addRow(étiquette(QStringLiteral("Colonne du &prénom :"), colonneprénom, this), colonneprénom);
  réglages->addRow(étiquette(QStringLiteral("Colonne de la cl&asse :"), colonneclasse, this), colonneclasse);
  réglages->addRow(étiquette(QStringLiteral("&Classe à importer :"), classe, this), classe);
  réglages->addRow(étiquette(QStringLiteral("Distinguer les &homonymes par :"), distinction, this), distinction);
  réglages->addRow(QString(), homonymesdelaclasse);
  réglages->addRow(étiquette(QStringLiteral("Caractère(s) &devant chaque nom :"), préfixe, this), préfixe);

  auto* droite = new QVBoxLayout;
  droite->addWidget(étiquette(QStringLiteral("Élè&ves qui seront ajoutés, dans l'ordre de la liste :"), élèves, this));
  droite->addWidget(élèves, 1);
  droite->addWidget(compte);
  auto* haut = new QHBoxLayout;
  haut->addLayout(réglages, 3);
  haut->addLayout(droite, 2);

  auto* boutons = new QHBoxLayout;
  boutons->addStretch();
  boutons->addWidget(ok);
  boutons->addWidget(annuler);
  auto* tout = new QVBoxLayout(this);
  tout->addLayout(haut);
  tout->addWidget(étiquette(QStringLiteral("Aperçu du fichier : les lignes de la classe choisie (en gris : les lignes qui ne sont pas des élèves) :"), aperçu, this));
  tout->addWidget(aperçu, 1);
  tout->addLayout(boutons);
  resize(980, 700);

  const auto siréglé = [this](auto&& faire) {
    return [this, faire] {
      if (!enremplissage_) faire();
    };
  };
  connect(encodage, &QComboBox::currentIndexChanged, this, siréglé([this] { relire(); }));
  connect(séparateur, &QComboBox::currentIndexChanged, this, siréglé([this] { relire(); }));
  const auto changé = siréglé([this] {
    lireréglages();
    montrerréglages();
  });
  connect(premièreligne, &QSpinBox::valueChanged, this, changé);
  connect(titres, &QCheckBox::toggled, this, changé);
  for (QComboBox* b : {colonnenom, colonneprénom, colonneclasse, classe, distinction})
    connect(b, &QComboBox::currentIndexChanged, this, changé);
  connect(homonymesdelaclasse, &QCheckBox::toggled, this, changé);
  connect(préfixe, &QLineEdit::textChanged, this, siréglé([this] { montrernoms(); }));
  connect(ok, &QPushButton::clicked, this, [this] { ok_Click(); });
  connect(annuler, &QPushButton::clicked, this, [this] { annuler_Click(); });
}

FenetreImportListe::Préparation FenetreImportListe::préparer(const QString& fichier, const QStringList& déjàlà,
                                                            const QString& classevisée) {
  retenus_.clear();
  try {
    fichier_ = lirelisteélèves(fichier);
  } catch (const ErreurEvalo& e) {
    boîtes().message(e.texte(), titrefenêtre);
    return Préparation::Refusée;
  }
  déjàlà_ = déjàlà;
  classevisée_ = classevisée;
  réglages_ = devinerréglages(fichier_, classevisée);
  tableau_ = tableaudeliste(fichier_, réglages_);
  if (std::all_of(tableau_.begin(), tableau_.end(), [](const QStringList& l) { return l.isEmpty(); })) {
    boîtes().message(QStringLiteral("Ce fichier ne contient aucun nom."), titrefenêtre);
    return Préparation::Refusée;
  }
  setWindowTitle(QStringLiteral("%1 - %2").arg(titrefenêtre, QFileInfo(fichier).fileName()));
  préfixe->clear();
  encodage->setEnabled(!fichier_.classeur);
  séparateur->setEnabled(!fichier_.classeur);
  montrerréglages();
  return desnomsséparésparlesvirgules(fichier_, réglages_) ? Préparation::UneColonne : Préparation::Prête;
}

void FenetreImportListe::relire() {
  réglages_.encodage = static_cast<Encodage>(encodage->currentData().toInt());
  const QString s = séparateur->currentData().toString();
  réglages_.séparateur = s.isEmpty() ? QChar() : s[0];
  tableau_ = tableaudeliste(fichier_, réglages_);
  devinercolonnes(tableau_, réglages_, classevisée_);
  montrerréglages();
}

void FenetreImportListe::lireréglages() {
  réglages_.premièreligne = premièreligne->value() - 1;
  réglages_.titres = titres->isChecked();
  réglages_.colonnenom = colonnenom->currentData().toInt();
  réglages_.colonneprénom = colonneprénom->currentData().toInt();
  réglages_.colonneclasse = colonneclasse->currentData().toInt();
  réglages_.classe = classe->currentData().toString();
  réglages_.colonnedistinction = distinction->currentData().toInt();
  réglages_.homonymesdelaclasse = homonymesdelaclasse->isChecked();
}

// Les boîtes d'après les réglages, sans que leurs signaux ne relancent rien.
void FenetreImportListe::montrerréglages() {
  enremplissage_ = true;
  choisirdonnée(encodage, int(réglages_.encodage));
  choisirdonnée(séparateur, réglages_.séparateur.isNull() ? QString() : QString(réglages_.séparateur));
  premièreligne->setMaximum(std::max<int>(1, tableau_.size()));
  premièreligne->setValue(réglages_.premièreligne + 1);
  titres->setChecked(réglages_.titres);
  qsizetype colonnes = 1;
  for (const QStringList& l : tableau_) colonnes = std::max(colonnes, l.size());
  const QStringList entête = réglages_.titres ? tableau_.value(réglages_.premièreligne) : QStringList();
  for (QComboBox* b : {colonnenom, colonneprénom, colonneclasse, distinction}) b->clear();
  colonneprénom->addItem(QStringLiteral("(aucune : le prénom est dans la colonne du nom)"), -1);
  colonneclasse->addItem(QStringLiteral("(aucune)"), -1);
  distinction->addItem(QStringLiteral("un numéro : (1), (2)..."), -1);
  for (int c = 0; c < colonnes; ++c) {
    const QString titre = entête.value(c).simplified();
    const QString texte = titre.isEmpty() ? QStringLiteral("Colonne %1").arg(lettrecolonne(c))
                                          : QStringLiteral("Colonne %1 : %2").arg(lettrecolonne(c), titre);
    for (QComboBox* b : {colonnenom, colonneprénom, colonneclasse, distinction}) b->addItem(texte, c);
  }
  choisirdonnée(colonnenom, réglages_.colonnenom);
  choisirdonnée(colonneprénom, réglages_.colonneprénom);
  choisirdonnée(colonneclasse, réglages_.colonneclasse);
  choisirdonnée(distinction, réglages_.colonnedistinction);
  homonymesdelaclasse->setChecked(réglages_.homonymesdelaclasse);
  montrerclasses();
  enremplissage_ = false;
  montreraperçu();
  montrernoms();
}

void FenetreImportListe::montrerclasses() {
  const QList<QPair<QString, int>> trouvées = classestrouvées(tableau_, réglages_);
  // Sans colonne des classes, chaque ligne d'élève compte.
  qsizetype total = trouvées.isEmpty() ? nomslus(tableau_, réglages_).size() : 0;
  for (const auto& t : trouvées) total += t.second;
  classe->clear();
  classe->addItem(QStringLiteral("Toutes les classes (%1 élève%2)").arg(total).arg(total > 1 ? "s" : ""), QString());
  for (const auto& [nom, nombre] : trouvées)
    classe->addItem(QStringLiteral("%1 (%2 élève%3)").arg(nom).arg(nombre).arg(nombre > 1 ? "s" : ""), nom);
  choisirdonnée(classe, réglages_.classe);
  réglages_.classe = classe->currentData().toString();
  classe->setEnabled(!trouvées.isEmpty());
}

// Les lignes d'avant les élèves (titres), puis celles de la classe choisie : dans
// un export de toute l'école, la classe se voit sans défiler.
void FenetreImportListe::montreraperçu() {
  const int début = premièredonnée(réglages_);
  QList<int> montrées;
  for (int l = 0; l < tableau_.size() && montrées.size() < lignesaperçu; ++l)
    if (l < début || delaclassechoisie(tableau_[l], réglages_)) montrées.append(l);
  qsizetype colonnes = 1;
  for (const int l : montrées) colonnes = std::max(colonnes, tableau_[l].size());
  aperçu->clear();
  aperçu->setRowCount(static_cast<int>(montrées.size()));
  aperçu->setColumnCount(static_cast<int>(colonnes));
  QStringList lettres, numéros;
  for (int c = 0; c < colonnes; ++c) lettres.append(lettrecolonne(c));
  for (const int l : montrées) numéros.append(QString::number(l + 1));
  aperçu->setHorizontalHeaderLabels(lettres);
  aperçu->setVerticalHeaderLabels(numéros);
  // Les lignes d'avant les titres (titre du document, souvent une case fusionnée sur
  // toute la largeur) : leur texte une fois, sur toute la ligne, sans élargir les colonnes.
  QList<QPair<int, QString>> titresdudocument;
  for (int r = 0; r < montrées.size(); ++r) {
    const int l = montrées[r];
    if (l < réglages_.premièreligne) {
      QStringList textes;
      for (const QString& t : tableau_[l])
        if (!t.isEmpty() && !textes.contains(t)) textes.append(t);
      if (!textes.isEmpty()) titresdudocument.append({r, textes.join(QStringLiteral("   "))});
      continue;
    }
    for (int c = 0; c < tableau_[l].size(); ++c) {
      auto* item = new QTableWidgetItem(tableau_[l][c]);
      if (l < début) item->setForeground(palette().color(QPalette::Disabled, QPalette::Text));
      if (réglages_.titres && l == réglages_.premièreligne) {
        QFont f = item->font();
        f.setBold(true);
        item->setFont(f);
      }
      aperçu->setItem(r, c, item);
    }
  }
  aperçu->clearSpans();
  aperçu->resizeColumnsToContents();
  for (const auto& [r, texte] : titresdudocument) {
    auto* item = new QTableWidgetItem(texte);
    item->setForeground(palette().color(QPalette::Disabled, QPalette::Text));
    aperçu->setItem(r, 0, item);
    if (colonnes > 1) aperçu->setSpan(r, 0, 1, static_cast<int>(colonnes));
  }
  aperçu->resizeRowsToContents();
}

void FenetreImportListe::montrernoms() {
  const Homonymes homonymes{réglages_.colonnedistinction < 0 ? QStringList()
                                                             : caseslues(tableau_, réglages_, réglages_.colonnedistinction),
                            réglages_.homonymesdelaclasse};
  proposés_ = passerlaporte(nomslus(tableau_, réglages_), préfixe->text().isEmpty() ? QString() : préfixe->text() + u' ',
                            déjàlà_, homonymes);
  élèves->clear();
  int ajoutés = 0;
  for (const NomImporté& n : proposés_) {
    auto* item = new QListWidgetItem(n.nom + marque(n), élèves);
    if (!ajoutable(n.sort)) item->setForeground(palette().color(QPalette::Disabled, QPalette::Text));
    ajoutés += ajoutable(n.sort);
  }
  const int écartés = static_cast<int>(proposés_.size()) - ajoutés;
  compte->setText(écartés == 0 ? QStringLiteral("%1 élève(s) à ajouter").arg(ajoutés)
                               : QStringLiteral("%1 élève(s) à ajouter, %2 écarté(s)").arg(ajoutés).arg(écartés));
}

void FenetreImportListe::ok_Click() {
  QStringList àdire;
  for (const NomImporté& n : proposés_) {
    if (n.sort == NomImporté::LettresProches || n.sort == NomImporté::BarreRemplacée)
      àdire.append(QStringLiteral("- %1 → %2").arg(n.lu, n.nom));
    else if (n.sort == NomImporté::Distingué)
      àdire.append(QStringLiteral("- %1 → %2 : plusieurs élèves de ce nom").arg(n.lu, n.nom));
    else if (n.sort == NomImporté::TropLong)
      àdire.append(QStringLiteral("- %1... : trop long (%2 caractères au plus), pas ajouté").arg(n.lu.left(40)).arg(longueurnomélève));
  }
  bool garderchangés = true;
  if (!àdire.isEmpty()) {
    const int r = question(QStringLiteral("Ces noms ne peuvent pas être gardés tels que le fichier les donne :\n\n%1\n\nOui : "
                                          "ajouter les noms changés.\nNon : ajouter seulement les noms inchangés.\nAnnuler : "
                                          "revenir à la liste.")
                               .arg(àdire.join(u'\n')),
                           QStringLiteral("Noms à changer"));
    if (r == ANNULER) return;
    garderchangés = r == OUI;
  }
  QStringList noms;
  for (const NomImporté& n : proposés_)
    if (n.sort == NomImporté::Gardé || (garderchangés && ajoutable(n.sort))) noms.append(n.nom);
  // Toute l'école d'un coup est rarement voulu : on le fait dire.
  const int classes = classe->count() - 1;
  if (réglages_.classe.isEmpty() && classes > 1 && !noms.isEmpty() &&
      question(QStringLiteral("Ajouter les %1 élèves des %2 classes du fichier ?\n\nNon : revenir à la liste et choisir une "
                              "classe dans « Classe à importer ».")
                   .arg(noms.size())
                   .arg(classes),
               titrefenêtre) != OUI)
    return;
  if (noms.isEmpty()) {
    avertissement(QStringLiteral("Aucun élève à ajouter : choisissez une autre colonne ou une autre classe."), titrefenêtre);
    return;
  }
  retenus_ = noms;
  fermer();
}

void FenetreImportListe::annuler_Click() {
  retenus_.clear();
  fermer();
}
