#include "feuille/repartition.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "noyau/base/etat.h"
#include "plateforme/nombres.h"

FenetreRepartition::FenetreRepartition() {
  setObjectName(QStringLiteral("répartition"));
  histogramme = nommer(new Histogramme(this), "histogramme");
  histogramme->setMinimumSize(520, 260);
  résumé = nommer(new QLabel(this), "résumé");
  auto* fermer = nommer(new QPushButton(QStringLiteral("Fermer"), this), "fermer");
  auto* bas = new QHBoxLayout;
  bas->addWidget(résumé, 1);
  bas->addWidget(fermer);
  auto* tout = new QVBoxLayout(this);
  tout->addWidget(histogramme, 1);
  tout->addLayout(bas);
  connect(fermer, &QPushButton::clicked, this, [this] { Fenetre::fermer(); });
}

void FenetreRepartition::Form_Load() {
  const ÉtatPartagé& é = état();
  const QString clé = é.périodecourante;
  setWindowTitle(QStringLiteral("Répartition des résultats - %1 (%2) - %3 %4")
                     .arg(é.nomclasse[é.classecourante], é.nomcours[é.classecourante],
                          clé.startsWith(u'P') ? QStringLiteral("période") : QStringLiteral("examen"), clé.mid(1)));
  RépartitionGraphique r = répartitiondesrésultats();
  r.virgule = true;  // comme le résumé sous la figure
  histogramme->répartition(r);
  int comptés = 0;
  for (int n : r.nombres) comptés += n;
  résumé->setText(!r.moyenne ? QStringLiteral("Aucun résultat dans cette période.")
                             : QStringLiteral("%1 résultat(s) sur %2 : moyenne %3, médiane %4, %5 sous la moitié.")
                                   .arg(comptés)
                                   .arg(é.maxcourant)
                                   .arg(formatvirgule(moyenneaudixième(*r.moyenne), u"##0.0"), formatvirgule(*r.médiane, u"##0.0#"))
                                   .arg(r.nombres[0] + r.nombres[1] + r.nombres[2] + r.nombres[3] + r.nombres[4]));
}
