#pragma once
// Un vrai tableur relit les exportations : LibreOffice Calc, sans écran, ouvre
// chaque fichier ".csv" comme un enseignant en Belgique francophone (séparateur
// ";", Windows-1252, nombres à la française) et l'enregistre en ODS plat, dont on
// lit le genre de chaque cellule.

#include <QMap>
#include <QString>
#include <QStringList>

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
  QString genre, valeur, gardée, fond;
};
struct ClasseurLu {
  QStringList feuilles;
  QMap<QString, QString> figées;
  QMap<QString, QMap<QString, CaseLue>> cases;
};
ClasseurLu lireclasseur(const QString& chemin, QString& erreur);
