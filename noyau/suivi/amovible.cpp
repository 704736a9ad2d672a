#include "noyau/suivi/amovible.h"

#include <QStringList>
#include <optional>

#include "noyau/base/dossiers.h"
#include "noyau/base/etat.h"
#include "noyau/base/module.h"
#include "noyau/base/piege.h"
#include "noyau/suivi/ancetres.h"
#include "noyau/suivi/differences.h"
#include "noyau/suivi/historique.h"
#include "noyau/suivi/modifications.h"
#include "plateforme/fichiers.h"
#include "plateforme/services.h"
#include "plateforme/transaction.h"

namespace {

FusionBranchée fusion;

// Le fichier pris au disque amovible devient l'ancêtre commun des deux copies.
void copierversdisquedur(const QString& nom) {
  const qsizetype barre = nom.indexOf(u'\\');
  if (barre > 0) créerdossier(chemindisquedur(nom.left(barre)));
  copierfichier(cheminamovible(nom), chemindisquedur(nom));
  noterancêtre(nom, lireoctets(chemindisquedur(nom)));
}

// Un fichier resté dans la liste des modifications (copie manquée à la dernière
// sortie) est plus récent sur le disque dur : on ne l'écrase pas sans le dire.
void comparerfichierenattente(const QString& nom, const QString& détails) {
  const int r = question(
      QStringLiteral("Le fichier <%1> n'a pas pu être copié sur le disque amovible lors de la dernière "
                     "sortie : la copie du disque dur est donc la plus récente, et elle diffère de celle "
                     "du disque amovible.\n\nOui : garder la copie du disque dur (elle sera copiée sur le "
                     "disque amovible à la sortie).\nNon : la remplacer par celle du disque amovible.")
          .arg(nom),
      QStringLiteral("ATTENTION"), détails);
  if (r == NON) copierversdisquedur(nom);
  if (r == ANNULER) terminerleprogramme();
}

void comparer(const QString& nom) {
  const QString disquedur = chemindisquedur(nom);
  if (!fichierexiste(disquedur)) {
    copierversdisquedur(nom);
    return;
  }
  // Un fichier en attente de copie que le disque amovible n'a jamais reçu : le
  // disque dur a la seule copie, elle sera copiée à la sortie.
  if (!fichierexiste(cheminamovible(nom)) && dossierexiste(cheminamovible(QString())) &&
      modificationsenattente().contains(nom))
    return;
  const QStringList amovible = lirefichier(cheminamovible(nom));
  const QStringList copiedur = lirefichier(disquedur);
  if (amovible == copiedur) {
    const QByteArray octets = lireoctets(cheminamovible(nom));
    try {
      if (!mêmeslignes(lireancêtre(nom), octets)) noterancêtre(nom, octets);
    } catch (const ErreurEvalo&) {
      // Sans ancêtre, la prochaine différence posera la question d'avant.
    }
    return;
  }
  const QString détails = textedesdifférences(nom, copiedur, amovible);
  if (modificationsenattente().contains(nom)) {
    comparerfichierenattente(nom, détails);
    return;
  }
  const int r = question(
      QStringLiteral("Le contenu du disque amovible et de la sauvegarde sur disque dur sont différents pour <") +
          nom +
          QStringLiteral(">.  Désirez-vous sauvegarder ces changements sur le disque dur ?  Attention : si vous "
                         "n'avez pas effectué de modifications sur un autre ordinateur, il est conseillé de ne "
                         "pas sauvegarder les modifications car il se pourrait qu'il y ait une erreur sur votre "
                         "disque amovible."),
      QStringLiteral("ATTENTION"), détails);
  if (r != OUI) terminerleprogramme();
  copierversdisquedur(nom);
}

enum class IssueCopie { Terminée, Refusée, Incomplète };

struct ÉchecCopie {
  QString nom;
  QString cause;
};

struct OptionsCopie {
  bool demander = true;
  QString question;
  QString messagefin;
  std::function<void(const QString&)> avantcopie;
};

QString rapportéchecs(const QList<ÉchecCopie>& échecs) {
  QString texte = QStringLiteral("Ces fichiers n'ont pas pu être copiés sur le disque amovible :\n");
  for (const ÉchecCopie& é : échecs) texte += QStringLiteral("\n- %1 : %2").arg(é.nom, é.cause);
  texte += QStringLiteral("\n\nIls restent intacts sur le disque dur et notés dans la liste des fichiers à "
                          "copier : ils seront copiés à la prochaine sortie.");
  return texte;
}

// L'historique d'une classe suit ses fichiers sur le disque amovible.
QStringList avechistoriques(const QStringList& entrées) {
  QStringList noms = entrées;
  for (const QString& nom : entrées) {
    const QString historique = historiqueàcopier(nom);
    if (!historique.isEmpty() && !noms.contains(historique)) noms.append(historique);
  }
  return noms;
}

// Les fichiers à copier, par groupe décidé ensemble : une classe (son dossier), ou un
// fichier seul du dossier des données ; dans l'ordre de la liste.
QList<QStringList> groupes(const QStringList& noms) {
  QList<QStringList> g;
  QStringList clés;
  for (const QString& nom : noms) {
    const qsizetype barre = nom.indexOf(u'\\');
    const QString clé = barre > 0 ? nom.left(barre) : nom;
    const qsizetype i = clés.indexOf(clé);
    if (i < 0) {
      clés.append(clé);
      g.append({nom});
    } else if (!g[i].contains(nom)) {
      g[i].append(nom);
    }
  }
  return g;
}

// Copie un groupe sur le disque amovible en une transaction (journal sur le disque
// amovible), puis en fait l'ancêtre commun des deux copies.
void copiergroupe(const QStringList& noms) {
  QList<FichierÀÉcrire> copies, ancêtres;
  for (const QString& nom : noms) {
    const qsizetype barre = nom.indexOf(u'\\');
    if (barre > 0 && dossierexiste(cheminamovible(QString()))) créerdossier(cheminamovible(nom.left(barre)));
    const QByteArray octets = lireoctets(chemindisquedur(nom));
    copies.append({cheminamovible(nom), octets});
    if (barre < 0 || nom != nomhistorique(nom.left(barre))) ancêtres += ancêtreàécrire(nom, octets);
  }
  écrireensemble(copies, cheminamovible(nomjournal));
  if (!ancêtres.isEmpty()) écrireensemble(ancêtres, chemindisquedur(nomjournal));
}

IssueCopie copierlistemodifications(const OptionsCopie& options, QString& rapport) {
  const QString liste = chemindisquedur(nomlistemodifications);
  if (!fichierexiste(liste)) return IssueCopie::Terminée;
  const QStringList entrées = avecpiège(titreerreur(liste), modificationsenattente);
  if (!entrées.isEmpty() && options.demander && question(options.question, QStringLiteral("Quitter")) != OUI)
    return IssueCopie::Refusée;
  QList<ÉchecCopie> échecs;
  for (QStringList groupe : groupes(avechistoriques(entrées))) {
    // Un fichier supprimé depuis (une classe retirée) n'a plus rien à copier.
    groupe.removeIf([](const QString& nom) { return !fichierexiste(chemindisquedur(nom)); });
    if (groupe.isEmpty()) continue;
    try {
      // La copie amovible a changé depuis que cet ordinateur l'a prise : fusionner d'abord.
      if (fusion.avantcopie) {
        const std::optional<QStringList> fusionnés = fusion.avantcopie(groupe.first());
        if (!fusionnés) {
          for (const QString& nom : groupe)
            échecs.append({nom, QStringLiteral("la copie du disque amovible a changé depuis et la fusion a été annulée")});
          continue;
        }
        for (const QString& nom : *fusionnés)
          if (!groupe.contains(nom) && fichierexiste(chemindisquedur(nom))) groupe.append(nom);
      }
      if (options.avantcopie)
        for (const QString& nom : groupe) options.avantcopie(nom);
      copiergroupe(groupe);
    } catch (const ErreurEvalo& e) {
      for (const QString& nom : groupe) échecs.append({nom, e.texte()});
    } catch (const CommandeArrêtée&) {
      for (const QString& nom : groupe) échecs.append({nom, QStringLiteral("fichier illisible")});
    }
  }
  if (échecs.isEmpty()) {
    avecpiège(titreerreur(liste), [&] { supprimerfichier(liste); });
    boîtes().message(options.messagefin, QString());
    return IssueCopie::Terminée;
  }
  QStringList restants;
  for (const ÉchecCopie& é : échecs) restants.append(é.nom);
  // Sur un disque plein, la liste d'avant reste : elle nomme déjà tous les restants.
  try {
    écrirefichier(liste, restants);
  } catch (const ErreurFichier&) {
  }
  rapport = rapportéchecs(échecs);
  return IssueCopie::Incomplète;
}

// Après une copie incomplète : rend vrai quand l'utilisateur veut quitter quand même.
bool quitterquandmême(const QString& rapport) {
  return question(rapport + QStringLiteral("\n\nVoulez-vous quitter quand même ?"),
                  QStringLiteral("Sauvegarde incomplète")) == OUI;
}

}  // namespace

void brancherfusion(FusionBranchée f) { fusion = std::move(f); }

void vérifieravantlecture(const QString& nom) {
  if (déjàvérifié(nom)) return;
  if (fusion.avantlecture && fusion.avantlecture(nom)) return;
  comparer(nom);
  noterfichiervérifié(nom);
}

void sauvegardedesortie() {
  const OptionsCopie options{
      true,
      QStringLiteral("Voulez-vous réellement quitter cette application ?  Si oui, laissez votre disque amovible "
                     "branché car la sauvegarde (éventuelle) va s'opérer maintenant."),
      QStringLiteral("Sauvegarde sur disque amovible terminée"),
      {}};
  QString rapport;
  const IssueCopie issue = copierlistemodifications(options, rapport);
  if (issue == IssueCopie::Refusée) return;
  if (issue == IssueCopie::Incomplète && !quitterquandmême(rapport)) return;
  supprimerlistevérifiés();
  terminerleprogramme();
}

bool sauvegardedesortieprincipale(const std::function<void(const QString&)>& avantcopie) {
  const OptionsCopie options{
      état().dossieramovible.toUpper() == QStringLiteral("A:\\"),
      QStringLiteral("Voulez-vous réellement quitter cette application ?  Si oui, laissez votre disquette dans le "
                     "lecteur car la sauvegarde va s'opérer maintenant."),
      QStringLiteral("Sauvegarde terminée"),
      avantcopie};
  QString rapport;
  const IssueCopie issue = copierlistemodifications(options, rapport);
  if (issue == IssueCopie::Refusée) return false;
  if (issue == IssueCopie::Incomplète && !quitterquandmême(rapport)) return false;
  supprimerlistevérifiés();
  return true;
}

void sauvegardederécupération() {
  const OptionsCopie options{false, QString(), QStringLiteral("Sauvegarde sur disque amovible terminée"), {}};
  QString rapport;
  if (copierlistemodifications(options, rapport) == IssueCopie::Incomplète)
    boîtes().message(rapport, QStringLiteral("Sauvegarde incomplète"));
}
