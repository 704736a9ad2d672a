#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <map>

#include "noyau/base/dossiers.h"
#include "noyau/suivi/copiecomplete.h"
#include "plateforme/fichiers.h"
#include "tests/outils/essai.h"

namespace {

class CopieComplete : public EssaiDonnees {
protected:
  void SetUp() override {
    EssaiDonnees::SetUp();
    cible = temporaire.path() + QStringLiteral("/sauvegarde");
    QDir().mkpath(cible);
  }
  void classes() {
    écrire(disquedur(QStringLiteral("5A131\\5A131.MPE")), crlf({" 20"}));
    écrire(disquedur(QStringLiteral("5A131\\5A131.P1N")), crlf({" 0", " 0", " 0", " 1"}));
    écrire(disquedur(QStringLiteral("6B131\\6B131.MPE")), crlf({" 10"}));
  }
  // Chaque fichier sous un dossier, avec son contenu.
  static std::map<QString, QByteArray> contenu(const QString& dossier) {
    std::map<QString, QByteArray> c;
    const QDir d(dossier);
    for (const QString& f : d.entryList(QDir::Files | QDir::Hidden)) c[f] = lire(d.filePath(f));
    for (const QString& s : d.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
      for (const auto& [f, o] : contenu(d.filePath(s))) c[s + u'/' + f] = o;
    return c;
  }
  BilanCopie copier(std::function<bool(const ErreurFichier&)> réessayer = [](const ErreurFichier&) { return false; }) {
    SuiviCopie suivi;
    suivi.fichiers = [this](int faits, int total) { fichiers.append({faits, total}); };
    suivi.dossiers = [this](int faits, int total) { dossiers.append({faits, total}); };
    suivi.réessayer = std::move(réessayer);
    return copierdonnées(cible, suivi);
  }
  QString cible;
  QList<std::pair<int, int>> fichiers, dossiers;
};

TEST_F(CopieComplete, ToutLeDossierSaufLaListeDesFichiersVerifies) {
  for (const bool avecclasses : {false, true}) {
    QDir(cible).removeRecursively();
    QDir().mkpath(cible);
    fichiers.clear();
    dossiers.clear();
    écrire(disquedur(QStringLiteral("listclas.13")), crlf({" 0"}));
    écrire(disquedur(nomlistemodifications), crlf({"listclas.13"}));
    écrire(disquedur(nomlistevérifiés), crlf({"listclas.13"}));
    if (avecclasses) classes();
    const auto avant = contenu(dossierdonnées());

    const BilanCopie bilan = copier();

    auto attendu = avant;
    attendu.erase(nomlistevérifiés);
    EXPECT_EQ(contenu(cible), attendu) << avecclasses;
    EXPECT_EQ(contenu(dossierdonnées()), avant) << "le dossier de données n'a pas changé";
    EXPECT_TRUE(bilan.complet());
    EXPECT_EQ(bilan.copiés, avecclasses ? 5 : 2);
    EXPECT_EQ(bilan.total, bilan.copiés);
    const int n = avecclasses ? 2 : 0;
    EXPECT_EQ(dossiers.front(), std::pair(0, n));
    EXPECT_EQ(dossiers.back(), std::pair(n, n));
    EXPECT_EQ(fichiers.back(), avecclasses ? std::pair(1, 1) : std::pair(2, 2));
  }
}

TEST_F(CopieComplete, PanneApresDeuxFichiersLaisseLesAnciennesCopies) {
  écrire(disquedur(QStringLiteral("listclas.13")), crlf({" 2"}));
  écrire(disquedur(nomlistemodifications), crlf({"listclas.13"}));
  classes();
  // Un back-up plus ancien, entier, est déjà sur la clé.
  for (const auto& [f, o] : contenu(dossierdonnées())) écrire(cible + u'/' + f, QByteArray("ancien"));
  const auto ancien = contenu(cible);

  struct Cas {
    bool réparée;  // la clé est libérée entre l'erreur et le nouvel essai
    int copiés;
  };
  for (const Cas& c : {Cas{false, 2}, Cas{true, 5}}) {
    for (const auto& [f, o] : ancien) écrire(cible + u'/' + f, o);
    simulerdisquepleinaprès(2);
    QList<QString> erreurs;
    const BilanCopie bilan = copier([&](const ErreurFichier& e) {
      erreurs.append(e.chemin());
      if (c.réparée) simulerdisquepleinaprès(-1);
      return c.réparée;
    });
    simulerdisquepleinaprès(-1);
    EXPECT_EQ(bilan.copiés, c.copiés);
    EXPECT_EQ(bilan.total, 5);
    ASSERT_EQ(erreurs.size(), 1);
    EXPECT_EQ(erreurs[0], cible + QStringLiteral("/5A131/5A131.MPE"));
    const auto après = contenu(cible);
    EXPECT_EQ(après.size(), ancien.size()) << "aucun temporaire ne reste";
    if (c.réparée) {
      EXPECT_TRUE(bilan.complet());
      EXPECT_EQ(après, contenu(dossierdonnées()));
      continue;
    }
    EXPECT_EQ(bilan.noncopiés, (QStringList{"5A131/5A131.MPE", "5A131/5A131.P1N", "6B131/6B131.MPE"}));
    for (const QString& f : bilan.noncopiés) EXPECT_EQ(après.at(f), QByteArray("ancien")) << f.toStdString();
    EXPECT_EQ(après.at(QStringLiteral("listclas.13")), crlf({" 2"}));
    EXPECT_EQ(textebilan(bilan), QDir::toNativeSeparators(QStringLiteral("Back-up incomplet : 2 fichier(s) copié(s) sur 5.\nNon copiés :\n"
                                                                         "- 5A131/5A131.MPE\n- 5A131/5A131.P1N\n- 6B131/6B131.MPE")));
  }
}

TEST_F(CopieComplete, DossierCibleRefuseOuPrepare) {
  const QString ordinaire = dossieramovibleordinaire();
  ASSERT_FALSE(QFileInfo::exists(ordinaire));
  const std::pair<QString, const char*> cas[] = {
      {QString(), "Choisissez d'abord"},
      {dossierdonnées(), "dans le dossier des données"},
      {dossierdonnées() + QStringLiteral("/5A131"), "dans le dossier des données"},
      {temporaire.path() + QStringLiteral("/clé débranchée"), "introuvable"},
      {cible, nullptr},
      {ordinaire, nullptr},
  };
  for (const auto& [dossier, refus] : cas) {
    const QString texte = préparercible(dossier);
    if (refus)
      EXPECT_TRUE(texte.contains(QString::fromUtf8(refus))) << dossier.toStdString() << " : " << texte.toStdString();
    else
      EXPECT_EQ(texte, QString()) << dossier.toStdString();
  }
  EXPECT_TRUE(QFileInfo(ordinaire).isDir());
  EXPECT_FALSE(QFileInfo::exists(temporaire.path() + QStringLiteral("/clé débranchée")));
}

}  // namespace

namespace {

// Un dossier caché est copié comme un autre ; le journal d'un changement et les
// temporaires ne sont pas des données et restent en dehors.
TEST_F(CopieComplete, DossierCacheCopieJournalEtTemporairesLaisses) {
  classes();
  écrire(disquedur(QStringLiteral(".A131\\.A131.P1N")), crlf({" 0"}));
  écrire(disquedur(QStringLiteral("transaction.evl")), "EVALO-TRANSACTION 1\nFIN\n");
  écrire(disquedur(QStringLiteral("5A131\\5A131.P1N.~evalo")), "moitié");
  const BilanCopie bilan = copier();
  EXPECT_TRUE(bilan.noncopiés.isEmpty());
  EXPECT_EQ(bilan.copiés, bilan.total);
  EXPECT_EQ(lire(cible + QStringLiteral("/.A131/.A131.P1N")), crlf({" 0"}));
  EXPECT_FALSE(QFileInfo::exists(cible + QStringLiteral("/transaction.evl")));
  EXPECT_FALSE(QFileInfo::exists(cible + QStringLiteral("/5A131/5A131.P1N.~evalo")));
}

}  // namespace
