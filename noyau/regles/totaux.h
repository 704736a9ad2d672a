#pragma once
// Résultats de chaque élève de la classe ouverte pour chaque période et chaque
// examen, et leurs sommes, pour les totaux, les impressions et le classement.

// Remplit totauxrapport1 à 4 ; au retour, la classe-période ouverte est celle
// d'avant l'appel. Un élève absent d'une période (fichier plus court) y a "?".
void rassemblertotaux();

// La même chose jusqu'à la période n seulement ; la dernière période de la classe
// reste celle qu'elle était.
void rassemblertotauxjusquà(int n);
