#include "noyau/fichiers/listeclasses.h"

#include "noyau/base/dossiers.h"
#include "noyau/base/etat.h"
#include "noyau/base/module.h"
#include "noyau/base/piege.h"
#include "noyau/fichiers/lecteur.h"
#include "noyau/suivi/amovible.h"
#include "noyau/suivi/ecriture.h"
#include "plateforme/fichiers.h"
#include "plateforme/nombres.h"
#include "plateforme/ordre.h"
#include "plateforme/services.h"

namespace {

void analyserlisteclasses(LecteurLignes& l) {
  ÉtatPartagé& é = état();
  é.nbclasses = l.compte();
  for (auto* t : {&é.nomclasse, &é.nomcours, &é.dossierclasse}) t->redim(é.nbclasses + 1);
  é.dernièrepériode.redim(é.nbclasses + 1);
  é.nbexamenscréés.redim(é.nbclasses + 1);
  for (int c = 1; c <= é.nbclasses; ++c) {
    é.nomclasse[c] = l.ligne();
    é.nomcours[c] = l.ligne();
    é.dossierclasse[c] = l.ligne();
    é.dernièrepériode[c] = l.entier();
    é.nbexamenscréés[c] = l.entier();
  }
}

// Chemin de la liste sur le disque amovible, pour le test de présence et les titres ;
// vide quand aucun dossier amovible n'est choisi.
QString listeamovible(const QString& nom) {
  try {
    return cheminamovible(nom);
  } catch (const ErreurFichier&) {
    return QString();
  }
}

void lirelisteexistante(const QString& nom) {
  const QString chemin = chemindisquedur(nom);
  avecpiège(titreerreur(chemin), [&] {
    vérifieravantlecture(nom);
    LecteurLignes l(lirefichier(chemin), chemin);
    analyserlisteclasses(l);
  });
}

void créerlistevide(const QString& nom, const QString& amovible) {
  avecpiège(titreerreur(amovible.isEmpty() ? état().dossieramovible + nom : amovible), [&] {
    préparerdossieramovible();
    écrirefichier(cheminamovible(nom), {str(0)});
  });
}

}  // namespace

void lirelisteclasses() {
  for (;;) {
    const QString nom = nomlisteclasses();
    const QString amovible = listeamovible(nom);
    if (!amovible.isEmpty() && fichierexiste(amovible)) {
      lirelisteexistante(nom);
      return;
    }
    const QString affiché = amovible.isEmpty() ? état().dossieramovible + nom : amovible;
    const int r = question(QStringLiteral("Je ne trouve pas le fichier listclas pour l'année scolaire ") +
                               état().annéeaffichée + QStringLiteral(".\n\nFaut-il le créer ?"),
                           QStringLiteral("Erreur d'entrée du fichier ") + affiché);
    if (r == OUI) {
      créerlistevide(nom, amovible);
    } else if (r == ANNULER) {
      état().étatdémarrage = QStringLiteral("annuler");
      return;
    } else {
      const int r2 = question(QStringLiteral("Voulez-vous changer un paramètre par défaut (tel que l'année scolaire) ?"),
                              titreerreur(affiché));
      if (r2 == ANNULER) terminerleprogramme();
      if (r2 == OUI) montrermodale(QStringLiteral("renseignementspardéfaut"));
    }
  }
}

void écrirelisteclasses() {
  const ÉtatPartagé& é = état();
  QStringList lignes{str(é.nbclasses)};
  for (int c = 1; c <= é.nbclasses; ++c)
    lignes << é.nomclasse[c] << é.nomcours[c] << é.dossierclasse[c] << str(é.dernièrepériode[c])
           << str(é.nbexamenscréés[c]);
  écrirefichiernoté(nomlisteclasses(), lignes);
}

void liremaxima() {
  ÉtatPartagé& é = état();
  const QString nom = nommaxima(é.dossierclasse[é.classecourante]);
  vérifieravantlecture(nom);
  const QString chemin = chemindisquedur(nom);
  analysermaxima(lirefichier(chemin), chemin);
}

void analysermaxima(const QStringList& lignes, const QString& chemin) {
  ÉtatPartagé& é = état();
  LecteurLignes l(lignes, chemin);
  é.nbexamens = l.compte();
  é.maxpériode = l.entier();
  é.maxexamen.redim(é.nbexamens);
  for (int e = 1; e <= é.nbexamens; ++e) é.maxexamen[e] = l.entier();
  const qsizetype restantes = l.restantes();
  if (restantes == 0) {
    é.listecompétences.redim(1);
    é.listecompétences[1] = QStringLiteral("100% => aucune");
    return;
  }
  é.listecompétences.redim(static_cast<int>(restantes));
  for (int j = 1; j <= restantes; ++j) é.listecompétences[j] = l.ligne();
}

QStringList lignesmaxima() {
  const ÉtatPartagé& é = état();
  QStringList lignes{str(é.nbexamens), str(é.maxpériode)};
  for (int e = 1; e <= é.nbexamens; ++e) lignes.append(str(é.maxexamen[e]));
  return lignes;
}

void écriremaxima() {
  const QString nom = nommaxima(état().dossierclasse[état().classecourante]);
  écrirefichiernoté(nom, lignesmaxima());
}

namespace {

enum class Disposition { QuatreLignes, TroisLignes, Ancienne };

// Une classe à une seule compétence peut avoir des fichiers sans ligne de
// compétence : le nombre de lignes dit laquelle des deux dispositions est là ;
// sinon, la règle de l'ancien programme (un maximum de 1 est la ligne de
// compétence du test précédent).
Disposition disposition(qsizetype nblignes, int nbinterros, int nbcompétences) {
  if (nbcompétences != 1 || nblignes >= 4LL * nbinterros) return Disposition::QuatreLignes;
  if (nblignes == 3LL * nbinterros) return Disposition::TroisLignes;
  return Disposition::Ancienne;
}

void analyserinterros(LecteurLignes& l) {
  ÉtatPartagé& é = état();
  const int n = é.nbinterros;
  é.maxinterro.redim(n + 1);
  é.dateinterro.redim(n + 1);
  é.matièreinterro.redim(n + 1);
  é.compétenceinterro.redim(n);
  const bool unecompétence = é.nbcompétences() == 1;
  const Disposition d = disposition(l.nombrelignes(), n, é.nbcompétences());
  for (int k = 1; k <= n; ++k) {
    int maximum = l.entier();
    if (d == Disposition::Ancienne && k > 1 && maximum == 1) maximum = l.entier();
    é.maxinterro[k] = maximum;
    é.dateinterro[k] = l.ligne();
    é.matièreinterro[k] = l.ligne();
    if (d == Disposition::QuatreLignes) é.compétenceinterro[k] = l.entier();
    if (unecompétence) é.compétenceinterro[k] = 1;
  }
}

}  // namespace

void lireinterrossanspiège() {
  const QString nom = nomclasseouverte(u'R');
  const QString chemin = chemindisquedur(nom);
  vérifieravantlecture(nom);
  LecteurLignes l(lirefichier(chemin), chemin);
  analyserinterros(l);
}

void analyserinterros(const QStringList& lignes, const QString& chemin) {
  LecteurLignes l(lignes, chemin);
  analyserinterros(l);
}

void lireinterros() { avecpiège(titreerreur(chemindisquedur(nomclasseouverte(u'R'))), lireinterrossanspiège); }

QStringList lignesinterros() {
  const ÉtatPartagé& é = état();
  QStringList lignes;
  for (int k = 1; k <= é.nbinterros; ++k)
    lignes << str(é.maxinterro[k]) << é.dateinterro[k] << é.matièreinterro[k] << str(é.compétenceinterro[k]);
  return lignes;
}

void écrireinterros() { écrirefichiernoté(nomclasseouverte(u'R'), lignesinterros()); }

ClasseListe prendreclasse(int c) {
  const ÉtatPartagé& é = état();
  return {é.nomclasse[c], é.nomcours[c], é.dossierclasse[c], é.dernièrepériode[c], é.nbexamenscréés[c]};
}

void poserclasse(int c, const ClasseListe& v) {
  ÉtatPartagé& é = état();
  é.nomclasse[c] = v.nom;
  é.nomcours[c] = v.cours;
  é.dossierclasse[c] = v.dossier;
  é.dernièrepériode[c] = v.dernièrepériode;
  é.nbexamenscréés[c] = v.examens;
}

void trierclasses() {
  const int n = état().nbclasses;
  for (int i = 2; i <= n; ++i) {
    const ClasseListe courante = prendreclasse(i);
    int j = 1;
    while (j < i && comparerenfrançais(état().nomclasse[j], courante.nom) <= 0) ++j;
    for (int k = i; k > j; --k) poserclasse(k, prendreclasse(k - 1));
    poserclasse(j, courante);
  }
}

int suffixelibre(const QString& nom, int àpartirde) {
  const ÉtatPartagé& é = état();
  for (int suffixe = àpartirde;; ++suffixe) {
    const QString dossier = nom + é.annéescolaire + QString::number(suffixe);
    bool pris = false;
    for (int c = 1; c <= é.nbclasses && !pris; ++c) pris = é.dossierclasse[c].compare(dossier, Qt::CaseInsensitive) == 0;
    if (!pris) return suffixe;
  }
}

void ouvrirannéepardéfaut() {
  état().annéescolaire = sansblancs(état().annéescolairedéfaut);
  actualiserannéeaffichée();
  lirelisteclasses();
}
