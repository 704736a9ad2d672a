#pragma once
// Mises en page imprimées de la classe-période chargée : l'en-tête commun, la
// forme d'une note sur quatre caractères, les points, les moyennes, la grille à
// remplir, les renseignements des interrogations, les totaux et les compétences.
// Chacune écrit dans le document ouvert de l'imprimante et finit par NewPage.

#include <QString>

#include "plateforme/imagegrille.h"

class Imprimante;

// Ce que le travail d'impression fixe pour ses mises en page.
struct TravailImpression {
  QString périodeàimprimer;   // "P1", "E2"...
  int imprimerencouleur = 255;  // couleur des totaux faibles ; 0 : noir
};

// La date des impressions : jj/mm/aaaa.
QString dateimpression();

// Une note en quatre caractères : " A  ", " AI ", "12,5", " 4,0", "?12."...
QString formaternote(const QString& note);
// " " puis la note formée, en rouge sous la moitié du maximum ; "?", "NC" et "A" en noir.
void couleurpoints(Imprimante& i, const QString& note, double maximum);
// Le nom coupé à coupe caractères, suivi de points jusqu'à largeur.
QString nompointé(const QString& nom, int coupe, int largeur);
void souligner(Imprimante& i, const QString& texte, int colonne);
void imprimerentête(Imprimante& i, const QString& périodeàimprimer);

void imprimerpoints(Imprimante& i, const TravailImpression& t);
void imprimermoyennes(Imprimante& i, const TravailImpression& t);
void imprimernomsgrille(Imprimante& i, const TravailImpression& t);
void imprimerrensinterro(Imprimante& i, const TravailImpression& t);
// Montre le choix des élèves, demande les messages, puis imprime un bloc par élève choisi.
void imprimerrécapitulatif(Imprimante& i, const TravailImpression& t);

// genre 2 : total d'une période ou d'un examen ; 0 : pourcentage ; autre : sommes.
void couleurtot(Imprimante& i, const QString& texte, double maximum, int genre, int couleur);
// Pose ses questions (couleur, dernière période) ; t.imprimerencouleur suit la réponse.
void imprimertotaux(Imprimante& i, TravailImpression& t);
void imprimercompétences(Imprimante& i, const TravailImpression& t);

// "Taper le numéro de la dernière période à additionner", jusqu'à un nombre de
// 0 à la dernière période de la classe ; une réponse vide vaut 0.
int demanderdernièrepériode();

// Le temps d'une commande d'impression qui peut être abandonnée (une période
// abîmée) : le document commencé est alors jeté, et l'impression suivante n'en
// porte rien.
class DocumentEnCours {
public:
  explicit DocumentEnCours(Imprimante& i);
  ~DocumentEnCours();
  DocumentEnCours(const DocumentEnCours&) = delete;
  DocumentEnCours& operator=(const DocumentEnCours&) = delete;

private:
  Imprimante& imprimante_;
  int exceptions_;
};

// Remet le document ; un refus de l'imprimante est dit en clair. Vrai quand il est remis.
bool finirdocument(Imprimante& i);

// Plusieurs documents (les fiches de plusieurs élèves...) n'en font qu'un, remis
// par terminer ; une commande abandonnée en route le jette.
class TravailUnique {
public:
  explicit TravailUnique(Imprimante& i);
  ~TravailUnique();
  TravailUnique(const TravailUnique&) = delete;
  TravailUnique& operator=(const TravailUnique&) = delete;
  bool terminer();

private:
  Imprimante& imprimante_;
  DocumentEnCours document_;
  bool ouvert_ = true;
};

// En-tête des impressions directes : Times New Roman 14, deux lignes vides, puis
// "  " et le titre souligné.
void imprimertitresouligné(Imprimante& i, const QString& titre);

// Impression directe d'une grille, en paysage : le titre souligné suivi de
// " - le " et la date, puis l'image ; un document à lui seul.
void imprimerimagegrille(const QString& titre, const ImageGrille& image);
