#include "socle/registre.h"

#include <map>
#include <memory>
#include <stdexcept>

#include "classes/choixperiodeexa.h"
#include "classes/competences.h"
#include "classes/conflits.h"
#include "classes/importliste.h"
#include "classes/listeclasses.h"
#include "classes/nouvelleclasse.h"
#include "classes/profil.h"
#include "classes/rensclasse.h"
#include "demarrage/back.h"
#include "demarrage/bienvenue.h"
#include "demarrage/renseignementspardefaut.h"
#include "demarrage/utilisateurs.h"
#include "feuille/historique.h"
#include "feuille/interro.h"
#include "feuille/listorales.h"
#include "feuille/principale.h"
#include "feuille/repartition.h"
#include "impression/choiximprimante.h"
#include "impression/imprimer.h"
#include "impression/rema.h"
#include "impression/selection.h"
#include "impression/totaux.h"
#include "plateforme/services.h"
#include "rapports/classement.h"
#include "rapports/fiche.h"

namespace {

std::map<QString, std::unique_ptr<Fenetre>>& fenêtres() {
  static std::map<QString, std::unique_ptr<Fenetre>> toutes;
  return toutes;
}

template <class F>
F& instance(const QString& nom) {
  auto& f = fenêtres()[nom];
  if (!f) f = std::make_unique<F>();
  return static_cast<F&>(*f);
}

Fenetre& parnom(const QString& nom) {
  if (nom == QStringLiteral("Bienvenue")) return Bienvenue();
  if (nom == QStringLiteral("utilisateurs")) return utilisateurs();
  if (nom == QStringLiteral("back")) return back();
  if (nom == QStringLiteral("renseignementspardéfaut")) return renseignementspardéfaut();
  if (nom == QStringLiteral("fenêtrelisteclasses")) return fenêtrelisteclasses();
  if (nom == QStringLiteral("fenêtrenouvelleclasse")) return fenêtrenouvelleclasse();
  if (nom == QStringLiteral("choixpériodeexa")) return choixpériodeexa();
  if (nom == QStringLiteral("principale")) return principale();
  if (nom == QStringLiteral("fenêtreinterro")) return fenêtreinterro();
  if (nom == QStringLiteral("listorales")) return listorales();
  if (nom == QStringLiteral("rema")) return rema();
  if (nom == QStringLiteral("éditeurremarques")) return éditeurremarques();
  if (nom == QStringLiteral("fenêtretotaux")) return fenêtretotaux();
  if (nom == QStringLiteral("classement")) return classement();
  if (nom == QStringLiteral("fenêtrerensclasse")) return fenêtrerensclasse();
  if (nom == QStringLiteral("fcompétences")) return fcompétences();
  if (nom == QStringLiteral("historique")) return fenêtrehistorique();
  if (nom == QStringLiteral("répartition")) return fenêtrerépartition();
  if (nom == QStringLiteral("conflits")) return fenêtreconflits();
  if (nom == QStringLiteral("importliste")) return fenêtreimportliste();
  if (nom == QStringLiteral("ProfilAutomatique")) return ProfilAutomatique();
  if (nom == QStringLiteral("fenêtreimprimer")) return fenêtreimprimer();
  if (nom == QStringLiteral("Form3")) return Form3();
  if (nom == QStringLiteral("ficheindividuelle")) return ficheindividuelle();
  if (nom == QStringLiteral("fenêtrerécapitulatif")) return fenêtrerécapitulatif();
  throw std::logic_error("fenêtre inconnue : " + nom.toStdString());
}

}  // namespace

FenetreBienvenue& Bienvenue() { return instance<FenetreBienvenue>(QStringLiteral("Bienvenue")); }
FenetreUtilisateurs& utilisateurs() { return instance<FenetreUtilisateurs>(QStringLiteral("utilisateurs")); }
FenetreBack& back() { return instance<FenetreBack>(QStringLiteral("back")); }

FenetreRenseignements& renseignementspardéfaut() {
  return instance<FenetreRenseignements>(QStringLiteral("renseignementspardéfaut"));
}

FenetreListeClasses& fenêtrelisteclasses() { return instance<FenetreListeClasses>(QStringLiteral("fenêtrelisteclasses")); }

FenetreNouvelleClasse& fenêtrenouvelleclasse() {
  return instance<FenetreNouvelleClasse>(QStringLiteral("fenêtrenouvelleclasse"));
}

FenetreChoixPeriodeExa& choixpériodeexa() { return instance<FenetreChoixPeriodeExa>(QStringLiteral("choixpériodeexa")); }

FenetrePrincipale& principale() { return instance<FenetrePrincipale>(QStringLiteral("principale")); }
FenetreInterro& fenêtreinterro() { return instance<FenetreInterro>(QStringLiteral("fenêtreinterro")); }
FenetreListeOrales& listorales() { return instance<FenetreListeOrales>(QStringLiteral("listorales")); }
FenetreRema& rema() { return instance<FenetreRema>(QStringLiteral("rema")); }
FenetreEditeurRemarques& éditeurremarques() {
  return instance<FenetreEditeurRemarques>(QStringLiteral("éditeurremarques"));
}

FenetreTotaux& fenêtretotaux() { return instance<FenetreTotaux>(QStringLiteral("fenêtretotaux")); }
FenetreClassement& classement() { return instance<FenetreClassement>(QStringLiteral("classement")); }
FenetreRepartition& fenêtrerépartition() { return instance<FenetreRepartition>(QStringLiteral("répartition")); }
FenetreConflits& fenêtreconflits() { return instance<FenetreConflits>(QStringLiteral("conflits")); }
FenetreImportListe& fenêtreimportliste() { return instance<FenetreImportListe>(QStringLiteral("importliste")); }
FenetreHistorique& fenêtrehistorique() { return instance<FenetreHistorique>(QStringLiteral("historique")); }
FenetreRensClasse& fenêtrerensclasse() { return instance<FenetreRensClasse>(QStringLiteral("fenêtrerensclasse")); }
FenetreCompetences& fcompétences() { return instance<FenetreCompetences>(QStringLiteral("fcompétences")); }
FenetreProfil& ProfilAutomatique() { return instance<FenetreProfil>(QStringLiteral("ProfilAutomatique")); }
FenetreImprimer& fenêtreimprimer() { return instance<FenetreImprimer>(QStringLiteral("fenêtreimprimer")); }
FenetreChoixImprimante& Form3() { return instance<FenetreChoixImprimante>(QStringLiteral("Form3")); }
FenetreFiche& ficheindividuelle() { return instance<FenetreFiche>(QStringLiteral("ficheindividuelle")); }
FenetreSelection& fenêtrerécapitulatif() { return instance<FenetreSelection>(QStringLiteral("fenêtrerécapitulatif")); }

void brancherfenêtres() {
  services().montrermodale = [](const QString& nom) { parnom(nom).montrer(); };
}

void oublierfenêtres() { fenêtres().clear(); }
