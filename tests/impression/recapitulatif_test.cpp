#include <gtest/gtest.h>

#include "tests/feuille/feuille_essai.h"
#include "tests/outils/hote.h"

#include "impression/misesenpage.h"
#include "impression/selection.h"
#include "plateforme/couleurs.h"
#include "plateforme/imprimante.h"
#include "plateforme/qt/imprimanteqt.h"
#include "plateforme/services.h"

namespace {

const QString M = QStringLiteral("     ");

class Recapitulatif : public Feuille {
protected:
  void SetUp() override {
    Feuille::SetUp();
    services().imprimantes = &parc;
  }
  // Le choix des élèves : les cases d'options, puis "I M P R I M E R" (ou Annuler).
  void choisir(bool couleur, bool dernièreligne, bool annuler = false) {
    surfenêtre = [=, this](const QString& nom) {
      if (nom == QStringLiteral("rema")) {
        état().textesaisi = QStringLiteral("Message %1").arg(++messages);
        return;
      }
      ASSERT_EQ(nom, QStringLiteral("fenêtrerécapitulatif"));
      FenetreSelection& s = fenêtrerécapitulatif();
      s.Form_Load();
      EXPECT_FALSE(s.casecouleur->isHidden());
      s.casecouleur->setChecked(couleur);
      s.casedernièreligne->setChecked(dernièreligne);
      if (annuler) s.Command5_Click();
      else s.Command4_Click();
    };
  }
  QStringList imprimer(const QString& clé = QStringLiteral("P1")) {
    imprimerrécapitulatif(parc.Printer(), TravailImpression{clé});
    parc.Printer().EndDoc();
    return parc.imprimante(0).documents().isEmpty() ? QStringList() : parc.imprimante(0).texte().split(u'\n');
  }
  ParcTexte parc;
  int messages = 0;
};

TEST_F(Recapitulatif, UnBlocLigneParLigne) {
  choisir(false, true);
  boîtes.répondre(NON);  // pas de message supplémentaire
  const QStringList l = imprimer(QStringLiteral("E1"));
  EXPECT_EQ(boîtes.montrées()[0].titre, QStringLiteral("Récapitulatif pour 5A"));
  EXPECT_EQ(l.mid(0, 19),
            QStringList({"--- page 1 (portrait) ---", " ",
                         M + "Récapitulatif de l'examen n°1   pour le cours : Mathématique",
                         (M + "NOM : Dupont Élodie").leftJustified(59) + "Classe : 5A", "",
                         M + "Interro n° 1  :      12 / 20       (C1)", M + "Interro n° 2  :      A / 20       (C2)",
                         M + "Interro n° 3  :      7.5 / 10       (C1)", M + "01.10 - Récitation : 7.5 / 10  (C1)",
                         M + "Nombre de préparation(s) non faite(s) :2", "",
                         M + "C1=060% -> Nombres - " + M + "C2=040% -> Géométrie", "",
                         M + "=> Moyenne en date du 14-09-2026 :  13/20", "",
                         M + "Vous n'avez pas vu une interrogation ?  Signalez-le moi.  Merci.", "", "", ""}));
  // Durand n'a ni note orale ni préparation en retard : ni l'une ni l'autre ligne.
  EXPECT_EQ(l.mid(20, 7), QStringList({M + "Récapitulatif de l'examen n°1   pour le cours : Mathématique",
                                       (M + "NOM : Durand Paul").leftJustified(59) + "Classe : 5A", "",
                                       M + "Interro n° 1  :      AI / 20       (C1)",
                                       M + "Interro n° 2  :      NC / 20       (C2)", M + "Interro n° 3  :      8 / 10       (C1)",
                                       ""}));
  EXPECT_TRUE(boîtes.toutesutilisées());
}

TEST_F(Recapitulatif, EnCouleurLesNotesFormées) {
  choisir(true, false);
  boîtes.répondre(NON);
  const QStringList l = imprimer();
  EXPECT_EQ(l[2], M + "Récapitulatif de la période n°1   pour le cours : Mathématique");
  EXPECT_EQ(l[5], M + "Interro n° 1  :  12,0 / 20       (C1)");
  EXPECT_EQ(l[8], M + "01.10 - Récitation :  7,5/ 10  (C1)");
  EXPECT_FALSE(l.contains(M + "Vous n'avez pas vu une interrogation ?  Signalez-le moi.  Merci."));
  QStringList rouges;
  for (const LigneImprimée& x : parc.imprimante(0).documents()[0][0].lignes)
    for (const Passage& p : x.passages)
      if (p.couleur == rouge && !p.texte.trimmed().isEmpty()) rouges << p.texte;
  // Durand : AI et 6 sur 20 ; Martin : 9,5 sur 20 et 4 sur 10 à l'oral. La moyenne se juge sur 20.
  EXPECT_EQ(rouges, QStringList({" AI ", " 6,0", " 9,5", " 4,0"}));
}

// Le résultat d'un examen se donne et se colore sur le maximum de l'examen (50),
// celui d'une période sur le maximum des périodes (20).
TEST_F(Recapitulatif, ResultatSurLeMaximumDeLaCle) {
  deuxdisques(QStringLiteral("5A131\\5A131.E1N"), {" 3", " 1", " 0", " 1", "Dupont Élodie/40", " 80/-1/ 40/ 0/",
                                                    "Durand Paul/A", "-1/-1/?/ 0/", "Martin Léa/20", " 40/-1/ 20/ 0/",
                                                    "060% -> Nombres", "040% -> Géométrie"});
  deuxdisques(QStringLiteral("5A131\\5A131.E1R"), {" 50", "10/12/2026", "Synthèse", " 1"});
  état().périodecourante = QStringLiteral("E1");
  chargerclasse();
  choisir(true, false);
  boîtes.répondre(NON);
  const QStringList l = imprimer(QStringLiteral("E1"));
  EXPECT_EQ(l.filter(QStringLiteral("=> Moyenne en date du")),
            (QStringList{M + "=> Moyenne en date du 14-09-2026 :  40,0/50", M + "=> Moyenne en date du 14-09-2026 :   ?  /50",
                         M + "=> Moyenne en date du 14-09-2026 :  20,0/50"}));
  QStringList rouges;
  for (const LigneImprimée& x : parc.imprimante(0).documents()[0][0].lignes)
    for (const Passage& p : x.passages)
      if (p.couleur == rouge && !p.texte.trimmed().isEmpty()) rouges << p.texte;
  // Martin : sa note (20 sur 50) et son résultat (20 sur 50), sous la moitié.
  EXPECT_EQ(rouges, (QStringList{"20,0", "20,0"}));
}

TEST_F(Recapitulatif, MessagesConfirmés) {
  choisir(false, false);
  boîtes.répondre(OUI);
  boîtes.répondre(NON);  // à refaire : les trois messages sont redemandés
  boîtes.répondre(OUI);
  const QStringList l = imprimer();
  const QList<BoiteMontrée> q = boîtes.montrées(GenreBoite::Question);
  ASSERT_EQ(q.size(), 3);
  EXPECT_EQ(q[1].titre, QStringLiteral("Textes supplémentaires pour la classe de 5A"));
  EXPECT_EQ(q[1].texte, QStringLiteral("Les renseignements ci-dessous sont-ils corrects ?\n\nMessage 1\nMessage 2\nMessage 3"));
  EXPECT_EQ(messages, 6);
  EXPECT_EQ(l[5], (M + "Interro n° 1  :      12 / 20       (C1)").leftJustified(44) + "Message 4");
  EXPECT_EQ(l[7], M + "Interro n° 3  :      7.5 / 10       (C1)");
  EXPECT_EQ(l[8], QString(44, u' ') + "Message 6");  // au-delà de la colonne 45 : la ligne suivante
}

TEST_F(Recapitulatif, AnnulerNImprimeRien) {
  struct Cas {
    const char* nom;
    bool annulerchoix;
    QList<int> réponses;
  };
  const Cas cas[] = {{"Annuler dans le choix", true, {}},
                     {"Annuler à la question du message", false, {ANNULER}},
                     {"Annuler à la confirmation", false, {OUI, ANNULER}}};
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    choisir(false, false, c.annulerchoix);
    for (int r : c.réponses) boîtes.répondre(r);
    EXPECT_TRUE(imprimer().isEmpty());
  }
}

TEST_F(Recapitulatif, UnMessagePourChaqueLigneEtSautsDePage) {
  // Six élèves sans test (blocs de onze lignes : cinq par page), puis 31 tests.
  QStringList notes{" 6", " 0", " 0", " 1"};
  for (int i = 1; i <= 6; ++i) notes << QStringLiteral("Élève %1").arg(i) << " 12/ 0/";
  notes << "100% -> Aucune";
  deuxdisques(QStringLiteral("5A131\\5A131.P1N"), notes);
  état().préparations = FAUX;
  chargerclasse();
  choisir(false, true);
  boîtes.répondre(NON);
  QStringList l = imprimer();
  const qsizetype saut = l.indexOf(QStringLiteral("--- page 2 (portrait) ---"));
  ASSERT_GT(saut, 0);
  EXPECT_EQ(l.mid(0, saut).filter(QStringLiteral("NOM :")).size(), 5);
  EXPECT_EQ(l.mid(saut).filter(QStringLiteral("NOM :")).size(), 1);
  EXPECT_EQ(l[saut + 1], QStringLiteral(" "));

  QStringList trenteetun{" 1", " 31", " 0", " 1", QStringLiteral("Léa") + QStringLiteral("/10").repeated(31), " 50/ 10/ 0/",
                         "100% -> Aucune"};
  QStringList interros;
  for (int k = 1; k <= 31; ++k) interros << " 20" << "01/10/2026" << QStringLiteral("Test %1").arg(k) << " 1";
  deuxdisques(QStringLiteral("5A131\\5A131.P1N"), trenteetun);
  deuxdisques(QStringLiteral("5A131\\5A131.P1R"), interros);
  chargerclasse();
  messages = 0;
  choisir(false, false);
  boîtes.répondre(OUI);
  boîtes.répondre(OUI);
  l = imprimer();
  EXPECT_EQ(messages, 31);
  EXPECT_TRUE(l.contains((M + "Interro n° 31  :      10 / 20 ").leftJustified(44) + "Message 31")) << l.join(u'\n').toStdString();
}

// Neuf élèves de 20 lignes chacun (4 tests, 2 notes orales, 2 compétences, une
// préparation) : trois récapitulatifs par page sur le PDF, aucun coupé.
TEST_F(Recapitulatif, TroisBlocsParPageSurLePdf) {
  QStringList notes{" 9", " 4", " 2", " 1"};
  for (int s = 1; s <= 9; ++s)
    notes << QStringLiteral("Élève %1/12/13/14/15/ 2/ 10/ 7/01.10 - Récitation/ 1/ 10/ 6/02.10 - Calcul/ 2").arg(s)
          << " 60/ 60/ 12/ 1/";
  notes << "060% -> Nombres" << "040% -> Géométrie";
  QStringList r;
  for (int k = 1; k <= 4; ++k) r << " 20" << "01/10/2026" << QStringLiteral("Test %1").arg(k) << QStringLiteral(" %1").arg(1 + k % 2);
  deuxdisques(QStringLiteral("5A131\\5A131.P1N"), notes);
  deuxdisques(QStringLiteral("5A131\\5A131.P1R"), r);
  chargerclasse();
  choisir(false, true);
  boîtes.répondre(NON);
  QString chemin;
  services().ouvrirdocument = [&](const QString& c) { chemin = c; };
  ImprimanteQt pdf(nomimprimantepdf);
  imprimerrécapitulatif(pdf, TravailImpression{QStringLiteral("P1")});
  pdf.EndDoc();
  ASSERT_FALSE(chemin.isEmpty());
  for (int page = 1; page <= 3; ++page) {
    const QString texte = sortiehôte(QStringLiteral("pdftotext"), {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                                                                  QString::number(page), chemin, QStringLiteral("-")});
    EXPECT_EQ(texte.count(QStringLiteral("NOM :")), 3) << page << texte.toStdString();
    EXPECT_EQ(texte.count(QStringLiteral("Signalez-le moi")), 3) << page;
  }
}

}  // namespace
