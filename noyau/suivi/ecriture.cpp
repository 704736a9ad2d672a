#include "noyau/suivi/ecriture.h"

#include <algorithm>
#include <utility>

#include "noyau/base/dossiers.h"
#include "noyau/base/module.h"
#include "noyau/base/piege.h"
#include "noyau/suivi/historique.h"
#include "plateforme/encodage.h"
#include "plateforme/fichiers.h"
#include "plateforme/transaction.h"

namespace {

Transaction* transactionencours = nullptr;

}  // namespace

Transaction::Transaction() : englobante_(transactionencours) {
  if (!englobante_) transactionencours = this;
}

Transaction::~Transaction() {
  if (transactionencours == this) transactionencours = nullptr;
}

bool Transaction::valider() {
  if (englobante_) return true;  // la transaction englobante écrira
  transactionencours = nullptr;
  const QList<FichierPréparé> fichiers = std::exchange(fichiers_, {});
  return écrirefichiersnotés(fichiers);
}

void écrirefichiernoté(const QString& nom, const QStringList& lignes) {
  if (transactionencours) {
    QList<FichierPréparé>& gardés = transactionencours->fichiers_;
    const auto même = std::find_if(gardés.begin(), gardés.end(), [&](const FichierPréparé& f) { return f.nom == nom; });
    if (même != gardés.end()) gardés.erase(même);
    gardés.append({nom, lignes});
    return;
  }
  const QString chemin = chemindisquedur(nom);
  avecpiège(titreerreur(chemin), [&] {
    const QList<FichierÀÉcrire> historique = inscrirechangement({{nom, lignes}});
    if (historique.isEmpty()) {
      noterfichierécrit(nom);
      écrirefichier(chemin, lignes);
    } else {
      écrireensemblenoté(QList<FichierÀÉcrire>{{chemin, octetsdelignes(lignes)}} + historique, {nom});
    }
  });
}

bool écrirefichiersnotés(const QList<FichierPréparé>& fichiers, const QList<FichierÀÉcrire>& annexes) {
  if (fichiers.isEmpty() && annexes.isEmpty()) return true;
  QList<FichierÀÉcrire> àécrire;
  QStringList noms;
  for (const FichierPréparé& f : fichiers) {
    àécrire.append({chemindisquedur(f.nom), f.supprimer ? QByteArray() : octetsdelignes(f.lignes), f.supprimer});
    noms.append(f.nom);
  }
  for (;;) {
    try {
      écrireensemblenoté(àécrire + inscrirechangement(fichiers) + annexes, noms);
      return true;
    } catch (const ErreurFichier& e) {
      const QString titre = titreerreur(e.chemin().isEmpty() && !fichiers.isEmpty() ? chemindisquedur(fichiers.first().nom) : e.chemin());
      if (avertissement(e.texte() + QStringLiteral("\n\nOK : réessayer.  Annuler : renoncer à ce changement."), titre) != OK)
        return false;
    }
  }
}

QStringList achevertransactionsenattente() {
  const QString journal = chemindisquedur(nomjournal);
  const QStringList achevés = avecpiège(titreerreur(journal), [&] { return achevertransaction(journal); });
  // Une copie de sortie interrompue sur le disque amovible s'achève aussi (ou ses
  // temporaires sont jetés), quand il est là.
  try {
    if (dossierexiste(cheminamovible(QString()))) achevertransaction(cheminamovible(nomjournal));
  } catch (const ErreurEvalo&) {
  }
  return achevés;
}
