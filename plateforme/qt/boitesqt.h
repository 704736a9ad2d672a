#pragma once
#include "plateforme/boites.h"

class QMessageBox;

// Pose le texte d'une boîte sans qu'elle dépasse l'écran : d'une longue liste, le
// début et la fin (les consignes Oui / Non) restent visibles, le milieu passe dans
// les détails, que la boîte fait défiler.
void poserletexte(QMessageBox& boîte, const QString& texte, const QString& détails = QString());

// Un titre aux lettres espacées (« A T T E N T I O N ! ») tel qu'un lecteur d'écran doit
// le dire (« Attention ! ») ; les autres textes restent tels quels.
QString titrelisible(const QString& titre);
// Le titre de la boîte, et son nom en mots pour les lecteurs d'écran.
void poserletitre(QMessageBox& boîte, const QString& titre);

// Boîtes Qt : les boutons standard prennent leur texte français de la traduction
// de Qt chargée par main().
class BoitesQt : public Boites {
public:
  int avertissement(const QString& texte, const QString& titre) override;
  int question(const QString& texte, const QString& titre, const QString& détails = QString()) override;
  QString saisie(const QString& invite, const QString& titre, const QString& défaut) override;
  void message(const QString& texte, const QString& titre) override;
  void bip() override;
  void sablier(bool actif) override;
  void annonce(const QString& texte) override;
};
