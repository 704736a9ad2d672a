#pragma once
// Banc d'essai des totaux de l'année : une classe 5A de quatre élèves, deux
// périodes sur 20 et un examen sur 50 ; certains résultats manquent ("?").

#include "tests/outils/impressionqt.h"

#include "noyau/base/etat.h"
#include "noyau/fichiers/listeclasses.h"
#include "noyau/fichiers/notesclasse.h"
#include "socle/registre.h"
#include "tests/outils/essai.h"

class AnneeEssai : public EssaiDonnees {
protected:
  void SetUp() override {
    EssaiDonnees::SetUp();
    deuxdisques(QStringLiteral("listclas.13"), {" 1", "5A", "Mathématique", "5A131", " 2", " 1"});
    lirelisteclasses();
    état().classecourante = 1;
    deuxdisques(QStringLiteral("5A131\\5A131.MPE"), {" 1", " 20", " 50"});
    résultats(QStringLiteral("P1"), {" 13.5", " 9.5", " 10", "?"});
    résultats(QStringLiteral("P2"), {" 10", "?", " 20", "?"});
    résultats(QStringLiteral("E1"), {" 25", " 24", "?", "?"});
    ouvrir(QStringLiteral("P1"));
  }
  void TearDown() override {
    oublierfenêtres();
    EssaiDonnees::TearDown();
  }
  // Un fichier de notes sans test : seuls les résultats comptent ici.
  void résultats(const QString& clé, const QStringList& totaux, const QStringList& noms = élèves) {
    QStringList l{QStringLiteral(" %1").arg(noms.size()), " 0", " 0", " 1"};
    for (qsizetype i = 0; i < noms.size(); ++i)
      l << noms[i] << QStringLiteral("-1/-1/%1/ 0/").arg(i < totaux.size() ? totaux[i] : QStringLiteral("?"));
    l << "060% -> Nombres" << "040% -> Géométrie";
    deuxdisques(QStringLiteral("5A131\\5A131.") + clé + u'N', l);
  }
  void ouvrir(const QString& clé) {
    état().périodecourante = clé;
    chargerclasse();
  }
  inline static const QStringList élèves{"Dupont Élodie", "Durand Paul", "Martin Léa", "Zoé Absente"};
};
