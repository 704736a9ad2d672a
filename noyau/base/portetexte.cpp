#include "noyau/base/portetexte.h"

#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <vector>

#include "noyau/base/module.h"
#include "plateforme/boites.h"
#include "plateforme/encodage.h"
#include "plateforme/services.h"

namespace {

constexpr qsizetype longueurnommax = longueurnomélève;

// Les caractères que Windows-1252 garde : ceux de ses 256 octets que le codeur rend
// tels quels (il remplace sans le dire ce qu'il ne sait pas coder). Une table, pour
// juger un texte d'un million de caractères sans coder chaque caractère à part.
bool ansi(QStringView texte) {
  static const std::vector<bool> gardés = [] {
    std::vector<bool> t(0x10000, false);
    QByteArray octets(256, '\0');
    for (int b = 0; b < 256; ++b) octets[b] = static_cast<char>(b);
    for (const QChar c : décoderansi(octets))
      if (!c.isSurrogate() && décoderansi(encoderansi(QStringView(&c, 1))) == QStringView(&c, 1)) t[c.unicode()] = true;
    return t;
  }();
  return std::all_of(texte.begin(), texte.end(), [](QChar c) { return gardés[c.unicode()]; });
}

// Lettres sans décomposition Unicode, et leurs voisines de Windows-1252.
QString sansdécomposition(char32_t c) {
  switch (c) {
    case U'Ł': return QStringLiteral("L");
    case U'ł': return QStringLiteral("l");
    case U'Đ': return QStringLiteral("D");
    case U'đ': return QStringLiteral("d");
    case U'Ħ': return QStringLiteral("H");
    case U'ħ': return QStringLiteral("h");
    case U'ı': return QStringLiteral("i");
    case U'Ŧ': return QStringLiteral("T");
    case U'ŧ': return QStringLiteral("t");
    case U'ĸ': return QStringLiteral("k");
    default: return QString();
  }
}

// La lettre de base avec autant d'accents que Windows-1252 en garde ("ễ" → "ê").
QString voisine(const QString& caractère) {
  QString d = caractère.normalized(QString::NormalizationForm_D);
  while (d.size() > 1) {
    d.chop(1);
    const QString c = d.normalized(QString::NormalizationForm_C);
    if (ansi(c)) return c;
  }
  QString compat;  // ligatures et formes de compatibilité ("ﬁ" → "fi")
  for (const QChar q : caractère.normalized(QString::NormalizationForm_KD))
    if (q.category() != QChar::Mark_NonSpacing && ansi(QString(q))) compat += q;
  return compat;
}

void ajouterunefois(QString& liste, QStringView c) {
  if (!liste.contains(c)) liste += c;
}

QString nettoyer(QStringView brut) {
  QString t;
  t.reserve(brut.size());
  for (qsizetype i = 0; i < brut.size(); ++i) {
    const QChar c = brut[i];
    if (c == u'\r' && i + 1 < brut.size() && brut[i + 1] == u'\n') continue;  // CR LF : un seul blanc
    if (c == u'\r' || c == u'\n' || c == u'\t' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
      t += u' ';
    else if (c.category() != QChar::Other_Control)
      t += c;
  }
  return t.trimmed();
}

QString interditsdu(GenreTexte genre) {
  switch (genre) {
    case GenreTexte::Élément: return QStringLiteral(",");
    case GenreTexte::Champ:
    case GenreTexte::NomÉlève: return QStringLiteral("/");
    case GenreTexte::NomDeClasse:
    case GenreTexte::NomDeFichier: return QStringLiteral("/\\:*?\"<>|,");
    default: return QString();
  }
}

QString refusdunom(const QString& texte, GenreTexte genre) {
  // Un nom d'élève a la même longueur permise que les autres noms : il s'écrit dans
  // chaque période et se lit dans chaque liste.
  if (genre != GenreTexte::NomDeClasse && genre != GenreTexte::NomDeFichier && genre != GenreTexte::NomÉlève)
    return QString();
  if (genre != GenreTexte::NomÉlève && texte.startsWith(u'.')) return QStringLiteral("Un nom ne peut pas commencer par un point.");
  // Ce que Windows ne peut pas garder comme nom de fichier, sur chaque système : le dossier
  // des données voyage sur la clé entre Linux et Windows.
  if (genre == GenreTexte::NomDeFichier) {
    static const QRegularExpression réservé(QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])(\\..*)?$"),
                                            QRegularExpression::CaseInsensitiveOption);
    if (réservé.match(texte).hasMatch())
      return QStringLiteral("« %1 » est un nom que Windows se réserve (CON, PRN, AUX, NUL, COM1 à COM9, LPT1 à LPT9) : "
                            "choisissez-en un autre.").arg(texte);
    if (texte.endsWith(u'.')) return QStringLiteral("Un nom ne peut pas finir par un point.");
  }
  if (texte.size() > longueurnommax)
    return QStringLiteral("Ce nom est trop long : %1 caractères au plus.").arg(longueurnommax);
  return QString();
}

QString guillemetés(const QString& caractères) {
  QStringList l;
  for (qsizetype i = 0; i < caractères.size(); ++i) {
    const qsizetype lg = caractères[i].isHighSurrogate() && i + 1 < caractères.size() ? 2 : 1;
    l << QStringLiteral("« %1 »").arg(caractères.mid(i, lg));
    i += lg - 1;
  }
  return l.join(u' ');
}

bool montrerrefus(const TexteContrôlé& c, GenreTexte genre) {
  if (c.interdits.isEmpty() && c.refus.isEmpty()) return false;
  if (genre == GenreTexte::NomÉlève && c.refus.isEmpty())
    avertissement(QStringLiteral("Le nom de l'élève ne peut pas inclure le caractère <</>>"), QStringLiteral("Caractère interdit"));
  else if (!c.interdits.isEmpty())
    avertissement(QStringLiteral("Ces caractères ne sont pas permis ici : %1.\n\nRetapez le texte sans eux.")
                      .arg(guillemetés(c.interdits)),
                  QStringLiteral("Caractère interdit"));
  else
    avertissement(c.refus, QStringLiteral("Caractère interdit"));
  return true;
}

}  // namespace

QString lettresproches(QStringView texte) {
  QString r;
  r.reserve(texte.size());
  for (qsizetype i = 0; i < texte.size(); ++i) {
    const qsizetype lg = texte[i].isHighSurrogate() && i + 1 < texte.size() ? 2 : 1;
    const QString c = texte.mid(i, lg).toString();
    i += lg - 1;
    if (ansi(c)) {
      r += c;
      continue;
    }
    const QString table = sansdécomposition(c.toUcs4().value(0));
    r += table.isEmpty() ? voisine(c) : table;
  }
  return r.trimmed();
}

TexteContrôlé contrôlertexte(QStringView brut, GenreTexte genre) {
  TexteContrôlé c;
  c.texte = nettoyer(brut);
  const QString interdits = interditsdu(genre);
  for (const QChar q : c.texte)
    if (interdits.contains(q)) ajouterunefois(c.interdits, QStringView(&q, 1));
  if (genre != GenreTexte::Chemin && !ansi(c.texte)) {
    QSet<QStringView> vus;
    for (qsizetype i = 0; i < c.texte.size(); ++i) {
      const qsizetype lg = c.texte[i].isHighSurrogate() && i + 1 < c.texte.size() ? 2 : 1;
      const QStringView car = QStringView(c.texte).mid(i, lg);
      if (!ansi(car) && !vus.contains(car)) {
        vus.insert(car);
        c.horsansi += car;
      }
      i += lg - 1;
    }
  }
  c.proche = c.horsansi.isEmpty() ? c.texte : lettresproches(c.texte);
  c.refus = refusdunom(c.proche, genre);
  return c;
}

std::optional<QString> texteadmis(const QString& brut, GenreTexte genre) {
  const TexteContrôlé c = contrôlertexte(brut, genre);
  if (montrerrefus(c, genre)) return std::nullopt;
  if (c.horsansi.isEmpty()) return c.texte;
  const QString texte =
      c.proche.isEmpty()
          ? QStringLiteral("Ces caractères ne peuvent pas être enregistrés dans les fichiers du programme "
                           "(Windows-1252) : %1.\n\nRetapez le texte sans eux.")
                .arg(guillemetés(c.horsansi))
          : QStringLiteral("Ces caractères ne peuvent pas être enregistrés dans les fichiers du programme "
                           "(Windows-1252) : %1.\n\nOui : garder « %2 ».\nNon : retaper le texte.")
                .arg(guillemetés(c.horsansi), c.proche);
  if (c.proche.isEmpty()) {
    avertissement(texte, QStringLiteral("Caractères impossibles à garder"));
    return std::nullopt;
  }
  if (question(texte, QStringLiteral("Caractères impossibles à garder")) != OUI) return std::nullopt;
  return c.proche;
}
