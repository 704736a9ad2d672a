// La fenêtre d'import d'une liste du secrétariat, pilotée par ses boîtes : ce
// qu'elle devine, une colonne ou une classe changée, la question de la porte,
// Annuler ; et des classeurs faits par un vrai tableur.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QTest>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <QTableWidget>

#include "classes/importliste.h"
#include "noyau/demo/demo.h"
#include "plateforme/ordre.h"
#include "socle/registre.h"
#include "tests/outils/essai.h"
#include "tests/outils/tableur.h"

namespace {

class ImportListe : public EssaiDonnees {
protected:
  void TearDown() override {
    oublierfenêtres();
    EssaiDonnees::TearDown();
  }
  QString fichier(const QString& nom, const QByteArray& octets) {
    const QString chemin = temporaire.path() + u'/' + nom;
    écrire(chemin, octets);
    return chemin;
  }
  QStringList proposés() const {
    QStringList n;
    for (const NomImporté& i : f.proposés()) n.append(i.nom);
    return n;
  }
  FenetreImportListe& f = fenêtreimportliste();
};

QByteArray école(int élèves) { return "\xEF\xBB\xBF" + exportdesecrétariat(élèves).toUtf8(); }

TEST_F(ImportListe, DevineLesColonnesEtLaClasseVisee) {
  ASSERT_EQ(f.préparer(fichier(QStringLiteral("école.csv"), école(2000)), {}, QStringLiteral("5A")),
            FenetreImportListe::Préparation::Prête);
  EXPECT_EQ(f.encodage->currentText(), QStringLiteral("UTF-8 avec marque (BOM)"));
  EXPECT_EQ(f.séparateur->currentData().toString(), QStringLiteral(";"));
  EXPECT_TRUE(f.titres->isChecked());
  EXPECT_EQ(f.colonnenom->currentText(), QStringLiteral("Colonne A : Nom"));
  EXPECT_EQ(f.colonneprénom->currentText(), QStringLiteral("Colonne B : Prénom"));
  EXPECT_EQ(f.colonneclasse->currentText(), QStringLiteral("Colonne C : Classe"));
  EXPECT_EQ(f.classe->currentText(), QStringLiteral("5A (28 élèves)"));
  EXPECT_EQ(f.classe->itemText(0), QStringLiteral("Toutes les classes (2000 élèves)"));
  EXPECT_EQ(f.élèves->count(), 28);
  EXPECT_EQ(f.compte->text(), QStringLiteral("28 élève(s) à ajouter"));
  const QStringList cinqa = proposés();
  EXPECT_TRUE(std::is_sorted(cinqa.begin(), cinqa.end(), [](const QString& a, const QString& b) { return avantenfrançais(a, b); }));
  f.ok_Click();
  EXPECT_TRUE(boîtes.montrées().isEmpty());
  EXPECT_EQ(f.retenus(), cinqa);

  // Une autre classe, puis plus de colonne des prénoms : la liste suit.
  f.classe->setCurrentIndex(f.classe->findData(QStringLiteral("5B")));
  EXPECT_EQ(f.élèves->count(), 28);
  EXPECT_NE(proposés(), cinqa);
  const QString premier = proposés().first();
  f.colonneprénom->setCurrentIndex(0);
  // Les noms de famille seuls : les homonymes reçoivent leur date de naissance.
  EXPECT_TRUE(proposés().first().startsWith(premier.section(u' ', 0, 0))) << proposés().first().toStdString();
  EXPECT_TRUE(std::all_of(f.proposés().begin(), f.proposés().end(), [](const NomImporté& n) { return n.nom.count(u' ') <= 1; }));
  f.colonneprénom->setCurrentIndex(f.colonneprénom->findData(1));
  // Toutes les classes : OK le fait confirmer.
  // (Toute l'école a des homonymes : la question des noms distingués vient d'abord.)
  f.classe->setCurrentIndex(0);
  boîtes.répondre(OUI);
  boîtes.répondre(NON);
  f.ok_Click();
  ASSERT_EQ(boîtes.montrées().size(), 2);
  EXPECT_EQ(boîtes.montrées()[0].titre, QStringLiteral("Noms à changer"));
  EXPECT_TRUE(boîtes.montrées()[1].texte.startsWith(QStringLiteral("Ajouter les 2000 élèves des 72 classes du fichier ?")));
  EXPECT_EQ(f.retenus(), cinqa);
  // Un autre séparateur : une seule colonne, les colonnes redevinées.
  f.séparateur->setCurrentIndex(f.séparateur->findData(QString()));
  EXPECT_EQ(f.colonneclasse->currentData().toInt(), -1);
  EXPECT_FALSE(f.classe->isEnabled());
  // Sans colonne des classes, la case dit combien de lignes seront ajoutées (la ligne
  // des titres, s'il en reste une, n'est pas comptée).
  EXPECT_EQ(f.classe->currentText(), QStringLiteral("Toutes les classes (%1 élèves)").arg(f.élèves->count()));
  EXPECT_GT(f.élèves->count(), 1000);
  f.annuler_Click();
  EXPECT_TRUE(f.retenus().isEmpty());
}

TEST_F(ImportListe, UneQuestionPourLesNomsChangesOuRefuses) {
  const QString long65(65, u'x');
  const QString csv = fichier(QStringLiteral("liste.csv"), (QStringLiteral("Nom;Prénom\nKowalski;Łukasz\nDupont;Jean\n"
                                                                           "Martin;Léa\nDu/pont;Marc\n%1;Y\n")
                                                                .arg(long65))
                                                               .toUtf8());
  f.préparer(csv, {"Martin Léa"}, QStringLiteral("6C"));
  EXPECT_EQ(f.élèves->item(3)->text(), QStringLiteral("Martin Léa   (déjà dans la classe : pas ajouté)"));
  EXPECT_EQ(f.élèves->item(2)->text(), QStringLiteral("Kowalski Lukasz   (lu : Kowalski Łukasz)"));
  EXPECT_EQ(f.compte->text(), QStringLiteral("3 élève(s) à ajouter, 2 écarté(s)"));
  const QList<QPair<int, QStringList>> cas{
      {ANNULER, {}}, {NON, {"Dupont Jean"}}, {OUI, {"Du-pont Marc", "Dupont Jean", "Kowalski Lukasz"}}};
  for (const auto& [réponse, retenus] : cas) {
    boîtes.oublier();
    boîtes.répondre(réponse);
    f.ok_Click();
    ASSERT_EQ(boîtes.montrées().size(), 1);
    EXPECT_EQ(boîtes.montrées()[0].titre, QStringLiteral("Noms à changer"));
    const QString& texte = boîtes.montrées()[0].texte;
    EXPECT_TRUE(texte.contains(QStringLiteral("- Du/pont Marc → Du-pont Marc\n- Kowalski Łukasz → Kowalski Lukasz\n- xxx")))
        << texte.toStdString();
    EXPECT_TRUE(texte.contains(QStringLiteral("trop long (64 caractères au plus), pas ajouté")));
    EXPECT_EQ(f.retenus(), retenus);
  }
  // Le préfixe passe par la même porte, devant chaque nom.
  f.préfixe->setText(QStringLiteral("[5B]"));
  EXPECT_EQ(proposés().first(), QStringLiteral("[5B] Du-pont Marc"));
}

// Deux élèves de même nom dans le fichier, un troisième déjà dans la classe : la
// fenêtre les distingue par la date de naissance que le fichier porte, le dit à OK,
// et n'ajoute l'homonyme d'un élève de la classe que si on le lui demande.
TEST_F(ImportListe, HomonymesDistinguesParLaDateDeNaissance) {
  const QString csv = fichier(QStringLiteral("liste.csv"),
                              QStringLiteral("Nom;Prénom;Né(e) le\nDupont;Jean;12/03/2013\nDupont;Jean;01/09/2012\n"
                                             "Martin;Léa;02/02/2013\nRoy;Éva;03/03/2013\n")
                                  .toUtf8());
  ASSERT_EQ(f.préparer(csv, {"Martin Léa"}, QStringLiteral("6C")), FenetreImportListe::Préparation::Prête);
  EXPECT_EQ(f.distinction->currentText(), QStringLiteral("Colonne C : Né(e) le"));
  EXPECT_EQ(proposés(), (QStringList{"Dupont Jean (01-09-2012)", "Dupont Jean (12-03-2013)", "Martin Léa", "Roy Éva"}));
  EXPECT_EQ(f.élèves->item(0)->text(), QStringLiteral("Dupont Jean (01-09-2012)   (homonyme, lu : Dupont Jean)"));
  boîtes.répondre(OUI);
  f.ok_Click();
  ASSERT_EQ(boîtes.montrées().size(), 1);
  EXPECT_TRUE(boîtes.montrées()[0].texte.contains(QStringLiteral("- Dupont Jean → Dupont Jean (01-09-2012) : plusieurs élèves de ce nom")))
      << boîtes.montrées()[0].texte.toStdString();
  EXPECT_EQ(f.retenus(), (QStringList{"Dupont Jean (01-09-2012)", "Dupont Jean (12-03-2013)", "Roy Éva"}));

  // Par un numéro, et l'homonyme d'un élève de la classe ajouté aussi.
  f.distinction->setCurrentIndex(0);
  f.homonymesdelaclasse->setChecked(true);
  EXPECT_EQ(proposés(), (QStringList{"Dupont Jean (1)", "Dupont Jean (2)", "Martin Léa (2)", "Roy Éva"}));
}

// L'aperçu garde les numéros de lignes du fichier (lignes vides comprises) et montre
// le titre du document une fois, sur toute la ligne, sans élargir les colonnes.
TEST_F(ImportListe, ApercuAvecLesNumerosDuFichierEtLeTitreUneFois) {
  const QString titre = QStringLiteral("Liste des élèves de l'établissement, année scolaire 2026-2027");
  const QString csv = fichier(QStringLiteral("liste.csv"),
                              QStringLiteral("%1;%1;%1\n\nNom;Prénom;Classe\nDupont;Jean;5A\n\nRoy;Éva;5B\nMartin;Léa;5A\n")
                                  .arg(titre)
                                  .toUtf8());
  ASSERT_EQ(f.préparer(csv, {}, QStringLiteral("5A")), FenetreImportListe::Préparation::Prête);
  EXPECT_EQ(f.premièreligne->value(), 3);  // la ligne des titres, comme le tableur la numérote
  QStringList numéros;
  for (int r = 0; r < f.aperçu->rowCount(); ++r) numéros.append(f.aperçu->verticalHeaderItem(r)->text());
  EXPECT_EQ(numéros, (QStringList{"1", "2", "3", "4", "7"}));
  ASSERT_TRUE(f.aperçu->item(0, 0));
  EXPECT_EQ(f.aperçu->item(0, 0)->text(), titre);
  EXPECT_EQ(f.aperçu->item(0, 1), nullptr);
  EXPECT_EQ(f.aperçu->columnSpan(0, 0), 3);
  EXPECT_LT(f.aperçu->columnWidth(1), 200);
  EXPECT_EQ(proposés(), (QStringList{"Dupont Jean", "Martin Léa"}));
}

// Au clavier : Tab quitte l'aperçu (les flèches y vont de case en case) vers la liste
// des élèves, puis OK et Annuler ; Maj+Tab en revient.
TEST_F(ImportListe, TabQuitteLApercu) {
  const QString csv = fichier(QStringLiteral("liste.csv"), "Nom;Prénom\nDupont;Jean\nMartin;Léa\n");
  ASSERT_EQ(f.préparer(csv, {}, QString()), FenetreImportListe::Préparation::Prête);
  f.show();
  f.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
  f.aperçu->setFocus();
  f.aperçu->setCurrentCell(1, 1);
  QTest::keyClick(f.aperçu, Qt::Key_Tab);
  EXPECT_NE(QApplication::focusWidget(), f.aperçu);
  EXPECT_EQ(f.aperçu->currentColumn(), 1);  // Tab n'a pas avancé d'une case
  f.aperçu->setFocus();
  QTest::keyClick(f.aperçu, Qt::Key_Backtab);
  EXPECT_NE(QApplication::focusWidget(), f.aperçu);
  f.hide();
}

TEST_F(ImportListe, FichiersRefusesSansRienOuvrir) {
  const QList<QPair<QByteArray, QString>> cas{
      {QByteArray(), QStringLiteral("Ce fichier ne contient aucun nom.")},
      {QByteArray("PK\x03\x04garbage"), QStringLiteral("Ce fichier n'est pas un classeur lisible")},
      {QByteArray("\0\1\2\3", 4), QStringLiteral("Ce fichier n'est pas une liste d'élèves")}};
  for (const auto& [octets, message] : cas) {
    boîtes.oublier();
    EXPECT_EQ(f.préparer(fichier(QStringLiteral("liste.xlsx"), octets), {}, QString()),
              FenetreImportListe::Préparation::Refusée);
    ASSERT_EQ(boîtes.montrées().size(), 1);
    EXPECT_TRUE(boîtes.montrées()[0].texte.startsWith(message)) << boîtes.montrées()[0].texte.toStdString();
  }
  EXPECT_EQ(f.préparer(fichier(QStringLiteral("noms.txt"), "Dupont Jean, Martin Léa, Roy Éva\n"), {}, QString()),
            FenetreImportListe::Préparation::UneColonne);
  // Un export à colonnes enregistré en .txt : la fenêtre d'import, comme pour un .csv.
  EXPECT_EQ(f.préparer(fichier(QStringLiteral("export.txt"), "CLASSE,NOM,PRÉNOM\n3B,DUPONT,Léa\n3B,MARTIN,Jean\n"), {},
                       QStringLiteral("3B")),
            FenetreImportListe::Préparation::Prête);
}

// Le même export, ouvert et enregistré par LibreOffice en .xlsx et en .ods, donne
// les mêmes élèves que le CSV.
TEST_F(ImportListe, ClasseursEnregistresParLibreOffice) {
  const QString csv = fichier(QStringLiteral("ecole.csv"), exportdesecrétariat(1400).toUtf8());
  ASSERT_EQ(f.préparer(csv, {}, QStringLiteral("5A")), FenetreImportListe::Préparation::Prête);
  const QStringList attendus = proposés();
  ASSERT_EQ(attendus.size(), 28);
  for (const QString& format : {QStringLiteral("xlsx"), QStringLiteral("ods")}) {
    SCOPED_TRACE(format.toStdString());
    QString erreur;
    const QString classeur = convertirparlibreoffice(csv, format, temporaire.path(), erreur);
    ASSERT_FALSE(classeur.isEmpty()) << erreur.toStdString();
    ASSERT_EQ(f.préparer(classeur, {}, QStringLiteral("5A")), FenetreImportListe::Préparation::Prête);
    EXPECT_FALSE(f.encodage->isEnabled());
    EXPECT_EQ(f.colonneclasse->currentText(), QStringLiteral("Colonne C : Classe"));
    EXPECT_EQ(proposés(), attendus);
  }
}

}  // namespace
