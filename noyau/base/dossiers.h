#pragma once
// Arborescence des données. Un fichier de données est nommé dans le programme par
// son nom relatif au dossier de données, avec "\" ("listclas.13",
// "5A131\5A131.P1N") ; ses chemins réels sur le disque dur et sur le disque
// amovible se forment à partir de ce nom.

#include <QString>
#include <QStringList>

QString nomlisteclasses();                                  // "listclas." & année
QString nommaxima(const QString& clé);                       // clé\clé.MPE
QString nomnotes(const QString& clé, const QString& période);      // clé\clé.P1N
QString nominterros(const QString& clé, const QString& période);   // clé\clé.P1R
QString nomclasseouverte(QChar suffixe);  // notes ("N") ou interros ("R") de la classe-période ouverte

inline const QString nomlistemodifications = QStringLiteral("listebck.txt");
inline const QString nomlistevérifiés = QStringLiteral("fichiersentrés.txt");

QString dossierdonnées();                      // dossierracine & "\evalo"
QString chemindisquedur(const QString& relatif);  // dossierracine & "\evalo\" & relatif
// dossieramovible & relatif ; lève ErreurFichier quand aucun dossier amovible n'est choisi.
QString cheminamovible(const QString& relatif);
QString cheminrenseignements();                // dossierracine & "\rensdef.evl"
QString cheminaffichage();                     // dossierracine & "\affichage.txt"

// Crée le dossier amovible ordinaire ("Disque amovible" du dossier personnel) quand
// c'est lui qui est choisi et qu'il manque ; un autre dossier (une clé USB) n'est
// jamais créé à sa place.
void préparerdossieramovible();

// Vrai quand un nom relatif lu dans une liste reste dans son dossier : ni chemin
// absolu, ni lecteur ("C:"), ni composant "." ou "..", ni composant vide.
bool nomrelatifsûr(const QString& nom);
// Garde les noms sûrs d'une liste lue sur le disque ; les autres sont ignorés et un
// message les nomme avec le fichier qui les contenait.
QStringList nomssûrs(const QStringList& noms, const QString& fichier);

// "Erreur pour " & chemin & " !"
QString titreerreur(const QString& chemin);
