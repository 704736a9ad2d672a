#pragma once
// La grille de toutes les fenêtres : on écrit par la cellule courante (Row, Col,
// puis Text ou une propriété de cellule). Les lignes et colonnes fixes restent en
// place pendant que le reste défile. Largeurs et hauteurs en twips.

#include <QAbstractTableModel>
#include <QTableView>
#include <functional>
#include <vector>

#include "plateforme/imagegrille.h"

class QKeyEvent;
class QLineEdit;

// Une note ou un résultat tel qu'un lecteur d'écran le dit : les codes en mots
// (« A » : absent, « AI » : absence injustifiée, « NC » : non coté, « ? » : pas de
// résultat, « ?9,5? » : 9,5 incomplet, rien : vide), les autres valeurs telles quelles.
QString valeurdite(const QString& affichée);

class ModeleGrille : public QAbstractTableModel {
public:
  struct Cellule {
    QString texte;
    int avant = sanscouleur;
    int fond = sanscouleur;
    bool gras = false;
  };

  int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : lignes_; }
  int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : colonnes_; }
  QVariant data(const QModelIndex& index, int role) const override;
  // Les vrais titres d'une colonne (lignes fixes) ou d'une ligne (colonnes fixes),
  // pour les lecteurs d'écran : chaque case est ainsi liée à son test et à son élève.
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  void dimensions(int lignes, int colonnes);
  const Cellule& cellule(int l, int c) const { return cellules_[position(l, c)]; }
  // Change une propriété de la cellule ; seule une valeur nouvelle la note comme changée.
  template <class T>
  void changer(int l, int c, T Cellule::*propriété, const T& valeur) {
    T& actuelle = cellules_[position(l, c)].*propriété;
    if (actuelle == valeur) return;
    actuelle = valeur;
    marquer(l, c);
  }
  // Annonce aux vues les cellules changées : une annonce par suite de cellules
  // voisines d'une même ligne, jamais un rectangle qui en couvrirait d'autres.
  void publier();
  // Cellules annoncées comme changées depuis la création (pour les essais et les mesures).
  long long cellulesannoncées() const { return annoncées_; }

  int lignesfixes = 0;
  int colonnesfixes = 0;
  // Bulle d'aide d'une cellule, calculée quand la souris s'y arrête ; vide : aucune.
  std::function<QString(int ligne, int colonne)> bulle;
  // Ce qu'un lecteur d'écran dit de la cellule (vide : son texte) ; sa description
  // est la bulle d'aide.
  std::function<QString(int ligne, int colonne)> texteaccessible;
  // Sa description pour un lecteur d'écran, quand elle doit être plus courte que la
  // bulle (vide : la bulle).
  std::function<QString(int ligne, int colonne)> descriptionaccessible;
  // Nom et description d'un en-tête pour un lecteur d'écran (vide : les textes des
  // cases fixes de la colonne ou de la ligne).
  struct TexteEntête {
    QString nom, description;
  };
  std::function<TexteEntête(Qt::Orientation orientation, int section)> entêteaccessible;
  std::vector<int> alignements;       // par colonne
  std::vector<int> alignementsfixes;  // par colonne

private:
  std::size_t position(int l, int c) const { return static_cast<std::size_t>(l) * colonnes_ + c; }
  void marquer(int l, int c);
  int lignes_ = 0, colonnes_ = 0;
  std::vector<Cellule> cellules_;
  std::vector<char> marquées_;          // par cellule
  std::vector<std::size_t> changées_;   // positions marquées, dans l'ordre d'écriture
  long long annoncées_ = 0;
};

class QAbstractItemDelegate;
// Le dessin des cases : la case courante lisible dans tout thème.
QAbstractItemDelegate* déléguédegrille(const ModeleGrille& modèle, QObject* parent);

class Grille : public QTableView {
public:
  explicit Grille(QWidget* parent = nullptr);

  int Rows() const { return modèle_.rowCount(); }
  void Rows(int n);
  int Cols() const { return modèle_.columnCount(); }
  void Cols(int n);
  int FixedRows() const { return modèle_.lignesfixes; }
  void FixedRows(int n);
  int FixedCols() const { return modèle_.colonnesfixes; }
  void FixedCols(int n);
  int Row() const { return ligne_; }
  void Row(int l);
  int Col() const { return colonne_; }
  void Col(int c);
  QString Text() const;
  void Text(const QString& texte);
  int ColWidth(int c) const { return largeurs_.at(static_cast<std::size_t>(c)); }
  void ColWidth(int c, int twips);
  void ColAlignment(int c, int alignement);
  void FixedAlignment(int c, int alignement);
  void CellForeColor(int couleur);
  void CellBackColor(int couleur);
  void CellFontBold(bool gras);
  bool Visible() const { return !isHidden() && !gelée_; }
  void Visible(bool visible);
  void Width(int twips);
  void Height(int twips);
  void SetFocus();
  ImageGrille Picture() const;
  // Élargit les colonnes trop étroites pour leur texte : rien n'est coupé en silence.
  void ajusterlargeurs();
  void ajusterlargeur(int colonne);

  // Événements, après le déplacement de la cellule courante.
  std::function<void()> Click;
  std::function<void()> DblClick;
  std::function<void()> RowColChange;  // la cellule courante a changé par l'utilisateur
  std::function<void(int codetouche, int shift)> KeyDown;
  std::function<void(int bouton, int shift, double x, double y)> MouseDown;
  // Un caractère tapé (chiffre, lettre, point...) sans éditeur ouvert : vrai quand
  // il est pris (pour commencer une édition sur place), sinon il va à KeyDown.
  std::function<bool(const QString& texte)> Frappe;
  // Fin d'une édition sur place : touche 13 (Entrée), 9 (Tab) ou 27 (Échap).
  // Rend vrai pour fermer l'éditeur, faux pour le garder ouvert (texte refusé).
  std::function<bool(const QString& texte, int touche)> FinÉdition;
  std::function<void()> Copier;  // Ctrl+C
  std::function<void()> Coller;  // Ctrl+V

  // Pose un éditeur sur la cellule courante, qui commence avec départ.
  void éditer(const QString& départ);
  bool enédition() const;
  QLineEdit* éditeur() const { return éditeur_; }
  // La touche de fin d'édition, comme si elle était tapée dans l'éditeur.
  void finirédition(int touche);

  const ModeleGrille& modèle() const { return modèle_; }
  void Bulle(std::function<QString(int ligne, int colonne)> bulle) { modèle_.bulle = std::move(bulle); }
  void TexteAccessible(std::function<QString(int ligne, int colonne)> t) { modèle_.texteaccessible = std::move(t); }
  void DescriptionAccessible(std::function<QString(int ligne, int colonne)> t) { modèle_.descriptionaccessible = std::move(t); }
  void EntêteAccessible(std::function<ModeleGrille::TexteEntête(Qt::Orientation, int)> t) {
    modèle_.entêteaccessible = std::move(t);
  }
  // Redit une case aux lecteurs d'écran : son texte a changé (une note tapée).
  void annoncer(int ligne, int colonne);
  // Redit la case courante aux lecteurs d'écran, quand la grille a le focus.
  void redirecourante();
  void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
  // Codes de touche de l'ancien système (13 Entrée, 32 espace, 46 Suppr, 37 à 40
  // flèches, 107/187 plus, 109/189 moins, lettres et chiffres en majuscules ASCII).
  static int codetouche(const QKeyEvent& e);
  static int étatmaj(Qt::KeyboardModifiers m);

protected:
  void keyPressEvent(QKeyEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  bool eventFilter(QObject* objet, QEvent* e) override;
  void updateGeometries() override;

private:
  int pixels(int twips) const;
  int twipsde(double pixels) const;
  void appliquerlargeur(int c);
  void placerfigées();
  void montrercourante();
  void planifier();
  void mettreàjour();
  void déplacer(int l, int c);
  QTableView* vuede(QObject* viewport) const;

  ModeleGrille modèle_;
  QTableView* haut_;
  QTableView* gauche_;
  QTableView* coin_;
  std::vector<int> largeurs_;
  int ligne_ = 0, colonne_ = 0;
  bool miseàjourprévue_ = false;
  bool gelée_ = false;  // « cachée » sans perdre le focus
  QLineEdit* éditeur_ = nullptr;
  bool pressionsurcellule_ = false;
  int hauteurpixels_ = 0;  // d'une ligne à l'écran
};
