#include "tests/outils/tableur.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <QXmlStreamReader>

#include "tests/outils/hote.h"

namespace {

const QString espacebureau = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:office:1.0");
const QString espacetable = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:table:1.0");

QChar genre(const QXmlStreamAttributes& a) {
  const QStringView v = a.value(espacebureau, QStringLiteral("value-type"));
  if (v.isEmpty()) return u'.';
  return v == u"string" ? u'T' : u'N';
}

// La première feuille d'un ODS plat, rangée par rangée.
QStringList lireods(const QString& chemin) {
  QFile f(chemin);
  if (!f.open(QIODevice::ReadOnly)) return {};
  QXmlStreamReader x(&f);
  QStringList rangées;
  bool danslatable = false;
  while (!x.atEnd()) {
    x.readNext();
    if (x.isEndElement() && x.name() == u"table" && x.namespaceUri() == espacetable) break;
    if (!x.isStartElement() || x.namespaceUri() != espacetable) continue;
    if (x.name() == u"table") danslatable = true;
    if (!danslatable) continue;
    if (x.name() == u"table-row") rangées.append(QString());
    if ((x.name() == u"table-cell" || x.name() == u"covered-table-cell") && !rangées.isEmpty()) {
      const int fois = std::max(1, x.attributes().value(espacetable, QStringLiteral("number-columns-repeated")).toInt());
      rangées.last() += QString(fois, genre(x.attributes()));
    }
  }
  for (QString& r : rangées)
    while (r.endsWith(u'.')) r.chop(1);
  while (!rangées.isEmpty() && rangées.last().isEmpty()) rangées.removeLast();
  return rangées;
}

}  // namespace

namespace {

// LibreOffice sans écran, dans le profil donné ; faux (et l'erreur dite) s'il manque ou échoue.
bool soffice(const QString& profil, const QStringList& arguments, const QMap<QString, QString>& variables, int secondes,
             QString& erreur) {
  const QStringList tous =
      QStringList{QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(cheminhôte(profil)).toString(),
                  QStringLiteral("--headless")} +
      arguments;
  const SortieHôte s = lancerhôte(QStringLiteral("soffice"), tous, variables, secondes);
  if (s.code == 0) return true;
  erreur = s.code == 127 ? QStringLiteral("soffice introuvable : installez libreoffice-calc-nogui (bash scripts/dependances.sh --essais)")
                         : QStringLiteral("conversion ratée : ") + QString::fromLocal8Bit(s.sortie + s.erreurs);
  return false;
}

// Le python de Debian, qui a python3-openpyxl, plutôt qu'un autre placé avant dans le PATH.
SortieHôte python(const char* programme, const QStringList& arguments) {
  return lancerhôte(QStringLiteral("/usr/bin/python3"), QStringList{QStringLiteral("-c"), QString::fromUtf8(programme)} + arguments,
                    {}, 60);
}

}  // namespace

QMap<QString, QStringList> genresdescellules(const QStringList& fichierscsv, const QString& dossiertravail,
                                             QString& erreur) {
  // 59 : ";", 34 : guillemet, 1252 : Windows-1252, 1 : dès la première ligne, 2060 : français (Belgique).
  const QStringList arguments = QStringList{QStringLiteral("--infilter=CSV:59,34,1252,1,,2060"), QStringLiteral("--convert-to"),
                                            QStringLiteral("fods"), QStringLiteral("--outdir"), dossiertravail} +
                                fichierscsv;
  if (!soffice(dossiertravail + QStringLiteral("/profil"), arguments, {{QStringLiteral("LANG"), QStringLiteral("fr_BE.UTF-8")}},
               180, erreur))
    return {};
  QMap<QString, QStringList> genres;
  for (const QString& csv : fichierscsv) {
    const QString ods = dossiertravail + u'/' + QFileInfo(csv).completeBaseName() + QStringLiteral(".fods");
    if (!QFileInfo::exists(ods)) {
      erreur = QStringLiteral("pas de feuille pour ") + csv;
      return {};
    }
    genres.insert(csv, lireods(ods));
  }
  return genres;
}

namespace {

// Une ligne par case : feuille, adresse, genre, valeur, valeur gardée, fond (tabulations).
const char* lecteurpython = R"(
import sys, openpyxl
chemin = sys.argv[1]
formules = openpyxl.load_workbook(chemin)
valeurs = openpyxl.load_workbook(chemin, data_only=True)
def net(v):
    return '' if v is None else str(v).replace('\t', ' ').replace('\n', ' ')
for f in formules.worksheets:
    print('FEUILLE\t' + f.title + '\t' + net(f.freeze_panes))
    g = valeurs[f.title]
    for rangée in f.iter_rows():
        for c in rangée:
            if c.value is None:
                continue
            fond = c.fill.fgColor.rgb if c.fill is not None and c.fill.fill_type == 'solid' else ''
            print('\t'.join([f.title, c.coordinate, c.data_type, net(c.value), net(g[c.coordinate].value), net(fond),
                             net(c.alignment.horizontal), net(c.number_format)]))
    ajusté = f.sheet_properties.pageSetUpPr is not None and f.sheet_properties.pageSetUpPr.fitToPage
    haut = f.page_setup.fitToHeight if f.page_setup.fitToHeight is not None else 1  # 1 quand rien n'est écrit
    print('PAGE\t' + f.title + '\t' + (net(haut) if ajusté else ''))
)";

}  // namespace

ClasseurLu lireclasseur(const QString& chemin, QString& erreur) {
  const SortieHôte s = python(lecteurpython, {chemin});
  ClasseurLu lu;
  if (s.code != 0) {
    erreur = QStringLiteral("lecture ratée : ") + QString::fromUtf8(s.erreurs);
    return lu;
  }
  for (const QString& ligne : QString::fromUtf8(s.sortie).split(u'\n', Qt::SkipEmptyParts)) {
    const QStringList champs = ligne.split(u'\t');
    if (champs[0] == QStringLiteral("FEUILLE") && champs.size() == 3) {
      lu.feuilles.append(champs[1]);
      lu.figées.insert(champs[1], champs[2]);
    } else if (champs[0] == QStringLiteral("PAGE") && champs.size() == 3) {
      lu.pageshaut.insert(champs[1], champs[2]);
    } else if (champs.size() == 8) {
      lu.cases[champs[0]].insert(champs[1], {champs[2], champs[3], champs[4], champs[5], champs[6], champs[7]});
    }
  }
  return lu;
}

namespace {

// Le profil : français de Belgique, et chaque formule recalculée au chargement
// (0 : toujours), pour les classeurs OOXML comme pour les ODF.
const char* réglagesfrançais = R"(<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
<item oor:path="/org.openoffice.Office.Calc/Formula/Load"><prop oor:name="OOXMLRecalcMode" oor:op="fuse"><value>0</value></prop></item>
<item oor:path="/org.openoffice.Office.Calc/Formula/Load"><prop oor:name="ODFRecalcMode" oor:op="fuse"><value>0</value></prop></item>
<item oor:path="/org.openoffice.Setup/L10N"><prop oor:name="ooSetupSystemLocale" oor:op="fuse"><value>fr-BE</value></prop></item>
<item oor:path="/org.openoffice.Setup/L10N"><prop oor:name="ooLocale" oor:op="fuse"><value>fr-BE</value></prop></item>
</oor:items>
)";

const char* falsificateur = R"PY(
import re, sys, zipfile, shutil
chemin, valeur = sys.argv[1], sys.argv[2]
copie = chemin + '.tmp'
with zipfile.ZipFile(chemin) as e, zipfile.ZipFile(copie, 'w', zipfile.ZIP_DEFLATED) as s:
    adresse = ''
    for info in e.infolist():
        données = e.read(info.filename)
        if info.filename == 'xl/worksheets/sheet1.xml':
            texte = données.decode('utf-8')
            m = re.search(r'<c r="([A-Z]+[0-9]+)"[^>]*><f>[^<]*</f><v>[^<]*</v>', texte)
            if m:
                adresse = m.group(1)
                bout = re.sub(r'<v>[^<]*</v>', '<v>' + valeur + '</v>', m.group(0))
                texte = texte[:m.start()] + bout + texte[m.end():]
            données = texte.encode('utf-8')
        s.writestr(info, données)
shutil.move(copie, chemin)
print(adresse)
)PY";

}  // namespace

// Un profil LibreOffice en français de Belgique ; vide (et l'erreur dite) quand il ne s'écrit pas.
QString profilfrançais(const QString& dossiertravail, QString& erreur) {
  const QString profil = dossiertravail + QStringLiteral("/profil-fr-BE");
  QDir().mkpath(profil + QStringLiteral("/user"));
  QFile réglages(profil + QStringLiteral("/user/registrymodifications.xcu"));
  if (!réglages.open(QIODevice::WriteOnly)) {
    erreur = QStringLiteral("profil impossible : ") + réglages.fileName();
    return {};
  }
  réglages.write(réglagesfrançais);
  return profil;
}

QMap<QString, ClasseurLu> recalculerenfrançais(const QStringList& classeurs, const QString& dossiertravail, QString& erreur) {
  const QString profil = profilfrançais(dossiertravail, erreur);
  if (profil.isEmpty()) return {};
  // Un nom ASCII : soffice reçoit mal les autres chemins quand la locale est C.
  const QString sortie = dossiertravail + QStringLiteral("/recalcules");
  QDir().mkpath(sortie);
  if (!soffice(profil,
               QStringList{QStringLiteral("--convert-to"), QStringLiteral("xlsx"), QStringLiteral("--outdir"), sortie} + classeurs,
               {{QStringLiteral("LANG"), QStringLiteral("fr_BE.UTF-8")}}, 300, erreur))
    return {};
  QMap<QString, ClasseurLu> relus;
  for (const QString& c : classeurs) {
    const QString recalculé = sortie + u'/' + QFileInfo(c).fileName();
    if (!QFileInfo::exists(recalculé)) {
      erreur = QStringLiteral("pas de copie recalculée de %1").arg(c);
      return {};
    }
    relus.insert(c, lireclasseur(recalculé, erreur));
    if (!erreur.isEmpty()) return {};
  }
  return relus;
}

QString falsifierunevaleurgardée(const QString& classeur, const QString& valeur) {
  const SortieHôte s = python(falsificateur, {classeur, valeur});
  return s.code == 0 ? QString::fromUtf8(s.sortie).trimmed() : QString();
}

QString convertirparlibreoffice(const QString& csv, const QString& format, const QString& dossiertravail, QString& erreur) {
  // 59 : ";", 34 : guillemet, 76 : UTF-8, 1 : dès la première ligne.
  if (!soffice(dossiertravail + QStringLiteral("/profil"),
               {QStringLiteral("--infilter=CSV:59,34,76,1"), QStringLiteral("--convert-to"), format, QStringLiteral("--outdir"),
                dossiertravail, csv},
               {}, 180, erreur))
    return {};
  const QString classeur = dossiertravail + u'/' + QFileInfo(csv).completeBaseName() + u'.' + format;
  if (!QFileInfo::exists(classeur)) {
    erreur = QStringLiteral("conversion ratée : pas de ") + classeur;
    return {};
  }
  return classeur;
}

QMap<QString, TableauLu> montréenfrançais(const QString& classeur, const QStringList& feuilles, const QString& dossiertravail,
                                         QString& erreur) {
  const QString profil = profilfrançais(dossiertravail, erreur);
  if (profil.isEmpty()) return {};
  const QString sortie = dossiertravail + QStringLiteral("/montres");
  QDir().mkpath(sortie);
  const QString copie = sortie + QStringLiteral("/classeur.xlsx");  // un nom ASCII, pour soffice
  QFile::remove(copie);
  QFile::copy(classeur, copie);
  // Les nombres suivent la langue du profil ; les noms des feuilles, accents compris, demandent
  // une locale UTF-8 (C.UTF-8 est toujours là, fr_BE.UTF-8 pas forcément).
  // « ; », guillemets, UTF-8, cases telles que montrées (9e jeton), chaque feuille dans son fichier (12e : -1).
  if (!soffice(profil,
               {QStringLiteral("--convert-to"),
                QStringLiteral("csv:Text - txt - csv (StarCalc):59,34,76,1,,0,false,true,true,false,false,-1"),
                QStringLiteral("--outdir"), sortie, copie},
               {{QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8")}}, 300, erreur))
    return {};
  QMap<QString, TableauLu> montrées;
  for (const QString& feuille : feuilles) {
    QFile f(sortie + QStringLiteral("/classeur-") + feuille + QStringLiteral(".csv"));
    if (!f.open(QIODevice::ReadOnly)) {
      erreur = QStringLiteral("pas de feuille « %1 »").arg(feuille);
      return {};
    }
    montrées.insert(feuille, découpercsv(QString::fromUtf8(f.readAll()), u';'));
  }
  return montrées;
}
