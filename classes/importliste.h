#pragma once
// Importer une liste d'élèves à colonnes (export du secrétariat, CSV ou classeur) :
// l'aperçu du fichier, l'encodage, le séparateur, la ligne des titres, les colonnes
// du nom, du prénom et de la classe devinés et corrigibles, la classe à prendre,
// puis les élèves qui seront ajoutés, tels que la porte des textes les laisse.
// OK les retient ; Annuler ne retient rien.

#include "noyau/fichiers/listeimportee.h"
#include "socle/fenetre.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTableWidget;

// Filtres du choix du fichier : toutes les listes, puis textes, CSV et classeurs.
QString filtreslistesélèves();

class FenetreImportListe : public Fenetre {
public:
  FenetreImportListe();

  enum class Préparation { Refusée, UneColonne, Prête };
  // Lit le fichier et devine les réglages ; Refusée quand il ne se lit pas (le
  // message est montré), UneColonne pour un texte d'un nom par ligne (ou de noms
  // séparés par des virgules, hors d'un .csv).
  Préparation préparer(const QString& fichier, const QStringList& déjàlà, const QString& classevisée);
  // Les noms à ajouter après OK ; vide après Annuler.
  const QStringList& retenus() const { return retenus_; }
  const QList<NomImporté>& proposés() const { return proposés_; }

  void ok_Click();
  void annuler_Click();

  QComboBox* encodage;
  QComboBox* séparateur;
  QSpinBox* premièreligne;
  QCheckBox* titres;
  QComboBox* colonnenom;
  QComboBox* colonneprénom;
  QComboBox* colonneclasse;
  QComboBox* classe;
  QComboBox* distinction;
  QCheckBox* homonymesdelaclasse;
  QLineEdit* préfixe;
  QTableWidget* aperçu;
  QListWidget* élèves;
  QLabel* compte;

private:
  void relire();
  void montrerréglages();
  void lireréglages();
  void montrerclasses();
  void montreraperçu();
  void montrernoms();

  FichierListe fichier_;
  TableauLu tableau_;
  RéglagesListe réglages_;
  QStringList déjàlà_;
  QString classevisée_;
  QList<NomImporté> proposés_;
  QStringList retenus_;
  bool enremplissage_ = false;
};
