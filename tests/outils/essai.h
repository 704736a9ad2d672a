#pragma once
// Banc d'essai commun : un dossier racine temporaire avec son dossier de données et
// un disque amovible, l'état remis à neuf, des boîtes scriptées, une horloge fixe et
// un registre de fenêtres qui note chaque fenêtre montrée.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>

#include "plateforme/boites.h"
#include "plateforme/horloge.h"

class EssaiDonnees : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  QString disquedur(const QString& relatif) const;  // chemin réel sous dossierracine\evalo
  QString amovible(const QString& relatif) const;   // chemin réel sous le disque amovible
  static void écrire(const QString& chemin, const QByteArray& octets);
  // Le même fichier sur les deux disques, comme après une sortie normale.
  void deuxdisques(const QString& nom, const QStringList& lignes) const;
  static QByteArray lire(const QString& chemin);
  static bool existe(const QString& chemin);

  QTemporaryDir temporaire;
  QString racine;        // dossierracine
  QString dossieramov;   // disque amovible (chemin réel)
  BoitesScriptees boîtes;
  HorlogeFixe horloge{QDateTime(QDate(2026, 9, 14), QTime(8, 30))};
  QStringList fenêtresmontrées;
  // Ce que fait la fenêtre montrée (par exemple enregistrer des renseignements).
  std::function<void(const QString&)> surfenêtre;
};

// Lignes CR LF d'un fichier attendu.
QByteArray crlf(const QStringList& lignes);
