#include <gtest/gtest.h>

#include "noyau/fusion/decision.h"
#include "noyau/fusion/fusion.h"

namespace {

TEST(CopieEnConflit, NomsDesServicesDeSynchronisation) {
  const struct {
    const char* copie;
    const char* original;
  } cas[] = {
      {"5A131.sync-conflict-20261208-153012-ABC1234.P3N", "5A131.P3N"},
      {"5A131 (conflicted copy 2026-12-08 153012).P3N", "5A131.P3N"},
      {"5A131 (PC-B's conflicted copy 2026-12-08).P3N", "5A131.P3N"},
      {"5A131 (PC-B's conflicted copy 2026-12-08 (1)).MPE", ""},
      {"listclas.sync-conflict-20261208-153012-ABC1234.13", "listclas.13"},
      {"historique.sync-conflict-20261208-153012-ABC1234.txt", "historique.txt"},
      {"5A131.P3N", ""},
      {"5A131.sync-conflict.P3N", ""},
      {"5A131.sync-conflict-2026-153012-ABC.P3N", ""},
  };
  for (const auto& c : cas)
    EXPECT_EQ(originaldecopieenconflit(QString::fromUtf8(c.copie)), QString::fromUtf8(c.original)) << c.copie;
}

QStringList liste(std::initializer_list<const char*> classes) {
  QStringList l{QStringLiteral(" %1").arg(classes.size() / 5)};
  for (const char* c : classes) l.append(QString::fromUtf8(c));
  return l;
}

// La liste des classes : chaque classe par son dossier, champ par champ.
TEST(FusionListeClasses, ClasseParClasse) {
  const QStringList base = liste({"5A", "Math", "5A131", " 2", " 0", "6C", "Sciences", "6C131", " 1", " 1"});
  const struct {
    const char* nom;
    QStringList ici, là, attendue;
    int conflits;
  } cas[] = {
      {"période et examen créés des deux côtés : les plus grands",
       liste({"5A", "Math", "5A131", " 3", " 0", "6C", "Sciences", "6C131", " 1", " 1"}),
       liste({"5A", "Math", "5A131", " 2", " 1", "6C", "Sciences", "6C131", " 1", " 1"}),
       liste({"5A", "Math", "5A131", " 3", " 1", "6C", "Sciences", "6C131", " 1", " 1"}), 0},
      {"une classe ajoutée de chaque côté, rangées par nom", liste({"5A", "Math", "5A131", " 2", " 0", "6C", "Sciences", "6C131", " 1", " 1", "4B", "Latin", "4B131", " 1", " 0"}),
       liste({"5A", "Math", "5A131", " 2", " 0", "6C", "Sciences", "6C131", " 1", " 1", "7D", "Grec", "7D131", " 1", " 0"}),
       liste({"4B", "Latin", "4B131", " 1", " 0", "5A", "Math", "5A131", " 2", " 0", "6C", "Sciences", "6C131", " 1", " 1", "7D", "Grec", "7D131", " 1", " 0"}), 0},
      {"cours renommé là seulement", base, liste({"5A", "Maths", "5A131", " 2", " 0", "6C", "Sciences", "6C131", " 1", " 1"}),
       liste({"5A", "Maths", "5A131", " 2", " 0", "6C", "Sciences", "6C131", " 1", " 1"}), 0},
      {"cours renommé autrement des deux côtés", liste({"5A", "Algèbre", "5A131", " 2", " 0", "6C", "Sciences", "6C131", " 1", " 1"}),
       liste({"5A", "Maths", "5A131", " 2", " 0", "6C", "Sciences", "6C131", " 1", " 1"}),
       liste({"5A", "Algèbre", "5A131", " 2", " 0", "6C", "Sciences", "6C131", " 1", " 1"}), 1},
      {"classe retirée ici, inchangée là", liste({"5A", "Math", "5A131", " 2", " 0"}), base, liste({"5A", "Math", "5A131", " 2", " 0"}), 0},
  };
  for (const auto& c : cas) {
    const LignesFusionnées f = fusionnerlisteclasses(QStringLiteral("listclas.13"), base, c.ici, c.là);
    EXPECT_EQ(f.lignes, c.attendue) << c.nom;
    EXPECT_EQ(f.conflits.size(), c.conflits) << c.nom;
  }
}

TEST(FusionLignes, LigneParLigneOuEntieres) {
  const QStringList base{" 2", " 20", " 50", " 40"};
  const LignesFusionnées mêmetaille =
      fusionnerlignes(QStringLiteral("5A131\\5A131.MPE"), base, {" 2", " 30", " 50", " 40"}, {" 2", " 20", " 50", " 60"});
  EXPECT_EQ(mêmetaille.lignes, (QStringList{" 2", " 30", " 50", " 60"}));
  EXPECT_TRUE(mêmetaille.conflits.isEmpty());
  EXPECT_EQ(mêmetaille.reprises, 1);
  const LignesFusionnées autretaille =
      fusionnerlignes(QStringLiteral("5A131\\5A131.MPE"), base, {" 3", " 20", " 50", " 40", " 20"}, {" 2", " 30", " 50", " 40"});
  ASSERT_EQ(autretaille.conflits.size(), 1);
  EXPECT_EQ(autretaille.lignes.size(), 5);  // celle d'ici, faute de choix
  const LignesFusionnées choisie = fusionnerlignes(QStringLiteral("5A131\\5A131.MPE"), base, {" 3", " 20", " 50", " 40", " 20"},
                                                   {" 2", " 30", " 50", " 40"}, {{autretaille.conflits[0].id, true}});
  EXPECT_EQ(choisie.lignes, (QStringList{" 2", " 30", " 50", " 40"}));
}

PériodeModèle période(QList<ÉlèveModèle> élèves, int interros = 1) {
  PériodeModèle p;
  for (int k = 0; k < interros; ++k) p.interros.append({20, QStringLiteral("01/10/2026"), QStringLiteral("Test"), 1});
  p.élèves = std::move(élèves);
  return p;
}

// Notes orales et préparations d'un élève, changées d'un côté, des deux, autrement.
TEST(FusionClasse, NotesOralesEtPreparations) {
  const OraleModèle o1{10, 7, QStringLiteral("01.10 - Poème"), 1}, o2{10, 9, QStringLiteral("02.10 - Fable"), 1},
      o3{20, 15, QStringLiteral("03.10 - Exposé"), 2};
  const ÉlèveModèle base{QStringLiteral("Dupont Jean"), {QStringLiteral("12")}, {o1}, 0};
  const struct {
    const char* nom;
    ÉlèveModèle ici, là;
    QList<OraleModèle> orales;
    int préparations, conflits;
  } cas[] = {
      {"oral ajouté de chaque côté : les deux", {base.nom, base.notes, {o1, o2}, 0}, {base.nom, base.notes, {o1, o3}, 0}, {o1, o2, o3}, 0, 0},
      {"oral changé là, ajouté ici", {base.nom, base.notes, {o1, o2}, 0}, {base.nom, base.notes, {OraleModèle{10, 8, o1.libellé, 1}}, 0},
       {OraleModèle{10, 8, o1.libellé, 1}, o2}, 0, 0},
      {"même oral changé autrement", {base.nom, base.notes, {OraleModèle{10, 6, o1.libellé, 1}}, 0},
       {base.nom, base.notes, {OraleModèle{10, 8, o1.libellé, 1}}, 0}, {OraleModèle{10, 6, o1.libellé, 1}}, 0, 1},
      {"préparations d'un côté", {base.nom, base.notes, {o1}, 2}, base, {o1}, 2, 0},
      {"préparations autrement des deux côtés", {base.nom, base.notes, {o1}, 2}, {base.nom, base.notes, {o1}, 3}, {o1}, 2, 1},
  };
  for (const auto& c : cas) {
    VersionsClasse v{QStringLiteral("5A131"), {}, {}, {}, {}, {}, {}};
    v.base.insert(QStringLiteral("P1"), période({base}));
    v.ici.insert(QStringLiteral("P1"), période({c.ici}));
    v.là.insert(QStringLiteral("P1"), période({c.là}));
    const ClasseFusionnée f = fusionnerclasse(v);
    const PériodeModèle p1 = f.périodes.value(QStringLiteral("P1"));
    ASSERT_EQ(p1.élèves.size(), 1) << c.nom;
    const ÉlèveModèle& e = p1.élèves[0];
    EXPECT_EQ(e.orales, c.orales) << c.nom;
    EXPECT_EQ(e.préparations, c.préparations) << c.nom;
    EXPECT_EQ(f.conflits.size(), c.conflits) << c.nom;
  }
}

ÉlèveModèle élève(const char* nom, const char* note) { return {QString::fromUtf8(nom), {QString::fromUtf8(note)}, {}, 0}; }

QStringList noms(const PériodeModèle& p) {
  QStringList n;
  for (const ÉlèveModèle& e : p.élèves) n.append(e.nom + u'=' + e.notes.value(0));
  return n;
}

// Les élèves : renommés, retirés, ajoutés, d'un côté ou des deux.
TEST(FusionClasse, ElevesRenommesRetiresAjoutes) {
  const QList<ÉlèveModèle> base{élève("Dupont Jean", "12"), élève("Durand Paul", "8"), élève("Martin Léa", "10")};
  const struct {
    const char* nom;
    QList<ÉlèveModèle> ici, là;
    bool garderlà;
    QStringList attendus;
    int conflits;
  } cas[] = {
      {"renommé ici, noté là", {élève("Dupond Jean", "12"), base[1], base[2]}, {élève("Dupont Jean", "15"), base[1], base[2]},
       false, {"Dupond Jean=15", "Durand Paul=8", "Martin Léa=10"}, 0},
      {"retiré ici, rien changé là", {base[0], base[2]}, base, false, {"Dupont Jean=12", "Martin Léa=10"}, 0},
      {"retiré ici, noté là : retiré", {base[0], base[2]}, {base[0], élève("Durand Paul", "9"), base[2]}, false,
       {"Dupont Jean=12", "Martin Léa=10"}, 1},
      {"retiré ici, noté là : gardé", {base[0], base[2]}, {base[0], élève("Durand Paul", "9"), base[2]}, true,
       {"Dupont Jean=12", "Durand Paul=9", "Martin Léa=10"}, 1},
      {"ajoutés des deux côtés", base + QList<ÉlèveModèle>{élève("Zoé Bernard", "A")}, QList<ÉlèveModèle>{élève("Bernard Zoé", "A")} + base,
       false, {"Bernard Zoé=A", "Dupont Jean=12", "Durand Paul=8", "Martin Léa=10", "Zoé Bernard=A"}, 0},
      {"le même ajouté des deux côtés, noté autrement", base + QList<ÉlèveModèle>{élève("Zoé Bernard", "11")},
       base + QList<ÉlèveModèle>{élève("Zoé Bernard", "13")}, true,
       {"Dupont Jean=12", "Durand Paul=8", "Martin Léa=10", "Zoé Bernard=13"}, 1},
  };
  for (const auto& c : cas) {
    VersionsClasse v{QStringLiteral("5A131"), {}, {}, {}, {}, {}, {}};
    v.base.insert(QStringLiteral("P1"), période(base));
    v.ici.insert(QStringLiteral("P1"), période(c.ici));
    v.là.insert(QStringLiteral("P1"), période(c.là));
    ClasseFusionnée f = fusionnerclasse(v);
    QHash<QString, bool> choix;
    for (const Conflit& cf : f.conflits) choix.insert(cf.id, c.garderlà);
    f = fusionnerclasse(v, choix);
    EXPECT_EQ(noms(f.périodes.value(QStringLiteral("P1"))), c.attendus) << c.nom;
    EXPECT_EQ(f.conflits.size(), c.conflits) << c.nom;
  }
}

// Tests créés des deux côtés : ceux qui ont les mêmes renseignements sont un seul
// test, leurs notes fusionnées ; jamais deux copies d'un même test dans la période.
TEST(FusionClasse, UnTestCreeDesDeuxCotesResteUnSeulTest) {
  const InterroModèle fractions{20, QStringLiteral("12/10/2026"), QStringLiteral("Fractions"), 1},
      aires{20, QStringLiteral("19/10/2026"), QStringLiteral("Aires"), 2}, autredate{20, QStringLiteral("13/10/2026"), QStringLiteral("Fractions"), 1};
  const auto côté = [](QList<InterroModèle> interros, QList<ÉlèveModèle> élèves) {
    PériodeModèle p;
    p.interros = std::move(interros);
    p.élèves = std::move(élèves);
    return p;
  };
  const auto deux = [](const char* nom, const char* a, const char* b) {
    return ÉlèveModèle{QString::fromUtf8(nom), {QString::fromUtf8(a), QString::fromUtf8(b)}, {}, 0};
  };
  const auto un = [](const char* nom, const char* a) { return ÉlèveModèle{QString::fromUtf8(nom), {QString::fromUtf8(a)}, {}, 0}; };
  const struct {
    const char* nom;
    PériodeModèle ici, là;
    QList<InterroModèle> interros;
    QStringList notes;  // élève=notes
    int conflits;
  } cas[] = {
      {"le même test, notes tapées de chaque côté pour d'autres élèves",
       côté({fractions}, {un("Dupont Jean", "12"), un("Martin Léa", "")}), côté({fractions}, {un("Dupont Jean", ""), un("Martin Léa", "15")}),
       {fractions}, {"Dupont Jean=12", "Martin Léa=15"}, 0},
      {"le même test, une note tapée autrement", côté({fractions}, {un("Dupont Jean", "12"), un("Martin Léa", "9")}),
       côté({fractions}, {un("Dupont Jean", "10.5"), un("Martin Léa", "9")}), {fractions}, {"Dupont Jean=12", "Martin Léa=9"}, 1},
      {"deux tests ici, le second aussi là", côté({fractions, aires}, {deux("Dupont Jean", "12", "14"), deux("Martin Léa", "9", "")}),
       côté({aires}, {un("Dupont Jean", ""), un("Martin Léa", "17")}), {fractions, aires},
       {"Dupont Jean=12,14", "Martin Léa=9,17"}, 0},
      {"deux tests différents par la date", côté({fractions}, {un("Dupont Jean", "12"), un("Martin Léa", "9")}),
       côté({autredate}, {un("Dupont Jean", "11"), un("Martin Léa", "8")}), {fractions, autredate},
       {"Dupont Jean=12,11", "Martin Léa=9,8"}, 0},
  };
  for (const auto& c : cas) {
    VersionsClasse v{QStringLiteral("5A131"), {}, {}, {}, {}, {}, {}};
    const PériodeModèle base = côté({}, {ÉlèveModèle{QStringLiteral("Dupont Jean"), {}, {}, 0},
                                           ÉlèveModèle{QStringLiteral("Martin Léa"), {}, {}, 0}});
    v.base.insert(QStringLiteral("P1"), base);
    v.ici.insert(QStringLiteral("P1"), c.ici);
    v.là.insert(QStringLiteral("P1"), c.là);
    const ClasseFusionnée f = fusionnerclasse(v);
    const PériodeModèle p1 = f.périodes.value(QStringLiteral("P1"));
    EXPECT_EQ(p1.interros, c.interros) << c.nom;
    QStringList notes;
    for (const ÉlèveModèle& e : p1.élèves) notes.append(e.nom + u'=' + e.notes.join(u','));
    EXPECT_EQ(notes, c.notes) << c.nom;
    EXPECT_EQ(f.conflits.size(), c.conflits) << c.nom;
  }
}

}  // namespace
