#include "noyau/fusion/modele.h"

#include <QDir>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>

#include "noyau/base/dossiers.h"
#include "noyau/base/etat.h"
#include "noyau/base/module.h"
#include "noyau/fichiers/listeclasses.h"
#include "noyau/fichiers/notesclasse.h"
#include "noyau/regles/resultats.h"
#include "plateforme/erreurs.h"

namespace {

// La classe-période à lire ou à écrire passe par l'état partagé, comme au
// chargement ; l'état d'avant revient ensuite, quoi qu'il arrive.
class ÉtatPrêté {
public:
  ÉtatPrêté() : avant_(état()) {}
  ~ÉtatPrêté() { état() = std::move(avant_); }
  ÉtatPrêté(const ÉtatPrêté&) = delete;
  ÉtatPrêté& operator=(const ÉtatPrêté&) = delete;

private:
  ÉtatPartagé avant_;
};

void chargermaxima(const QString& clé, const QStringList& maxima, const QString& période) {
  analysermaxima(maxima, chemindisquedur(nommaxima(clé)));
  fixerpériodecourante(période.at(0), période.mid(1).toInt());
}

PériodeModèle depuisétat() {
  const ÉtatPartagé& é = état();
  PériodeModèle p;
  p.premièreinterro = é.premièreinterro;
  p.nborales = é.nborales;
  for (int j = 1; j <= é.nbcompétences(); ++j) p.compétences.append(é.listecompétences[j]);
  for (int k = 1; k <= é.nbinterros; ++k)
    p.interros.append({é.maxinterro[k], é.dateinterro[k], é.matièreinterro[k], é.compétenceinterro[k]});
  p.élèves.reserve(é.nbélèves);
  for (int i = 1; i <= é.nbélèves; ++i) {
    ÉlèveModèle e{é.nomélève[i], {}, {}, é.préparationsnonfaites[i]};
    for (int k = 1; k <= é.nbinterros; ++k) e.notes.append(é.noteinterro(i, k));
    for (int o = 1; o <= é.nbnotesorales[i]; ++o)
      e.orales.append({é.maxorale(i, o), é.noteorale(i, o), é.libelléorale(i, o), é.compétenceorale(i, o)});
    p.élèves.append(e);
  }
  return p;
}

void versétat(const PériodeModèle& p) {
  ÉtatPartagé& é = état();
  const int n = static_cast<int>(p.élèves.size());
  const int t = static_cast<int>(p.interros.size());
  é.nbélèves = n;
  é.nbinterros = t;
  é.premièreinterro = p.premièreinterro;
  é.nborales = p.nborales;
  if (!p.compétences.isEmpty()) {
    é.listecompétences.redim(static_cast<int>(p.compétences.size()));
    for (int j = 1; j <= é.nbcompétences(); ++j) é.listecompétences[j] = p.compétences[j - 1];
  }
  é.maxinterro.redim(t + 1);
  é.dateinterro.redim(t + 1);
  é.matièreinterro.redim(t + 1);
  é.compétenceinterro.redim(t);
  for (int k = 1; k <= t; ++k) {
    const InterroModèle& i = p.interros[k - 1];
    é.maxinterro[k] = i.maximum;
    é.dateinterro[k] = i.date;
    é.matièreinterro[k] = i.matière;
    é.compétenceinterro[k] = i.compétence;
  }
  é.nomélève.redim(n + 1);
  é.ligneélève.redim(n + 1);
  é.totalélève.redim(n + 1);
  é.préparationsnonfaites.redim(n + 1);
  é.noteinterro.redim(n + 1, t + 1);
  é.nbnotesorales.redim(n + 1);
  é.maxorale.redim(n + 1, é.nborales + 1);
  é.noteorale.redim(n + 1, é.nborales + 1);
  é.libelléorale.redim(n + 1, é.nborales + 1);
  é.compétenceorale.redim(n + 1, é.nborales + 1);
  é.pourcentcompétence.redim(n + 1, é.nbcompétences());
  for (int i = 1; i <= n; ++i) {
    const ÉlèveModèle& e = p.élèves[i - 1];
    é.nomélève[i] = e.nom;
    é.totalélève[i] = QStringLiteral("?");
    é.préparationsnonfaites[i] = e.préparations;
    for (int k = 1; k <= t; ++k) é.noteinterro(i, k) = e.notes.value(k - 1);
    é.nbnotesorales[i] = static_cast<int>(e.orales.size());
    for (int o = 1; o <= é.nbnotesorales[i]; ++o) {
      const OraleModèle& m = e.orales[o - 1];
      é.maxorale(i, o) = m.maximum;
      é.noteorale(i, o) = m.note;
      é.libelléorale(i, o) = m.libellé;
      é.compétenceorale(i, o) = m.compétence;
    }
    reconstruireligne(i);
  }
}

}  // namespace

const ÉlèveModèle* PériodeModèle::élève(const QString& nom) const {
  const auto trouvé = std::find_if(élèves.begin(), élèves.end(), [&](const ÉlèveModèle& e) { return e.nom == nom; });
  return trouvé == élèves.end() ? nullptr : &*trouvé;
}

QStringList clésdespériodes(const QString& clé, const QStringList& noms) {
  QStringList clés;
  for (QChar lettre : {u'P', u'E'})
    for (int n = 1; n <= 99; ++n) {
      const QString p = lettre + QString::number(n);
      if (noms.contains(nomnotes(clé, p))) clés.append(p);
    }
  return clés;
}

QMap<QString, PériodeModèle> lirepériodes(const QString& clé, const FichiersClasse& fichiers, const QStringList& maxima) {
  QMap<QString, PériodeModèle> périodes;
  const ÉtatPrêté prêt;
  for (const QString& p : clésdespériodes(clé, fichiers.keys())) {
    chargermaxima(clé, maxima, p);
    const QString notes = nomnotes(clé, p);
    chargerclassedepuis(fichiers.value(notes), fichiers.value(nominterros(clé, p)), chemindisquedur(notes));
    périodes.insert(p, depuisétat());
  }
  return périodes;
}

LignesPériode écrirepériode(const QString& clé, const QString& période, const PériodeModèle& p, const QStringList& maxima) {
  const ÉtatPrêté prêt;
  chargermaxima(clé, maxima, période);
  ÉtatPartagé& é = état();
  if (période.startsWith(u'P'))
    é.maxcourant = é.maxpériode;
  else
    é.maxcourant = é.maxexamen.borne() >= période.mid(1).toInt() ? é.maxexamen[période.mid(1).toInt()] : 0;
  versétat(p);
  découperetstatistiquesde(chemindisquedur(nomnotes(clé, période)));
  for (int i = 1; i <= é.nbélèves; ++i) calculerrésultats(i);
  return {lignesclasse(), lignesinterros()};
}

namespace {

QStringList nomsdescompétences(const QStringList& compétences) {
  QStringList noms;
  for (const QString& c : compétences) noms.append(c.section(QStringLiteral(" -> "), 1));
  return noms;
}

}  // namespace

void vérifiercopie(const QString& clé, const QMap<QString, PériodeModèle>& périodes, const QString& dossier) {
  static const QRegularExpression compétence(QStringLiteral("^\\d{3}% -> "));
  const auto référence = std::find_if(périodes.keyValueBegin(), périodes.keyValueEnd(), [](const auto& p) { return p.first.startsWith(u'P'); });
  if (référence == périodes.keyValueEnd()) return;
  const PériodeModèle& r = référence->second;
  const auto noms = [](const PériodeModèle& p) {
    QStringList n;
    for (const ÉlèveModèle& e : p.élèves) n.append(e.nom);
    return n;
  };
  const QStringList élèves = noms(r);
  for (auto p = périodes.begin(); p != périodes.end(); ++p) {
    const auto refuser = [&](const QString& quoi) {
      const QString fichier = QDir::toNativeSeparators(dossier + u'/' + QString(nomnotes(clé, p.key())).section(u'\\', -1));
      throw ErreurDonnée(QStringLiteral("La copie de « %1 » est abîmée : %2.").arg(fichier, quoi));
    };
    for (const QString& c : p->compétences)
      if (!compétence.match(c).hasMatch()) refuser(QStringLiteral("« %1 » n'est pas une compétence").arg(c.left(40)));
    // Les poids peuvent différer d'un examen aux périodes, pas les compétences elles-mêmes.
    if (nomsdescompétences(p->compétences) != nomsdescompétences(r.compétences))
      refuser(QStringLiteral("ses compétences ne sont pas celles de la période %1").arg(référence->first.mid(1)));
    const QStringList ici = noms(*p);
    if (QSet<QString>(ici.begin(), ici.end()).size() != ici.size()) refuser(QStringLiteral("un élève y est deux fois"));
    if (ici != élèves) refuser(QStringLiteral("ses élèves ne sont pas ceux de la période %1").arg(référence->first.mid(1)));
  }
}
