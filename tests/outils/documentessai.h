#pragma once
// Document de démonstration de l'imprimante : deux pages (la seconde en paysage),
// tabulations, couleurs, nombres, souligné et une image de grille.

#include "plateforme/imprimante.h"

ImageGrille grilledessai();
void imprimerdocumentdessai(Imprimante& imprimante);
