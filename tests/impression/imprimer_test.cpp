#include <gtest/gtest.h>

#include "tests/outils/anneeessai.h"
#include "tests/outils/hote.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include "impression/choiximprimante.h"
#include "impression/imprimer.h"
#include "noyau/base/piege.h"
#include "plateforme/imprimante.h"
#include "plateforme/qt/imprimanteqt.h"
#include "plateforme/services.h"

namespace {

// Deux classes : 5A (deux périodes, un examen) et 5B (quatre périodes, aucun examen).
class Imprimer : public AnneeEssai {
protected:
  void SetUp() override {
    AnneeEssai::SetUp();
    deuxdisques(QStringLiteral("listclas.13"),
                {" 2", "5A", "Mathématique", "5A131", " 2", " 1", "5B", "Sciences", "5B131", " 4", " 0"});
    deuxdisques(QStringLiteral("5B131\\5B131.MPE"), {" 0", " 20"});
    for (int p = 1; p <= 4; ++p)
      deuxdisques(QStringLiteral("5B131\\5B131.P%1N").arg(p),
                  {" 1", " 0", " 0", " 1", "Léo Martin", "-1/-1/ 12/ 0/", "100% -> Tout"});
    lirelisteclasses();
    ouvrir(QStringLiteral("P1"));
    services().imprimantes = &parc;
    f.Form_Load();
  }
  QStringList textes(const QListWidget* l) {
    QStringList t;
    for (int i = 0; i < l->count(); ++i) t << l->item(i)->text();
    return t;
  }
  QStringList enpages() { return parc.imprimante(0).texte().split(u'\n').filter(QStringLiteral("Classe de")); }
  void choisirpériode(const QString& clé) {
    for (int n = 0; n < f.choixpériode.size(); ++n)
      if (f.choixpériode[n]->text() == clé) f.choixpériode_Click(n);
  }
  ParcTexte parc;
  FenetreImprimer& f = fenêtreimprimer();
};

TEST_F(Imprimer, FormLoad) {
  QStringList boutons;
  for (const QRadioButton* b : f.choixpériode) boutons << b->text();
  EXPECT_EQ(boutons, QStringList({"P1", "P2", "P3", "P4", "E1", "E2"}));  // la 5B a une quatrième période
  EXPECT_TRUE(f.choixpériode[0]->isChecked());
  EXPECT_EQ(f.périodeàimprimer, QStringLiteral("P1"));
  EXPECT_EQ(textes(f.Liste1), QStringList({"5A\t(Mathématique)", "5B\t(Sciences)"}));
  for (const QRadioButton* b : {f.Option1, f.Option2, f.Option3}) EXPECT_FALSE(b->isChecked());
  EXPECT_TRUE(f.Coche5->isEnabled());
  EXPECT_EQ(f.windowTitle(), QStringLiteral("Impression"));
}

TEST_F(Imprimer, SansTypeOuSansClasseRienNeSImprimeEtLeDit) {
  f.Option2_Click();
  f.cmdok_Click();  // aucun type coché : rien, la fenêtre reste et le dit
  EXPECT_TRUE(parc.imprimante(0).documents().isEmpty());
  ASSERT_EQ(boîtes.montrées().size(), 1);
  EXPECT_EQ(boîtes.montrées()[0].texte, QStringLiteral("Cochez au moins un tableau à imprimer."));
  f.Form_Load();
  f.Coche2->setChecked(true);
  f.cmdok_Click();  // aucune classe marquée : rien n'est remis, et la fenêtre le dit
  EXPECT_TRUE(parc.imprimante(0).documents().isEmpty());
  ASSERT_EQ(boîtes.montrées().size(), 2);
  EXPECT_TRUE(boîtes.montrées()[1].texte.startsWith(QStringLiteral("Choisissez la classe actuelle")));
}

// Chaque lettre soulignée (Alt+lettre) ne sert qu'une fois dans la fenêtre : sinon
// Alt+lettre ne fait que passer de l'une à l'autre au lieu de cocher ou d'agir.
TEST_F(Imprimer, UneLettreAltParCommande) {
  QMap<QChar, QString> lettres;
  for (const QAbstractButton* b : f.findChildren<QAbstractButton*>()) {
    const QString t = b->text();
    for (qsizetype i = 0; i + 1 < t.size(); ++i) {
      if (t[i] != u'&') continue;
      if (t[i + 1] == u'&') {
        ++i;
        continue;
      }
      const QChar l = t[i + 1].toLower();
      EXPECT_FALSE(lettres.contains(l)) << "Alt+" << QString(l).toStdString() << " : « " << lettres.value(l).toStdString()
                                        << " » et « " << t.toStdString() << " »";
      lettres.insert(l, t);
    }
  }
  EXPECT_GE(lettres.size(), 10);
}

TEST_F(Imprimer, PériodeQuiManqueÀUneClasse) {
  struct Cas {
    const char* clé;
    QStringList manquantes;
    QStringList imprimées;
  };
  const Cas cas[] = {
      {"E2", {"5A\t(Mathématique)", "5B\t(Sciences)"}, {}},
      {"P4", {"5A\t(Mathématique)"}, {"Classe de 5B            Cours : Sciences                             Période 4"}},
      {"E1", {"5B\t(Sciences)"}, {"Classe de 5A            Cours : Mathématique                         Examen  1"}},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.clé);
    f.Form_Load();
    boîtes.oublier();
    for (qsizetype n = 0; n < c.manquantes.size(); ++n) boîtes.répondre(n == 0 ? ANNULER : OK);  // l'une ou l'autre : on continue
    f.Option2_Click();
    choisirpériode(QString::fromUtf8(c.clé));
    f.Coche2->setChecked(true);
    const qsizetype avant = parc.imprimante(0).documents().size();
    f.cmdok_Click();
    QStringList manquantes;
    for (const BoiteMontrée& b : boîtes.montrées()) {
      EXPECT_EQ(b.titre, QStringLiteral("Période ou examen inexistant(e)"));
      manquantes << b.texte.section(QStringLiteral(" pour "), 1).section(QStringLiteral(" n'existe"), 0, 0);
    }
    EXPECT_EQ(manquantes, c.manquantes);
    if (!c.manquantes.isEmpty()) {
      EXPECT_EQ(boîtes.montrées()[0].texte, QStringLiteral("La période ou l'examen demandé pour ") + c.manquantes[0] +
                                               QStringLiteral(" n'existe pas.  Cette classe ne sera pas imprimée."));
    }
    EXPECT_EQ(parc.imprimante(0).documents().size(), avant + (c.imprimées.isEmpty() ? 0 : 1));
    if (!c.imprimées.isEmpty()) {
      EXPECT_EQ(enpages(), c.imprimées);
    }
    // La feuille retrouve sa classe et sa période.
    EXPECT_EQ(état().classecourante, 1);
    EXPECT_EQ(état().périodecourante, QStringLiteral("P1"));
    EXPECT_EQ(état().nbélèves, 4);
    EXPECT_EQ(état().totalélève[1], QStringLiteral(" 13.5"));
  }
}

// Un fichier abîmé dans la période à imprimer : la boîte le nomme, rien ne part à
// l'imprimante, la feuille garde sa classe et sa période, le programme continue.
TEST_F(Imprimer, PeriodeAbimeeArreteLImpressionSansFinDuProgramme) {
  deuxdisques(QStringLiteral("5B131\\5B131.P2N"), {" 1", " x", " 0", " 1", "Léo Martin", "-1/-1/ 12/ 0/"});
  f.Option2_Click();
  choisirpériode(QStringLiteral("P2"));
  f.Coche2->setChecked(true);
  boîtes.répondre(OK);
  EXPECT_THROW(f.cmdok_Click(), CommandeArrêtée);
  ASSERT_EQ(boîtes.montrées().size(), 1);
  EXPECT_TRUE(boîtes.montrées()[0].texte.contains(QStringLiteral("ligne 2"))) << boîtes.montrées()[0].texte.toStdString();
  EXPECT_TRUE(parc.imprimante(0).documents().isEmpty());
  EXPECT_EQ(état().classecourante, 1);
  EXPECT_EQ(état().périodecourante, QStringLiteral("P1"));
  EXPECT_EQ(état().totalélève[1], QStringLiteral(" 13.5"));

  // Le fichier réparé, l'impression suivante ne porte rien de la commande abandonnée.
  deuxdisques(QStringLiteral("5B131\\5B131.P2N"), {" 1", " 0", " 0", " 1", "Léo Martin", "-1/-1/ 12/ 0/"});
  f.Form_Load();
  f.Option2_Click();
  choisirpériode(QStringLiteral("P2"));
  f.Coche2->setChecked(true);
  f.cmdok_Click();
  ASSERT_EQ(parc.imprimante(0).documents().size(), 1);
  EXPECT_EQ(enpages().size(), 2) << enpages().join(u'\n').toStdString();
}

TEST_F(Imprimer, ToutesLesClassesDansUnSeulDocumentDansLOrdreDesTypes) {
  f.Option2_Click();
  choisirpériode(QStringLiteral("P2"));
  for (QCheckBox* c : {f.coche7, f.Coche4, f.Coche2}) c->setChecked(true);
  f.cmdok_Click();
  ASSERT_EQ(parc.imprimante(0).documents().size(), 1);
  const QString texte = parc.imprimante(0).texte();
  // Moyennes, grille puis renseignements (sans test, une page vide de contenu) pour 5A, puis pour 5B.
  const qsizetype moyennes5A = texte.indexOf(QStringLiteral("MOY.     COMP.")), grille5A = texte.indexOf(QStringLiteral("|..|"));
  const qsizetype renseignements5A = texte.indexOf(QStringLiteral("Liste des renseignements"));
  const qsizetype classe5B = texte.indexOf(QStringLiteral("Classe de 5B"));
  EXPECT_LT(moyennes5A, grille5A);
  EXPECT_LT(grille5A, renseignements5A);
  EXPECT_LT(renseignements5A, classe5B);
  EXPECT_EQ(enpages().size(), 6);
  EXPECT_FALSE(boîtes.sablieractif());
}

TEST_F(Imprimer, SélectionParDoubleClic) {
  f.Liste1->setCurrentRow(1);
  f.Liste1_DblClick();  // pas en mode sélection : ignoré
  EXPECT_EQ(f.Liste2->count(), 0);
  f.Option3_Click();
  f.Liste1_DblClick();
  f.Liste1_DblClick();  // deux fois la même : une seule ligne
  EXPECT_EQ(textes(f.Liste2), QStringList{"5B\t(Sciences)"});
  f.Liste1->setCurrentRow(0);
  f.Liste1_DblClick();
  EXPECT_EQ(textes(f.Liste2), QStringList({"5A\t(Mathématique)", "5B\t(Sciences)"}));  // dans l'ordre des classes
  f.Liste2->setCurrentRow(0);
  f.Liste2_DblClick();
  EXPECT_EQ(textes(f.Liste2), QStringList{"5B\t(Sciences)"});
  EXPECT_EQ(f.classesàimprimer[1], 0);
  f.Option1_Click();  // la classe actuelle remplace la sélection
  EXPECT_EQ(textes(f.Liste2), QStringList{"5A\t(Mathématique)"});
  EXPECT_EQ(f.classesàimprimer[2], 0);
  f.Liste2->setCurrentRow(0);
  f.Liste2_DblClick();  // hors du mode sélection : ignoré
  EXPECT_EQ(f.Liste2->count(), 1);
}

// L'aperçu est le choix d'une impression : "Aperçu..." montre ce document-là,
// l'impression suivante part sans aperçu.
TEST_F(Imprimer, AperçuPourCetteImpressionSeulement) {
  f.Option1_Click();
  f.Coche4->setChecked(true);
  f.cmdaperçu_Click();
  f.cmdok_Click();
  EXPECT_EQ(parc.imprimante(0).aperçus(), (QList<bool>{true, false}));
  f.Coche4->setChecked(false);
  f.cmdaperçu_Click();  // aucun type coché : rien, et l'aperçu ne reste pas en attente
  f.Coche4->setChecked(true);
  f.cmdok_Click();
  EXPECT_EQ(parc.imprimante(0).aperçus(), (QList<bool>{true, false, false}));
}

TEST_F(Imprimer, ChoixDeLImprimante) {
  ParcTexte trois({QStringLiteral("Texte"), QStringLiteral("Laser"), QStringLiteral("PDF")});
  services().imprimantes = &trois;
  FenetreChoixImprimante& c = Form3();
  c.Form_Load();
  EXPECT_EQ(textes(c.List1), QStringList({"Texte", "Laser", "PDF"}));
  EXPECT_EQ(c.Label5->text(), QStringLiteral("= Texte"));
  struct Étape {
    int ligne;
    const char* courante;
  };
  // L'imprimante courante d'abord (rien ne change, mais elle est retenue), puis deux changements.
  for (const Étape& e : {Étape{0, "Texte"}, Étape{1, "Laser"}, Étape{2, "PDF"}}) {
    c.List1->setCurrentRow(e.ligne);
    c.List1_DblClick();
    EXPECT_EQ(c.Label5->text(), QString::fromUtf8(e.courante));
    EXPECT_EQ(trois.Printer().DeviceName(), QString::fromUtf8(e.courante));
    EXPECT_EQ(état().imprimantechoisie, QStringLiteral("Texte"));
  }
  // Les impressions suivantes vont à l'imprimante choisie.
  f.Form_Load();
  f.Option1_Click();
  f.Coche4->setChecked(true);
  f.cmdok_Click();
  EXPECT_EQ(trois.imprimante(2).documents().size(), 1);
  EXPECT_TRUE(trois.imprimante(0).documents().isEmpty());
}

class ImprimerEnPdf : public Imprimer {
protected:
  void SetUp() override {
    Imprimer::SetUp();
    services().imprimantes = &qt;
    qt.choisir(nomimprimantepdf);
    services().ouvrirdocument = [this](const QString& chemin) { ouverts.append(chemin); };
  }
  ParcImprimantesQt qt;
  QStringList ouverts;
};

TEST_F(ImprimerEnPdf, PagesOrientationEtTexte) {
  f.Option2_Click();
  f.Coche1->setChecked(true);
  f.Coche2->setChecked(true);
  f.cmdok_Click();
  ASSERT_EQ(ouverts.size(), 1);
  const QString infos = sortiehôte(QStringLiteral("pdfinfo"), {ouverts[0]});
  EXPECT_TRUE(infos.contains(QRegularExpression(QStringLiteral("Pages:\\s+4\\n")))) << infos.toStdString();
  EXPECT_TRUE(infos.contains(QRegularExpression(QStringLiteral("Page size:\\s+595")))) << infos.toStdString();
  const QString texte = sortiehôte(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), ouverts[0], QStringLiteral("-")});
  EXPECT_EQ(texte.count(QStringLiteral("(Imprimé le 14/09/2026)")), 4) << texte.toStdString();
  for (const char* mot : {"Classe de 5A", "Classe de 5B", "Dupont Élodie", "Léo Martin", "MOY.     COMP."})
    EXPECT_TRUE(texte.contains(QString::fromUtf8(mot))) << mot;
}

TEST_F(ImprimerEnPdf, UnPdfQuiNePeutPasSÉcrireEstSignalé) {
  // Le dossier d'exportation est pris par un fichier : le PDF ne peut pas être créé.
  écrire(qEnvironmentVariable("HOME") + QStringLiteral("/Exportation Evalo"), "occupé");
  boîtes.répondre(OK);
  f.Option1_Click();
  f.Coche4->setChecked(true);
  f.cmdok_Click();
  EXPECT_TRUE(ouverts.isEmpty());
  ASSERT_EQ(boîtes.montrées().size(), 1);
  EXPECT_EQ(boîtes.montrées()[0].titre, QStringLiteral("Impression non aboutie"));
}

}  // namespace
