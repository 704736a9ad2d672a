#include <gtest/gtest.h>

#include "tests/feuille/feuille_essai.h"
#include "tests/outils/anneeessai.h"

#include <QDir>
#include <QFileInfo>
#include <cmath>

#include "impression/totaux.h"
#include "noyau/demo/demo.h"
#include "noyau/base/module.h"
#include "noyau/fichiers/classeurlu.h"
#include "noyau/fichiers/listeclasses.h"
#include "noyau/fichiers/renseignements.h"
#include "noyau/sorties/classeur.h"
#include "noyau/sorties/exports.h"
#include "plateforme/fichiers.h"
#include "plateforme/nombres.h"
#include "tests/outils/tableur.h"

namespace {

const QString fondrouge = QStringLiteral("FFFFD8D8");
const QString fondbleu = QStringLiteral("FFDCE6FF");

class Classeur : public Feuille {
protected:
  ClasseurLu exporter() {
    const QString chemin = temporaire.path() + QStringLiteral("/classe.xlsx");
    écrireclasseur(chemin);
    QString erreur;
    ClasseurLu lu = lireclasseur(chemin, erreur);
    EXPECT_TRUE(erreur.isEmpty()) << erreur.toStdString();
    return lu;
  }
};

}  // namespace

// Le classeur du programme relu par l'import des listes : les noms de la classe,
// l'un sous l'autre dans la colonne des noms de la première feuille.
TEST_F(Classeur, ReluParLImportDesListes) {
  const QString chemin = temporaire.path() + QStringLiteral("/classe.xlsx");
  écrireclasseur(chemin);
  const TableauLu feuille = premièrefeuille(lireoctets(chemin));
  QStringList noms;
  for (int s = 1; s <= état().nbélèves; ++s) noms.append(état().nomélève[s]);
  qsizetype r = 0, c = -1;
  while (r < feuille.size() && (c = feuille[r].indexOf(noms.first())) < 0) ++r;
  ASSERT_GE(c, 0);
  QStringList colonne;
  for (qsizetype i = r; i < std::min(feuille.size(), r + noms.size()); ++i) colonne.append(feuille[i].value(c));
  EXPECT_EQ(colonne, noms);
}

// La classe relue par openpyxl : feuilles, nombres, textes, couleurs, formules et
// leurs valeurs gardées égales à celles de la grille, période sans test, nom "=...".
TEST_F(Classeur, ReluParUnVraiLecteur) {
  rouvriravecp1(8, QStringLiteral("=Martin Léa") + notesP1[8].mid(10));
  const ClasseurLu lu = exporter();
  ASSERT_EQ(lu.feuilles, (QStringList{"Période 1", "Période 2", "Totaux"}));
  EXPECT_EQ(lu.feuilles, feuillesduclasseur());
  EXPECT_EQ(lu.figées[QStringLiteral("Période 1")], QStringLiteral("C5"));

  const auto& f = lu.cases[QStringLiteral("Période 1")];
  const struct {
    const char* adresse;
    const char* genre;
    const char* valeur;
    QString fond;
  } cas[] = {
      {"C5", "n", "12", {}},                  // Dupont, test 1
      {"D5", "s", "A", fondbleu},                 // absent
      {"C6", "s", "AI", fondrouge},               // Durand : compte 0
      {"D6", "s", "NC", fondbleu},
      {"C7", "n", "9.5", fondrouge},              // Martin : sous la moitié de 20
      {"B7", "s", "=Martin Léa", {}},         // un nom, jamais une formule
      {"F5", "n", "7.5", {}},                 // note orale : un nombre montré « 7,5/10 » en français
      {"B9", "s", "Moyenne de la classe", {}},
  };
  for (const auto& c : cas) {
    SCOPED_TRACE(c.adresse);
    ASSERT_TRUE(f.contains(QString::fromLatin1(c.adresse)));
    const CaseLue& lue = f[QString::fromLatin1(c.adresse)];
    EXPECT_EQ(lue.genre, QString::fromLatin1(c.genre));
    EXPECT_EQ(lue.valeur, QString::fromUtf8(c.valeur));
    if (!c.fond.isEmpty()) {
      EXPECT_EQ(lue.fond, c.fond);
    }
  }
  // Moyennes et échecs de chaque test et des résultats : formules, valeurs de la grille.
  const int N = état().nbélèves;
  for (int colonne : {2, 3, 4, état().nbinterros + état().nborales + 2}) {
    SCOPED_TRACE(colonne);
    const QString lettre = lettrecolonne(colonne);
    const CaseLue& moyenne = f[lettre + QString::number(5 + N + 1)];
    const CaseLue& échecs = f[lettre + QString::number(5 + N + 2)];
    EXPECT_EQ(moyenne.genre, QStringLiteral("f"));
    EXPECT_TRUE(moyenne.valeur.startsWith(QStringLiteral("=IF(")));
    EXPECT_DOUBLE_EQ(moyenne.gardée.toDouble(), val(texte(N + 4, colonne)));
    EXPECT_EQ(échecs.genre, QStringLiteral("f"));
    EXPECT_EQ(échecs.gardée.toInt(), val(texte(N + 5, colonne)));
  }
  // Période 2, sans test : les élèves et leur résultat "?".
  const auto& p2 = lu.cases[QStringLiteral("Période 2")];
  EXPECT_EQ(p2[QStringLiteral("B5")].valeur, QStringLiteral("Dupont Élodie"));
  EXPECT_EQ(p2[QStringLiteral("C5")].valeur, QStringLiteral("?"));
  EXPECT_EQ(p2[QStringLiteral("C5")].fond, fondbleu);
  // Tous les résultats sont "?" : la moyenne garde ce que sa formule rend, une case vide.
  EXPECT_EQ(p2[QStringLiteral("C9")].genre, QStringLiteral("f"));
  EXPECT_EQ(p2[QStringLiteral("C9")].gardée, QString());
  const auto& totaux = lu.cases[QStringLiteral("Totaux")];
  EXPECT_EQ(totaux[QStringLiteral("C1")].valeur, QString());
  EXPECT_EQ(totaux[QStringLiteral("B4")].valeur, QStringLiteral("Dupont Élodie"));
  EXPECT_EQ(totaux[QStringLiteral("C4")].genre, QStringLiteral("n"));
  EXPECT_EQ(état().périodecourante, QStringLiteral("P1"));
}

// Une note pas encore tapée reste une case vide, comme dans la grille : jamais un 0
// que personne n'a donné. Les résultats de la grille n'en changent pas.
TEST_F(Classeur, UneNoteNonTapeeResteVide) {
  rouvriravecp1(6, QStringLiteral("Durand Paul/AI/NC// 0"));
  ASSERT_EQ(texte(4, 4), QString());
  const ClasseurLu lu = exporter();
  const auto& f = lu.cases[QStringLiteral("Période 1")];
  EXPECT_EQ(f.value(QStringLiteral("E6")).valeur, QString());
  EXPECT_NE(f.value(QStringLiteral("E6")).genre, QStringLiteral("n"));
  EXPECT_EQ(f.value(QStringLiteral("E5")).valeur, QStringLiteral("7.5"));
}

// Le classeur de la classe chargée, écrit, puis une de ses feuilles telle qu'un vrai
// LibreOffice en français la montre (vide, et l'essai en échec, s'il ne la montre pas).
TableauLu exportémontré(const QString& chemin, const QString& feuille) {
  écrireclasseur(chemin);
  QString erreur;
  const QMap<QString, TableauLu> montrées = montréenfrançais(chemin, {feuille}, QFileInfo(chemin).absolutePath(), erreur);
  EXPECT_TRUE(erreur.isEmpty()) << erreur.toStdString();
  return montrées.value(feuille);
}

// Dans un tableur en français, un seul séparateur décimal sur la feuille : les notes
// orales et les totaux incomplets sont des nombres avec leurs marques ("7,5/10",
// "?9,5?"), que le tableur montre avec sa virgule. "AI" est à droite comme les autres
// notes, et la période tient sur une page de haut avec sa légende.
TEST_F(Classeur, UnSeulSeparateurDecimalDansUnTableurFrancais) {
  rouvriravecp1(8, QStringLiteral("Martin Léa/9.5/14/10/ 1/ 10/ 4.5/02.10 - Calcul/ 2"));
  const QString chemin = temporaire.path() + QStringLiteral("/classe.xlsx");
  const TableauLu p = exportémontré(chemin, QStringLiteral("Période 1"));
  ASSERT_GT(p.size(), 6);
  QString erreur;
  EXPECT_EQ(p[4].value(1), QStringLiteral("Dupont Élodie"));
  EXPECT_EQ(p[4].value(5), QStringLiteral("7,5/10"));  // oral, au-dessus de la moitié
  EXPECT_EQ(p[6].value(5), QStringLiteral("4,5/10"));  // sous la moitié
  EXPECT_EQ(p[6].value(2), QStringLiteral("9,5"));
  const ClasseurLu lu = lireclasseur(chemin, erreur);
  const auto& f = lu.cases[QStringLiteral("Période 1")];
  EXPECT_EQ(f[QStringLiteral("F5")].genre, QStringLiteral("n"));
  EXPECT_EQ(f[QStringLiteral("F7")].fond, fondrouge);
  EXPECT_EQ(f[QStringLiteral("C6")].valeur, QStringLiteral("AI"));
  EXPECT_EQ(f[QStringLiteral("C6")].alignement, QStringLiteral("right"));
  EXPECT_EQ(lu.pageshaut[QStringLiteral("Période 1")], QStringLiteral("1"));
}

namespace {

class ClasseurTotaux : public AnneeEssai {};

}  // namespace

// Les totaux du classeur sont ceux de la fenêtre des totaux, pour chaque élève, même
// quand une période ou l'examen manque : la somme de ce qui existe marquée "?", le
// pourcentage sur ce qui compte encore.
TEST_F(ClasseurTotaux, LesMemesTotauxQueLaFenetre) {
  boîtes.répondretexte(QStringLiteral("2"));
  FenetreTotaux& fenêtre = fenêtretotaux();
  fenêtre.Form_Load();
  const TableauLu t = exportémontré(temporaire.path() + QStringLiteral("/totaux.xlsx"), QStringLiteral("Totaux"));
  ASSERT_FALSE(t.isEmpty());
  for (int i = 1; i <= 4; ++i) {
    SCOPED_TRACE(i);
    QStringList fenêtreligne, classeurligne;
    for (int c = 5; c <= 8; ++c) {
      QString texte = fenêtre.grille1->modèle().cellule(1 + i, c).texte.trimmed();
      fenêtreligne << texte.replace(u'.', u',');
      classeurligne << t.value(2 + i).value(c);
    }
    EXPECT_EQ(classeurligne, fenêtreligne);
  }
  EXPECT_EQ(t.value(4).value(7), QStringLiteral("?33,5?"));  // Durand Paul : la période 2 manque
}

// Les formules de la moyenne au pair et des échecs, dans un vrai lecteur : une
// moitié exacte (13.25) descend au pair comme la grille.
TEST(FormulesClasseur, ColonnesEtFormules) {
  EXPECT_EQ(lettrecolonne(0), QStringLiteral("A"));
  EXPECT_EQ(lettrecolonne(25), QStringLiteral("Z"));
  EXPECT_EQ(lettrecolonne(26), QStringLiteral("AA"));
  EXPECT_EQ(lettrecolonne(701), QStringLiteral("ZZ"));
  EXPECT_EQ(formuleéchecs(QStringLiteral("C"), 5, 34, 20, true), QStringLiteral("=SUMPRODUCT(ISNUMBER(C5:C34)*(C5:C34<10))"));
  EXPECT_TRUE(formulemoyenne(QStringLiteral("C"), 5, 34, false).contains(QStringLiteral("COUNTIF(C5:C34,\"NC\")")));
}

// 200 élèves, trois périodes et un examen : chaque nom et chaque formule sur toute la colonne.
TEST_F(EssaiDonnees, ClasseurDeDeuxCentsEleves) {
  créerclassedemesure(racine, TailleClasse{200, 5, 0, 2, 3, 1});
  ÉtatPartagé& é = état();
  é.nbclasses = 1;
  for (auto* t : {&é.nomclasse, &é.nomcours, &é.dossierclasse}) t->redim(2);
  é.nomclasse[1] = QStringLiteral("5A");
  é.dossierclasse[1] = QStringLiteral("5A261");
  é.dernièrepériode.redim(2);
  é.nbexamenscréés.redim(2);
  é.dernièrepériode[1] = 3;
  é.nbexamenscréés[1] = 1;
  é.classecourante = 1;
  é.périodecourante = QStringLiteral("P1");
  chargerclasse();
  const double moyenne = é.moyenneinterro[1];
  const QString chemin = temporaire.path() + QStringLiteral("/deux cents.xlsx");
  écrireclasseur(chemin);
  QString erreur;
  const ClasseurLu lu = lireclasseur(chemin, erreur);
  ASSERT_TRUE(erreur.isEmpty()) << erreur.toStdString();
  EXPECT_EQ(lu.feuilles, (QStringList{"Période 1", "Période 2", "Période 3", "Examen 1", "Totaux"}));
  const auto& f = lu.cases[QStringLiteral("Période 1")];
  for (int s = 1; s <= 200; ++s) EXPECT_EQ(f[QStringLiteral("B%1").arg(4 + s)].valeur, é.nomélève[s]) << s;
  EXPECT_TRUE(f[QStringLiteral("C206")].valeur.contains(QStringLiteral("C5:C204")));
  EXPECT_DOUBLE_EQ(f[QStringLiteral("C206")].gardée.toDouble(), moyenne);
  EXPECT_EQ(lu.cases[QStringLiteral("Totaux")][QStringLiteral("B203")].valeur, é.nomélève[200]);
  EXPECT_TRUE(QDir(temporaire.path()).entryList({QStringLiteral("~evalo-*")}).isEmpty());
}

// Un dossier qui n'existe pas : l'erreur nomme le fichier, rien n'est laissé.
TEST_F(Classeur, EchecNommeLeFichier) {
  const QString chemin = temporaire.path() + QStringLiteral("/absent/classe.xlsx");
  try {
    écrireclasseur(chemin);
    ADD_FAILURE() << "aucune erreur";
  } catch (const ErreurFichier& e) {
    EXPECT_TRUE(e.texte().contains(chemin)) << e.texte().toStdString();
  }
  EXPECT_FALSE(QFile::exists(chemin));
  EXPECT_TRUE(QDir(temporaire.path()).entryList({QStringLiteral("~evalo-*")}).isEmpty());
  EXPECT_EQ(état().périodecourante, QStringLiteral("P1"));
}

// Par le menu : un succès dit le nom du fichier ; un dossier d'exportation
// impossible (un fichier porte son nom) le dit, sans arrêter le programme.
TEST_F(Classeur, ParLeMenu) {
  boîtes.répondre(OK);
  p.exportclasseur_Click();
  EXPECT_TRUE(boîtes.montrées().last().texte.startsWith(QStringLiteral("Transfert terminé sous le nom : ")));
  // L'année d'abord, comme les PDF.
  EXPECT_EQ(QDir(dossierexport()).entryList({QStringLiteral("*.xlsx")}),
            QStringList{QStringLiteral("Classeur 5A 2026-09-14 08-30-00.xlsx")});
  QDir(dossierexport()).removeRecursively();
  écrire(dossierexport(), "pas un dossier");
  p.exportclasseur_Click();
  EXPECT_TRUE(boîtes.montrées().last().texte.endsWith(QStringLiteral("Le classeur n'a pas été créé.")));
  EXPECT_FALSE(boîtes.sablieractif());
}

// Le disque des données plein pendant l'exportation : la première lecture des autres
// périodes ne peut pas noter qu'elles sont vérifiées ; l'exportation, qui ne fait
// que lire, ne propose jamais de quitter le programme.
TEST_F(Classeur, DisquePleinSansProposerDeQuitter) {
  QFile::remove(disquedur(QStringLiteral("fichiersentrés.txt")));  // les autres périodes pas encore lues
  simulerdisquepleinaprès(0);
  p.exportclasseur_Click();
  simulerdisquepleinaprès(-1);
  for (const BoiteMontrée& b : boîtes.montrées())
    EXPECT_FALSE(b.texte.contains(QStringLiteral("quitter"))) << b.texte.toStdString();
  ASSERT_EQ(boîtes.montrées().size(), 1);
  EXPECT_TRUE(boîtes.montrées()[0].texte.startsWith(QStringLiteral("Le disque est plein")));
  EXPECT_TRUE(boîtes.montrées()[0].texte.endsWith(QStringLiteral("Le classeur n'a pas été créé.")));
  EXPECT_FALSE(boîtes.sablieractif());
  EXPECT_EQ(état().périodecourante, QStringLiteral("P1"));
}

namespace {

bool mêmevaleur(const QString& a, const QString& b) {
  if (a.isEmpty() || b.isEmpty()) return a.isEmpty() && b.isEmpty();
  bool na = false, nb = false;
  const double x = a.toDouble(&na), y = b.toDouble(&nb);
  return na && nb ? std::abs(x - y) < 1e-9 : a == b;
}

}  // namespace

// Chaque formule des classeurs de l'année de démonstration, recalculée par un vrai
// LibreOffice en français de Belgique (virgule décimale) : la valeur qu'il trouve est
// celle de la grille. Une valeur gardée faussée exprès revient juste : le recalcul a
// bien eu lieu.
TEST_F(EssaiDonnees, ClasseursRecalculesParUnTableurFrancais) {
  créerannéedémo(racine);
  ÉtatPartagé& é = état();
  é.dossierracine = racine;
  lirerenseignements();
  ouvrirannéepardéfaut();
  ASSERT_GT(é.nbclasses, 0);
  QStringList classeurs;
  QMap<QString, ClasseurLu> écrits;
  int comparéesàlagrille = 0;
  for (int c = 1; c <= é.nbclasses; ++c) {
    é.classecourante = c;
    é.périodecourante = QStringLiteral("P1");
    chargerclasse();
    const QString chemin = temporaire.path() + QStringLiteral("/classe %1.xlsx").arg(c);
    écrireclasseur(chemin);
    QString erreur;
    écrits.insert(chemin, lireclasseur(chemin, erreur));
    ASSERT_TRUE(erreur.isEmpty()) << erreur.toStdString();
    classeurs.append(chemin);
    // Les valeurs gardées sont celles de la grille de chaque période et examen.
    for (const QString& feuille : feuillesduclasseur()) {
      if (feuille == u"Totaux") continue;
      é.périodecourante = (feuille.startsWith(u'P') ? QStringLiteral("P") : QStringLiteral("E")) + feuille.section(u' ', -1);
      chargerclasse();
      const int N = é.nbélèves;
      for (int k = 1; k <= é.nbinterros + 1; ++k) {
        const int colonne = k <= é.nbinterros ? k + 1 : é.nbinterros + é.nborales + 2;
        const CaseLue& moyenne = écrits[chemin].cases[feuille][lettrecolonne(colonne) + QString::number(5 + N + 1)];
        const CaseLue& échecs = écrits[chemin].cases[feuille][lettrecolonne(colonne) + QString::number(5 + N + 2)];
        const QString attendue = é.moyenneinterro[k] < 0 ? QString() : QString::number(é.moyenneinterro[k]);
        EXPECT_TRUE(mêmevaleur(moyenne.gardée, attendue)) << feuille.toStdString() << " colonne " << colonne;
        EXPECT_EQ(échecs.gardée.toInt(), é.échecsinterro[k]) << feuille.toStdString() << " colonne " << colonne;
        comparéesàlagrille += 2;
      }
    }
  }
  const QString faussée = falsifierunevaleurgardée(classeurs.first(), QStringLiteral("999"));
  ASSERT_FALSE(faussée.isEmpty());
  QString erreur;
  const QMap<QString, ClasseurLu> recalculés = recalculerenfrançais(classeurs, temporaire.path(), erreur);
  ASSERT_TRUE(erreur.isEmpty()) << erreur.toStdString();
  int formules = 0;
  for (const QString& chemin : classeurs) {
    const ClasseurLu& avant = écrits[chemin];
    const ClasseurLu& après = recalculés[chemin];
    for (auto feuille = avant.cases.begin(); feuille != avant.cases.end(); ++feuille)
      for (auto c = feuille->begin(); c != feuille->end(); ++c) {
        if (c->genre != u"f") continue;
        ++formules;
        const QString recalculée = après.cases.value(feuille.key()).value(c.key()).gardée;
        EXPECT_TRUE(mêmevaleur(recalculée, c->gardée))
            << QFileInfo(chemin).fileName().toStdString() << " " << feuille.key().toStdString() << "!" << c.key().toStdString()
            << " : " << c->valeur.toStdString() << " donne " << recalculée.toStdString() << " au lieu de "
            << c->gardée.toStdString();
      }
  }
  EXPECT_GT(comparéesàlagrille, 100);
  EXPECT_GT(formules, comparéesàlagrille);
  const QString première = écrits[classeurs.first()].feuilles.first();
  EXPECT_TRUE(mêmevaleur(recalculés[classeurs.first()].cases.value(première).value(faussée).gardée,
                         écrits[classeurs.first()].cases.value(première).value(faussée).gardée))
      << "la valeur faussée (999) de " << faussée.toStdString() << " n'a pas été recalculée";
}
