#include "plateforme/systeme.h"

#include "plateforme/encodage.h"

#include <QDir>
#include <QStandardPaths>
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

bool lecteurdusystème(QChar lecteur) { return lecteur.isLetter() && lecteur.unicode() < 128; }

QString dossierutilisateur() {
  const QString profil = qEnvironmentVariable("USERPROFILE");
  return profil.isEmpty() ? QDir::homePath() : QDir::fromNativeSeparators(profil);
}

QString dossierdesdocuments() {
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return documents.isEmpty() ? dossierutilisateur() : documents;
}

QByteArray dossierpourfopen(const QString& dossier) {
  const std::wstring large = QDir::toNativeSeparators(dossier).toStdWString();
  BOOL perdu = FALSE;
  const auto versansi = [&perdu](const std::wstring& nom) {
    // Sans « meilleure approche » : Ł deviendrait L, un autre dossier.
    const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, nom.c_str(), -1, nullptr, 0, nullptr, &perdu);
    QByteArray octets(n > 0 ? n - 1 : 0, Qt::Uninitialized);
    if (n > 1) WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, nom.c_str(), -1, octets.data(), n, nullptr, &perdu);
    return octets;
  };
  QByteArray ansi = versansi(large);
  if (!perdu) return ansi;
  // Une lettre que la page ANSI n'a pas : le nom court du dossier, en ASCII.
  const DWORD n = GetShortPathNameW(large.c_str(), nullptr, 0);
  if (n == 0) return ansi;
  std::wstring court(n, L'\0');
  const DWORD écrits = GetShortPathNameW(large.c_str(), court.data(), n);
  court.resize(écrits);
  perdu = FALSE;
  const QByteArray ascii = versansi(court);
  return perdu ? ansi : ascii;
}

// Windows-1252 par la page de code de Windows elle-même (Qt sans ICU n'a pas ce codec).
constexpr UINT pagewindows1252 = 1252;

QString décoderansi(QByteArrayView octets) {
  if (octets.isEmpty()) return QString();
  const int n = MultiByteToWideChar(pagewindows1252, 0, octets.data(), static_cast<int>(octets.size()), nullptr, 0);
  QString texte(n, Qt::Uninitialized);
  MultiByteToWideChar(pagewindows1252, 0, octets.data(), static_cast<int>(octets.size()),
                      reinterpret_cast<wchar_t*>(texte.data()), n);
  return texte;
}

QByteArray encoderansi(QStringView texte) {
  const auto* tout = reinterpret_cast<const wchar_t*>(texte.utf16());
  const int longueur = static_cast<int>(texte.size());
  BOOL remplacé = FALSE;
  const int n = longueur == 0 ? 0 : WideCharToMultiByte(pagewindows1252, WC_NO_BEST_FIT_CHARS, tout, longueur, nullptr, 0, "?", &remplacé);
  if (!remplacé) {  // le cas ordinaire : tout a son code, d'un seul appel
    QByteArray octets(n, Qt::Uninitialized);
    if (n > 0) WideCharToMultiByte(pagewindows1252, WC_NO_BEST_FIT_CHARS, tout, longueur, octets.data(), n, "?", nullptr);
    return octets;
  }
  QByteArray octets;
  octets.reserve(texte.size());
  // Un caractère sans code devient "?" ; une paire de substitution (un émoji) aussi, une seule fois.
  for (qsizetype i = 0; i < texte.size(); ++i) {
    const qsizetype lg = texte[i].isHighSurrogate() && i + 1 < texte.size() ? 2 : 1;
    const auto* c = reinterpret_cast<const wchar_t*>(texte.utf16() + i);
    char code[8];
    BOOL remplacé = FALSE;
    const int n = WideCharToMultiByte(pagewindows1252, WC_NO_BEST_FIT_CHARS, c, static_cast<int>(lg), code, sizeof code, "?",
                                      &remplacé);
    octets += remplacé || n <= 0 ? QByteArray("?") : QByteArray(code, n);
    i += lg - 1;
  }
  return octets;
}
