#include "noyau/sorties/exports.h"

#include <QFileInfo>
#include <cmath>

#include "noyau/base/etat.h"
#include "noyau/base/module.h"
#include "noyau/fichiers/notesclasse.h"
#include "plateforme/fichiers.h"
#include "plateforme/nombres.h"
#include "plateforme/services.h"

namespace {

QString nomclasse() { return état().nomclasse[état().classecourante]; }

QString maximumcourant() { return QString::number(état().maxcourant); }

// Un tableur en français ne lit " 40.5" que comme un texte : dans un ".csv", le
// résultat prend la virgule comme les notes ; le ".doc" le garde tel quel.
QString résultatexporté(const QString& résultat, const QString& type) {
  return type == typecsv ? changerpointenvirgule(résultat) : résultat;
}

}  // namespace

QString changerpointenvirgule(const QString& texte) {
  QString t = texte;
  const qsizetype point = t.indexOf(u'.');
  if (point >= 0) t[point] = u',';
  return t;
}

QString champexport(const QString& texte) {
  if (!texte.contains(u';') && !texte.contains(u'"')) return texte;
  QString t = texte;
  return u'"' + t.replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
}

QString dossierexport() { return dossierexportation(); }

QString horodatage() {
  const QDateTime maintenant = horloge().maintenant();
  return maintenant.toString(QStringLiteral("MM-dd-yyyy hh-mm-ss"));
}

QString nomexportnoms() { return dossierexport() + QStringLiteral("/noms des élèves de ") + nomclasse() + QStringLiteral(".txt"); }

QString nomexportnotes(const QString& type) {
  return dossierexport() + QStringLiteral("/Notes") + nomclasse() + u' ' + état().périodecourante + u' ' + horodatage() + type;
}

QString nomexportmoyennes(const QString& type) {
  return dossierexport() + QStringLiteral("/Moyennes ") + nomclasse() + u' ' + état().périodecourante + u' ' +
         horodatage() + type;
}

QString nomexportcompétence(const QString& dossier, int compétence) {
  QString d = cheminréel(dossier);
  if (!d.endsWith(u'/')) d += u'/';
  return d + nomclasse() + QStringLiteral("- CP") + str(compétence) + typecsv;
}

QStringList lignesnoms() {
  const ÉtatPartagé& é = état();
  QStringList l;
  for (int s = 1; s <= é.nbélèves; ++s) l << é.nomélève[s];
  return l;
}

QStringList lignesnotes(const QString& type) {
  const ÉtatPartagé& é = état();
  const QString D = type == typedoc ? QStringLiteral("/") : QString();
  QString matières = QStringLiteral("Noms;"), maxima = QStringLiteral(";");
  for (int k = 1; k <= é.nbinterros; ++k) {
    matières += champexport(é.matièreinterro[k]) + u';';
    maxima += D + QString::number(é.maxinterro[k]) + u';';
  }
  QStringList l{matières + QStringLiteral("Moyennes"), maxima + D + maximumcourant()};
  for (int s = 1; s <= é.nbélèves; ++s) {
    QString ligne = champexport(é.nomélève[s]) + u';';
    for (int k = 1; k <= é.nbinterros; ++k) ligne += changerpointenvirgule(é.noteinterro(s, k)) + u';';
    l << ligne + résultatexporté(é.totalélève[s], type);
  }
  return l;
}

QStringList lignesmoyennes(const QString& type) {
  const ÉtatPartagé& é = état();
  const bool csv = type == typecsv;
  const QString S = csv ? QStringLiteral(";") : QStringLiteral("  => ");
  const QString sur = QStringLiteral("/") + str(é.maxcourant);
  QStringList l{QStringLiteral("Classe : ") + champexport(nomclasse()) + S + QStringLiteral("Période :") + é.périodecourante +
                S + QStringLiteral("Moyennes sur") + S + str(é.maxcourant)};
  for (int s = 1; s <= é.nbélèves; ++s)
    l << champexport(é.nomélève[s]) + S + résultatexporté(é.totalélève[s], type) + (csv ? S : QString()) + sur;
  return l;
}

QList<std::optional<int>> moyennescompétence(int compétence) {
  GardeClassePériode garde;
  ÉtatPartagé& é = état();
  const int élèves = é.nbélèves;
  QList<double> sommes(élèves + 1, 0);
  QList<int> nombres(élèves + 1, 0);
  const QString ouverte = é.périodecourante;
  for (int p = 1; p <= é.dernièrepériode[é.classecourante]; ++p) {
    fixerpériodecourante(u'P', p);
    chargerclasse();
    for (int s = 1; s <= std::min(élèves, é.nbélèves); ++s) {
      if (compétence > é.nbcompétences() || é.pourcentcompétence(s, compétence) == -1) continue;
      sommes[s] += é.pourcentcompétence(s, compétence);
      ++nombres[s];
    }
  }
  é.périodecourante = ouverte;
  chargerclasse();
  QList<std::optional<int>> moyennes;
  for (int s = 1; s <= élèves; ++s) {
    if (nombres[s] > 0)
      moyennes.append(static_cast<int>(std::floor(sommes[s] / nombres[s] + 0.5)));
    else
      moyennes.append(std::nullopt);
  }
  return moyennes;
}

QStringList lignescompétence(const QList<std::optional<int>>& moyennes) {
  const ÉtatPartagé& é = état();
  QStringList l{QStringLiteral("NOM;Pourcentage moyen de la compétence")};
  for (int s = 1; s <= std::min(é.nbélèves, static_cast<int>(moyennes.size())); ++s) {
    const std::optional<int>& m = moyennes[s - 1];
    l << champexport(é.nomélève[s]) + (m ? u';' + str(*m) : QStringLiteral("; ?"));
  }
  return l;
}

void écrireexport(const QString& chemin, const QStringList& lignes) {
  const QString dossier = QFileInfo(chemin).absolutePath();
  if (dossier == dossierexport()) créerdossier(dossier);
  écrirefichier(chemin, lignes);
}
