#include "noyau/fichiers/classeurlu.h"

#include <archive.h>
#include <archive_entry.h>

#include <QMap>
#include <QXmlStreamReader>
#include <functional>
#include <memory>

#include "plateforme/erreurs.h"

namespace {

const QString abîmé = QStringLiteral("Ce fichier n'est pas un classeur lisible : il est peut-être abîmé ou incomplet.");
const QString protégé = QStringLiteral(
    "Ce classeur est protégé par un mot de passe : enregistrez-le sans mot de passe dans votre tableur, puis "
    "importez cette copie.");
const QString ancienformat = QStringLiteral(
    "Ce classeur est protégé par un mot de passe ou enregistré dans l'ancien format Excel (.xls) : enregistrez-le "
    "sans mot de passe au format .xlsx ou .ods dans votre tableur, puis importez cette copie.");
const QByteArray fichiercomposé("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1");
constexpr qint64 taillelumax = 64LL * 1024 * 1024;  // pour tout le classeur : un zip qui gonfle sans fin n'en est pas un
constexpr int lignesrépétéesmax = 1000;
constexpr int colonnesmax = 1024;
constexpr qint64 casesmax = 500'000;  // bien plus que l'export d'une école ; borne la mémoire des cases répétées
const QString tropgrand = QStringLiteral(
    "Ce classeur est trop grand pour une liste d'élèves (plus de 500 000 cases remplies) : copiez la liste des élèves "
    "dans un nouveau classeur, puis importez-le.");

[[noreturn]] void refuser(const QString& texte) { throw ErreurDonnée(texte); }

// Le zip du classeur, relu entrée par entrée ; le budget de ce qui a été décompressé
// vaut pour tout le classeur, d'une lecture à l'autre.
class Zip {
public:
  explicit Zip(const QByteArray& octets) : octets_(octets) {
    if (octets.startsWith(fichiercomposé)) refuser(ancienformat);
  }

  // Les noms de toutes les entrées, sans rien décompresser.
  QStringList noms() {
    QStringList n;
    parcourir([&](const QString& nom) {
      n.append(nom);
      return false;
    });
    return n;
  }

  // Le contenu des entrées voulues, seules décompressées.
  QMap<QString, QByteArray> lire(const QStringList& voulues) {
    QMap<QString, QByteArray> entrées;
    parcourir([&](const QString& nom) { return voulues.contains(nom); }, &entrées);
    return entrées;
  }

private:
  void parcourir(const std::function<bool(const QString&)>& voulue, QMap<QString, QByteArray>* entrées = nullptr) {
    std::unique_ptr<archive, decltype(&archive_read_free)> a(archive_read_new(), archive_read_free);
    archive_read_support_format_zip(a.get());
    if (archive_read_open_memory(a.get(), octets_.constData(), static_cast<size_t>(octets_.size())) != ARCHIVE_OK)
      refuser(abîmé);
    archive_entry* entrée = nullptr;
    int r;
    while ((r = archive_read_next_header(a.get(), &entrée)) == ARCHIVE_OK) {
      const char* nom8 = archive_entry_pathname(entrée);
      const QString nom = QString::fromUtf8(nom8 ? nom8 : "");
      if (!voulue(nom) || !entrées) continue;
      if (archive_entry_is_encrypted(entrée)) refuser(protégé);
      QByteArray contenu;
      char tampon[65536];
      la_ssize_t lus;
      while ((lus = archive_read_data(a.get(), tampon, sizeof tampon)) > 0) {
        lu_ += lus;
        if (lu_ > taillelumax) refuser(abîmé);
        contenu.append(tampon, lus);
      }
      if (lus < 0) refuser(abîmé);
      entrées->insert(nom, contenu);
    }
    if (r != ARCHIVE_EOF) refuser(abîmé);
  }

  const QByteArray& octets_;
  qint64 lu_ = 0;
};

// Cellules d'une feuille, par ligne puis par colonne (0, 1, ...), et les plages fusionnées.
struct Plage {
  int ligne1, colonne1, ligne2, colonne2;
};
struct Cellules {
  QMap<int, QMap<int, QString>> valeurs;
  QList<Plage> fusions;
  qint64 remplies = 0;
  void compter(qint64 n) {
    remplies += n;
    if (remplies > casesmax) refuser(tropgrand);
  }
  void poser(int ligne, int colonne, const QString& valeur) {
    compter(1);
    valeurs[ligne][colonne] = valeur;
  }
};

// Une case fusionnée porte la valeur de son coin ; les lignes vides tombent.
TableauLu aplatir(Cellules c) {
  for (const Plage& p : c.fusions) {
    const QString valeur = c.valeurs.value(p.ligne1).value(p.colonne1);
    if (valeur.isEmpty()) continue;
    for (int l = p.ligne1; l <= std::min(p.ligne2, p.ligne1 + lignesrépétéesmax); ++l)
      for (int k = p.colonne1; k <= std::min(p.colonne2, colonnesmax); ++k) c.poser(l, k, valeur);
  }
  // Les lignes vides d'avant une ligne remplie restent, vides, à leur place : l'aperçu
  // garde les numéros de lignes du tableur.
  TableauLu tableau;
  for (auto l = c.valeurs.cbegin(); l != c.valeurs.cend(); ++l) {
    QStringList cases;
    for (auto i = l->begin(); i != l->end(); ++i) {
      if (i.value().isEmpty() || i.key() >= colonnesmax) continue;
      while (cases.size() < i.key()) cases.append(QString());
      cases.append(i.value());
    }
    if (cases.isEmpty() || l.key() < 0) continue;
    if (l.key() > casesmax) refuser(tropgrand);
    while (tableau.size() < l.key()) tableau.append(QStringList());
    tableau.append(cases);
  }
  return tableau;
}

void vérifierxml(const QXmlStreamReader& x) {
  if (x.hasError()) refuser(abîmé);
}

// --- .xlsx -------------------------------------------------------------------

// Le texte d'un élément <si> ou <is> : ses <t>, sans la phonétique (<rPh>).
QString textedeséléments(QXmlStreamReader& x) {
  QString texte;
  const QString fin = x.name().toString();
  int phonétique = 0;
  while (x.readNext() != QXmlStreamReader::Invalid) {
    if (x.isEndElement() && x.name() == fin) break;
    if (x.isStartElement() && x.name() == QLatin1String("rPh")) ++phonétique;
    if (x.isEndElement() && x.name() == QLatin1String("rPh")) --phonétique;
    if (x.isStartElement() && x.name() == QLatin1String("t") && phonétique == 0) texte += x.readElementText();
  }
  return texte;
}

QStringList chaînespartagées(const QByteArray& xml) {
  QStringList chaînes;
  if (xml.isEmpty()) return chaînes;  // aucun texte dans le classeur
  QXmlStreamReader x(xml);
  while (!x.atEnd())
    if (x.readNext() == QXmlStreamReader::StartElement && x.name() == QLatin1String("si"))
      chaînes.append(textedeséléments(x));
  vérifierxml(x);
  return chaînes;
}

// "C12" → colonne 2, ligne 11 (à partir de 0) ; faux quand l'adresse ne se lit pas.
bool lireadresse(QStringView adresse, int& ligne, int& colonne) {
  colonne = 0;
  qsizetype i = 0;
  for (; i < adresse.size() && adresse[i].isLetter(); ++i) {
    colonne = colonne * 26 + (adresse[i].toUpper().unicode() - 'A' + 1);
    if (colonne > 20000) return false;
  }
  bool lu = false;
  ligne = adresse.mid(i).toInt(&lu) - 1;
  --colonne;
  return i > 0 && lu && ligne >= 0 && colonne >= 0;
}

// Le chemin, dans le zip, de la première feuille du classeur.
QString premièrefeuillexlsx(const QMap<QString, QByteArray>& entrées) {
  QString id;
  QXmlStreamReader w(entrées.value(QStringLiteral("xl/workbook.xml")));
  while (!w.atEnd() && id.isEmpty())
    if (w.readNext() == QXmlStreamReader::StartElement && w.name() == QLatin1String("sheet"))
      for (const QXmlStreamAttribute& a : w.attributes())
        if (a.name() == QLatin1String("id")) id = a.value().toString();
  vérifierxml(w);
  QXmlStreamReader r(entrées.value(QStringLiteral("xl/_rels/workbook.xml.rels")));
  while (!r.atEnd() && !id.isEmpty()) {
    if (r.readNext() != QXmlStreamReader::StartElement || r.name() != QLatin1String("Relationship")) continue;
    if (r.attributes().value(QLatin1String("Id")) != id) continue;
    const QString cible = r.attributes().value(QLatin1String("Target")).toString();
    return cible.startsWith(u'/') ? cible.mid(1) : QStringLiteral("xl/") + cible;
  }
  return QStringLiteral("xl/worksheets/sheet1.xml");
}

QString valeurdecellule(QXmlStreamReader& x, const QStringList& partagées) {
  const QString genre = x.attributes().value(QLatin1String("t")).toString();
  QString valeur;
  while (x.readNextStartElement()) {
    if (x.name() == QLatin1String("v")) valeur = x.readElementText();
    else if (x.name() == QLatin1String("is")) valeur = textedeséléments(x);
    else x.skipCurrentElement();
  }
  if (genre == QLatin1String("s")) {
    bool lu = false;
    const int i = valeur.toInt(&lu);
    if (!lu || i < 0 || i >= partagées.size()) refuser(abîmé);
    return partagées[i];
  }
  if (genre == QLatin1String("b")) return valeur == QLatin1String("1") ? QStringLiteral("VRAI") : QStringLiteral("FAUX");
  return valeur;
}

Cellules cellulesxlsx(const QByteArray& xml, const QStringList& partagées) {
  Cellules c;
  QXmlStreamReader x(xml);
  int lignecourante = -1;
  while (!x.atEnd()) {
    if (x.readNext() != QXmlStreamReader::StartElement) continue;
    if (x.name() == QLatin1String("row")) {
      const int r = x.attributes().value(QLatin1String("r")).toInt();
      lignecourante = r > 0 ? r - 1 : lignecourante + 1;
    } else if (x.name() == QLatin1String("c")) {
      int ligne = lignecourante, colonne = c.valeurs.value(lignecourante).size();
      const QStringView adresse = x.attributes().value(QLatin1String("r"));
      if (!adresse.isEmpty() && !lireadresse(adresse, ligne, colonne)) refuser(abîmé);
      const QString valeur = valeurdecellule(x, partagées);
      if (!valeur.isEmpty() && colonne < colonnesmax) c.poser(ligne, colonne, valeur);
    } else if (x.name() == QLatin1String("mergeCell")) {
      const QStringList coins = x.attributes().value(QLatin1String("ref")).toString().split(u':');
      Plage p{};
      if (coins.size() == 2 && lireadresse(coins[0], p.ligne1, p.colonne1) && lireadresse(coins[1], p.ligne2, p.colonne2))
        c.fusions.append(p);
    }
  }
  vérifierxml(x);
  return c;
}

// --- .ods --------------------------------------------------------------------

// Un attribut par son nom local ("table:number-columns-repeated" → "number-columns-repeated").
QStringView attribut(const QXmlStreamReader& x, const char* nom) {
  for (const QXmlStreamAttribute& a : x.attributes())
    if (a.name() == QLatin1String(nom)) return a.value();
  return {};
}

// Le texte d'une cellule : ses paragraphes, un par ligne, blancs et tabulations compris.
QString texteods(QXmlStreamReader& x) {
  QString texte;
  int paragraphes = 0;
  int profondeur = 1;
  while (profondeur > 0 && x.readNext() != QXmlStreamReader::Invalid) {
    if (x.isEndElement()) {
      --profondeur;
    } else if (x.isCharacters()) {
      texte += x.text();
    } else if (x.isStartElement()) {
      const QStringView nom = x.name();
      if (nom == QLatin1String("annotation")) {
        x.skipCurrentElement();
        continue;
      }
      ++profondeur;
      if (nom == QLatin1String("p") && paragraphes++ > 0) texte += u'\n';
      else if (nom == QLatin1String("s")) texte += QString(std::max(1, attribut(x, "c").toInt()), u' ');
      else if (nom == QLatin1String("tab")) texte += u'\t';
      else if (nom == QLatin1String("line-break")) texte += u'\n';
    }
  }
  return texte;
}

int répété(const QXmlStreamReader& x, const char* nom) {
  return std::max(1, attribut(x, nom).toInt());
}

// Une ligne <table:table-row> : ses cellules posées à partir de la colonne 0.
QMap<int, QString> ligneods(QXmlStreamReader& x, int ligne, QList<Plage>& fusions) {
  QMap<int, QString> cases;
  int colonne = 0;
  while (x.readNextStartElement()) {
    const bool couverte = x.name() == QLatin1String("covered-table-cell");
    if (!couverte && x.name() != QLatin1String("table-cell")) {
      x.skipCurrentElement();
      continue;
    }
    const int fois = répété(x, "number-columns-repeated");
    const int large = répété(x, "number-columns-spanned"), haut = répété(x, "number-rows-spanned");
    const QString valeur = texteods(x);
    if (valeur.isEmpty()) {
      colonne += fois;  // des cases vides, souvent répétées jusqu'au bout de la feuille
      continue;
    }
    for (int f = 0; f < fois && colonne < colonnesmax; ++f, ++colonne) cases.insert(colonne, valeur);
    if (!couverte && (large > 1 || haut > 1))
      fusions.append({ligne, colonne - 1, ligne + haut - 1, colonne - 1 + large - 1});
  }
  return cases;
}

Cellules cellulesods(const QByteArray& xml) {
  Cellules c;
  QXmlStreamReader x(xml);
  bool feuilletrouvée = false;
  int ligne = 0;
  int table = 0;
  while (!x.atEnd()) {
    x.readNext();
    if (x.isEndElement() && x.name() == QLatin1String("table") && --table == 0) break;  // la première feuille seule
    if (!x.isStartElement()) continue;
    if (x.name() == QLatin1String("table")) {
      ++table;
      feuilletrouvée = true;
    } else if (table > 0 && x.name() == QLatin1String("table-row")) {
      const int fois = répété(x, "number-rows-repeated");
      const QMap<int, QString> cases = ligneods(x, ligne, c.fusions);
      if (cases.isEmpty()) {
        ligne += fois;
        continue;
      }
      for (int f = 0; f < std::min(fois, lignesrépétéesmax); ++f) {
        c.compter(cases.size());
        c.valeurs.insert(ligne++, cases);
      }
    }
  }
  vérifierxml(x);
  if (!feuilletrouvée) refuser(QStringLiteral("Ce classeur n'a aucune feuille."));
  return c;
}

}  // namespace

bool estunclasseur(const QByteArray& octets) { return octets.startsWith("PK\x03\x04") || octets.startsWith(fichiercomposé); }

TableauLu premièrefeuille(const QByteArray& octets) {
  Zip zip(octets);
  const QStringList noms = zip.noms();
  const QString manifeste = QStringLiteral("META-INF/manifest.xml"), contenu = QStringLiteral("content.xml"),
                classeur = QStringLiteral("xl/workbook.xml"), liens = QStringLiteral("xl/_rels/workbook.xml.rels"),
                partagées = QStringLiteral("xl/sharedStrings.xml");
  if (noms.contains(contenu)) {
    const QMap<QString, QByteArray> ods = zip.lire({manifeste, contenu});
    if (ods.value(manifeste).contains("encryption-data")) refuser(protégé);
    return aplatir(cellulesods(ods.value(contenu)));
  }
  if (!noms.contains(classeur)) refuser(abîmé);
  const QString feuille = premièrefeuillexlsx(zip.lire({classeur, liens}));
  if (!noms.contains(feuille)) refuser(QStringLiteral("Ce classeur n'a aucune feuille."));
  const QMap<QString, QByteArray> xlsx = zip.lire({feuille, partagées});
  return aplatir(cellulesxlsx(xlsx.value(feuille), chaînespartagées(xlsx.value(partagées))));
}
