#pragma once
// Feuille principale : la grille des notes d'une classe pour une période ou un
// examen, ses menus, sa barre d'outils, et l'édition des notes et des noms.

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QToolBar>
#include <QVBoxLayout>
#include <functional>

#include "noyau/sorties/presentation.h"
#include "plateforme/qt/grille.h"
#include "socle/fenetre.h"

inline const QString titreimpossible = QStringLiteral("Action Impossible !!!");
inline const QString titregroupage = QStringLiteral("Grouper les compétences est actif");

class FenetrePrincipale : public Fenetre {
public:
  FenetrePrincipale();

  void Form_Load() override;
  void préparergrille();
  void remplirgrille();
  void écrirenote(int s, int k);
  void écrirerésultats(int s);
  void écrirestatistiques(int k);
  // Après une note changée : sa case, les résultats de l'élève, la moyenne et
  // les échecs du test et des résultats ; rien d'autre n'est réécrit.
  void rafraîchirnote(int s, int k);
  // Frappe dans la grille : une note se tape sur place, Entrée la contrôle comme
  // la boîte de saisie et passe à l'élève suivant, Tab au test suivant.
  bool frappedanslagrille(const QString& texte);
  bool refusésigroupagepourédition();
  bool finédition(const QString& texte, int touche);
  void collernotes();
  void copiercellule();
  // L'élève et le test d'une case de note écrite ; {0, 0} ailleurs.
  std::pair<int, int> casedenote() const;
  void casecouleur(const QString& texte, double maximum);
  void adapterauformat();
  void boutonpériode_Click(int index);
  void onglets_Click(int onglet);

  // Grille (édition).
  void grille1_Click();
  void afficherélèvecourant();
  void grille1_DblClick();
  void grille1_KeyDown(int codetouche, int shift);
  void grille1_MouseDown(int bouton);
  void mnuaffrensint_Click();
  // Editer : annuler, rétablir, historique de la classe.
  void annuler_Click();
  void rétablir_Click();
  void historique_Click();
  void préparermenuéditer();
  // Après une annulation : la classe relue depuis ses fichiers remis.
  void remettreclasse(const QStringList& fichiersremis);

  // Entretien des élèves et des tests.
  void mnuajouternom_Click();
  void mnuimporterélèves_Click();
  void périodevoisine(int sens);  // -1 : la précédente, 1 : la suivante
  void supprimer();  // touche Suppr et bouton 3

  // Notes orales.
  void mnuajouternoteorale_Click();
  void ajouternoteorale(int s);
  void listeorales_Click();

  // Groupement par compétence.
  void groupercompétencesonoff();
  void grouperparcompétences();

  // Exportations.
  QString choixexport();
  void exportnoms_Click();
  void exportnotes_Click();
  void exportclasseur_Click();
  void mnuexportmoy_Click();
  void exporttotcomp_Click();

  // Menus.
  void mnunouvie_Click();
  void corrint_Click();
  void mnuouvclas_Click();
  void mnuquitter_Click();
  void imprimerdirect_Click();
  void imprfi_Click();
  void menu_ficheindividuelle_Click();
  void menudéfaut_Click();
  void menucomp_Click();
  // "Comment est-ce calculé ?" : la bulle d'une cellule (moyenne, compétence,
  // en-tête d'un test), et la même explication dans une boîte.
  QString bulle(int ligne, int colonne) const;
  // Ce qu'un lecteur d'écran dit d'une case d'élève : "Dupont Jean, interro n°3 (C2) :
  // 14 sur 20", "… : absent", "…, sous la moitié" pour une note rouge.
  QString texteaccessible(int ligne, int colonne) const;
  QString descriptioncourte(int ligne, int colonne) const;
  void annoncerenregistré(int ligne, int colonne);
  ModeleGrille::TexteEntête entêteaccessible(Qt::Orientation orientation, int section) const;
  // Ce qu'est une colonne de la feuille (pour l'élève s, ou 0 pour la classe) et son maximum.
  struct ColonneDite {
    QString quoi;
    double maximum = 0;
  };
  ColonneDite colonnedite(int colonne, int s) const;
  QString textedestatistique(int ligne, int colonne) const;
  void mnuexplication_Click();
  void textmatrecap_Click();

  // Variables de la fenêtre.
  bool groupageactif = false;
  int élèvecourant = 0;
  int colonnecourante = 1000;

  QTabBar* onglets;
  QPushButton* boutonpériode[5];
  QLabel* Etiquette3;
  QLabel* Etiquette4;
  QLabel* Etiquette5;
  QListWidget* étiqnom;
  Grille* grille1;
  QLabel* étiqsauve;
  QToolBar* Toolbar1;
  QAction* bouton3;
  QAction* bouton12;
  QMenu* menuafficher;
  QAction* mnunouvie;
  QAction* mnuouvclas;
  QAction* mnuajouternom;
  QAction* mnuimporterélèves;
  QAction* mnupériodeprécédente;
  QAction* mnupériodesuivante;
  QAction* mnuajouternoteorale;
  QAction* imprimerdirect;
  QAction* mnuaperçu;
  QAction* mnuréduire;
  QAction* mnuexplication;
  QAction* imprfi;
  QAction* mnuimprimer;
  QAction* mnuiprimantepardéfaut;
  QAction* mnuquitter;
  QAction* mnuaffichtotaux;
  QAction* classer;
  QAction* listeorales;
  QAction* mnuaffrensint;
  QAction* menu_ficheindividuelle;
  QAction* menugrouper;
  QAction* textmatrecap;
  QAction* corrint;
  QAction* mnuannuler;
  QAction* mnurétablir;
  QAction* mnuhistorique;
  QAction* mnucopier;
  QAction* mnurépartition;
  QAction* menudéfaut;
  QAction* menucomp;
  QAction* mnuexportmoy;
  QAction* exportnoms;
  QAction* exportnotes;
  QAction* exportclasseur;
  QAction* exporttotcomp;

protected:
  void closeEvent(QCloseEvent* e) override;
  void showEvent(QShowEvent* e) override;
  void reject() override { mnuouvclas_Click(); }

private:
  bool refusésigroupage(const QString& texte, const QString& titre);
  void construiremenus(QVBoxLayout* tout);
  void construirebarre();
  void éditercellule();
  bool corrigernoteécrite(int s, int k);  // vrai quand une note est enregistrée
  // Le calcul après un changement ; une valeur abîmée de la classe-période (une
  // compétence qui n'existe pas) arrête la commande avec le fichier et la ligne de
  // l'élève (0 : le fichier seul), sans rien écrire ni quitter. Rend faux alors.
  bool calculersansvaleurabîmée(const std::function<void()>& calcul, int élève);
  QString libellénote(int s, int k) const;
  void remettrepar(bool annuler);
  // La case d'une note nommée comme dans l'historique (« note de …, interro n°… »),
  // devenue la case courante ; faux quand ce n'est pas une note de la feuille montrée.
  bool allersurlanote(const QString& libellé);
  int colonnedutest(int k) const;
  void corrigernoteorale(int s, int j);
  void corrigernom(int s);
  // Change chaque période et examen de la classe, les écrit ensemble et recharge.
  void changerchaquepériode(const std::function<void()>& changer);
  void supprimerélève(int s);
  void supprimerinterrogation(int k);
  void supprimermoyenne(int s);
  void supprimerorale(int s, int j);
  int demandermaximumorale(const QString& titre);
  QString demanderdateorale(const QString& titre);
  QString demandermatièreorale(const QString& nom);
  QString demandernoteorale(int s, int maximum);
  int demandercompétenceorale();
  int demandercompétenceexport();
  QString demanderdossierexport();
  void changerpréparations(int s, int pas);
  void aprèsmodification();
  int colonneprép() const;
};

namespace groupage {
// Un champ du groupement : le texte précédé de blancs jusqu'à largeur caractères
// (le nom blanc désigne aussi la couleur, d'où l'espace de noms).
QString blanc(const QString& texte, int largeur = 5);
}  // namespace groupage


