#pragma once
// Fichiers d'exportation de la classe-période ouverte, pour un tableur ou un
// traitement de texte : noms, notes, moyennes, moyenne d'une compétence. Texte
// Windows-1252 à fins de ligne CR LF, jamais relu par le programme.

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

inline const QString typecsv = QStringLiteral(".csv");
inline const QString typedoc = QStringLiteral(".doc");

// Le premier "." devient ",".
QString changerpointenvirgule(const QString& texte);
// Un champ qui contient ";" ou un guillemet est mis entre guillemets, ceux du
// dedans doublés ; tout autre champ reste tel quel.
QString champexport(const QString& texte);

QString dossierexport();  // "Exportation Evalo" du dossier personnel
// Date et heure du nom des fichiers : "12-05-2026 14-30-05".
QString horodatage();

QString nomexportnoms();
QString nomexportnotes(const QString& type);
QString nomexportmoyennes(const QString& type);
// dossier & classe & "- CP" & Str(c) & ".csv" ; le dossier avec ou sans son séparateur final.
QString nomexportcompétence(const QString& dossier, int compétence);

QStringList lignesnoms();
QStringList lignesnotes(const QString& type);
QStringList lignesmoyennes(const QString& type);

// Moyenne des pourcentages d'une compétence sur les périodes de la classe
// ouverte, par élève de la période ouverte ; rien pour un élève sans note dans
// cette compétence. La classe-période ouverte est rechargée à la fin.
QList<std::optional<int>> moyennescompétence(int compétence);
QStringList lignescompétence(const QList<std::optional<int>>& moyennes);

// Écrit le fichier entier ; le dossier d'exportation fixe est créé s'il manque,
// tout autre dossier doit exister. Lève ErreurFichier.
void écrireexport(const QString& chemin, const QStringList& lignes);
