#include "plateforme/imprimante.h"

#include <algorithm>
#include <cmath>

#include "plateforme/erreurs.h"
#include "plateforme/nombres.h"

namespace {
constexpr double marge = 0.01;  // tolérance des comparaisons de positions, en points
}

Imprimante::Imprimante(std::unique_ptr<Mesureur> mesureur) : mesureur_(std::move(mesureur)) {}

void Imprimante::Orientation(int orientation) {
  orientation_ = orientation == paysage ? paysage : portrait;
  // Une page ouverte encore vide prend la nouvelle orientation.
  if (!pageàouvrir_ && !pages_.isEmpty() && pages_.last().vide())
    pages_.last().orientation = orientation_;
}

namespace {

struct Zone {
  double largeur, hauteur;
};

Zone zone(const FormatPage& f, int orientation) {
  const bool tourné = orientation == paysage;
  return {(tourné ? f.hauteur : f.largeur) - f.gauche - f.droite, (tourné ? f.largeur : f.hauteur) - f.haut - f.bas};
}

}  // namespace

double Imprimante::échellepage(int orientation) const {
  const double réelle = zone(format_, orientation).largeur, a4 = zone(FormatPage{}, orientation).largeur;
  return réelle > 0 && réelle < a4 ? réelle / a4 : 1;
}

double Imprimante::largeurpage(int orientation) const {
  return zone(format_, orientation).largeur / échellepage(orientation);
}

double Imprimante::hauteurpage(int orientation) const {
  return zone(format_, orientation).hauteur / échellepage(orientation);
}

PageImprimée& Imprimante::page() {
  if (pageàouvrir_) {
    const bool automatique = sautautomatique_;
    PageImprimée nouvelle;
    nouvelle.orientation = orientation_;
    pages_.append(nouvelle);
    pageàouvrir_ = false;
    sautautomatique_ = false;
    ligneouverte_ = false;
    x_ = y_ = 0;
    if (automatique) refaireentête();
  }
  return pages_.last();
}

void Imprimante::refaireentête() {
  if (!entête_ || entêteencours_) return;
  const Police police = police_;
  const int couleur = couleur_;
  entêteencours_ = true;
  entête_();
  entêteencours_ = false;
  police_ = police;
  couleur_ = couleur;
}

LigneImprimée& Imprimante::ligne() {
  PageImprimée& p = page();
  if (!ligneouverte_) {
    p.lignes.append(LigneImprimée{y_, {}});
    ligneouverte_ = true;
  }
  return p.lignes.last();
}

void Imprimante::placer(const QString& texte) {
  LigneImprimée& l = ligne();
  if (texte.isEmpty()) return;
  // La couleur n'est jamais le seul signe : imprimé en noir et blanc, le rouge se lit en gras.
  Police police = police_;
  police.gras = police.gras || couleur_ == rouge;
  l.passages.append(Passage{x_, texte, police, couleur_});
  x_ += mesureur_->largeurtexte(police, texte);
}

void Imprimante::aller_à_la_ligne() {
  // Des lignes vides juste après un saut de page automatique n'ouvrent pas de page :
  // elles ne feraient qu'une page blanche ou un haut de page vide.
  if (pageàouvrir_ && sautautomatique_) return;
  ligne();  // une ligne vide est aussi une ligne
  y_ += mesureur_->hauteurligne(police_);
  x_ = 0;
  ligneouverte_ = false;
  // Page pleine : la suite commence une nouvelle page d'elle-même.
  if (y_ + mesureur_->hauteurligne(police_) > hauteurpage(pages_.last().orientation) + marge) {
    pageàouvrir_ = true;
    sautautomatique_ = true;
  }
}

void Imprimante::tabulation(int colonne) {
  const double cible = (std::max(colonne, 1) - 1) * mesureur_->largeurcaractère(police_);
  page();
  if (x_ > cible + marge) aller_à_la_ligne();
  ligne();
  x_ = cible;
}

void Imprimante::Print(std::initializer_list<Élément> éléments, Suite suite) {
  Print(QList<Élément>(éléments), suite);
}

void Imprimante::Print(const QList<Élément>& éléments, Suite suite) {
  for (const Élément& e : éléments) {
    switch (e.genre) {
      case Élément::Genre::Texte: placer(e.texte); break;
      case Élément::Genre::Nombre: placer(str(e.nombre) + u' '); break;
      case Élément::Genre::Tabulation: tabulation(e.colonne); break;
    }
  }
  if (suite == Suite::FinDeLigne) aller_à_la_ligne();
}

void Imprimante::NewPage() {
  // Juste après un saut de page automatique, la page suivante est déjà demandée.
  if (pageàouvrir_ && sautautomatique_) {
    sautautomatique_ = false;
    return;
  }
  page();  // une page demandée existe, même vide
  pageàouvrir_ = true;
  entête_ = nullptr;
}

QList<PageImprimée> Imprimante::prendrepages() {
  QList<PageImprimée> pages;
  pages.swap(pages_);
  entête_ = nullptr;
  pageàouvrir_ = true;
  sautautomatique_ = false;
  ligneouverte_ = false;
  x_ = y_ = 0;
  return pages;
}

void Imprimante::KillDoc() {
  travail_ = 0;
  aperçu_ = false;
  prendrepages();
}

void Imprimante::EndDoc() {
  if (travail_ > 0) {
    NewPage();
    return;
  }
  QList<PageImprimée> pages = prendrepages();
  // L'aperçu demandé vaut pour ce document : remis ou non, il est oublié ensuite.
  struct Oubli {
    bool& aperçu;
    ~Oubli() { aperçu = false; }
  } oubli{aperçu_};
  if (std::all_of(pages.begin(), pages.end(), [](const PageImprimée& p) { return p.vide(); })) return;
  // Une page vide en fin de document (NewPage final) n'est pas imprimée.
  while (pages.last().vide()) pages.removeLast();
  remettre(pages);
}

void Imprimante::PaintPicture(const ImageGrille& image, int xtwips, int ytwips) {
  const double x = xtwips / 20.0, y = ytwips / 20.0;
  const int orientation = pageàouvrir_ || pages_.isEmpty() ? orientation_ : pages_.last().orientation;
  const double largeur = image.largeurtotale() / 20.0, libre = largeurpage(orientation) - x;
  const double échelle = réduireimages_ && largeur > libre && largeur > 0 ? libre / largeur : 1;
  placerimage(image, x, y, échelle);
}

namespace {

// Les lignes et colonnes choisies d'une image ; celles qui étaient fixes le restent.
ImageGrille extraire(const ImageGrille& image, const QList<int>& lignes, const QList<int>& colonnes) {
  ImageGrille e;
  for (int c : colonnes) {
    e.largeurs << image.largeurs[c];
    e.alignements << image.alignements.value(c, alignementgénéral);
    e.alignementsfixes << image.alignementsfixes.value(c, alignementgénéral);
    if (c < image.colonnesfixes) ++e.colonnesfixes;
  }
  for (int l : lignes) {
    e.hauteurs << image.hauteurs.value(l, 240);
    QList<CelluleImage> rangée;
    for (int c : colonnes) rangée << image.cellules[l].value(c);
    e.cellules << rangée;
    if (l < image.lignesfixes) ++e.lignesfixes;
  }
  return e;
}

// Découpe 0..n-1 en tranches : chacune reprend les fixes puis ajoute des
// éléments tant que leur taille tient dans la place (au moins un par tranche).
QList<QList<int>> tranches(int n, int fixes, const std::function<double(int)>& taille,
                           const std::function<double(int)>& place) {
  QList<QList<int>> t;
  double fixe = 0;
  for (int i = 0; i < fixes && i < n; ++i) fixe += taille(i);
  int i = std::min(fixes, n);
  while (i < n || t.isEmpty()) {
    QList<int> tranche;
    for (int f = 0; f < fixes && f < n; ++f) tranche << f;
    double utilisé = fixe;
    const double disponible = place(static_cast<int>(t.size()));
    const qsizetype avant = tranche.size();
    while (i < n && (tranche.size() == avant || utilisé + taille(i) <= disponible + marge)) {
      utilisé += taille(i);
      tranche << i++;
    }
    t << tranche;
  }
  return t;
}

}  // namespace

void Imprimante::placerimage(const ImageGrille& image, double x, double y, double échelle) {
  page();
  const int orientation = pages_.last().orientation;
  const double largeur = largeurpage(orientation), hauteur = hauteurpage(orientation);
  const auto largeurcolonne = [&](int c) { return image.largeurs[c] * échelle / 20.0; };
  const auto hauteurligne = [&](int l) { return image.hauteurs.value(l, 240) * échelle / 20.0; };
  if (image.largeurtotale() * échelle / 20.0 <= largeur - x + marge &&
      image.hauteurtotale() * échelle / 20.0 <= hauteur - y + marge) {
    pages_.last().images.append(ImageImprimée{image, x, y, échelle});
    reprendresous(y + image.hauteurtotale() * échelle / 20.0);
    return;
  }
  const QList<QList<int>> colonnes =
      tranches(image.colonnes(), image.colonnesfixes, largeurcolonne, [&](int) { return largeur - x; });
  // La première tranche de lignes commence à y ; les suivantes en haut de page.
  const QList<QList<int>> lignes = tranches(image.lignes(), image.lignesfixes, hauteurligne,
                                            [&](int k) { return k == 0 ? hauteur - y : hauteur; });
  double bas = 0;
  for (qsizetype j = 0; j < colonnes.size(); ++j)
    for (qsizetype k = 0; k < lignes.size(); ++k) {
      if (j > 0 || k > 0) {
        NewPage();
        page();
      }
      const double haut = j == 0 && k == 0 ? y : 0;
      pages_.last().images.append(ImageImprimée{extraire(image, lignes[k], colonnes[j]), x, haut, échelle});
      bas = haut;
      for (int l : lignes[k]) bas += hauteurligne(l);
    }
  reprendresous(bas);
}

void Imprimante::PaintFigure(const Figure& figure, int xtwips) {
  page();
  if (ligneouverte_) aller_à_la_ligne();
  page();  // la ligne finie a pu remplir la page
  if (y_ > 0 && y_ + figure.hauteur > hauteurpage(pages_.last().orientation) + marge) {
    NewPage();
    page();
  }
  pages_.last().figures.append(FigureImprimée{figure, xtwips / 20.0, y_});
  reprendresous(y_ + figure.hauteur);
}

// Le texte qui suit reprend sous l'image, sur sa dernière page.
void Imprimante::reprendresous(double bas) {
  if (ligneouverte_) aller_à_la_ligne();
  if (pageàouvrir_) return;
  y_ = std::max(y_, bas);
  x_ = 0;
}

double Imprimante::espacerestant() const {
  if (pageàouvrir_ || pages_.isEmpty()) return hauteurpage(orientation_);
  return hauteurpage(pages_.last().orientation) - y_;
}

int Imprimante::colonne(const Passage& p) const {
  return static_cast<int>(std::lround(p.x / mesureur_->largeurcaractère(p.police))) + 1;
}

ImprimanteTexte::ImprimanteTexte(QString nom)
    : Imprimante(std::make_unique<MesureurTexte>()), nom_(std::move(nom)) {}

void ImprimanteTexte::remettre(const QList<PageImprimée>& pages) {
  if (!refus_.isEmpty()) {
    const QString cause = refus_;
    refus_.clear();
    throw ErreurEvalo(cause);
  }
  documents_.append(pages);
  aperçus_.append(Aperçu());
}

namespace {

QString lignedegrille(const QList<CelluleImage>& cellules, const QList<int>& largeurs) {
  QStringList textes;
  for (int c = 0; c < cellules.size(); ++c)
    if (largeurs.value(c) > 0) textes.append(cellules[c].texte);
  return textes.join(u'|');
}

}  // namespace

QString ImprimanteTexte::texte(const QList<PageImprimée>& pages, const Mesureur& mesureur) {
  QStringList sortie;
  for (int n = 0; n < pages.size(); ++n) {
    const PageImprimée& page = pages[n];
    sortie.append(QStringLiteral("--- page %1 (%2) ---")
                      .arg(n + 1)
                      .arg(page.orientation == paysage ? QStringLiteral("paysage") : QStringLiteral("portrait")));
    for (const LigneImprimée& l : page.lignes) {
      QString ligne;
      for (const Passage& p : l.passages) {
        const int col = static_cast<int>(std::lround(p.x / mesureur.largeurcaractère(p.police)));
        if (ligne.size() < col) ligne += QString(col - ligne.size(), u' ');
        ligne = ligne.left(col) + p.texte;
      }
      sortie.append(ligne);
    }
    for (const ImageImprimée& i : page.images) {
      sortie.append(QStringLiteral("[grille à %1, %2 pt]").arg(i.x).arg(i.y));
      for (const auto& cellules : i.image.cellules) sortie.append(lignedegrille(cellules, i.image.largeurs));
    }
    for (const FigureImprimée& f : page.figures)
      sortie.append(QStringLiteral("[figure à %1, %2 pt, %3 × %4 pt] ").arg(f.x).arg(f.y).arg(f.figure.largeur).arg(f.figure.hauteur) +
                    f.figure.textes().join(QStringLiteral(" | ")));
  }
  return sortie.join(u'\n');
}

QString ImprimanteTexte::texte() const {
  return documents_.isEmpty() ? QString() : texte(documents_.last(), mesureur());
}

ParcTexte::ParcTexte(const QStringList& noms) {
  for (const QString& n : noms) imprimantes_.append(std::make_shared<ImprimanteTexte>(n));
}

QStringList ParcTexte::Printers() const {
  QStringList noms;
  for (const auto& i : imprimantes_) noms.append(i->DeviceName());
  return noms;
}

bool ParcTexte::choisir(const QString& nom) {
  for (int i = 0; i < imprimantes_.size(); ++i)
    if (imprimantes_[i]->DeviceName() == nom) {
      courante_ = i;
      return true;
    }
  return false;
}
