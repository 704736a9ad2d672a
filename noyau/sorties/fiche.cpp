#include "noyau/sorties/fiche.h"

#include "noyau/base/etat.h"
#include "noyau/base/module.h"
#include "noyau/fichiers/notesclasse.h"
#include "plateforme/couleurs.h"
#include "plateforme/nombres.h"

namespace {

QString texte(double v) { return sansblancs(str(v)); }

// Une ligne de titre : le libellé seul.
LigneFiche titre(const QString& libellé) { return {QString(), libellé, QString(), QString(), QString(), QString()}; }

// "100% -> Aucune" (ou la ligne par défaut "100% => aucune") : pas de compétence à montrer.
bool sanscompétence(const QString& ligne) {
  return nomcompétence(ligne).trimmed().compare(QStringLiteral("aucune"), Qt::CaseInsensitive) == 0 ||
         ligne.mid(8).trimmed().compare(QStringLiteral("aucune"), Qt::CaseInsensitive) == 0;
}

struct Sommes {
  double notes = 0, maxima = 0;
};

// Les lignes d'une période ou d'un examen chargé ; sa moyenne nourrit les sommes.
void ajouterclé(QList<LigneFiche>& l, int s, bool examen, int numéro, int maximum, Sommes& sommes) {
  const ÉtatPartagé& é = état();
  l.append(titre((examen ? QStringLiteral("Examen ") : QStringLiteral("Période ")) + QString::number(numéro)));
  if (s > é.nbélèves) return;  // un fichier plus court que celui de la classe
  for (int k = 1; k <= é.nbinterros; ++k) {
    const int c = é.compétenceinterro[k];
    const QString compétence = c >= 1 && c <= é.nbcompétences() ? é.listecompétences[c] : QString();
    QString renseignements = é.matièreinterro[k];
    if (!examen && !sanscompétence(compétence)) renseignements += QStringLiteral(" (") + compétence + u')';
    l.append({QString::number(é.premièreinterro + k - 1), é.dateinterro[k], é.noteinterro(s, k),
              u'/' + QString::number(é.maxinterro[k]), texte(é.moyenneinterro[k]), renseignements});
  }
  for (int o = 1; o <= é.nbnotesorales[s]; ++o)
    l.append({u'O' + QString::number(o), QString(), texte(é.noteorale(s, o)), u'/' + QString::number(é.maxorale(s, o)),
              QString(), é.libelléorale(s, o)});
  if (é.nbcompétences() >= 1 && !sanscompétence(é.listecompétences[1]))
    for (int c = 1; c <= é.nbcompétences(); ++c)
      if (é.pourcentcompétence(s, c) != -1)
        l.append({QString(), u'C' + QString::number(c), QString::number(é.pourcentcompétence(s, c)), QStringLiteral("/100"),
                  QString(), é.listecompétences[c]});
  const QString total = sansblancs(é.totalélève[s]);
  l.append({QString(), QStringLiteral("Moyenne"), total, u'/' + QString::number(maximum),
            texte(é.moyenneinterro[é.nbinterros + 1]), QString()});
  if (total == u"?") return;
  sommes.notes += val(total);
  sommes.maxima += maximum;
}

LigneFiche lignetotal(const QString& libellé, const Sommes& s) {
  return {QString(), libellé, texte(s.notes), u'/' + texte(s.maxima), QString(),
          s.maxima == 0 ? QString() : QString::number(arrondipair(s.notes / s.maxima * 100)) + u'%'};
}

}  // namespace

QStringList clésdelaclasse() {
  const ÉtatPartagé& é = état();
  QStringList clés;
  for (int p = 1; p <= é.dernièrepériode[é.classecourante]; ++p) clés << QStringLiteral("P%1").arg(p);
  for (int e = 1; e <= é.nbexamenscréés[é.classecourante]; ++e) clés << QStringLiteral("E%1").arg(e);
  return clés;
}

QList<LigneFiche> lignesfiche(int s, const QStringList& montrées, DonnéesGraphiqueFiche* graphique) {
  CollecteGraphiqueFiche collecte;
  GardeClassePériode garde;
  ÉtatPartagé& é = état();
  const QString gardée = é.périodecourante;
  QList<LigneFiche> l;
  Sommes périodes, examens;
  for (const QString& clé : clésdelaclasse()) {
    if (!montrées.contains(clé)) continue;
    const bool examen = clé.startsWith(u'E');
    const int numéro = clé.mid(1).toInt();
    é.périodecourante = clé;
    chargerclasse();
    const int maximum = examen ? (numéro <= é.maxexamen.borne() ? é.maxexamen[numéro] : 0) : é.maxpériode;
    ajouterclé(l, s, examen, numéro, maximum, examen ? examens : périodes);
    if (graphique) collecte.ajouterclé(clé, s, maximum);
  }
  if (graphique) *graphique = collecte.données();
  é.périodecourante = gardée;
  l.append(titre(QStringLiteral("TOTAUX")));
  l.append(lignetotal(QStringLiteral("périodes"), périodes));
  if (é.nbexamenscréés[é.classecourante] > 0) l.append(lignetotal(QStringLiteral("examens"), examens));
  l.append(lignetotal(QStringLiteral("total"), {périodes.notes + examens.notes, périodes.maxima + examens.maxima}));
  return l;
}

int fondfiche(const QString& libellé) {
  return libellé.startsWith(u'E') || libellé.startsWith(u'P') || libellé.startsWith(u'T') ? jaune : blanc;
}

bool grasfiche(const QString& libellé) {
  return !libellé.isEmpty() && QStringLiteral("CMept").contains(libellé[0]);
}

int couleurfiche(const QString& note, const QString& sur) {
  if (sur.isEmpty()) return noir;
  if (note == u"A" || note == u"NC" || note == u"?") return bleu;
  return val(note) < val(QStringView(sur).mid(1)) / 2 ? rouge : noir;
}
