#include "noyau/sorties/graphiques.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

#include "noyau/base/etat.h"
#include "noyau/base/module.h"
#include "noyau/regles/statistiques.h"
#include "plateforme/nombres.h"

namespace {

constexpr int encre = rgb(40, 40, 40);
constexpr int gris = rgb(150, 150, 150);
constexpr int grisclair = rgb(215, 215, 215);

QString pourcent(double v) { return QStringLiteral("%1 %").arg(std::lround(v)); }

QString nombre(double v) { return sansblancs(str(std::round(v * 100) / 100)); }

// Légende : un carré plein pour l'élève, un carré hachuré pour la classe.
void légende(Figure& f, double x, double y) {
  f.rectangle(QRectF(x, y + 1, 8, 7), encre);
  f.texte(QRectF(x + 11, y, 40, 9), QStringLiteral("Élève"));
  f.rectangle(QRectF(x + 50, y + 1, 8, 7), blanc, true, encre);
  f.texte(QRectF(x + 61, y, 100, 9), QStringLiteral("Moyenne de la classe"));
}

// Barres verticales : l'élève et la classe, côte à côte, pour chaque clé.
void barresrésultats(Figure& f, const QList<RésultatGraphique>& résultats, const QRectF& zone) {
  f.texte(QRectF(zone.left(), 0, zone.width(), 12), QStringLiteral("Résultats en % du maximum"), alignementgauche, 8,
          true);
  légende(f, zone.left() + 130, 2);
  const QRectF axe = zone.adjusted(26, 18, 0, -14);
  const auto hauteurde = [&](double p) { return axe.height() * std::clamp(p, 0.0, 100.0) / 100; };
  for (int p = 0; p <= 100; p += 25) {
    const double y = axe.bottom() - hauteurde(p);
    f.ligne(QPointF(axe.left(), y), QPointF(axe.right(), y), p == 50 ? encre : grisclair, p == 50 ? 0.8 : 0.4, p == 50);
    f.texte(QRectF(zone.left(), y - 5, 23, 10), pourcent(p), alignementdroite, 6.5);
  }
  f.ligne(axe.bottomLeft(), axe.topLeft(), encre, 0.6);
  if (résultats.isEmpty()) return;
  const double groupe = axe.width() / résultats.size(), barre = std::min(18.0, groupe * 0.36);
  for (qsizetype i = 0; i < résultats.size(); ++i) {
    const RésultatGraphique& r = résultats[i];
    const double milieu = axe.left() + groupe * (i + 0.5);
    const auto colonne = [&](std::optional<double> v, double x, bool classe) {
      if (!v) {
        f.texte(QRectF(x, axe.bottom() - 11, barre, 10), QStringLiteral("?"), alignementcentre, 7);
        return;
      }
      const QRectF b(x, axe.bottom() - hauteurde(*v), barre, hauteurde(*v));
      if (classe)
        f.rectangle(b, blanc, true, encre);
      else
        f.rectangle(b, encre);
      f.texte(QRectF(x - 6, b.top() - 10, barre + 12, 9), pourcent(*v), alignementcentre, 6.5);
    };
    colonne(r.élève, milieu - barre - 1, false);
    colonne(r.classe, milieu + 1, true);
    f.texte(QRectF(milieu - groupe / 2, axe.bottom() + 2, groupe, 10), r.clé, alignementcentre, 7.5, true);
  }
}

// Barres horizontales : une par compétence, de 0 à 100 %.
void barrescompétences(Figure& f, const QList<CompétenceGraphique>& compétences, const QRectF& zone) {
  f.texte(QRectF(zone.left(), 0, zone.width(), 12), QStringLiteral("Compétences (moyenne des périodes)"),
          alignementgauche, 8, true);
  if (compétences.isEmpty()) return;
  const QRectF lignes = zone.adjusted(0, 18, 0, -2);
  const double pas = std::min(22.0, lignes.height() / compétences.size());
  const double nom = zone.width() * 0.42, largeur = zone.width() - nom - 30;
  for (qsizetype i = 0; i < compétences.size(); ++i) {
    const CompétenceGraphique& c = compétences[i];
    const double y = lignes.top() + pas * i;
    f.texte(QRectF(zone.left(), y, nom - 4, pas - 4), c.nom, alignementgauche, 7);
    f.rectangle(QRectF(zone.left() + nom, y + 2, largeur, pas - 8), blanc, false, grisclair);
    f.rectangle(QRectF(zone.left() + nom, y + 2, largeur * std::clamp(c.pourcentage, 0.0, 100.0) / 100, pas - 8),
                c.pourcentage < 50 ? gris : encre);
    f.texte(QRectF(zone.left() + nom + largeur + 2, y, 28, pas - 4), pourcent(c.pourcentage), alignementgauche, 7);
  }
  // La moitié, repère de l'échec.
  f.ligne(QPointF(zone.left() + nom + largeur / 2, lignes.top()),
          QPointF(zone.left() + nom + largeur / 2, lignes.top() + pas * compétences.size() - 4), encre, 0.6, true);
}

}  // namespace

void CollecteGraphiqueFiche::ajouterclé(const QString& clé, int s, int maximum) {
  const ÉtatPartagé& é = état();
  RésultatGraphique r{clé, std::nullopt, std::nullopt};
  if (maximum > 0 && s <= é.nbélèves && sansblancs(é.totalélève[s]) != QStringLiteral("?"))
    r.élève = val(é.totalélève[s]) / maximum * 100;
  const double moyenne = é.moyenneinterro[é.nbinterros + 1];
  if (maximum > 0 && moyenne >= 0) r.classe = moyenne / maximum * 100;
  d_.résultats.append(r);
  if (s > é.nbélèves) return;
  for (int c = 1; c <= é.nbcompétences(); ++c) {
    const int p = é.pourcentcompétence(s, c);
    if (p == -1) continue;
    const QString nom = nomcompétence(é.listecompétences[c]).trimmed();
    const auto même = std::find_if(d_.compétences.begin(), d_.compétences.end(),
                                   [&](const CompétenceGraphique& g) { return g.nom == nom; });
    const qsizetype i = même - d_.compétences.begin();
    if (même == d_.compétences.end()) {
      d_.compétences.append({nom, 0});
      sommes_.append({0, 0});
    }
    sommes_[i].first += p;
    ++sommes_[i].second;
  }
}

DonnéesGraphiqueFiche CollecteGraphiqueFiche::données() const {
  DonnéesGraphiqueFiche d = d_;
  for (qsizetype i = 0; i < d.compétences.size(); ++i) d.compétences[i].pourcentage = sommes_[i].first / sommes_[i].second;
  return d;
}

namespace {

QString pourcent(std::optional<double> v) {
  return v ? QStringLiteral("%1 %").arg(qRound(*v)) : QStringLiteral("pas de résultat");
}

QString nomdelaclé(const QString& clé) {
  return (clé.startsWith(u'E') ? QStringLiteral("Examen ") : QStringLiteral("Période ")) + clé.mid(1);
}

QString àlafrançaise(double v) { return nombre(v).replace(u'.', u','); }

}  // namespace

QString décrirefiche(const DonnéesGraphiqueFiche& d) {
  QStringList résultats, compétences;
  for (const RésultatGraphique& r : d.résultats)
    résultats.append(QStringLiteral("%1 : %2, classe %3").arg(nomdelaclé(r.clé), pourcent(r.élève), pourcent(r.classe)));
  for (const CompétenceGraphique& c : d.compétences) compétences.append(QStringLiteral("%1 %2").arg(c.nom, pourcent(c.pourcentage)));
  QString texte = QStringLiteral("Résultats de l'élève à côté de ceux de la classe : ") +
                  (résultats.isEmpty() ? QStringLiteral("aucun") : résultats.join(QStringLiteral(" ; "))) + u'.';
  if (!compétences.isEmpty()) texte += QStringLiteral(" Compétences : ") + compétences.join(QStringLiteral(", ")) + u'.';
  return texte;
}

QString décrirehistogramme(const RépartitionGraphique& r) {
  QStringList tranches;
  for (int d = 0; d < 10; ++d)
    tranches.append(QStringLiteral("de %1 à %2 : %3")
                        .arg(àlafrançaise(r.maximum * d / 10), àlafrançaise(r.maximum * (d + 1) / 10))
                        .arg(r.nombres[static_cast<std::size_t>(d)]));
  QString texte = QStringLiteral("Répartition sur %1 : %2.").arg(àlafrançaise(r.maximum), tranches.join(QStringLiteral(" ; ")));
  if (r.moyenne) texte += QStringLiteral(" Moyenne : %1.").arg(àlafrançaise(moyenneaudixième(*r.moyenne)));
  if (r.médiane) texte += QStringLiteral(" Médiane : %1.").arg(àlafrançaise(*r.médiane));
  return texte;
}

Figure figurefiche(const DonnéesGraphiqueFiche& d, double largeur) {
  Figure f;
  f.largeur = largeur;
  f.hauteur = 170;
  const double gauche = largeur * 0.58;
  barresrésultats(f, d.résultats, QRectF(0, 0, gauche - 12, f.hauteur));
  barrescompétences(f, d.compétences, QRectF(gauche + 6, 0, largeur - gauche - 6, f.hauteur));
  f.description = décrirefiche(d);
  return f;
}

Figure figurehistogramme(const RépartitionGraphique& r, double largeur, double hauteur) {
  Figure f;
  f.largeur = largeur;
  f.hauteur = hauteur;
  // En haut, la place des noms de la moyenne et de la médiane, au-dessus des barres.
  const QRectF axe(4, 30, largeur - 8, hauteur - 44);
  const int plus = std::max(1, *std::max_element(r.nombres.begin(), r.nombres.end()));
  const double pas = axe.width() / 10;
  for (int d = 0; d < 10; ++d) {
    const int n = r.nombres[static_cast<std::size_t>(d)];
    const double h = axe.height() * n / plus;
    const QRectF b(axe.left() + d * pas + 1, axe.bottom() - h, pas - 2, h);
    if (n > 0) {
      // Les échecs hachurés (et rouges à l'écran), les réussites pleines.
      if (d < 5)
        f.rectangle(b, rgb(255, 225, 225), true, rgb(200, 40, 40));
      else
        f.rectangle(b, rgb(70, 110, 200));
      f.texte(QRectF(b.left(), b.top() - 10, b.width(), 9), QString::number(n), alignementcentre, 6.5);
    }
  }
  f.ligne(axe.bottomLeft(), axe.bottomRight(), encre, 0.6);
  // Les dixièmes du maximum sous l'axe.
  for (int d = 0; d <= 10; ++d) {
    const double x = axe.left() + d * pas;
    f.ligne(QPointF(x, axe.bottom()), QPointF(x, axe.bottom() + 2), encre, 0.5);
    if (d % 2 == 0 || pas > 22)
      f.texte(QRectF(x - 12, axe.bottom() + 2, 24, 9), nombre(r.maximum * d / 10), alignementcentre, 6);
  }
  const auto repère = [&](std::optional<double> v, const QString& nom, bool pointillé, double y) {
    if (!v || r.maximum <= 0) return;
    const double x = axe.left() + axe.width() * std::clamp(*v / r.maximum, 0.0, 1.0);
    f.ligne(QPointF(x, axe.top() - 2), QPointF(x, axe.bottom()), encre, 1.0, pointillé);
    const bool àdroite = x < axe.left() + axe.width() * 0.7;
    QString valeur = nombre(*v);
    if (r.virgule) valeur.replace(u'.', u',');
    f.texte(QRectF(àdroite ? x + 2 : x - 62, y, 60, 9), nom + u' ' + valeur, àdroite ? alignementgauche : alignementdroite,
            6.5, true);
  };
  // La moyenne est celle que montre la grille : au dixième, arrondie comme elle.
  repère(r.moyenne ? std::optional(moyenneaudixième(*r.moyenne)) : std::nullopt, QStringLiteral("moy."), false, 0);
  repère(r.médiane, QStringLiteral("méd."), true, 9);
  f.description = décrirehistogramme(r);
  return f;
}

RépartitionGraphique répartitiondesrésultats() {
  const ÉtatPartagé& é = état();
  QStringList résultats;
  for (int s = 1; s <= é.nbélèves; ++s) résultats.append(sansblancs(é.totalélève[s]));
  const StatistiquesTest st = statistiquestest(résultats, é.maxcourant);
  RépartitionGraphique r;
  r.nombres = st.répartition;
  r.maximum = é.maxcourant;
  if (st.comptées > 0) {
    r.moyenne = st.moyenne;
    r.médiane = st.médiane;
  }
  return r;
}
