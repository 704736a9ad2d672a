// Feuille principale : clics et touches sur la grille, notes et noms corrigés,
// renseignements d'un test.

#include "feuille/principale.h"

#include <QClipboard>
#include <QDir>
#include <QCursor>
#include <QGuiApplication>

#include "noyau/base/dossiers.h"
#include "noyau/base/etat.h"
#include "noyau/base/piege.h"
#include "noyau/fichiers/notesclasse.h"
#include "noyau/regles/collage.h"
#include "noyau/regles/resultats.h"
#include "noyau/regles/saisienote.h"
#include "noyau/sorties/exports.h"
#include "noyau/suivi/historique.h"
#include "plateforme/nombres.h"
#include "plateforme/services.h"

// Le refus commun du double clic, de la frappe, de F2 et du collage.
bool FenetrePrincipale::refusésigroupagepourédition() {
  return refusésigroupage(QStringLiteral("Pour pouvoir éditer un nom ou une note, il faut d'abord désactiver la fonction "
                                         "<grouper les compétences>."),
                          titreimpossible);
}

void FenetrePrincipale::grille1_Click() {
  colonnecourante = grille1->Col();
  élèvecourant = grille1->Row() - 2;
  afficherélèvecourant();
}

// La case du nom montre toujours l'élève courant tel qu'il est maintenant
// (renommé, ou remplacé à sa ligne par le suivant après une suppression).
void FenetrePrincipale::afficherélèvecourant() {
  étiqnom->clear();
  if (élèvecourant < 1 || élèvecourant > état().nbélèves) return;
  étiqnom->addItem(état().nomélève[élèvecourant]);
  étiqnom->setCurrentRow(0, QItemSelectionModel::NoUpdate);  // un lecteur d'écran dit le nom, pas seulement « liste à 1 élément »
}

bool FenetrePrincipale::calculersansvaleurabîmée(const std::function<void()>& calcul, int élève) {
  try {
    calcul();
    return true;
  } catch (const ErreurDonnée& e) {
    const QString chemin = QDir::toNativeSeparators(chemindisquedur(nomclasseouverte(u'N')));
    const QString où = élève > 0 ? QStringLiteral("ligne %1 de « %2 »").arg(2 * élève + 3).arg(chemin)
                                  : QStringLiteral("« %1 »").arg(chemin);
    boîtes().message(QStringLiteral("%1 (%2).\n\nRien n'est enregistré : corrigez d'abord ce fichier.").arg(e.texte(), où),
                     QStringLiteral("Erreur !"));
    // La mémoire revient à ce que gardent les fichiers ; la feuille n'a encore rien montré.
    avecpiège(QStringLiteral("Erreur !"), [] { chargerclasse(); });
    return false;
  }
}

void FenetrePrincipale::grille1_MouseDown(int bouton) {
  if (bouton == 2) menuafficher->popup(QCursor::pos());
}

void FenetrePrincipale::grille1_DblClick() { éditercellule(); }

void FenetrePrincipale::éditercellule() {
  const ÉtatPartagé& é = état();
  if (refusésigroupagepourédition()) return;
  const int k = grille1->Col() - 1, s = grille1->Row() - 2;
  const int E = é.nbinterros, O = é.nborales;
  if (k < 0 || k >= E + O + 1 || s < 1 || s > é.nbélèves) return;
  if (k == 0)
    corrigernom(s);
  else if (k <= E)
    corrigernoteécrite(s, k);
  else if (k - E <= é.nbnotesorales[s])
    corrigernoteorale(s, k - E);
}

// Après un changement de notes : résultats, fichier, statistiques et grille.
void FenetrePrincipale::aprèsmodification() {
  sauverclasse();
  découperetstatistiques();
  Form_Load();
  grille1->SetFocus();
}

bool FenetrePrincipale::corrigernoteécrite(int s, int k) {
  ÉtatPartagé& é = état();
  QString défaut = é.noteinterro(s, k);
  for (;;) {
    const QString réponse =
        boîtes().saisie(QStringLiteral("Entrer la note corrigée de\n\n") + é.nomélève[s] +
                            QStringLiteral("\n\npour l'interrogation n°") + str(é.premièreinterro + k - 1),
                        QStringLiteral("CORRECTION"), défaut);
    if (réponse.isEmpty()) return false;
    const QString note = vérifiernote(réponse, é.maxinterro[k]);
    if (note == QStringLiteral("ERREUR")) {
      défaut = réponse;
      continue;
    }
    const ChangementNommé changement(libellénote(s, k), é.noteinterro(s, k), note);
    é.noteinterro(s, k) = note;
    if (!calculersansvaleurabîmée([s] { calculerrésultats(s); }, s)) return false;
    reconstruireligne(s);
    sauverclasse();
    découperetstatistiques();
    rafraîchirnote(s, k);
    annoncerenregistré(s + 2, k + 1);
    grille1->SetFocus();
    return true;
  }
}

void FenetrePrincipale::corrigernoteorale(int s, int j) {
  ÉtatPartagé& é = état();
  QString défaut = str(é.noteorale(s, j));
  for (;;) {
    const QString réponse =
        boîtes().saisie(QStringLiteral("Entrer la note corrigée de\n\n") + é.nomélève[s] +
                            QStringLiteral("\n\npour l'interrogation orale n°") + str(j),
                        QStringLiteral("CORRECTION"), défaut);
    if (réponse.isEmpty()) return;
    const QString note = vérifiernote(réponse, é.maxorale(s, j));
    if (note == QStringLiteral("ERREUR")) {
      défaut = réponse;
      continue;
    }
    const ChangementNommé changement(
        QStringLiteral("note orale n°%1 de %2").arg(j).arg(é.nomélève[s]), str(é.noteorale(s, j)).trimmed(), note);
    é.noteorale(s, j) = val(note);
    if (!calculersansvaleurabîmée([s] { calculerrésultats(s); }, s)) return;
    reconstruireligne(s);
    aprèsmodification();
    annoncerenregistré(s + 2, é.nbinterros + 1 + j);
    return;
  }
}

void FenetrePrincipale::changerpréparations(int s, int pas) {
  ÉtatPartagé& é = état();
  // Deux chiffres dans le tri des élèves : de 0 à 99.
  const int avant = é.préparationsnonfaites[s];
  é.préparationsnonfaites[s] = std::clamp(avant + pas, 0, 99);
  const ChangementNommé changement(QStringLiteral("préparations non faites de ") + é.nomélève[s],
                                   QString::number(avant), QString::number(é.préparationsnonfaites[s]));
  reconstruireligne(s);
  sauverclasse();
  grille1->Text(QStringLiteral("  ") + format(é.préparationsnonfaites[s], u"00"));
}

QString FenetrePrincipale::libellénote(int s, int k) const {
  const ÉtatPartagé& é = état();
  return QStringLiteral("note de %1, interro n°%2").arg(é.nomélève[s]).arg(é.premièreinterro + k - 1);
}

bool FenetrePrincipale::allersurlanote(const QString& libellé) {
  const ÉtatPartagé& é = état();
  for (int s = 1; s <= é.nbélèves; ++s)
    for (int k = 1; k <= é.nbinterros; ++k) {
      if (libellénote(s, k) != libellé) continue;
      const int colonne = colonnedutest(k);
      if (colonne == 0) return false;
      grille1->Row(s + 2);
      grille1->Col(colonne);
      grille1_Click();
      return true;
    }
  return false;
}

std::pair<int, int> FenetrePrincipale::casedenote() const {
  const ÉtatPartagé& é = état();
  const int s = grille1->Row() - 2, k = grille1->Col() - 1;
  if (s < 1 || s > é.nbélèves || k < 1 || k > é.nbinterros) return {0, 0};
  return {s, k};
}

bool FenetrePrincipale::frappedanslagrille(const QString& texte) {
  if (casedenote().first == 0) return false;
  if (!refusésigroupagepourédition()) grille1->éditer(texte);
  return true;
}

bool FenetrePrincipale::finédition(const QString& texte, int touche) {
  const auto [s, k] = casedenote();
  if (touche == 27 || s == 0 || texte.trimmed().isEmpty()) return true;
  ÉtatPartagé& é = état();
  // Tapée dans la grille, une note se lit comme collée : "12,5" est 12.5 (gardée avec un point).
  const QString note = vérifiernote(texte.trimmed().replace(u',', u'.'), é.maxinterro[k]);
  if (note == QStringLiteral("ERREUR")) return false;  // le texte reste dans l'éditeur, à corriger
  if (note != é.noteinterro(s, k)) {
    const ChangementNommé changement(libellénote(s, k), é.noteinterro(s, k), note);
    é.noteinterro(s, k) = note;
    // Une valeur abîmée : la note tapée reste dans l'éditeur, rien n'est écrit.
    if (!calculersansvaleurabîmée([s] { calculerrésultats(s); }, s)) return false;
    reconstruireligne(s);
    sauverclasse();
    découperetstatistiques();
    rafraîchirnote(s, k);
    grille1->annoncer(s + 2, k + 1);
    annoncerenregistré(s + 2, k + 1);
  }
  if (touche == 13 && s < é.nbélèves) grille1->Row(s + 3);
  if (touche == 9 && k < é.nbinterros) grille1->Col(k + 2);
  grille1_Click();
  return true;
}

// Dit et montré avant la case suivante : le professeur sait que la note est gardée.
void FenetrePrincipale::annoncerenregistré(int ligne, int colonne) {
  boîtes().annonce(QStringLiteral("Enregistré : ") + texteaccessible(ligne, colonne));
}

void FenetrePrincipale::rafraîchirnote(int s, int k) {
  const int ligne = grille1->Row(), colonne = grille1->Col();
  écrirenote(s, k);
  écrirerésultats(s);
  écrirestatistiques(k);
  écrirestatistiques(état().nbinterros + 1);
  // Une note plus longue élargit sa colonne, comme les colonnes de résultats.
  const int moy = état().nbinterros + état().nborales + 2;
  for (int c : {k + 1, moy}) grille1->ajusterlargeur(c);
  grille1->Row(ligne);
  grille1->Col(colonne);
}

void FenetrePrincipale::collernotes() {
  const auto [s, k] = casedenote();
  if (s == 0 || refusésigroupagepourédition()) return;
  const QString texte = QGuiApplication::clipboard()->text();
  if (texte.trimmed().isEmpty()) return;
  ÉtatCollage collage;
  if (!calculersansvaleurabîmée([&] { collage = ::collernotes(s, k, texte); }, 0)) return;
  if (collage.acceptées > 0) {
    const ChangementNommé changement(QStringLiteral("%1 note(s) collée(s) à partir de %2").arg(collage.acceptées).arg(libellénote(s, k)));
    sauverclasse();
    découperetstatistiques();
    Form_Load();
  }
  if (collage.refus.isEmpty()) return;
  const ÉtatPartagé& é = état();
  QStringList lignes;
  for (const RefusCollé& r : collage.refus) {
    const QString qui = r.élève <= é.nbélèves ? é.nomélève[r.élève] : QStringLiteral("(ligne %1)").arg(r.élève);
    const QString test = r.interro <= é.nbinterros ? QStringLiteral("n°%1").arg(é.premièreinterro + r.interro - 1)
                                                   : QStringLiteral("(colonne %1)").arg(r.interro);
    lignes << QStringLiteral("%1, interrogation %2 : « %3 » : %4").arg(qui, test, r.texte, r.raison);
  }
  boîtes().message(QStringLiteral("%1 note(s) collée(s). Ces textes n'ont pas été pris :\n\n").arg(collage.acceptées) +
                       lignes.join(u'\n'),
                   QStringLiteral("Notes collées"));
}

// La case courante, comme un tableur en français la lit : 12,5 est un nombre.
void FenetrePrincipale::copiercellule() {
  const QString texte = grille1->Text().trimmed();
  QGuiApplication::clipboard()->setText(copiercellules({{estnombre(texte) ? changerpointenvirgule(texte) : texte}}));
}

void FenetrePrincipale::grille1_KeyDown(int codetouche, int) {
  const ÉtatPartagé& é = état();
  if (codetouche >= 37 && codetouche <= 40) return;
  if (codetouche == 113) {  // F2 : la note de la case, à corriger sur place
    const auto [s, k] = casedenote();
    if (s != 0 && !refusésigroupagepourédition())
      grille1->éditer(é.noteinterro(s, k));
    return;
  }
  if (refusésigroupage(QStringLiteral("Pour pouvoir éditer un nom ou une note, il faut d'abord décocher la case <grouper les "
                                 "compétences>."), titreimpossible)) return;
  const int s = grille1->Row() - 2;
  switch (codetouche) {
    case 13: {
      // Une note corrigée par la boîte avec Entrée descend à l'élève suivant, comme une note tapée.
      const auto [élève, k] = casedenote();
      if (élève != 0 && !refusésigroupagepourédition() && corrigernoteécrite(élève, k) && élève < é.nbélèves) {
        grille1->Row(élève + 3);
        grille1_Click();
      } else if (élève == 0) {
        éditercellule();
      }
      return;
    }
    case 32: {
      long long total = 0;
      for (int k = 1; k <= é.nbinterros; ++k) total += é.maxinterro[k];
      avertissement(str(static_cast<double>(total)), QStringLiteral("Total des totaux !"));
      return;
    }
    case 107:
    case 187:
    case 109:
    case 189:
      if (é.préparations && grille1->Col() == colonneprép() && s >= 1 && s <= é.nbélèves)
        changerpréparations(s, codetouche == 107 || codetouche == 187 ? 1 : -1);
      return;
    case 46: supprimer(); return;
    default: return;
  }
}

void FenetrePrincipale::mnuaffrensint_Click() {
  const ÉtatPartagé& é = état();
  const int E = é.nbinterros, O = é.nborales;
  if (colonnecourante < 2 || colonnecourante > E + O + 1) return;
  if (refusésigroupage(QStringLiteral("Impossible d'afficher les infos lorsque l'affichage est en mode 'grouper les compétences'.  "
                                 "Veuillez d'abord désactiver cette fonction."), titregroupage)) return;
  if (élèvecourant > é.nbélèves) return;
  const int k = colonnecourante - 1;
  if (k <= E) {
    const int c = é.compétenceinterro[k];
    avertissement(QStringLiteral("Date : ") + é.dateinterro[k] + QStringLiteral("\nMatière : ") + é.matièreinterro[k] +
                      QStringLiteral("\nCompétence : ") + (c >= 1 && c <= é.nbcompétences() ? é.listecompétences[c] : QString()),
                  QStringLiteral("Interro écrite n°") + str(é.premièreinterro + k - 1));
    return;
  }
  const int j = k - E, s = élèvecourant;
  if (s < 1 || j > é.nbnotesorales[s]) return;
  const int c = é.compétenceorale(s, j);
  avertissement(QStringLiteral("Nom : ") + é.nomélève[s] + QStringLiteral("\nMatière et date : ") + é.libelléorale(s, j) +
                    QStringLiteral("\nNote obtenue :") + str(é.noteorale(s, j)) + QStringLiteral(" /") + str(é.maxorale(s, j)) +
                    QStringLiteral("\nCompétence : ") + (c >= 1 && c <= é.nbcompétences() ? é.listecompétences[c] : QString()),
                QStringLiteral("Interro orale n°") + str(j));
}

