#include "noyau/sorties/classeur.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <map>
#include <optional>
#include <utility>
#include <xlsxwriter.h>

#include "noyau/base/etat.h"
#include "noyau/base/module.h"
#include "noyau/fichiers/notesclasse.h"
#include "noyau/regles/totaux.h"
#include "noyau/sorties/exports.h"
#include "noyau/sorties/presentation.h"
#include "plateforme/couleurs.h"
#include "plateforme/erreurs.h"
#include "plateforme/fichiers.h"
#include "plateforme/nombres.h"
#include "plateforme/services.h"
#include "plateforme/systeme.h"

namespace {

constexpr int lignetête = 1, lignemax = 2, lignecompétence = 3, premièreligne = 4;  // lignes 0-indexées
const QByteArray formatnote = QByteArrayLiteral("0.0#");

QString classeouverte() { return état().nomclasse[état().classecourante]; }

// Les formats du classeur : chaque couleur de la grille, en gras pour les têtes.
struct Formats {
  lxw_format *titre, *tête, *texte, *nombre, *rouge, *bleu, *entier, *entierrouge, *pourcent;
  explicit Formats(lxw_workbook* c) : classeur_(c) {
    const auto nouveau = [c] { return workbook_add_format(c); };
    titre = nouveau();
    format_set_bold(titre);
    format_set_font_size(titre, 13);
    tête = nouveau();
    format_set_bold(tête);
    format_set_align(tête, LXW_ALIGN_CENTER);
    format_set_bg_color(tête, 0xE8E8E8);
    format_set_border(tête, LXW_BORDER_THIN);
    texte = nouveau();
    format_set_border(texte, LXW_BORDER_THIN);
    nombre = nouveau();
    format_set_num_format(nombre, formatnote.constData());
    format_set_border(nombre, LXW_BORDER_THIN);
    rouge = nouveau();
    format_set_num_format(rouge, formatnote.constData());
    format_set_font_color(rouge, 0xC00000);
    format_set_bg_color(rouge, 0xFFD8D8);
    format_set_align(rouge, LXW_ALIGN_RIGHT);  // "AI" à droite comme les nombres, "A" et "NC"
    format_set_border(rouge, LXW_BORDER_THIN);
    bleu = nouveau();
    format_set_font_color(bleu, 0x0000C0);
    format_set_bg_color(bleu, 0xDCE6FF);
    format_set_align(bleu, LXW_ALIGN_RIGHT);
    format_set_border(bleu, LXW_BORDER_THIN);
    entier = nouveau();
    format_set_num_format(entier, "0");
    format_set_border(entier, LXW_BORDER_THIN);
    entierrouge = nouveau();
    format_set_num_format(entierrouge, "0");
    format_set_font_color(entierrouge, 0xC00000);
    format_set_bg_color(entierrouge, 0xFFD8D8);
    format_set_border(entierrouge, LXW_BORDER_THIN);
    pourcent = nouveau();
    format_set_num_format(pourcent, "0\"%\"");
    format_set_border(pourcent, LXW_BORDER_THIN);
  }

  // Un nombre montré avec ses marques ("15,5/20", "?132,5?") : le tableur y met son
  // séparateur décimal, comme aux autres nombres de la feuille. Un format par motif et couleur.
  lxw_format* marqué(const QByteArray& motif, int couleur) {
    lxw_format*& f = marqués_[{motif, couleur}];
    if (f) return f;
    f = workbook_add_format(classeur_);
    format_set_num_format(f, motif.constData());
    format_set_border(f, LXW_BORDER_THIN);
    if (couleur == ::rouge) {
      format_set_font_color(f, 0xC00000);
      format_set_bg_color(f, 0xFFD8D8);
      format_set_bold(f);
    } else if (couleur == ::bleu) {
      format_set_font_color(f, 0x0000C0);
      format_set_bg_color(f, 0xDCE6FF);
    }
    return f;
  }
private:
  lxw_workbook* classeur_;
  std::map<std::pair<QByteArray, int>, lxw_format*> marqués_;
};

// "/20" d'une note orale ; "?" d'un total où manque une période : des textes dans le format.
QByteArray motifsur(int maximum) { return "General\"/" + QByteArray::number(maximum) + '"'; }
const QByteArray motifincomplet = QByteArrayLiteral("\"?\"General\"?\"");
const QByteArray motifincompletseul = QByteArrayLiteral("\"?\"General");

// Une feuille, avec la largeur de chaque colonne suivie au fil de l'écriture.
class Feuille {
public:
  Feuille(lxw_workbook* c, const QString& nom, Formats& f) : f_(f), feuille_(workbook_add_worksheet(c, nom.toUtf8().constData())) {}

  // Le titre déborde sur les cases voisines : il n'élargit pas sa colonne.
  void titre(const QString& t) { worksheet_write_string(feuille_, 0, 0, t.toUtf8().constData(), f_.titre); }
  void texte(int l, int c, const QString& t, lxw_format* format = nullptr) {
    noterligne(l);
    if (t.isEmpty()) {
      worksheet_write_blank(feuille_, l, c, format ? format : f_.texte);
      return;
    }
    // Un texte reste un texte, même quand il commence par "=" : jamais une formule.
    worksheet_write_string(feuille_, l, c, t.toUtf8().constData(), format ? format : f_.texte);
    élargir(c, t.size());
  }
  void nombre(int l, int c, double v, lxw_format* format) {
    noterligne(l);
    worksheet_write_number(feuille_, l, c, v, format);
    élargir(c, présenternote(str(v)).trimmed().size());
  }
  void formule(int l, int c, const QString& formule, std::optional<double> valeur, lxw_format* format) {
    noterligne(l);
    const QByteArray f = formule.toUtf8();
    if (valeur)
      worksheet_write_formula_num(feuille_, l, c, f.constData(), format, *valeur);
    else
      worksheet_write_formula_str(feuille_, l, c, f.constData(), format, "");
  }
  // Une note de la grille : nombre quand c'en est un, texte sinon, dans sa couleur.
  void note(int l, int c, const QString& brute, double maximum) {
    const QString montrée = présenternote(brute).trimmed();
    if (montrée.isEmpty()) return texte(l, c, QString());
    const int couleur = couleurdenote(montrée, maximum);
    if (estnombre(montrée))
      nombre(l, c, val(montrée), couleur == rouge ? f_.rouge : f_.nombre);
    else
      texte(l, c, montrée, couleur == bleu ? f_.bleu : couleur == rouge ? f_.rouge : f_.texte);
  }
  void élargir(int c, qsizetype caractères) { largeurs_[c] = std::max(largeurs_[c], static_cast<int>(caractères)); }
  void noterligne(int l) { lignes_ = std::max(lignes_, l + 1); }
  // Largeurs, volets figés, et à l'impression : paysage, une page de large, les
  // lignes de tête et les noms répétés.
  void finir(int lignesfigées, int colonnesfigées) {
    for (const auto& [c, largeur] : largeurs_)
      worksheet_set_column(feuille_, c, c, std::clamp(largeur + 2, 5, 40), nullptr);
    worksheet_freeze_panes(feuille_, lignesfigées, colonnesfigées);
    worksheet_set_landscape(feuille_);
    // Une classe ordinaire tient sur une page avec sa légende (elle ne part pas seule sur
    // une deuxième) ; une très grande liste prend les pages qu'il lui faut.
    worksheet_fit_to_pages(feuille_, 1, lignes_ <= lignesd1page ? 1 : 0);
    worksheet_repeat_rows(feuille_, 1, lignesfigées - 1);
    worksheet_repeat_columns(feuille_, 0, colonnesfigées - 1);
  }
  Formats& formats() { return f_; }

private:
  static constexpr int lignesd1page = 60;
  Formats& f_;
  lxw_worksheet* feuille_;
  std::map<int, int> largeurs_;
  int lignes_ = 0;
};

QString nomfeuille(QChar lettre, int n) {
  return (lettre == u'P' ? QStringLiteral("Période %1") : QStringLiteral("Examen %1")).arg(n);
}

// La classe-période chargée, comme sa feuille de cotes.
void écrirepériode(Feuille& f, const QString& titre) {
  const ÉtatPartagé& é = état();
  Formats& fm = f.formats();
  const int E = é.nbinterros, O = é.nborales, C = é.nbcompétences(), N = é.nbélèves;
  const int moy = E + O + 2, prép = moy + C + 1;
  f.titre(titre);
  // Les trois lignes de tête d'une colonne : son nom, son maximum, sa compétence.
  const auto tête = [&](int c, const QString& nom, const QString& maximum = {}, const QString& compétence = {}) {
    f.texte(lignetête, c, nom, fm.tête);
    f.texte(lignemax, c, maximum, fm.tête);
    f.texte(lignecompétence, c, compétence, fm.tête);
  };
  tête(0, QStringLiteral("N°"));
  tête(1, QStringLiteral("Noms et prénoms"));
  for (int k = 1; k <= E; ++k)
    tête(k + 1, QStringLiteral("N°%1").arg(é.premièreinterro + k - 1), QStringLiteral("/%1").arg(é.maxinterro[k]),
         QStringLiteral("(C%1)").arg(é.compétenceinterro[k]));
  for (int j = 1; j <= O; ++j) tête(E + 1 + j, QStringLiteral("Oral %1").arg(j));
  tête(moy, QStringLiteral("MOY"), QStringLiteral("/ %1").arg(é.maxcourant));
  for (int c = 1; c <= C; ++c) tête(moy + c, QStringLiteral("TotC%1").arg(c), QStringLiteral("en %"));
  if (é.préparations) tête(prép, QStringLiteral("Prép."), QStringLiteral("N.F."));
  for (int s = 1; s <= N; ++s) {
    const int l = premièreligne + s - 1;
    f.nombre(l, 0, s, fm.entier);
    f.texte(l, 1, é.nomélève[s]);
    for (int k = 1; k <= E; ++k) f.note(l, k + 1, é.noteinterro(s, k), é.maxinterro[k]);
    for (int j = 1; j <= O; ++j) {
      if (j > é.nbnotesorales[s]) {
        f.texte(l, E + 1 + j, QString());
        continue;
      }
      const QString orale = présenternote(str(é.noteorale(s, j)) + u'/' + str(é.maxorale(s, j)).trimmed());
      f.nombre(l, E + 1 + j, é.noteorale(s, j), fm.marqué(motifsur(é.maxorale(s, j)), couleurdenote(orale, é.maxorale(s, j))));
    }
    f.note(l, moy, é.totalélève[s], é.maxcourant);
    for (int c = 1; c <= C; ++c) {
      const int p = é.pourcentcompétence(s, c);
      if (p == -1)
        f.texte(l, moy + c, QStringLiteral("?"), fm.bleu);
      else
        f.nombre(l, moy + c, p, p < 50 ? fm.entierrouge : fm.entier);
    }
    if (é.préparations) f.nombre(l, prép, é.préparationsnonfaites[s], fm.entier);
  }
  // Moyenne et échecs : formules sur les notes (lignes du tableur comptées depuis 1).
  const int première = premièreligne + 1, dernière = premièreligne + std::max(N, 1);
  const int lmoyenne = premièreligne + N + 1, léchecs = lmoyenne + 1;
  f.texte(lmoyenne, 1, QStringLiteral("Moyenne de la classe"));
  f.texte(léchecs, 1, QStringLiteral("Nombre d'échecs"));
  const auto statistiques = [&](int colonne, int k, double maximum, bool résultats) {
    const double moyenne = é.moyenneinterro[k];
    f.formule(lmoyenne, colonne, formulemoyenne(lettrecolonne(colonne), première, dernière, résultats),
              moyenne >= 0 ? std::optional(moyenne) : std::nullopt,  // sans note comptée, la formule rend ""
              moyenne >= 0 && moyenne < maximum / 2 ? fm.rouge : fm.nombre);
    f.formule(léchecs, colonne, formuleéchecs(lettrecolonne(colonne), première, dernière, maximum, résultats),
              é.échecsinterro[k], fm.entier);
  };
  if (N > 0) {
    for (int k = 1; k <= E; ++k) statistiques(k + 1, k, é.maxinterro[k], false);
    statistiques(moy, E + 1, é.maxcourant, true);
  }
  for (int c = 1; c <= C; ++c) f.texte(léchecs + 1 + c, 1, QStringLiteral("C%1 = %2").arg(c).arg(é.listecompétences[c]));
  f.finir(premièreligne, 2);
}

void écriretotaux(Feuille& f) {
  ÉtatPartagé& é = état();
  Formats& fm = f.formats();
  rassemblertotaux();
  const int c0 = é.classecourante, P = é.dernièrepériode[c0], E = é.nbexamenscréés[c0], N = é.nbélèves;
  const auto maxexamen = [&](int e) { return e <= é.maxexamen.borne() ? é.maxexamen[e] : 0; };
  int maxexamens = 0;
  for (int e = 1; e <= E; ++e) maxexamens += maxexamen(e);
  const int totp = P + E + 2, tote = totp + 1, total = tote + (E > 0 ? 1 : 0), pourcent = total + 1;
  const int maxtotal = P * é.maxpériode + maxexamens;
  f.titre(QStringLiteral("Classe de %1 - Cours de %2 - TOTAUX").arg(classeouverte(), é.nomcours[c0]));
  const auto tête = [&](int c, const QString& haut, const QString& bas) {
    f.texte(lignetête, c, haut, fm.tête);
    f.texte(lignemax, c, bas, fm.tête);
  };
  tête(0, QStringLiteral("N°"), QString());
  tête(1, QStringLiteral("Noms et prénoms"), QString());
  for (int p = 1; p <= P; ++p) tête(1 + p, QStringLiteral("Pér.%1").arg(p), QStringLiteral("/%1").arg(é.maxpériode));
  for (int e = 1; e <= E; ++e) tête(1 + P + e, QStringLiteral("Exa.%1").arg(e), QStringLiteral("/%1").arg(maxexamen(e)));
  tête(totp, QStringLiteral("Tot P."), QStringLiteral("/%1").arg(P * é.maxpériode));
  if (E > 0) tête(tote, QStringLiteral("Tot E."), QStringLiteral("/%1").arg(maxexamens));
  tête(total, QStringLiteral("TOTAL"), QStringLiteral("/%1").arg(maxtotal));
  tête(pourcent, QStringLiteral("%"), QString());
  for (int i = 1; i <= N; ++i) {
    const int l = lignemax + i, ligne = l + 1;
    f.nombre(l, 0, i, fm.entier);
    f.texte(l, 1, é.nomélève[i]);
    // Ce qui compte encore : le maximum des périodes et examens qui ont un résultat.
    int maxpropre = maxtotal;
    const auto résultat = [&](int c, const QString& texte, int maximum) {
      if (sansblancs(texte) == QStringLiteral("?")) {
        f.texte(l, c, QStringLiteral("???"), fm.bleu);
        maxpropre -= maximum;
      } else {
        f.nombre(l, c, val(texte), val(texte) < maximum / 2.0 ? fm.rouge : fm.nombre);
      }
    };
    for (int p = 1; p <= P; ++p) résultat(1 + p, é.totauxrapport1(i, p), é.maxpériode);
    for (int e = 1; e <= E; ++e) résultat(1 + P + e, é.totauxrapport2(i, e), maxexamen(e));
    const QString& sommeP = é.totauxrapport3[i];
    const QString& sommeE = é.totauxrapport4[i];
    const bool complet = !sommeP.startsWith(u'?') && !sommeE.startsWith(u'?');
    const auto sanssigne = [](const QString& somme) { return val(somme.startsWith(u'?') ? somme.mid(1) : somme); };
    // La somme des résultats qui existent (SUM passe les "???"), marquée "?...?" quand il en manque,
    // comme la fenêtre des totaux.
    const auto somme = [&](int c, int de, int à, const QString& texte, int maximum) {
      const QString formule = QStringLiteral("=SUM(%1%3:%2%3)").arg(lettrecolonne(de), lettrecolonne(à)).arg(ligne);
      if (!texte.startsWith(u'?'))
        f.formule(l, c, formule, val(texte), val(texte) < maximum / 2.0 ? fm.rouge : fm.nombre);
      else if (maxpropre == 0)
        f.texte(l, c, QString());
      else
        f.formule(l, c, formule, sanssigne(texte), fm.marqué(motifincomplet, bleu));
    };
    if (P > 0) somme(totp, 2, 1 + P, sommeP, P * é.maxpériode);
    if (E > 0) somme(tote, 2 + P, 1 + P + E, sommeE, maxexamens);
    const double t = sanssigne(sommeP) + sanssigne(sommeE);
    const QString formuletotal = E > 0 ? QStringLiteral("=%1%3+%2%3").arg(lettrecolonne(totp), lettrecolonne(tote)).arg(ligne)
                                       : QStringLiteral("=%1%2").arg(lettrecolonne(totp)).arg(ligne);
    // Sans tout, le total de ce qui existe, marqué "?", et son pourcentage sur ce qui compte encore.
    const int sur = complet ? maxtotal : maxpropre;
    f.formule(l, total, formuletotal, t,
              complet ? (t < maxtotal / 2.0 ? fm.rouge : fm.nombre) : fm.marqué(E > 0 ? motifincomplet : motifincompletseul, bleu));
    if (sur > 0)
      f.formule(l, pourcent, QStringLiteral("=%1%2/%3*100").arg(lettrecolonne(total)).arg(ligne).arg(sur), t / sur * 100,
                fm.pourcent);
  }
  f.finir(lignemax + 1, 2);
}

// Le classeur libxlsxwriter, fermé (et libéré) en toute circonstance.
class Classeur {
public:
  // libxlsxwriter prend le nom du classeur en UTF-8 (sous Windows aussi, où il l'ouvre
  // en UTF-16) ; ses fichiers de travail vont dans le dossier temporaire, qu'il ouvre
  // par la bibliothèque C. Les erreurs nomment le classeur demandé (nommé), pas le
  // fichier de travail.
  Classeur(const QString& chemin, const QString& nommé) : chemin_(nommé) {
    const QByteArray nom = QDir::toNativeSeparators(chemin).toUtf8();
    tmpdir_ = dossierpourfopen(QDir::tempPath());
    lxw_workbook_options options{};
    options.tmpdir = tmpdir_.data();
    classeur_ = workbook_new_opt(nom.constData(), &options);
    if (!classeur_)
      throw ErreurFichier(CauseErreur::Autre, chemin_,
                          QStringLiteral("Impossible de créer le classeur « %1 ».").arg(chemin_));
    formats_.emplace(classeur_);
  }
  ~Classeur() {
    if (classeur_) workbook_close(classeur_);
  }
  Classeur(const Classeur&) = delete;
  Classeur& operator=(const Classeur&) = delete;
  Feuille feuille(const QString& nom) { return Feuille(classeur_, nom, *formats_); }
  void fermer() {
    const lxw_error erreur = workbook_close(std::exchange(classeur_, nullptr));
    if (erreur != LXW_NO_ERROR)
      throw ErreurFichier(CauseErreur::Autre, chemin_,
                          QStringLiteral("Le classeur « %1 » n'a pas pu être écrit : %2.")
                              .arg(chemin_, QString::fromUtf8(lxw_strerror(erreur))));
  }

private:
  QString chemin_;
  QByteArray tmpdir_;
  lxw_workbook* classeur_;
  std::optional<Formats> formats_;
};

}  // namespace

QString lettrecolonne(int colonne) {
  QString lettres;
  for (int n = colonne + 1; n > 0; n = (n - 1) / 26) lettres.prepend(QChar(u'A' + (n - 1) % 26));
  return lettres;
}

QString formulemoyenne(const QString& colonne, int première, int dernière, bool résultats) {
  const QString r = QStringLiteral("%1%2:%1%3").arg(colonne).arg(première).arg(dernière);
  const QString comptées = résultats ? QStringLiteral("(ROWS(%1)-COUNTIF(%1,\"~?\"))").arg(r)
                                     : QStringLiteral("(ROWS(%1)-COUNTIF(%1,\"A\")-COUNTIF(%1,\"NC\"))").arg(r);
  const QString dixièmes = QStringLiteral("SUM(%1)/%2*10").arg(r, comptées);
  // Arrondi au pair comme la grille : une moitié exacte descend vers le nombre pair.
  return QStringLiteral("=IF(%1=0,\"\",IF(MOD(%2,2)=0.5,ROUNDDOWN(%2,0),ROUND(%2,0))/10)").arg(comptées, dixièmes);
}

QString formuleéchecs(const QString& colonne, int première, int dernière, double maximum, bool résultats) {
  const QString r = QStringLiteral("%1%2:%1%3").arg(colonne).arg(première).arg(dernière);
  // Le nombre n'est jamais dans un critère en texte ("<3.5") : un tableur à virgule
  // (LibreOffice en français) ne le lirait pas comme un nombre.
  const QString sous = QStringLiteral("SUMPRODUCT(ISNUMBER(%1)*(%1<%2))").arg(r, sansblancs(str(maximum / 2)));
  if (résultats || maximum <= 0) return u'=' + sous;
  // "AI", "?" et une case vide comptent 0 : sous la moitié.
  return QStringLiteral("=%1+COUNTIF(%2,\"AI\")+COUNTIF(%2,\"~?\")+COUNTBLANK(%2)").arg(sous, r);
}

QString nomexportclasseur() {
  // L'année d'abord, comme les PDF : les classeurs se rangent dans l'ordre des dates.
  const QString quand = horloge().maintenant().toString(QStringLiteral("yyyy-MM-dd HH-mm-ss"));
  return dossierexport() + QStringLiteral("/Classeur ") + classeouverte() + u' ' + quand + QStringLiteral(".xlsx");
}

QStringList feuillesduclasseur() {
  const ÉtatPartagé& é = état();
  QStringList noms;
  for (int p = 1; p <= é.dernièrepériode[é.classecourante]; ++p) noms.append(nomfeuille(u'P', p));
  for (int e = 1; e <= é.nbexamenscréés[é.classecourante]; ++e) noms.append(nomfeuille(u'E', e));
  noms.append(QStringLiteral("Totaux"));
  return noms;
}

void écrireclasseur(const QString& chemin) {
  ÉtatPartagé& é = état();
  if (chemin.startsWith(dossierexport())) créerdossier(dossierexport());
  // Le fichier de travail, à côté du classeur : il le remplace d'un coup une fois complet.
  const QString temporaire = QFileInfo(chemin).absolutePath() +
                             QStringLiteral("/~evalo-%1.xlsx").arg(QCoreApplication::applicationPid());
  try {
    GardeClassePériode garde;
    const QString ouverte = é.périodecourante;
    Classeur classeur(temporaire, chemin);
    const int c = é.classecourante;
    for (QChar lettre : {u'P', u'E'}) {
      const int nombre = lettre == u'P' ? é.dernièrepériode[c] : é.nbexamenscréés[c];
      for (int n = 1; n <= nombre; ++n) {
        fixerpériodecourante(lettre, n);
        chargerclasse();
        Feuille f = classeur.feuille(nomfeuille(lettre, n));
        écrirepériode(f, QStringLiteral("Classe de %1 - Cours de %2 - %3")
                             .arg(classeouverte(), é.nomcours[c], nomfeuille(lettre, n)));
      }
    }
    é.périodecourante = ouverte;
    chargerclasse();
    Feuille totaux = classeur.feuille(QStringLiteral("Totaux"));
    écriretotaux(totaux);
    classeur.fermer();
    // Le fichier complet remplace l'ancien d'un coup.
    écrireoctets(chemin, lireoctets(temporaire));
  } catch (...) {
    QFile::remove(temporaire);
    throw;
  }
  QFile::remove(temporaire);
}
