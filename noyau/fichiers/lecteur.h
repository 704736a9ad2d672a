#pragma once
// Lecture ligne à ligne d'un fichier de données déjà chargé, avec des erreurs qui
// disent en français ce qui manque ou ce qui est illisible, et où.

#include <QString>
#include <QStringList>

class LecteurLignes {
public:
  LecteurLignes(QStringList lignes, QString chemin);
  bool fin() const { return position_ >= lignes_.size(); }
  qsizetype restantes() const { return lignes_.size() - position_; }
  qsizetype nombrelignes() const { return lignes_.size(); }

  QString ligne();  // la ligne entière
  double nombre();  // un nombre seul sur sa ligne
  int entier();     // un entier de 16 bits (une décimale s'arrondit au voisin pair)
  int compte();     // un entier positif ou nul

private:
  QString suivante(const char* attendu);
  [[noreturn]] void illisible(const QString& texte, const QString& pourquoi) const;
  QStringList lignes_;
  QString chemin_;
  qsizetype position_ = 0;
};
