// Un fichier de notes abîmé dans une autre période que celle de la feuille : chaque
// commande qui le charge montre la boîte (fichier et ligne), s'arrête sans rien
// écrire et laisse la feuille sur sa période ; le programme continue.

#include <gtest/gtest.h>

#include "tests/feuille/feuille_essai.h"

#include "noyau/base/piege.h"
#include "noyau/regles/maintenance.h"
#include "noyau/regles/totaux.h"
#include "noyau/sorties/exports.h"
#include "noyau/sorties/fiche.h"

namespace {

class DonneesAbimees : public Feuille {};

TEST_F(DonneesAbimees, UneBoiteEtLaCommandeSArreteSansFinDuProgramme) {
  const QStringList élèvesP2{"Dupont Élodie", "-1/-1/?/ 1/", "Durand Paul", "-1/-1/?/ 0/", "Martin Léa", "-1/-1/?/ 0/"};
  struct Abîme {
    const char* nom;
    QStringList lignes;
    const char* ligne;  // la ligne que le message nomme
    bool lignesdesélèves;  // seules les lignes d'élèves sont abîmées : les totaux n'en lisent que les résultats
  };
  const Abîme abîmes[] = {
      {"nombre de notes orales hors limites", QStringList{" 3", " 0", " 99999", " 4"} + élèvesP2, "ligne 3", false},
      {"nombre illisible", QStringList{" 3", " x", " 0", " 4"} + élèvesP2, "ligne 2", false},
      {"compte d'un élève hors limites",
       QStringList{" 3", " 0", " 1", " 4", "Dupont Élodie/ 99999", "-1/-1/?/ 1/", "Durand Paul/ 0", "-1/-1/?/ 0/",
                   "Martin Léa/ 0", "-1/-1/?/ 0/"},
       "ligne 5", true},
  };
  const std::pair<const char*, std::function<void()>> commandes[] = {
      // en premier : sans erreur, elle ne montre rien (résultats seuls)
      {"totaux et classement", [] { rassemblertotaux(); }},
      {"moyenne d'une compétence", [] { moyennescompétence(1); }},
      {"fiche individuelle", [] { lignesfiche(1, {QStringLiteral("P1"), QStringLiteral("P2")}); }},
      {"élève ajouté", [] { préparerchaquepériode([] { ajouterélève(QStringLiteral("Nouveau")); }); }},
  };
  const QByteArray p1 = lire(disquedur(QStringLiteral("5A131\\5A131.P1N")));
  for (const Abîme& a : abîmes) {
    deuxdisques(QStringLiteral("5A131\\5A131.P2N"), a.lignes);
    for (const auto& [nom, commande] : commandes) {
      SCOPED_TRACE(std::string(a.nom) + " / " + nom);
      boîtes.oublier();
      if (a.lignesdesélèves && std::string(nom) == "totaux et classement") {
        EXPECT_NO_THROW(commande());
        EXPECT_TRUE(boîtes.montrées().isEmpty());
        continue;
      }
      boîtes.répondre(OK);
      EXPECT_THROW(commande(), CommandeArrêtée);
      ASSERT_EQ(boîtes.montrées().size(), 1u);
      EXPECT_TRUE(boîtes.montrées()[0].titre.endsWith(QStringLiteral("5A131.P2N !"))) << boîtes.montrées()[0].titre.toStdString();
      EXPECT_TRUE(boîtes.montrées()[0].texte.contains(QString::fromUtf8(a.ligne))) << boîtes.montrées()[0].texte.toStdString();
      // La feuille est revenue à P1, telle quelle ; rien n'a été écrit.
      EXPECT_EQ(état().périodecourante, QStringLiteral("P1"));
      EXPECT_EQ(état().nbinterros, 3);
      EXPECT_EQ(état().nomélève[3], QStringLiteral("Martin Léa"));
      EXPECT_EQ(état().pascalcul, 0);
      EXPECT_EQ(lire(disquedur(QStringLiteral("5A131\\5A131.P1N"))), p1);
      EXPECT_FALSE(existe(disquedur(QStringLiteral("listebck.txt"))));
    }
  }
  // Annuler dans la même boîte : la fin que l'utilisateur a choisie.
  boîtes.oublier();
  boîtes.répondre(ANNULER);
  EXPECT_THROW(moyennescompétence(1), ProgrammeTerminé);
}

}  // namespace
