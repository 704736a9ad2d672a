#pragma once
#include "plateforme/boites.h"

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
};
