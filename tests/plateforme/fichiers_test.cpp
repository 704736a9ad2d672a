#include <gtest/gtest.h>

#include "tests/outils/impressionqt.h"

#include <cstdio>
#include <thread>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "plateforme/encodage.h"
#include "plateforme/erreurs.h"
#include "plateforme/fichiers.h"
#include "plateforme/systeme.h"
#include "plateforme/transaction.h"

namespace {

// Appareil qui refuse d'écrire au-delà d'un nombre d'octets.
class AppareilLimite : public QBuffer {
public:
  explicit AppareilLimite(qint64 limite) : limite_(limite) {}

protected:
  qint64 writeData(const char* data, qint64 len) override {
    const qint64 permis = std::min(len, limite_ - pos());
    if (permis <= 0) return -1;
    return QBuffer::writeData(data, permis);
  }

private:
  qint64 limite_;
};

QByteArray lire(const QString& chemin) {
  QFile f(chemin);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
}

TEST(Encodage, Windows1252DansLesDeuxSens) {
  const QString texte = QStringLiteral("Élève Noël à l'école : 12 €, « œuvre »");
  const QByteArray octets = encoderansi(texte);
  EXPECT_EQ(octets, QByteArray("\xC9l\xE8ve No\xEBl \xE0 l'\xE9" "cole : 12 \x80, \xAB \x9Cuvre \xBB"));
  EXPECT_EQ(décoderansi(octets), texte);
  EXPECT_EQ(encoderansi(QStringLiteral("Łukasz 😀")), QByteArray("?ukasz ?"));
}

TEST(Lignes, DecoupageSelonLesFinsDeLigne) {
  const std::pair<const char*, QStringList> cas[] = {
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb\n", {"a", "b"}},
      {"a\r\nb", {"a", "b"}},
      {"a\r\n\r\nb\r\n", {"a", "", "b"}},
      {"a\rb\r", {"a", "b"}},
      {"", {}},
      {"\r\n", {""}},
      {" 12\r\n  texte  \r\n", {" 12", "  texte  "}},
  };
  for (const auto& [brut, attendu] : cas) EXPECT_EQ(découperlignes(QString::fromLatin1(brut)), attendu) << brut;
}

TEST(Lignes, ElementsSeparesParDesVirgules) {
  const std::pair<QStringList, QStringList> cas[] = {
      {{"Calcul, Géométrie"}, {"Calcul", "Géométrie"}},
      {{"  true  "}, {"true"}},
      {{"\"Calcul, mental\""}, {"Calcul, mental"}},
      {{"\" entre guillemets \" reste"}, {" entre guillemets "}},
      {{"a,", "b"}, {"a", "", "b"}},
      {{""}, {""}},
      {{"5A131\\5A131.P1N"}, {"5A131\\5A131.P1N"}},
  };
  for (const auto& [lignes, attendu] : cas) EXPECT_EQ(découperéléments(lignes), attendu) << lignes.join('|').toStdString();
}

TEST(Fichiers, AllerRetourOctetPourOctet) {
  QTemporaryDir dossier;
  const QString chemin = dossier.filePath(QStringLiteral("notes.txt"));
  const QStringList lignes{QStringLiteral(" 3"), QStringLiteral("Dupont Élodie/ 12/A/ 8.5"),
                           QStringLiteral("050% -> Compréhension"), QString(), QStringLiteral("  blancs  ")};
  écrirefichier(chemin, lignes);
  const QByteArray attendu("\x20" "3\r\nDupont \xC9lodie/ 12/A/ 8.5\r\n050% -> Compr\xE9hension\r\n\r\n  blancs  \r\n");
  EXPECT_EQ(lire(chemin), attendu);
  EXPECT_EQ(lirefichier(chemin), lignes);
  écrirefichier(chemin, lirefichier(chemin));
  EXPECT_EQ(lire(chemin), attendu);
}

TEST(Fichiers, EcritureRateeLaisseLAncienFichierIntact) {
  QTemporaryDir dossier;
  const QString chemin = dossier.filePath(QStringLiteral("listclas.13"));
  écrirefichier(chemin, {QStringLiteral(" 1"), QStringLiteral("5A")});
  const QByteArray avant = lire(chemin);

  simulerdisqueplein(4);
  try {
    écrirefichier(chemin, {QStringLiteral(" 2"), QStringLiteral("5A"), QStringLiteral("6B")});
    FAIL() << "l'écriture aurait dû échouer";
  } catch (const ErreurFichier& e) {
    EXPECT_EQ(e.cause(), CauseErreur::DisquePlein);
    EXPECT_TRUE(e.texte().contains(QStringLiteral("Le disque est plein"))) << e.texte().toStdString();
  }
  EXPECT_EQ(lire(chemin), avant);
  EXPECT_EQ(QDir(dossier.path()).entryList(QDir::Files), QStringList{QStringLiteral("listclas.13")});
  écrirefichier(chemin, {QStringLiteral(" 0")});  // la panne ne vaut qu'une fois
  EXPECT_EQ(lire(chemin), QByteArray(" 0\r\n"));
}

TEST(Fichiers, EnsembleEcritEnEntierOuPasDuTout) {
  QTemporaryDir dossier;
  const QStringList noms{QStringLiteral("5A.P1N"), QStringLiteral("5A.P2N"), QStringLiteral("5A.E1N")};
  QList<FichierÀÉcrire> ensemble;
  for (const QString& n : noms) {
    écrirefichier(dossier.filePath(n), {QStringLiteral("ancien")});
    ensemble.append({dossier.filePath(n), QByteArray("nouveau ") + n.toLatin1()});
  }
  const auto contenus = [&] {
    QList<QByteArray> c;
    for (const QString& n : noms) c << lire(dossier.filePath(n));
    return c;
  };
  const QList<QByteArray> avant = contenus();
  for (int rang = 1; rang <= 3; ++rang) {
    simulerpanneaufichier(rang);
    try {
      écrireensemble(ensemble, dossier.filePath(QStringLiteral("transaction.evl")));
      ADD_FAILURE() << "aucune erreur au fichier " << rang;
    } catch (const ErreurFichier& e) {
      EXPECT_EQ(e.chemin(), dossier.filePath(noms[rang - 1]));
      EXPECT_TRUE(e.texte().endsWith(QStringLiteral("Aucun des 3 fichiers n'a été modifié."))) << e.texte().toStdString();
    }
    EXPECT_EQ(contenus(), avant) << rang;
    EXPECT_EQ(QDir(dossier.path()).entryList(QDir::Files).size(), 3) << "un temporaire est resté";
  }
  // Un fichier dont le dossier manque arrête l'ensemble avant tout remplacement.
  QList<FichierÀÉcrire> avecdossiermanquant = ensemble;
  avecdossiermanquant.insert(1, {dossier.filePath(QStringLiteral("absent/5A.P1R")), "x"});
  EXPECT_THROW(écrireensemble(avecdossiermanquant, dossier.filePath(QStringLiteral("transaction.evl"))), ErreurFichier);
  EXPECT_EQ(contenus(), avant);

  écrireensemble(ensemble, dossier.filePath(QStringLiteral("transaction.evl")));
  for (const FichierÀÉcrire& f : ensemble) EXPECT_EQ(lire(f.chemin), f.octets);
}

TEST(Fichiers, CausesDesErreurs) {
  QTemporaryDir dossier;
  const QString absent = dossier.filePath(QStringLiteral("absent.txt"));
  const QString sansdossier = dossier.filePath(QStringLiteral("5A131/5A131.P1N"));
  const std::pair<std::function<void()>, CauseErreur> cas[] = {
      {[&] { lirefichier(absent); }, CauseErreur::FichierManquant},
      {[&] { lirefichier(sansdossier); }, CauseErreur::DossierManquant},
      {[&] { écrirefichier(sansdossier, {QStringLiteral("x")}); }, CauseErreur::DossierManquant},
      {[&] { copierfichier(absent, dossier.filePath(QStringLiteral("copie"))); }, CauseErreur::FichierManquant},
      {[&] { lirefichier(dossier.path()); }, CauseErreur::Autre},
  };
  for (const auto& [action, cause] : cas) {
    try {
      action();
      ADD_FAILURE() << "aucune erreur pour le cas " << static_cast<int>(cause);
    } catch (const ErreurFichier& e) {
      EXPECT_EQ(e.cause(), cause) << e.texte().toStdString();
      EXPECT_TRUE(e.texte().contains(QStringLiteral("«"))) << "le message nomme le fichier";
    }
  }
  EXPECT_FALSE(QFile::exists(dossier.filePath(QStringLiteral("copie"))));
}

TEST(Fichiers, AppareilQuiLacheEnCoursDeRoute) {
  AppareilLimite appareil(5);
  appareil.open(QIODevice::WriteOnly);
  EXPECT_THROW(écrirelignes(appareil, {QStringLiteral("une ligne trop longue")}), ErreurFichier);

  QBuffer tampon;
  tampon.setData("a\nb\r\n");
  tampon.open(QIODevice::ReadOnly);
  EXPECT_EQ(lirelignes(tampon), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
}

TEST(Fichiers, CopieSuppressionListe) {
  QTemporaryDir dossier;
  const QString source = dossier.filePath(QStringLiteral("a.txt"));
  écrirefichier(source, {QStringLiteral("x")});
  créerdossier(dossier.filePath(QStringLiteral("c/d")));
  copierfichier(source, dossier.filePath(QStringLiteral("c/d/b.txt")));
  EXPECT_EQ(lire(dossier.filePath(QStringLiteral("c/d/b.txt"))), QByteArray("x\r\n"));
  EXPECT_EQ(listerfichiers(dossier.path()), QStringList{QStringLiteral("a.txt")});
  EXPECT_EQ(listerdossiers(dossier.path()), QStringList{QStringLiteral("c")});
  supprimerfichier(source);
  supprimerfichier(source);  // déjà supprimé : rien à faire
  EXPECT_FALSE(fichierexiste(source));
  EXPECT_TRUE(dossierexiste(dossier.filePath(QStringLiteral("c"))));
}

TEST(Chemins, NomsDeLAncienSysteme) {
  const QString maison = QDir::homePath();
  const std::pair<const char*, QString> cas[] = {
      {"/données/evalo\\5A131\\5A131.P1N", QStringLiteral("/données/evalo/5A131/5A131.P1N")},
      {"A:\\", maison + QStringLiteral("/Disque amovible")},
      {"a:\\listclas.13", maison + QStringLiteral("/Disque amovible/listclas.13")},
      {"A:", maison + QStringLiteral("/Disque amovible")},
      // Sous Windows, « C: » est un vrai lecteur ; ailleurs, le dossier de l'utilisateur.
      {"C:", lecteurdusystème(u'C') ? QStringLiteral("C:") : maison},
      {"c:\\Exportation Evalo",
       lecteurdusystème(u'C') ? QStringLiteral("c:/Exportation Evalo") : maison + QStringLiteral("/Exportation Evalo")},
      {"clé\\evalo", maison + QStringLiteral("/clé/evalo")},
      {"/media/clé/\\listclas.13", QStringLiteral("/media/clé/listclas.13")},
  };
  for (const auto& [nom, attendu] : cas) EXPECT_EQ(cheminréel(QString::fromUtf8(nom)), attendu) << nom;
}

}  // namespace

// Un dossier que fopen() de Windows doit ouvrir (le classeur y met ses fichiers de
// travail) : en page ANSI quand ses lettres y sont, par son nom court en ASCII sinon.
TEST(Chemins, DossierPourFopenAuxLettresHorsDeLaPageAnsi) {
  QTemporaryDir temporaire;
  ASSERT_TRUE(temporaire.isValid());
  for (const char* nom : {"Élèves", "Łódź élèves"}) {
    const QString dossier = temporaire.path() + u'/' + QString::fromUtf8(nom);
    ASSERT_TRUE(QDir().mkpath(dossier));
    const QByteArray pourfopen = dossierpourfopen(dossier);
    std::FILE* f = std::fopen((pourfopen + "/essai.txt").constData(), "wb");
    ASSERT_NE(f, nullptr) << nom << " : " << pourfopen.constData();
    std::fputs("écrit par fopen", f);
    std::fclose(f);
    EXPECT_TRUE(QFile::exists(dossier + QStringLiteral("/essai.txt"))) << nom;
  }
}

// Au-delà des 260 caractères de l'ancien Windows : une classe rangée profond sur la clé.
TEST(Chemins, PlusDe260Caracteres) {
  QTemporaryDir temporaire;
  QString dossier = temporaire.path();
  while (dossier.size() < 300) dossier += QStringLiteral("/Évaluations de l'année scolaire");
  const QString chemin = dossier + QStringLiteral("/5A131.P1N");
  ASSERT_GT(chemin.size(), 300);
  créerdossier(dossier);
  écrirefichier(chemin, {QStringLiteral("Dupont Élodie"), QStringLiteral("12.5")});
  EXPECT_EQ(lirefichier(chemin), (QStringList{QStringLiteral("Dupont Élodie"), QStringLiteral("12.5")}));
  copierfichier(chemin, chemin + QStringLiteral(".bck"));
  écrirefichier(chemin, {QStringLiteral("remplacé")});
  EXPECT_EQ(lirefichier(chemin), QStringList{QStringLiteral("remplacé")});
  EXPECT_EQ(lireoctets(chemin + QStringLiteral(".bck")), QByteArray("Dupont \xC9lodie\r\n12.5\r\n"));
  supprimerfichier(chemin);
  EXPECT_EQ(listerfichiers(dossier), QStringList{QStringLiteral("5A131.P1N.bck")});
}

#ifdef Q_OS_WIN
// Un tableur ouvre le fichier sans partage : l'écriture, réessayée un court instant,
// dit au professeur de fermer l'autre programme et garde le fichier d'avant ; relâché
// pendant l'attente (un antivirus), le fichier s'écrit.
TEST(FichiersWindows, FichierTenuOuvertParUnAutreProgramme) {
  QTemporaryDir temporaire;
  const QString dossier = temporaire.path() + QStringLiteral("/Élèves Łódź");
  const QString chemin = dossier + QStringLiteral("/5A131.P1N");
  créerdossier(dossier);
  écrireoctets(chemin, "avant");
  const std::wstring large = QDir::toNativeSeparators(chemin).toStdWString();
  const auto tenir = [&] { return CreateFileW(large.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr); };
  HANDLE tableur = tenir();
  ASSERT_NE(tableur, INVALID_HANDLE_VALUE);
  try {
    écrireoctets(chemin, "après");
    ADD_FAILURE() << "écrit malgré le tableur";
  } catch (const ErreurFichier& e) {
    EXPECT_EQ(e.cause(), CauseErreur::FichierOccupé) << e.texte().toStdString();
    EXPECT_TRUE(e.texte().contains(QStringLiteral("est ouvert dans un autre programme"))) << e.texte().toStdString();
  }
  CloseHandle(tableur);
  EXPECT_EQ(lireoctets(chemin), QByteArray("avant"));
  EXPECT_EQ(listerfichiers(dossier), QStringList{QStringLiteral("5A131.P1N")});  // aucun temporaire laissé

  HANDLE antivirus = tenir();
  ASSERT_NE(antivirus, INVALID_HANDLE_VALUE);
  std::thread relâcher([antivirus] {
    Sleep(300);
    CloseHandle(antivirus);
  });
  écrireoctets(chemin, "après");
  relâcher.join();
  EXPECT_EQ(lireoctets(chemin), QByteArray("après"));
}
#endif
