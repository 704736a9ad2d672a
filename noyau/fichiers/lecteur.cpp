#include "noyau/fichiers/lecteur.h"

#include <QDir>

#include "plateforme/erreurs.h"
#include "plateforme/nombres.h"

LecteurLignes::LecteurLignes(QStringList lignes, QString chemin)
    : lignes_(std::move(lignes)), chemin_(std::move(chemin)) {}

QString LecteurLignes::suivante(const char* attendu) {
  if (fin())
    throw ErreurFichier(CauseErreur::FinInattendue, chemin_,
                        QStringLiteral("Fin de fichier inattendue dans « %1 » : la ligne %2 (%3) manque.")
                            .arg(QDir::toNativeSeparators(chemin_))
                            .arg(position_ + 1)
                            .arg(QString::fromUtf8(attendu)));
  return lignes_[position_++];
}

void LecteurLignes::illisible(const QString& texte, const QString& pourquoi) const {
  throw ErreurFichier(pourquoi.isEmpty() ? CauseErreur::NombreIllisible : CauseErreur::HorsLimites, chemin_,
                      QStringLiteral("Nombre illisible à la ligne %1 de « %2 » : « %3 »%4.")
                          .arg(position_)
                          .arg(QDir::toNativeSeparators(chemin_), texte, pourquoi));
}

QString LecteurLignes::ligne() { return suivante("un texte"); }

double LecteurLignes::nombre() {
  const QString texte = suivante("un nombre");
  if (!estnombre(texte)) illisible(texte, {});
  return val(texte);
}

int LecteurLignes::entier() {
  const QString texte = suivante("un nombre entier");
  if (!estnombre(texte)) illisible(texte, {});
  const double v = val(texte);
  if (v < entiermin - 0.5 || v > entiermax + 0.5)
    illisible(texte, QStringLiteral(" (il doit être compris entre %1 et %2)").arg(entiermin).arg(entiermax));
  return arrondipair(v);
}

int LecteurLignes::compte() {
  const int n = entier();
  if (n < 0) illisible(QString::number(n), QStringLiteral(" (un nombre négatif n'est pas permis ici)"));
  return n;
}
