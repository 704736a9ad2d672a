// Menus et barre d'outils de la feuille de cotes.
#include <QMenuBar>
#include <QShortcut>
#include <QStyle>
#include <QVBoxLayout>

#include "feuille/principale.h"
#include "plateforme/imprimante.h"
#include "plateforme/services.h"

namespace {

QAction* action(QMenu* menu, const QString& texte, const char* nom, const QKeySequence& raccourci = {}) {
  QAction* a = menu->addAction(texte);
  a->setObjectName(QString::fromUtf8(nom));
  if (!raccourci.isEmpty()) a->setShortcut(raccourci);
  return a;
}

}  // namespace

void FenetrePrincipale::construiremenus(QVBoxLayout* tout) {
  auto* barre = new QMenuBar(this);
  tout->setMenuBar(barre);
  QMenu* fichier = barre->addMenu(QStringLiteral("&Fichier"));
  // F10 ouvre le premier menu, comme sur les autres bureaux ; Qt ne le fait pas de lui-même.
  auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
  f10->setObjectName(QStringLiteral("raccourcimenus"));
  connect(f10, &QShortcut::activated, barre, [barre] { barre->setActiveAction(barre->actions().value(0)); });
  mnunouvie = action(fichier, QStringLiteral("&Nouvelle interrogation écrite"), "mnunouvie", QKeySequence(QStringLiteral("Ctrl+I")));
  mnuouvclas = action(fichier, QStringLiteral("&Ouvrir une classe"), "mnuouvclas", QKeySequence(QStringLiteral("Ctrl+O")));
  mnuajouternom = action(fichier, QStringLiteral("&Ajouter un élève"), "mnuajouternom");
  mnuimporterélèves = action(fichier, QStringLiteral("Ajouter des élèves d'une &liste..."), "mnuimporterélèves");
  mnuajouternoteorale = action(fichier, QStringLiteral("Ajouter une note o&rale à un élève"), "mnuajouternoteorale",
                               QKeySequence(QStringLiteral("Ctrl+N")));
  fichier->addSeparator();
  imprimerdirect = action(fichier, QStringLiteral("&Imprimer ce tableau"), "imprimerdirect", QKeySequence(Qt::Key_F7));
  imprfi = action(fichier, QStringLiteral("Imprimer les &fiches individuelles"), "imprfi", QKeySequence(Qt::Key_F9));
  mnuimprimer = action(fichier, QStringLiteral("&Menu d'impression"), "mnuimprimer", QKeySequence(QStringLiteral("Ctrl+P")));
  mnuiprimantepardéfaut = action(fichier, QStringLiteral("Choisir l'imprimante par &défaut"), "mnuiprimantepardéfaut",
                                 QKeySequence(QStringLiteral("Ctrl+D")));
  mnuaperçu = action(fichier, QStringLiteral("A&perçu de ce tableau..."), "mnuaperçu",
                     QKeySequence(QStringLiteral("Shift+F7")));
  mnuréduire = action(fichier, QStringLiteral("&Grilles réduites à la largeur de la page"), "mnuréduire");
  mnuréduire->setCheckable(true);
  mnuréduire->setToolTip(QStringLiteral("Sinon, une grille trop large continue sur d'autres pages."));
  connect(fichier, &QMenu::aboutToShow, this, [this] { mnuréduire->setChecked(imprimantes().réduireimages()); });
  connect(mnuréduire, &QAction::toggled, this, [](bool actif) { imprimantes().réduireimages(actif); });
  fichier->addSeparator();
  mnuquitter = action(fichier, QStringLiteral("&Quitter"), "mnuquitter", QKeySequence(QStringLiteral("Ctrl+Q")));

  menuafficher = barre->addMenu(QStringLiteral("&Afficher"));
  mnuaffichtotaux = action(menuafficher, QStringLiteral("&Totaux"), "mnuaffichtotaux", QKeySequence(QStringLiteral("Ctrl+T")));
  classer = action(menuafficher, QStringLiteral("&Classement"), "classer", QKeySequence(QStringLiteral("Ctrl+C")));
  listeorales = action(menuafficher, QStringLiteral("Liste des interrogations &orales"), "listeorales",
                       QKeySequence(QStringLiteral("Ctrl+L")));
  mnuaffrensint = action(menuafficher, QStringLiteral("&Renseignements interrogation"), "mnuaffrensint",
                         QKeySequence(QStringLiteral("Ctrl+R")));
  menu_ficheindividuelle = action(menuafficher, QStringLiteral("&Fiche individuelle de l'élève"), "menu_ficheindividuelle",
                                  QKeySequence(QStringLiteral("Ctrl+F")));
  menuafficher->addSeparator();
  mnupériodeprécédente = action(menuafficher, QStringLiteral("Période &précédente"), "mnupériodeprécédente",
                                QKeySequence(QStringLiteral("Ctrl+PgUp")));
  mnupériodesuivante = action(menuafficher, QStringLiteral("Période &suivante"), "mnupériodesuivante",
                              QKeySequence(QStringLiteral("Ctrl+PgDown")));
  menuafficher->addSeparator();
  menugrouper = action(menuafficher, QStringLiteral("&Grouper par compétence"), "menugrouper");
  menugrouper->setCheckable(true);
  mnuexplication = action(menuafficher, QStringLiteral("Co&mment est-ce calculé ?"), "mnuexplication",
                          QKeySequence(QStringLiteral("Ctrl+E")));
  mnurépartition = action(menuafficher, QStringLiteral("Répartition &des résultats..."), "mnurépartition",
                          QKeySequence(QStringLiteral("Ctrl+G")));

  QMenu* exporter = barre->addMenu(QStringLiteral("E&xporter"));
  mnuexportmoy = action(exporter, QStringLiteral("&Moyennes"), "mnuexportmoy");
  exportnoms = action(exporter, QStringLiteral("&Noms des élèves"), "exportnoms");
  exportnotes = action(exporter, QStringLiteral("N&otes"), "exportnotes");
  exporttotcomp = action(exporter, QStringLiteral("&Totaux pour une compétence"), "exporttotcomp");
  exporter->addSeparator();
  exportclasseur = action(exporter, QStringLiteral("&Classeur (.xlsx)..."), "exportclasseur");
  exportclasseur->setToolTip(QStringLiteral("Chaque période et chaque examen de la classe, avec leurs couleurs, "
                                            "leurs moyennes en formules et les totaux, dans un seul fichier."));

  QMenu* éditer = barre->addMenu(QStringLiteral("&Editer"));
  mnuannuler = action(éditer, QStringLiteral("&Annuler"), "mnuannuler", QKeySequence(QStringLiteral("Ctrl+Z")));
  mnurétablir = action(éditer, QStringLiteral("&Rétablir"), "mnurétablir", QKeySequence(QStringLiteral("Ctrl+Y")));
  mnurétablir->setShortcuts({QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});
  mnuhistorique = action(éditer, QStringLiteral("&Historique des modifications..."), "mnuhistorique",
                         QKeySequence(QStringLiteral("Ctrl+H")));
  // Ctrl+C est le classement : copier une case a sa propre touche.
  mnucopier = action(éditer, QStringLiteral("&Copier la case"), "mnucopier", QKeySequence(QStringLiteral("Ctrl+Shift+C")));
  éditer->addSeparator();
  connect(éditer, &QMenu::aboutToShow, this, [this] { préparermenuéditer(); });
  // Fermé, le menu laisse les raccourcis actifs : ils disent eux-mêmes quand il n'y a rien à faire.
  connect(éditer, &QMenu::aboutToHide, this, [this] {
    mnuannuler->setEnabled(true);
    mnurétablir->setEnabled(true);
  });
  textmatrecap = action(éditer, QStringLiteral("&Textes pour matière et récapitulatif"), "textmatrecap",
                        QKeySequence(QStringLiteral("Ctrl+M")));
  corrint = action(éditer, QStringLiteral("C&orriger une interrogation"), "corrint");

  QMenu* options = barre->addMenu(QStringLiteral("&Options"));
  menudéfaut = action(options, QStringLiteral("&Renseignements par défaut"), "menudéfaut");
  menucomp = action(options, QStringLiteral("&Compétences"), "menucomp");

  for (QAction* a : barre->actions()) addAction(a);  // raccourcis actifs partout dans la fenêtre

  connect(mnunouvie, &QAction::triggered, this, [this] { mnunouvie_Click(); });
  connect(mnucopier, &QAction::triggered, this, [this] { copiercellule(); });
  connect(mnuannuler, &QAction::triggered, this, [this] { annuler_Click(); });
  connect(mnurétablir, &QAction::triggered, this, [this] { rétablir_Click(); });
  connect(mnuhistorique, &QAction::triggered, this, [this] { historique_Click(); });
  connect(mnurépartition, &QAction::triggered, this, [] { montrermodale(QStringLiteral("répartition")); });
  connect(mnuouvclas, &QAction::triggered, this, [this] { mnuouvclas_Click(); });
  connect(mnuquitter, &QAction::triggered, this, [this] { mnuquitter_Click(); });
  connect(mnuajouternom, &QAction::triggered, this, [this] { mnuajouternom_Click(); });
  connect(mnuimporterélèves, &QAction::triggered, this, [this] { mnuimporterélèves_Click(); });
  connect(mnupériodeprécédente, &QAction::triggered, this, [this] { périodevoisine(-1); });
  connect(mnupériodesuivante, &QAction::triggered, this, [this] { périodevoisine(1); });
  connect(mnuajouternoteorale, &QAction::triggered, this, [this] { mnuajouternoteorale_Click(); });
  connect(listeorales, &QAction::triggered, this, [this] { listeorales_Click(); });
  connect(menugrouper, &QAction::triggered, this, [this] { groupercompétencesonoff(); });
  connect(mnuaffrensint, &QAction::triggered, this, [this] { mnuaffrensint_Click(); });
  connect(textmatrecap, &QAction::triggered, this, [this] { textmatrecap_Click(); });
  connect(corrint, &QAction::triggered, this, [this] { corrint_Click(); });
  connect(menudéfaut, &QAction::triggered, this, [this] { menudéfaut_Click(); });
  connect(menucomp, &QAction::triggered, this, [this] { menucomp_Click(); });
  connect(mnuexplication, &QAction::triggered, this, [this] { mnuexplication_Click(); });
  connect(mnuexportmoy, &QAction::triggered, this, [this] { mnuexportmoy_Click(); });
  connect(exportnoms, &QAction::triggered, this, [this] { exportnoms_Click(); });
  connect(exportnotes, &QAction::triggered, this, [this] { exportnotes_Click(); });
  connect(exportclasseur, &QAction::triggered, this, [this] { exportclasseur_Click(); });
  connect(exporttotcomp, &QAction::triggered, this, [this] { exporttotcomp_Click(); });
  connect(imprimerdirect, &QAction::triggered, this, [this] { imprimerdirect_Click(); });
  connect(imprfi, &QAction::triggered, this, [this] { imprfi_Click(); });
  connect(menu_ficheindividuelle, &QAction::triggered, this, [this] { menu_ficheindividuelle_Click(); });
  connect(mnuimprimer, &QAction::triggered, this, [] { montrermodale(QStringLiteral("fenêtreimprimer")); });
  connect(mnuiprimantepardéfaut, &QAction::triggered, this, [] { montrermodale(QStringLiteral("Form3")); });
  connect(mnuaperçu, &QAction::triggered, this, [this] {
    imprimantes().Printer().Aperçu(true);
    imprimerdirect_Click();
  });
  connect(mnuaffichtotaux, &QAction::triggered, this, [] { montrermodale(QStringLiteral("fenêtretotaux")); });
  connect(classer, &QAction::triggered, this, [] { montrermodale(QStringLiteral("classement")); });
}

void FenetrePrincipale::construirebarre() {
  Toolbar1 = new QToolBar(this);
  Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
  Toolbar1->setIconSize(QSize(22, 22));
  const auto bouton = [this](QStyle::StandardPixmap image, const QString& bulle, const char* nom) {
    QAction* a = Toolbar1->addAction(style()->standardIcon(image), bulle);
    a->setObjectName(QString::fromUtf8(nom));
    a->setToolTip(bulle);
    return a;
  };
  QAction* b1 = bouton(QStyle::SP_FileIcon, QStringLiteral("Nouvelle interrogation (Ctrl + I)"), "bouton1");
  QAction* b2 = bouton(QStyle::SP_DirOpenIcon, QStringLiteral("Liste des classes (Ctrl + O)"), "bouton2");
  bouton3 = bouton(QStyle::SP_TrashIcon, QStringLiteral("Supprimer (nom, note, interrogation...) (Del)"), "bouton3");
  QAction* b4 = bouton(QStyle::SP_MessageBoxInformation, QStringLiteral("Infos (interrogation ou note orale) (Ctrl + R)"), "bouton4");
  Toolbar1->addSeparator();
  QAction* b6 = bouton(QStyle::SP_FileDialogDetailedView, QStringLiteral("Corriger les données d'une interrogation écrite"), "bouton6");
  Toolbar1->addSeparator();
  QAction* b8 = bouton(QStyle::SP_FileDialogListView, QStringLiteral("Menu d'impression (Ctrl + P)"), "bouton8");
  Toolbar1->addSeparator();
  QAction* b10 = bouton(QStyle::SP_DialogSaveButton, QStringLiteral("Imprimer CE TABLEAU (F7)"), "bouton10");
  Toolbar1->addSeparator();
  bouton12 = bouton(QStyle::SP_FileDialogContentsView, QStringLiteral("Grouper par compétence"), "bouton12");
  bouton12->setCheckable(true);
  Toolbar1->addSeparator();
  QAction* b14 = bouton(QStyle::SP_DialogCloseButton, QStringLiteral("Quitter (Ctrl + Q)"), "bouton14");
  b10->setIcon(QIcon::fromTheme(QStringLiteral("document-print"), b10->icon()));
  connect(b8, &QAction::triggered, mnuimprimer, &QAction::trigger);
  connect(b10, &QAction::triggered, imprimerdirect, &QAction::trigger);
  connect(bouton3, &QAction::triggered, this, [this] { supprimer(); });
  connect(bouton12, &QAction::triggered, this, [this] { groupercompétencesonoff(); });
  connect(b1, &QAction::triggered, this, [this] { mnunouvie_Click(); });
  connect(b2, &QAction::triggered, this, [this] { mnuouvclas_Click(); });
  connect(b4, &QAction::triggered, this, [this] { mnuaffrensint_Click(); });
  connect(b6, &QAction::triggered, this, [this] { corrint_Click(); });
  connect(b14, &QAction::triggered, this, [this] { mnuquitter_Click(); });
}
