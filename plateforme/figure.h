#pragma once
// Un dessin en points (traits, rectangles, textes), le même à l'écran et sur le
// papier : un graphique se construit une fois, sans fenêtre, puis se peint.

#include <QList>
#include <QRectF>
#include <QString>

#include "plateforme/couleurs.h"
#include "plateforme/imagegrille.h"

struct TraitFigure {
  enum class Genre { Ligne, Rectangle, Texte };
  Genre genre = Genre::Ligne;
  QRectF zone;  // une ligne va de zone.topLeft() à zone.bottomRight()
  int couleur = noir;
  int fond = sanscouleur;  // rectangle plein
  bool hachuré = false;    // rectangle hachuré, lisible en noir et blanc
  bool pointillé = false;
  double épaisseur = 0.6;
  QString texte;
  double taille = 7;  // points
  bool gras = false;
  int alignement = alignementgauche;  // dans la zone, centré verticalement
};

struct Figure {
  double largeur = 0, hauteur = 0;
  QList<TraitFigure> traits;
  // Ce que montre la figure, en mots, pour un lecteur d'écran.
  QString description;

  void ligne(QPointF de, QPointF à, int couleur = noir, double épaisseur = 0.6, bool pointillé = false);
  void rectangle(const QRectF& zone, int fond, bool hachuré = false, int couleur = noir);
  void texte(const QRectF& zone, const QString& texte, int alignement = alignementgauche, double taille = 7,
             bool gras = false, int couleur = noir);
  // Les textes de la figure, dans l'ordre (pour les essais et l'imprimante texte).
  QStringList textes() const;
};
