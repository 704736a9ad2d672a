#include "classes/invites.h"

#include "noyau/base/module.h"
#include "plateforme/nombres.h"
#include "plateforme/services.h"

namespace {

// Un nombre strictement positif qui tient sur 16 bits.
bool maximumvalide(const QString& réponse) {
  const double v = val(réponse);
  return v > 0 && v < entiermax + 0.5;
}

// "E1", "E1 et E2", "E1, E2 et E3".
QString nomsdesexamens(int nombre) {
  QStringList noms;
  for (int e = 1; e <= nombre; ++e) noms << QStringLiteral("E%1").arg(e);
  const QString dernier = noms.takeLast();
  return noms.isEmpty() ? dernier : noms.join(QStringLiteral(", ")) + QStringLiteral(" et ") + dernier;
}

// Un examen déjà créé a besoin de son maximum : le nombre prévu ne descend pas sous eux.
bool refussouslescréés(int nouveau, int déjàcréés) {
  if (nouveau >= déjàcréés) return false;
  const QString créés = déjàcréés == 1
                            ? QStringLiteral("L'examen E1 est déjà créé")
                            : QStringLiteral("Les examens %1 sont déjà créés").arg(nomsdesexamens(déjàcréés));
  boîtes().message(créés + QStringLiteral(" dans cette classe : il faut en prévoir au moins %1.").arg(déjàcréés),
                   QStringLiteral("EXAMENS"));
  return true;
}

}  // namespace

QString ligneexamen(int numéro, const QString& maximum) {
  return QStringLiteral(" Examen n°") + str(numéro) + QStringLiteral(" : / ") + maximum;
}

int maximumdeligne(const QString& ligne) {
  const double v = val(QStringView(ligne).mid(ligne.lastIndexOf(u'/') + 1));
  return v >= entiermax + 0.5 ? entiermax : arrondipair(v);
}

QStringList lignes(const QListWidget* liste) {
  QStringList t;
  for (int i = 0; i < liste->count(); ++i) t.append(liste->item(i)->text());
  return t;
}

void remplir(QListWidget* liste, const QStringList& lignes) {
  liste->clear();
  liste->addItems(lignes);
}

void demandernombreexamens(QListWidget* examens, QLabel* nombre, int déjàcréés) {
  QString réponse;
  for (;;) {
    réponse = boîtes().saisie(QStringLiteral("Combien d'examens ?"), QStringLiteral("EXAMENS"), QString());
    if (réponse.isEmpty()) return;
    if (refusénonnombre(réponse, QStringLiteral("EXAMENS"))) continue;
    const double v = val(réponse);
    if (!((v > 0 && v < entiermax + 0.5) || réponse == QStringLiteral("0"))) continue;
    if (!refussouslescréés(arrondipair(v), déjàcréés)) break;
  }
  const int nouveau = arrondipair(val(réponse));
  const int ancien = examens->count();
  while (examens->count() > nouveau) delete examens->takeItem(examens->count() - 1);
  for (int e = ancien + 1; e <= nouveau; ++e) examens->addItem(ligneexamen(e, QStringLiteral("20")));
  nombre->setText(réponse);
}

void corrigermaxexamen(QListWidget* examens) {
  const int ligne = examens->currentRow();
  if (ligne < 0) return;
  for (;;) {
    const QString réponse = boîtes().saisie(QStringLiteral("Entrer la note maximale de l'examen n°") + str(ligne + 1),
                                            QStringLiteral("CORRIGER MAX EXAMEN"), QString());
    if (réponse.isEmpty()) return;  // Annuler laisse le maximum tel quel
    if (refusénonnombre(réponse, QStringLiteral("CORRIGER MAX EXAMEN")) || !maximumvalide(réponse)) continue;
    examens->item(ligne)->setText(ligneexamen(ligne + 1, réponse));
    return;
  }
}

void demandermaxpériode(QLabel* maximum) {
  for (;;) {
    const QString réponse = boîtes().saisie(QStringLiteral("Quel est la note maximale pour chaque période ?"),
                                            QStringLiteral("PERIODE"), QStringLiteral("20"));
    if (réponse.isEmpty()) return;
    if (refusénonnombre(réponse, QStringLiteral("PERIODE")) || !maximumvalide(réponse)) continue;
    maximum->setText(réponse);
    return;
  }
}

std::optional<double> poidsdemandé(const QString& nom, std::optional<double> sivide) {
  QString réponse;
  do {
    réponse = boîtes().saisie(QStringLiteral("Tapez le coefficient pour : ") + nom, QString(), QString());
    if (réponse.trimmed().isEmpty()) return sivide;
  } while (refusénonnombre(réponse, QStringLiteral("Coefficient")));
  const double poids = val(réponse);
  if (poids < 0 || poids >= 100.5) {
    avertissement(QStringLiteral("Le coefficient doit être compris entre 0 et 100 %."), QStringLiteral("Coefficient"));
    return std::nullopt;
  }
  return poids;
}

QString lignepoids(double poids, const QString& nom) { return format(poids, u"000") + QStringLiteral("% -> ") + nom; }

void demanderpoids(QListWidget* compétences) {
  QListWidgetItem* choisi = compétences->currentItem();
  if (!choisi) return;
  const QString nom = choisi->text().mid(8);
  if (const auto poids = poidsdemandé(nom, 0.0)) choisi->setText(lignepoids(*poids, nom));
}

QStringList lignesexamens(const Tableau<int>& maxima, int nombre, int défaut) {
  QStringList t;
  for (int e = 1; e <= nombre; ++e) t.append(ligneexamen(e, QString::number(e <= maxima.borne() ? maxima[e] : défaut)));
  return t;
}

QList<int> maximadeslignes(const QListWidget* examens) {
  QList<int> maxima;
  for (const QString& l : lignes(examens)) maxima.append(maximumdeligne(l));
  return maxima;
}

QHBoxLayout* entêteclasse(QLabel* etiqnomclasse, QLabel* classe, QLabel* Etiquette2, QLabel* cours) {
  QFont gras = classe->font();
  gras.setBold(true);
  classe->setFont(gras);
  cours->setFont(gras);
  auto* entête = new QHBoxLayout;
  entête->addWidget(etiqnomclasse);
  entête->addWidget(classe);
  entête->addSpacing(30);
  entête->addWidget(Etiquette2);
  entête->addWidget(cours);
  entête->addStretch();
  return entête;
}
