#include "plateforme/systeme.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <cstdlib>
#include <io.h>
#include <windows.h>

namespace {

// Le chemin long de Windows (\\?\C:\...) : au-delà de 260 caractères aussi.
std::wstring cheminlong(const QString& chemin) {
  QString natif = QDir::toNativeSeparators(QDir::cleanPath(QFileInfo(chemin).absoluteFilePath()));
  if (!natif.startsWith(QStringLiteral("\\\\"))) natif.prepend(QStringLiteral("\\\\?\\"));
  return natif.toStdWString();
}

QString message(DWORD code) {
  wchar_t* texte = nullptr;
  FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                 0, reinterpret_cast<wchar_t*>(&texte), 0, nullptr);
  const QString m = texte ? QString::fromWCharArray(texte).trimmed() : QStringLiteral("erreur %1").arg(code);
  LocalFree(texte);
  return m;
}

bool tenuailleurs(DWORD code) { return code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION || code == ERROR_ACCESS_DENIED; }

}  // namespace

ÉchecSystème dernieréchec() {
  const DWORD échec = GetLastError();
  if (échec == ERROR_SUCCESS) return {};
  const QString détail = message(échec);
  switch (échec) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return {GenreÉchec::DisquePlein, détail};
    case ERROR_WRITE_PROTECT:
    case ERROR_ACCESS_DENIED: return {GenreÉchec::Refusé, détail};
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return {GenreÉchec::Occupé, détail};
    default: return {GenreÉchec::Autre, détail};
  }
}

void oublieréchec() { SetLastError(ERROR_SUCCESS); }

bool forcersurledisque(QFileDevice& fichier) {
  const HANDLE h = reinterpret_cast<HANDLE>(_get_osfhandle(fichier.handle()));
  return h != INVALID_HANDLE_VALUE && FlushFileBuffers(h);
}

bool remplacerparrenommage(const QString& temporaire, const QString& chemin) {
  const std::wstring de = cheminlong(temporaire), vers = cheminlong(chemin);
  // Un antivirus, un tableur ou un client de synchronisation qui tient le fichier le
  // relâche d'ordinaire en quelques dixièmes de seconde.
  DWORD échec = ERROR_SUCCESS;
  for (int essai = 0; essai < 20; ++essai) {
    if (MoveFileExW(de.c_str(), vers.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    échec = GetLastError();
    if (!tenuailleurs(échec)) return false;
    QThread::msleep(100);
  }
  // Le temporaire s'est écrit dans ce dossier : un refus sur le fichier lui-même vient
  // d'un autre programme qui le tient ouvert.
  if (échec == ERROR_ACCESS_DENIED && QFileInfo::exists(chemin)) échec = ERROR_SHARING_VIOLATION;
  SetLastError(échec);
  return false;
}

bool supprimer(const QString& chemin) {
  return DeleteFileW(cheminlong(chemin).c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
}

void synchroniserdossier(const QString&) {}

void arrêterbrutalement() {
  TerminateProcess(GetCurrentProcess(), 9);
  std::abort();  // jamais atteint
}
