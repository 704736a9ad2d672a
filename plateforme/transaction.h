#pragma once
// Transactions : plusieurs fichiers qui vont ensemble (les périodes d'une classe, les
// notes et les interrogations d'une période) sont remplacés tous ou aucun, même si le
// programme s'arrête net ou si le courant manque au milieu.
//
// Un fichier écrit seul passe aussi par un temporaire ".~evalo" renommé.
//
// 1. chaque nouveau contenu va dans un temporaire (nom + ".~evalo") du dossier de son
//    fichier, forcé sur le disque ;
// 2. un journal nomme chaque paire temporaire → fichier ; il est écrit de façon
//    atomique (lui-même par un temporaire renommé) : c'est l'instant où la
//    transaction est acquise ;
// 3. les renommages, puis le journal supprimé.
// Au démarrage, un journal resté en place est achevé (les renommages qui manquent
// sont faits) avant toute lecture ; un temporaire sans journal est jeté.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <stdexcept>

struct FichierÀÉcrire {
  QString chemin;
  QByteArray octets;
  bool supprimer = false;  // le fichier disparaît avec la transaction
  bool annexe = false;     // tenu par le programme (historique) : pas compté dans les messages
};

inline const QString suffixetemporaire = QStringLiteral(".~evalo");

// Écrit les fichiers en une transaction dont le journal est le chemin donné (dans
// le dossier des données ; les fichiers doivent être dans ce dossier ou ses
// sous-dossiers). Une erreur avant l'écriture du journal ne change aucun fichier et
// le dit ; une erreur pendant les renommages laisse le journal, si bien que le
// changement est achevé au prochain démarrage, et le dit aussi.
void écrireensemble(const QList<FichierÀÉcrire>& fichiers, const QString& journal);

// Achève la transaction d'un journal laissé par un arrêt brutal, puis jette les
// temporaires orphelins du dossier du journal et de ses sous-dossiers. Rend les
// fichiers achevés (chemins relatifs au dossier du journal). Une entrée du journal
// qui sortirait du dossier est ignorée.
QStringList achevertransaction(const QString& journal);

// Vrai pour le journal et les temporaires, que ni la copie sur le disque amovible
// ni le back-up ne doivent emporter.
bool fichierdetransaction(const QString& nom);

// Pour les essais : un arrêt brutal simulé après n opérations d'une transaction
// (temporaire écrit, journal écrit, renommage, journal supprimé) ; -1 : jamais.
// L'arrêt lève ArrêtSimulé, ou fait ce qu'on lui donne (un vrai SIGKILL).
struct ArrêtSimulé : std::exception {};
void simulerarrêtaprès(int opérations, std::function<void()> commentarrêter = {});
