#include "plateforme/fichiers.h"

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include "plateforme/ecriturebrute.h"
#include "plateforme/encodage.h"
#include "plateforme/systeme.h"
#include "plateforme/transaction.h"

namespace {

qint64 panneaprès = -1;

QString guillemets(const QString& chemin) { return QStringLiteral("« %1 »").arg(QDir::toNativeSeparators(chemin)); }

ErreurFichier erreuroccupé(const QString& chemin) {
  return ErreurFichier(CauseErreur::FichierOccupé, chemin,
                       QStringLiteral("Le fichier %1 est ouvert dans un autre programme (tableur, antivirus, "
                                      "synchronisation) : fermez-le, puis réessayez. Le fichier précédent est conservé.")
                           .arg(guillemets(chemin)));
}

ErreurFichier erreurdossier(const QString& dossier) {
  return ErreurFichier(CauseErreur::DossierManquant, dossier,
                       QStringLiteral("Le dossier %1 est introuvable (disque amovible débranché ?).")
                           .arg(guillemets(dossier)));
}

ErreurFichier erreurouverture(const QString& chemin, const QFileDevice& f, bool écriture, const ÉchecSystème& é) {
  const QFileInfo info(chemin);
  if (!info.absoluteDir().exists()) return erreurdossier(info.absolutePath());
  if (!écriture && !info.exists())
    return ErreurFichier(CauseErreur::FichierManquant, chemin,
                         QStringLiteral("Le fichier %1 est introuvable.").arg(guillemets(chemin)));
  if (info.isDir())
    return ErreurFichier(CauseErreur::Autre, chemin,
                         QStringLiteral("%1 est un dossier et non un fichier.").arg(guillemets(chemin)));
  if (é.genre == GenreÉchec::Occupé) return erreuroccupé(chemin);
  if (f.error() == QFileDevice::PermissionsError || é.genre == GenreÉchec::Refusé)
    return ErreurFichier(CauseErreur::PermissionRefusée, chemin,
                         QStringLiteral("Permission refusée : impossible %1 %2.")
                             .arg(écriture ? QStringLiteral("d'écrire") : QStringLiteral("de lire"),
                                  guillemets(chemin)));
  return ErreurFichier(CauseErreur::Autre, chemin,
                       QStringLiteral("Impossible %1 %2 (%3).")
                           .arg(écriture ? QStringLiteral("d'écrire") : QStringLiteral("de lire"),
                                guillemets(chemin), f.errorString()));
}

ErreurFichier erreurécriture(const QString& chemin, const ÉchecSystème& é, const QString& détail) {
  if (é.genre == GenreÉchec::Occupé) return erreuroccupé(chemin);
  if (é.genre == GenreÉchec::DisquePlein)
    return ErreurFichier(CauseErreur::DisquePlein, chemin,
                         QStringLiteral("Le disque est plein : impossible d'écrire %1. "
                                        "Le fichier précédent est conservé.")
                             .arg(guillemets(chemin)));
  if (é.genre == GenreÉchec::Refusé)
    return ErreurFichier(CauseErreur::PermissionRefusée, chemin,
                         QStringLiteral("Permission refusée : impossible d'écrire %1.").arg(guillemets(chemin)));
  return ErreurFichier(CauseErreur::Autre, chemin,
                       QStringLiteral("Impossible d'écrire %1 (%2). Le fichier précédent est conservé.")
                           .arg(guillemets(chemin), détail));
}

}  // namespace

QStringList découperlignes(QStringView texte) {
  QStringList lignes;
  qsizetype début = 0;
  const qsizetype n = texte.size();
  for (qsizetype i = 0; i < n; ++i) {
    const QChar c = texte[i];
    if (c != u'\r' && c != u'\n') continue;
    lignes.append(texte.mid(début, i - début).toString());
    if (c == u'\r' && i + 1 < n && texte[i + 1] == u'\n') ++i;
    début = i + 1;
  }
  if (début < n) lignes.append(texte.mid(début).toString());
  return lignes;
}

namespace {
void ajouteréléments(QStringView ligne, QStringList& éléments) {
  qsizetype i = 0;
  const qsizetype n = ligne.size();
  for (;;) {
    while (i < n && (ligne[i] == u' ' || ligne[i] == u'\t')) ++i;
    QString élément;
    if (i < n && ligne[i] == u'"') {
      const qsizetype fin = ligne.indexOf(u'"', i + 1);
      const qsizetype arrêt = fin < 0 ? n : fin;
      élément = ligne.mid(i + 1, arrêt - i - 1).toString();
      i = fin < 0 ? n : fin + 1;
      while (i < n && ligne[i] != u',') ++i;  // ce qui suit le guillemet fermant est ignoré
    } else {
      const qsizetype virgule = ligne.indexOf(u',', i);
      const qsizetype arrêt = virgule < 0 ? n : virgule;
      qsizetype fin = arrêt;
      while (fin > i && (ligne[fin - 1] == u' ' || ligne[fin - 1] == u'\t')) --fin;
      élément = ligne.mid(i, fin - i).toString();
      i = arrêt;
    }
    éléments.append(élément);
    if (i >= n) return;
    ++i;  // la virgule
  }
}
}  // namespace

QStringList découperéléments(const QStringList& lignes) {
  QStringList éléments;
  for (const QString& ligne : lignes) ajouteréléments(ligne, éléments);
  return éléments;
}

QStringList lirelignes(QIODevice& appareil) {
  return découperlignes(décoderansi(appareil.readAll()));
}

QByteArray octetsdelignes(const QStringList& lignes) {
  qsizetype taille = 0;
  for (const QString& l : lignes) taille += l.size() + 2;
  QString texte;
  texte.reserve(taille);
  for (const QString& l : lignes) {
    texte += l;
    texte += QStringLiteral("\r\n");
  }
  return encoderansi(texte);
}

void écrirelignes(QIODevice& appareil, const QStringList& lignes) {
  const QByteArray octets = octetsdelignes(lignes);
  if (appareil.write(octets) != octets.size())
    throw ErreurFichier(CauseErreur::Autre, QString(),
                        QStringLiteral("Écriture interrompue (%1).").arg(appareil.errorString()));
}

bool nomdefichiersûr(const QString& nom) {
  static const QString interdits = QStringLiteral("/\\:*?\"<>|");
  const auto spécial = [](QChar c) { return interdits.contains(c) || c.category() == QChar::Other_Control; };
  return std::none_of(nom.begin(), nom.end(), spécial) && !nom.startsWith(u'.') && !nom.contains(QStringLiteral(".."));
}

QByteArray lireoctets(const QString& chemin) {
  QFile f(chemin);
  oublieréchec();
  if (!f.open(QIODevice::ReadOnly)) throw erreurouverture(chemin, f, false, dernieréchec());
  QByteArray octets = f.readAll();
  if (f.error() != QFileDevice::NoError)
    throw ErreurFichier(CauseErreur::Autre, chemin,
                        QStringLiteral("Lecture impossible de %1 (%2).").arg(guillemets(chemin), f.errorString()));
  return octets;
}

QStringList lirefichier(const QString& chemin) { return découperlignes(décoderansi(lireoctets(chemin))); }

QStringList lirefichierimporté(const QString& chemin) {
  const QByteArray octets = lireoctets(chemin);
  return découperlignes(décoder(octets, encodagedeviné(octets)));
}

namespace {

int fichiersavantpanne = 0;
int fichiersavantdisqueplein = -1;

// Vrai quand la panne simulée frappe ce fichier ; les octets qui passent encore
// sont alors écrits dans le fichier temporaire.
bool pannesimulée(QFileDevice& f, const QByteArray& octets, bool dansunensemble) {
  if (dansunensemble && fichiersavantpanne > 0 && --fichiersavantpanne == 0) {
    f.write(octets.constData(), octets.size() / 2);
    return true;
  }
  if (!dansunensemble && fichiersavantdisqueplein >= 0) {
    if (fichiersavantdisqueplein == 0) {
      f.write(octets.constData(), octets.size() / 2);
      return true;
    }
    --fichiersavantdisqueplein;
  }
  if (panneaprès >= 0 && octets.size() > panneaprès) {
    f.write(octets.constData(), panneaprès);
    panneaprès = -1;
    return true;
  }
  return false;
}

}  // namespace

void écriretemporaire(const QString& temporaire, const QString& chemin, const QByteArray& octets, bool dansunensemble) {
  QFile f(temporaire);
  oublieréchec();
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) throw erreurouverture(chemin, f, true, dernieréchec());
  const auto échec = [&](const ÉchecSystème& é, const QString& détail) {
    f.close();
    f.remove();
    return erreurécriture(chemin, é, détail);
  };
  if (pannesimulée(f, octets, dansunensemble)) throw échec({GenreÉchec::DisquePlein, {}}, QString());
  oublieréchec();
  if (f.write(octets) != octets.size() || !f.flush()) throw échec(dernieréchec(), f.errorString());
  if (!forcersurledisque(f)) {
    const ÉchecSystème é = dernieréchec();
    throw échec(é, é.détail);
  }
  f.close();
}

ErreurFichier erreurderenommage(const QString& chemin, const ÉchecSystème& é) { return erreurécriture(chemin, é, é.détail); }

// Le temporaire porte un nom connu : un arrêt brutal n'en laisse pas d'inconnu, et le
// démarrage suivant le jette avec ceux des transactions.
void écrireoctets(const QString& chemin, const QByteArray& octets) { remplacerfichier(chemin, octets, false); }

void remplacerfichier(const QString& chemin, const QByteArray& octets, bool dansunensemble) {
  const QString temporaire = chemin + suffixetemporaire;
  écriretemporaire(temporaire, chemin, octets, dansunensemble);
  if (!remplacerparrenommage(temporaire, chemin)) {
    const ÉchecSystème é = dernieréchec();
    supprimer(temporaire);
    throw erreurderenommage(chemin, é);
  }
  synchroniserdossier(QFileInfo(chemin).absolutePath());
}

void écrirefichier(const QString& chemin, const QStringList& lignes) {
  écrireoctets(chemin, octetsdelignes(lignes));
}

void copierfichier(const QString& source, const QString& cible) {
  écrireoctets(cible, lireoctets(source));
}

void supprimerfichier(const QString& chemin) {
  QFile f(chemin);
  if (!f.exists()) return;
  if (!f.remove())
    throw ErreurFichier(CauseErreur::PermissionRefusée, chemin,
                        QStringLiteral("Impossible de supprimer %1 (%2).").arg(guillemets(chemin), f.errorString()));
}

void créerdossier(const QString& chemin) {
  if (QDir(chemin).exists()) return;
  if (!QDir().mkpath(chemin))
    throw ErreurFichier(CauseErreur::PermissionRefusée, chemin,
                        QStringLiteral("Impossible de créer le dossier %1.").arg(guillemets(chemin)));
}

bool fichierexiste(const QString& chemin) {
  const QFileInfo info(chemin);
  return info.exists() && !info.isDir();
}

bool dossierexiste(const QString& chemin) { return QFileInfo(chemin).isDir(); }

QStringList listerfichiers(const QString& dossier) {
  return QDir(dossier).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

QStringList listerdossiers(const QString& dossier) {
  return QDir(dossier).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

QString dossieramovibleordinaire() { return dossierutilisateur() + QStringLiteral("/Disque amovible"); }

namespace {
QString& dossierdesexportations() {
  static QString dossier;
  return dossier;
}
}  // namespace

void exportationsdans(const QString& dossier) { dossierdesexportations() = dossier; }

QString dossierexportation() {
  const QString base = dossierdesexportations().isEmpty() ? dossierdesdocuments() : dossierdesexportations();
  return QDir::cleanPath(base + QStringLiteral("/Exportation Evalo"));
}

QString cheminréel(const QString& nom) {
  QString p = nom;
  p.replace(u'\\', u'/');
  if (p.size() >= 2 && p[1] == u':' && p[0].isLetter()) {
    const QChar lecteur = p[0].toUpper();
    const bool disquette = lecteur == u'A' || lecteur == u'B';
    if (!disquette && lecteurdusystème(lecteur)) return QDir::cleanPath(p);  // « C:/Users/... » sous Windows
    const QString base = disquette ? dossieramovibleordinaire() : dossierutilisateur();
    const QString reste = p.mid(2);
    p = base + (reste.isEmpty() || reste.startsWith(u'/') ? reste : u'/' + reste);
  } else if (!p.startsWith(u'/')) {
    p = dossierutilisateur() + u'/' + p;
  }
  return QDir::cleanPath(p);
}

void simulerdisqueplein(qint64 octetsavantpanne) { panneaprès = octetsavantpanne; }

void simulerpanneaufichier(int rang) { fichiersavantpanne = rang; }

void simulerdisquepleinaprès(int fichiers) { fichiersavantdisqueplein = fichiers; }
