// Feuille principale : annuler et rétablir les changements de la classe, son
// historique.

#include "feuille/principale.h"

#include "feuille/historique.h"

#include <tuple>

#include "noyau/base/dossiers.h"
#include "noyau/base/etat.h"
#include "noyau/base/piege.h"
#include "noyau/fichiers/listeclasses.h"
#include "noyau/fichiers/notesclasse.h"
#include "noyau/suivi/historique.h"
#include "plateforme/services.h"
#include "socle/registre.h"

namespace {

QString cléouverte() {
  const ÉtatPartagé& é = état();
  return é.classecourante >= 1 && é.classecourante <= é.nbclasses ? é.dossierclasse[é.classecourante] : QString();
}

// Le texte d'un article de menu : sa lettre soulignée, puis le changement (un « & » d'un
// nom s'y double, pour rester un « & »).
QString textemenu(const QString& action, const std::optional<Modification>& m) {
  return m ? action + QStringLiteral(" : ") + QString(m->texte()).replace(u'&', QStringLiteral("&&")) : action;
}

}  // namespace

void FenetrePrincipale::préparermenuéditer() {
  std::optional<Modification> annulable, rétablissable;
  if (!cléouverte().isEmpty())
    avecpiège(QStringLiteral("Historique des modifications"), [&] {
      annulable = àannuler(cléouverte());
      rétablissable = àrétablir(cléouverte());
    });
  mnuannuler->setText(textemenu(QStringLiteral("&Annuler"), annulable));
  mnuannuler->setEnabled(annulable.has_value());
  mnurétablir->setText(textemenu(QStringLiteral("&Rétablir"), rétablissable));
  mnurétablir->setEnabled(rétablissable.has_value());
}

void FenetrePrincipale::annuler_Click() { remettrepar(true); }

void FenetrePrincipale::rétablir_Click() { remettrepar(false); }

void FenetrePrincipale::remettrepar(bool annuler) {
  if (cléouverte().isEmpty()) return;
  if (grille1->enédition()) grille1->finirédition(13);  // la note en cours de frappe d'abord
  std::optional<Modification> remise;
  QStringList remis;
  avecpiège(annuler ? QStringLiteral("Annuler") : QStringLiteral("Rétablir"), [&] {
    remise = annuler ? àannuler(cléouverte()) : àrétablir(cléouverte());
    remis = annuler ? annulerdernier(cléouverte()) : rétablirsuivant(cléouverte());
  });
  remettreclasse(remis);
  if (remis.isEmpty() || !remise) return;
  // Ce qui a été remis se dit dans les mots de l'historique, et la case changée devient
  // la case courante : le professeur entend et voit où.
  allersurlanote(remise->libellé);
  boîtes().annonce((annuler ? QStringLiteral("Annulé : ") : QStringLiteral("Rétabli : ")) + remise->texte());
}

void FenetrePrincipale::remettreclasse(const QStringList& fichiersremis) {
  if (fichiersremis.isEmpty()) return;
  ÉtatPartagé& é = état();
  const bool liste = fichiersremis.contains(nomlisteclasses());
  if (liste) {
    const QString dossier = cléouverte();
    avecpiège(titreerreur(chemindisquedur(nomlisteclasses())), [] { lirelisteclasses(); });
    for (int c = 1; c <= é.nbclasses; ++c)
      if (é.dossierclasse[c] == dossier) é.classecourante = c;
  }
  const auto forme = [&é] { return std::tuple(é.nbélèves, é.nbinterros, é.nborales, é.nbcompétences()); };
  const auto avant = forme();
  avecpiège(QStringLiteral("Erreur !"), [] { chargerclasse(); });
  if (!liste && !groupageactif && forme() == avant) {
    // Même grille (une note, un nom) : ses cases sont réécrites, seules celles qui
    // changent sont repeintes.
    const int ligne = grille1->Row(), colonne = grille1->Col();
    remplirgrille();
    grille1->ajusterlargeurs();
    grille1->Row(ligne);
    grille1->Col(colonne);
    afficherélèvecourant();
  } else {
    Form_Load();
  }
  grille1->SetFocus();
}

void FenetrePrincipale::historique_Click() {
  if (cléouverte().isEmpty()) return;
  if (grille1->enédition()) grille1->finirédition(13);
  fenêtrehistorique().AprèsRetour = [this](const QStringList& remis) { remettreclasse(remis); };
  montrermodale(QStringLiteral("historique"));
}
