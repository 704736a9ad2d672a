#pragma once
// Le style du bureau, corrigé pour le clavier sous Linux, et les polices livrées.

// Sous Linux, le pont AT-SPI de Qt retient chaque touche le temps d'un aller-retour
// sur le bus d'accessibilité, alors que le raccourci Alt+F ouvre le menu tout de
// suite : la touche Alt, rendue en retard au menu ouvert, le refermait (Alt seul
// sert à entrer dans la barre des menus et à en sortir). Le style garde donc Alt
// pour les seules lettres soulignées ; F10 entre dans la barre des menus. Windows
// garde son usage d'Alt seul.
void poserlestyle();

// Les polices Liberation livrées avec le programme pour Windows (celles des mises en
// page et de la grille), dans « polices » à côté de l'exécutable ; Linux a les siennes.
void chargerlespolicesàcôté();
