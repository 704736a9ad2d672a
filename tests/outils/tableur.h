#pragma once
// Un vrai tableur relit les exportations : LibreOffice Calc, sans écran, ouvre
// chaque fichier ".csv" comme un enseignant en Belgique francophone (séparateur
// ";", Windows-1252, nombres à la française) et l'enregistre en ODS plat, dont on
// lit le genre de chaque cellule.

#include <QMap>
#include <QString>
#include <QStringList>

#include "noyau/fichiers/listeimportee.h"

// Par fichier, une ligne par rangée : "N" une cellule nombre, "T" une cellule
// texte, "." une cellule vide (les vides de fin de rangée ôtés). Une erreur
// (tableur absent, conversion ratée) est rendue dans erreur, la carte vide.
QMap<QString, QStringList> genresdescellules(const QStringList& fichierscsv, const QString& dossiertravail,
                                             QString& erreur);

// Un vrai lecteur (openpyxl) relit un classeur .xlsx. Par feuille et par adresse
// ("C5") : le genre ("n" nombre, "s" texte, "f" formule), la valeur (texte de la
// formule pour "f"), la valeur gardée d'une formule, la couleur du fond
// ("FFFFD8D8") ; "feuilles" donne les noms, "figées" la case des volets figés.
struct CaseLue {
  QString genre, valeur, gardée, fond, alignement, format;
};
struct ClasseurLu {
  QStringList feuilles;
  QMap<QString, QString> figées;
  QMap<QString, QString> pageshaut;  // à l'impression, pages de haut imposées ("1"), vide : autant qu'il faut
  QMap<QString, QMap<QString, CaseLue>> cases;
};
ClasseurLu lireclasseur(const QString& chemin, QString& erreur);

// LibreOffice Calc, sans écran, dans un profil en français de Belgique (virgule
// décimale) qui recalcule chaque formule au chargement, ouvre chaque classeur et
// l'enregistre ; chaque copie recalculée est relue par openpyxl. Par fichier donné,
// le classeur relu.
QMap<QString, ClasseurLu> recalculerenfrançais(const QStringList& classeurs, const QString& dossiertravail, QString& erreur);

// Change la valeur gardée de la première formule de la première feuille (pour
// prouver qu'un recalcul a eu lieu) ; rend l'adresse de la case, vide en cas d'échec.
QString falsifierunevaleurgardée(const QString& classeur, const QString& valeur);

// LibreOffice Calc, sans écran, ouvre un CSV en UTF-8 séparé par ";" et l'enregistre
// au format donné ("xlsx", "ods") dans dossiertravail ; rend le chemin du classeur,
// vide en cas d'échec (raison dans erreur).
// Chaque feuille nommée telle qu'un vrai LibreOffice en français de Belgique la montre
// (texte affiché de chaque case, nombres avec leur virgule), ligne par ligne.
QMap<QString, TableauLu> montréenfrançais(const QString& classeur, const QStringList& feuilles, const QString& dossiertravail,
                                         QString& erreur);

QString convertirparlibreoffice(const QString& csv, const QString& format, const QString& dossiertravail, QString& erreur);
