#include <gtest/gtest.h>

#include "tests/feuille/feuille_essai.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTest>
#include <QThread>
#include <functional>
#include <memory>
#include <optional>

#include "classes/choixperiodeexa.h"
#include "classes/conflits.h"
#include "classes/importliste.h"
#include "noyau/base/dossiers.h"
#include "noyau/fusion/decision.h"
#include "noyau/suivi/amovible.h"
#include "noyau/suivi/ancetres.h"
#include "noyau/suivi/ecriture.h"
#include "noyau/suivi/historique.h"
#include "plateforme/services.h"
#include "plateforme/transaction.h"

namespace {

using Fichiers = QMap<QString, QByteArray>;

// Les fichiers de données d'un dossier, sans ce que le programme tient à côté
// (historique, annulations, listes de la session, ancêtres, copies mises de côté).
Fichiers données(const QString& dossier) {
  Fichiers f;
  QDirIterator it(dossier, QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString chemin = it.next();
    const QString relatif = chemin.mid(dossier.size() + 1);
    if (relatif.startsWith(dossierancêtres + u'/') || relatif.startsWith(dossiercopiesenconflit) ||
        relatif.contains(QStringLiteral("annulations")) || relatif.endsWith(QStringLiteral("historique.txt")) ||
        relatif == nomlistemodifications || relatif == nomlistevérifiés)
      continue;
    QFile fichier(chemin);
    EXPECT_TRUE(fichier.open(QIODevice::ReadOnly));
    f.insert(relatif, fichier.readAll());
  }
  return f;
}

void copierdossier(const QString& source, const QString& cible) {
  QDirIterator it(source, QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString chemin = it.next();
    const QString relatif = chemin.mid(source.size() + 1);
    if (relatif == nomlistevérifiés || relatif == nomlistemodifications) continue;
    QDir().mkpath(QFileInfo(cible + u'/' + relatif).absolutePath());
    QFile::copy(chemin, cible + u'/' + relatif);
  }
}

// Deux ordinateurs, A (le banc de la feuille) et B, partis de la même classe 5A et
// d'un même disque amovible.
class DeuxOrdinateurs : public Feuille {
public:
  void SetUp() override {
    Feuille::SetUp();
    ASSERT_TRUE(sauvegardedesortieprincipale({}));
    racineB = temporaire.path() + QStringLiteral("/racineB");
    copierdossier(racine + QStringLiteral("/evalo"), racineB + QStringLiteral("/evalo"));
    boîtes.oublier();
  }

  // Une session de l'ordinateur (« A » ou « B ») sur la classe, période 1. Une
  // session reprise (l'ordinateur n'avait pas quitté) ne compare plus rien.
  void session(const QString& ordinateur) {
    oublierhistoriques();
    fixerordinateur(ordinateur);
    réinitialiserétat();
    ÉtatPartagé& é = état();
    é.dossierracine = ordinateur == u"A" ? racine : racineB;
    é.dossieramovible = (ordinateur == u"A" || amovibleB.isEmpty() ? dossieramov : amovibleB) + u'\\';
    é.annéescolaire = QStringLiteral("13");
    é.annéeaffichée = QStringLiteral(" 13 - 14");
    é.préparations = VRAI;
    lirelisteclasses();
    é.listeclassesaffichées.redim(2);
    é.listeclassesaffichées[1] = QStringLiteral("5A");
    é.classecourante = 1;
    é.périodecourante = QStringLiteral("P1");
    chargerclasse();
    p.Form_Load();
  }
  void quitter() { ASSERT_TRUE(sauvegardedesortieprincipale({})); }
  // B s'ouvre ; A note Dupont 3 et quitte ; B, ouvert d'avant, note Martin 5.
  void deuxcopiesdivergentes() {
    session(QStringLiteral("B"));
    session(QStringLiteral("A"));
    noter(3, 2, QStringLiteral("3"));
    quitter();
    session(QStringLiteral("B"));
    noter(5, 2, QStringLiteral("5"));
  }

  void noter(int l, int c, const QString& note) {
    choisir(l, c);
    boîtes.répondretexte(note);
    p.grille1_KeyDown(13, 0);
  }
  void ajouterélève(const QString& nom) {
    boîtes.répondretexte(nom);
    p.mnuajouternom_Click();
  }
  // Les élèves d'une liste du secrétariat (Nom;Prénom), par la fenêtre d'import.
  void importer(const QString& lignes) {
    const QString liste = temporaire.path() + QStringLiteral("/liste.csv");
    écrire(liste, (QStringLiteral("Nom;Prénom\n") + lignes).toUtf8());
    services().choisirfichier = [liste](const QString&, const QString&) { return liste; };
    const auto avant = surfenêtre;
    surfenêtre = [](const QString& nom) {
      ASSERT_EQ(nom, QStringLiteral("importliste"));
      fenêtreimportliste().ok_Click();
    };
    p.mnuimporterélèves_Click();
    surfenêtre = avant;
  }
  void retirerélève(int l) {
    choisir(l, 1);
    boîtes.répondre(OK);
    p.grille1_KeyDown(46, 0);
  }
  void supprimerinterro(int k) {
    choisir(3, k + 1);
    boîtes.répondre(OK);
    p.supprimer();
  }
  void supprimerdernierteste() { supprimerinterro(état().nbinterros); }
  void nouvelleinterrodu(const QString& date, const QStringList& notes) {
    surfenêtre = [=](const QString&) {
      FenetreInterro& f = fenêtreinterro();
      f.Form_Load();
      f.notesinterro = QStringList{QString()} + notes;
      f.dateinterrogation->setText(date);
      f.choixcompétence->setCurrentIndex(1);
      f.cmdok_Click();
    };
    boîtes.répondretexte(QStringLiteral("20"));
    p.mnunouvie_Click();
    surfenêtre = nullptr;
  }
  void créerpériode() {
    boîtes.répondre(OUI);
    choixpériodeexa().créerpériode();
    état().périodecourante = QStringLiteral("P1");
    chargerclasse();
  }

  // La note de l'élève à l'interro k de la période 1 chargée (vide : pas d'élève).
  std::optional<QString> note(const QString& nom, int k) const {
    const ÉtatPartagé& é = état();
    for (int i = 1; i <= é.nbélèves; ++i)
      if (é.nomélève[i] == nom) return k <= é.nbinterros ? é.noteinterro(i, k) : QStringLiteral("(pas d'interro)");
    return std::nullopt;
  }
  QStringList élèves() const {
    QStringList n;
    for (int i = 1; i <= état().nbélèves; ++i) n.append(état().nomélève[i]);
    return n;
  }

  Fichiers donnéesA() const { return données(racine + QStringLiteral("/evalo")); }
  Fichiers donnéesB() const { return données(racineB + QStringLiteral("/evalo")); }
  Fichiers donnéesdisque() const { return données(dossieramov); }
  bool questiondanciennesversions() const {
    for (const BoiteMontrée& b : boîtes.montrées())
      if (b.titre == u"ATTENTION") return true;
    return false;
  }

  QString racineB;
  QString amovibleB;  // vide : le même disque amovible que A
};

// Les notes du problème, pas à pas : A note 3 et 4 et copie sur le disque ; B,
// ouvert d'avant, note 5 et 6 puis quitte ; A revient. Les quatre notes restent
// partout, sans une question.
TEST_F(DeuxOrdinateurs, LesNotesDesDeuxOrdinateursRestent) {
  session(QStringLiteral("B"));
  session(QStringLiteral("A"));
  noter(3, 2, QStringLiteral("3"));  // Dupont Élodie, interro 1 : 12 → 3
  noter(4, 4, QStringLiteral("4"));  // Durand Paul, interro 3 : 8 → 4
  quitter();
  session(QStringLiteral("B"));  // reprise : ses fichiers sont déjà vérifiés
  EXPECT_EQ(note(QStringLiteral("Dupont Élodie"), 1), QStringLiteral("12"));
  noter(5, 2, QStringLiteral("5"));  // Martin Léa, interro 1 : 9.5 → 5
  noter(4, 3, QStringLiteral("6"));  // Durand Paul, interro 2 : NC → 6
  quitter();
  EXPECT_TRUE(boîtes.montrées().last().texte.contains(QStringLiteral("Sauvegarde terminée"))) << boîtes.montrées().last().texte.toStdString();
  boîtes.oublier();
  QFile::remove(racineB + QStringLiteral("/evalo/") + nomlistevérifiés);
  session(QStringLiteral("A"));
  for (const auto& [nom, k, attendue] : {std::tuple{"Dupont Élodie", 1, "3"}, std::tuple{"Durand Paul", 3, "4"},
                                         std::tuple{"Martin Léa", 1, "5"}, std::tuple{"Durand Paul", 2, "6"}})
    EXPECT_EQ(note(QString::fromUtf8(nom), k), QString::fromUtf8(attendue)) << nom << " " << k;
  EXPECT_EQ(texte(3, 2), QStringLiteral("3.0"));
  EXPECT_FALSE(fenêtresmontrées.contains(QStringLiteral("conflits")));
  EXPECT_FALSE(questiondanciennesversions());
  ASSERT_FALSE(boîtes.montrées().isEmpty());
  EXPECT_EQ(boîtes.montrées().last().texte, QStringLiteral("Changements de B repris : 5A, période 1"));
  EXPECT_EQ(donnéesA(), donnéesdisque());
  EXPECT_EQ(donnéesB(), donnéesdisque());
  // Le résultat de Martin Léa est recalculé : 5/20 en C1 avec 10/20 et l'oral 4/10.
  const QList<Modification> historique = historiqueclasse(QStringLiteral("5A131"));
  ASSERT_FALSE(historique.isEmpty());
  EXPECT_TRUE(std::any_of(historique.begin(), historique.end(), [](const Modification& m) {
    return m.ordinateur == u"B" && m.libellé.startsWith(QStringLiteral("Fusion avec A : 2 valeurs reprises, 0 conflit"));
  }));
}

using Geste = std::function<void(DeuxOrdinateurs&)>;

struct Scénario {
  const char* nom;
  Geste surA, surB;
  int conflits;                  // lignes de la fenêtre des conflits
  std::optional<bool> garderlà;  // la réponse pour toutes ; rien : Annuler
  Geste vérifier;                // sur A, revenu après B
  // Sans garderlà : comment la fenêtre des conflits est quittée (rien : Annuler).
  std::function<void(FenetreConflits&)> quitterlafenêtre = nullptr;
};

const QString dupont = QStringLiteral("Dupont Élodie"), durand = QStringLiteral("Durand Paul"),
              martin = QStringLiteral("Martin Léa");

Geste noter(int l, int c, const char* note) {
  return [=](DeuxOrdinateurs& o) { o.noter(l, c, QString::fromUtf8(note)); };
}
Geste ajouter(const char* nom) {
  return [=](DeuxOrdinateurs& o) { o.ajouterélève(QString::fromUtf8(nom)); };
}

const Scénario scénarios[] = {
    {"notes différentes", noter(3, 2, "3"), noter(5, 2, "5"), 0, false,
     [](DeuxOrdinateurs& o) {
       EXPECT_EQ(o.note(dupont, 1), QStringLiteral("3"));
       EXPECT_EQ(o.note(martin, 1), QStringLiteral("5"));
     }},
    {"même note, même valeur", noter(3, 2, "15"), noter(3, 2, "15"), 0, false,
     [](DeuxOrdinateurs& o) { EXPECT_EQ(o.note(dupont, 1), QStringLiteral("15")); }},
    {"même note, valeurs différentes, celle-ci gardée", noter(3, 2, "15"), noter(3, 2, "16"), 1, false,
     [](DeuxOrdinateurs& o) { EXPECT_EQ(o.note(dupont, 1), QStringLiteral("16")); }},
    {"même note, valeurs différentes, celle-là gardée", noter(3, 2, "15"), noter(3, 2, "16"), 1, true,
     [](DeuxOrdinateurs& o) { EXPECT_EQ(o.note(dupont, 1), QStringLiteral("15")); }},
    {"même note, valeurs différentes, annulé", noter(3, 2, "15"), noter(3, 2, "16"), 1, std::nullopt,
     [](DeuxOrdinateurs& o) {
       EXPECT_EQ(o.note(dupont, 1), QStringLiteral("15"));
       EXPECT_TRUE(o.donnéesB().value(QStringLiteral("5A131/5A131.P1N")).contains("Dupont \xc9lodie/16/"));
     }},
    {"même note, valeurs différentes, Échap", noter(3, 2, "8.5"), noter(3, 2, "9.5"), 1, std::nullopt,
     [](DeuxOrdinateurs& o) {
       EXPECT_EQ(o.note(dupont, 1), QStringLiteral("8.5"));
       EXPECT_TRUE(o.donnéesB().value(QStringLiteral("5A131/5A131.P1N")).contains("Dupont \xc9lodie/9.5/"));
     },
     [](FenetreConflits& f) { QTest::keyClick(&f, Qt::Key_Escape); }},
    {"même note, valeurs différentes, fenêtre fermée", noter(3, 2, "8.5"), noter(3, 2, "9.5"), 1, std::nullopt,
     [](DeuxOrdinateurs& o) {
       EXPECT_EQ(o.note(dupont, 1), QStringLiteral("8.5"));
       EXPECT_TRUE(o.donnéesB().value(QStringLiteral("5A131/5A131.P1N")).contains("Dupont \xc9lodie/9.5/"));
     },
     [](FenetreConflits& f) { f.close(); }},
    {"élève ajouté sur A, notes tapées sur B", ajouter("Dupuis Marc"), noter(5, 2, "5"), 0, false,
     [](DeuxOrdinateurs& o) {
       EXPECT_EQ(o.élèves(), (QStringList{dupont, QStringLiteral("Dupuis Marc"), durand, martin}));
       EXPECT_EQ(o.note(martin, 1), QStringLiteral("5"));
       EXPECT_EQ(o.note(QStringLiteral("Dupuis Marc"), 1), QStringLiteral("A"));
       EXPECT_TRUE(o.donnéesA().value(QStringLiteral("5A131/5A131.P2N")).contains("Dupuis Marc"));
     }},
    {"liste importée sur A, notes tapées sur B",
     [](DeuxOrdinateurs& o) { o.importer(QStringLiteral("Kowalski;Lukasz\nAubry;Lou\n")); }, noter(5, 2, "5"), 0, false,
     [](DeuxOrdinateurs& o) {
       EXPECT_EQ(o.élèves(), (QStringList{QStringLiteral("Aubry Lou"), dupont, durand, QStringLiteral("Kowalski Lukasz"), martin}));
       EXPECT_EQ(o.note(martin, 1), QStringLiteral("5"));
       EXPECT_TRUE(o.donnéesA().value(QStringLiteral("5A131/5A131.P2N")).contains("Aubry Lou"));
     }},
    {"élève ajouté des deux côtés", ajouter("Dupuis Marc"), ajouter("Bernard Zoé"), 0, false,
     [](DeuxOrdinateurs& o) {
       EXPECT_EQ(o.élèves(), (QStringList{QStringLiteral("Bernard Zoé"), dupont, QStringLiteral("Dupuis Marc"), durand, martin}));
     }},
    {"renommé sur A, notes tapées sur B", noter(3, 1, "Dupont Élise"), noter(3, 3, "14"), 0, false,
     [](DeuxOrdinateurs& o) {
       EXPECT_EQ(o.élèves(), (QStringList{QStringLiteral("Dupont Élise"), durand, martin}));
       EXPECT_EQ(o.note(QStringLiteral("Dupont Élise"), 2), QStringLiteral("14"));
     }},
    {"retiré sur A, notes tapées sur B, gardé", [](DeuxOrdinateurs& o) { o.retirerélève(4); }, noter(4, 2, "7"), 1, false,
     [](DeuxOrdinateurs& o) { EXPECT_EQ(o.note(durand, 1), QStringLiteral("7")); }},
    {"retiré sur A, notes tapées sur B, retiré", [](DeuxOrdinateurs& o) { o.retirerélève(4); }, noter(4, 2, "7"), 1, true,
     [](DeuxOrdinateurs& o) { EXPECT_EQ(o.élèves(), (QStringList{dupont, martin})); }},
    {"interro créée des deux côtés",
     [](DeuxOrdinateurs& o) { o.nouvelleinterrodu(QStringLiteral("05/10/2026"), {"16", "A", "NC"}); },
     [](DeuxOrdinateurs& o) { o.nouvelleinterrodu(QStringLiteral("06/10/2026"), {"11", "12", "13"}); }, 0, false,
     [](DeuxOrdinateurs& o) {
       EXPECT_EQ(état().nbinterros, 5);
       EXPECT_EQ(o.note(dupont, 4), QStringLiteral("16"));
       EXPECT_EQ(o.note(dupont, 5), QStringLiteral("11"));
       EXPECT_EQ(o.note(martin, 5), QStringLiteral("13"));
     }},
    {"interro supprimée sur A, notes tapées sur B", [](DeuxOrdinateurs& o) { o.supprimerdernierteste(); },
     noter(5, 4, "9"), 1, false,
     [](DeuxOrdinateurs& o) {
       EXPECT_EQ(état().nbinterros, 3);
       EXPECT_EQ(o.note(martin, 3), QStringLiteral("9"));
     }},
    {"période créée sur A, notes tapées sur B", [](DeuxOrdinateurs& o) { o.créerpériode(); }, noter(5, 2, "5"), 0,
     false,
     [](DeuxOrdinateurs& o) {
       EXPECT_TRUE(o.donnéesA().contains(QStringLiteral("5A131/5A131.P3N")));
       EXPECT_EQ(état().dernièrepériode[1], 3);
       EXPECT_EQ(o.note(martin, 1), QStringLiteral("5"));
     }},
};

class ScenariosDeuxOrdinateurs : public DeuxOrdinateurs, public ::testing::WithParamInterface<Scénario> {};

}  // namespace

// Chaque scénario : B s'ouvre, A change et quitte, B (ouvert d'avant) change et
// quitte, puis A et B reviennent. Les deux ordinateurs et le disque ont alors les
// mêmes fichiers de données, et la fenêtre des conflits n'a montré que les conflits.
TEST_P(ScenariosDeuxOrdinateurs, RienNEstPerdu) {
  const Scénario& s = GetParam();
  session(QStringLiteral("B"));
  session(QStringLiteral("A"));
  s.surA(*this);
  quitter();
  session(QStringLiteral("B"));
  s.surB(*this);
  int lignes = -1;
  surfenêtre = [&](const QString& nom) {
    if (nom != u"conflits") return;
    FenetreConflits& f = fenêtreconflits();
    f.Form_Load();
    lignes = f.nombrelignes();
    if (s.garderlà) {
      f.toutgarder(*s.garderlà);
      f.ok_Click();
    } else if (s.quitterlafenêtre) {
      f.toutgarder(false);  // « celle-ci » choisie, puis la fenêtre quittée sans OK
      s.quitterlafenêtre(f);
    } else {
      f.annuler_Click();
    }
  };
  if (!s.garderlà) boîtes.répondre(OUI);  // quitter quand même, la classe restée sur B
  quitter();
  surfenêtre = nullptr;
  EXPECT_EQ(lignes, s.conflits == 0 ? -1 : s.conflits);
  session(QStringLiteral("A"));
  EXPECT_FALSE(questiondanciennesversions());
  s.vérifier(*this);
  if (!s.garderlà) return;
  session(QStringLiteral("B"));
  EXPECT_FALSE(questiondanciennesversions());
  EXPECT_EQ(donnéesA(), donnéesdisque());
  EXPECT_EQ(donnéesB(), donnéesdisque());
}

INSTANTIATE_TEST_SUITE_P(Tableau, ScenariosDeuxOrdinateurs, ::testing::ValuesIn(scénarios),
                         [](const ::testing::TestParamInfo<Scénario>& i) { return std::to_string(i.index); });

namespace {

// Les tests de chaque période d'un dossier de données, en double : chaque test y
// est nommé par ses renseignements (maximum, date, matière, compétence).
QStringList testsendouble(const QString& dossier) {
  QStringList doubles;
  QDirIterator it(dossier, {QStringLiteral("*.P?R"), QStringLiteral("*.E?R")}, QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString chemin = it.next();
    if (chemin.contains(dossierancêtres)) continue;
    const QStringList l = lirefichier(chemin);
    QSet<QString> vus;
    for (qsizetype k = 0; k + 3 < l.size(); k += 4) {
      const QString identité = l.mid(k, 4).join(u'|');
      if (vus.contains(identité)) doubles.append(chemin.section(u'/', -1) + u' ' + identité);
      vus.insert(identité);
    }
  }
  return doubles;
}

// Les versions communes qu'un ordinateur a gardées pour la classe, le jour où il
// reçoit cette version du programme.
enum class Ancêtres { Aucun, Tous, PériodeSeule, SaufLaPériode };

const char* nomancêtres(Ancêtres a) {
  switch (a) {
    case Ancêtres::Aucun: return "aucun";
    case Ancêtres::Tous: return "tous";
    case Ancêtres::PériodeSeule: return "periode1seule";
    case Ancêtres::SaufLaPériode: return "saufperiode1";
  }
  return "";
}

void garderancêtres(const QString& racine, Ancêtres a) {
  const QString dossier = racine + QStringLiteral("/evalo/") + dossierancêtres + QStringLiteral("/5A131");
  for (const QString& f : QDir(dossier).entryList(QDir::Files)) {
    const bool période = f.startsWith(QStringLiteral("5A131.P1"));
    const bool garder = a == Ancêtres::Tous || (a == Ancêtres::PériodeSeule && période) || (a == Ancêtres::SaufLaPériode && !période);
    if (!garder) QFile::remove(dossier + u'/' + f);
  }
}

class JourDeLaMiseAJour : public DeuxOrdinateurs, public ::testing::WithParamInterface<std::tuple<Ancêtres, Ancêtres>> {};

}  // namespace

// Le jour où cette version arrive sur les deux ordinateurs : chacun a gardé, ou non,
// une version commune de chaque fichier de la classe. A note et quitte ; B, à son
// premier démarrage, prend la note (sans question s'il a la version commune de la
// période, avec la question d'avant sinon) ; B note et quitte ; A reprend. Aucune
// période n'a jamais deux copies d'un test, et les trois dossiers finissent pareils.
TEST_P(JourDeLaMiseAJour, AucunTestEnDoubleEtRienNEstPerdu) {
  const auto [surA, surB] = GetParam();
  garderancêtres(racine, surA);
  garderancêtres(racineB, surB);
  bool questionposée = false;
  boîtes.surboîte = [&](const BoiteMontrée& b) {
    if (b.titre != u"ATTENTION") return;
    questionposée = true;
    boîtes.répondre(OUI);  // prendre la copie du disque amovible, comme avant
  };
  const auto sansdouble = [&](const char* quand) {
    for (const QString& d : {racine + QStringLiteral("/evalo"), racineB + QStringLiteral("/evalo"), dossieramov})
      EXPECT_EQ(testsendouble(d), QStringList()) << quand << " " << d.toStdString();
    EXPECT_EQ(état().nbinterros, 3) << quand;
  };
  session(QStringLiteral("A"));
  noter(3, 2, QStringLiteral("3"));  // Dupont Élodie, interro 1 : 12 → 3
  quitter();
  session(QStringLiteral("B"));
  EXPECT_EQ(note(dupont, 1), QStringLiteral("3"));
  EXPECT_EQ(questionposée, surB == Ancêtres::Aucun || surB == Ancêtres::SaufLaPériode);
  EXPECT_FALSE(fenêtresmontrées.contains(QStringLiteral("conflits")));
  sansdouble("B, premier démarrage");
  noter(5, 2, QStringLiteral("5"));  // Martin Léa, interro 1 : 9.5 → 5
  quitter();
  questionposée = false;
  session(QStringLiteral("A"));
  EXPECT_FALSE(questionposée);
  EXPECT_EQ(note(dupont, 1), QStringLiteral("3"));
  EXPECT_EQ(note(martin, 1), QStringLiteral("5"));
  sansdouble("A revenu");
  quitter();
  session(QStringLiteral("B"));
  EXPECT_FALSE(questionposée);
  EXPECT_EQ(donnéesA(), donnéesdisque());
  EXPECT_EQ(donnéesB(), donnéesdisque());
  boîtes.surboîte = nullptr;
}

INSTANTIATE_TEST_SUITE_P(Ancetres, JourDeLaMiseAJour,
                         ::testing::Combine(::testing::Values(Ancêtres::Aucun, Ancêtres::Tous, Ancêtres::PériodeSeule, Ancêtres::SaufLaPériode),
                                            ::testing::Values(Ancêtres::Aucun, Ancêtres::Tous, Ancêtres::PériodeSeule, Ancêtres::SaufLaPériode)),
                         [](const auto& i) {
                           return std::string("A_") + nomancêtres(std::get<0>(i.param)) + "_B_" + nomancêtres(std::get<1>(i.param));
                         });

namespace {

// Le temps d'un essai : les trois dossiers tels qu'ils sont, à remettre.
class Instantané {
public:
  explicit Instantané(const QStringList& dossiers) : dossiers_(dossiers) {
    for (const QString& d : dossiers_) {
      copies_.append(d + QStringLiteral(".instantané"));
      QDir(copies_.last()).removeRecursively();
      copierdossier(d, copies_.last());
    }
  }
  void remettre() const {
    for (qsizetype i = 0; i < dossiers_.size(); ++i) {
      QDir(dossiers_[i]).removeRecursively();
      copierdossier(copies_[i], dossiers_[i]);
    }
  }

private:
  QStringList dossiers_, copies_;
};

}  // namespace

// La fenêtre des conflits nomme l'élève, le test, les deux valeurs, quand et où
// chacune a été tapée.
TEST_F(DeuxOrdinateurs, LaFenetreDesConflitsDitQuiAFaitQuoiEtQuand) {
  session(QStringLiteral("B"));
  session(QStringLiteral("A"));
  noter(3, 2, QStringLiteral("15"));
  quitter();
  session(QStringLiteral("B"));
  horloge.fixer(horloge.maintenant().addSecs(3600));
  noter(3, 2, QStringLiteral("16"));
  surfenêtre = [](const QString& nom) {
    ASSERT_EQ(nom, QStringLiteral("conflits"));
    FenetreConflits& f = fenêtreconflits();
    f.Form_Load();
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Conflits - 5A"));
    ASSERT_EQ(f.nombrelignes(), 1);
    EXPECT_EQ(f.texte(0, FenetreConflits::Période), QStringLiteral("P1"));
    EXPECT_EQ(f.texte(0, FenetreConflits::Élève), QStringLiteral("Dupont Élodie"));
    EXPECT_EQ(f.texte(0, FenetreConflits::Quoi), QStringLiteral("interro n°1"));
    EXPECT_EQ(f.texte(0, FenetreConflits::Ici), QStringLiteral("16  (14/09/2026 09:30)"));
    EXPECT_EQ(f.texte(0, FenetreConflits::Là), QStringLiteral("15  (14/09/2026 08:30 (A))"));
    EXPECT_FALSE(f.gardelà(0));
    f.choisir(0, true);
    f.ok_Click();
  };
  quitter();
  surfenêtre = nullptr;
  // La valeur qui n'est pas gardée reste dans l'historique : l'annulation de la fusion la rend.
  const QList<Modification> h = historiqueclasse(QStringLiteral("5A131"));
  ASSERT_FALSE(h.isEmpty());
  EXPECT_EQ(h.last().libellé, QStringLiteral("Fusion avec A : 1 valeur reprise, 1 conflit"));
  chargerclasse();
  EXPECT_EQ(note(dupont, 1), QStringLiteral("15"));
  ASSERT_TRUE(àannuler(QStringLiteral("5A131")));
  EXPECT_TRUE(àannuler(QStringLiteral("5A131"))->libellé.startsWith(QStringLiteral("Fusion avec A")));
  p.annuler_Click();
  EXPECT_EQ(note(dupont, 1), QStringLiteral("16"));
}

// Une interro du milieu supprimée sur A, un élève retiré sur A, pendant que B y tape
// des notes : chaque ligne dit ce que chaque côté a fait, où et quand.
TEST_F(DeuxOrdinateurs, LesConflitsDisentCeQueChaqueCoteAFait) {
  const struct {
    const char* nom;
    Geste surA, surB;
    const char *période, *élève, *quoi, *ici, *là;
  } cas[] = {
      {"interro du milieu supprimée", [](DeuxOrdinateurs& o) { o.supprimerinterro(2); }, ::noter(5, 3, "16.5"), "P1", "", "interro n°2", "gardée, notes changées  (14/09/2026 09:30)",
       "supprimée  (14/09/2026 08:30 (A))"},
      {"élève retiré", [](DeuxOrdinateurs& o) { o.retirerélève(4); }, ::noter(4, 2, "7"), "P1, P2", "Durand Paul", "élève",
       "gardé(e), notes changées  (14/09/2026 09:30)", "retiré(e) de la classe  (14/09/2026 08:30 (A))"},
  };
  const Instantané instantané({racine, racineB, dossieramov});
  const QDateTime départ = horloge.maintenant();
  for (const auto& c : cas) {
    instantané.remettre();
    horloge.fixer(départ);
    session(QStringLiteral("B"));
    session(QStringLiteral("A"));
    c.surA(*this);
    quitter();
    session(QStringLiteral("B"));
    horloge.fixer(départ.addSecs(3600));
    c.surB(*this);
    int lignes = -1;
    surfenêtre = [&](const QString&) {
      FenetreConflits& f = fenêtreconflits();
      f.Form_Load();
      lignes = f.nombrelignes();
      EXPECT_EQ(f.texte(0, FenetreConflits::Période), QString::fromUtf8(c.période)) << c.nom;
      EXPECT_EQ(f.texte(0, FenetreConflits::Élève), QString::fromUtf8(c.élève)) << c.nom;
      EXPECT_EQ(f.texte(0, FenetreConflits::Quoi), QString::fromUtf8(c.quoi)) << c.nom;
      EXPECT_EQ(f.texte(0, FenetreConflits::Ici), QString::fromUtf8(c.ici)) << c.nom;
      EXPECT_EQ(f.texte(0, FenetreConflits::Là), QString::fromUtf8(c.là)) << c.nom;
      f.ok_Click();
    };
    quitter();
    surfenêtre = nullptr;
    EXPECT_EQ(lignes, 1) << c.nom;
  }
}

// Une copie du disque amovible abîmée mais lisible (les deux lignes d'un élève en
// double dans P2N, une compétence qui n'en est pas) est refusée avec son nom avant
// toute écriture, qu'elle soit à reprendre ou à fusionner ; cet ordinateur garde sa copie.
TEST_F(DeuxOrdinateurs, UneCopieAbimeeDuDisqueEstRefusee) {
  const QString p2n = QStringLiteral("/5A131/5A131.P2N");
  const struct {
    const char* nom;
    bool notersurB;  // B a changé la classe aussi : fusion
    std::function<QStringList(QStringList)> abîmer;
  } cas[] = {
      {"élève en double, à reprendre", false, [](QStringList l) { return l.mid(0, 6) + l.mid(4, 2) + l.mid(6); }},
      {"élève en double, à fusionner", true, [](QStringList l) { return l.mid(0, 6) + l.mid(4, 2) + l.mid(6); }},
      {"compétence abîmée, à reprendre", false,
       [](QStringList l) {
         l[l.size() - 1] = QStringLiteral("Martin Léa");
         return l;
       }},
  };
  const Instantané instantané({racine, racineB, dossieramov});
  for (const auto& c : cas) {
    SCOPED_TRACE(c.nom);
    instantané.remettre();
    session(QStringLiteral("B"));
    if (c.notersurB) noter(5, 2, QStringLiteral("5"));
    session(QStringLiteral("A"));
    noter(3, 2, QStringLiteral("3"));
    quitter();
    écrirefichier(dossieramov + p2n, c.abîmer(lirefichier(dossieramov + p2n)));
    const Fichiers avantB = donnéesB(), avantdisque = donnéesdisque();
    boîtes.oublier();
    boîtes.répondre(OK);
    QFile::remove(racineB + QStringLiteral("/evalo/") + nomlistevérifiés);
    session(QStringLiteral("B"));
    const QList<BoiteMontrée> avertis = boîtes.montrées(GenreBoite::Avertissement);
    ASSERT_EQ(avertis.size(), 1);
    EXPECT_TRUE(avertis[0].texte.contains(QStringLiteral("ne peuvent pas être fusionnées"))) << avertis[0].texte.toStdString();
    EXPECT_TRUE(avertis[0].texte.contains(QStringLiteral("5A131.P2N » est abîmée"))) << avertis[0].texte.toStdString();
    EXPECT_EQ(donnéesB(), avantB);
    EXPECT_EQ(donnéesdisque(), avantdisque);
  }
}

// Le va-et-vient ordinaire, le disque toujours emporté : trois allers-retours,
// aucune question, chaque changement repris de l'autre côté.
TEST_F(DeuxOrdinateurs, TroisAllersRetoursSansQuestion) {
  for (int tour = 1; tour <= 3; ++tour) {
    session(QStringLiteral("A"));
    noter(3, 2, QString::number(tour));
    quitter();
    session(QStringLiteral("B"));
    EXPECT_EQ(note(dupont, 1), QString::number(tour)) << tour;
    noter(5, 2, QString::number(10 + tour));
    quitter();
  }
  session(QStringLiteral("A"));
  EXPECT_EQ(note(martin, 1), QStringLiteral("13"));
  EXPECT_FALSE(questiondanciennesversions());
  EXPECT_FALSE(fenêtresmontrées.contains(QStringLiteral("conflits")));
  EXPECT_EQ(donnéesA(), donnéesdisque());
  EXPECT_EQ(donnéesB(), donnéesdisque());
}

// Un arrêt brutal à chaque étape de la sortie qui fusionne : après le redémarrage,
// la classe est tout entière d'avant ou d'après, sur le disque dur comme sur le
// disque amovible.
TEST_F(DeuxOrdinateurs, ArretBrutalAChaqueEtapeDUneFusion) {
  deuxcopiesdivergentes();
  const Fichiers avantB = donnéesB(), avantdisque = donnéesdisque();
  const Instantané instantané({racine, racineB, dossieramov});
  quitter();
  const Fichiers aprèsB = donnéesB(), aprèsdisque = donnéesdisque();
  ASSERT_NE(aprèsB, avantB);
  ASSERT_EQ(aprèsB, aprèsdisque);
  bool arrêté = true;
  for (int n = 0; arrêté; ++n) {
    instantané.remettre();
    oublierhistoriques();
    fixerordinateur(QStringLiteral("B"));
    simulerarrêtaprès(n);
    arrêté = false;
    try {
      sauvegardedesortieprincipale({});
    } catch (const ArrêtSimulé&) {
      arrêté = true;
    }
    simulerarrêtaprès(-1);
    achevertransactionsenattente();
    const Fichiers b = donnéesB(), d = donnéesdisque();
    EXPECT_TRUE(b == avantB || b == aprèsB) << "arrêt après " << n << " opérations";
    EXPECT_TRUE(d == avantdisque || d == aprèsdisque) << "arrêt après " << n << " opérations";
    ASSERT_LT(n, 60);
  }
}

// Le même arrêt, par un vrai SIGKILL : un autre processus quitte comme B et se tue à
// la n-ième opération de ses transactions ; au redémarrage, chaque copie de la
// classe est tout entière d'avant ou d'après.
TEST_F(DeuxOrdinateurs, VraiSigkillAChaqueEtapeDUneFusion) {
  deuxcopiesdivergentes();
  const Instantané instantané({racine, racineB, dossieramov});
  const auto quitterailleurs = [&](int n) {
    instantané.remettre();
    QProcess enfant;
    enfant.start(QStringLiteral(EVALO_ENFANT_FUSION), {racineB, dossieramov, QString::number(n)});
    EXPECT_TRUE(enfant.waitForFinished(30000));
    oublierhistoriques();
    achevertransactionsenattente();
    // Sous Windows, TerminateProcess rend le code 9, que Qt ne compte pas comme un plantage.
    return enfant.exitStatus() == QProcess::CrashExit || enfant.exitCode() == 9;
  };
  const Fichiers avantB = donnéesB(), avantdisque = donnéesdisque();
  ASSERT_FALSE(quitterailleurs(-1));
  const Fichiers aprèsB = donnéesB(), aprèsdisque = donnéesdisque();
  ASSERT_NE(aprèsB, avantB);
  ASSERT_EQ(aprèsB, aprèsdisque);
  int n = 0;
  while (quitterailleurs(n)) {
    const Fichiers b = donnéesB(), d = donnéesdisque();
    EXPECT_TRUE(b == avantB || b == aprèsB) << "arrêt à l'opération " << n;
    EXPECT_TRUE(d == avantdisque || d == aprèsdisque) << "arrêt à l'opération " << n;
    ASSERT_LT(++n, 60);
  }
  EXPECT_GT(n, 5);  // la fusion, la copie et les ancêtres ont chacun été coupés
}

// Disque plein pendant la fusion : un message, rien n'a changé ni ici ni sur le
// disque amovible, et la classe reste à copier.
TEST_F(DeuxOrdinateurs, DisquePleinPendantUneFusion) {
  deuxcopiesdivergentes();
  const Fichiers avantB = donnéesB(), avantdisque = donnéesdisque();
  boîtes.oublier();
  simulerpanneaufichier(1);
  boîtes.répondre(ANNULER);  // renoncer à la fusion après « Le disque est plein »
  boîtes.répondre(NON);      // ne pas quitter sans la copie
  EXPECT_FALSE(sauvegardedesortieprincipale({}));
  EXPECT_TRUE(boîtes.montrées()[0].texte.contains(QStringLiteral("Le disque est plein")));
  EXPECT_TRUE(boîtes.montrées()[1].texte.contains(QStringLiteral("la fusion a été annulée")));
  EXPECT_EQ(donnéesB(), avantB);
  EXPECT_EQ(donnéesdisque(), avantdisque);
  EXPECT_TRUE(QFile::exists(racineB + QStringLiteral("/evalo/") + nomlistemodifications));

  // Le disque tout à fait plein : la liste des fichiers restants ne se réécrit pas,
  // celle d'avant reste (elle les nomme déjà) ; aucune boîte ne propose de quitter.
  boîtes.oublier();
  simulerdisquepleinaprès(0);
  boîtes.répondre(ANNULER);
  boîtes.répondre(NON);
  EXPECT_FALSE(sauvegardedesortieprincipale({}));
  simulerdisquepleinaprès(-1);
  EXPECT_EQ(boîtes.montrées().size(), 2);
  EXPECT_EQ(donnéesB(), avantB);
  EXPECT_EQ(donnéesdisque(), avantdisque);
  EXPECT_TRUE(QFile::exists(racineB + QStringLiteral("/evalo/") + nomlistemodifications));
}

namespace {

// Une instance de Syncthing, configurée avant son premier démarrage pour ne parler
// qu'à 127.0.0.1 : ni découverte locale ou globale, ni relais, ni NAT, ni rapport
// d'usage ou de plantage, ni mise à jour ; pas d'interface web.
class InstanceSyncthing {
public:
  InstanceSyncthing(const QString& maison, const QString& dossier, int port) : maison_(maison), dossier_(dossier), port_(port) {
    QDir().mkpath(dossier + QStringLiteral("/.stfolder"));
    QFile ignorés(dossier + QStringLiteral("/.stignore"));
    if (ignorés.open(QIODevice::WriteOnly)) ignorés.write("*.~evalo\ntransaction.evl\n");
  }
  ~InstanceSyncthing() { arrêter(); }

  bool générer() {
    QProcess p;
    p.setProcessEnvironment(environnement());
    p.start(QStringLiteral("syncthing"), {QStringLiteral("generate"), QStringLiteral("--home=") + maison_,
                                          QStringLiteral("--no-default-folder"), QStringLiteral("--skip-port-probing")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return false;
    const QRegularExpression motif(QStringLiteral("<device id=\"([A-Z0-9-]+)\""));
    identifiant_ = motif.match(configuration()).captured(1);
    return !identifiant_.isEmpty();
  }

  void partageravec(const InstanceSyncthing& autre) {
    QString c = configuration();
    const auto remplacer = [&](const QString& balise, const QString& valeur) {
      c.replace(QRegularExpression(QStringLiteral("<%1>[^<]*</%1>").arg(balise)), QStringLiteral("<%1>%2</%1>").arg(balise, valeur));
    };
    remplacer(QStringLiteral("listenAddress"), QStringLiteral("tcp://127.0.0.1:%1").arg(port_));
    for (const char* faux : {"globalAnnounceEnabled", "localAnnounceEnabled", "relaysEnabled", "natEnabled", "startBrowser",
                             "crashReportingEnabled", "announceLANAddresses"})
      remplacer(QString::fromUtf8(faux), QStringLiteral("false"));
    remplacer(QStringLiteral("urAccepted"), QStringLiteral("-1"));
    remplacer(QStringLiteral("autoUpgradeIntervalH"), QStringLiteral("0"));
    remplacer(QStringLiteral("globalAnnounceServer"), QString());
    remplacer(QStringLiteral("stunServer"), QString());
    remplacer(QStringLiteral("reconnectionIntervalS"), QStringLiteral("1"));
    c.replace(QStringLiteral("<gui enabled=\"true\""), QStringLiteral("<gui enabled=\"false\""));
    c.replace(QStringLiteral("<address>dynamic</address>"), QStringLiteral("<address>tcp://127.0.0.1:%1</address>").arg(port_));
    const QString appareil = QStringLiteral(
        "    <device id=\"%1\" name=\"%2\" compression=\"metadata\" introducer=\"false\">\n"
        "        <address>tcp://127.0.0.1:%3</address>\n        <paused>false</paused>\n    </device>\n")
        .arg(autre.identifiant_, autre.maison_.section(u'/', -1)).arg(autre.port_);
    const QString dossier = QStringLiteral(
        "    <folder id=\"evalo\" label=\"evalo\" path=\"%1\" type=\"sendreceive\" rescanIntervalS=\"1\" "
        "fsWatcherEnabled=\"false\" ignorePerms=\"false\" autoNormalize=\"true\">\n"
        "        <device id=\"%2\"></device>\n        <device id=\"%3\"></device>\n"
        "        <minDiskFree unit=\"%\">0</minDiskFree>\n        <maxConflicts>10</maxConflicts>\n    </folder>\n")
        .arg(dossier_, identifiant_, autre.identifiant_);
    c.replace(QStringLiteral("    <gui "), appareil + dossier + QStringLiteral("    <gui "));
    QFile f(maison_ + QStringLiteral("/config.xml"));
    if (f.open(QIODevice::WriteOnly)) f.write(c.toUtf8());
  }

  bool démarrer() {
    processus_ = std::make_unique<QProcess>();
    processus_->setProcessEnvironment(environnement());
    processus_->setStandardOutputFile(maison_ + QStringLiteral("/journal.txt"), QIODevice::Append);
    processus_->setStandardErrorFile(maison_ + QStringLiteral("/journal.txt"), QIODevice::Append);
    processus_->start(QStringLiteral("syncthing"),
                      {QStringLiteral("serve"), QStringLiteral("--home=") + maison_, QStringLiteral("--no-browser"),
                       QStringLiteral("--no-restart"), QStringLiteral("--no-upgrade"), QStringLiteral("--no-default-folder")});
    return processus_->waitForStarted(10000);
  }

  void arrêter() {
    if (!processus_) return;
    processus_->terminate();
    if (!processus_->waitForFinished(10000)) {
      processus_->kill();
      processus_->waitForFinished(5000);
    }
    processus_.reset();
  }

  QString journal() const {
    QFile f(maison_ + QStringLiteral("/journal.txt"));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll().right(3000)) : QString();
  }

private:
  QString configuration() const {
    QFile f(maison_ + QStringLiteral("/config.xml"));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
  }
  static QProcessEnvironment environnement() {
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.insert(QStringLiteral("STNOUPGRADE"), QStringLiteral("1"));
    e.insert(QStringLiteral("STNODEFAULTFOLDER"), QStringLiteral("1"));
    e.insert(QStringLiteral("STNORESTART"), QStringLiteral("1"));
    return e;
  }

  QString maison_, dossier_, identifiant_;
  int port_;
  std::unique_ptr<QProcess> processus_;
};

// Attend, 90 secondes au plus, que la condition soit vraie.
bool attendre(const std::function<bool()>& condition) {
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < 90000) {
    if (condition()) return true;
    QThread::msleep(200);
  }
  return condition();
}

QStringList copiesenconflitdans(const QString& dossier) {
  QStringList copies;
  for (const QString& f : QDir(dossier).entryList(QDir::Files))
    if (!originaldecopieenconflit(f).isEmpty()) copies.append(f);
  return copies;
}

}  // namespace

// Un vrai dossier synchronisé : deux Syncthing sur 127.0.0.1, un par ordinateur. B
// est arrêté pendant que les deux ordinateurs notent la même classe ; à son retour,
// Syncthing fait sa copie en conflit ; le programme la fusionne, la met de côté,
// et les notes des deux ordinateurs restent.
TEST_F(DeuxOrdinateurs, UnVraiDossierSynchroniseParSyncthing) {
  if (QStandardPaths::findExecutable(QStringLiteral("syncthing")).isEmpty())
    GTEST_SKIP() << "syncthing n'est pas installé (bash scripts/dependances.sh --essais l'installe)";
  const int port = 23000 + static_cast<int>(QCoreApplication::applicationPid() % 2000) * 2;
  amovibleB = temporaire.path() + QStringLiteral("/dossier synchronisé de B");
  InstanceSyncthing a(temporaire.path() + QStringLiteral("/syncthing-A"), dossieramov, port);
  InstanceSyncthing b(temporaire.path() + QStringLiteral("/syncthing-B"), amovibleB, port + 1);
  ASSERT_TRUE(a.générer() && b.générer());
  a.partageravec(b);
  b.partageravec(a);
  ASSERT_TRUE(a.démarrer() && b.démarrer());
  const QString p1n = QStringLiteral("/5A131/5A131.P1N");
  const auto même = [&](const QString& relatif) {
    return QFile::exists(amovibleB + relatif) && lire(dossieramov + relatif) == lire(amovibleB + relatif);
  };
  ASSERT_TRUE(attendre([&] { return même(p1n) && même(QStringLiteral("/listclas.13")); })) << b.journal().toStdString();

  b.arrêter();
  session(QStringLiteral("A"));
  noter(3, 2, QStringLiteral("3"));  // Dupont Élodie : 12 → 3
  quitter();
  session(QStringLiteral("B"));
  noter(5, 2, QStringLiteral("5"));  // Martin Léa : 9.5 → 5
  quitter();
  ASSERT_NE(lire(dossieramov + p1n), lire(amovibleB + p1n));
  ASSERT_TRUE(b.démarrer());
  ASSERT_TRUE(attendre([&] {
    return !copiesenconflitdans(dossieramov + QStringLiteral("/5A131")).isEmpty() &&
           !copiesenconflitdans(amovibleB + QStringLiteral("/5A131")).isEmpty() && même(p1n);
  })) << a.journal().toStdString();
  const QString copie = copiesenconflitdans(dossieramov + QStringLiteral("/5A131")).first();

  boîtes.oublier();
  session(QStringLiteral("A"));
  EXPECT_EQ(note(dupont, 1), QStringLiteral("3"));
  EXPECT_EQ(note(martin, 1), QStringLiteral("5"));
  EXPECT_FALSE(fenêtresmontrées.contains(QStringLiteral("conflits")));
  ASSERT_FALSE(boîtes.montrées().isEmpty());
  EXPECT_TRUE(boîtes.montrées().last().texte.contains(QStringLiteral("Copies en conflit d'un service de synchronisation"))) << boîtes.montrées().last().texte.toStdString();
  EXPECT_TRUE(copiesenconflitdans(dossieramov + QStringLiteral("/5A131")).isEmpty());
  EXPECT_TRUE(QFile::exists(dossieramov + u'/' + dossiercopiesenconflit + QStringLiteral("/5A131/") + copie));
  quitter();

  ASSERT_TRUE(attendre([&] { return même(p1n) && copiesenconflitdans(amovibleB + QStringLiteral("/5A131")).isEmpty(); }))
      << b.journal().toStdString();
  session(QStringLiteral("B"));
  EXPECT_EQ(note(dupont, 1), QStringLiteral("3"));
  EXPECT_EQ(note(martin, 1), QStringLiteral("5"));
  a.arrêter();
  b.arrêter();
  EXPECT_EQ(donnéesA(), donnéesB());
}
