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
  if (!pageàouvrir_ && !pages_.isEmpty() && pages_.last().lignes.isEmpty() && pages_.last().images.isEmpty())
    pages_.last().orientation = orientation_;
}

PageImprimée& Imprimante::page() {
  if (pageàouvrir_) {
    PageImprimée nouvelle;
    nouvelle.orientation = orientation_;
    pages_.append(nouvelle);
    pageàouvrir_ = false;
    sautautomatique_ = false;
    ligneouverte_ = false;
    x_ = y_ = 0;
  }
  return pages_.last();
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
  l.passages.append(Passage{x_, texte, police_, couleur_});
  x_ += mesureur_->largeurtexte(police_, texte);
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
  if (y_ + mesureur_->hauteurligne(police_) > mesureur_->hauteurpage(pages_.last().orientation) + marge) {
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
}

QList<PageImprimée> Imprimante::prendrepages() {
  QList<PageImprimée> pages;
  pages.swap(pages_);
  pageàouvrir_ = true;
  sautautomatique_ = false;
  ligneouverte_ = false;
  x_ = y_ = 0;
  return pages;
}

void Imprimante::KillDoc() { prendrepages(); }

void Imprimante::EndDoc() {
  QList<PageImprimée> pages = prendrepages();
  const auto vide = [](const PageImprimée& p) { return p.lignes.isEmpty() && p.images.isEmpty(); };
  if (std::all_of(pages.begin(), pages.end(), vide)) return;
  // Une page vide en fin de document (NewPage final) n'est pas imprimée.
  while (vide(pages.last())) pages.removeLast();
  remettre(pages);
}

void Imprimante::PaintPicture(const ImageGrille& image, int xtwips, int ytwips) {
  page().images.append(ImageImprimée{image, xtwips / 20.0, ytwips / 20.0});
}

double Imprimante::espacerestant() const {
  if (pageàouvrir_ || pages_.isEmpty()) return mesureur_->hauteurpage(orientation_);
  return mesureur_->hauteurpage(pages_.last().orientation) - y_;
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
