#include "noyau/regles/explication.h"

#include <QStringList>

#include "noyau/base/etat.h"
#include "noyau/base/module.h"
#include "noyau/regles/resultats.h"
#include "plateforme/nombres.h"

namespace {

// Un nombre à la française, sans blanc de tête : 67,5.
QString n(double v) { return sansblancs(str(v)).replace(u'.', u','); }
// Un pourcentage calculé, à deux décimales au plus : 66,67.
QString p(double v) { return formatvirgule(v, u"0.##"); }

QString clé() {
  const QString& p = état().périodecourante;
  return (p.startsWith(u'E') ? QStringLiteral("Examen n°") : QStringLiteral("Période n°")) + p.mid(1);
}

QString source(const NoteDuCalcul& x) {
  if (!x.orale) return QStringLiteral("test n°%1").arg(x.numéro);
  return QStringLiteral("note orale n°%1").arg(x.numéro) + (x.libellé.isEmpty() ? QString() : QStringLiteral(" (") + x.libellé + u')');
}

QString ligne(const NoteDuCalcul& x) {
  const QString note = x.note.isEmpty() ? QStringLiteral("(vide)") : QString(x.note).replace(u'.', u',');
  if (x.note == u"A") return QStringLiteral("  %1 : A (absent) : ne compte pas").arg(source(x));
  if (x.note == u"NC") return QStringLiteral("  %1 : NC (non compté) : ne compte pas").arg(source(x));
  const QString suite = x.note == u"AI" ? QStringLiteral(" (absence injustifiée : compte 0)") : QString();
  return QStringLiteral("  %1 : %2 / %3%4").arg(source(x), note).arg(x.maximum).arg(suite);
}

QStringList lignescompétence(const DétailCompétence& d) {
  const ÉtatPartagé& é = état();
  QStringList l{QStringLiteral("C%1 %2 (poids %3 %)").arg(d.numéro).arg(nomcompétence(é.listecompétences[d.numéro])).arg(d.poids)};
  if (d.notes.isEmpty()) l << QStringLiteral("  aucune note dans cette compétence");
  for (const NoteDuCalcul& x : d.notes) l << ligne(x);
  if (d.possibles != 0)
    l << QStringLiteral("  %1 point(s) sur %2, soit %3 % (arrondi : %4 %)")
             .arg(n(d.obtenus))
             .arg(d.possibles)
             .arg(p(d.obtenus * 100 / d.possibles))
             .arg(d.pourcent);
  else if (d.notée)
    l << QStringLiteral("  des notes sur un maximum de 0 : %1 %").arg(d.pourcent);
  else
    l << QStringLiteral("  aucune note comptée : pas de pourcentage (« ? »), son poids ne compte pas");
  return l;
}

QList<int> pourcents(const DétailRésultat& r) {
  QList<int> p;
  for (const DétailCompétence& d : r.compétences) p << d.pourcent;
  return p;
}

QStringList combinaison(const DétailRésultat& r) {
  const ÉtatPartagé& é = état();
  QStringList l;
  if (r.totalpossible == 0) {
    l << QStringLiteral("Aucune note comptée dans cette période : pas de résultat (« ? »).");
    return l;
  }
  if (r.poidsutilisé == 0) {
    l << QStringLiteral("Les compétences notées pèsent toutes 0 % : pas de résultat (« ? »).");
    return l;
  }
  QStringList termes;
  for (const DétailCompétence& d : r.compétences)
    if (d.possibles != 0) termes << QStringLiteral("%1 % × %2 %").arg(d.poids).arg(p(d.obtenus * 100 / d.possibles));
  if (r.poidsutilisé == 100) {
    l << QStringLiteral("Pourcentage pondéré : (%1) / 100 = %2 %").arg(termes.join(QStringLiteral(" + ")), p(r.pourcentage));
  } else {
    l << QStringLiteral("Les compétences notées pèsent %1 % en tout (pas 100) : le pourcentage est ramené sur ces %1 %.")
             .arg(r.poidsutilisé);
    l << QStringLiteral("Pourcentage pondéré : (%1) / %2 = %3 %")
             .arg(termes.join(QStringLiteral(" + ")))
             .arg(r.poidsutilisé)
             .arg(p(r.pourcentage));
  }
  l << QStringLiteral("%1 % de %2 = %3, arrondi %4 : %5")
           .arg(p(r.pourcentage))
           .arg(é.maxcourant)
           .arg(p(é.maxcourant * r.pourcentage / 100))
           .arg(é.arrondidemi ? QStringLiteral("au demi-point") : QStringLiteral("au point entier"))
           .arg(n(r.points));
  return l;
}

QString entête(int i) {
  const ÉtatPartagé& é = état();
  return QStringLiteral("%1 — %2, maximum %3").arg(é.nomélève[i], clé()).arg(é.maxcourant);
}

}  // namespace

Explication expliquerrésultat(int i) {
  const DétailRésultat r = détaillerrésultat(i);
  QStringList l{entête(i), QString()};
  for (const DétailCompétence& d : r.compétences) l << lignescompétence(d);
  l << QString() << combinaison(r);
  const ÉtatPartagé& é = état();
  const QString calculé = sansblancs(r.total).replace(u'.', u',');
  const QString enregistré = i <= é.totalélève.borne() ? sansblancs(é.totalélève[i]) : sansblancs(r.total);
  if (enregistré == QStringLiteral("?") && sansblancs(r.total) != enregistré) {
    // Seule la suppression par l'enseignant garde « ? » devant un résultat calculable.
    l << QStringLiteral("Résultat supprimé par l'enseignant : la case montre « ? ». Il réapparaîtra à la prochaine "
                        "modification d'une note de l'élève ou d'un test de la période.")
      << QStringLiteral("Le calcul donnerait : %1 / %2").arg(calculé).arg(é.maxcourant);
    return {l.join(u'\n'), r.total, pourcents(r)};
  }
  if (enregistré != sansblancs(r.total))
    l << QStringLiteral("Attention : le fichier garde le résultat %1, calculé avant un changement fait ailleurs ; "
                        "il sera recalculé à la prochaine modification de l'élève.")
             .arg(QString(enregistré).replace(u'.', u','));
  l << QStringLiteral("Résultat : %1 / %2").arg(calculé).arg(é.maxcourant);
  return {l.join(u'\n'), r.total, pourcents(r)};
}

Explication expliquercompétence(int i, int c) {
  const DétailRésultat r = détaillerrésultat(i);
  QStringList l{entête(i), QString()};
  if (c >= 1 && c <= static_cast<int>(r.compétences.size())) {
    const DétailCompétence& d = r.compétences[static_cast<std::size_t>(c - 1)];
    l << lignescompétence(d);
    l << QString() << (d.pourcent == -1 ? QStringLiteral("Pourcentage : ?") : QStringLiteral("Pourcentage : %1 %").arg(d.pourcent));
  }
  return {l.join(u'\n'), r.total, pourcents(r)};
}
