#pragma once
// Profils automatiques : les profils gardés, le réglage montré (examens et
// compétences), sa sauvegarde sous un nom et son application à la nouvelle classe.

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "socle/fenetre.h"

struct Profil;

class FenetreProfil : public Fenetre {
public:
  FenetreProfil();

  void OuvrirListeProfils();
  void Form_Load() override;
  void ListeProfils_Click();
  void cmdexa_Click();
  void listemaxexa_DblClick();
  void listecompétences_DblClick();
  void cmdsauver_Click();
  void cmdok_Click();
  void cmdquitter_Click();

  QLabel* label1;
  QListWidget* ListeProfils;
  QPushButton* cmdexa;
  QLabel* nombreexamens;
  QListWidget* listemaxexa;
  QLabel* Label2;
  QListWidget* listecompétences;
  QPushButton* cmdsauver;
  QPushButton* cmdok;
  QPushButton* cmdquitter;

protected:
  void reject() override { cmdquitter_Click(); }

private:
  Profil profilmontré() const;
  void montrer(const Profil& p);
  QString demandernom();
};
