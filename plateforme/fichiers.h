#pragma once
// Fichiers de données : lignes en Windows-1252 terminées par CR LF, écrites en entier
// et de façon atomique (un fichier temporaire renommé à la fin), et noms relatifs
// à la Windows ("\", "A:") traduits en chemins réels.

#include <QIODevice>
#include <QString>
#include <QStringList>

#include "plateforme/erreurs.h"

// Lignes d'un texte : fin de ligne CR LF, LF seul ou CR seul ; la fin de ligne
// de la dernière ligne est facultative.
QStringList découperlignes(QStringView texte);

// Éléments d'une suite de lignes : un élément finit à une virgule ou à la fin de
// la ligne ; blancs autour et guillemets qui l'entourent ôtés.
QStringList découperéléments(const QStringList& lignes);

QStringList lirelignes(QIODevice& appareil);
void écrirelignes(QIODevice& appareil, const QStringList& lignes);
QByteArray octetsdelignes(const QStringList& lignes);

// Versions sur un chemin réel ; lèvent ErreurFichier avec la cause en français.
QByteArray lireoctets(const QString& chemin);
QStringList lirefichier(const QString& chemin);
// Fichier venu d'ailleurs (liste d'élèves), dans l'encodage que devine encodagedeviné.
QStringList lirefichierimporté(const QString& chemin);
void écrireoctets(const QString& chemin, const QByteArray& octets);
void écrirefichier(const QString& chemin, const QStringList& lignes);

void copierfichier(const QString& source, const QString& cible);
void supprimerfichier(const QString& chemin);  // rien à faire quand il n'existe pas
void créerdossier(const QString& chemin);      // avec les dossiers parents
bool fichierexiste(const QString& chemin);
bool dossierexiste(const QString& chemin);
// Vrai quand le nom peut servir de nom de fichier ou de dossier sans sortir du
// dossier qui le reçoit : ni / \ : * ? " < > |, ni caractère de contrôle, ni
// point au début, ni "..".
bool nomdefichiersûr(const QString& nom);
QStringList listerfichiers(const QString& dossier);  // noms seuls, ordre alphabétique
QStringList listerdossiers(const QString& dossier);

// Chemin réel d'un nom de l'ancien système : "\" devient "/", "A:" et "B:" le
// dossier "Disque amovible" du dossier personnel, les autres lecteurs le dossier
// personnel ; un nom relatif se lit depuis le dossier personnel, jamais depuis le
// dossier de travail.
QString cheminréel(const QString& nom);
QString dossieramovibleordinaire();
// « Exportation Evalo », où vont les PDF et les exportations : dans les documents de
// l'utilisateur, ou à côté du programme pour la copie portable (exportationsdans).
QString dossierexportation();
void exportationsdans(const QString& dossier);

// Pour les essais : la prochaine écriture échoue (disque plein) après n octets ;
// -1 rend les écritures normales.
void simulerdisqueplein(qint64 octetsavantpanne);
// Pour les essais : dans la prochaine écriture d'un ensemble de fichiers (une
// transaction), le rang-ième fichier temporaire (1 pour le premier) trouve le disque
// plein ; 0 rend les écritures normales.
void simulerpanneaufichier(int rang);
// Pour les essais : après n fichiers écrits un à un, chaque écriture suivante
// trouve le disque plein ; -1 rend les écritures normales.
void simulerdisquepleinaprès(int fichiers);
