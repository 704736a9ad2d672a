#pragma once
// Couleurs au format des valeurs RGB de l'ancien système : rouge + vert × 256 +
// bleu × 65536 (le rouge vaut donc 255).

inline constexpr int rgb(int rouge, int vert, int bleu) { return rouge | (vert << 8) | (bleu << 16); }
inline constexpr int rougede(int couleur) { return couleur & 0xFF; }
inline constexpr int vertde(int couleur) { return (couleur >> 8) & 0xFF; }
inline constexpr int bleude(int couleur) { return (couleur >> 16) & 0xFF; }

inline constexpr int noir = rgb(0, 0, 0);
inline constexpr int blanc = rgb(255, 255, 255);
inline constexpr int rouge = rgb(255, 0, 0);
inline constexpr int bleu = rgb(0, 0, 255);
inline constexpr int jaune = rgb(255, 255, 0);
// Pas de couleur propre : celle du texte ou du fond ordinaire.
inline constexpr int sanscouleur = -1;
