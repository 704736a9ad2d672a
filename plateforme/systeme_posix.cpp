#include "plateforme/systeme.h"

#include <QFile>
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
