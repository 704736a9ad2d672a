#pragma once
// Dessin d'une image de grille en texte net, pour l'impression et l'aperçu.

#include <QPointF>

#include "plateforme/imagegrille.h"

class QPainter;

// Dessine l'image avec son coin haut gauche à origine (unités du périphérique) ;
// parpoint : unités du périphérique par point typographique.
void dessinerimagegrille(QPainter& peintre, const ImageGrille& image, QPointF origine, double parpoint);
