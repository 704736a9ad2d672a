#include "feuille/historique.h"

#include <QColor>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "noyau/base/etat.h"
#include "noyau/base/module.h"
#include "noyau/base/piege.h"
#include "plateforme/boites.h"

void ModeleHistorique::remplir(QList<Modification> lignes) {
  beginResetModel();
  std::reverse(lignes.begin(), lignes.end());
  lignes_ = std::move(lignes);
  endResetModel();
}

int ModeleHistorique::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(lignes_.size());
}

int ModeleHistorique::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : NombreColonnes; }

QVariant ModeleHistorique::data(const QModelIndex& index, int rôle) const {
  if (!index.isValid()) return {};
  const Modification& m = lignes_[index.row()];
  if (rôle == Qt::ForegroundRole && !m.faite()) return QColor(Qt::gray);
  if (rôle == Qt::ToolTipRole) return QStringLiteral("Fichiers : ") + m.fichiers.join(QStringLiteral(", "));
  if (rôle != Qt::DisplayRole) return {};
  switch (index.column()) {
    case Date: return m.quand.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
    case Période: return m.période;
    case Changement: return m.faite() ? m.texte() : m.texte() + QStringLiteral(" — annulée");
    case Ordinateur: return m.ordinateur;
    default: return {};
  }
}

QVariant ModeleHistorique::headerData(int section, Qt::Orientation orientation, int rôle) const {
  if (orientation != Qt::Horizontal || rôle != Qt::DisplayRole) return {};
  static const char* titres[] = {"Date", "Période", "Modification", "Ordinateur"};
  return QString::fromUtf8(titres[section]);
}

FenetreHistorique::FenetreHistorique() {
  setObjectName(QStringLiteral("historique"));
  resize(820, 520);
  auto* tout = new QVBoxLayout(this);

  auto* haut = new QHBoxLayout;
  recherche_ = nommer(new QLineEdit(this), "recherche");
  recherche_->setPlaceholderText(QStringLiteral("Rechercher : élève, interro, date, période..."));
  recherche_->setClearButtonEnabled(true);
  haut->addWidget(recherche_, 1);
  compte_ = nommer(new QLabel(this), "compte");
  haut->addWidget(compte_);
  tout->addLayout(haut);

  filtre_ = new QSortFilterProxyModel(this);
  filtre_->setSourceModel(&modèle_);
  filtre_->setFilterKeyColumn(-1);
  filtre_->setFilterCaseSensitivity(Qt::CaseInsensitive);
  vue_ = nommer(new QTableView(this), "lignes");
  vue_->setTabKeyNavigation(false);  // Tab quitte la table, les flèches vont de case en case
  vue_->setModel(filtre_);
  vue_->setAccessibleName(QStringLiteral("Modifications de la classe, de la plus récente à la plus ancienne"));
  vue_->setSelectionBehavior(QAbstractItemView::SelectRows);
  vue_->setSelectionMode(QAbstractItemView::SingleSelection);
  vue_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  vue_->verticalHeader()->hide();
  vue_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  vue_->horizontalHeader()->setSectionResizeMode(ModeleHistorique::Changement, QHeaderView::Stretch);
  vue_->setAlternatingRowColors(true);
  tout->addWidget(vue_, 1);

  auto* aide = new QLabel(QStringLiteral("« Revenir à cet état » annule en une fois chaque modification faite après la "
                                         "ligne choisie. Les modifications annulées restent dans la liste : Editer > "
                                         "Rétablir (Ctrl+Y) les refait une à une."),
                          this);
  aide->setWordWrap(true);
  tout->addWidget(aide);

  auto* bas = new QHBoxLayout;
  auto* garder = new QLabel(QStringLiteral("&Garder l'historique"), this);
  bas->addWidget(garder);
  durée_ = nommer(new QSpinBox(this), "durée");
  garder->setBuddy(durée_);
  durée_->setRange(1, 3650);
  durée_->setSuffix(QStringLiteral(" jours"));
  bas->addWidget(durée_);
  bas->addStretch();
  revenir_ = nommer(new QPushButton(QStringLiteral("Revenir à cet état"), this), "revenir");
  auto* fermer = nommer(new QPushButton(QStringLiteral("Fermer"), this), "fermer");
  bas->addWidget(revenir_);
  bas->addWidget(fermer);
  tout->addLayout(bas);

  connect(recherche_, &QLineEdit::textChanged, this, [this](const QString& t) { rechercher(t); });
  connect(vue_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { actualiserboutons(); });
  connect(vue_, &QTableView::doubleClicked, this, [this] { revenir_Click(); });
  connect(revenir_, &QPushButton::clicked, this, [this] { revenir_Click(); });
  connect(fermer, &QPushButton::clicked, this, [this] { Fenetre::fermer(); });
  connect(durée_, &QSpinBox::editingFinished, this, [this] {
    if (durée_->value() != duréehistorique()) fixerduréehistorique(durée_->value());
  });
}

QString FenetreHistorique::clé() const {
  const ÉtatPartagé& é = état();
  return é.classecourante >= 1 && é.classecourante <= é.nbclasses ? é.dossierclasse[é.classecourante] : QString();
}

void FenetreHistorique::Form_Load() {
  const ÉtatPartagé& é = état();
  setWindowTitle(clé().isEmpty() ? QStringLiteral("Historique des modifications")
                                 : QStringLiteral("Historique des modifications - %1 (%2)")
                                       .arg(é.nomclasse[é.classecourante], é.nomcours[é.classecourante]));
  QList<Modification> lignes;
  if (!clé().isEmpty()) avecpiège(QStringLiteral("Historique des modifications"), [&] { lignes = historiqueclasse(clé()); });
  const bool plusieurs = std::any_of(lignes.begin(), lignes.end(),
                                     [&](const Modification& m) { return m.ordinateur != lignes.first().ordinateur; });
  modèle_.remplir(std::move(lignes));
  vue_->setColumnHidden(ModeleHistorique::Ordinateur, !plusieurs);
  vue_->resizeColumnToContents(ModeleHistorique::Date);
  vue_->resizeColumnToContents(ModeleHistorique::Période);
  durée_->setValue(duréehistorique());
  rechercher(recherche_->text());
}

void FenetreHistorique::rechercher(const QString& texte) {
  if (recherche_->text() != texte) recherche_->setText(texte);
  filtre_->setFilterFixedString(texte.trimmed());
  const int n = filtre_->rowCount(), total = modèle_.rowCount();
  compte_->setText(n == total ? QStringLiteral("%1 modification(s)").arg(total)
                              : QStringLiteral("%1 sur %2 modification(s)").arg(n).arg(total));
  actualiserboutons();
}

int FenetreHistorique::lignesmontrées() const { return filtre_->rowCount(); }

QString FenetreHistorique::texte(int rangée, int colonne) const {
  return filtre_->index(rangée, colonne).data().toString();
}

int FenetreHistorique::rangéechoisie() const {
  const QModelIndexList choix = vue_->selectionModel()->selectedRows();
  return choix.isEmpty() ? -1 : choix.first().row();
}

void FenetreHistorique::choisir(int rangée) { vue_->selectRow(rangée); }

// Possible quand un changement fait, encore annulable, suit la ligne choisie.
bool FenetreHistorique::revenirpossible() const {
  const int r = rangéechoisie();
  if (r < 0) return false;
  const int source = filtre_->mapToSource(filtre_->index(r, 0)).row();
  for (int i = source - 1; i >= 0; --i)
    if (modèle_.ligne(i).état == ÉtatModification::Active) return true;
  return false;
}

void FenetreHistorique::actualiserboutons() { revenir_->setEnabled(revenirpossible()); }

void FenetreHistorique::revenir_Click() {
  if (!revenirpossible()) return;
  const int source = filtre_->mapToSource(filtre_->index(rangéechoisie(), 0)).row();
  const Modification& m = modèle_.ligne(source);
  int après = 0;
  for (int i = source - 1; i >= 0; --i) après += modèle_.ligne(i).état == ÉtatModification::Active;
  if (question(QStringLiteral("Revenir à l'état qui suivait « %1 » (%2) ?\n\n%3 modification(s) faite(s) depuis "
                              "sera(ont) annulée(s), en une fois.")
                   .arg(m.texte(), m.quand.toString(QStringLiteral("dd/MM/yyyy HH:mm")))
                   .arg(après),
               QStringLiteral("Revenir à cet état")) != OUI)
    return;
  const QString modification = m.texte();
  QStringList remis;
  avecpiège(QStringLiteral("Revenir à cet état"), [&] { remis = revenirà(clé(), m.id); });
  if (remis.isEmpty()) return;
  if (AprèsRetour) AprèsRetour(remis);
  Form_Load();
  boîtes().annonce(
      QStringLiteral("Revenu à l'état qui suivait « %1 » : %2 modification(s) annulée(s).").arg(modification).arg(après));
}
