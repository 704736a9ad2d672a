#include <gtest/gtest.h>

#include "tests/outils/impressionqt.h"

#include "noyau/suivi/differences.h"

namespace {

const QStringList notes{" 3", " 3", " 1", " 4",
                        "Dupont Élodie/12/A/7.5/ 1/ 10/ 7.5/01.10 - Récitation/ 1", " 80/ 40/ 13/ 2/",
                        "Durand Paul/AI/NC/8/ 0", " 32/-1/ 6/ 0/",
                        "Martin Léa/9.5/14/10/ 1/ 10/ 4/02.10 - Calcul/ 2", " 49/ 50/ 10/ 0/",
                        "060% -> Nombres", "040% -> Géométrie"};

QStringList changé(QStringList l, qsizetype ligne, const QString& avant, const QString& après) {
  l[ligne].replace(avant, après);
  return l;
}

TEST(Differences, FichierDesNotesEtAutresFichiers) {
  struct Cas {
    const char* nom;
    QString fichier;
    QStringList dur, amovible, attendues;
  };
  const QStringList deuxnotesetunnom =
      changé(changé(changé(notes, 4, "/12/", "/14/"), 8, "/14/", "/15/"), 6, "Durand", "Duran");
  QStringList unélèvedeplus = QStringList(notes.mid(0, 10)) << "Zoé Absente/A/A/A/ 0" << "-1/-1/?/ 0/" << notes.mid(10);
  unélèvedeplus[0] = " 4";
  const Cas cas[] = {
      {"deux notes et un nom", "5A131\\5A131.P1N", notes, deuxnotesetunnom,
       {"Dupont Élodie, test n°4 : « 12 » sur le disque dur, « 14 » sur le disque amovible",
        "Élève n°2 : nom « Durand Paul » sur le disque dur, « Duran Paul » sur le disque amovible",
        "Martin Léa, test n°5 : « 14 » sur le disque dur, « 15 » sur le disque amovible"}},
      {"une note orale et un résultat", "5A131\\5A131.E1N", notes,
       changé(changé(notes, 8, "/ 4/", "/ 6/"), 9, "/ 10/", "/ 11/"),
       {"Martin Léa, note orale n°1 : « 4/10 » sur le disque dur, « 6/10 » sur le disque amovible",
        "Martin Léa, résultat : « 10 » sur le disque dur, « 11 » sur le disque amovible"}},
      {"un élève de plus", "5A131\\5A131.P2N", notes, unélèvedeplus,
       {"Nombre d'élèves : « 3 » sur le disque dur, « 4 » sur le disque amovible",
        "Élève n°4 « Zoé Absente » : seulement sur le disque amovible"}},
      {"une ligne d'un autre fichier", "listclas.13", {" 1", "5A", "Mathématique", "5A131", " 2", " 1"},
       {" 1", "5A", "Mathématique", "5A131", " 3", " 1"},
       {"ligne 5 : «  2 » sur le disque dur, «  3 » sur le disque amovible"}},
      {"une ligne ajoutée au milieu", "commentaires.txt", {"a", "b", "c"}, {"a", "x", "b", "c"},
       {"ligne 2 : « x » seulement sur le disque amovible"}},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    EXPECT_EQ(différences(c.fichier, c.dur, c.amovible), c.attendues);
  }
}

}  // namespace
