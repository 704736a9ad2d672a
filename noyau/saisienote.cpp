#include "noyau/saisienote.h"

#include <cmath>

#include "noyau/etat.h"
#include "noyau/module.h"
#include "plateforme/nombres.h"
#include "plateforme/services.h"

QString demandernote(int i) {
  const QString invite =
      QStringLiteral("Entrer la note de\n\n") + état().nomélève[i] +
      QStringLiteral("\n\nPour les nombres décimaux, il faut remplacer la virgule par un POINT !\n\n"
                     "Elève absent => <A>\nElève en absence injustifiée => <AI>\nElève présent mais non coté => <NC>");
  return boîtes().saisie(invite, QStringLiteral("ENTRER UNE NOTE"), QString());
}

namespace {

bool refusée(const QString& texte, int maximum) {
  if (texte.contains(u',') || texte.contains(u';')) return true;
  const double v = val(texte);
  if (v == 0 && texte != QStringLiteral("0")) return true;
  if (v < 0 || v > maximum) return true;
  return v * 2 != std::floor(v * 2);
}

}  // namespace

QString vérifiernote(const QString& texte, int maximum) {
  if (!texte.contains(u',') && !texte.contains(u';')) {
    if (texte == QStringLiteral("A") || texte == QStringLiteral("a")) return QStringLiteral("A");
    if (texte == QStringLiteral("AI") || texte == QStringLiteral("ai")) return QStringLiteral("AI");
    if (texte == QStringLiteral("NC") || texte == QStringLiteral("nc")) return QStringLiteral("NC");
  }
  if (!refusée(texte, maximum)) return str(val(texte)).trimmed();
  avertissement(QStringLiteral("Vous avez tapé : ") + texte + QStringLiteral(" /") + QString::number(maximum) +
                    QStringLiteral("\n\nCette note n'est pas autorisée.  Vérifiez que la virgule est remplacée par "
                                   "un point et que le nombre n'est ni inférieur à zéro, ni supérieur au maximum "
                                   "de l'interrogation."),
                QStringLiteral("Note incorrecte !!!"));
  return QStringLiteral("ERREUR");
}
