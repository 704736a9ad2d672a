#include <gtest/gtest.h>

#include "tests/feuille/feuille_essai.h"

#include <QDir>

#include "noyau/sorties/exports.h"
#include "plateforme/systeme.h"
#include "tests/outils/tableur.h"

namespace {

const QString P1N = QStringLiteral("5A131\\5A131.P1N");

class Exports : public Feuille {
protected:
  void SetUp() override {
    Feuille::SetUp();
    // Des demi-points, "A", "AI", "NC", une note vide, un résultat "?", et des champs
    // qui contiennent le séparateur ou des guillemets.
    deuxdisques(P1N, {" 3", " 3", " 0", " 1", "Dupont Élodie/12.5/A/7.5", " 80/ 40/ 13.5/ 2/",
                      "Durand; \"Paul\"/AI/NC/", " 32/-1/?/ 0/", "Martin Léa/9.5/14/10", " 49/ 50/ 10/ 0/",
                      "060% -> Nombres", "040% -> Géométrie"});
    QStringList r = interrosP1;
    r[6] = QStringLiteral("Aires; périmètres");
    deuxdisques(QStringLiteral("5A131\\5A131.P1R"), r);
    deuxdisques(QStringLiteral("5A131\\5A131.P2N"), {" 3", " 0", " 0", " 4", "Dupont Élodie", "-1/ 60/?/ 1/",
                                                   "Durand; \"Paul\"", "-1/-1/?/ 0/", "Martin Léa", "-1/ 61/?/ 0/",
                                                   "060% -> Nombres", "040% -> Géométrie"});
    chargerclasse();
    p.Form_Load();
  }
  QString exportation(const QString& nom) const { return maison() + QStringLiteral("/Exportation Evalo/") + nom; }
  QString maison() const { return temporaire.path() + QStringLiteral("/maison"); }
};

TEST_F(Exports, NotesEtMoyennesOctetPourOctet) {
  struct Cas {
    void (FenetrePrincipale::*commande)();
    const char* type;
    const char* fichier;
    QStringList lignes;
  };
  const Cas cas[] = {
      {&FenetrePrincipale::exportnotes_Click, "1", "Notes5A P1 09-14-2026 08-30-00.csv",
       {"Noms;Fractions;\"Aires; périmètres\";Pourcentages;Moyennes", ";20;20;10;20", "Dupont Élodie;12,5;A;7,5; 13,5",
        "\"Durand; \"\"Paul\"\"\";AI;NC;;?", "Martin Léa;9,5;14;10; 10"}},
      {&FenetrePrincipale::exportnotes_Click, "2", "Notes5A P1 09-14-2026 08-30-00.doc",
       {"Noms;Fractions;\"Aires; périmètres\";Pourcentages;Moyennes", ";/20;/20;/10;/20", "Dupont Élodie;12,5;A;7,5; 13.5",
        "\"Durand; \"\"Paul\"\"\";AI;NC;;?", "Martin Léa;9,5;14;10; 10"}},
      {&FenetrePrincipale::mnuexportmoy_Click, "1", "Moyennes 5A P1 09-14-2026 08-30-00.csv",
       {"Classe : 5A;Période :P1;Moyennes sur; 20", "Dupont Élodie; 13,5;/ 20", "\"Durand; \"\"Paul\"\"\";?;/ 20",
        "Martin Léa; 10;/ 20"}},
      {&FenetrePrincipale::mnuexportmoy_Click, "2", "Moyennes 5A P1 09-14-2026 08-30-00.doc",
       {"Classe : 5A  => Période :P1  => Moyennes sur  =>  20", "Dupont Élodie  =>  13.5/ 20",
        "\"Durand; \"\"Paul\"\"\"  => ?/ 20", "Martin Léa  =>  10/ 20"}},
  };
  for (const Cas& c : cas) {
    boîtes.oublier();
    boîtes.répondretexte(QString::fromUtf8(c.type));
    boîtes.répondre(OK);
    (p.*c.commande)();
    const QString chemin = exportation(QString::fromUtf8(c.fichier));
    EXPECT_EQ(lire(chemin), crlf(c.lignes)) << c.fichier;
    const QList<BoiteMontrée>& b = boîtes.montrées();
    ASSERT_EQ(b.size(), 2);
    EXPECT_EQ(b[0].titre, QStringLiteral("Type d'exportation"));
    EXPECT_EQ(b[0].texte, QStringLiteral("Taper le numéro correspondant à votre choix.\n\n1. Excel => *.csv\n2. Word => *.doc"));
    EXPECT_EQ(b[0].défaut, QStringLiteral("1"));
    EXPECT_EQ(b[1].titre, QStringLiteral("Transfert OK !"));
    EXPECT_EQ(b[1].texte, QStringLiteral("Transfert terminé sous le nom : ") + QDir::toNativeSeparators(chemin));
  }
  // Le fichier est en Windows-1252 : "é" tient sur un octet.
  EXPECT_TRUE(lire(exportation(QStringLiteral("Notes5A P1 09-14-2026 08-30-00.csv"))).contains("Dupont \xC9lodie"));
}

// Un tableur en français relit chaque ".csv" : les notes, résultats (entiers et
// demi-points), maxima et pourcentages sont des nombres ; noms, titres, "A", "AI",
// "NC", "?" et "/ 20" restent des textes ; une note vide reste vide.
TEST_F(Exports, UnTableurFrancaisLitLesNombres) {
  const QString dossier = temporaire.path() + QStringLiteral("/tableur");
  ASSERT_TRUE(QDir().mkpath(dossier));
  struct Cas {
    const char* fichier;
    QStringList lignes;
    QStringList genres;
  };
  const Cas cas[] = {
      {"notes.csv", lignesnotes(typecsv), {"TTTTT", ".NNNN", "TNTNN", "TTT.T", "TNNNN"}},
      {"moyennes.csv", lignesmoyennes(typecsv), {"TTTN", "TNT", "TTT", "TNT"}},
      {"competence.csv", lignescompétence(moyennescompétence(1)), {"TT", "TN", "TN", "TN"}},
  };
  QStringList fichiers;
  for (const Cas& c : cas) {
    fichiers << dossier + u'/' + QString::fromUtf8(c.fichier);
    écrireexport(fichiers.last(), c.lignes);
  }
  QString erreur;
  const QMap<QString, QStringList> genres = genresdescellules(fichiers, dossier, erreur);
  ASSERT_TRUE(erreur.isEmpty()) << erreur.toStdString();
  for (qsizetype i = 0; i < fichiers.size(); ++i)
    EXPECT_EQ(genres.value(fichiers[i]), cas[i].genres) << cas[i].fichier << "\n" << cas[i].lignes.join(u'\n').toStdString();
}

TEST_F(Exports, SansInterrogationEtNoms) {
  état().périodecourante = QStringLiteral("P2");
  chargerclasse();
  boîtes.répondretexte(QStringLiteral("1"));
  boîtes.répondre(OK);
  p.exportnotes_Click();
  EXPECT_EQ(lire(exportation(QStringLiteral("Notes5A P2 09-14-2026 08-30-00.csv"))),
            crlf({"Noms;Moyennes", ";20", "Dupont Élodie;?", "\"Durand; \"\"Paul\"\"\";?", "Martin Léa;?"}));
  boîtes.répondre(OK);
  p.exportnoms_Click();
  const QString noms = exportation(QStringLiteral("noms des élèves de 5A.txt"));
  EXPECT_EQ(lire(noms), crlf({"Dupont Élodie", "Durand; \"Paul\"", "Martin Léa"}));
  EXPECT_EQ(boîtes.montrées().last().titre, QStringLiteral("Sauvegarde effectuée."));
  EXPECT_EQ(boîtes.montrées().last().texte, QStringLiteral("Fichier créé sous le nom :\n") + QDir::toNativeSeparators(noms) + u'.');
}

TEST_F(Exports, TypeRefuseNEcritRien) {
  for (const char* réponse : {"3", "", "0"}) {
    boîtes.répondretexte(QString::fromUtf8(réponse));
    p.exportnotes_Click();
    boîtes.répondretexte(QString::fromUtf8(réponse));
    p.mnuexportmoy_Click();
  }
  EXPECT_EQ(boîtes.montrées().size(), 6);
  EXPECT_FALSE(existe(maison() + QStringLiteral("/Exportation Evalo")));
}

TEST_F(Exports, DossierImpossibleDitPourquoiSansTransfertOk) {
  écrire(maison() + QStringLiteral("/Exportation Evalo"), "un fichier à la place du dossier");
  boîtes.répondretexte(QStringLiteral("1"));
  p.exportnotes_Click();
  p.exportnoms_Click();
  const QList<BoiteMontrée>& b = boîtes.montrées();
  ASSERT_EQ(b.size(), 3);
  for (const BoiteMontrée& erreur : {b[1], b[2]}) {
    EXPECT_EQ(erreur.genre, GenreBoite::Message);
    EXPECT_TRUE(erreur.texte.contains(QStringLiteral("Exportation Evalo"))) << erreur.texte.toStdString();
    EXPECT_TRUE(erreur.texte.endsWith(QStringLiteral("Le fichier n'a pas été créé."))) << erreur.texte.toStdString();
  }
}

TEST_F(Exports, MoyenneDUneCompetenceSurLesPeriodes) {
  const QString dossier = temporaire.path() + QStringLiteral("/exports");
  QDir().mkpath(dossier);
  struct Cas {
    const char* compétence;
    QString réponsedossier;
    QStringList lignes;
  };
  const Cas cas[] = {
      // C1 seulement en P1 ; C2 en P1 et P2 : Martin (50 + 61) / 2 = 55,5 donne 56.
      {"1", dossier, {"NOM;Pourcentage moyen de la compétence", "Dupont Élodie; 80", "\"Durand; \"\"Paul\"\"\"; 32", "Martin Léa; 49"}},
      {"2", dossier + u'/', {"NOM;Pourcentage moyen de la compétence", "Dupont Élodie; 50", "\"Durand; \"\"Paul\"\"\"; ?", "Martin Léa; 56"}},
  };
  for (const Cas& c : cas) {
    boîtes.oublier();
    boîtes.répondretexte(QString::fromUtf8(c.compétence));
    boîtes.répondretexte(temporaire.path() + QStringLiteral("/absent"));  // refusé : la question revient
    boîtes.répondretexte(c.réponsedossier);
    if (QByteArray(c.compétence) == "2") boîtes.répondre(OK);  // Durand n'a pas de note en C2
    boîtes.répondre(OK);
    p.exporttotcomp_Click();
    const QString chemin = dossier + QStringLiteral("/5A- CP ") + QString::fromUtf8(c.compétence) + QStringLiteral(".csv");
    EXPECT_EQ(lire(chemin), crlf(c.lignes)) << c.compétence;
    const QList<BoiteMontrée>& b = boîtes.montrées();
    EXPECT_EQ(b[0].titre, QStringLiteral("Choix de la compétence dont il faut la moyenne"));
    EXPECT_EQ(b[0].texte, QStringLiteral("Quel est le n° de la compétence à utiliser ?\n1) 060% -> Nombres\n2) 040% -> Géométrie"));
    EXPECT_EQ(b[1].titre, QStringLiteral("Dossier de sauvegarde"));
    EXPECT_EQ(b[1].défaut, QDir::toNativeSeparators(dossierdesdocuments() + u'/'));
    EXPECT_EQ(b[2].genre, GenreBoite::Message);
    EXPECT_EQ(b[3].défaut, temporaire.path() + QStringLiteral("/absent"));
    EXPECT_EQ(b.last().titre, QStringLiteral("Terminé !"));
    EXPECT_EQ(b.last().texte, QStringLiteral("Fichier ") + QDir::toNativeSeparators(chemin) + QStringLiteral(" créé."));
  }
  EXPECT_EQ(boîtes.montrées()[4].titre, QStringLiteral("Durand; \"Paul\""));
  EXPECT_EQ(boîtes.montrées()[4].texte, QStringLiteral("Impossible de calculer la moyenne pour cet élève car il n'a pas de notes !"));
  EXPECT_EQ(état().périodecourante, QStringLiteral("P1"));
  EXPECT_EQ(état().nbinterros, 3);

  for (const char* refus : {"", "0", "3"}) {
    boîtes.répondretexte(QString::fromUtf8(refus));
    p.exporttotcomp_Click();
  }
  EXPECT_TRUE(boîtes.toutesutilisées());
}

TEST(Export, PointEnVirguleEtChamps) {
  const std::pair<const char*, const char*> virgules[] = {{"12.5", "12,5"}, {"A", "A"}, {"", ""}, {"1.2.3", "1,2.3"}};
  for (const auto& [avant, après] : virgules) EXPECT_EQ(changerpointenvirgule(QString::fromUtf8(avant)), QString::fromUtf8(après));
  const std::pair<const char*, const char*> champs[] = {{"Dupont", "Dupont"}, {"a;b", "\"a;b\""}, {"dit \"x\"", "\"dit \"\"x\"\"\""}, {"", ""}};
  for (const auto& [avant, après] : champs) EXPECT_EQ(champexport(QString::fromUtf8(avant)), QString::fromUtf8(après));
}

}  // namespace
