#include "classes/nouvelleclasse.h"

#include "classes/importliste.h"
#include "classes/invites.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "noyau/base/dossiers.h"
#include "noyau/base/etat.h"
#include "noyau/base/module.h"
#include "noyau/base/piege.h"
#include "noyau/base/portetexte.h"
#include "noyau/fichiers/listeimportee.h"
#include "noyau/fichiers/profils.h"
#include "noyau/regles/reglagesclasse.h"
#include "noyau/regles/resultats.h"
#include "plateforme/fichiers.h"
#include "plateforme/nombres.h"
#include "plateforme/ordre.h"
#include "plateforme/qt/grille.h"
#include "plateforme/services.h"
#include "socle/registre.h"


FenetreNouvelleClasse::FenetreNouvelleClasse() {
  setWindowTitle(QStringLiteral("Entrer une nouvelle classe"));
  setObjectName(QStringLiteral("fenêtrenouvelleclasse"));
  etiqnomclasse = nommer(new QLabel(QStringLiteral("Classe de :"), this), "etiqnomclasse");
  classe = nommer(new QLabel(this), "classe");
  Etiquette2 = nommer(new QLabel(QStringLiteral("Cours :"), this), "Etiquette2");
  cours = nommer(new QLabel(this), "cours");
  listenom = nommer(new QListWidget(this), "listenom");
  Etiquette1 = nommer(new QLabel(QStringLiteral("Nombre d'élèves : "), this), "Etiquette1");
  nbeleves = nommer(new QLabel(this), "nbeleves");
  cmdajouter = nommer(new QPushButton(QStringLiteral("&Ajouter un élève"), this), "cmdajouter");
  cmdsupprimer = nommer(new QPushButton(QStringLiteral("&Supprimer un élève"), this), "cmdsupprimer");
  Command1 = nommer(new QPushButton(QStringLiteral("&Importer une liste d'élèves"), this), "Command1");
  listecompétences = nommer(new QListWidget(this), "listecompétences");
  Ajoutercompétence = nommer(new QPushButton(QStringLiteral("Ajouter une compétence"), this), "Ajoutercompétence");
  Label2 = nommer(new QLabel(QStringLiteral("Attention !  La somme des pourcentages des compétences doit être égale à "
                                              "100 => ne pas oublier de modifier la compétence à utiliser en DOUBLE "
                                              "CLIQUANT dessus. Si vous n'utilisez aucune compétence, double-cliquez sur "
                                              "<aucune> et tapez 100."),
                                this),
                    "Label2");
  Label2->setWordWrap(true);
  Label2->setTextFormat(Qt::PlainText);
  cmdexa = nommer(new QPushButton(QStringLiteral("Nombre d'&examen(s)"), this), "cmdexa");
  nombreexamens = nommer(new QLabel(this), "nombreexamens");
  listemaxexa = nommer(new QListWidget(this), "listemaxexa");
  cmdmaxper = nommer(new QPushButton(QStringLiteral("&Périodes sur"), this), "cmdmaxper");
  maximumpériode = nommer(new QLabel(this), "maximumpériode");
  cmdprofil = nommer(new QPushButton(QStringLiteral("Profil automatique"), this), "cmdprofil");
  cmdok = nommer(new QPushButton(QStringLiteral("&Ok"), this), "cmdok");
  cmdannuler = nommer(new QPushButton(QStringLiteral("A&nnuler"), this), "cmdannuler");
  for (QPushButton* b : {cmdajouter, cmdsupprimer, Command1, Ajoutercompétence, cmdexa, cmdmaxper, cmdprofil, cmdok, cmdannuler})
    b->setAutoDefault(false);
  listenom->setAccessibleName(QStringLiteral("Liste des noms des élèves"));
  listecompétences->setAccessibleName(QStringLiteral("Liste des compétences"));
  listemaxexa->setAccessibleName(QStringLiteral("Maximum de chaque examen"));

  QHBoxLayout* entête = entêteclasse(etiqnomclasse, classe, Etiquette2, cours);

  auto* élèves = new QVBoxLayout;
  élèves->addWidget(new QLabel(QStringLiteral("Liste des noms des élèves"), this));
  élèves->addWidget(listenom, 1);
  auto* compte = new QHBoxLayout;
  compte->addWidget(Etiquette1);
  compte->addWidget(nbeleves);
  compte->addStretch();
  élèves->addLayout(compte);
  for (QPushButton* b : {cmdajouter, cmdsupprimer, Command1}) élèves->addWidget(b);

  auto* compétences = new QVBoxLayout;
  compétences->addWidget(new QLabel(QStringLiteral("Liste des compétences"), this));
  compétences->addWidget(listecompétences, 1);
  compétences->addWidget(Ajoutercompétence);
  compétences->addWidget(Label2);

  auto* examens = new QGridLayout;
  examens->addWidget(cmdexa, 0, 0);
  examens->addWidget(nombreexamens, 0, 1);
  examens->addWidget(listemaxexa, 1, 0, 1, 2);
  examens->addWidget(cmdmaxper, 2, 0);
  examens->addWidget(maximumpériode, 2, 1);
  examens->addWidget(cmdprofil, 3, 0, 1, 2);
  examens->setRowStretch(1, 1);

  auto* corps = new QHBoxLayout;
  corps->addLayout(élèves, 3);
  corps->addLayout(compétences, 3);
  corps->addLayout(examens, 2);

  auto* boutons = new QHBoxLayout;
  boutons->addStretch();
  boutons->addWidget(cmdok);
  boutons->addWidget(cmdannuler);

  auto* tout = new QVBoxLayout(this);
  tout->addLayout(entête);
  tout->addLayout(corps, 1);
  tout->addLayout(boutons);
  setMinimumSize(860, 460);

  connect(cmdajouter, &QPushButton::clicked, this, [this] { cmdajouter_Click(); });
  connect(cmdsupprimer, &QPushButton::clicked, this, [this] { cmdsupprimer_Click(); });
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  connect(listenom, &QListWidget::itemDoubleClicked, this, [this] { listenom_DblClick(); });
  connect(listecompétences, &QListWidget::itemDoubleClicked, this, [this] { listecompétences_DblClick(); });
  connect(Ajoutercompétence, &QPushButton::clicked, this, [this] { Ajoutercompétence_Click(); });
  connect(cmdexa, &QPushButton::clicked, this, [this] { cmdexa_Click(); });
  connect(listemaxexa, &QListWidget::itemDoubleClicked, this, [this] { listemaxexa_DblClick(); });
  connect(cmdmaxper, &QPushButton::clicked, this, [this] { cmdmaxper_Click(); });
  connect(cmdprofil, &QPushButton::clicked, this, [this] { cmdprofil_Click(); });
  connect(cmdok, &QPushButton::clicked, this, [this] { cmdok_Click(); });
  connect(cmdannuler, &QPushButton::clicked, this, [this] { cmdannuler_Click(); });
  intercepterclavier(listenom, [this](int code) {
    if (code != 46) return false;
    listenom_KeyDown(code);
    return true;
  });
  commeledoubleclic(listenom, [this] { listenom_DblClick(); });
  commeledoubleclic(listecompétences, [this] { listecompétences_DblClick(); });
  commeledoubleclic(listemaxexa, [this] { listemaxexa_DblClick(); });
}

// Les élèves restent en ordre alphabétique, sans égard à la casse.
void FenetreNouvelleClasse::ajouterélève(const QString& nom) {
  int position = 0;
  while (position < listenom->count() && comparerenfrançais(listenom->item(position)->text(), nom) <= 0) ++position;
  listenom->insertItem(position, nom);
}

void FenetreNouvelleClasse::afficherélèves() {
  état().nbélèves = listenom->count();
  nbeleves->setText(QString::number(état().nbélèves));
}

void FenetreNouvelleClasse::Form_Load() {
  ÉtatPartagé& é = état();
  terminée_ = false;
  classe->setText(é.nomclasse[é.nbclasses]);
  cours->setText(é.nomcours[é.nbclasses]);
  maximumpériode->setText(str(é.maxpériodedéfaut));
  nombreexamens->setText(str(é.nbexamensdéfaut));
  remplir(listemaxexa, lignesexamens(é.maxexamensdéfaut, é.nbexamensdéfaut, 20));
  listecompétences->clear();
  for (int c = 1; c <= é.compétencesdéfaut.borne(); ++c)
    listecompétences->addItem(QStringLiteral("000% -> ") + é.compétencesdéfaut[c]);
  listenom->clear();
  for (int i = 1; i <= é.nbélèves; ++i) ajouterélève(é.nomélève[i]);
  afficherélèves();
  centrer();
}

void FenetreNouvelleClasse::cmdajouter_Click() {
  for (;;) {
    const auto nom = texteadmis(
        boîtes().saisie(QStringLiteral("Entrer le nom de l'élève"), QStringLiteral("NOM DE L'ELEVE"), QString()),
        GenreTexte::NomÉlève);
    if (!nom) continue;
    if (nom->isEmpty()) return;
    ajouterélève(*nom);
    afficherélèves();
  }
}

void FenetreNouvelleClasse::listenom_DblClick() {
  QListWidgetItem* choisi = listenom->currentItem();
  if (!choisi) return;
  std::optional<QString> nom;
  while (!nom)
    nom = texteadmis(boîtes().saisie(QStringLiteral("Tapez le nom corrigé."), QStringLiteral("Corriger le nom"), choisi->text()),
                     GenreTexte::NomÉlève);
  if (nom->isEmpty()) return;
  delete listenom->takeItem(listenom->row(choisi));
  ajouterélève(*nom);
  afficherélèves();
}

void FenetreNouvelleClasse::listenom_KeyDown(int codetouche) {
  if (codetouche != 46 || listenom->currentRow() < 0) return;
  delete listenom->takeItem(listenom->currentRow());
  afficherélèves();
}

void FenetreNouvelleClasse::cmdsupprimer_Click() {
  QListWidgetItem* choisi = listenom->currentItem();
  if (!choisi) {
    avertissement(QStringLiteral("Pas d'élève sélectionné !"), QStringLiteral("Impossible de supprimer !"));
    return;
  }
  if (avertissement(QStringLiteral("Faut-il réellement retirer\n\n") + choisi->text() + QStringLiteral("\n\nde cette classe ?"),
                    QStringLiteral("SUPPRIMER")) != OK)
    return;
  delete listenom->takeItem(listenom->row(choisi));
  afficherélèves();
}

void FenetreNouvelleClasse::Command1_Click() {
  const QString fichier = choisirfichier(QStringLiteral("Double cliquer sur le fichier à importer."), filtreslistesélèves());
  if (fichier.isEmpty()) return;
  FenetreImportListe& importer = fenêtreimportliste();
  switch (importer.préparer(fichier, lignes(listenom), classe->text())) {
    case FenetreImportListe::Préparation::Refusée: return;
    case FenetreImportListe::Préparation::UneColonne: importertexte(fichier); return;
    case FenetreImportListe::Préparation::Prête: break;
  }
  montrermodale(QStringLiteral("importliste"));
  for (const QString& nom : importer.retenus()) ajouterélève(nom);
  afficherélèves();
}

// Un nom par ligne (ou séparés par des virgules), un préfixe demandé pour tous.
void FenetreNouvelleClasse::importertexte(const QString& fichier) {
  const QString réponse = boîtes().saisie(
      QStringLiteral("Taper le(s) caractère(s) de type '[ ] _ ou autres combinaisons' à ajouter devant le nom de l'élève "
                     "pour un tri alphabétique par catégories d'élèves (pratique lorsque les élèves proviennent de "
                     "plusieurs classes)"),
      QStringLiteral("Ajouter un caractère devant le nom d'un élève ?"), QString());
  const TexteContrôlé typé = contrôlertexte(réponse, GenreTexte::NomÉlève);
  const QString préfixe = typé.texte.isEmpty() || !typé.interdits.isEmpty() ? QString() : typé.proche + u' ';
  const QStringList noms = avecpiège(titreerreur(fichier), [&] { return découperéléments(lirefichierimporté(fichier)); });
  // Les noms du fichier passent la même porte que les noms tapés, avec la même question.
  const QList<NomImporté> importés = passerlaporte(noms, préfixe, {});
  QStringList changés;
  for (const NomImporté& i : importés)
    if (i.sort == NomImporté::LettresProches) changés.append(QStringLiteral("- %1 → %2").arg(i.lu, i.nom));
  bool garderchangés = true;
  if (!changés.isEmpty()) {
    const int r = question(QStringLiteral("Ces noms ont des caractères que les fichiers du programme (Windows-1252) ne "
                                          "peuvent pas garder :\n\n%1\n\nOui : les importer avec les lettres les plus "
                                          "proches.\nNon : importer seulement les autres noms.\nAnnuler : ne rien importer.")
                               .arg(changés.join(u'\n')),
                           QStringLiteral("Caractères impossibles à garder"));
    if (r == ANNULER) return;
    garderchangés = r == OUI;
  }
  QStringList corrigés, troplongs, distingués;
  for (const NomImporté& i : importés) {
    if (i.sort == NomImporté::LettresProches && !garderchangés) continue;
    if (i.sort == NomImporté::TropLong) {
      troplongs.append(i.nom.left(40) + QStringLiteral("..."));
      continue;
    }
    if (i.sort == NomImporté::BarreRemplacée) corrigés.append(i.lu);
    if (i.sort == NomImporté::Distingué) distingués.append(QStringLiteral("%1 → %2").arg(i.lu, i.nom));
    ajouterélève(i.nom);
  }
  afficherélèves();
  if (!corrigés.isEmpty())
    avertissement(QStringLiteral("Le caractère </> est interdit dans un nom d'élève ; il a été remplacé par un tiret "
                                 "dans ces noms :\n\n") +
                      corrigés.join(u'\n'),
                  QStringLiteral("Caractère interdit"));
  if (!distingués.isEmpty())
    avertissement(QStringLiteral("Ces noms sont plusieurs fois dans le fichier ; un numéro distingue chaque élève (corrigez-le "
                                 "au besoin par un double clic) :\n\n") +
                      distingués.join(u'\n'),
                  QStringLiteral("Homonymes"));
  if (!troplongs.isEmpty())
    avertissement(QStringLiteral("Ces noms sont trop longs (%1 caractères au plus) ; ils n'ont pas été importés :\n\n")
                          .arg(longueurnomélève) +
                      troplongs.join(u'\n'),
                  QStringLiteral("Noms trop longs"));
}

void FenetreNouvelleClasse::listecompétences_DblClick() { demanderpoids(listecompétences); }

void FenetreNouvelleClasse::Ajoutercompétence_Click() {
  montrermodale(QStringLiteral("renseignementspardéfaut"));
  const ÉtatPartagé& é = état();
  for (int c = listecompétences->count() + 1; c <= é.compétencesdéfaut.borne(); ++c)
    listecompétences->addItem(QStringLiteral("000% -> ") + é.compétencesdéfaut[c]);
}

void FenetreNouvelleClasse::cmdexa_Click() { demandernombreexamens(listemaxexa, nombreexamens); }

void FenetreNouvelleClasse::listemaxexa_DblClick() { corrigermaxexamen(listemaxexa); }

void FenetreNouvelleClasse::cmdmaxper_Click() { demandermaxpériode(maximumpériode); }

void FenetreNouvelleClasse::cmdprofil_Click() {
  montrermodale(QStringLiteral("ProfilAutomatique"));
  Profil p;
  if (!profildes(état().paramètresprofil, p)) return;
  nombreexamens->setText(p.nombreexamens);
  remplir(listemaxexa, p.examens);
  remplir(listecompétences, p.compétences);
}

void FenetreNouvelleClasse::cmdannuler_Click() {
  if (question(QStringLiteral("Voulez-vous réellement annuler l'entrée de cette classe ?"),
               QStringLiteral("A N N U L A T I O N")) != OUI)
    return;
  état().nbélèves = 0;
  terminée_ = true;
  fermer();
}

void FenetreNouvelleClasse::cmdok_Click() {
  ÉtatPartagé& é = état();
  é.nbélèves = listenom->count();
  if (é.nbélèves == 0) {
    if (avertissement(QStringLiteral("Attention, il n'y a pas d'élèves dans cette classe.  Utilisez l'option <Ajouter> "
                                     "pour les entrer."),
                      QStringLiteral("A T T E N T I O N  !")) == OK)
      return;
    terminée_ = true;
    fermer();
    return;
  }
  const QStringList gardées = compétencespondérées(lignes(listecompétences));
  é.listecompétences.redim(static_cast<int>(gardées.size()));
  for (int j = 1; j <= gardées.size(); ++j) é.listecompétences[j] = gardées[j - 1];
  if (!vérifierpoids()) return;
  const int n = é.nbélèves;
  é.pourcentcompétence.redim(n + 1, é.nbcompétences());
  é.ligneélève.redim(n + 1);
  é.totalélève.redim(n + 1);
  é.préparationsnonfaites.redim(n + 1);
  for (int i = 1; i <= n; ++i) {
    é.ligneélève[i] = listenom->item(i - 1)->text();
    é.totalélève[i] = QStringLiteral("?");
  }
  é.maxpériode = arrondipair(std::min(val(maximumpériode->text()), double(entiermax)));
  const QList<int> maxima = maximadeslignes(listemaxexa);
  é.nbexamens = static_cast<int>(maxima.size());
  é.maxexamen.redim(é.nbexamens);
  for (int e = 1; e <= é.nbexamens; ++e) é.maxexamen[e] = maxima[e - 1];
  terminée_ = true;
  fermer();
}

void FenetreNouvelleClasse::closeEvent(QCloseEvent* e) {
  // Fermer par le cadre, c'est annuler : sinon la liste des classes croirait à une classe complète.
  if (terminée_) {
    e->accept();
    return;
  }
  e->ignore();
  cmdannuler_Click();
}

void FenetreNouvelleClasse::reject() { cmdannuler_Click(); }
