// Transactions : quel que soit l'instant d'un arrêt brutal, chaque fichier d'un
// changement est, après l'achèvement du démarrage suivant, entièrement d'avant ou
// entièrement d'après, et tous du même côté.

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include "plateforme/fichiers.h"
#include "plateforme/transaction.h"

namespace {

const QStringList noms{QStringLiteral("listclas.13"), QStringLiteral("5A131/5A131.P1N"), QStringLiteral("5A131/5A131.P2N"),
                       QStringLiteral("5A131/5A131.E1N"), QStringLiteral("5A131/5A131.P1R")};

class Transactions : public ::testing::Test {
protected:
  void SetUp() override { QDir(dossier.path()).mkpath(QStringLiteral("5A131")); }
  void TearDown() override { simulerarrêtaprès(-1); }

  QString chemin(const QString& nom) const { return dossier.filePath(nom); }
  QString journal() const { return chemin(QStringLiteral("transaction.evl")); }

  QList<FichierÀÉcrire> ensemble(const QByteArray& contenu) const {
    QList<FichierÀÉcrire> fichiers;
    // Des contenus de tailles différentes : un mélange se verrait aussi à la taille.
    for (const QString& n : noms) fichiers.append({chemin(n), contenu + ' ' + n.toUtf8().repeated(n.size())});
    return fichiers;
  }
  void poser(const QList<FichierÀÉcrire>& fichiers) const {
    for (const FichierÀÉcrire& f : fichiers) écrireoctets(f.chemin, f.octets);
  }
  // "avant", "après" ou "mélange" selon ce que les fichiers tiennent.
  QString état(const QList<FichierÀÉcrire>& avant, const QList<FichierÀÉcrire>& après) const {
    int anciens = 0, nouveaux = 0;
    for (qsizetype i = 0; i < noms.size(); ++i) {
      const QByteArray lu = lireoctets(avant[i].chemin);
      anciens += lu == avant[i].octets;
      nouveaux += lu == après[i].octets;
    }
    if (anciens == noms.size()) return QStringLiteral("avant");
    if (nouveaux == noms.size()) return QStringLiteral("après");
    return QStringLiteral("mélange");
  }
  QStringList restes() const {
    QStringList r;
    QDirIterator it(dossier.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
      const QString f = it.next();
      if (fichierdetransaction(f)) r << f;
    }
    return r;
  }

  QTemporaryDir dossier;
};

// 5 temporaires, le journal, 5 renommages, le journal supprimé : 12 opérations.
TEST_F(Transactions, ArretBrutalAChaqueEtape) {
  const auto avant = ensemble("ancien");
  const auto après = ensemble("nouveau");
  constexpr int opérations = 12;
  for (int n = 0; n <= opérations; ++n) {
    poser(avant);
    simulerarrêtaprès(n);
    bool arrêté = false;
    try {
      écrireensemble(après, journal());
    } catch (const ArrêtSimulé&) {
      arrêté = true;
    }
    simulerarrêtaprès(-1);
    EXPECT_EQ(arrêté, n < opérations) << n;
    achevertransaction(journal());
    // Le changement est acquis dès que son journal est écrit (6e opération).
    EXPECT_EQ(état(avant, après), n < 6 ? QStringLiteral("avant") : QStringLiteral("après")) << "arrêt après " << n;
    EXPECT_TRUE(restes().isEmpty()) << n << " : " << restes().join(u' ').toStdString();
  }
}

TEST_F(Transactions, DisquePleinNeChangeRienEtNeLaissePasDeTemporaire) {
  const auto avant = ensemble("ancien");
  for (int rang = 1; rang <= 6; ++rang) {  // le 6e temporaire est celui du journal
    poser(avant);
    simulerpanneaufichier(rang);
    EXPECT_THROW(écrireensemble(ensemble("nouveau"), journal()), ErreurFichier) << rang;
    simulerpanneaufichier(0);
    EXPECT_EQ(état(avant, ensemble("nouveau")), QStringLiteral("avant")) << rang;
    EXPECT_TRUE(restes().isEmpty()) << rang;
  }
}

TEST_F(Transactions, SuppressionDansLaTransaction) {
  poser(ensemble("ancien"));
  QList<FichierÀÉcrire> fichiers = ensemble("nouveau");
  fichiers[4].supprimer = true;
  for (int n : {5, 8}) {  // arrêté avant puis après le journal
    poser(ensemble("ancien"));
    simulerarrêtaprès(n);
    EXPECT_THROW(écrireensemble(fichiers, journal()), ArrêtSimulé);
    simulerarrêtaprès(-1);
    achevertransaction(journal());
    EXPECT_EQ(QFile::exists(chemin(noms[4])), n < 5) << n;
    EXPECT_EQ(lireoctets(chemin(noms[0])), n < 5 ? ensemble("ancien")[0].octets : fichiers[0].octets) << n;
  }
}

// Arrêt avant le journal, ou au milieu d'une écriture seule : le temporaire laissé
// est jeté au démarrage et le fichier garde son contenu d'avant.
TEST_F(Transactions, TemporaireSansJournalJete) {
  poser(ensemble("ancien"));
  for (const QString& n : {noms[0], noms[1]}) écrireoctets(chemin(n) + suffixetemporaire, "moitié");
  EXPECT_TRUE(achevertransaction(journal()).isEmpty());
  EXPECT_EQ(état(ensemble("ancien"), ensemble("nouveau")), QStringLiteral("avant"));
  EXPECT_TRUE(restes().isEmpty());
  écrireoctets(chemin(noms[0]), "seul");
  EXPECT_EQ(lireoctets(chemin(noms[0])), QByteArray("seul"));
  EXPECT_TRUE(restes().isEmpty()) << "une écriture seule ne laisse pas de temporaire";
}

// Un journal abîmé ou trafiqué ne fait jamais sortir du dossier.
TEST_F(Transactions, JournalQuiSortDuDossierIgnore) {
  QTemporaryDir dehors;
  const QString victime = dehors.filePath(QStringLiteral("x"));
  écrireoctets(victime, "intact");
  écrireoctets(victime + suffixetemporaire, "remplacé");
  const QString relatif = QDir(dossier.path()).relativeFilePath(victime);
  const QByteArray lignes[] = {
      "R\t" + relatif.toUtf8(), "S\t" + relatif.toUtf8(), "R\t" + victime.toUtf8(), "S\t..\\..\\x",
  };
  for (const QByteArray& ligne : lignes) {
    écrireoctets(journal(), "EVALO-TRANSACTION 1\n" + ligne + "\nFIN\n");
    EXPECT_TRUE(achevertransaction(journal()).isEmpty()) << ligne.constData();
    EXPECT_EQ(lireoctets(victime), QByteArray("intact"));
    EXPECT_FALSE(QFile::exists(journal()));
  }
}

// Un vrai processus tué (SIGKILL) à un instant tiré au hasard, un nombre borné de fois.
TEST_F(Transactions, ProcessusTueAuHasard) {
  constexpr int essais = 12;
  for (int essai = 0; essai < essais; ++essai) {
    QProcess enfant;
    enfant.start(QStringLiteral(EVALO_ENFANT_TRANSACTIONS), {dossier.path()});
    ASSERT_TRUE(enfant.waitForStarted());
    ASSERT_TRUE(enfant.waitForReadyRead(5000));  // la première génération est écrite
    QThread::msleep(QRandomGenerator::global()->bounded(1, 40));
    enfant.kill();
    enfant.waitForFinished();
    achevertransaction(journal());
    QByteArray première;
    for (const QString& n : noms) {
      const QByteArray génération = lireoctets(chemin(n)).split(' ').first();
      if (première.isEmpty()) première = génération;
      EXPECT_EQ(génération, première) << "essai " << essai << ", " << n.toStdString();
    }
    EXPECT_TRUE(restes().isEmpty()) << essai;
  }
}

}  // namespace
