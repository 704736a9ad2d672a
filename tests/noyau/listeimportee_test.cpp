// Listes d'élèves du secrétariat : encodage, séparateur, titres et colonnes devinés,
// puis les noms tels que la porte des textes les laisse passer.

#include <gtest/gtest.h>

#include <QStringEncoder>
#include <QTemporaryDir>

#include "noyau/fichiers/listeimportee.h"
#include "plateforme/encodage.h"
#include "plateforme/erreurs.h"
#include "plateforme/fichiers.h"
#include "zipessai.h"

namespace {

QByteArray utf8(const char* texte) { return QByteArray(texte); }
QByteArray ansi(const char* texte) { return encoderansi(QString::fromUtf8(texte)); }
QByteArray utf16(const char* texte) {
  QStringEncoder e(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
  return e.encode(QString::fromUtf8(texte));
}

QStringList noms(const QList<NomImporté>& importés) {
  QStringList n;
  for (const NomImporté& i : importés) n.append(i.nom);
  return n;
}

FichierListe texte(const QByteArray& octets) {
  QTemporaryDir d;
  const QString chemin = d.path() + QStringLiteral("/liste.csv");
  écrireoctets(chemin, octets);
  return lirelisteélèves(chemin);
}

TEST(ListeImportee, DevinetteEtNomsDesTextes) {
  struct Cas {
    const char* quoi;
    QByteArray octets;
    const char* visée;
    Encodage encodage;
    QChar séparateur;
    QStringList attendus;
  };
  const QList<Cas> cas{
      {"UTF-8 avec marque, « ; », la classe visée parmi deux",
       utf8("\xEF\xBB\xBFNom;Prénom;Classe;Date de naissance\r\nDupont;Jean;5A;12/03/2013\r\nÉlie;Zoé;5B;01/01/2013\r\n"
            "Martin;Léa;5A;02/02/2013\r\n"),
       "5A", Encodage::Utf8AvecBom, u';', {"Dupont Jean", "Martin Léa"}},
      {"UTF-8 sans marque, « , », classe écrite « 5 A »", utf8("NOM,Prénom,Classe\nRoy,Éva,5 A\nDupont,Jean,5 A\n"), "5A",
       Encodage::Utf8, u',', {"Dupont Jean", "Roy Éva"}},
      {"Windows-1252", ansi("Nom;Prénom\r\nLefèvre;Anaïs\r\n"), "", Encodage::Windows1252, u';', {"Lefèvre Anaïs"}},
      {"tabulations, toutes les classes", utf8("Nom\tPrénom\tClasse\nDupont\tJean\t5A\nAubry\tLou\t6B\n"), "", Encodage::Utf8,
       u'\t', {"Aubry Lou", "Dupont Jean"}},
      {"guillemets : séparateur, saut de ligne et guillemet doublé dedans",
       utf8("Nom;Prénom;Classe\n\"Dupont; fils\";\"Jean\nPierre\";5A\n\"Le \"\"Grand\"\"\";Max;5A\n"), "5A", Encodage::Utf8,
       u';', {"Dupont; fils Jean Pierre", "Le \"Grand\" Max"}},
      {"une colonne « NOM Prénom »", utf8("NOM Prénom;Classe\nDUPONT Jean;5A\nROY Éva;5B\n"), "5B", Encodage::Utf8, u';',
       {"ROY Éva"}},
      {"sans titres : nom, prénom et classe devinés", utf8("Dupont;Jean;5A\nMartin;Léa;5A\nRoy;Éva;5B\n"), "5A",
       Encodage::Utf8, u';', {"Dupont Jean", "Martin Léa"}},
      {"un titre de document avant les titres", utf8("Liste des élèves 2026-2027\n\nNom;Prénom\nDupont;Jean\n"), "",
       Encodage::Utf8, u';', {"Dupont Jean"}},
      {"un nom par ligne", utf8("Martin Léa\nDupont Jean\n"), "", Encodage::Utf8, QChar(), {"Dupont Jean", "Martin Léa"}},
      {"« texte Unicode » d'Excel (UTF-16)", utf16("Nom\tPrénom\r\nZola\tÉmile\r\n"), "", Encodage::Utf16, u'\t',
       {"Zola Émile"}},
      {"fichier vide", QByteArray(), "", Encodage::Utf8, QChar(), {}},
      {"une ligne de total à la fin, sans colonne des classes",
       utf8("Nom;Prénom\nDupont;Jean\nMartin;Léa\n\nTotal : 2 élèves;\n"), "", Encodage::Utf8, u';', {"Dupont Jean", "Martin Léa"}},
      {"effectif en dernière ligne d'un seul nom par ligne", utf8("Martin Léa\nDupont Jean\nEffectif : 2\n"), "", Encodage::Utf8,
       QChar(), {"Dupont Jean", "Martin Léa"}},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.quoi);
    const FichierListe f = texte(c.octets);
    const RéglagesListe r = devinerréglages(f, QString::fromUtf8(c.visée));
    EXPECT_EQ(r.encodage, c.encodage);
    EXPECT_EQ(r.séparateur, c.séparateur);
    EXPECT_EQ(noms(passerlaporte(nomslus(tableaudeliste(f, r), r), QString(), {})), c.attendus);
  }
}

// La classe visée, comme les secrétariats l'écrivent.
TEST(ListeImportee, ClassesEcritesAvecLeurOrdinal) {
  const struct {
    const char *dansfichier, *visée;
    bool trouvée;
  } cas[] = {
      {"3ème B", "3B", true}, {"3e B", "3B", true},  {"3ème-B", "3B", true}, {"3EME B", "3 B", true},
      {"1ère A", "1A", true}, {"2nde C", "2C", true}, {"3 B", "3B", true},    {"3E", "3E", true},
      {"3ème E", "3E", true}, {"3E", "3B", false},    {"3ème B", "3A", false}, {"13B", "3B", false},
  };
  for (const auto& c : cas) {
    SCOPED_TRACE(std::string(c.dansfichier) + " / " + c.visée);
    const FichierListe f = texte(utf8("Nom;Prénom;Classe\nDupont;Jean;") + c.dansfichier + "\nRoy;Éva;4Z\n");
    const RéglagesListe r = devinerréglages(f, QString::fromUtf8(c.visée));
    EXPECT_EQ(r.classe, c.trouvée ? QString::fromUtf8(c.dansfichier) : QString());
  }
}

// Un fichier à colonnes ouvre la fenêtre d'import, quel que soit son nom ; une suite de
// noms (un par ligne, ou séparés par des virgules) se lit sans elle.
TEST(ListeImportee, ColonnesReconnuesASonContenu) {
  const struct {
    const char* quoi;
    QByteArray octets;
    bool suitedenoms;
  } cas[] = {
      {"un nom par ligne", utf8("Dupont Jean\nMartin Léa\n"), true},
      {"des noms séparés par des virgules", utf8("Dupont Jean, Martin Léa, Roy Éva\n"), true},
      {"des virgules inégales sur plusieurs lignes", utf8("Dupont Jean, Martin Léa, Roy Éva\nAubry Lou\nZola Émile, Petit Luc\n"), true},
      {"export à virgules avec titres", utf8("CLASSE,NOM,PRÉNOM\n3B,DUPONT,Léa\n3B,MARTIN,Jean\n"), false},
      {"export à virgules sans titres", utf8("3B,DUPONT,Léa\n3B,MARTIN,Jean\n3B,ROY,Éva\n"), false},
      {"guillemets", utf8("\"Dupont Jean\",\"Martin Léa\"\n"), false},
      {"point-virgule", utf8("Dupont;Jean\n"), false},
  };
  for (const auto& c : cas) {
    SCOPED_TRACE(c.quoi);
    const FichierListe f = texte(c.octets);
    EXPECT_EQ(desnomsséparésparlesvirgules(f, devinerréglages(f, QString())), c.suitedenoms);
  }
}

TEST(ListeImportee, ClassesComptees) {
  const FichierListe f = texte(utf8("Nom;Classe\nA;5B\nB;5A\nC;5B\nD;\nE;5B\n"));
  RéglagesListe r = devinerréglages(f, QStringLiteral("6C"));
  EXPECT_EQ(r.classe, QString());  // la classe visée n'y est pas : toutes
  using C = QPair<QString, int>;
  EXPECT_EQ(classestrouvées(tableaudeliste(f, r), r), (QList<C>{{"5A", 1}, {"5B", 3}}));
  r.classe = QStringLiteral("5B");
  EXPECT_EQ(nomslus(tableaudeliste(f, r), r), (QStringList{"A", "C", "E"}));
  // Les titres décochés : la ligne des titres devient un élève.
  r.titres = false;
  r.classe.clear();
  EXPECT_EQ(nomslus(tableaudeliste(f, r), r).first(), QStringLiteral("Nom"));
}

TEST(ListeImportee, LaPorteDesNoms) {
  const QString long65(65, u'x');
  const QList<NomImporté> n =
      passerlaporte({"Kowalski Łukasz", "Dupont/Jean", "martin léa", "  ", long65, "Zoé\tRoy"}, QString(), {"Martin Léa"});
  ASSERT_EQ(n.size(), 5);
  const QList<QPair<QString, NomImporté::Sort>> attendus{{"Dupont-Jean", NomImporté::BarreRemplacée},
                                                         {"Kowalski Lukasz", NomImporté::LettresProches},
                                                         {"martin léa", NomImporté::DéjàLà},
                                                         {long65, NomImporté::TropLong},
                                                         {"Zoé Roy", NomImporté::Gardé}};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(n[i].nom, attendus[i].first);
    EXPECT_EQ(n[i].sort, attendus[i].second) << n[i].nom.toStdString();
  }
  EXPECT_EQ(n[1].lu, QStringLiteral("Kowalski Łukasz"));
  EXPECT_EQ(noms(passerlaporte({"Roy"}, QStringLiteral("_ "), {})), QStringList{"_ Roy"});
}

const QByteArray typesxlsx = R"(<?xml version="1.0"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"/>)";

QList<QPair<QString, QByteArray>> xlsx(const QByteArray& feuille) {
  return {
      {"[Content_Types].xml", typesxlsx},
      {"xl/workbook.xml",
       R"(<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><sheets><sheet name="Élèves" sheetId="2" r:id="rId5"/><sheet name="Autre" sheetId="1" r:id="rId1"/></sheets></workbook>)"},
      {"xl/_rels/workbook.xml.rels",
       R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Target="worksheets/sheet1.xml"/><Relationship Id="rId5" Target="/xl/worksheets/eleves.xml"/></Relationships>)"},
      {"xl/sharedStrings.xml",
       R"(<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><si><t>Élève</t></si><si><r><t>Du</t></r><r><rPr><b/></rPr><t>pont</t></r><rPh><t>デュポン</t></rPh></si><si><t xml:space="preserve">Jean</t></si></sst>)"},
      {"xl/worksheets/sheet1.xml", R"(<worksheet><sheetData><row r="1"><c r="A1" t="inlineStr"><is><t>faux</t></is></c></row></sheetData></worksheet>)"},
      {"xl/worksheets/eleves.xml", feuille},
  };
}

const QByteArray contenuods = R"(<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"><office:body><office:spreadsheet>
<table:table table:name="A">
<table:table-row><table:table-cell table:number-columns-spanned="2"><text:p>Élève</text:p></table:table-cell><table:covered-table-cell/><table:table-cell><text:p>Classe</text:p></table:table-cell><table:table-cell table:number-columns-repeated="16381"/></table:table-row>
<table:table-row table:number-rows-repeated="3"><table:table-cell table:number-columns-repeated="1024"/></table:table-row>
<table:table-row><table:table-cell><text:p>Le<text:s text:c="2"/>Roy</text:p></table:table-cell><table:table-cell><text:p>Éva</text:p><text:p>Marie</text:p></table:table-cell><table:table-cell office:value-type="float" office:value="5"><text:p>5</text:p><office:annotation><text:p>remarque</text:p></office:annotation></table:table-cell></table:table-row>
<table:table-row table:number-rows-repeated="1048570"><table:table-cell table:number-columns-repeated="16384"/></table:table-row>
</table:table><table:table table:name="B"><table:table-row><table:table-cell><text:p>autre feuille</text:p></table:table-cell></table:table-row></table:table>
</office:spreadsheet></office:body></office:document-content>)";

QList<QPair<QString, QByteArray>> ods(const QByteArray& manifeste = R"(<manifest:manifest xmlns:manifest="urn:oasis:names:tc:opendocument:xmlns:manifest:1.0"/>)") {
  return {{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
          {"META-INF/manifest.xml", manifeste},
          {"content.xml", contenuods}};
}

// Un champ d'un million de caractères est trop long, avec ou sans lettre que
// Windows-1252 ne garde pas ; son début est montré avec les lettres proches.
TEST(ListeImportee, ChampTresLongJugeSurSonDebut) {
  for (const QString& début : {QStringLiteral("Łukasz "), QStringLiteral("Lukas ")}) {
    const QList<NomImporté> n = passerlaporte({début + QString(1'000'000, u'x') + QStringLiteral("ł")}, QString(), {});
    ASSERT_EQ(n.size(), 1);
    EXPECT_EQ(n[0].sort, NomImporté::TropLong);
    EXPECT_TRUE(n[0].nom.startsWith(début.startsWith(u'Ł') ? QStringLiteral("Lukasz x") : QStringLiteral("Lukas x")));
  }
}

// Deux élèves de même nom, dans le fichier ou avec un élève de la classe : chacun
// reçoit ce qui le distingue, jamais deux lignes pareilles dans la classe.
TEST(ListeImportee, HomonymesDistingues) {
  using S = NomImporté::Sort;
  const QStringList deux{"Dupont Jean", "Martin Léa", "Dupont Jean"};
  const struct {
    const char* quoi;
    QStringList lus, déjàlà;
    Homonymes h;
    QList<QPair<QString, S>> attendus;
  } cas[] = {
      {"deux fois dans le fichier, sans distinction : des numéros", deux, {}, {},
       {{"Dupont Jean (1)", S::Distingué}, {"Dupont Jean (2)", S::Distingué}, {"Martin Léa", S::Gardé}}},
      {"deux fois, par la date de naissance", deux, {}, {{"12/03/2013", "02/02/2013", "01/09/2012"}, false},
       {{"Dupont Jean (01-09-2012)", S::Distingué}, {"Dupont Jean (12-03-2013)", S::Distingué}, {"Martin Léa", S::Gardé}}},
      {"deux fois, la même date : les numéros départagent", deux, {}, {{"12/03/2013", "", "12/03/2013"}, false},
       {{"Dupont Jean (12-03-2013) (1)", S::Distingué}, {"Dupont Jean (12-03-2013) (2)", S::Distingué}, {"Martin Léa", S::Gardé}}},
      {"déjà dans la classe : pas ajouté", {"Dupont Jean"}, {"Dupont Jean"}, {}, {{"Dupont Jean", S::DéjàLà}}},
      {"déjà dans la classe, ajouté quand même : le deuxième", {"Dupont Jean"}, {"Dupont Jean"}, {{}, true},
       {{"Dupont Jean (2)", S::Distingué}}},
      {"déjà dans la classe, ajouté par sa date", {"Dupont Jean"}, {"Dupont Jean"}, {{"01/09/2012"}, true},
       {{"Dupont Jean (01-09-2012)", S::Distingué}}},
  };
  for (const auto& c : cas) {
    SCOPED_TRACE(c.quoi);
    QList<QPair<QString, S>> obtenus;
    for (const NomImporté& n : passerlaporte(c.lus, QString(), c.déjàlà, c.h)) obtenus.append({n.nom, n.sort});
    EXPECT_EQ(obtenus, c.attendus);
  }
  // La colonne des dates de naissance est devinée d'après son titre.
  const FichierListe f = texte(utf8("Nom;Prénom;Classe;Date de naissance\nDupont;Jean;5A;12/03/2013\nDupont;Jean;5A;01/09/2012\n"));
  EXPECT_EQ(devinerréglages(f, QStringLiteral("5A")).colonnedistinction, 3);
  EXPECT_EQ(devinerréglages(texte(utf8("Nom;Prénom\nDupont;Jean\n")), QString()).colonnedistinction, -1);
}

TEST(ListeImportee, ClasseursFaitsMain) {
  const QByteArray feuille = R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>
<row r="1"><c r="A1" t="s"><v>0</v></c><c r="C1" t="inlineStr"><is><r><t>Cla</t></r><r><t>sse</t></r></is></c></row>
<row r="2"><c r="A2" t="s"><v>1</v></c><c r="B2" t="s"><v>2</v></c><c r="C2"><v>5</v></c></row>
<row r="4"><c r="A4" t="inlineStr"><is><t>Roy</t></is></c><c r="C4" t="str"><v>5</v></c><c r="D4" t="b"><v>1</v></c></row>
</sheetData><mergeCells count="1"><mergeCell ref="A1:B1"/></mergeCells></worksheet>)";
  EXPECT_EQ(premièrefeuille(zipper(xlsx(feuille))),
            (TableauLu{{"Élève", "Élève", "Classe"}, {"Dupont", "Jean", "5"}, {}, {"Roy", "", "5", "VRAI"}}));
  // Les lignes vides restent à leur place : la ligne 5 du tableur est la cinquième.
  EXPECT_EQ(premièrefeuille(zipper(ods())), (TableauLu{{"Élève", "Élève", "Classe"}, {}, {}, {}, {"Le  Roy", "Éva\nMarie", "5"}}));
}

// Le budget vaut pour tout le classeur, et seules les entrées dont la feuille a besoin
// sont décompressées : une autre feuille énorme ne compte pas.
TEST(ListeImportee, BudgetDuClasseurEntier) {
  const QByteArray feuille = R"(<worksheet><sheetData><row r="1"><c r="A1" t="inlineStr"><is><t>Dupont</t></is></c></row></sheetData></worksheet>)";
  QList<QPair<QString, QByteArray>> autrefeuille = xlsx(feuille);
  autrefeuille[4].second = "<worksheet>" + QByteArray(60 << 20, ' ') + "</worksheet>";  // la feuille « Autre », jamais lue
  EXPECT_EQ(premièrefeuille(zipper(autrefeuille)), (TableauLu{{"Dupont"}}));

  QList<QPair<QString, QByteArray>> deuxmoitiés = xlsx("<worksheet>" + QByteArray(40 << 20, ' ') + "<sheetData/></worksheet>");
  deuxmoitiés[3].second = "<sst>" + QByteArray(40 << 20, ' ') + "</sst>";  // chacune sous 64 Mo, ensemble au-delà
  try {
    premièrefeuille(zipper(deuxmoitiés));
    ADD_FAILURE() << "accepté";
  } catch (const ErreurDonnée& e) {
    EXPECT_TRUE(e.texte().startsWith(QStringLiteral("Ce fichier n'est pas un classeur lisible"))) << e.texte().toStdString();
  }
}

// Des cases répétées par milliers (un .ods de quelques kilo-octets) : refusé avant de
// remplir la mémoire, avec une phrase qui dit quoi faire.
TEST(ListeImportee, CasesRepeteesSansFin) {
  QByteArray lignes;
  for (int k = 0; k < 20; ++k)
    lignes += R"(<table:table-row table:number-rows-repeated="1000"><table:table-cell table:number-columns-repeated="1024"><text:p>x</text:p></table:table-cell></table:table-row>)";
  QList<QPair<QString, QByteArray>> énorme = ods();
  énorme[2].second = R"(<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"><office:body><office:spreadsheet><table:table>)" +
                     lignes + "</table:table></office:spreadsheet></office:body></office:document-content>";
  try {
    premièrefeuille(zipper(énorme));
    ADD_FAILURE() << "accepté";
  } catch (const ErreurDonnée& e) {
    EXPECT_TRUE(e.texte().startsWith(QStringLiteral("Ce classeur est trop grand pour une liste d'élèves"))) << e.texte().toStdString();
  }
}

TEST(ListeImportee, FichiersRefusesAvecLeurRaison) {
  const QByteArray bonxlsx = zipper(xlsx(R"(<worksheet><sheetData/></worksheet>)"));
  struct Cas {
    const char* quoi;
    QByteArray octets;
    const char* début;
  };
  const QList<Cas> cas{
      {"binaire", QByteArray("\x7F" "ELF\0\0\0\1\2", 10), "Ce fichier n'est pas une liste d'élèves"},
      {"petit PDF sans octet nul", QByteArray("%PDF-1.4\n1 0 obj\n<< /Type /Catalog >>\nendobj\ntrailer\n%%EOF\n"),
       "Ce fichier n'est pas une liste d'élèves : c'est un document PDF"},
      {"image PNG", QByteArray("\x89PNG\r\n\x1a\n") + QByteArray(40, 'x'), "Ce fichier n'est pas une liste d'élèves : c'est une image"},
      {"image JPEG", QByteArray("\xff\xd8\xff\xe0") + QByteArray(40, 'x'), "Ce fichier n'est pas une liste d'élèves : c'est une image"},
      {"zip abîmé", QByteArray("PK\x03\x04") + QByteArray(200, 'z'), "Ce fichier n'est pas un classeur lisible"},
      {"classeur coupé en deux", bonxlsx.left(bonxlsx.size() / 2), "Ce fichier n'est pas un classeur lisible"},
      {"zip sans classeur", zipper({{"a.xml", "<a/>"}}), "Ce fichier n'est pas un classeur lisible"},
      {"XML abîmé", zipper(xlsx("<worksheet><sheetData><row>")), "Ce fichier n'est pas un classeur lisible"},
      {"zip qui gonfle sans fin", zipper(xlsx("<worksheet>" + QByteArray(65 << 20, ' ') + "</worksheet>")), "Ce fichier n'est pas un classeur lisible"},
      {"ODS chiffré",
       zipper(ods(R"(<manifest:manifest xmlns:manifest="urn:oasis:names:tc:opendocument:xmlns:manifest:1.0"><manifest:file-entry><manifest:encryption-data/></manifest:file-entry></manifest:manifest>)")),
       "Ce classeur est protégé par un mot de passe"},
      {"xlsx chiffré (fichier composé)", QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1") + QByteArray(504, '\0'),
       "Ce classeur est protégé par un mot de passe ou enregistré dans l'ancien format"},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.quoi);
    try {
      texte(c.octets);
      ADD_FAILURE() << "accepté";
    } catch (const ErreurDonnée& e) {
      EXPECT_TRUE(e.texte().startsWith(QString::fromUtf8(c.début))) << e.texte().toStdString();
    }
  }
}

}  // namespace
