#include "plateforme/figure.h"

#include <QStringList>

void Figure::ligne(QPointF de, QPointF à, int couleur, double épaisseur, bool pointillé) {
  TraitFigure t;
  t.zone = QRectF(de, à);
  t.couleur = couleur;
  t.épaisseur = épaisseur;
  t.pointillé = pointillé;
  traits.append(t);
}

void Figure::rectangle(const QRectF& zone, int fond, bool hachuré, int couleur) {
  TraitFigure t;
  t.genre = TraitFigure::Genre::Rectangle;
  t.zone = zone;
  t.fond = fond;
  t.hachuré = hachuré;
  t.couleur = couleur;
  traits.append(t);
}

void Figure::texte(const QRectF& zone, const QString& texte, int alignement, double taille, bool gras, int couleur) {
  TraitFigure t;
  t.genre = TraitFigure::Genre::Texte;
  t.zone = zone;
  t.texte = texte;
  t.alignement = alignement;
  t.taille = taille;
  t.gras = gras;
  t.couleur = couleur;
  traits.append(t);
}

QStringList Figure::textes() const {
  QStringList t;
  for (const TraitFigure& trait : traits)
    if (trait.genre == TraitFigure::Genre::Texte) t.append(trait.texte);
  return t;
}
