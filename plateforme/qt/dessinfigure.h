#pragma once
// Dessin d'une figure (graphique) à l'écran ou sur le papier.

#include <QPointF>

#include "plateforme/figure.h"

class QPainter;

// Dessine la figure avec son coin haut gauche à origine (en points) ; parpoint :
// unités du périphérique par point typographique.
void dessinerfigure(QPainter& peintre, const Figure& figure, QPointF origine, double parpoint);
