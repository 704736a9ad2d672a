#include "tests/outils/tableur.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <QXmlStreamReader>

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

QMap<QString, QStringList> genresdescellules(const QStringList& fichierscsv, const QString& dossiertravail,
                                             QString& erreur) {
  const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
  if (soffice.isEmpty()) {
    erreur = QStringLiteral("soffice introuvable : installez libreoffice-calc-nogui (bash scripts/dependances.sh --essais)");
    return {};
  }
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("LANG"), QStringLiteral("fr_BE.UTF-8"));
  p.setProcessEnvironment(env);
  p.setProcessChannelMode(QProcess::MergedChannels);
  // 59 : ";", 34 : guillemet, 1252 : Windows-1252, 1 : dès la première ligne, 2060 : français (Belgique).
  QStringList arguments{QStringLiteral("-env:UserInstallation=") +
                            QUrl::fromLocalFile(dossiertravail + QStringLiteral("/profil")).toString(),
                        QStringLiteral("--headless"), QStringLiteral("--infilter=CSV:59,34,1252,1,,2060"),
                        QStringLiteral("--convert-to"), QStringLiteral("fods"), QStringLiteral("--outdir"), dossiertravail};
  arguments += fichierscsv;
  p.start(soffice, arguments);
  if (!p.waitForFinished(180000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
    erreur = QStringLiteral("conversion ratée : ") + QString::fromLocal8Bit(p.readAll());
    return {};
  }
  QMap<QString, QStringList> genres;
  for (const QString& csv : fichierscsv) {
    const QString ods = dossiertravail + u'/' + QFileInfo(csv).completeBaseName() + QStringLiteral(".fods");
    if (!QFileInfo::exists(ods)) {
      erreur = QStringLiteral("pas de feuille pour ") + csv + QStringLiteral(" : ") + QString::fromLocal8Bit(p.readAll());
      return {};
    }
    genres.insert(csv, lireods(ods));
  }
  return genres;
}
