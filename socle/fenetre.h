#pragma once
// Socle des fenêtres : une boîte de dialogue modale, centrée comme le veut le
// module, avec Form_Load rejoué à chaque affichage.

#include <QDialog>
#include <QListWidget>
#include <QPixmap>
#include <functional>

class Fenetre : public QDialog {
public:
  explicit Fenetre(QWidget* parent = nullptr);
  // Form_Load puis affichage modal ; rend la main à la fermeture.
  void montrer();
  virtual void Form_Load() {}
  // Place la fenêtre au centre de l'écran, 200 twips plus haut.
  void centrer();
  bool ouverte() const { return ouverte_; }

protected:
  void fermer();
  void done(int résultat) override;

private:
  bool ouverte_ = false;
};

// Donne à un contrôle le nom qu'il porte dans la fenêtre (les essais le retrouvent ainsi).
template <class W>
W* nommer(W* contrôle, const char* nom) {
  contrôle->setObjectName(QString::fromUtf8(nom));
  return contrôle;
}

// Passe les touches frappées dans un contrôle à gestion (code de touche de
// l'ancien système) ; une touche traitée (gestion rend vrai) n'y va pas plus loin.
void intercepterclavier(QWidget* contrôle, std::function<bool(int codetouche)> gestion);

// Ce que le double clic fait sur la ligne courante d'une liste, au clavier aussi :
// Entrée, Espace ou F2 (la liste n'a jamais besoin de la souris).
void commeledoubleclic(QListWidget* liste, std::function<void()> action);

// Le sablier le temps d'une commande longue ; il s'en va avec elle, même quand une
// erreur l'arrête.
class SablierActif {
public:
  SablierActif();
  ~SablierActif();
  SablierActif(const SablierActif&) = delete;
  SablierActif& operator=(const SablierActif&) = delete;
};

// La ligne sélectionnée d'une liste, ou -1 : la ligne courante que le focus
// désigne sans la sélectionner n'est pas un choix.
int lignesélectionnée(const QListWidget& liste);

// Donne un nom, pour les lecteurs d'écran, aux contrôles qui n'en ont pas d'eux-mêmes :
// barre des menus, menus (leur titre), barres d'outils, boutons d'icône (leur bulle),
// images (leur bulle). Fait à chaque affichage d'une fenêtre.
void nommerpourleslecteurs(QWidget* fenêtre);

// Le logo du programme, dessiné (carnet de cotes).
QPixmap logoevalo(int taille);

// Ligne de version du programme.
QString ligneversion();
