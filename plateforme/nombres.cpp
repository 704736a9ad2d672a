#include "plateforme/nombres.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace {

bool chiffre(QChar c) { return c >= u'0' && c <= u'9'; }
bool blanc(QChar c) { return c == u' ' || c == u'\t'; }

// Repère le nombre en tête du texte (après les blancs) et le recopie en ASCII
// normalisé pour from_chars ; rend la position qui suit le nombre, ou -1 sans nombre.
qsizetype analysernombre(QStringView t, std::string& ascii) {
  qsizetype i = 0;
  const qsizetype n = t.size();
  while (i < n && blanc(t[i])) ++i;
  if (i < n && (t[i] == u'+' || t[i] == u'-')) {
    if (t[i] == u'-') ascii += '-';
    ++i;
  }
  int chiffres = 0;
  while (i < n && chiffre(t[i])) { ascii += char(t[i].unicode()); ++i; ++chiffres; }
  if (i < n && t[i] == u'.') {
    ascii += '.';
    ++i;
    while (i < n && chiffre(t[i])) { ascii += char(t[i].unicode()); ++i; ++chiffres; }
  }
  if (chiffres == 0) return -1;
  // Exposant seulement s'il est suivi d'au moins un chiffre ("1E5", pas "12E").
  if (i < n && (t[i] == u'e' || t[i] == u'E' || t[i] == u'd' || t[i] == u'D')) {
    qsizetype j = i + 1;
    std::string exposant = "e";
    if (j < n && (t[j] == u'+' || t[j] == u'-')) { exposant += char(t[j].unicode()); ++j; }
    if (j < n && chiffre(t[j])) {
      while (j < n && chiffre(t[j])) { exposant += char(t[j].unicode()); ++j; }
      ascii += exposant;
      i = j;
    }
  }
  return i;
}

double convertir(const std::string& ascii) {
  double v = 0;
  const auto [fin, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), v);
  (void)fin;
  if (ec == std::errc::result_out_of_range) {
    // Trop grand : l'infini garde le signe ; trop petit : zéro.
    const bool négatif = !ascii.empty() && ascii[0] == '-';
    const bool énorme = ascii.find("e-") == std::string::npos;
    if (énorme) return négatif ? -std::numeric_limits<double>::infinity()
                               : std::numeric_limits<double>::infinity();
    return 0.0;
  }
  return v;
}

// Chiffres significatifs (15) et exposant décimal d'une valeur positive : la valeur
// vaut c1,c2c3... × 10^exposant.
struct Décimal {
  std::string chiffres;
  int exposant = 0;
};

Décimal décomposer(double positif) {
  char tampon[64];
  const auto r = std::to_chars(tampon, tampon + sizeof tampon, positif,
                               std::chars_format::scientific, 14);
  const std::string s(tampon, r.ptr);
  const auto e = s.find('e');
  Décimal d;
  for (std::size_t i = 0; i < e; ++i)
    if (s[i] != '.') d.chiffres += s[i];
  d.exposant = std::stoi(s.substr(e + 1));
  return d;
}

}  // namespace

double val(QStringView texte) {
  std::string ascii;
  if (analysernombre(texte, ascii) < 0) return 0.0;
  return convertir(ascii);
}

bool estnombre(QStringView texte) {
  const QString t = sansblancs(texte);
  if (t.isEmpty()) return false;
  std::string ascii;
  return analysernombre(t, ascii) == t.size();
}

QString str(double valeur) {
  if (valeur == 0) return QStringLiteral(" 0");  // aussi pour -0
  QString texte;
  if (std::fabs(valeur) < 1e15 && valeur == std::trunc(valeur)) {
    texte = QString::number(static_cast<long long>(valeur));
  } else {
    texte = QString::number(valeur, 'g', 15);
    texte.replace(u'e', u'E');
  }
  if (valeur > 0) texte.prepend(u' ');
  return texte;
}

int entier16(long long valeur) {
  if (valeur < entiermin || valeur > entiermax)
    throw ErreurDonnée(QStringLiteral("Le nombre %1 dépasse les limites permises (de %2 à %3).")
                           .arg(valeur).arg(entiermin).arg(entiermax));
  return static_cast<int>(valeur);
}

int arrondipair(double valeur) {
  if (!std::isfinite(valeur) || valeur < entiermin - 1.0 || valeur > entiermax + 1.0)
    throw ErreurDonnée(QStringLiteral("Le nombre %1 dépasse les limites permises (de %2 à %3).")
                           .arg(str(valeur).trimmed()).arg(entiermin).arg(entiermax));
  return entier16(static_cast<long long>(std::nearbyint(valeur)));
}

QString format(double valeur, QStringView motif) {
  const qsizetype point = motif.indexOf(u'.');
  const QStringView partieentière = point < 0 ? motif : motif.left(point);
  const QStringView partiedécimale = point < 0 ? QStringView() : motif.mid(point + 1);
  const int chiffresimposés = static_cast<int>(partieentière.count(u'0'));
  const int décimales = static_cast<int>(partiedécimale.size());
  int décimalesimposées = 0;
  while (décimalesimposées < décimales && partiedécimale[décimalesimposées] == u'0')
    ++décimalesimposées;

  // Chiffres arrondis à "décimales" places : entier = chiffres[0..lgentier), reste décimal.
  std::string chiffres;
  int lgentier = 0;
  if (valeur != 0 && std::isfinite(valeur)) {
    Décimal d = décomposer(std::fabs(valeur));
    int garder = d.exposant + 1 + décimales;
    lgentier = d.exposant + 1;
    if (garder >= 0 && garder < static_cast<int>(d.chiffres.size())) {
      const bool monter = d.chiffres[garder] >= '5';
      d.chiffres.resize(garder);
      if (monter) {
        int i = garder - 1;
        while (i >= 0 && d.chiffres[i] == '9') d.chiffres[i--] = '0';
        if (i >= 0) {
          ++d.chiffres[i];
        } else {
          d.chiffres.insert(d.chiffres.begin(), '1');
          ++lgentier;
        }
      }
    } else if (garder < 0) {
      d.chiffres.clear();
    } else if (garder == 0 && !d.chiffres.empty()) {
      // Tout est sous la dernière place gardée : seul le premier chiffre décide.
      const bool monter = d.chiffres[0] >= '5';
      d.chiffres = monter ? "1" : "";
      if (monter) lgentier = 1 - décimales;
    }
    chiffres = d.chiffres;
  }
  // Aligner sur la virgule : lgentier peut être négatif ou dépasser les chiffres.
  std::string entier, décimal;
  for (int i = 0; i < lgentier; ++i) entier += i < static_cast<int>(chiffres.size()) ? chiffres[i] : '0';
  for (int i = 0; i < décimales; ++i) {
    const int p = lgentier + i;
    décimal += (p >= 0 && p < static_cast<int>(chiffres.size())) ? chiffres[p] : '0';
  }
  const std::size_t premier = entier.find_first_not_of('0');
  entier = premier == std::string::npos ? std::string() : entier.substr(premier);
  while (static_cast<int>(entier.size()) < chiffresimposés) entier.insert(entier.begin(), '0');
  while (static_cast<int>(décimal.size()) > décimalesimposées && décimal.back() == '0') décimal.pop_back();

  const bool nul = entier.find_first_not_of('0') == std::string::npos &&
                   décimal.find_first_not_of('0') == std::string::npos;
  QString texte = QString::fromLatin1(entier);
  if (!décimal.empty()) texte += u'.' + QString::fromLatin1(décimal);
  if (valeur < 0 && !nul) texte.prepend(u'-');
  return texte;
}

QString formatvirgule(double valeur, QStringView motif) {
  return format(valeur, motif).replace(u'.', u',');
}

QString sansblancs(QStringView texte) {
  qsizetype début = 0, fin = texte.size();
  while (début < fin && texte[début] == u' ') ++début;
  while (fin > début && texte[fin - 1] == u' ') --fin;
  return texte.mid(début, fin - début).toString();
}

double moyenneaudixième(double valeur) { return std::nearbyint(valeur * 10) / 10; }
