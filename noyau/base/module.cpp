#include "noyau/base/module.h"

#include "noyau/base/etat.h"
#include "plateforme/nombres.h"
#include "plateforme/services.h"

QString formerannéeaffichée(const QString& annéescolaire) {
  const int année = arrondipair(val(annéescolaire));
  return str(année) + QStringLiteral(" -") + str((année + 1) % 100);
}

void actualiserannéeaffichée() { état().annéeaffichée = formerannéeaffichée(état().annéescolaire); }

void fixerpériodecourante(QChar lettre, int numéro) {
  état().périodecourante = QString(lettre) + QString::number(numéro);
}

QString nomcompétence(const QString& compétence) { return compétence.mid(8); }

int poidscompétence(const QString& compétence) { return arrondipair(val(compétence.left(3))); }

PositionFenêtre centrerfenêtre(int largeurécran, int hauteurécran, int largeur, int hauteur) {
  // Une fenêtre plus grande que l'écran garde sa barre de titre visible.
  const int gauche = largeurécran / 2 - largeur / 2;
  const int haut = hauteurécran / 2 - hauteur / 2 - 200;
  return {gauche < 0 ? 0 : gauche, haut < 0 ? 0 : haut};
}

int avertissement(const QString& texte, const QString& titre) { return boîtes().avertissement(texte, titre); }

int question(const QString& texte, const QString& titre, const QString& détails) {
  return boîtes().question(texte, titre, détails);
}

QString demandertexte(const QString& texte) {
  état().textesaisi = texte;
  montrermodale(QStringLiteral("rema"));
  return état().textesaisi;
}

QString annéescolairedudate(const QDate& date) {
  const int début = date.month() >= 8 ? date.year() : date.year() - 1;
  return QString::number(début % 100);
}

bool refusénonnombre(const QString& réponse, const QString& titre) {
  if (estnombre(réponse)) return false;
  boîtes().message(QStringLiteral("« %1 » n'est pas un nombre.\n\nTapez-le en chiffres, avec un point pour les décimales.")
                       .arg(réponse.trimmed()),
                   titre);
  return true;
}

bool demanderannéescolaire() {
  for (;;) {
    const QString réponse = boîtes().saisie(QStringLiteral("Entrer l'année scolaire\n\nen septembre"),
                                            QStringLiteral("CORRECTION"), état().annéescolaire);
    if (réponse.isEmpty()) return false;
    if (refusénonnombre(réponse, QStringLiteral("CORRECTION"))) continue;
    const double lu = val(réponse);
    if (lu < -0.5 || lu >= 99.5) {
      boîtes().bip();
      continue;
    }
    const QString avant = état().annéescolaire;
    état().annéescolaire = QString::number(arrondipair(lu));
    actualiserannéeaffichée();
    return état().annéescolaire != avant;
  }
}
