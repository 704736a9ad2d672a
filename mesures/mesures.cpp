// Chargement, calcul, sauvegarde et totaux d'une classe réaliste et d'une grande
// classe. Le compteur "par_champ" donne le temps par champ (note écrite ou champ
// de note orale) : il doit rester du même ordre pour les deux tailles.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <map>
#include <memory>

#include <xlsxwriter.h>

#include "classes/importliste.h"
#include "noyau/fichiers/listeimportee.h"
#include "noyau/base/portetexte.h"
#include "feuille/historique.h"
#include "feuille/principale.h"
#include "impression/imprimer.h"
#include "impression/selection.h"
#include "impression/totaux.h"
#include "noyau/base/dossiers.h"
#include "noyau/base/etat.h"
#include "noyau/demo/demo.h"
#include "noyau/fichiers/listeclasses.h"
#include "noyau/fichiers/notesclasse.h"
#include "noyau/fichiers/renseignements.h"
#include "noyau/fusion/fusion.h"
#include "noyau/regles/maintenance.h"
#include "noyau/regles/resultats.h"
#include "noyau/regles/totaux.h"
#include "noyau/sorties/classeur.h"
#include "noyau/suivi/ecriture.h"
#include "noyau/suivi/historique.h"
#include "plateforme/fichiers.h"
#include "plateforme/nombres.h"
#include "plateforme/qt/grille.h"
#include "plateforme/qt/imprimanteqt.h"
#include "plateforme/services.h"
#include "rapports/classement.h"
#include "socle/registre.h"

namespace {

const TailleClasse réaliste{30, 40, 10, 4, 3, 2};
const TailleClasse grande{1000, 500, 10, 4, 3, 2};

const TailleClasse& taille(int rang) { return rang == 0 ? réaliste : grande; }

// Une classe écrite une fois par taille, puis rechargée avant chaque mesure.
void préparer(int rang) {
  static std::map<int, std::unique_ptr<QTemporaryDir>> dossiers;
  auto& d = dossiers[rang];
  if (!d) {
    d = std::make_unique<QTemporaryDir>();
    créerclassedemesure(d->path(), taille(rang));
  }
  réinitialiserétat();
  état().dossierracine = d->path();
  état().annéescolaire = QStringLiteral("26");
  état().nbclasses = 1;
  for (auto* t : {&état().nomclasse, &état().nomcours, &état().dossierclasse}) t->redim(2);
  état().dossierclasse[1] = QStringLiteral("5A261");
  état().dernièrepériode.redim(2);
  état().nbexamenscréés.redim(2);
  état().dernièrepériode[1] = taille(rang).périodes;
  état().nbexamenscréés[1] = taille(rang).examens;
  état().classecourante = 1;
  état().périodecourante = QStringLiteral("P1");
  chargerclasse();
}

double champs(int rang) {
  const TailleClasse& t = taille(rang);
  return static_cast<double>(t.élèves) * (t.interros + 4.0 * t.orales);
}

void compterchamps(benchmark::State& état_, double parfois) {
  état_.counters["par_champ"] =
      benchmark::Counter(champs(static_cast<int>(état_.range(0))) * parfois,
                         benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void Chargement(benchmark::State& s) {
  préparer(static_cast<int>(s.range(0)));
  for (auto _ : s) chargerclasse();
  compterchamps(s, 1);
}

void Calcul(benchmark::State& s) {
  préparer(static_cast<int>(s.range(0)));
  for (auto _ : s)
    for (int i = 1; i <= état().nbélèves; ++i) calculerrésultats(i);
  compterchamps(s, 1);
}

void Sauvegarde(benchmark::State& s) {
  préparer(static_cast<int>(s.range(0)));
  const QString liste = chemindisquedur(nomlistemodifications);
  for (auto _ : s) {
    sauverclasse();
    s.PauseTiming();
    supprimerfichier(liste);  // la liste des modifications ne grossit pas d'une mesure à l'autre
    s.ResumeTiming();
  }
  compterchamps(s, 1);
}

void Totaux(benchmark::State& s) {
  préparer(static_cast<int>(s.range(0)));
  const TailleClasse& t = taille(static_cast<int>(s.range(0)));
  for (auto _ : s) rassemblertotaux();
  // Les totaux relisent chaque période et chaque examen, puis la période ouverte.
  compterchamps(s, t.périodes + t.examens + 1);
}

// Remplissage d'une grille cellule par cellule, comme le font les fenêtres :
// 1000 élèves sur 500 colonnes, texte et couleur, puis l'affichage.
void RemplissageGrille(benchmark::State& s) {
  const int lignes = static_cast<int>(s.range(0)), colonnes = static_cast<int>(s.range(1));
  Grille g;
  g.resize(1200, 800);
  g.show();
  for (auto _ : s) {
    g.Visible(false);
    g.Rows(1);
    g.Cols(1);
    g.Rows(lignes + 3);
    g.Cols(colonnes + 2);
    g.FixedRows(3);
    g.FixedCols(1);
    for (int c = 0; c < colonnes + 2; ++c) g.ColWidth(c, c == 1 ? 2800 : 500);
    for (int l = 0; l < lignes + 3; ++l) {
      g.Row(l);
      for (int c = 0; c < colonnes + 2; ++c) {
        g.Col(c);
        g.Text(QStringLiteral("12.5"));
        g.CellForeColor(c % 3 ? noir : rouge);
      }
    }
    g.Visible(true);
    QApplication::processEvents();
  }
  s.counters["cellules"] = static_cast<double>(lignes + 3) * (colonnes + 2);
}

// La feuille principale de la classe réaliste, affichée.
FenetrePrincipale& ouvrirfeuille() {
  préparer(0);
  état().listeclassesaffichées.redim(2);
  état().listeclassesaffichées[1] = QStringLiteral("5A");
  FenetrePrincipale& feuille = principale();
  feuille.Form_Load();
  feuille.show();
  return feuille;
}

// Une note tapée sur place dans la case du premier test du premier élève.
void taperunenote(FenetrePrincipale& feuille, const QString& note) {
  feuille.grille1->Row(3);
  feuille.grille1->Col(2);
  feuille.grille1->éditer(note);
  feuille.grille1->finirédition(13);
  QApplication::processEvents();
}

// D'une note corrigée à la grille reconstruite : résultats de l'élève, ligne,
// sauvegarde, statistiques et remplissage de la feuille principale.
// Une note tapée sur place dans la grille, jusqu'à la feuille repeinte.
void CorrectionNote(benchmark::State& s) {
  FenetrePrincipale& feuille = ouvrirfeuille();
  const QString liste = chemindisquedur(nomlistemodifications);
  bool bascule = false;
  for (auto _ : s) {
    taperunenote(feuille, (bascule = !bascule) ? QStringLiteral("12.5") : QStringLiteral("13"));
    s.PauseTiming();
    supprimerfichier(liste);
    s.ResumeTiming();
  }
  feuille.hide();
}

// Une note tapée puis annulée (Ctrl+Z) : les fichiers d'avant remis en une
// transaction, la classe relue et la grille refaite.
void AnnulationNote(benchmark::State& s) {
  FenetrePrincipale& feuille = ouvrirfeuille();
  const QString liste = chemindisquedur(nomlistemodifications);
  bool bascule = false;
  for (auto _ : s) {
    s.PauseTiming();
    taperunenote(feuille, (bascule = !bascule) ? QStringLiteral("12.5") : QStringLiteral("13"));
    s.ResumeTiming();
    feuille.annuler_Click();
    QApplication::processEvents();
    s.PauseTiming();
    supprimerfichier(liste);
    s.ResumeTiming();
  }
  feuille.hide();
}

// La fenêtre de l'historique d'une classe de 5 000 changements, relu depuis le
// disque, ouverte et peinte.
void OuvertureHistorique(benchmark::State& s) {
  préparer(0);
  Modification m;
  m.période = QStringLiteral("P1");
  m.ordinateur = QStringLiteral("salle-12");
  m.libellé = QStringLiteral("note de Dupont Élodie, interro n°3");
  m.ancienne = QStringLiteral("12");
  m.nouvelle = QStringLiteral("14.5");
  m.fichiers = QStringList{QStringLiteral("5A261\\5A261.P1N")};
  m.état = ÉtatModification::Fixée;
  QStringList lignes;
  const QDateTime début = QDateTime::currentDateTime().addDays(-200);
  for (int i = 0; i < 5000; ++i) {
    m.id = QStringLiteral("mesure-%1").arg(i);
    m.quand = début.addSecs(i * 60);
    lignes.append(lignehistorique(m));
  }
  écrirefichier(chemindisquedur(nomhistorique(QStringLiteral("5A261"))), lignes);
  FenetreHistorique& f = fenêtrehistorique();
  for (auto _ : s) {
    oublierhistoriques();
    f.Form_Load();
    f.show();
    QApplication::processEvents();
    s.PauseTiming();
    f.hide();
    s.ResumeTiming();
  }
  s.counters["lignes"] = f.lignesmontrées();
}

// Le classeur .xlsx de la classe réaliste : trois périodes et deux examens relus,
// une feuille chacun avec ses formules, la feuille des totaux, le fichier remplacé.
void ExportClasseur(benchmark::State& s) {
  préparer(0);
  état().nomclasse[1] = QStringLiteral("5A");
  état().nomcours[1] = QStringLiteral("Mathématique");
  const QString chemin = état().dossierracine + QStringLiteral("/classeur.xlsx");
  for (auto _ : s) écrireclasseur(chemin);
  s.counters["octets"] = static_cast<double>(QFileInfo(chemin).size());
}

// Les 30 notes d'un test tapées à la suite dans la grille (Entrée après chacune).
void SaisieColonne(benchmark::State& s) {
  FenetrePrincipale& feuille = ouvrirfeuille();
  const QString liste = chemindisquedur(nomlistemodifications);
  const int élèves = état().nbélèves;
  int tour = 0;
  for (auto _ : s) {
    feuille.grille1->Row(3);
    feuille.grille1->Col(2);
    for (int e = 1; e <= élèves; ++e) {
      feuille.grille1->éditer(QString::number((e + tour) % 20));
      feuille.grille1->finirédition(13);
    }
    QApplication::processEvents();
    ++tour;
    s.PauseTiming();
    supprimerfichier(liste);
    s.ResumeTiming();
  }
  s.counters["notes"] = élèves;
  feuille.hide();
}

// La transaction seule d'un élève ajouté : cinq fichiers, leurs temporaires forcés
// sur le disque, le journal, les renommages et les dossiers forcés à leur tour.
void TransactionAjoutÉlève(benchmark::State& s) {
  ouvrirfeuille();
  const QString liste = chemindisquedur(nomlistemodifications);
  const auto avec = préparerchaquepériode([] { ajouterélève(QStringLiteral("Mmm Nouvel")); });
  chargerclasse();
  const auto sans = préparerchaquepériode([] {});
  for (auto _ : s) {
    écrirefichiersnotés(avec);
    s.PauseTiming();
    écrirefichiersnotés(sans);
    supprimerfichier(liste);
    s.ResumeTiming();
  }
}

// Un élève arrivé en cours d'année : chaque période et chaque examen préparés,
// les cinq fichiers écrits ensemble, la période rechargée et la grille refaite.
void AjoutÉlève(benchmark::State& s) {
  FenetrePrincipale& feuille = ouvrirfeuille();
  const QString liste = chemindisquedur(nomlistemodifications);
  for (auto _ : s) {
    écrirefichiersnotés(préparerchaquepériode([] { ajouterélève(QStringLiteral("Mmm Nouvel")); }));
    chargerclasse();
    feuille.Form_Load();
    QApplication::processEvents();
    s.PauseTiming();
    // La classe reprend sa taille pour la mesure suivante.
    int rang = 1;
    while (état().nomélève[rang] != QStringLiteral("Mmm Nouvel")) ++rang;
    écrirefichiersnotés(préparerchaquepériode([rang] { retirerélève(rang); }));
    chargerclasse();
    supprimerfichier(liste);
    s.ResumeTiming();
  }
  feuille.hide();
}

// Ouverture des fenêtres des totaux et du classement : chaque période et chaque
// examen relus, la grille remplie.
void OuvertureTotaux(benchmark::State& s) {
  préparer(static_cast<int>(s.range(0)));
  BoitesScriptees boîtes;
  services().boites = &boîtes;
  for (auto _ : s) {
    boîtes.répondretexte(QString::number(taille(static_cast<int>(s.range(0))).périodes));
    fenêtretotaux().Form_Load();
  }
  services().boites = nullptr;
}

void OuvertureClassement(benchmark::State& s) {
  préparer(static_cast<int>(s.range(0)));
  BoitesScriptees boîtes;
  services().boites = &boîtes;
  for (auto _ : s) classement().Form_Load();
  services().boites = nullptr;
}

// Réponses par défaut à chaque boîte : Oui, OK, la valeur proposée.
class BoitesParDéfaut : public Boites {
public:
  int avertissement(const QString&, const QString&) override { return OK; }
  int question(const QString&, const QString&, const QString&) override { return OUI; }
  QString saisie(const QString&, const QString&, const QString& défaut) override { return défaut; }
  void message(const QString&, const QString&) override {}
  void bip() override {}
  void sablier(bool) override {}
  void annonce(const QString&) override {}
};

qsizetype pagesdupdf(const QString& chemin) {
  static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?!s)"));
  return QString::fromLatin1(lireoctets(chemin)).count(page);
}

// Chaque type d'impression pour chaque classe de l'année de démonstration, P1,
// dans un seul document de l'imprimante "PDF".
void ImpressionDémo(benchmark::State& s) {
  QTemporaryDir dossier;
  créerannéedémo(dossier.path());
  réinitialiserétat();
  état().dossierracine = dossier.path();
  BoitesParDéfaut boîtes;
  ParcImprimantesQt parc;
  services().boites = &boîtes;
  services().imprimantes = &parc;
  services().ouvrirdocument = [](const QString&) {};
  lirerenseignements();
  état().annéescolaire = sansblancs(état().annéescolairedéfaut);
  lirelisteclasses();
  état().classecourante = 1;
  état().périodecourante = QStringLiteral("P1");
  chargerclasse();
  parc.choisir(nomimprimantepdf);
  auto& pdf = static_cast<ImprimanteQt&>(parc.Printer());
  FenetreImprimer& f = fenêtreimprimer();
  qsizetype pages = 0;
  for (auto _ : s) {
    f.Form_Load();
    f.Option2_Click();
    for (QCheckBox* c : {f.Coche1, f.Coche2, f.Coche3, f.Coche4, f.coche6, f.coche7}) c->setChecked(true);
    f.cmdok_Click();
    s.PauseTiming();
    pages = pagesdupdf(pdf.dernierpdf());
    supprimerfichier(pdf.dernierpdf());
    s.ResumeTiming();
  }
  s.counters["pages"] = static_cast<double>(pages);
  services().boites = nullptr;
  services().imprimantes = nullptr;
}

// Les fiches individuelles des 30 élèves de la classe réaliste : un seul document PDF.
void FichesIndividuelles(benchmark::State& s) {
  FenetrePrincipale& feuille = ouvrirfeuille();
  QTemporaryDir maison;
  const QByteArray ancienne = qgetenv("HOME");
  qputenv("HOME", maison.path().toUtf8());
  BoitesParDéfaut boîtes;
  ParcImprimantesQt parc;
  parc.choisir(nomimprimantepdf);
  services().boites = &boîtes;
  services().imprimantes = &parc;
  services().ouvrirdocument = [](const QString&) {};
  services().montrermodale = [](const QString&) {
    FenetreSelection& choix = fenêtrerécapitulatif();
    choix.Form_Load();
    choix.Command4_Click();
  };
  const QString dossier = maison.path() + QStringLiteral("/Exportation Evalo");
  qsizetype documents = 0;
  qsizetype pages = 0;
  for (auto _ : s) {
    feuille.imprfi_Click();
    s.PauseTiming();
    const QStringList fichiers = QDir(dossier).entryList(QDir::Files);
    documents = fichiers.size();
    pages = fichiers.isEmpty() ? 0 : pagesdupdf(dossier + u'/' + fichiers.first());
    QDir(dossier).removeRecursively();
    s.ResumeTiming();
  }
  s.counters["documents"] = static_cast<double>(documents);
  s.counters["pages"] = static_cast<double>(pages);
  services() = Services{};
  qputenv("HOME", ancienne);
  feuille.hide();
}

// La fusion de la classe réaliste (3 périodes, 2 examens, 30 élèves, 40 tests)
// quand chaque ordinateur a changé 100 notes, dont 3 les mêmes autrement : les
// trois versions relues et fusionnées, jusqu'à la question des conflits.
void FusionClasse(benchmark::State& s) {
  préparer(0);
  const QString clé = QStringLiteral("5A261");
  FichiersClasse base;
  for (const QString& f : QDir(chemindisquedur(clé)).entryList(QDir::Files))
    base.insert(clé + u'\\' + f, lirefichier(chemindisquedur(clé + u'\\' + f)));
  // 100 notes changées d'un côté : 34, 33 et 33 dans les trois périodes, chacune à
  // une case que l'autre côté ne touche pas, sauf les trois premières.
  const auto changer = [&](int décalage, const QString& note) {
    FichiersClasse côté = base;
    for (int p = 1; p <= 3; ++p) {
      état().périodecourante = QStringLiteral("P%1").arg(p);
      chargerclasse();
      for (int n = 0; n < (p == 1 ? 34 : 33); ++n) {
        const int i = 1 + n % 30, k = 1 + (n < 3 && p == 1 ? n : décalage + n) % 40;
        état().noteinterro(i, k) = note;
        reconstruireligne(i);
      }
      côté.insert(nomnotes(clé, état().périodecourante), lignesclasse());
    }
    return côté;
  };
  const FichiersClasse ici = changer(3, QStringLiteral("1")), là = changer(23, QStringLiteral("2"));
  const QStringList maxima = base.value(nommaxima(clé));
  int conflits = 0;
  for (auto _ : s) {
    VersionsClasse v{clé, maxima, maxima, maxima, lirepériodes(clé, base, maxima), lirepériodes(clé, ici, maxima),
                     lirepériodes(clé, là, maxima)};
    conflits = static_cast<int>(fusionnerclasse(v).conflits.size());
  }
  s.counters["conflits"] = conflits;
}

// Un export de 2 000 élèves lu jusqu'à l'aperçu de la fenêtre d'import : le CSV
// (0), puis le même en classeur .xlsx écrit par libxlsxwriter (1).
void ImportListe(benchmark::State& s) {
  static QTemporaryDir dossier;
  const QString csv = dossier.path() + QStringLiteral("/ecole.csv"), xlsx = dossier.path() + QStringLiteral("/ecole.xlsx");
  if (!QFileInfo::exists(csv)) {
    const QString texte = exportdesecrétariat(2000);
    écrireoctets(csv, texte.toUtf8());
    lxw_workbook* classeur = workbook_new(QFile::encodeName(xlsx).constData());
    lxw_worksheet* feuille = workbook_add_worksheet(classeur, nullptr);
    const QStringList lignes = découperlignes(texte);
    for (int l = 0; l < lignes.size(); ++l) {
      const QStringList cases = lignes[l].split(u';');
      for (int c = 0; c < cases.size(); ++c)
        worksheet_write_string(feuille, static_cast<lxw_row_t>(l), static_cast<lxw_col_t>(c), cases[c].toUtf8().constData(), nullptr);
    }
    workbook_close(classeur);
  }
  FenetreImportListe& fenêtre = fenêtreimportliste();
  for (auto _ : s) {
    if (fenêtre.préparer(s.range(0) == 0 ? csv : xlsx, {}, QStringLiteral("5A")) != FenetreImportListe::Préparation::Prête ||
        fenêtre.proposés().size() != 28)
      s.SkipWithError("liste mal lue");
  }
}

// La porte des noms sur un champ d'un million de caractères : sans (0) ou avec (1) une
// lettre que Windows-1252 ne garde pas. Le temps doit rester linéaire dans les deux cas.
void PorteChampLong(benchmark::State& s) {
  const QString champ = QString(1'000'000, u'a') + (s.range(0) ? QStringLiteral("Ł") : QString());
  for (auto _ : s) {
    const QList<NomImporté> n = passerlaporte({champ, QStringLiteral("Dupont Jean")}, QString(), {});
    if (n.size() != 2 || n.first().sort != NomImporté::TropLong) s.SkipWithError("champ long mal jugé");
  }
}

// La porte elle-même sur un texte collé d'un million de caractères, sans (0) ou avec (1)
// des lettres que Windows-1252 ne garde pas, une sur mille.
void PorteTexteLong(benchmark::State& s) {
  QString texte;
  for (int k = 0; k < 1000; ++k) texte += QString(999, u'a') + (s.range(0) ? QStringLiteral("Ł") : QStringLiteral("b"));
  for (auto _ : s) {
    const TexteContrôlé c = contrôlertexte(texte, GenreTexte::Libre);
    if (c.horsansi.isEmpty() != (s.range(0) == 0)) s.SkipWithError("texte mal jugé");
  }
}

BENCHMARK(FusionClasse)->Unit(benchmark::kMillisecond);
BENCHMARK(PorteChampLong)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(PorteTexteLong)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(ImportListe)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(FichesIndividuelles)->Unit(benchmark::kMillisecond);
BENCHMARK(ImpressionDémo)->Unit(benchmark::kMillisecond);
BENCHMARK(OuvertureTotaux)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(OuvertureClassement)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(AjoutÉlève)->Unit(benchmark::kMillisecond);
BENCHMARK(TransactionAjoutÉlève)->Unit(benchmark::kMillisecond);
BENCHMARK(CorrectionNote)->Unit(benchmark::kMillisecond);
BENCHMARK(ExportClasseur)->Unit(benchmark::kMillisecond);
BENCHMARK(AnnulationNote)->Unit(benchmark::kMillisecond);
BENCHMARK(OuvertureHistorique)->Unit(benchmark::kMillisecond);
BENCHMARK(SaisieColonne)->Unit(benchmark::kMillisecond);
BENCHMARK(RemplissageGrille)->Args({30, 50})->Args({1000, 500})->Unit(benchmark::kMillisecond);
BENCHMARK(Chargement)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(Calcul)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(Sauvegarde)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(Totaux)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
