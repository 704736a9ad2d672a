#pragma once
// Historique des modifications d'une classe, annulation et rétablissement.
//
// Chaque changement d'une classe est noté dans "clé\historique.txt" (une ligne par
// changement, Windows-1252, CR LF) ; les octets de chaque fichier avant et après
// le changement sont gardés dans "clé\annulations\<id>.evu". La ligne, l'image et
// les fichiers du changement sont écrits dans la même transaction. Une annulation
// remet les octets d'avant, un rétablissement ceux d'après, en une transaction
// aussi. Aucun fichier de données ne change de format : l'historique est à côté.

#include <QDateTime>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "noyau/suivi/modifications.h"
#include "plateforme/transaction.h"

enum class ÉtatModification : char {
  Active = '+',      // faite, annulable
  Fixée = '=',       // faite, trop ancienne pour être annulée (image effacée)
  Annulée = '-',     // annulée, rétablissable
  Abandonnée = 'x',  // annulée, puis suivie d'un autre changement
};

struct Modification {
  QString id;
  QDateTime quand;
  QString période;     // "P1", "P1, P2, E1" ou "classe"
  QString ordinateur;
  QString libellé, ancienne, nouvelle;
  ÉtatModification état = ÉtatModification::Active;
  QStringList fichiers;

  // Dans les mots du professeur : "note de Dupont Jean, interro n°3 (12 → 14)".
  QString texte() const;
  bool faite() const { return état == ÉtatModification::Active || état == ÉtatModification::Fixée; }
};

// Une ligne du fichier de l'historique, et sa lecture (nullopt pour une ligne abîmée).
QString lignehistorique(const Modification& m);
std::optional<Modification> lirelignehistorique(QStringView ligne);
// Les lignes de deux copies du même historique (disque dur, disque amovible) : chaque
// changement une fois, dans l'ordre des dates ; celui du disque dur l'emporte.
QList<Modification> fusionnerhistoriques(const QList<Modification>& ici, const QList<Modification>& ailleurs);

QString nomhistorique(const QString& clé);  // clé\historique.txt
// Les lignes d'une autre copie de l'historique de la classe (copie en conflit d'un
// service de synchronisation) rejoignent celles du disque dur.
void fusionnerhistoriquede(const QString& clé, const QString& chemin);

// Le temps d'une commande : ses écritures forment un seul changement de l'historique,
// décrit ainsi. Un changement nommé dans un autre se fond dans le premier.
class ChangementNommé {
public:
  ChangementNommé(QString libellé, QString ancienne = QString(), QString nouvelle = QString());
  ~ChangementNommé();
  ChangementNommé(const ChangementNommé&) = delete;
  ChangementNommé& operator=(const ChangementNommé&) = delete;

private:
  friend struct InscriptionHistorique;
  QString libellé_, ancienne_, nouvelle_;
  QString id_, clé_;  // le changement déjà inscrit par une écriture précédente, et sa classe
  ChangementNommé* englobant_;
};

// Le temps d'une commande qui ne doit pas entrer dans l'historique (classe de
// démonstration fabriquée).
class SansHistorique {
public:
  SansHistorique();
  ~SansHistorique();
  SansHistorique(const SansHistorique&) = delete;
  SansHistorique& operator=(const SansHistorique&) = delete;

private:
  bool avant_;
};

// Pour l'écrivain des fichiers : ce qu'il faut écrire en plus, dans la même
// transaction, pour inscrire ces fichiers dans l'historique de leur classe (rien
// quand aucun n'est dans le dossier d'une classe). Lit les fichiers tels qu'ils
// sont avant le changement.
QList<FichierÀÉcrire> inscrirechangement(const QList<FichierPréparé>& fichiers);

// L'historique d'une classe, le plus ancien d'abord (vide sans fichier).
QList<Modification> historiqueclasse(const QString& clé);
// Le changement qu'annulerait annulerdernier, celui que rétablirait rétablirsuivant.
std::optional<Modification> àannuler(const QString& clé);
std::optional<Modification> àrétablir(const QString& clé);

// Chacun en une transaction ; quand un fichier a changé depuis (autre ordinateur,
// autre commande), la liste est montrée et la question posée d'abord. Rendent les
// fichiers remis (noms relatifs), vide quand rien n'a changé.
QStringList annulerdernier(const QString& clé);
QStringList rétablirsuivant(const QString& clé);
// Annule chaque changement fait après celui-ci.
QStringList revenirà(const QString& clé, const QString& id);

// Durée de l'historique en jours (par défaut une année scolaire) ; au-delà, les
// lignes sont retirées à la modification suivante.
int duréehistorique();
void fixerduréehistorique(int jours);
// Nombre de changements les plus récents que l'on peut encore annuler.
inline constexpr int changementsannulables = 200;

// Les fichiers de l'historique d'une classe à copier sur le disque amovible avec elle.
QString historiqueàcopier(const QString& nomfichierécrit);

// Ce qui relit un fichier de données remis par une annulation (pièce des fichiers,
// branchée au démarrage) : vide quand il se relit, sinon ce qui ne va pas.
void brancherrelectureimages(std::function<QString(const QString& nom, const QByteArray& octets)> relire);

// Ce qui relit toute une classe telle qu'une annulation la laisserait (pièce de la
// fusion, branchée au démarrage) : nom relatif → octets remis (nullopt : effacé), les
// autres fichiers de la classe restant comme ils sont ; vide quand la classe s'ouvrirait.
using RelectureClasse = std::function<QString(const QString& clé, const QMap<QString, std::optional<QByteArray>>& remis)>;
void brancherrelectureclasse(RelectureClasse relire);

// Le nom de cet ordinateur, tel que l'historique le note.
QString ordinateurcourant();

// Pour les essais : un autre ordinateur ; l'historique relu au lieu d'être gardé.
void fixerordinateur(const QString& nom);
void oublierhistoriques();
