#pragma once
// Résultats de chaque élève de la classe ouverte pour chaque période et chaque
// examen, et leurs sommes, pour les totaux, les impressions et le classement.

// Remplit totauxrapport1 à 4 ; au retour, la classe-période ouverte est celle
// d'avant l'appel. Un élève absent d'une période (fichier plus court) y a "?".
void rassemblertotaux();
