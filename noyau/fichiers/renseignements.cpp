#include "noyau/fichiers/renseignements.h"

#include <algorithm>

#include "noyau/base/dossiers.h"
#include "noyau/base/etat.h"
#include "noyau/base/piege.h"
#include "noyau/fichiers/lecteur.h"
#include "plateforme/fichiers.h"
#include "plateforme/nombres.h"
#include "plateforme/services.h"

namespace {

const QString fenêtrerenseignements = QStringLiteral("renseignementspardéfaut");

struct Renseignements {
  QString annéescolairedéfaut;
  int nbpériodesdéfaut = 0, nbexamensdéfaut = 0, maxpériodedéfaut = 0;
  Tableau<int> maxexamensdéfaut;
  QString dossieramovible, dossiersauvegarde;
  int préparations = FAUX, arrondidemi = FAUX, ouvrirprincipale = FAUX;
  Tableau<QString> compétencesdéfaut;
};

void ajouter(Tableau<QString>& t, const QString& texte) {
  t.redimconserver(t.borne() < 1 ? 1 : t.borne() + 1);
  t[t.borne()] = texte;
}

void lireinterrupteurs(const QStringList& lignes, Renseignements& r) {
  r.compétencesdéfaut.effacer();
  for (const QString& élément : découperéléments(lignes)) {
    if (élément.isEmpty()) continue;  // ligne vide ou virgule en trop
    if (élément == QStringLiteral("true"))
      r.préparations = VRAI;
    else if (élément == QStringLiteral("false"))
      r.préparations = FAUX;
    else if (élément.startsWith(QStringLiteral("+-*")))
      r.arrondidemi = VRAI;
    else if (élément == QStringLiteral("go"))
      r.ouvrirprincipale = VRAI;
    else
      ajouter(r.compétencesdéfaut, élément);
  }
  if (r.compétencesdéfaut.borne() < 1) ajouter(r.compétencesdéfaut, QStringLiteral("Aucune"));
}

Renseignements analyser(const QStringList& lignes, const QString& chemin) {
  LecteurLignes l(lignes, chemin);
  Renseignements r;
  r.annéescolairedéfaut = l.ligne();
  l.ligne();  // clé ouverte à l'écriture : sans effet à la lecture
  r.nbpériodesdéfaut = l.entier();
  r.nbexamensdéfaut = l.compte();
  r.maxpériodedéfaut = l.entier();
  r.maxexamensdéfaut.redim(r.nbexamensdéfaut);
  for (int e = 1; e <= r.nbexamensdéfaut; ++e) r.maxexamensdéfaut[e] = l.entier();
  r.dossieramovible = l.ligne() + u'\\';
  r.dossiersauvegarde = l.ligne() + u'\\';
  lireinterrupteurs(lignes.mid(lignes.size() - l.restantes()), r);
  return r;
}

void appliquer(Renseignements r) {
  ÉtatPartagé& é = état();
  é.annéescolairedéfaut = r.annéescolairedéfaut;
  é.nbpériodesdéfaut = r.nbpériodesdéfaut;
  é.nbexamensdéfaut = r.nbexamensdéfaut;
  é.maxpériodedéfaut = r.maxpériodedéfaut;
  é.maxexamensdéfaut = std::move(r.maxexamensdéfaut);
  é.dossieramovible = r.dossieramovible;
  é.dossiersauvegarde = r.dossiersauvegarde;
  é.préparations = r.préparations;
  é.arrondidemi = r.arrondidemi;
  é.ouvrirprincipale = r.ouvrirprincipale;
  é.compétencesdéfaut = std::move(r.compétencesdéfaut);
}

// Un fichier abîmé ne doit pas enfermer l'utilisateur dans la boîte d'erreur :
// après elle, on propose de le récrire depuis la fenêtre des renseignements.
void signalerfichierabîmé(const ErreurEvalo& erreur) {
  if (avertissement(erreur.texte(), QStringLiteral("Erreur pour entrée de Rensdéf !")) != OK)
    terminerleprogramme();
  const int r = question(
      QStringLiteral("Le fichier des renseignements par défaut est incomplet ou abîmé.\n\n"
                     "Voulez-vous ouvrir la fenêtre des renseignements par défaut pour l'enregistrer à nouveau ?"),
      QStringLiteral("Renseignements par défaut"));
  if (r == OUI) montrermodale(fenêtrerenseignements);
}

QString sansbarrefinale(QString dossier) {
  if (dossier.endsWith(u'\\')) dossier.chop(1);
  return dossier;
}

}  // namespace

void lirerenseignements() {
  for (;;) {
    const QString chemin = cheminrenseignements();
    if (!fichierexiste(chemin)) {
      état().compétencesdéfaut.redim(1);
      état().compétencesdéfaut[1] = QStringLiteral("Aucune");
      // Premier lancement : rien n'est encore ouvert, changer l'année ou le disque
      // amovible ne demande pas de redémarrer.
      if (état().étatdémarrage.isEmpty()) état().étatdémarrage = QStringLiteral("bienvenue");
      montrermodale(fenêtrerenseignements);
      état().étatdémarrage = QStringLiteral("déjà");
      // Fenêtre fermée sans enregistrer : elle revient, mais on peut aussi s'en aller.
      if (!fichierexiste(chemin) &&
          question(QStringLiteral("Les renseignements par défaut n'ont pas été enregistrés ; le programme en a besoin "
                                  "pour continuer.\n\nVoulez-vous quitter le programme ?"),
                   QStringLiteral("Renseignements par défaut")) == OUI)
        terminerleprogramme();
      continue;
    }
    try {
      appliquer(analyser(lirefichier(chemin), chemin));
      return;
    } catch (const ErreurEvalo& erreur) {
      signalerfichierabîmé(erreur);
    }
  }
}

void écrirerenseignements() {
  ÉtatPartagé& é = état();
  é.dossieramovible = sansbarrefinale(é.dossieramovible);
  é.dossiersauvegarde = sansbarrefinale(é.dossiersauvegarde);
  é.maxexamensdéfaut.redimconserver(é.nbexamensdéfaut);

  QStringList lignes{é.annéescolairedéfaut, é.périodecourante, str(é.nbpériodesdéfaut), str(é.nbexamensdéfaut),
                     str(é.maxpériodedéfaut)};
  for (int e = 1; e <= é.nbexamensdéfaut; ++e) lignes.append(str(é.maxexamensdéfaut[e]));
  lignes << é.dossieramovible << é.dossiersauvegarde;
  if (é.préparations) lignes.append(QStringLiteral("true"));
  if (é.arrondidemi) lignes.append(QStringLiteral("+-*"));
  if (é.ouvrirprincipale) lignes.append(QStringLiteral("go"));
  for (int c = 1; c <= é.compétencesdéfaut.borne(); ++c) lignes.append(é.compétencesdéfaut[c]);

  const QString chemin = cheminrenseignements();
  avecpiège(titreerreur(chemin), [&] {
    créerdossier(cheminréel(é.dossierracine));
    écrirefichier(chemin, lignes);
  });
}

void écriretailleécran(int largeur) {
  const QString fichier = cheminaffichage();
  avecpiège(titreerreur(fichier), [&] { écrirefichier(fichier, {QString::number(largeur)}); });
  état().tailleécran = largeur;
}

void liretailleécran() {
  ÉtatPartagé& é = état();
  const QString fichier = cheminaffichage();
  if (!fichierexiste(fichier)) return;
  const QStringList éléments = découperéléments(avecpiège(titreerreur(fichier), [&] { return lirefichier(fichier); }));
  if (!éléments.isEmpty()) é.tailleécran = arrondipair(std::clamp(val(éléments.first()), -30000.0, 30000.0));
}
