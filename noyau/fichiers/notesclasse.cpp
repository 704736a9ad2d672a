#include "noyau/fichiers/notesclasse.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include <QDir>

#include "noyau/base/dossiers.h"
#include "noyau/base/etat.h"
#include "noyau/base/piege.h"
#include "noyau/fichiers/lecteur.h"
#include "noyau/fichiers/listeclasses.h"
#include "noyau/suivi/amovible.h"
#include "noyau/suivi/ecriture.h"
#include "plateforme/fichiers.h"
#include "plateforme/nombres.h"

QStringView DécoupeurLigne::suivant() {
  const qsizetype barre = reste_.indexOf(u'/');
  if (barre < 0) return reste_;
  const QStringView champ = reste_.left(barre);
  reste_ = reste_.mid(barre + 1);
  return champ;
}

QString champsuivant() {
  QString& reste = état().reste;
  const qsizetype barre = reste.indexOf(u'/');
  if (barre < 0) return reste;
  const QString champ = reste.left(barre);
  reste.remove(0, barre + 1);
  return champ;
}

namespace {

// Une valeur hors limites d'une ligne d'élève : le message dit le fichier et la ligne.
template <class Étape>
void avecligne(const QString& chemin, int ligne, Étape&& étape) {
  try {
    étape();
  } catch (const ErreurDonnée& e) {
    throw ErreurFichier(CauseErreur::HorsLimites, chemin,
                        QStringLiteral("%1 (ligne %2 de « %3 »)").arg(e.texte()).arg(ligne).arg(QDir::toNativeSeparators(chemin)));
  }
}


int maximumdelaclé(const ÉtatPartagé& é, const QString& chemin) {
  if (é.périodecourante.startsWith(u'P')) return é.maxpériode;
  const int examen = arrondipair(val(QStringView(é.périodecourante).mid(1)));
  if (examen < 1 || examen > é.maxexamen.borne())
    throw ErreurFichier(CauseErreur::Autre, chemin,
                        QStringLiteral("L'examen n°%1 n'a pas de maximum dans le fichier des maxima de la classe.")
                            .arg(examen));
  return é.maxexamen[examen];
}

void lirelignesnotes(const QStringList& lignes, const QString& chemin) {
  ÉtatPartagé& é = état();
  LecteurLignes l(lignes, chemin);
  é.nbélèves = l.compte();
  é.ligneélève.redim(é.nbélèves + 1);
  é.totalélève.redim(é.nbélèves + 1);
  é.préparationsnonfaites.redim(é.nbélèves + 1);
  é.nbinterros = l.compte();
  é.nborales = l.compte();
  é.premièreinterro = l.entier();
  for (int i = 1; i <= é.nbélèves; ++i) {
    é.ligneélève[i] = l.ligne();
    é.totalélève[i] = l.ligne();
  }
  if (l.restantes() > 0) {
    é.listecompétences.redim(static_cast<int>(l.restantes()));
    for (int j = 1; j <= é.nbcompétences(); ++j) é.listecompétences[j] = l.ligne();
  }
  é.pourcentcompétence.redim(é.nbélèves + 1, é.nbcompétences());
}

void découperrésultat(int i) {
  ÉtatPartagé& é = état();
  const QString r = é.totalélève[i];
  if (r == QStringLiteral("?")) return;
  if (!r.contains(u'/')) {
    // Ancienne forme : le résultat en points seul. Un maximum nul ne donne pas de pourcentage.
    é.pourcentcompétence(i, 1) = é.maxcourant == 0 ? -1 : arrondipair(val(r) * 100 / é.maxcourant);
    return;
  }
  DécoupeurLigne d(r);
  for (int j = 1; j <= é.nbcompétences(); ++j) é.pourcentcompétence(i, j) = arrondipair(val(d.suivant()));
  é.totalélève[i] = d.suivant().toString();
  é.préparationsnonfaites[i] = d.reste().contains(u'/') ? arrondipair(val(d.suivant())) : 0;
}

}  // namespace

void chargerclasse() {
  ÉtatPartagé& é = état();
  const QString nom = nomclasseouverte(u'N');
  const QString chemin = chemindisquedur(nom);
  avecpiègedechargement(titreerreur(chemin), [&] {
    liremaxima();
    é.maxcourant = maximumdelaclé(é, chemin);
    vérifieravantlecture(nom);
    lirelignesnotes(lirefichier(chemin), chemin);
    for (int i = 1; i <= é.nbélèves; ++i) avecligne(chemin, 2 * i + 4, [i] { découperrésultat(i); });
  });
  if (é.pascalcul == 1) return;
  const QString interros = chemindisquedur(nomclasseouverte(u'R'));
  if (é.nbinterros != 0) avecpiègedechargement(titreerreur(interros), lireinterrossanspiège);
  avecpiègedechargement(titreerreur(chemin), [&] { découperetstatistiquesde(chemin); });
}

void chargerclassedepuis(const QStringList& notes, const QStringList& interros, const QString& chemin) {
  ÉtatPartagé& é = état();
  é.maxcourant = maximumdelaclé(é, chemin);
  lirelignesnotes(notes, chemin);
  for (int i = 1; i <= é.nbélèves; ++i) avecligne(chemin, 2 * i + 4, [i] { découperrésultat(i); });
  if (é.nbinterros != 0) analyserinterros(interros, chemin);
  découperetstatistiquesde(chemin);
}

GardeClassePériode::GardeClassePériode()
    : classe_(état().classecourante), période_(état().périodecourante), pascalcul_(état().pascalcul),
      exceptions_(std::uncaught_exceptions()) {}

GardeClassePériode::~GardeClassePériode() {
  if (std::uncaught_exceptions() <= exceptions_) return;
  ÉtatPartagé& é = état();
  é.classecourante = classe_;
  é.périodecourante = période_;
  é.pascalcul = pascalcul_;
  try {
    if (classe_ >= 1 && classe_ <= é.nbclasses) chargerclasse();
  } catch (...) {
    // La classe affichée elle-même ne se relit plus : la fenêtre le dira à son tour.
  }
}

QString ligneresultats(int i) {
  const ÉtatPartagé& é = état();
  const bool sansnote = é.nbinterros == 0 && é.nborales == 0;
  QString ligne;
  for (int j = 1; j <= é.nbcompétences(); ++j) {
    ligne += sansnote ? QStringLiteral("-1") : str(é.pourcentcompétence(i, j));
    ligne += u'/';
  }
  ligne += é.totalélève[i] + u'/' + str(é.préparationsnonfaites[i]) + u'/';
  return ligne;
}

void sauverclasse() { écrirefichiernoté(nomclasseouverte(u'N'), lignesclasse()); }

bool sauverclasseetinterros() {
  Transaction changement;
  sauverclasse();
  écrireinterros();
  if (changement.valider()) return true;
  chargerclasse();  // la mémoire revient à ce que les fichiers gardent
  return false;
}

QStringList lignesclasse() {
  const ÉtatPartagé& é = état();
  QStringList lignes;
  lignes.reserve(4 + 2 * é.nbélèves + é.nbcompétences());
  lignes << str(é.nbélèves) << str(é.nbinterros) << str(é.nborales) << str(é.premièreinterro);
  for (int i = 1; i <= é.nbélèves; ++i) lignes << é.ligneélève[i] << ligneresultats(i);
  for (int j = 1; j <= é.nbcompétences(); ++j) lignes << é.listecompétences[j];
  return lignes;
}

void reconstruireligne(int i) {
  ÉtatPartagé& é = état();
  QString ligne = é.nomélève[i];
  for (int k = 1; k <= é.nbinterros; ++k) ligne += u'/' + é.noteinterro(i, k);
  if (é.nborales != 0) {
    ligne += u'/' + str(é.nbnotesorales[i]);
    for (int o = 1; o <= é.nbnotesorales[i]; ++o)
      ligne += u'/' + str(é.maxorale(i, o)) + u'/' + str(é.noteorale(i, o)) + u'/' + é.libelléorale(i, o) + u'/' +
               str(é.compétenceorale(i, o));
  }
  é.ligneélève[i] = ligne;
}

void agrandirorales(int nombre) {
  ÉtatPartagé& é = état();
  é.nborales = nombre;
  é.maxorale.redimconserver(é.nbélèves + 1, nombre + 1);
  é.noteorale.redimconserver(é.nbélèves + 1, nombre + 1);
  é.libelléorale.redimconserver(é.nbélèves + 1, nombre + 1);
  é.compétenceorale.redimconserver(é.nbélèves + 1, nombre + 1);
}

namespace {

void compterrésultat(int i) {
  ÉtatPartagé& é = état();
  const int total = é.nbinterros + 1;
  if (é.totalélève[i] != QStringLiteral("?")) {
    ++é.nbnotesinterro[total];
    if (val(é.totalélève[i]) < é.maxcourant / 2.0) ++é.échecsinterro[total];
  }
  é.moyenneinterro[total] += val(é.totalélève[i]);
}

void découperélève(int i) {
  ÉtatPartagé& é = état();
  DécoupeurLigne d(é.ligneélève[i]);
  é.nomélève[i] = d.suivant().toString();
  for (int k = 1; k <= é.nbinterros; ++k) {
    const QStringView note = d.suivant();
    é.noteinterro(i, k) = note.toString();
    const double v = val(note);
    if (note != u"NC" && note != u"A") {
      ++é.nbnotesinterro[k];
      if (v < é.maxinterro[k] / 2.0) ++é.échecsinterro[k];
    }
    é.moyenneinterro[k] += v;
  }
  if (é.nborales == 0) return;
  const int nombre = std::max(0, arrondipair(val(d.suivant())));
  é.nbnotesorales[i] = nombre;
  if (nombre > é.nborales) agrandirorales(nombre);  // fichier où le compte de colonnes est trop petit
  for (int o = 1; o <= nombre; ++o) {
    é.maxorale(i, o) = arrondipair(val(d.suivant()));
    é.noteorale(i, o) = val(d.suivant());
    é.libelléorale(i, o) = d.suivant().toString();
    é.compétenceorale(i, o) = arrondipair(val(d.suivant()));
  }
}

}  // namespace

void découperetstatistiques() { découperetstatistiquesde(chemindisquedur(nomclasseouverte(u'N'))); }

void découperetstatistiquesde(const QString& chemin) {
  ÉtatPartagé& é = état();
  const int n = é.nbinterros;
  é.nomélève.redim(é.nbélèves + 1);
  é.noteinterro.redim(é.nbélèves + 1, n + 1);
  é.moyenneinterro.redim(n + 1);
  é.échecsinterro.redim(n + 1);
  é.nbnotesinterro.redim(n + 1);
  é.nbnotesorales.redim(é.nbélèves + 1);
  é.maxorale.redim(é.nbélèves + 1, é.nborales + 1);
  é.noteorale.redim(é.nbélèves + 1, é.nborales + 1);
  é.libelléorale.redim(é.nbélèves + 1, é.nborales + 1);
  é.compétenceorale.redim(é.nbélèves + 1, é.nborales + 1);
  // maxinterro peut manquer quand le fichier des interrogations n'a pas encore été lu.
  if (é.maxinterro.borne() < n) é.maxinterro.redimconserver(n + 1);
  for (int i = 1; i <= é.nbélèves; ++i) {
    compterrésultat(i);
    avecligne(chemin, 2 * i + 3, [i] { découperélève(i); });
  }
  for (int k = 1; k <= n + 1; ++k)
    é.moyenneinterro[k] = é.nbnotesinterro[k] == 0 ? -1.0 : moyenneaudixième(é.moyenneinterro[k] / é.nbnotesinterro[k]);
}
