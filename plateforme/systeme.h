#pragma once
// Les appels au système qui diffèrent entre POSIX et Windows, derrière les mêmes
// fonctions : forcer un fichier sur le disque, remplacer un fichier par un autre
// d'un coup, et dire pourquoi le dernier appel a échoué. Un corps par système
// (systeme_posix.cpp, systeme_windows.cpp) ; rien au-dessus ne teste le système.

#include <QString>

class QFileDevice;

// Pourquoi un appel a échoué, dans les mots du programme.
enum class GenreÉchec { Aucun, DisquePlein, Refusé, Occupé, Autre };
struct ÉchecSystème {
  GenreÉchec genre = GenreÉchec::Aucun;
  QString détail;  // le message du système
};

// Le dernier échec du système (errno, GetLastError) ; à lire aussitôt après l'appel.
ÉchecSystème dernieréchec();
// Oublie le dernier échec, avant un appel dont on lira l'échec.
void oublieréchec();

// Force sur le disque ce qui a été écrit dans le fichier ouvert (fsync, FlushFileBuffers).
bool forcersurledisque(QFileDevice& fichier);
// Remplace chemin par temporaire d'un coup (rename, MoveFileExW qui écrit à travers) ;
// un fichier tenu ouvert par un autre programme est réessayé un court instant.
bool remplacerparrenommage(const QString& temporaire, const QString& chemin);
// Supprime un fichier ; faux quand il est resté.
bool supprimer(const QString& chemin);
// Force sur le disque les renommages faits dans un dossier (rien à faire sous Windows,
// où le renommage écrit à travers).
void synchroniserdossier(const QString& dossier);

// Arrête le processus sur-le-champ, comme une coupure de courant l'arrêterait : sans
// rien vider ni fermer (SIGKILL, TerminateProcess). Sert aux essais d'arrêt brutal.
[[noreturn]] void arrêterbrutalement();

// Vrai quand « C: » désigne un vrai lecteur de ce système (Windows) ; ailleurs, les
// chemins des anciennes versions se rangent dans le dossier de l'utilisateur.
bool lecteurdusystème(QChar lecteur);

// Le dossier de l'utilisateur : HOME sous Linux, USERPROFILE sous Windows (les essais
// le déplacent par ces variables).
QString dossierutilisateur();
// Le dossier des documents de l'utilisateur : son dossier personnel sous Linux, ses
// « Documents » sous Windows (écrire à la racine de C: y demande d'être administrateur).
QString dossierdesdocuments();
// Le nom d'un dossier existant tel que le prend fopen() d'une bibliothèque C : sous
// Windows, fopen() lit les noms dans la page de code ANSI, où « Łódź » n'existe pas ;
// le nom court (8.3, en ASCII) du dossier y mène alors. Sous Linux, l'UTF-8 du nom.
QByteArray dossierpourfopen(const QString& dossier);
