#include "noyau/suivi/modifications.h"

#include "noyau/base/dossiers.h"
#include "noyau/base/piege.h"
#include "plateforme/encodage.h"
#include "plateforme/fichiers.h"
#include "plateforme/transaction.h"

namespace {

void ajouterlignes(const QString& chemin, const QStringList& lignes) {
  if (lignes.isEmpty()) return;
  QByteArray octets = fichierexiste(chemin) ? lireoctets(chemin) : QByteArray();
  if (!octets.isEmpty() && !octets.endsWith('\n') && !octets.endsWith('\r')) octets += "\r\n";
  octets += octetsdelignes(lignes);
  écrireoctets(chemin, octets);
}

// Une seule écriture de chaque liste pour tous les fichiers d'un changement.
void noterfichiersécrits(const QStringList& noms) {
  ajouterlignes(chemindisquedur(nomlistemodifications), noms);
  const QString vérifiés = chemindisquedur(nomlistevérifiés);
  const QStringList déjà = lignessiexiste(vérifiés);
  QStringList nouveaux;
  for (const QString& n : noms)
    if (!déjà.contains(n) && !nouveaux.contains(n)) nouveaux.append(n);
  ajouterlignes(vérifiés, nouveaux);
}

}  // namespace

QStringList lignessiexiste(const QString& chemin) {
  return fichierexiste(chemin) ? lirefichier(chemin) : QStringList();
}

QStringList modificationsenattente() {
  QStringList entrées;
  const QString liste = chemindisquedur(nomlistemodifications);
  for (const QString& e : découperéléments(lignessiexiste(liste)))
    if (!e.isEmpty() && !entrées.contains(e)) entrées.append(e);
  return nomssûrs(entrées, liste);
}

void noterfichierécrit(const QString& nom) { noterfichiersécrits({nom}); }

void écrireensemblenoté(const QList<FichierÀÉcrire>& fichiers, const QStringList& noms) {
  noterfichiersécrits(noms);
  écrireensemble(fichiers, chemindisquedur(nomjournal));
}

bool déjàvérifié(const QString& nom) { return lignessiexiste(chemindisquedur(nomlistevérifiés)).contains(nom); }

// Une lecture ne doit jamais échouer parce que la liste ne peut pas s'écrire (disque
// plein) : le fichier sera seulement comparé de nouveau à sa prochaine lecture.
void noterfichiervérifié(const QString& nom) {
  try {
    ajouterlignes(chemindisquedur(nomlistevérifiés), {nom});
  } catch (const ErreurFichier&) {
  }
}

void supprimerlistevérifiés() {
  const QString vérifiés = chemindisquedur(nomlistevérifiés);
  avecpiège(titreerreur(vérifiés), [&] { supprimerfichier(vérifiés); });
}
