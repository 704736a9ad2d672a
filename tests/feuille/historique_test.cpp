#include <gtest/gtest.h>

#include "tests/feuille/feuille_essai.h"

#include <QClipboard>
#include <QCryptographicHash>
#include <QDirIterator>
#include <QGuiApplication>
#include <functional>

#include "classes/competences.h"
#include "feuille/historique.h"
#include "feuille/interro.h"
#include "noyau/base/dossiers.h"
#include "noyau/suivi/amovible.h"
#include "noyau/suivi/ancetres.h"
#include "noyau/suivi/ecriture.h"
#include "noyau/suivi/historique.h"
#include "plateforme/encodage.h"
#include "plateforme/transaction.h"

namespace {

// Le texte d'un article de menu tel qu'il se lit : sans la marque de sa lettre soulignée.
QString sanslettre(QString texte) {
  texte.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
  texte.remove(u'&');
  return texte.replace(u'\x01', u'&');
}

const QString P1N = QStringLiteral("5A131\\5A131.P1N");
const QString P2N = QStringLiteral("5A131\\5A131.P2N");

using Fichiers = QMap<QString, QByteArray>;

// Les fichiers qui diffèrent entre deux états (ou n'existent que dans l'un).
QStringList différents(const Fichiers& a, const Fichiers& b) {
  QStringList noms;
  for (auto it = a.begin(); it != a.end(); ++it)
    if (b.value(it.key(), QByteArray("(absent)")) != it.value()) noms.append(it.key());
  for (auto it = b.begin(); it != b.end(); ++it)
    if (!a.contains(it.key())) noms.append(it.key());
  return noms;
}

// La classe avec un examen, pour que les élèves ajoutés ou retirés touchent P1, P2 et E1.
class Annulation : public Feuille {
protected:
  // Ctrl+Z avec cette image à la place de la bonne : une seule boîte, qui dit pourquoi.
  void annulationrefusée(const QString& image, const QByteArray& octets, const QString& dit) {
    écrire(image, octets);
    boîtes.oublier();
    boîtes.répondre(OK);
    p.annuler_Click();
    ASSERT_EQ(boîtes.montrées().size(), 1);
    EXPECT_TRUE(boîtes.montrées()[0].texte.contains(dit)) << boîtes.montrées()[0].texte.toStdString();
  }
  void SetUp() override {
    Feuille::SetUp();
    deuxdisques(QStringLiteral("listclas.13"), {" 1", "5A", "Mathématique", "5A131", " 2", " 1"});
    deuxdisques(QStringLiteral("5A131\\5A131.E1N"),
                {" 3", " 1", " 0", " 1", "Dupont Élodie/40", " 80/-1/ 40/ 0/", "Durand Paul/A", "-1/-1/?/ 0/",
                 "Martin Léa/20", " 40/-1/ 20/ 0/", "060% -> Nombres", "040% -> Géométrie"});
    deuxdisques(QStringLiteral("5A131\\5A131.E1R"), {" 50", "10/12/2026", "Synthèse", " 1"});
    lirelisteclasses();
    chargerclasse();
    p.Form_Load();
  }

  // Les fichiers de données tels qu'ils sont sur le disque dur (sans l'historique
  // ni les listes de la synchronisation, ni les ancêtres communs).
  Fichiers données() const {
    Fichiers f;
    const QString racine = chemindisquedur(QString());
    QDirIterator it(racine, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
      const QString chemin = it.next();
      QString relatif = chemin.mid(racine.size());
      while (relatif.startsWith(u'/')) relatif.remove(0, 1);
      if (relatif.contains(QStringLiteral("annulations")) || relatif.endsWith(QStringLiteral("historique.txt")) ||
          relatif.startsWith(dossierancêtres + u'/') ||
          relatif == nomlistemodifications || relatif == nomlistevérifiés)
        continue;
      f.insert(relatif, lire(chemin));
    }
    return f;
  }

  void noter(int l, int c, const QString& note) {
    choisir(l, c);
    boîtes.répondretexte(note);
    p.grille1_KeyDown(13, 0);
  }

  QString menuannuler() {
    p.préparermenuéditer();
    return sanslettre(p.mnuannuler->text());
  }
};

struct CasChangement {
  const char* nom;
  std::function<void()> faire;
};

}  // namespace

// Chaque genre de changement, annulé, rend chaque fichier octet pour octet ;
// rétabli, il rend les fichiers changés ; la grille suit.
TEST_F(Annulation, ChaqueChangementAnnuleEtRetabli) {
  const QList<CasChangement> cas{
      {"note corrigée", [this] { noter(3, 2, QStringLiteral("14")); }},
      {"note tapée dans la grille",
       [this] {
         choisir(4, 3);
         p.finédition(QStringLiteral("15"), 13);
       }},
      {"note orale corrigée", [this] { noter(3, 5, QStringLiteral("9")); }},
      {"préparations +",
       [this] {
         choisir(3, état().nbcompétences() + état().nbinterros + état().nborales + 3);
         p.grille1_KeyDown(107, 0);
       }},
      {"élève ajouté",
       [this] {
         boîtes.répondretexte(QStringLiteral("Dupuis Marc"));
         p.mnuajouternom_Click();
       }},
      {"élève renommé", [this] { noter(3, 1, QStringLiteral("Dupont Élise")); }},
      {"élève retiré",
       [this] {
         choisir(4, 1);
         boîtes.répondre(OK);
         p.supprimer();
       }},
      {"test supprimé",
       [this] {
         choisir(3, 3);
         boîtes.répondre(OK);
         p.supprimer();
       }},
      {"note orale supprimée",
       [this] {
         choisir(3, 5);
         boîtes.répondre(OK);
         p.supprimer();
       }},
      {"moyenne supprimée",
       [this] {
         choisir(5, 6);
         boîtes.répondre(OUI);
         boîtes.répondre(OK);
         p.supprimer();
       }},
      {"notes collées",
       [this] {
         QGuiApplication::clipboard()->setText(QStringLiteral("11\r\n12,5\r\n"));
         choisir(3, 2);
         p.collernotes();
       }},
      {"nouvelle interrogation", [this] { nouvelleinterro(); }},
      {"interrogation corrigée",
       [this] {
         choisir(3, 3);
         surfenêtre = [](const QString&) {
           FenetreInterro& f = fenêtreinterro();
           f.Form_Load();
           f.dateinterrogation->setText(QStringLiteral("03/10/2026"));
           f.cmdok_Click();
         };
         p.corrint_Click();
         surfenêtre = nullptr;
       }},
      {"compétences",
       [this] {
         surfenêtre = [this](const QString&) {
           FenetreCompetences& f = fcompétences();
           f.Form_Load();
           f.listecompétences->setCurrentRow(0);
           boîtes.répondretexte(QStringLiteral("40"));
           f.listecompétences_DblClick();
           f.listecompétences->setCurrentRow(1);
           boîtes.répondretexte(QStringLiteral("60"));
           f.listecompétences_DblClick();
           f.cmdok_Click();
         };
         p.menucomp_Click();
         surfenêtre = nullptr;
       }},
  };
  for (const CasChangement& c : cas) {
    SCOPED_TRACE(c.nom);
    const Fichiers avant = données();
    const QString grilleavant = texte(3, 2) + texte(4, 1) + texte(5, 6);
    c.faire();
    const Fichiers après = données();
    ASSERT_NE(différents(après, avant), QStringList());
    ASSERT_TRUE(menuannuler().startsWith(QStringLiteral("Annuler : ")));
    p.annuler_Click();
    EXPECT_EQ(différents(données(), avant), QStringList());
    EXPECT_EQ(texte(3, 2) + texte(4, 1) + texte(5, 6), grilleavant);
    p.rétablir_Click();
    EXPECT_EQ(différents(données(), après), QStringList());
    p.annuler_Click();
    EXPECT_EQ(différents(données(), avant), QStringList());
    boîtes.oublier();
  }
  // Les changements annulés puis suivis d'un autre ne se rétablissent plus.
  noter(3, 2, QStringLiteral("13"));
  p.préparermenuéditer();
  EXPECT_FALSE(p.mnurétablir->isEnabled());
}

TEST_F(Annulation, LeMenuDitLeChangementDansLesMotsDuProfesseur) {
  EXPECT_EQ(menuannuler(), QStringLiteral("Annuler"));
  EXPECT_FALSE(p.mnuannuler->isEnabled());
  noter(3, 4, QStringLiteral("9"));
  EXPECT_EQ(menuannuler(), QStringLiteral("Annuler : note de Dupont Élodie, interro n°3 (7.5 → 9)"));
  EXPECT_EQ(boîtes.annonces().value(0), QStringLiteral("Enregistré : Dupont Élodie, interro n°3 (C1) : 9.0 sur 10"));
  p.annuler_Click();
  EXPECT_EQ(texte(3, 4), QStringLiteral("7.5"));
  // Entrée avait mené à l'élève suivant : l'annulation ramène à la case changée, et le dit.
  EXPECT_EQ(std::pair(p.grille1->Row(), p.grille1->Col()), std::pair(3, 4));
  EXPECT_EQ(boîtes.annonces().value(1), QStringLiteral("Annulé : note de Dupont Élodie, interro n°3 (7.5 → 9)"));
  p.préparermenuéditer();
  EXPECT_EQ(sanslettre(p.mnurétablir->text()), QStringLiteral("Rétablir : note de Dupont Élodie, interro n°3 (7.5 → 9)"));
  EXPECT_EQ(menuannuler(), QStringLiteral("Annuler"));
  p.grille1->Row(5);
  p.rétablir_Click();
  EXPECT_EQ(texte(3, 4), QStringLiteral("9.0"));
  EXPECT_EQ(std::pair(p.grille1->Row(), p.grille1->Col()), std::pair(3, 4));
  EXPECT_EQ(boîtes.annonces().value(2), QStringLiteral("Rétabli : note de Dupont Élodie, interro n°3 (7.5 → 9)"));
}

// Dix notes annulées une à une rendent chaque état dans l'ordre inverse, même
// après un redémarrage du programme au milieu.
TEST_F(Annulation, DixChangementsAnnulesDansLOrdreInverseAvecUnRedemarrage) {
  QList<Fichiers> états{données()};
  for (int i = 0; i < 10; ++i) {
    horloge.fixer(horloge.maintenant().addSecs(60));
    noter(3 + i % 3, 2 + i % 3, QString::number(5 + i % 5));
    états.append(données());
  }
  for (int i = 10; i > 0; --i) {
    if (i == 5) {  // redémarrage : rien n'est gardé en mémoire
      oublierhistoriques();
      lirelisteclasses();
      chargerclasse();
      p.Form_Load();
    }
    p.annuler_Click();
    EXPECT_EQ(différents(données(), états[i - 1]), QStringList()) << i;
  }
  p.préparermenuéditer();
  EXPECT_FALSE(p.mnuannuler->isEnabled());
}

TEST_F(Annulation, ApresUnChangementDePeriode) {
  const QByteArray p1 = lire(disquedur(P1N));
  noter(3, 2, QStringLiteral("18"));
  état().périodecourante = QStringLiteral("P2");
  chargerclasse();
  p.Form_Load();
  p.annuler_Click();
  EXPECT_EQ(lire(disquedur(P1N)), p1);
  EXPECT_EQ(état().périodecourante, QStringLiteral("P2"));
  EXPECT_EQ(texte(3, 1), QStringLiteral("Dupont Élodie"));
}

// Un fichier changé depuis (autre ordinateur) : la question d'abord ; Non ne change rien.
TEST_F(Annulation, UnFichierChangeDepuisDemandeAvantDEtreRemplace) {
  const QByteArray avant = lire(disquedur(P1N));
  noter(3, 2, QStringLiteral("18"));
  QByteArray ailleurs = lire(disquedur(P1N));
  ailleurs.replace("Martin", "Martine");
  écrire(disquedur(P1N), ailleurs);
  const QByteArray historique = lire(disquedur(nomhistorique(QStringLiteral("5A131"))));
  boîtes.répondre(NON);
  p.annuler_Click();
  ASSERT_EQ(boîtes.montrées(GenreBoite::Question).size(), 1);
  EXPECT_TRUE(boîtes.montrées().last().texte.contains(P1N));
  EXPECT_EQ(lire(disquedur(P1N)), ailleurs);
  EXPECT_EQ(lire(disquedur(nomhistorique(QStringLiteral("5A131")))), historique);
  boîtes.répondre(OUI);
  p.annuler_Click();
  EXPECT_EQ(lire(disquedur(P1N)), avant);
}

TEST_F(Annulation, RevenirACetEtatAnnuleLesCinqChangementsSuivants) {
  noter(3, 2, QStringLiteral("11"));
  const Fichiers cible = données();
  for (const char* note : {"12", "13", "14", "15", "16"}) {
    horloge.fixer(horloge.maintenant().addSecs(60));
    noter(4, 3, QString::fromLatin1(note));
  }
  FenetreHistorique& h = fenêtrehistorique();
  h.AprèsRetour = [this](const QStringList& remis) { p.remettreclasse(remis); };
  h.Form_Load();
  ASSERT_EQ(h.lignesmontrées(), 6);
  h.rechercher(QStringLiteral("dupont"));
  ASSERT_EQ(h.lignesmontrées(), 1);
  h.choisir(0);
  EXPECT_TRUE(h.revenirpossible());
  boîtes.répondre(OUI);
  h.revenir_Click();
  EXPECT_TRUE(boîtes.montrées().last().texte.contains(QStringLiteral("5 modification(s)")));
  // Vu et entendu : l'état retrouvé.
  ASSERT_FALSE(boîtes.annonces().isEmpty());
  EXPECT_TRUE(boîtes.annonces().last().startsWith(QStringLiteral("Revenu à l'état qui suivait « note de Dupont Élodie")))
      << boîtes.annonces().last().toStdString();
  EXPECT_TRUE(boîtes.annonces().last().endsWith(QStringLiteral(" : 5 modification(s) annulée(s).")));
  EXPECT_EQ(différents(données(), cible), QStringList());
  EXPECT_EQ(texte(4, 3), QStringLiteral("NC"));  // la note de Durand d'avant
  h.rechercher(QString());
  for (int r = 0; r < 5; ++r) EXPECT_TRUE(h.texte(r, ModeleHistorique::Changement).endsWith(QStringLiteral("annulée"))) << r;
  p.rétablir_Click();
  EXPECT_EQ(lirefichier(disquedur(P1N))[6].section(u'/', 2, 2), QStringLiteral("12"));
}

// Une ligne plus vieille que la durée choisie disparaît avec ses fichiers d'avant ;
// au-delà des derniers changements annulables, l'image est effacée et la ligne reste.
TEST_F(Annulation, HistoriqueElague) {
  fixerduréehistorique(30);
  noter(3, 2, QStringLiteral("11"));
  const QString image = disquedur(QStringLiteral("5A131\\annulations\\") + historiqueclasse(QStringLiteral("5A131"))[0].id + QStringLiteral(".evu"));
  EXPECT_TRUE(existe(image));
  horloge.fixer(horloge.maintenant().addDays(31));
  noter(3, 2, QStringLiteral("12"));
  EXPECT_EQ(historiqueclasse(QStringLiteral("5A131")).size(), 1);
  EXPECT_FALSE(existe(image));

  // Les images en trop s'effacent par paquets : à 251 changements annulables, on revient à 200.
  for (int i = 0; i < changementsannulables + 50; ++i) {
    horloge.fixer(horloge.maintenant().addSecs(1));
    noter(3, 2, QString::number(i % 2 ? 13 : 14));
  }
  const QList<Modification> lignes = historiqueclasse(QStringLiteral("5A131"));
  ASSERT_EQ(lignes.size(), changementsannulables + 51);
  for (int i = 0; i < 51; ++i) EXPECT_EQ(lignes[i].état, ÉtatModification::Fixée) << i;
  EXPECT_EQ(lignes[51].état, ÉtatModification::Active);
  QDir annulations(disquedur(QStringLiteral("5A131/annulations")));
  EXPECT_EQ(annulations.entryList(QDir::Files).size(), changementsannulables);
}

// Un arrêt brutal pendant l'annulation : au démarrage suivant, la classe est avant
// ou après l'annulation, jamais entre les deux, et son historique le dit.
TEST_F(Annulation, ArretBrutalPendantUneAnnulation) {
  for (int n = 0; n < 8; ++n) {
    SCOPED_TRACE(n);
    const Fichiers avant = données();
    horloge.fixer(horloge.maintenant().addSecs(60));
    noter(5, 2, QString::number(10 + n));
    const Fichiers après = données();
    simulerarrêtaprès(n);
    bool arrêté = false;
    try {
      p.annuler_Click();
    } catch (const ArrêtSimulé&) {
      arrêté = true;
    }
    simulerarrêtaprès(-1);
    achevertransactionsenattente();
    oublierhistoriques();
    const bool annulé = !àannuler(QStringLiteral("5A131")) || àrétablir(QStringLiteral("5A131"));
    EXPECT_EQ(différents(données(), annulé ? avant : après), QStringList()) << arrêté;
    if (!annulé) p.annuler_Click();
    EXPECT_EQ(différents(données(), avant), QStringList());
    lirelisteclasses();
    chargerclasse();
    p.Form_Load();
  }
}

TEST(LigneHistorique, EcriteRelueEtFusionnee) {
  Modification m;
  m.id = QStringLiteral("20261208-101500-000-1a2b-1");
  m.quand = QDateTime(QDate(2026, 12, 8), QTime(10, 15));
  m.période = QStringLiteral("P1");
  m.ordinateur = QStringLiteral("salle-12");
  m.libellé = QStringLiteral("note de Dupont\tJean, interro n°3");
  m.ancienne = QStringLiteral("12");
  m.nouvelle = QStringLiteral("14");
  m.état = ÉtatModification::Annulée;
  m.fichiers = QStringList{P1N, QStringLiteral("listclas.13")};
  const auto relue = lirelignehistorique(lignehistorique(m));
  ASSERT_TRUE(relue);
  EXPECT_EQ(relue->texte(), QStringLiteral("note de Dupont Jean, interro n°3 (12 → 14)"));
  EXPECT_EQ(relue->fichiers, m.fichiers);
  EXPECT_EQ(relue->état, ÉtatModification::Annulée);
  EXPECT_EQ(relue->quand, m.quand);
  for (const char* abîmée : {"", "un seul champ", "id\t2026-13-45 10:00:00\t+\tP1\tpc\tl\t\t\t",
                             "id\t2026-12-08 10:00:00\t?\tP1\tpc\tl\t\t\t"})
    EXPECT_FALSE(lirelignehistorique(QString::fromUtf8(abîmée))) << abîmée;

  Modification ici = m, là = m, ailleurs = m;
  ici.état = ÉtatModification::Active;
  ailleurs.id = QStringLiteral("autre");
  ailleurs.quand = m.quand.addSecs(-60);
  const QList<Modification> toutes = fusionnerhistoriques({ici}, {là, ailleurs});
  ASSERT_EQ(toutes.size(), 2);
  EXPECT_EQ(toutes[0].id, QStringLiteral("autre"));
  EXPECT_EQ(toutes[1].état, ÉtatModification::Active);  // la copie du disque dur l'emporte
}

// L'historique suit la classe sur le disque amovible ; un autre ordinateur le
// retrouve, avec ses propres lignes, à sa première lecture de la session.
TEST_F(Annulation, LHistoriqueSuitLaClasseEntreDeuxOrdinateurs) {
  const QString nom = nomhistorique(QStringLiteral("5A131"));
  noter(3, 2, QStringLiteral("11"));
  ASSERT_TRUE(sauvegardedesortieprincipale({}));
  ASSERT_TRUE(existe(amovible(nom)));
  EXPECT_EQ(lire(amovible(nom)), lire(disquedur(nom)));

  Modification ailleurs = historiqueclasse(QStringLiteral("5A131"))[0];
  ailleurs.id = QStringLiteral("salle-12-1");
  ailleurs.ordinateur = QStringLiteral("salle-12");
  ailleurs.quand = ailleurs.quand.addSecs(3600);
  écrire(amovible(nom), lire(amovible(nom)) + (lignehistorique(ailleurs) + QStringLiteral("\r\n")).toLatin1());
  oublierhistoriques();  // nouvelle session
  const QList<Modification> lignes = historiqueclasse(QStringLiteral("5A131"));
  ASSERT_EQ(lignes.size(), 2);
  EXPECT_EQ(lignes[1].ordinateur, QStringLiteral("salle-12"));
  FenetreHistorique& h = fenêtrehistorique();
  h.Form_Load();
  EXPECT_EQ(h.texte(0, ModeleHistorique::Ordinateur), QStringLiteral("salle-12"));
  // Les fichiers d'avant de ce changement-là sont restés sur l'autre ordinateur.
  boîtes.répondre(OK);
  p.annuler_Click();
  EXPECT_TRUE(boîtes.montrées().last().texte.contains(QStringLiteral("« salle-12 »")));
}

// Une image d'annulation abîmée (un octet changé, tronquée, en-tête faux, octets en
// trop) est refusée avec son propre message, avant toute question : aucun fichier
// n'est remplacé, le changement reste annulable une fois l'image rendue.
TEST_F(Annulation, ImageAbimeeRefuseeAvantToutRemplacement) {
  noter(3, 2, QStringLiteral("15"));
  const Fichiers après = données();
  const QString image =
      disquedur(QStringLiteral("5A131\\annulations\\") + historiqueclasse(QStringLiteral("5A131")).last().id + QStringLiteral(".evu"));
  const QByteArray bonne = lire(image);
  ASSERT_GT(bonne.size(), 100);
  QByteArray changé = bonne;
  changé[changé.size() / 2] = changé[changé.size() / 2] == 'x' ? 'y' : 'x';
  const struct {
    const char* nom;
    QByteArray octets;
  } cas[] = {{"un octet changé", changé}, {"tronquée", bonne.left(bonne.size() - 3)},
             {"en-tête faux", "X" + bonne.mid(1)}, {"octets en trop", bonne + "zz"}};
  for (const auto& c : cas) {
    SCOPED_TRACE(c.nom);
    annulationrefusée(image, c.octets, QStringLiteral("sont abîmés. Rien n'a été changé."));
    EXPECT_FALSE(boîtes.montrées()[0].texte.contains(QStringLiteral("trop ancien")));
    EXPECT_EQ(différents(données(), après), QStringList());
  }
  // Une image entière (son empreinte est juste) dont le fichier d'avant ne se relirait
  // pas : refusée aussi, avant toute question.
  const QByteArray actuel = lire(disquedur(P1N));
  const QByteArray illisible = " 3\r\n x\r\n 1\r\n 1\r\n";
  const QByteArray corps = "1\r\n" + QByteArray("5A131\\5A131.P1N\t") + QByteArray::number(illisible.size()) + '\t' +
                           QByteArray::number(actuel.size()) + "\r\n" + illisible + actuel;
  écrire(image, "EVALO ANNULATION 2\r\n" + QCryptographicHash::hash(corps, QCryptographicHash::Sha256).toHex() + "\r\n" + corps);
  boîtes.oublier();
  boîtes.répondre(OK);
  p.annuler_Click();
  ASSERT_EQ(boîtes.montrées().size(), 1);
  EXPECT_TRUE(boîtes.montrées()[0].texte.contains(QStringLiteral("ne se relirait pas"))) << boîtes.montrées()[0].texte.toStdString();
  EXPECT_TRUE(boîtes.montrées()[0].texte.contains(QStringLiteral("ligne 2"))) << boîtes.montrées()[0].texte.toStdString();
  EXPECT_EQ(différents(données(), après), QStringList());
  écrire(image, bonne);
  p.annuler_Click();
  EXPECT_EQ(état().noteinterro(1, 1), QStringLiteral("12"));
}

// Une image de l'ancien format (sans empreinte) abîmée : la classe qu'elle laisserait
// est relue entière, comme à son ouverture (chaque période avec ses interrogations, les
// mêmes élèves partout, chaque nom un fichier de la classe) ; sinon, rien ne change.
TEST_F(Annulation, ImageAncienneAbimeeRefuseeSiLaClasseNeSOuvriraitPlus) {
  noter(3, 2, QStringLiteral("15"));
  const Fichiers après = données();
  const QString image =
      disquedur(QStringLiteral("5A131\\annulations\\") + historiqueclasse(QStringLiteral("5A131")).last().id + QStringLiteral(".evu"));
  const QByteArray actuel = lire(disquedur(P1N));
  const QByteArray avant = encoderansi(notesP1.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
  const auto ancienne = [&](const QByteArray& nom, const QByteArray& remis) {
    return "EVALO ANNULATION 1\r\n1\r\n" + nom + '\t' + QByteArray::number(remis.size()) + '\t' +
           QByteArray::number(actuel.size()) + "\r\n" + remis + actuel;
  };
  QByteArray huittests = avant;
  huittests.replace(0, 8, " 3\r\n 4\r\n");  // un chiffre de l'en-tête : 3 → 4 tests
  QByteArray autreélève = avant;
  autreélève.replace("Martin L\xe9""a", "Martin Luc");
  const struct {
    const char* nom;
    QByteArray octets;
    const char* dit;
  } cas[] = {
      {"en-tête de la période changé", ancienne("5A131\\5A131.P1N", huittests), "ne s'ouvrirait plus"},
      {"un autre élève que dans P2", ancienne("5A131\\5A131.P1N", autreélève), "ne s'ouvrirait plus"},
      {"nom de fichier vide", ancienne("", avant), "n'est pas un fichier de la classe"},
      {"nom hors de la classe", ancienne("..\\rensdef.evl", avant), "n'est pas un fichier de la classe"},
  };
  ASSERT_TRUE(huittests.startsWith(" 3\r\n 4\r\n 1\r\n"));
  for (const auto& c : cas) {
    SCOPED_TRACE(c.nom);
    annulationrefusée(image, c.octets, QString::fromUtf8(c.dit));
    EXPECT_TRUE(boîtes.montrées().value(0).texte.endsWith(QStringLiteral("Rien n'a été changé.")));
    EXPECT_EQ(différents(données(), après), QStringList());
  }
  // L'image d'avant, entière, dans l'ancien format : elle s'applique.
  écrire(image, ancienne("5A131\\5A131.P1N", avant));
  boîtes.oublier();
  p.annuler_Click();
  EXPECT_EQ(état().noteinterro(1, 1), QStringLiteral("12"));
}

// Disque plein pendant une annulation : un message, et rien n'a changé.
TEST_F(Annulation, DisquePleinPendantUneAnnulation) {
  noter(3, 2, QStringLiteral("11"));
  const Fichiers après = données();
  const QByteArray historique = lire(disquedur(nomhistorique(QStringLiteral("5A131"))));
  simulerpanneaufichier(1);
  boîtes.répondre(OK);
  p.annuler_Click();
  EXPECT_TRUE(boîtes.montrées().last().texte.contains(QStringLiteral("disque est plein")));
  EXPECT_EQ(différents(données(), après), QStringList());
  EXPECT_EQ(lire(disquedur(nomhistorique(QStringLiteral("5A131")))), historique);
  EXPECT_EQ(texte(3, 2), QStringLiteral("11.0"));
  simulerpanneaufichier(0);
  QFile::remove(disquedur(nomlistemodifications));
  p.annuler_Click();
  EXPECT_EQ(lirefichier(disquedur(nomlistemodifications)), QStringList{P1N});  // copié à la sortie
  EXPECT_EQ(texte(3, 2), QStringLiteral("12.0"));
}
