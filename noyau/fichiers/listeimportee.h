#pragma once
// Liste d'élèves venue du secrétariat : un texte à colonnes (CSV en UTF-8 ou en
// Windows-1252, séparé par ";", "," ou des tabulations, champs entre guillemets)
// ou la première feuille d'un classeur. On devine pour le professeur l'encodage,
// le séparateur, la ligne des titres, les colonnes du nom, du prénom et de la
// classe ; il corrige ce qu'il veut et voit les élèves qui seront ajoutés.

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QStringList>

#include "noyau/fichiers/classeurlu.h"
#include "plateforme/encodage.h"


struct FichierListe {
  bool classeur = false;  // .xlsx ou .ods : ni encodage ni séparateur
  QByteArray octets;      // texte du fichier, encore à décoder
  TableauLu cases;        // la feuille d'un classeur
};

// Lit le fichier (classeur reconnu à son contenu) ; lève ErreurFichier ou
// ErreurDonnée (fichier binaire, classeur abîmé ou protégé) avec la phrase à montrer.
FichierListe lirelisteélèves(const QString& chemin);

// ';', '\t' ou ',' d'après les premières lignes ; QChar() quand le texte n'a qu'une colonne.
QChar séparateurdeviné(QStringView texte);
// Lignes et champs ; un champ entre guillemets peut porter séparateurs, sauts de
// ligne et guillemets doublés. Les lignes vides tombent. Sans séparateur : une colonne.
TableauLu découpercsv(QStringView texte, QChar séparateur);

struct RéglagesListe {
  Encodage encodage = Encodage::Utf8;
  QChar séparateur;           // QChar() : une seule colonne
  int premièreligne = 0;      // lignes d'avant (titre du document) ignorées
  bool titres = false;        // la première ligne lue nomme les colonnes
  int colonnenom = 0;         // le nom, ou le nom et le prénom ensemble
  int colonneprénom = -1;     // -1 : le prénom est dans la colonne du nom
  int colonneclasse = -1;     // -1 : pas de colonne des classes
  int colonnedistinction = -1;  // ce qui distingue deux élèves de même nom (date de naissance) ; -1 : un numéro
  bool homonymesdelaclasse = false;  // ajouter aussi, distingués, ceux qui ont le nom d'un élève de la classe
  QString classe;             // vide : toutes les classes
};

// Le tableau que montrent les réglages (encodage et séparateur des textes).
TableauLu tableaudeliste(const FichierListe& fichier, const RéglagesListe& réglages);
// Encodage et séparateur d'un texte, ligne des titres et colonnes d'un tableau ;
// la classe visée est choisie quand la colonne des classes la porte.
RéglagesListe devinerréglages(const FichierListe& fichier, const QString& classevisée);
void devinercolonnes(const TableauLu& tableau, RéglagesListe& réglages, const QString& classevisée);

// La première ligne d'élève (après les lignes ignorées et celle des titres).
int premièredonnée(const RéglagesListe& réglages);
// Vrai quand la ligne est de la classe choisie (ou qu'aucune classe n'est choisie).
bool delaclassechoisie(const QStringList& ligne, const RéglagesListe& réglages);

// Vrai quand le texte est une simple suite de noms (un par ligne, ou séparés par des
// virgules sur une ligne) ; faux pour un tableau à colonnes (titres, guillemets, même
// nombre de champs sur la plupart des lignes), quel que soit le nom du fichier.
bool desnomsséparésparlesvirgules(const FichierListe& fichier, const RéglagesListe& réglages);

// Les classes de la colonne des classes, chacune avec son nombre d'élèves, en ordre alphabétique.
QList<QPair<QString, int>> classestrouvées(const TableauLu& tableau, const RéglagesListe& réglages);
// "Nom Prénom" de chaque ligne d'élève retenue (classe choisie, lignes sans nom ôtées).
QStringList nomslus(const TableauLu& tableau, const RéglagesListe& réglages);
// La case de la colonne donnée, pour les mêmes lignes que nomslus (vide : pas de colonne).
QStringList caseslues(const TableauLu& tableau, const RéglagesListe& réglages, int colonne);

// Ce que la porte des textes fait d'un nom lu (préfixe compris).
struct NomImporté {
  // Distingué : un homonyme, dans le fichier ou dans la classe, dont le nom a reçu sa marque.
  enum Sort { Gardé, LettresProches, BarreRemplacée, TropLong, DéjàLà, Distingué };
  QString lu;   // tel que le fichier le donne
  QString nom;  // tel qu'il serait ajouté
  Sort sort = Gardé;
};

// Deux élèves de même nom ne peuvent pas être deux lignes de la classe : le nom de
// chacun reçoit entre parenthèses ce qui le distingue (sa date de naissance, par
// exemple), ou un numéro (2), (3)... quand rien ne le distingue.
struct Homonymes {
  QStringList distinctions;    // par nom lu, dans l'ordre des noms lus ; vide : des numéros
  bool aveclaclasse = false;   // ceux qui ont le nom d'un élève déjà dans la classe aussi
};

// Noms lus passés par la porte, dans l'ordre alphabétique du programme ; les noms
// vides et les lignes de total disparaissent, ceux de déjàlà sont marqués, les
// homonymes distingués.
QList<NomImporté> passerlaporte(const QStringList& lus, const QString& préfixe, const QStringList& déjàlà,
                                const Homonymes& homonymes = {});
