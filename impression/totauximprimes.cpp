#include "impression/misesenpage.h"

#include <cmath>

#include "noyau/base/etat.h"
#include "noyau/base/module.h"
#include "noyau/regles/totaux.h"
#include "plateforme/couleurs.h"
#include "plateforme/imprimante.h"
#include "plateforme/nombres.h"
#include "plateforme/services.h"

namespace {

QString motiftotal(int genre) {
  const bool demi = état().arrondidemi;
  if (genre == 2) return demi ? QStringLiteral("00.0") : QStringLiteral("00");
  if (genre == 0) return QStringLiteral("00");
  return demi ? QStringLiteral("000.0") : QStringLiteral("000");
}

// Les maxima des totaux imprimés : MP, ME et MT.
struct MaximaTotaux {
  int périodes, examens, total;
};

MaximaTotaux maximatotaux(int n) {
  const ÉtatPartagé& é = état();
  int examens = 0;
  for (int e = 1; e <= é.nbexamenscréés[é.classecourante]; ++e) examens += e <= é.maxexamen.borne() ? é.maxexamen[e] : 0;
  return {n * é.maxpériode, examens, n * é.maxpériode + examens};
}

void entêtetotaux(Imprimante& i, int n, int E, const MaximaTotaux& m) {
  const ÉtatPartagé& é = état();
  QList<Élément> l{Tab(10), "NOMS", Tab(27)};
  for (int p = 1; p <= n; ++p) l << QStringLiteral("PER") + format(p, u"#") + u' ';
  for (int e = 1; e <= E; ++e) l << QStringLiteral("EXA") + format(e, u"#") + u' ';
  l << " T.PER ";
  if (E > 0) l << "T.EXA  ";
  l << "T.GEN";
  i.Print(l);
  // Chaque maximum tient sa case de cinq caractères, 100 et plus compris.
  const auto maximum = [](int m) { return (u'/' + format(m, u"00")).leftJustified(4) + u' '; };
  QList<Élément> x{Tab(27)};
  for (int p = 1; p <= n; ++p) x << maximum(é.maxpériode);
  for (int e = 1; e <= E; ++e) x << maximum(é.maxexamen[e]);
  x << QStringLiteral(" /") + format(m.périodes, u"000") + u' ';
  if (E > 0) x << QStringLiteral(" /") + format(m.examens, u"000") + QStringLiteral("  ");
  x << QStringLiteral(" /") + format(m.total, u"000");
  i.Print(x);
  i.Print({QString(80, u'=')});
  i.Print();
}

// Une case de total de période ou d'examen ; un total manquant ôte son maximum de
// celui de l'élève.
void casetotal(Imprimante& i, const QString& total, int maximum, int couleur, int& maxpropre) {
  if (total == u"?") {
    i.Print({" ??"}, Suite::PointVirgule);
    maxpropre -= maximum;
  } else {
    couleurtot(i, total, maximum, 2, couleur);
  }
  // Deux blancs gardent la case sur cinq caractères ("??" compris, aussi en demi-points).
  if (!état().arrondidemi || total == u"?") i.Print({"  "}, Suite::PointVirgule);
}

void casesomme(Imprimante& i, const QString& somme, int maximum, int couleur) {
  if (somme.startsWith(u'?')) {
    i.Print({u' ' + somme.leftJustified(5, u' ', true)}, Suite::PointVirgule);
    return;
  }
  couleurtot(i, somme, maximum, 3, couleur);
  if (!état().arrondidemi) i.Print({"  "}, Suite::PointVirgule);
}

QString pourcentage(double t, int sur) { return sur == 0 ? QStringLiteral("?") : str(std::floor(t / sur * 100 + 0.5)); }

void élèvetotaux(Imprimante& i, int s, int n, int E, const MaximaTotaux& m, int couleur) {
  ÉtatPartagé& é = état();
  int maxpropre = m.total;
  i.Print({é.nomélève[s].left(25), Tab(27)}, Suite::PointVirgule);
  for (int p = 1; p <= n; ++p) casetotal(i, é.totauxrapport1(s, p), é.maxpériode, couleur, maxpropre);
  for (int e = 1; e <= E; ++e) casetotal(i, é.totauxrapport2(s, e), é.maxexamen[e], couleur, maxpropre);
  i.Print({" "}, Suite::PointVirgule);
  casesomme(i, é.totauxrapport3[s], m.périodes, couleur);
  if (E > 0) casesomme(i, é.totauxrapport4[s], m.examens, couleur);
  const bool incomplet = é.totauxrapport3[s].startsWith(u'?') || é.totauxrapport4[s].startsWith(u'?');
  if (!incomplet) {
    const double t = val(é.totauxrapport3[s]) + val(é.totauxrapport4[s]);
    couleurtot(i, str(t), m.total, 3, couleur);
    i.Print({" ", "  "}, Suite::PointVirgule);
    couleurtot(i, pourcentage(t, m.total), 100, 0, couleur);
  } else {
    const auto sanssigne = [](const QString& somme) { return somme.startsWith(u'?') ? somme.mid(1) : somme; };
    const double t = val(sanssigne(é.totauxrapport3[s])) + val(sanssigne(é.totauxrapport4[s]));
    i.Print({(QStringLiteral(" ?") + sansblancs(str(t)) + QStringLiteral("    ")).left(4), " ", "  ?"},
            Suite::PointVirgule);
    couleurtot(i, pourcentage(t, maxpropre), 100, 0, couleur);
  }
  i.Print({"%"});
  if (é.nbélèves < 29) i.Print({QString(80, u'–')});
}

}  // namespace

int demanderdernièrepériode() {
  ÉtatPartagé& é = état();
  const int P = é.dernièrepériode[é.classecourante];
  for (;;) {
    const QString réponse = boîtes().saisie(QStringLiteral("Taper le numéro de la dernière période à additionner"),
                                            QStringLiteral("Dernière période pour ") + é.nomclasse[é.classecourante],
                                            QString::number(P));
    if (!réponse.isEmpty() && refusénonnombre(réponse, QStringLiteral("Dernière période pour ") + é.nomclasse[é.classecourante]))
      continue;
    const double v = val(réponse);
    if (v >= 0 && v <= P) return arrondipair(v);
  }
}

void couleurtot(Imprimante& i, const QString& texte, double maximum, int genre, int couleur) {
  const double v = val(texte);
  const bool échec = v < maximum / 2;
  const int c = échec ? couleur : noir;
  i.ForeColor(c);
  i.Print({" "}, Suite::PointVirgule);
  i.ForeColor(c);
  i.FontBold(échec);  // imprimé en noir, un échec se voit encore : en gras
  i.Print({formatvirgule(v, motiftotal(genre))}, Suite::PointVirgule);
  i.FontBold(false);
  i.ForeColor(noir);
}

void imprimertotaux(Imprimante& i, TravailImpression& t) {
  const ÉtatPartagé& é = état();
  const QString nom = é.nomclasse[é.classecourante];
  if (question(QStringLiteral("Désirez-vous imprimer en couleur ?"), QStringLiteral("Totaux pour ") + nom) != OUI)
    t.imprimerencouleur = noir;
  const int n = demanderdernièrepériode();
  rassemblertotauxjusquà(n);
  const int E = é.nbexamenscréés[é.classecourante];
  const MaximaTotaux m = maximatotaux(n);
  const auto entête = [&i, &t, n, E, m] {
    imprimerentête(i, t.périodeàimprimer);
    entêtetotaux(i, n, E, m);
  };
  entête();
  i.EnTête(entête);
  for (int s = 1; s <= é.nbélèves; ++s) élèvetotaux(i, s, n, E, m, t.imprimerencouleur);
  i.NewPage();
}

void imprimercompétences(Imprimante& i, const TravailImpression& t) {
  const ÉtatPartagé& é = état();
  const int K = é.nbcompétences();
  const auto entête = [&i, &t, K] {
    imprimerentête(i, t.périodeàimprimer);
    i.FontSize(10);
    QList<Élément> l{Tab(20), "NOMS"};
    for (int c = 1; c <= K; ++c) l << Tab(43 + 6 * (c - 1)) << QStringLiteral(" C%1(%)").arg(c);
    l << Tab(43 + 6 * K) << " =>  MOY.";
    i.Print(l);
    i.Print({QString(93, u'=')});
    i.Print();
  };
  entête();
  i.EnTête(entête);
  for (int s = 1; s <= é.nbélèves; ++s) {
    i.Print({Tab(6), format(s, u"00") + QStringLiteral(") ") + nompointé(é.nomélève[s], 28, 28) + QStringLiteral(" => ")},
            Suite::PointVirgule);
    for (int c = 1; c <= K; ++c) {
      i.Print({Tab(43 + 6 * (c - 1))}, Suite::PointVirgule);
      const int p = é.pourcentcompétence(s, c);
      couleurpoints(i, p == -1 ? QStringLiteral("?") : str(p), 100);
    }
    i.Print({Tab(43 + 6 * K), " => "}, Suite::PointVirgule);
    couleurpoints(i, é.totalélève[s], é.maxcourant);
    i.ForeColor(noir);
    i.Print({" "});
    if (é.nbélèves < 27) i.Print();
  }
  for (int c = 1; c <= K; ++c) i.Print({Tab(6), QStringLiteral("C%1 = ").arg(c) + é.listecompétences[c]});
  i.Print({Tab(71), QStringLiteral("(Imprimé le ") + dateimpression() + u')', Tab(31)});
  i.NewPage();
}
