#pragma once
// L'imprimante des mises en page : police, taille, gras, souligné, couleur,
// orientation, listes Print avec Tab(n) et le ";" final, NewPage, EndDoc et
// PaintPicture. Les positions se comptent en points depuis le coin haut gauche de
// la zone imprimable ; les colonnes de Tab en largeurs d'un caractère de la
// police courante.

#include <QList>
#include <QString>
#include <functional>
#include <initializer_list>
#include <memory>

#include "plateforme/figure.h"
#include "plateforme/imagegrille.h"

inline constexpr int portrait = 1;
inline constexpr int paysage = 2;

// Un élément d'une liste Print : un texte, un nombre ou Tab(n).
struct Élément {
  enum class Genre { Texte, Nombre, Tabulation };
  Genre genre;
  QString texte;
  double nombre = 0;
  int colonne = 0;

  Élément(const QString& t) : genre(Genre::Texte), texte(t) {}
  Élément(const char* t) : genre(Genre::Texte), texte(QString::fromUtf8(t)) {}
  static Élément Nombre(double v) { Élément e{QString()}; e.genre = Genre::Nombre; e.nombre = v; return e; }
  static Élément Tab(int n) { Élément e{QString()}; e.genre = Genre::Tabulation; e.colonne = n; return e; }
};
inline Élément Tab(int n) { return Élément::Tab(n); }
inline Élément Nombre(double v) { return Élément::Nombre(v); }

// Une liste Print terminée par ";" laisse la position derrière son dernier élément.
enum class Suite { FinDeLigne, PointVirgule };

struct Police {
  QString nom = QStringLiteral("Courier New");
  double taille = 12;
  bool gras = false;
  bool souligné = false;
  bool operator==(const Police&) const = default;
};

struct Passage {
  double x;  // points
  QString texte;
  Police police;
  int couleur;
};

struct LigneImprimée {
  double y;  // haut de la ligne, en points
  QList<Passage> passages;
};

struct ImageImprimée {
  ImageGrille image;
  double x, y;  // points
  double échelle = 1;  // une image réduite à la largeur de la page
};

// Papier et marges, en points (le papier en portrait). Par défaut A4, marges de
// 4 mm à gauche et à droite (un filet de 95 caractères de Courier New 10 y tient
// en portrait, 133 en paysage) et de 5 mm en haut et en bas.
struct FormatPage {
  QString papier = QStringLiteral("A4");
  double largeur = 595.276, hauteur = 841.890;
  double gauche = 11.339, haut = 14.173, droite = 11.339, bas = 14.173;
  bool operator==(const FormatPage&) const = default;
};

struct FigureImprimée {
  Figure figure;
  double x, y;  // points
};

struct PageImprimée {
  int orientation = portrait;
  QList<LigneImprimée> lignes;
  QList<ImageImprimée> images;
  QList<FigureImprimée> figures;
  bool vide() const { return lignes.isEmpty() && images.isEmpty() && figures.isEmpty(); }
};

// Mesures des textes et des pages, en points.
class Mesureur {
public:
  virtual ~Mesureur() = default;
  virtual double largeurcaractère(const Police& p) const = 0;
  virtual double largeurtexte(const Police& p, const QString& texte) const = 0;
  virtual double hauteurligne(const Police& p) const = 0;
};

class Imprimante {
public:
  explicit Imprimante(std::unique_ptr<Mesureur> mesureur);
  virtual ~Imprimante() = default;

  virtual QString DeviceName() const = 0;

  void FontName(const QString& nom) { police_.nom = nom; }
  void FontSize(double taille) { police_.taille = taille; }
  void FontBold(bool gras) { police_.gras = gras; }
  void FontUnderline(bool souligné) { police_.souligné = souligné; }
  void ForeColor(int couleur) { couleur_ = couleur; }
  int Orientation() const { return orientation_; }
  void Orientation(int orientation);
  const Police& police() const { return police_; }

  void Print(std::initializer_list<Élément> éléments = {}, Suite suite = Suite::FinDeLigne);
  void Print(const QList<Élément>& éléments, Suite suite = Suite::FinDeLigne);
  void NewPage();
  // Les lignes de tête du tableau en cours : refaire les imprime de nouveau en
  // haut de chaque page que le tableau ouvre de lui-même. Un NewPage (fin du
  // tableau) ou la fin du document les oublie.
  void EnTête(std::function<void()> refaire) { entête_ = std::move(refaire); }
  // Remet le document ; une imprimante qui le refuse lève ErreurEvalo avec la
  // cause en français (le document est alors abandonné).
  void EndDoc();
  // Jette le document commencé : ses pages ne sont jamais remises.
  void KillDoc();
  // Un travail fait un seul document de plusieurs : tant qu'il est ouvert, EndDoc
  // ne fait que passer à une nouvelle page ; le EndDoc qui suit FermerTravail
  // remet le tout (un fichier, un aperçu, un travail d'impression).
  void OuvrirTravail() { ++travail_; }
  void FermerTravail() { travail_ = std::max(0, travail_ - 1); }
  // Une image qui dépasse la page continue sur les suivantes : les lignes qui ne
  // tiennent pas passent à la page suivante sous les lignes fixes répétées, les
  // colonnes de trop forment d'autres pages où les colonnes fixes sont répétées.
  // Avec RéduireImages, une image trop large est d'abord réduite à la largeur de
  // la page. Rien n'est jamais coupé ; le texte reprend sous la fin de l'image.
  void PaintPicture(const ImageGrille& image, int xtwips, int ytwips);
  void RéduireImages(bool actif) { réduireimages_ = actif; }
  // Un graphique sous ce qui précède, sur une nouvelle page s'il n'y tient plus ;
  // le texte reprend sous lui.
  void PaintFigure(const Figure& figure, int xtwips);
  bool RéduireImages() const { return réduireimages_; }

  // Papier et marges de toutes les impressions suivantes.
  void Format(const FormatPage& format) { format_ = format; }
  const FormatPage& Format() const { return format_; }
  // Zone imprimable, en points. Les mises en page sont faites pour la largeur
  // d'un A4 : sur un papier plus étroit, la page entière est réduite de
  // échellepage (la zone est alors comptée en points de la page non réduite).
  double largeurpage(int orientation) const;
  double hauteurpage(int orientation) const;
  double échellepage(int orientation) const;

  // Hauteur encore libre sur la page, en points (une page entière quand la
  // prochaine sortie commence une page).
  double espacerestant() const;

  // Colonne (à partir de 1) d'un passage, en caractères de sa police.
  int colonne(const Passage& p) const;
  const Mesureur& mesureur() const { return *mesureur_; }

  // Montrer le prochain document dans un aperçu avant de le remettre ; le choix
  // vaut pour ce document seulement (EndDoc ou KillDoc l'oublie).
  void Aperçu(bool actif) { aperçu_ = actif; }
  bool Aperçu() const { return aperçu_; }

protected:
  // Le document terminé, à remettre à l'imprimante ; jamais vide.
  virtual void remettre(const QList<PageImprimée>& pages) = 0;

private:
  QList<PageImprimée> prendrepages();  // les pages du document, l'imprimante remise à neuf
  PageImprimée& page();
  LigneImprimée& ligne();
  void placer(const QString& texte);
  void tabulation(int colonne);
  void aller_à_la_ligne();
  void refaireentête();
  void placerimage(const ImageGrille& image, double x, double y, double échelle);
  void reprendresous(double bas);

  std::unique_ptr<Mesureur> mesureur_;
  Police police_;
  int couleur_ = noir;
  int orientation_ = portrait;
  bool aperçu_ = false;
  bool réduireimages_ = false;
  int travail_ = 0;
  FormatPage format_;
  std::function<void()> entête_;
  bool entêteencours_ = false;
  QList<PageImprimée> pages_;
  bool pageàouvrir_ = true;
  bool sautautomatique_ = false;
  bool ligneouverte_ = false;
  double x_ = 0, y_ = 0;
};

// Mesures d'une police à chasse fixe quelle que soit la police demandée :
// 0,6 em par caractère, 1,15 em par ligne.
class MesureurTexte : public Mesureur {
public:
  double largeurcaractère(const Police& p) const override { return 0.6 * p.taille; }
  double largeurtexte(const Police& p, const QString& t) const override { return 0.6 * p.taille * t.size(); }
  double hauteurligne(const Police& p) const override { return 1.15 * p.taille; }
};

// Imprimante des essais : garde chaque document remis, page par page.
class ImprimanteTexte : public Imprimante {
public:
  explicit ImprimanteTexte(QString nom = QStringLiteral("Texte"));
  QString DeviceName() const override { return nom_; }
  const QList<QList<PageImprimée>>& documents() const { return documents_; }
  // Le dernier document en texte brut : chaque passage à sa colonne, les pages
  // séparées par une ligne "--- page n (portrait|paysage) ---", les images de
  // grille en lignes de cellules séparées par "|".
  QString texte() const;
  static QString texte(const QList<PageImprimée>& pages, const Mesureur& mesureur);
  // Pour chaque document remis : l'aperçu était-il demandé ?
  const QList<bool>& aperçus() const { return aperçus_; }
  // Le prochain document est refusé avec cette cause, comme par une imprimante en panne.
  void refuserprochain(const QString& cause) { refus_ = cause; }

protected:
  void remettre(const QList<PageImprimée>& pages) override;

private:
  QString nom_;
  QString refus_;
  QList<QList<PageImprimée>> documents_;
  QList<bool> aperçus_;
};

// Les imprimantes installées et l'imprimante courante.
class ParcImprimantes {
public:
  virtual ~ParcImprimantes() = default;
  virtual QStringList Printers() const = 0;
  // L'imprimante courante, avec le choix de réduire les grilles trop larges.
  Imprimante& Printer() {
    Imprimante& i = courante();
    i.RéduireImages(réduireimages_);
    return i;
  }
  void réduireimages(bool actif) { réduireimages_ = actif; }
  bool réduireimages() const { return réduireimages_; }
  // Rend le premier membre de Printers portant ce nom courant ; faux sans lui.
  virtual bool choisir(const QString& nom) = 0;
  // Boîte de réglage de l'imprimante courante ; vrai quand elle est acceptée.
  virtual bool réglages() = 0;

protected:
  virtual Imprimante& courante() = 0;

private:
  bool réduireimages_ = false;
};

class ParcTexte : public ParcImprimantes {
public:
  explicit ParcTexte(const QStringList& noms = {QStringLiteral("Texte")});
  QStringList Printers() const override;
  ImprimanteTexte& imprimante(int i) { return *imprimantes_[i]; }
  bool choisir(const QString& nom) override;
  bool réglages() override { return true; }

protected:
  Imprimante& courante() override { return *imprimantes_[courante_]; }

private:
  QList<std::shared_ptr<ImprimanteTexte>> imprimantes_;
  int courante_ = 0;
};
