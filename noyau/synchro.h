#pragma once
// Registre des fichiers écrits et synchronisation avec le disque amovible.
// "listebck.txt" : nom relatif de chaque fichier écrit pendant la session, dans
// l'ordre, répété à chaque écriture. "fichiersentrés.txt" : chaque fichier déjà
// comparé à sa copie amovible pendant la session ; sa présence au démarrage
// signale une fin anormale.

#include <QString>
#include <QStringList>
#include <functional>

// À appeler par chaque écrivain avant d'écrire.
void noterfichierécrit(const QString& nom);

// Écrit un fichier de données entier après l'avoir noté dans la liste des
// modifications, sous le piège des erreurs de fichier.
void écrirefichiernoté(const QString& nom, const QStringList& lignes);

struct FichierPréparé {
  QString nom;  // relatif au dossier des données
  QStringList lignes;
  bool supprimer = false;  // le fichier disparaît avec le changement
};
// Écrit ensemble des fichiers qui doivent rester d'accord entre eux (un élève à la
// même place dans chaque période) : aucun n'est remplacé quand l'un ne peut pas
// être écrit. Une erreur montre sa cause ; OK recommence, Annuler renonce au
// changement. Rend vrai quand tous sont écrits.
bool écrirefichiersnotés(const QList<FichierPréparé>& fichiers);

// Écrit des fichiers en une transaction après avoir noté les noms donnés dans la
// liste des modifications ; lève ErreurFichier.
struct FichierÀÉcrire;
void écrireensemblenoté(const QList<FichierÀÉcrire>& fichiers, const QStringList& noms);

// Un changement qui écrit plusieurs fichiers : tant qu'elle vit, chaque
// écrirefichiernoté est gardé au lieu d'être écrit ; valider() les écrit tous en
// une transaction (écrirefichiersnotés). Sans valider(), rien n'est écrit. Une
// transaction ouverte dans une autre se fond dans la première.
class Transaction {
public:
  Transaction();
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;
  bool valider();

private:
  friend void écrirefichiernoté(const QString& nom, const QStringList& lignes);
  QList<FichierPréparé> fichiers_;
  Transaction* englobante_;
};

// Nom du journal des transactions, dans le dossier des données.
inline const QString nomjournal = QStringLiteral("transaction.evl");
// Achève un changement qu'un arrêt brutal a interrompu ; à faire avant toute
// lecture du dossier des données. Rend les fichiers achevés.
QStringList achevertransactionsenattente();

// À appeler par chaque lecteur avant d'ouvrir le fichier du disque dur : à la
// première lecture de la session, compare les deux copies et laisse choisir.
void vérifieravantlecture(const QString& nom);

// Sortie depuis la liste des classes : copie les fichiers écrits sur le disque
// amovible et met fin au programme ; rend la main seulement quand l'utilisateur
// renonce à quitter.
void sauvegardedesortie();

// Sortie depuis la feuille principale : ne pose la question que pour le lecteur
// "A:\" et montre la copie en cours par avantcopie. Rend vrai quand le programme
// doit se terminer (la liste des fichiers vérifiés est alors déjà supprimée).
bool sauvegardedesortieprincipale(const std::function<void(const QString& nom)>& avantcopie);

// Après une fin anormale : copie sans rien demander.
void sauvegardederécupération();
