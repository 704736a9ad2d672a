#pragma once
// Les messages d'état : un bandeau au bas de la fenêtre active, que les lecteurs
// d'écran disent dès qu'il paraît (rôle « notification »), sans prendre le focus.

#include <QLabel>

class QTimer;

class BandeauAnnonce : public QLabel {
public:
  // àvoir faux : le texte n'est que dit, le bandeau est un point transparent.
  BandeauAnnonce(QWidget* fenêtre, bool àvoir);
  // Montre le texte quelques secondes ; un nouveau texte remplace le précédent et
  // se fait redire, même identique.
  void annoncer(const QString& texte);

protected:
  bool eventFilter(QObject* objet, QEvent* e) override;

private:
  void placer();
  bool àvoir_;
  QTimer* effacement_;
};

// Le bandeau de la fenêtre où le professeur travaille (la boîte modale du dessus,
// sinon la fenêtre active), créé au premier message ; nul sans fenêtre montrée.
BandeauAnnonce* bandeaudelafenêtreactive();

// Dit un texte aux lecteurs d'écran seulement (un choix fait aux flèches dans une
// liste déroulante, une date du calendrier), sans rien montrer.
void direauxlecteurs(const QString& texte);

class QAbstractItemView;
// La case ou la ligne courante d'une vue, dite aux lecteurs d'écran comme si le focus
// y arrivait : Qt n'annonce que la vue quand elle reçoit le focus.
void redirecourant(QAbstractItemView* vue);
