#include "noyau/fichiers/listeimportee.h"

#include <QHash>
#include <QMap>
#include <QSet>
#include <QRegularExpression>
#include <algorithm>
#include <string_view>

#include "noyau/base/portetexte.h"
#include "plateforme/erreurs.h"
#include "plateforme/fichiers.h"
#include "plateforme/ordre.h"

namespace {

constexpr int lignesdedevinette = 30;

bool binaire(const QByteArray& octets) { return octets.left(8192).contains('\0'); }

// Un document qui n'est pas une liste, reconnu à ses premiers octets : son genre, en mots.
QString documentreconnu(const QByteArray& octets) {
  using namespace std::string_view_literals;
  static const std::pair<std::string_view, const char*> genres[] = {
      {"%PDF"sv, "un document PDF"}, {"%!PS"sv, "un document PostScript"}, {"{\\rtf"sv, "un document RTF"},
      {"\x89PNG"sv, "une image"},    {"\xff\xd8\xff"sv, "une image"},     {"GIF8"sv, "une image"},
      {"II*\0"sv, "une image"},      {"MM\0*"sv, "une image"},            {"Rar!"sv, "une archive"},
      {"7z\xbc\xaf"sv, "une archive"}, {"\x1f\x8b"sv, "une archive"},     {"MZ"sv, "un programme"},
  };
  const std::string_view début(octets.constData(), static_cast<size_t>(std::min<qsizetype>(octets.size(), 16)));
  for (const auto& [signature, genre] : genres)
    if (début.starts_with(signature)) return QString::fromUtf8(genre);
  return QString();
}

// Minuscules sans accents ni ponctuation : "Prénom :" → "prenom".
QString normaliser(const QString& titre) {
  QString net;
  for (const QChar c : titre.normalized(QString::NormalizationForm_D).toLower()) {
    if (c.isLetterOrNumber() && c.category() != QChar::Mark_NonSpacing) net += c;
    else if (c.isSpace() || c == u'_' || c == u'\'' || c == u'-') net += u' ';
  }
  return net.simplified();
}

bool commenceparun(const QString& texte, std::initializer_list<const char*> débuts) {
  return std::any_of(débuts.begin(), débuts.end(), [&](const char* d) { return texte.startsWith(QLatin1String(d)); });
}

enum class Titre { Aucun, Nom, NomComplet, Prénom, Classe };

Titre genretitre(const QString& brut) {
  const QString t = normaliser(brut);
  if (commenceparun(t, {"prenom", "first name", "firstname", "given name"})) return Titre::Prénom;
  if (commenceparun(t, {"nom prenom", "nom et prenom", "nom complet", "eleve", "identite", "name", "full name"}))
    return Titre::NomComplet;
  if (commenceparun(t, {"nom", "last name", "lastname", "surname"})) return Titre::Nom;
  if (commenceparun(t, {"classe", "class", "groupe", "division"})) return Titre::Classe;
  return Titre::Aucun;
}

QString caseà(const QStringList& ligne, int colonne) { return colonne >= 0 ? ligne.value(colonne).trimmed() : QString(); }

int nombrecolonnes(const TableauLu& tableau) {
  qsizetype n = 0;
  for (const QStringList& l : tableau) n = std::max(n, l.size());
  return static_cast<int>(n);
}

bool commeunprénom(const QString& c) {
  return !c.isEmpty() && std::any_of(c.begin(), c.end(), [](QChar x) { return x.isLetter(); }) &&
         std::none_of(c.begin(), c.end(), [](QChar x) { return x.isDigit(); });
}

// Une colonne dont presque toutes les cases passent le test.
bool colonnedont(const TableauLu& tableau, int début, int colonne, bool (*test)(const QString&)) {
  int oui = 0, vues = 0;
  for (int l = début; l < tableau.size() && vues < lignesdedevinette; ++l) {
    if (tableau[l].isEmpty()) continue;  // ligne vide du fichier
    oui += test(caseà(tableau[l], colonne));
    ++vues;
  }
  return vues > 0 && oui * 10 >= vues * 8;
}

// Une colonne des classes sans titre : des codes courts avec un chiffre ("5A", "3 TQ"), peu nombreux.
bool colonnedesclasses(const TableauLu& tableau, int début, int colonne) {
  QStringList vues;
  int lignes = 0;
  for (int l = début; l < tableau.size(); ++l) {
    if (tableau[l].isEmpty()) continue;
    ++lignes;
    const QString c = caseà(tableau[l], colonne);
    if (c.isEmpty() || c.size() > 8 || std::none_of(c.begin(), c.end(), [](QChar x) { return x.isDigit(); })) return false;
    if (!vues.contains(c)) vues.append(c);
  }
  return lignes > 0 && vues.size() * 2 <= lignes + 1;
}

void colonnessanstitres(const TableauLu& tableau, RéglagesListe& r) {
  const int colonnes = nombrecolonnes(tableau);
  r.colonnenom = 0;
  for (int c = 0; c < colonnes; ++c)
    if (colonnedont(tableau, 0, c, commeunprénom)) {
      r.colonnenom = c;
      break;
    }
  r.colonneprénom = -1;
  if (r.colonnenom + 1 < colonnes && colonnedont(tableau, 0, r.colonnenom + 1, commeunprénom))
    r.colonneprénom = r.colonnenom + 1;
  r.colonneclasse = -1;
  for (int c = 0; c < colonnes && r.colonneclasse < 0; ++c)
    if (c != r.colonnenom && c != r.colonneprénom && colonnedesclasses(tableau, 0, c)) r.colonneclasse = c;
}

// Vrai quand la ligne nomme au moins la colonne du nom.
bool colonnesdestitres(const QStringList& titres, RéglagesListe& r) {
  int nom = -1, complet = -1, prénom = -1, classe = -1;
  for (int c = 0; c < titres.size(); ++c) {
    int* place = nullptr;
    switch (genretitre(titres[c])) {
      case Titre::Nom: place = &nom; break;
      case Titre::NomComplet: place = &complet; break;
      case Titre::Prénom: place = &prénom; break;
      case Titre::Classe: place = &classe; break;
      case Titre::Aucun: break;
    }
    if (place && *place < 0) *place = c;
  }
  if (nom < 0 && complet < 0) return false;
  // Avec une colonne des prénoms, "Élève" ou "Nom de l'élève" est le nom de famille.
  r.colonnenom = nom >= 0 ? nom : complet;
  r.colonneprénom = prénom;
  r.colonneclasse = classe;
  return true;
}

// Une classe comme les secrétariats l'écrivent : « 3ème B », « 3e B », « 3ème-B », « 1ère A »,
// « 2nde C » sont 3B, 1A, 2C ; « 3E » reste 3E (la lettre après le nombre est alors la classe).
QString clé(const QString& classe) {
  static const QRegularExpression ordinal(QStringLiteral("^(\\d+)\\s*(?:eme|ere|er|nde|nd|e)\\s*(?=[a-z0-9])"));
  QString c = normaliser(classe);
  c.replace(ordinal, QStringLiteral("\\1 "));
  return c.remove(u' ');
}

// Une ligne de fin de liste (« Total : 28 élèves », « Effectif 28 ») n'est pas un élève.
bool lignederésumé(const QString& nom) {
  static const QRegularExpression résumé(
      QStringLiteral("^(?:sous )?(?:total|totaux|effectifs?|nombre d|nb d)|\\b\\d+ (?:eleves?|inscrits?)\\b"));
  return résumé.match(normaliser(nom.left(80))).hasMatch();
}

// Une colonne qui distingue deux élèves de même nom : la date de naissance, d'après son titre ; -1 sinon.
int colonnedesnaissances(const TableauLu& tableau, const RéglagesListe& r) {
  if (!r.titres || r.premièreligne >= tableau.size()) return -1;
  const QStringList& titres = tableau[r.premièreligne];
  for (int c = 0; c < titres.size(); ++c) {
    const QString t = normaliser(titres[c]);
    if (t.contains(QStringLiteral("naissance")) || t.startsWith(QStringLiteral("ne le")) || t.startsWith(QStringLiteral("nee le")) ||
        t.startsWith(QStringLiteral("ne e le")) || t == QStringLiteral("birth date") || t == QStringLiteral("date of birth"))
      return c;
  }
  return -1;
}

}  // namespace

int premièredonnée(const RéglagesListe& r) { return r.premièreligne + (r.titres ? 1 : 0); }

bool delaclassechoisie(const QStringList& ligne, const RéglagesListe& r) {
  return r.colonneclasse < 0 || r.classe.isEmpty() || caseà(ligne, r.colonneclasse) == r.classe;
}

FichierListe lirelisteélèves(const QString& chemin) {
  FichierListe f;
  f.octets = lireoctets(chemin);
  const QString document = documentreconnu(f.octets);
  if (!document.isEmpty())
    throw ErreurDonnée(QStringLiteral("Ce fichier n'est pas une liste d'élèves : c'est %1, ni un texte ni un classeur "
                                      "(.xlsx, .ods).").arg(document));
  if (estunclasseur(f.octets)) {
    f.classeur = true;
    f.cases = premièrefeuille(f.octets);
    f.octets.clear();
  } else if (binaire(f.octets) && encodagedeviné(f.octets) != Encodage::Utf16) {
    throw ErreurDonnée(QStringLiteral("Ce fichier n'est pas une liste d'élèves : ce n'est ni un texte ni un classeur "
                                      "(.xlsx, .ods)."));
  }
  return f;
}

QChar séparateurdeviné(QStringView texte) {
  static const QChar candidats[] = {u';', u'\t', u','};
  QList<std::array<int, 3>> comptes;
  std::array<int, 3> ligne{};
  bool citation = false, vide = true;
  for (qsizetype i = 0; i < texte.size() && comptes.size() < lignesdedevinette; ++i) {
    const QChar c = texte[i];
    if (c == u'"') citation = !citation;
    if (!citation && (c == u'\n' || c == u'\r')) {
      if (!vide) comptes.append(ligne);
      ligne = {};
      vide = true;
      continue;
    }
    vide = vide && c.isSpace();
    for (int k = 0; k < 3; ++k) ligne[k] += !citation && c == candidats[k];
  }
  if (!vide) comptes.append(ligne);
  QChar meilleur;
  int meilleurscore = 0;
  for (int k = 0; k < 3; ++k) {
    // Le nombre de lignes qui ont le nombre de séparateurs le plus courant (au moins un).
    QMap<int, int> fréquences;
    for (const auto& l : comptes)
      if (l[k] > 0) ++fréquences[l[k]];
    const int score = fréquences.isEmpty() ? 0 : *std::max_element(fréquences.begin(), fréquences.end());
    if (score > meilleurscore && score * 2 >= comptes.size()) {
      meilleur = candidats[k];
      meilleurscore = score;
    }
  }
  return meilleur;
}

TableauLu découpercsv(QStringView texte, QChar séparateur) {
  TableauLu lignes;
  QStringList champs;
  QString champ;
  bool début = true;
  const auto finirchamp = [&] {
    champs.append(champ.trimmed());
    champ.clear();
    début = true;
  };
  const auto finirligne = [&] {
    finirchamp();
    // Une ligne vide reste une ligne (vide), à sa place : l'aperçu garde les numéros du fichier.
    const bool vide = std::none_of(champs.begin(), champs.end(), [](const QString& c) { return !c.isEmpty(); });
    lignes.append(vide ? QStringList() : champs);
    champs.clear();
  };
  const qsizetype n = texte.size();
  qsizetype i = 0;
  while (i < n) {
    const QChar c = texte[i];
    if (c == u'"' && début) {
      début = false;
      for (++i;;) {
        const qsizetype fin = texte.indexOf(u'"', i);
        champ += texte.mid(i, fin < 0 ? n - i : fin - i);
        i = fin < 0 ? n : fin + 1;
        if (i >= n || texte[i] != u'"') break;
        champ += u'"';  // guillemet doublé
        ++i;
      }
    } else if (!séparateur.isNull() && c == séparateur) {
      finirchamp();
      ++i;
    } else if (c == u'\n' || c == u'\r') {
      finirligne();
      i += c == u'\r' && i + 1 < n && texte[i + 1] == u'\n' ? 2 : 1;
    } else {
      qsizetype fin = i;
      while (fin < n && texte[fin] != u'\n' && texte[fin] != u'\r' && (séparateur.isNull() || texte[fin] != séparateur)) ++fin;
      champ += texte.mid(i, fin - i);
      début = false;
      i = fin;
    }
  }
  if (!début || !champ.isEmpty() || !champs.isEmpty()) finirligne();
  while (!lignes.isEmpty() && lignes.last().isEmpty()) lignes.removeLast();
  return lignes;
}

TableauLu tableaudeliste(const FichierListe& fichier, const RéglagesListe& réglages) {
  if (fichier.classeur) return fichier.cases;
  return découpercsv(décoder(fichier.octets, réglages.encodage), réglages.séparateur);
}

RéglagesListe devinerréglages(const FichierListe& fichier, const QString& classevisée) {
  RéglagesListe r;
  if (!fichier.classeur) {
    r.encodage = encodagedeviné(fichier.octets);
    r.séparateur = séparateurdeviné(décoder(fichier.octets, r.encodage));
  }
  devinercolonnes(tableaudeliste(fichier, r), r, classevisée);
  return r;
}

void devinercolonnes(const TableauLu& tableau, RéglagesListe& r, const QString& classevisée) {
  r.premièreligne = 0;
  r.titres = false;
  for (int l = 0, vues = 0; l < tableau.size() && vues < 10; vues += !tableau[l].isEmpty(), ++l)
    if (colonnesdestitres(tableau[l], r)) {
      r.premièreligne = l;
      r.titres = true;
      break;
    }
  if (!r.titres) colonnessanstitres(tableau, r);
  r.colonnedistinction = colonnedesnaissances(tableau, r);
  r.classe.clear();
  for (const auto& [classe, nombre] : classestrouvées(tableau, r))
    if (clé(classe) == clé(classevisée)) r.classe = classe;
}

bool desnomsséparésparlesvirgules(const FichierListe& fichier, const RéglagesListe& r) {
  if (fichier.classeur || r.séparateur.isNull()) return !fichier.classeur;
  if (r.séparateur != u',' || r.titres || fichier.octets.contains('"')) return false;
  // Des colonnes : la plupart des lignes ont le même nombre de champs.
  QMap<qsizetype, int> champs;
  int lignes = 0;
  for (const QStringList& l : tableaudeliste(fichier, r))
    if (!l.isEmpty()) {
      ++champs[l.size()];
      ++lignes;
    }
  const int pareilles = champs.isEmpty() ? 0 : *std::max_element(champs.begin(), champs.end());
  return lignes < 2 || pareilles * 10 < lignes * 8;
}

QList<QPair<QString, int>> classestrouvées(const TableauLu& tableau, const RéglagesListe& r) {
  QMap<QString, int> comptes;
  if (r.colonneclasse < 0) return {};
  for (qsizetype l = premièredonnée(r); l < tableau.size(); ++l) {
    const QString c = caseà(tableau[l], r.colonneclasse);
    if (!c.isEmpty()) ++comptes[c];
  }
  QList<QPair<QString, int>> classes;
  for (auto i = comptes.begin(); i != comptes.end(); ++i) classes.append({i.key(), i.value()});
  std::sort(classes.begin(), classes.end(), [](const auto& a, const auto& b) { return avantenfrançais(a.first, b.first); });
  return classes;
}

namespace {

// Les lignes d'élèves retenues : classe choisie, nom non vide, pas une ligne de total.
QList<qsizetype> lignesretenues(const TableauLu& tableau, const RéglagesListe& r) {
  QList<qsizetype> lignes;
  for (qsizetype l = premièredonnée(r); l < tableau.size(); ++l) {
    const QStringList& ligne = tableau[l];
    if (!delaclassechoisie(ligne, r)) continue;
    const QString nom = (caseà(ligne, r.colonnenom) + u' ' + caseà(ligne, r.colonneprénom)).trimmed();
    if (!nom.isEmpty() && !lignederésumé(nom)) lignes.append(l);
  }
  return lignes;
}

// La marque d'un homonyme : sa distinction, sinon son numéro parmi ceux de son nom.
QString marquedhomonyme(const QString& distinction, int numéro) {
  // « / » sépare les champs du fichier des notes : une date s'écrit avec des tirets.
  const QString d = contrôlertexte(distinction, GenreTexte::Libre).proche.replace(u'/', u'-').left(20).trimmed();
  return QStringLiteral(" (%1)").arg(d.isEmpty() ? QString::number(numéro) : d);
}

void distinguer(QList<NomImporté>& noms, const QList<int>& indices, const QStringList& déjàlà, const Homonymes& h) {
  const auto clé = [](const QString& n) { return n.toCaseFolded(); };
  QHash<QString, int> dansfichier, numéros;
  QSet<QString> delaclasse;
  for (const QString& d : déjàlà) delaclasse.insert(clé(d));
  for (const NomImporté& n : noms)
    if (n.sort != NomImporté::TropLong) ++dansfichier[clé(n.nom)];
  for (qsizetype i = 0; i < noms.size(); ++i) {
    NomImporté& n = noms[i];
    const QString k = clé(n.nom);
    const bool avecunélève = n.sort == NomImporté::DéjàLà;
    if (n.sort == NomImporté::TropLong || (dansfichier.value(k) < 2 && !(avecunélève && h.aveclaclasse))) continue;
    if (avecunélève && !h.aveclaclasse) continue;
    // Avec un élève de la classe, le nouveau est le deuxième de ce nom.
    const int numéro = ++numéros[k] + (delaclasse.contains(k) ? 1 : 0);
    n.nom += marquedhomonyme(h.distinctions.value(indices[i]), numéro);
    n.sort = n.nom.size() > longueurnomélève ? NomImporté::TropLong : NomImporté::Distingué;
  }
  // Deux marques pareilles (une même date de naissance) : les numéros départagent.
  QHash<QString, int> encore;
  for (const NomImporté& n : noms)
    if (n.sort == NomImporté::Distingué) ++encore[clé(n.nom)];
  QHash<QString, int> rang;
  for (NomImporté& n : noms)
    if (n.sort == NomImporté::Distingué && (encore.value(clé(n.nom)) > 1 || delaclasse.contains(clé(n.nom))))
      n.nom += QStringLiteral(" (%1)").arg(++rang[clé(n.nom)]);
}

}  // namespace

QStringList nomslus(const TableauLu& tableau, const RéglagesListe& r) {
  QStringList noms;
  for (const qsizetype l : lignesretenues(tableau, r))
    noms.append((caseà(tableau[l], r.colonnenom) + u' ' + caseà(tableau[l], r.colonneprénom)).trimmed());
  return noms;
}

QStringList caseslues(const TableauLu& tableau, const RéglagesListe& r, int colonne) {
  QStringList cases;
  for (const qsizetype l : lignesretenues(tableau, r)) cases.append(caseà(tableau[l], colonne));
  return cases;
}

QList<NomImporté> passerlaporte(const QStringList& lus, const QString& préfixe, const QStringList& déjàlà,
                                const Homonymes& homonymes) {
  QList<NomImporté> noms;
  QList<int> indices;  // la place de chaque nom parmi les noms lus
  for (int i = 0; i < lus.size(); ++i) {
    const QString& lu = lus[i];
    // Ligne vide, virgule en trop, ligne de total : pas d'élève, même préfixé.
    if (lu.trimmed().isEmpty() || lignederésumé(lu)) continue;
    // La longueur d'abord : d'un champ bien trop long, seul le début passe la porte (pour être montré).
    const qsizetype limite = 4 * longueurnomélève;
    const bool beaucouptroplong = préfixe.size() + lu.size() > limite;
    const TexteContrôlé c = contrôlertexte(QString(préfixe + lu).left(limite), GenreTexte::Libre);
    if (c.proche.isEmpty()) continue;
    NomImporté n{c.texte, c.proche, c.horsansi.isEmpty() ? NomImporté::Gardé : NomImporté::LettresProches};
    // "/" sépare les champs du fichier des notes : il devient un tiret.
    if (n.nom.contains(u'/')) {
      n.nom.replace(u'/', u'-');
      if (n.sort == NomImporté::Gardé) n.sort = NomImporté::BarreRemplacée;
    }
    const auto même = [&](const QString& d) { return d.compare(n.nom, Qt::CaseInsensitive) == 0; };
    if (std::any_of(déjàlà.begin(), déjàlà.end(), même)) n.sort = NomImporté::DéjàLà;
    if (beaucouptroplong || n.nom.size() > longueurnomélève) n.sort = NomImporté::TropLong;
    noms.append(n);
    indices.append(i);
  }
  distinguer(noms, indices, déjàlà, homonymes);
  std::stable_sort(noms.begin(), noms.end(), [](const NomImporté& a, const NomImporté& b) { return avantenfrançais(a.nom, b.nom); });
  return noms;
}
