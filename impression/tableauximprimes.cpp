#include "impression/misesenpage.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include "noyau/base/etat.h"
#include "noyau/base/module.h"
#include "plateforme/couleurs.h"
#include "plateforme/erreurs.h"
#include "plateforme/horloge.h"
#include "plateforme/imprimante.h"
#include "plateforme/nombres.h"
#include "plateforme/services.h"

namespace {

QString filet(QChar c, int longueur) { return QString(longueur, c); }

int largeurfilet(const Imprimante& i) { return i.Orientation() == paysage ? 133 : 95; }

bool fractionnaire(double v) { return v != std::trunc(v); }

// Les colonnes d'une page des points : tests de..à puis notes orales de..à.
struct PagePoints {
  int premiertest, derniertest, premièreorale, dernièreorale;
  bool dernière;
  int colonnes() const {
    return std::max(0, derniertest - premiertest + 1) + std::max(0, dernièreorale - premièreorale + 1);
  }
};

QList<PagePoints> découperenpages(int tests, int orales, int parpage) {
  QList<PagePoints> pages;
  const int total = tests + orales;
  for (int début = 1; début <= std::max(total, 1); début += parpage) {
    const int fin = std::min(début + parpage - 1, total);
    pages.append({début, std::min(fin, tests), std::max(début - tests, 1), fin - tests, fin >= total});
  }
  return pages;
}

// Nombre de colonnes de la question du paysage, arrondi vers le haut.
int pages(int colonnes, int parpage) { return (colonnes + parpage - 1) / parpage; }

void entêtepoints(Imprimante& i, const PagePoints& p) {
  const ÉtatPartagé& é = état();
  QList<Élément> l{Tab(3), QStringLiteral("(Imprimé le ") + dateimpression() + u')', Tab(31)};
  for (int k = p.premiertest; k <= p.derniertest; ++k)
    l << QStringLiteral("IE") + format(é.premièreinterro + k - 1, u"00") + u' ';
  for (int o = p.premièreorale; o <= p.dernièreorale; ++o) l << QStringLiteral("Or") + format(o, u"00") + u' ';
  if (p.dernière) l << " MOY.";
  i.Print(l);
  QList<Élément> m{Tab(10), "NOMS", Tab(31)};
  for (int k = p.premiertest; k <= p.derniertest; ++k) m << u'/' + format(é.maxinterro[k], u"000") + u' ';
  for (int o = p.premièreorale; o <= p.dernièreorale; ++o) m << "     ";
  if (p.dernière) m << QStringLiteral(" /") + format(é.maxcourant, u"000");
  i.Print(m);
  if (é.nbcompétences() > 1) {
    QList<Élément> c{Tab(31)};
    for (int k = p.premiertest; k <= p.derniertest; ++k)
      c << QStringLiteral("(C") + QString::number(é.compétenceinterro[k]) + QStringLiteral(") ");
    i.Print(c);
  }
  i.Print({filet(u'=', largeurfilet(i))});
}

void élèvepoints(Imprimante& i, const PagePoints& p, int s) {
  const ÉtatPartagé& é = état();
  i.ForeColor(noir);
  const bool paysagé = i.Orientation() == paysage;
  if ((!paysagé && é.nbélèves < 35) || (paysagé && é.nbélèves < 23)) i.Print();
  i.Print({format(s, u"00") + u')' + é.nomélève[s].left(25), Tab(30)}, Suite::PointVirgule);
  for (int k = p.premiertest; k <= p.derniertest; ++k) couleurpoints(i, é.noteinterro(s, k), é.maxinterro[k]);
  i.ForeColor(noir);
  i.Print({" "}, Suite::PointVirgule);
  for (int o = p.premièreorale; o <= p.dernièreorale; ++o)
    i.Print({o > é.nbnotesorales[s] ? QStringLiteral("     ") : formaternote(str(é.noteorale(s, o))) + u' '},
            Suite::PointVirgule);
  if (p.dernière) couleurpoints(i, é.totalélève[s], é.maxcourant);
  i.ForeColor(noir);
  if (é.préparations) i.Print({QStringLiteral(" (") + sansblancs(str(é.préparationsnonfaites[s])) + u')'});
  else i.Print();
}

void piedpoints(Imprimante& i, const PagePoints& p) {
  const ÉtatPartagé& é = état();
  i.ForeColor(noir);
  i.Print({filet(u'-', largeurfilet(i))});
  QList<Élément> m{"Moyennes :", Tab(31)};
  for (int k = p.premiertest; k <= p.derniertest; ++k)
    m << (é.moyenneinterro[k] < 10 ? QStringLiteral(" ") : QString()) + formatvirgule(é.moyenneinterro[k], u"##.0") + u' ';
  if (p.dernière) m << Tab(32 + 5 * p.colonnes()) << formatvirgule(é.moyenneinterro[é.nbinterros + 1], u"##.0");
  i.Print(m);
  QList<Élément> e{"Nombre d'échec(s) :", Tab(31)};
  for (int k = p.premiertest; k <= p.derniertest; ++k) e << u' ' + format(é.échecsinterro[k], u"00") + QStringLiteral("  ");
  i.Print(e, Suite::PointVirgule);
}

}  // namespace

QString nompointé(const QString& nom, int coupe, int largeur) {
  return nom.left(coupe) + filet(u'.', std::max<int>(0, largeur - static_cast<int>(nom.size())));
}

QString dateimpression() { return horloge().aujourdhui().toString(QStringLiteral("dd/MM/yyyy")); }

QString formaternote(const QString& brute) {
  const QString note = sansblancs(brute);
  const double v = val(note);
  const QString partieentière = str(std::trunc(v));
  switch (note.size()) {
    case 1:
      return note == u"?" || note == u"A" ? u' ' + note + QStringLiteral("  ") : u' ' + note + QStringLiteral(",0");
    case 2:
      if (note == u"AI" || note == u"NC") return u' ' + note + u' ';
      if (note == u".5") return QStringLiteral(" 0,5");
      return note + QStringLiteral(",0");
    case 3: return fractionnaire(v) ? u' ' + sansblancs(partieentière) + QStringLiteral(",5") : note + u' ';
    case 4: return fractionnaire(v) ? partieentière.right(2) + QStringLiteral(",5") : note;
    default: return u'?' + note.left(3);
  }
}

void couleurpoints(Imprimante& i, const QString& note, double maximum) {
  const QString n = sansblancs(note);
  const bool sanscouleur = n == u"?" || n == u"NC" || n == u"A";
  const bool échec = !sanscouleur && val(n) < maximum / 2;
  const int c = échec ? rouge : noir;
  i.ForeColor(c);
  i.Print({" "}, Suite::PointVirgule);
  i.ForeColor(c);
  i.FontBold(échec);  // en noir et blanc aussi, un échec se voit
  i.Print({formaternote(note)}, Suite::PointVirgule);
  i.FontBold(false);
  i.ForeColor(noir);
}

void souligner(Imprimante& i, const QString& texte, int colonne) {
  i.Print({Tab(colonne), ""}, Suite::PointVirgule);
  i.FontUnderline(true);
  i.Print({texte});
  i.FontUnderline(false);
}

void imprimerentête(Imprimante& i, const QString& périodeàimprimer) {
  const ÉtatPartagé& é = état();
  const bool paysagé = i.Orientation() == paysage;
  i.FontName(QStringLiteral("Courier New"));
  i.FontSize(12);
  i.Print({QStringLiteral("Classe de ") + é.nomclasse[é.classecourante], Tab(paysagé ? 30 : 25),
           QStringLiteral("Cours : ") + é.nomcours[é.classecourante], Tab(paysagé ? 100 : 70),
           (périodeàimprimer.startsWith(u'P') ? QStringLiteral("Période") : QStringLiteral("Examen ")) + u' ' +
               é.périodecourante.mid(1)});
  i.FontSize(10);
  i.Print({filet(u'-', largeurfilet(i))});
}

void imprimerpoints(Imprimante& i, const TravailImpression& t) {
  const ÉtatPartagé& é = état();
  const int T = é.nbinterros + é.nborales;
  int parpage = 12;
  if (T > 12) {
    const int r = question(
        QStringLiteral("L'impression dépasse une page en mode portrait.  Faut-il imprimer en mode paysage ?\n\n"
                       "N.B.: hors compétences et prépas, le nombre de pages est :\n\n") +
            str(pages(T, 12)) + QStringLiteral(" pages en mode portrait\n") + str(pages(T, 19)) +
            QStringLiteral(" page(s) en mode paysage"),
        str(T) + QStringLiteral(" interrogations écrites et orales"));
    if (r == ANNULER) return;
    if (r == OUI) parpage = 19;
  }
  i.Orientation(parpage == 19 ? paysage : portrait);
  for (const PagePoints& p : découperenpages(é.nbinterros, é.nborales, parpage)) {
    const auto entête = [&i, &t, p] {
      imprimerentête(i, t.périodeàimprimer);
      i.FontSize(10);
      entêtepoints(i, p);
    };
    entête();
    i.EnTête(entête);
    for (int s = 1; s <= é.nbélèves; ++s) élèvepoints(i, p, s);
    piedpoints(i, p);
    if (!p.dernière) {
      i.NewPage();
      continue;
    }
    i.Print({Tab(33 + 5 * p.colonnes()), format(é.échecsinterro[é.nbinterros + 1], u"00")});
  }
  i.FontSize(12);
  i.NewPage();
  i.Orientation(portrait);
}

void imprimermoyennes(Imprimante& i, const TravailImpression& t) {
  const ÉtatPartagé& é = état();
  const auto entête = [&i, &t] {
    imprimerentête(i, t.périodeàimprimer);
    i.Print({Tab(25), "NOMS", Tab(53), "MOY.     COMP."});
    i.Print({filet(u'=', 66)});
    i.Print();
  };
  entête();
  i.EnTête(entête);
  for (int s = 1; s <= é.nbélèves; ++s) {
    i.Print({Tab(6), format(s, u"00") + QStringLiteral(") ") + nompointé(é.nomélève[s], 35, 38) + QStringLiteral(" => ")},
            Suite::PointVirgule);
    couleurpoints(i, é.totalélève[s], é.maxcourant);
    i.ForeColor(noir);
    i.Print({" ", "    ....."});
    if (é.nbélèves < 30) i.Print();
  }
  i.Print({Tab(10), QStringLiteral("(Imprimé le ") + dateimpression() + u')', Tab(31)});
  i.NewPage();
}

void imprimernomsgrille(Imprimante& i, const TravailImpression& t) {
  const ÉtatPartagé& é = état();
  const auto entête = [&i, &t] {
    imprimerentête(i, t.périodeàimprimer);
    i.Print({Tab(20), "NOMS"});
    i.Print({filet(u'=', 83)});
    i.Print();
  };
  entête();
  i.EnTête(entête);
  for (int s = 1; s <= é.nbélèves; ++s) {
    QList<Élément> l{Tab(10), format(s, u"00") + QStringLiteral(") ") + é.nomélève[s].left(30)};
    for (int j = 1; j <= 12; ++j) l << Tab(3 * j + 43) << "|..";
    l << "|";
    i.Print(l);
    if (é.nbélèves < 29) i.Print();
  }
  i.NewPage();
}

void imprimerrensinterro(Imprimante& i, const TravailImpression& t) {
  const ÉtatPartagé& é = état();
  imprimerentête(i, t.périodeàimprimer);
  i.EnTête([&i, &t] { imprimerentête(i, t.périodeàimprimer); });
  i.FontName(QStringLiteral("Times new roman"));
  i.FontSize(14);
  souligner(i, QStringLiteral("Liste des renseignements sur les interrogations"), 10);
  i.FontSize(10);
  i.Print();
  for (int k = 1; k <= é.nbinterros; ++k) {
    souligner(i, QStringLiteral("Interrogation écrite n°") + QString::number(é.premièreinterro + k - 1), 10);
    i.Print({Tab(10), QStringLiteral("Date : ") + é.dateinterro[k]});
    i.Print({Tab(10), QStringLiteral("Matière : ") + é.matièreinterro[k]});
    i.Print({Tab(10), QStringLiteral("Points attribués :") + str(é.maxinterro[k])});
    if (é.nbcompétences() > 1) {
      const int c = é.compétenceinterro[k];
      i.Print({Tab(10), QStringLiteral("Compétence évaluée : ") +
                            (c >= 1 && c <= é.nbcompétences() ? é.listecompétences[c] : QStringLiteral("?"))});
    }
    i.Print();
  }
  i.NewPage();
}

DocumentEnCours::DocumentEnCours(Imprimante& i) : imprimante_(i), exceptions_(std::uncaught_exceptions()) {}

DocumentEnCours::~DocumentEnCours() {
  if (std::uncaught_exceptions() > exceptions_) imprimante_.KillDoc();
}

TravailUnique::TravailUnique(Imprimante& i) : imprimante_(i), document_(i) { i.OuvrirTravail(); }

TravailUnique::~TravailUnique() {
  if (ouvert_) imprimante_.FermerTravail();
}

bool TravailUnique::terminer() {
  ouvert_ = false;
  imprimante_.FermerTravail();
  return finirdocument(imprimante_);
}

bool finirdocument(Imprimante& i) {
  try {
    i.EndDoc();
    return true;
  } catch (const ErreurEvalo& e) {
    avertissement(e.texte(), QStringLiteral("Impression non aboutie"));
    return false;
  }
}

void imprimertitresouligné(Imprimante& i, const QString& titre) {
  i.FontName(QStringLiteral("times new roman"));
  i.FontSize(14);
  i.Print();
  i.Print();
  i.FontUnderline(false);
  i.Print({"  "}, Suite::PointVirgule);
  i.FontUnderline(true);
  i.Print({titre});
  i.FontUnderline(false);
}

void imprimerimagegrille(const QString& titre, const ImageGrille& image) {
  Imprimante& i = imprimantes().Printer();
  const int orientation = i.Orientation();
  i.Orientation(paysage);
  imprimertitresouligné(i, titre + QStringLiteral(" - le ") + dateimpression());
  i.PaintPicture(image, 60, 1100);
  finirdocument(i);
  // Les impressions suivantes (listes, classement) gardent leur orientation.
  i.Orientation(orientation);
}
