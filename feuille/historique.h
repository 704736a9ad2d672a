#pragma once
// Historique des modifications de la classe ouverte : une ligne par changement, le
// plus récent d'abord, une recherche, et le retour à l'état qui suivait une ligne.

#include <QAbstractTableModel>
#include <QList>

#include "noyau/suivi/historique.h"
#include "socle/fenetre.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QSortFilterProxyModel;
class QSpinBox;
class QTableView;

class ModeleHistorique : public QAbstractTableModel {
public:
  enum Colonne { Date, Période, Changement, Ordinateur, NombreColonnes };
  void remplir(QList<Modification> lignes);  // le plus ancien d'abord
  const Modification& ligne(int rangée) const { return lignes_[rangée]; }
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int rôle) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int rôle) const override;

private:
  QList<Modification> lignes_;  // le plus récent d'abord
};

class FenetreHistorique : public Fenetre {
public:
  FenetreHistorique();
  void Form_Load() override;

  // La ligne choisie (rangée de la vue), -1 sans choix.
  int rangéechoisie() const;
  void choisir(int rangée);
  void rechercher(const QString& texte);
  int lignesmontrées() const;
  QString texte(int rangée, int colonne) const;
  void revenir_Click();
  bool revenirpossible() const;

  // Appelé après un retour en arrière, pour que la feuille se recharge.
  std::function<void(const QStringList& fichiersremis)> AprèsRetour;

private:
  QString clé() const;
  void actualiserboutons();

  ModeleHistorique modèle_;
  QSortFilterProxyModel* filtre_;
  QTableView* vue_;
  QLineEdit* recherche_;
  QLabel* compte_;
  QSpinBox* durée_;
  QPushButton* revenir_;
};
