#include "noyau/regles/saisienote.h"

#include <cmath>

#include "noyau/base/etat.h"
#include "noyau/base/module.h"
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

// La raison du refus d'un texte qui n'est ni "A", ni "AI", ni "NC" ; vide s'il est admis.
QString raisonrefus(const QString& texte, int maximum) {
  if (texte.contains(u',') || texte.contains(u';')) return QStringLiteral("virgule à remplacer par un point");
  const double v = val(texte);
  if (v == 0 && texte != QStringLiteral("0")) return QStringLiteral("pas une note");
  if (v < 0) return QStringLiteral("note négative");
  if (v > maximum) return QStringLiteral("au-dessus du maximum (%1)").arg(maximum);
  if (v * 2 != std::floor(v * 2)) return QStringLiteral("pas un demi-point");
  return QString();
}

}  // namespace

NoteLue lirenote(const QString& texte, int maximum) {
  if (!texte.contains(u',') && !texte.contains(u';')) {
    if (texte == QStringLiteral("A") || texte == QStringLiteral("a")) return {QStringLiteral("A"), {}};
    if (texte == QStringLiteral("AI") || texte == QStringLiteral("ai")) return {QStringLiteral("AI"), {}};
    if (texte == QStringLiteral("NC") || texte == QStringLiteral("nc")) return {QStringLiteral("NC"), {}};
  }
  const QString refus = raisonrefus(texte, maximum);
  if (!refus.isEmpty()) return {QString(), refus};
  return {str(val(texte)).trimmed(), {}};
}

QString vérifiernote(const QString& texte, int maximum) {
  const NoteLue lue = lirenote(texte, maximum);
  if (lue.refus.isEmpty()) return lue.note;
  avertissement(QStringLiteral("Vous avez tapé : ") + texte + QStringLiteral(" /") + QString::number(maximum) +
                    QStringLiteral("\n\nCette note n'est pas autorisée.  Vérifiez que la virgule est remplacée par "
                                   "un point et que le nombre n'est ni inférieur à zéro, ni supérieur au maximum "
                                   "de l'interrogation."),
                QStringLiteral("Note incorrecte !!!"));
  return QStringLiteral("ERREUR");
}
