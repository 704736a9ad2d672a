#pragma once
// L'écrivain des fichiers de données : chaque écriture est notée dans la liste des
// modifications et inscrite dans l'historique de sa classe, dans la même transaction.

#include <QList>
#include <QString>
#include <QStringList>

#include "noyau/suivi/modifications.h"
#include "plateforme/transaction.h"

// Écrit un fichier de données entier après l'avoir noté dans la liste des
// modifications, sous le piège des erreurs de fichier.
void écrirefichiernoté(const QString& nom, const QStringList& lignes);

// Écrit ensemble des fichiers qui doivent rester d'accord entre eux (un élève à la
// même place dans chaque période) : aucun n'est remplacé quand l'un ne peut pas
// être écrit. Une erreur montre sa cause ; OK recommence, Annuler renonce au
// changement. Rend vrai quand tous sont écrits.
// Les annexes (tenues par le programme, comme les ancêtres communs) vont dans la
// même transaction sans entrer dans la liste des modifications ni dans l'historique.
bool écrirefichiersnotés(const QList<FichierPréparé>& fichiers, const QList<FichierÀÉcrire>& annexes = {});

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

// Achève un changement qu'un arrêt brutal a interrompu ; à faire avant toute
// lecture du dossier des données. Rend les fichiers achevés.
QStringList achevertransactionsenattente();
