#include "classes/competences.h"

#include <QVBoxLayout>

#include "classes/invites.h"
#include "noyau/base/dossiers.h"
#include "noyau/base/etat.h"
#include "noyau/base/module.h"
#include "noyau/base/piege.h"
#include "noyau/fichiers/notesclasse.h"
#include "noyau/regles/reglagesclasse.h"
#include "noyau/regles/resultats.h"
#include "noyau/suivi/ecriture.h"
#include "plateforme/nombres.h"
#include "plateforme/services.h"

FenetreCompetences::FenetreCompetences() {
  setWindowTitle(QStringLiteral("Compétences"));
  setObjectName(QStringLiteral("fcompétences"));
  etiqnomclasse = nommer(new QLabel(QStringLiteral("Classe de :"), this), "etiqnomclasse");
  classe = nommer(new QLabel(this), "classe");
  Etiquette2 = nommer(new QLabel(QStringLiteral("Cours :"), this), "Etiquette2");
  cours = nommer(new QLabel(this), "cours");
  etiquette5 = nommer(new QLabel(this), "etiquette5");
  listecompétences = nommer(new QListWidget(this), "listecompétences");
  listecompétences->setToolTip(QStringLiteral("Double-cliquez sur une compétence pour changer son poids ; "
                                              "0 la retire de la classe."));
  cmdok = nommer(new QPushButton(QStringLiteral("&Ok"), this), "cmdok");
  cmdok->setAutoDefault(false);
  auto* aide = new QLabel(QStringLiteral("La somme des poids doit être égale à 100 %. Double-cliquez sur une "
                                         "compétence pour changer son poids."),
                          this);
  aide->setWordWrap(true);

  auto* boutons = new QHBoxLayout;
  boutons->addStretch();
  boutons->addWidget(cmdok);
  auto* tout = new QVBoxLayout(this);
  tout->addLayout(entêteclasse(etiqnomclasse, classe, Etiquette2, cours));
  tout->addWidget(etiquette5);
  tout->addWidget(listecompétences, 1);
  tout->addWidget(aide);
  tout->addLayout(boutons);
  setMinimumSize(440, 380);

  connect(listecompétences, &QListWidget::itemDoubleClicked, this, [this] { listecompétences_DblClick(); });
  commeledoubleclic(listecompétences, [this] { listecompétences_DblClick(); });
  connect(cmdok, &QPushButton::clicked, this, [this] { cmdok_Click(); });
}

void FenetreCompetences::Form_Load() {
  centrer();
  const ÉtatPartagé& é = état();
  const QString& clé = é.périodecourante;
  etiquette5->setText((clé.startsWith(u'E') ? QStringLiteral("Examen n°") : QStringLiteral("Période n°")) + clé.mid(1));
  classe->setText(é.nomclasse[é.classecourante]);
  cours->setText(é.nomcours[é.classecourante]);
  QStringList lignes, noms;
  for (int j = 1; j <= é.nbcompétences(); ++j) {
    lignes.append(é.listecompétences[j]);
    noms.append(nomcompétence(é.listecompétences[j]));
  }
  for (int d = 1; d <= é.compétencesdéfaut.borne(); ++d)
    if (!noms.contains(é.compétencesdéfaut[d])) lignes.append(QStringLiteral("000% -> ") + é.compétencesdéfaut[d]);
  remplir(listecompétences, lignes);
  nombreinitial_ = é.nbcompétences();
}

void FenetreCompetences::listecompétences_DblClick() {
  QListWidgetItem* choisi = listecompétences->currentItem();
  if (!choisi) return;
  const QString nom = choisi->text().mid(8);
  const auto poids = poidsdemandé(nom, std::nullopt);  // Annuler ne change rien
  if (!poids) return;
  if (lignepoids(*poids, nom).startsWith(QStringLiteral("000")) && vérifcompdejautil(listecompétences->currentRow() + 1))
    return;
  choisi->setText(lignepoids(*poids, nom));
}

bool FenetreCompetences::vérifcompdejautil(int c) {
  if (c > nombreinitial_ || !compétenceutilisée(c)) return false;
  paspossible();
  return true;
}

void FenetreCompetences::paspossible() {
  avertissement(QStringLiteral("La compétence que vous essayez de remettre à zéro est utilisée pour une interrogation "
                               "écrite ou orale de cette période (ou examen).  Supprimez d'abord cette interrogation ou "
                               "corrigez la compétence utilisée avant de la mettre à zéro."),
                QStringLiteral("ERREUR..."));
}

void FenetreCompetences::cmdok_Click() {
  const QStringList toutes = lignes(listecompétences);
  if (!poidsvalides(compétencespondérées(toutes))) return;
  for (int p = 1; p <= nombreinitial_; ++p)
    if (toutes[p - 1].startsWith(QStringLiteral("000")) && vérifcompdejautil(p)) return;
  QList<FichierPréparé> fichiers;
  try {
    fichiers = adoptercompétences(toutes, nombreinitial_);
  } catch (const ErreurEvalo& e) {
    avertissement(e.texte(), QStringLiteral("Compétences non changées"));
    avecpiège(QStringLiteral("Erreur !"), [] { chargerclasse(); });
    return;
  }
  if (!écrirefichiersnotés(fichiers)) {
    // Rien n'a été écrit : la classe-période reprend ses compétences, la fenêtre garde ses lignes.
    avecpiège(QStringLiteral("Erreur !"), [] { chargerclasse(); });
    return;
  }
  fermer();
}
