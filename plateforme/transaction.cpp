#include "plateforme/transaction.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <algorithm>
#include <cstdio>
#include <functional>

#include "plateforme/ecriturebrute.h"
#include "plateforme/erreurs.h"

namespace {

const QByteArray entête = "EVALO-TRANSACTION 1";
const QByteArray fin = "FIN";
int opérationsavantarrêt = -1;
std::function<void()> arrêt;

void opération() {
  if (opérationsavantarrêt < 0) return;
  if (opérationsavantarrêt-- != 0) return;
  if (arrêt) arrêt();
  throw ArrêtSimulé();
}

struct Entrée {
  bool supprimer = false;
  QString chemin;  // chemin réel du fichier final
};

QString guillemets(const QString& chemin) { return QStringLiteral("« %1 »").arg(QDir::toNativeSeparators(chemin)); }

QString relatif(const QDir& racine, const QString& chemin) {
  const QString r = racine.relativeFilePath(QFileInfo(chemin).absoluteFilePath());
  if (r.startsWith(QStringLiteral("../")) || r == QStringLiteral("..") || QDir::isAbsolutePath(r))
    throw ErreurFichier(CauseErreur::Autre, chemin,
                        QStringLiteral("Le fichier %1 n'est pas dans le dossier des données.").arg(guillemets(chemin)));
  return r;
}

// Un nom relatif du journal qui reste dans son dossier ; vide sinon.
QString cheminsûr(const QDir& racine, const QString& nom) {
  if (nom.isEmpty() || QDir::isAbsolutePath(nom) || nom.contains(u'\\')) return QString();
  const QString propre = QDir::cleanPath(nom);
  if (propre == QStringLiteral("..") || propre.startsWith(QStringLiteral("../"))) return QString();
  return racine.filePath(propre);
}

QList<Entrée> lirejournal(const QString& journal, const QDir& racine) {
  QFile f(journal);
  if (!f.open(QIODevice::ReadOnly)) return {};
  const QList<QByteArray> lignes = f.readAll().split('\n');
  // Un journal est écrit par un renommage : il est complet ou absent. Un journal
  // sans sa fin n'est pas le nôtre ; on n'y touche pas.
  if (lignes.size() < 2 || lignes.first() != entête || !lignes.contains(fin)) return {};
  QList<Entrée> entrées;
  for (const QByteArray& ligne : lignes) {
    if (ligne == fin) break;
    if (ligne.size() < 3 || ligne[1] != '\t' || (ligne[0] != 'R' && ligne[0] != 'S')) continue;
    const QString chemin = cheminsûr(racine, QString::fromUtf8(ligne.mid(2)));
    if (!chemin.isEmpty()) entrées.append({ligne[0] == 'S', chemin});
  }
  return entrées;
}

// Fait les renommages et les suppressions qui manquent ; rend les fichiers changés.
QStringList appliquer(const QList<Entrée>& entrées) {
  QStringList faits;
  QSet<QString> dossiers;
  for (const Entrée& e : entrées) {
    const QString temporaire = e.chemin + suffixetemporaire;
    if (e.supprimer) {
      if (!QFileInfo::exists(e.chemin)) continue;
      opération();
      if (!supprimer(e.chemin)) throw erreurderenommage(e.chemin, dernieréchec());
    } else {
      if (!QFileInfo::exists(temporaire)) continue;  // déjà à sa place
      opération();
      if (!remplacerparrenommage(temporaire, e.chemin)) throw erreurderenommage(e.chemin, dernieréchec());
    }
    faits.append(e.chemin);
    dossiers.insert(QFileInfo(e.chemin).absolutePath());
  }
  for (const QString& d : dossiers) synchroniserdossier(d);
  return faits;
}

void supprimerjournal(const QString& journal) {
  opération();
  QFile::remove(journal);
  synchroniserdossier(QFileInfo(journal).absolutePath());
}

void jetertemporaires(const QString& dossier) {
  QDirIterator it(dossier, {QStringLiteral("*") + suffixetemporaire}, QDir::Files | QDir::Hidden,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) QFile::remove(it.next());
}

}  // namespace

void écrireensemble(const QList<FichierÀÉcrire>& fichiers, const QString& journal) {
  const QDir racine = QFileInfo(journal).absoluteDir();
  QByteArray texte = entête + '\n';
  QList<Entrée> entrées;
  QStringList écrits;
  try {
    for (const FichierÀÉcrire& f : fichiers) {
      texte += (f.supprimer ? "S\t" : "R\t") + relatif(racine, f.chemin).toUtf8() + '\n';
      entrées.append({f.supprimer, f.chemin});
      if (f.supprimer) continue;
      opération();
      écriretemporaire(f.chemin + suffixetemporaire, f.chemin, f.octets);
      écrits.append(f.chemin + suffixetemporaire);
    }
    opération();
    remplacerfichier(journal, texte + fin + '\n', true);
  } catch (const ErreurFichier& e) {
    for (const QString& t : écrits) QFile::remove(t);
    const auto nombre = std::count_if(fichiers.begin(), fichiers.end(), [](const FichierÀÉcrire& f) { return !f.annexe; });
    if (nombre < 2) throw;  // « Le fichier précédent est conservé » suffit
    throw ErreurFichier(e.cause(), e.chemin(),
                        e.texte() + QStringLiteral("\n\nAucun des %1 fichiers n'a été modifié.").arg(nombre));
  }
  try {
    appliquer(entrées);
  } catch (const ErreurFichier& e) {
    throw ErreurFichier(e.cause(), e.chemin(),
                        e.texte() + QStringLiteral("\n\nLe changement est noté dans %1 : il sera achevé au prochain "
                                                   "démarrage du programme.")
                                        .arg(guillemets(journal)));
  }
  supprimerjournal(journal);
}

QStringList achevertransaction(const QString& journal) {
  const QDir racine = QFileInfo(journal).absoluteDir();
  QStringList faits;
  if (QFileInfo::exists(journal)) {
    for (const QString& c : appliquer(lirejournal(journal, racine))) faits.append(racine.relativeFilePath(c));
    supprimerjournal(journal);
  }
  jetertemporaires(racine.path());
  return faits;
}

bool fichierdetransaction(const QString& nom) {
  return nom.endsWith(suffixetemporaire) || QFileInfo(nom).fileName() == QStringLiteral("transaction.evl");
}

void simulerarrêtaprès(int opérations, std::function<void()> commentarrêter) {
  opérationsavantarrêt = opérations;
  arrêt = std::move(commentarrêter);
}
