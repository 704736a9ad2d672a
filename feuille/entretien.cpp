// Feuille principale : élèves ajoutés, renommés et retirés dans chaque période et
// examen de la classe ; tests, moyennes et notes orales supprimés.

#include "feuille/principale.h"

#include "classes/importliste.h"

#include "noyau/base/etat.h"
#include "noyau/base/module.h"
#include "noyau/base/piege.h"
#include "noyau/base/portetexte.h"
#include "noyau/fichiers/listeclasses.h"
#include "noyau/fichiers/notesclasse.h"
#include "noyau/regles/maintenance.h"
#include "noyau/regles/resultats.h"
#include "noyau/suivi/ecriture.h"
#include "noyau/suivi/historique.h"
#include "plateforme/nombres.h"
#include "plateforme/services.h"
#include "socle/registre.h"

namespace {
const QString titresupprimer = QStringLiteral("SUPPRIMER");
}

void FenetrePrincipale::changerchaquepériode(const std::function<void()>& changer) {
  {
    const SablierActif sablier;
    QList<FichierPréparé> fichiers;
    try {
      fichiers = avecpiègedechargement(QStringLiteral("Erreur !"), [&] { return préparerchaquepériode(changer); });
    } catch (const CommandeArrêtée&) {
      return;  // une période abîmée, nommée dans sa boîte : rien n'est écrit, la feuille reste sur sa période
    }
    écrirefichiersnotés(fichiers);
    chargerclasse();
  }
  Form_Load();
  grille1->SetFocus();
}

void FenetrePrincipale::mnuajouternom_Click() {
  QString nom;
  for (;;) {
    const auto admis = texteadmis(
        boîtes().saisie(QStringLiteral("Entrer le nom de l'élève à ajouter"), QStringLiteral("AJOUTER UN NOM"), QString()),
        GenreTexte::NomÉlève);
    if (!admis) continue;
    nom = *admis;
    if (nom.isEmpty()) return;
    break;
  }
  const ChangementNommé changement(QStringLiteral("élève ajouté : ") + nom);
  changerchaquepériode([&] { ajouterélève(nom); });
}

// Les élèves d'une liste du secrétariat, ajoutés en une seule modification.
void FenetrePrincipale::mnuimporterélèves_Click() {
  const ÉtatPartagé& é = état();
  const QString fichier = choisirfichier(QStringLiteral("Choisir la liste des élèves à ajouter"), filtreslistesélèves());
  if (fichier.isEmpty()) return;
  FenetreImportListe& importer = fenêtreimportliste();
  QStringList déjàlà;
  for (int s = 1; s <= é.nbélèves; ++s) déjàlà.append(é.nomélève[s]);
  if (importer.préparer(fichier, déjàlà, é.nomclasse[é.classecourante]) == FenetreImportListe::Préparation::Refusée) return;
  montrermodale(QStringLiteral("importliste"));
  const QStringList noms = importer.retenus();
  if (noms.isEmpty()) return;
  const ChangementNommé changement(noms.size() == 1 ? QStringLiteral("élève ajouté : ") + noms.first()
                                                    : QStringLiteral("%1 élèves ajoutés d'une liste").arg(noms.size()));
  changerchaquepériode([&] {
    for (const QString& nom : noms) ajouterélève(nom);
  });
}

void FenetrePrincipale::corrigernom(int s) {
  ÉtatPartagé& é = état();
  QString nom;
  for (;;) {
    const auto admis = texteadmis(
        boîtes().saisie(QStringLiteral("Entrer le nom corrigé"), QStringLiteral("CORRECTION"), é.nomélève[s]),
        GenreTexte::NomÉlève);
    if (!admis) continue;
    nom = *admis;
    if (nom.isEmpty() || nom == é.nomélève[s]) return;
    break;
  }
  const ChangementNommé changement(QStringLiteral("nom d'un élève"), é.nomélève[s], nom);
  changerchaquepériode([&] {
    if (s > é.nbélèves) return;  // fichier plus court : cet élève n'y est pas
    é.nomélève[s] = nom;
    reconstruireligne(s);
    if (élèvedéplacé(s)) trierélèves();
  });
}

void FenetrePrincipale::supprimer() {
  const ÉtatPartagé& é = état();
  if (refusésigroupage(QStringLiteral("Cette fonction n'est pas possible lorsque l'affichage est en mode 'grouper les "
                                      "compétences'.  Veuillez d'abord désactiver cette fonction."),
                       titregroupage))
    return;
  const int c = colonnecourante, s = élèvecourant, E = é.nbinterros, O = é.nborales;
  // Hors des lignes d'élèves ou des colonnes de notes : rien, sans boîte.
  if (c > E + O + 3 || s < 1 || s > é.nbélèves) return;
  if (c == 1)
    supprimerélève(s);
  else if (c >= 2 && c <= E + 1)
    supprimerinterrogation(c - 1);
  else if (c == E + O + 2)
    supprimermoyenne(s);
  else if (c >= E + 2 && c <= E + O + 1 && c - E - 1 <= é.nbnotesorales[s])
    supprimerorale(s, c - E - 1);
}

void FenetrePrincipale::supprimerélève(int s) {
  if (avertissement(QStringLiteral("Faut-il réellement retirer\n\n") + état().nomélève[s] +
                        QStringLiteral("\n\nde cette classe ?"),
                    titresupprimer) != OK)
    return;
  const ChangementNommé changement(QStringLiteral("élève retiré : ") + état().nomélève[s]);
  changerchaquepériode([s] { retirerélève(s); });
}

void FenetrePrincipale::supprimerinterrogation(int k) {
  if (avertissement(QStringLiteral("Faut-il réellement supprimer l'interrogation écrite n°") +
                        str(état().premièreinterro + k - 1) + QStringLiteral(" pour TOUS LES ELEVES ?"),
                    titresupprimer) != OK)
    return;
  const ChangementNommé changement(QStringLiteral("interro n°%1 supprimée").arg(état().premièreinterro + k - 1));
  if (!calculersansvaleurabîmée([k] { supprimerinterro(k); }, 0)) return;
  sauverclasseetinterros();
  Form_Load();
  grille1->SetFocus();
}

void FenetrePrincipale::supprimermoyenne(int s) {
  ÉtatPartagé& é = état();
  if (question(QStringLiteral("Faut-il réellement supprimer la moyenne de ") + é.nomélève[s] + QStringLiteral("?"),
               QStringLiteral("Supprimer la moyenne d'un élève")) != OUI)
    return;
  const ChangementNommé changement(QStringLiteral("moyenne de %1 supprimée").arg(é.nomélève[s]));
  é.totalélève[s] = QStringLiteral("?");
  reconstruireligne(s);
  découperetstatistiques();
  sauverclasse();
  avertissement(QStringLiteral("La moyenne a été supprimée.  Attention, si vous modifiez ou ajoutez une interrogation dans "
                               "cette classe, pour cette période, la moyenne réapparaîtra..."),
                QStringLiteral("REMARQUE"));
  Form_Load();
  grille1->SetFocus();
}

void FenetrePrincipale::supprimerorale(int s, int j) {
  if (avertissement(QStringLiteral("Faut-il réellement supprimer la note orale n°") + str(j) + QStringLiteral("\n\n de ") +
                        état().nomélève[s] + QStringLiteral(" ?"),
                    titresupprimer) != OK)
    return;
  const ChangementNommé changement(QStringLiteral("note orale n°%1 de %2 supprimée").arg(j).arg(état().nomélève[s]));
  if (!calculersansvaleurabîmée([s, j] { supprimernoteorale(s, j); }, s)) return;
  sauverclasse();
  Form_Load();
  grille1->SetFocus();
}
