#include "plateforme/systeme.h"

#include "plateforme/encodage.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

ÉchecSystème dernieréchec() {
  const int e = errno;
  if (e == 0) return {};
  const QString détail = QString::fromLocal8Bit(std::strerror(e));
  switch (e) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
      return {GenreÉchec::DisquePlein, détail};
    case EACCES:
    case EPERM:
    case EROFS: return {GenreÉchec::Refusé, détail};
    case EBUSY:
    case ETXTBSY: return {GenreÉchec::Occupé, détail};
    default: return {GenreÉchec::Autre, détail};
  }
}

void oublieréchec() { errno = 0; }

bool forcersurledisque(QFileDevice& fichier) { return ::fsync(fichier.handle()) == 0; }

bool remplacerparrenommage(const QString& temporaire, const QString& chemin) {
  return std::rename(QFile::encodeName(temporaire).constData(), QFile::encodeName(chemin).constData()) == 0;
}

bool supprimer(const QString& chemin) { return ::unlink(QFile::encodeName(chemin).constData()) == 0 || errno == ENOENT; }

void synchroniserdossier(const QString& dossier) {
  const int fd = ::open(QFile::encodeName(dossier).constData(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;  // un dossier qu'on ne peut pas ouvrir n'a rien à vider
  ::fsync(fd);
  ::close(fd);
}

void arrêterbrutalement() {
  std::raise(SIGKILL);
  std::abort();  // jamais atteint
}

bool lecteurdusystème(QChar) { return false; }

QString dossierutilisateur() { return QDir::homePath(); }

QString dossierdesdocuments() { return QDir::homePath(); }

QByteArray dossierpourfopen(const QString& dossier) { return QFile::encodeName(dossier); }

// Windows-1252 par les codecs d'ICU que Qt emploie sous Linux.
namespace {
constexpr const char* pagedecode = "windows-1252";
}

QString décoderansi(QByteArrayView octets) {
  QStringDecoder décodeur(pagedecode);
  return décodeur.decode(octets);
}

QByteArray encoderansi(QStringView texte) {
  QStringEncoder codeur(pagedecode);
  QByteArray octets = codeur.encode(texte);
  if (!codeur.hasError()) return octets;
  // Reprendre caractère par caractère pour remplacer ceux qui n'ont pas de code.
  octets.clear();
  octets.reserve(texte.size());
  qsizetype i = 0;
  while (i < texte.size()) {
    const qsizetype lg = (texte[i].isHighSurrogate() && i + 1 < texte.size()) ? 2 : 1;
    QStringEncoder unseul(pagedecode);
    const QByteArray code = unseul.encode(texte.mid(i, lg));
    octets += unseul.hasError() ? QByteArray("?") : code;
    i += lg;
  }
  return octets;
}
