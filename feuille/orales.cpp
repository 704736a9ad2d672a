// Feuille principale : notes orales ajoutées à un élève, seul ou depuis la liste
// des interrogations orales.

#include "feuille/principale.h"

#include "noyau/base/etat.h"
#include "noyau/base/module.h"
#include "noyau/base/piege.h"
#include "noyau/base/portetexte.h"
#include "noyau/fichiers/notesclasse.h"
#include "noyau/regles/maintenance.h"
#include "noyau/regles/saisienote.h"
#include "noyau/suivi/historique.h"
#include "plateforme/nombres.h"
#include "plateforme/services.h"

namespace {
const QString invitemaximum = QStringLiteral("Entrez la note maximale");
}

// Rend le maximum, 0 pour un retrait de points accepté, -1 pour renoncer.
int FenetrePrincipale::demandermaximumorale(const QString& titre) {
  QString réponse;
  do {
    réponse = boîtes().saisie(invitemaximum, titre, QString());
  } while (!réponse.isEmpty() && refusénonnombre(réponse, titre));
  const double v = val(réponse);
  if (réponse == QStringLiteral("0"))
    return question(QStringLiteral("S'agit-il d'un retrait de points ?"), QStringLiteral("NOTE MAXIMALE = 0")) == OUI ? 0 : -1;
  if (v == 0) return -1;
  if (v < 0 || v > entiermax) {
    boîtes().bip();  // un maximum négatif ou trop grand n'a pas de sens
    return -1;
  }
  return arrondipair(v);
}

QString FenetrePrincipale::demanderdateorale(const QString& titre) {
  const QString aujourdhui = horloge().aujourdhui().toString(QStringLiteral("dd-MM-yyyy"));
  for (;;) {
    const auto date = texteadmis(
        boîtes().saisie(QStringLiteral("Entrez la date de l'interro sous la forme <jj-mm-aa>."), titre, aujourdhui),
        GenreTexte::Champ);
    if (date) return *date;
  }
}

QString FenetrePrincipale::demandermatièreorale(const QString& nom) {
  QString matière = demandertexte(QStringLiteral("Entrez la matière de l'interrogation orale de ") + nom);
  if (!matière.contains(u'/')) return matière;
  matière.replace(u'/', u'-');
  avertissement(QStringLiteral("Attention, pour la matière d'une note orale le caractère '/' n'est pas autorisé.  Tous les "
                               "'/' ont été remplacés par '-'."),
                QStringLiteral("Remarque"));
  return matière;
}

QString FenetrePrincipale::demandernoteorale(int s, int maximum) {
  for (;;) {
    const QString réponse = boîtes().saisie(QStringLiteral("Entrer la NOTE obtenue par ") + état().nomélève[s],
                                            QStringLiteral("NOTE ORALE SUR") + str(maximum), QString());
    // Un retrait de points se tape en négatif, sans contrôle.
    if (maximum == 0) return réponse;
    const QString note = vérifiernote(réponse, maximum);
    if (note != QStringLiteral("ERREUR")) return note;
  }
}

int FenetrePrincipale::demandercompétenceorale() {
  const ÉtatPartagé& é = état();
  const int C = é.nbcompétences();
  if (C == 1) return 1;
  QString invite = QStringLiteral("Taper le numéro de la compétence utilisée :\n");
  for (int c = 1; c <= C; ++c) invite += u'\n' + str(c) + QStringLiteral(") ") + é.listecompétences[c];
  for (;;) {
    const double v = val(boîtes().saisie(invite, QStringLiteral("Compétence utilisée"), QString()));
    if (v >= 1 && v <= C) return arrondipair(v);
    boîtes().message(QStringLiteral("Choisissez un numéro de compétence entre 1 et") + str(C), QStringLiteral("!!! ERREUR !!!"));
  }
}

void FenetrePrincipale::mnuajouternoteorale_Click() { ajouternoteorale(élèvecourant); }

void FenetrePrincipale::ajouternoteorale(int s) {
  ÉtatPartagé& é = état();
  if (refusésigroupage(QStringLiteral("Impossible d'ajouter une interrogation lorsque l'affichage est en mode 'grouper les "
                                      "compétences'.  Veuillez d'abord désactiver cette fonction."),
                       titregroupage))
    return;
  if (s < 1 || s > é.nbélèves) {
    avertissement(QStringLiteral("Cliquer d'abord sur le nom de l'élève"), QStringLiteral("Elève inconnu !"));
    return;
  }
  const QString titre = QStringLiteral("Interrogation orale de ") + é.nomélève[s];
  NoteOraleSaisie n;
  n.maximum = demandermaximumorale(titre);
  if (n.maximum < 0) return;
  const QString date = demanderdateorale(titre);
  n.libellé = date + QStringLiteral(" - ") + demandermatièreorale(é.nomélève[s]);
  n.note = val(demandernoteorale(s, n.maximum));
  n.compétence = demandercompétenceorale();
  const ChangementNommé changement(QStringLiteral("note orale ajoutée à %1 (%2)").arg(é.nomélève[s], n.libellé));
  if (!calculersansvaleurabîmée([&] { ::ajouternoteorale(s, n); }, s)) return;
  sauverclasse();
  chargerclasse();
  Form_Load();
  grille1->SetFocus();
}

void FenetrePrincipale::listeorales_Click() {
  ÉtatPartagé& é = état();
  é.nomfichier.clear();
  montrermodale(QStringLiteral("listorales"));
  while (!é.nomfichier.isEmpty()) {
    élèvecourant = arrondipair(val(é.nomfichier));
    é.nomfichier.clear();
    ajouternoteorale(élèvecourant);
    montrermodale(QStringLiteral("listorales"));
  }
}
