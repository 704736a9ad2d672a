#include "tests/outils/hote.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#ifdef Q_OS_WIN
#include <windows.h>

#include <QDeadlineTimer>
#endif

namespace {

// Les chemins du programme ont une lettre de lecteur sous Windows ; ceux de l'hôte (« /usr/... ») passent tels quels.
bool chemindulecteur(const QString& a) {
  return a.size() > 2 && a[0].isLetter() && a[1] == u':' && (a[2] == u'/' || a[2] == u'\\');
}

QStringList cheminsdelhôte(const QStringList& arguments) {
  QStringList hôte;
  for (const QString& a : arguments) hôte.append(chemindulecteur(a) ? cheminhôte(a) : a);
  return hôte;
}

}  // namespace

#ifdef Q_OS_WIN
namespace {

// Wine donne le nom Unix d'un chemin Windows, et l'inverse (kernel32, hors de l'API de Windows).
template <typename Fonction>
Fonction fonctiondewine(const char* nom) {
  return reinterpret_cast<Fonction>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), nom)));
}

QString nomwindows(const QString& unix) {
  static const auto convertir = fonctiondewine<WCHAR*(CDECL*)(const char*)>("wine_get_dos_file_name");
  WCHAR* dos = convertir ? convertir(unix.toUtf8().constData()) : nullptr;
  if (!dos) return {};
  const QString résultat = QDir::fromNativeSeparators(QString::fromWCharArray(dos));
  HeapFree(GetProcessHeap(), 0, dos);
  return résultat;
}

QString entreguillemets(const QString& mot) {
  QString m = mot;
  return u'\'' + m.replace(u'\'', QStringLiteral("'\\''")) + u'\'';
}

QByteArray lire(const QString& chemin) {
  QFile f(chemin);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

QString cheminhôte(const QString& chemin) {
  static const auto convertir = fonctiondewine<char*(CDECL*)(LPCWSTR)>("wine_get_unix_file_name");
  const std::wstring large = QDir::toNativeSeparators(QFileInfo(chemin).absoluteFilePath()).toStdWString();
  char* unix = convertir ? convertir(large.c_str()) : nullptr;
  if (!unix) return chemin;
  const QString résultat = QString::fromUtf8(unix);
  HeapFree(GetProcessHeap(), 0, unix);
  return résultat;
}

// Un processus Unix lancé par Wine n'a pas de poignée que Windows puisse attendre : un
// shell écrit sa sortie, ses erreurs et son code dans des fichiers, que l'essai guette.
SortieHôte lancerhôte(const QString& nom, const QStringList& arguments, const QMap<QString, QString>& variables,
                      int secondes) {
  SortieHôte s;
  QTemporaryDir dossier;
  if (!dossier.isValid()) return s;
  QMap<QString, QString> env = variables;
  env.insert(QStringLiteral("PATH"), QStringLiteral("/usr/local/bin:/usr/bin:/bin:/usr/sbin:/sbin"));
  if (!env.contains(QStringLiteral("HOME"))) env.insert(QStringLiteral("HOME"), cheminhôte(dossier.path()));
  QString script = QStringLiteral("cd / || exit 1\n");
  for (auto v = env.cbegin(); v != env.cend(); ++v)
    script += QStringLiteral("export %1=%2\n").arg(v.key(), entreguillemets(v.value()));
  QStringList commande{entreguillemets(nom)};
  for (const QString& a : cheminsdelhôte(arguments)) commande.append(entreguillemets(a));
  const QString unix = cheminhôte(dossier.path());
  script +=
      commande.join(u' ') + QStringLiteral(" > %1/sortie 2> %1/erreurs\necho $? > %1/code.0 && mv %1/code.0 %1/code\n")
                                .arg(entreguillemets(unix));
  QFile f(dossier.filePath(QStringLiteral("lancer.sh")));
  if (!f.open(QIODevice::WriteOnly) || f.write(script.toUtf8()) < 0) return s;
  f.close();
  if (!QProcess::startDetached(nomwindows(QStringLiteral("/bin/sh")), {unix + QStringLiteral("/lancer.sh")})) return s;
  const QDeadlineTimer fin(secondes * 1000);
  while (!QFileInfo::exists(dossier.filePath(QStringLiteral("code"))) && !fin.hasExpired()) QThread::msleep(20);
  if (!QFileInfo::exists(dossier.filePath(QStringLiteral("code")))) return s;
  bool ok = false;
  const int code = lire(dossier.filePath(QStringLiteral("code"))).trimmed().toInt(&ok);
  s.code = ok ? code : -1;
  s.sortie = lire(dossier.filePath(QStringLiteral("sortie")));
  s.erreurs = lire(dossier.filePath(QStringLiteral("erreurs")));
  return s;
}

#else

QString cheminhôte(const QString& chemin) { return chemin; }

SortieHôte lancerhôte(const QString& nom, const QStringList& arguments, const QMap<QString, QString>& variables,
                      int secondes) {
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (auto v = variables.cbegin(); v != variables.cend(); ++v) env.insert(v.key(), v.value());
  p.setProcessEnvironment(env);
  p.start(nom, cheminsdelhôte(arguments));
  SortieHôte s;
  if (!p.waitForStarted() && p.error() == QProcess::FailedToStart) {
    s.code = 127;  // comme le shell pour un programme introuvable
    s.erreurs = p.errorString().toUtf8();
    return s;
  }
  if (!p.waitForFinished(secondes * 1000) || p.exitStatus() != QProcess::NormalExit) return s;
  s.code = p.exitCode();
  s.sortie = p.readAllStandardOutput();
  s.erreurs = p.readAllStandardError();
  return s;
}

#endif

QString sortiehôte(const QString& nom, const QStringList& arguments) {
  const SortieHôte s = lancerhôte(nom, arguments);
  if (s.code == 0) return QString::fromUtf8(s.sortie);
  return QStringLiteral("<échec de %1 %2 (%3) : %4>")
      .arg(nom, arguments.join(u' '))
      .arg(s.code)
      .arg(QString::fromUtf8(s.erreurs));
}
