

#include "noyau/base/dossiers.h"
#include "noyau/base/etat.h"
#include "noyau/base/module.h"
#include "noyau/fichiers/listeclasses.h"
#include "noyau/fichiers/notesclasse.h"
#include "noyau/regles/reglagesclasse.h"
#include "noyau/regles/resultats.h"
#include "noyau/suivi/ecriture.h"
#include <algorithm>

namespace {

// Charge la clé, pose le maximum, recalcule chaque élève et garde le fichier.
FichierPréparé recalculer(QChar lettre, int numéro, int maximum) {
  ÉtatPartagé& é = état();
  fixerpériodecourante(lettre, numéro);
  chargerclasse();
  if (lettre == u'P') é.maxpériode = maximum;
  é.maxcourant = maximum;
  for (int i = 1; i <= é.nbélèves; ++i) calculerrésultats(i);
  return {nomclasseouverte(u'N'), lignesclasse()};
}

void recalculertous() {
  ÉtatPartagé& é = état();
  é.pourcentcompétence.redim(é.nbélèves + 1, é.nbcompétences());
  for (int i = 1; i <= é.nbélèves; ++i) calculerrésultats(i);
}

}  // namespace

QList<FichierPréparé> préparermaxima(const MaximaClasse& nouveaux) {
  GardeClassePériode garde;
  ÉtatPartagé& é = état();
  const int c = é.classecourante;
  struct RemettreClé {
    QString clé;
    ~RemettreClé() { état().périodecourante = clé; }
  } remettre{é.périodecourante};
  liremaxima();
  const int anciennepériode = é.maxpériode;
  const Tableau<int> anciensexamens = é.maxexamen;
  QList<FichierPréparé> fichiers;
  const int avecligne = std::min<int>(é.nbexamenscréés[c], static_cast<int>(nouveaux.examens.size()));
  for (int e = 1; e <= avecligne; ++e) {
    const int m = nouveaux.examens[e - 1];
    if (e <= anciensexamens.borne() && m != anciensexamens[e]) fichiers.append(recalculer(u'E', e, m));
  }
  if (nouveaux.maxpériode != anciennepériode)
    for (int p = 1; p <= é.dernièrepériode[c]; ++p) fichiers.append(recalculer(u'P', p, nouveaux.maxpériode));
  é.maxpériode = nouveaux.maxpériode;
  é.nbexamens = static_cast<int>(nouveaux.examens.size());
  é.maxexamen.redim(é.nbexamens);
  for (int e = 1; e <= é.nbexamens; ++e) é.maxexamen[e] = nouveaux.examens[e - 1];
  fichiers.append({nommaxima(é.dossierclasse[c]), lignesmaxima()});
  return fichiers;
}

bool compétenceutilisée(int c) {
  const ÉtatPartagé& é = état();
  if (c > é.nbcompétences()) return false;
  for (int k = 1; k <= é.nbinterros; ++k)
    if (é.compétenceinterro[k] == c) return true;
  for (int i = 1; i <= é.nbélèves; ++i)
    for (int o = 1; o <= é.nbnotesorales[i]; ++o)
      if (é.compétenceorale(i, o) == c) return true;
  return false;
}

QStringList compétencespondérées(const QStringList& lignes) {
  QStringList gardées;
  for (const QString& l : lignes)
    if (!l.startsWith(QStringLiteral("000"))) gardées.append(l);
  return gardées;
}

QList<FichierPréparé> adoptercompétences(const QStringList& lignes, int nombreinitial) {
  ÉtatPartagé& é = état();
  // Nouveau numéro de chaque compétence de la classe (0 quand elle la quitte).
  QList<int> nouveaunuméro(nombreinitial + 1, 0);
  int rang = 0;
  for (int p = 1; p <= lignes.size(); ++p) {
    if (lignes[p - 1].startsWith(QStringLiteral("000"))) continue;
    ++rang;
    if (p <= nombreinitial) nouveaunuméro[p] = rang;
  }
  const auto renuméroter = [&](int ancien) {
    return ancien >= 1 && ancien <= nombreinitial ? nouveaunuméro[ancien] : ancien;
  };
  for (int k = 1; k <= é.nbinterros; ++k) é.compétenceinterro[k] = renuméroter(é.compétenceinterro[k]);
  for (int i = 1; i <= é.nbélèves; ++i) {
    bool changée = false;
    for (int o = 1; o <= é.nbnotesorales[i]; ++o) {
      const int n = renuméroter(é.compétenceorale(i, o));
      changée = changée || n != é.compétenceorale(i, o);
      é.compétenceorale(i, o) = n;
    }
    if (changée) reconstruireligne(i);
  }
  const QStringList gardées = compétencespondérées(lignes);
  é.listecompétences.redim(static_cast<int>(gardées.size()));
  for (int j = 1; j <= gardées.size(); ++j) é.listecompétences[j] = gardées[j - 1];
  recalculertous();
  return {{nomclasseouverte(u'N'), lignesclasse()}, {nomclasseouverte(u'R'), lignesinterros()}};
}
