#include "noyau/demo/demo.h"

#include <QDate>
#include <QDir>
#include <algorithm>
#include <random>

#include "noyau/base/dossiers.h"
#include "noyau/base/etat.h"
#include "noyau/base/module.h"
#include "noyau/fichiers/listeclasses.h"
#include "noyau/fichiers/notesclasse.h"
#include "noyau/fichiers/renseignements.h"
#include "noyau/regles/resultats.h"
#include "noyau/suivi/historique.h"
#include "plateforme/fichiers.h"
#include "plateforme/nombres.h"
#include "plateforme/ordre.h"
#include "plateforme/services.h"

namespace {

// Tirages reproductibles : le même dossier de démonstration à chaque fois.
class Hasard {
public:
  explicit Hasard(quint32 graine) : moteur_(graine) {}
  int entre(int a, int b) { return a + static_cast<int>(moteur_() % static_cast<quint32>(b - a + 1)); }
  double réel() { return moteur_() / 4294967296.0; }
  bool chance(double p) { return réel() < p; }
  template <class T>
  const T& parmi(const QList<T>& l) { return l[entre(0, static_cast<int>(l.size()) - 1)]; }

private:
  std::mt19937 moteur_;
};

const QStringList noms{
    "Dupont", "Lambert", "Dubois", "Peeters", "Martin", "Lejeune", "Simon", "Laurent", "Leroy", "Renard",
    "Lemaire", "Gérard", "François", "Mertens", "Collard", "Bernard", "Lecomte", "Fontaine", "Jacobs", "Michel",
    "Hubert", "Denis", "Thiry", "Marchal", "Henrard", "Rousseau", "Goffin", "Delvaux", "Noël", "Pirson",
    "Wauters", "Lefèvre", "Maréchal", "Dumont", "Herman", "Baudoux", "Colin", "Gilson", "Mathieu", "Servais"};
const QStringList prénoms{
    "Élodie", "Lucas", "Emma", "Louis", "Léa", "Nathan", "Chloé", "Hugo", "Manon", "Théo", "Camille", "Noah",
    "Zoé", "Arthur", "Inès", "Jules", "Lina", "Victor", "Juliette", "Maxime", "Clémence", "Adrien", "Margaux",
    "Romain", "Océane", "Thomas", "Anaïs", "Julien", "Céline", "Antoine", "Sarah", "Benoît", "Héloïse", "Gaëtan",
    "Amélie", "Loïc", "Mélanie", "Cédric", "Laura", "François"};

struct Élève {
  QString nom;
  double niveau;     // part du maximum que l'élève obtient d'ordinaire
  int préparations;  // préparations non faites, de période en période
};

QList<Élève> formerélèves(int nombre, Hasard& h) {
  QStringList déjà;
  QList<Élève> élèves;
  while (élèves.size() < nombre) {
    QString nom = h.parmi(noms) + u' ' + h.parmi(prénoms);
    if (déjà.contains(nom)) nom += QStringLiteral(" %1").arg(élèves.size() + 1);
    déjà.append(nom);
    élèves.append({nom, 0.35 + 0.6 * h.réel(), 0});
  }
  std::sort(élèves.begin(), élèves.end(),
            [](const Élève& a, const Élève& b) { return avantenfrançais(a.nom, b.nom); });
  return élèves;
}

// Une note à la demi-point près autour du niveau de l'élève, ou un code d'absence.
QString tirernote(const Élève& e, int maximum, Hasard& h) {
  const double r = h.réel();
  if (r < 0.035) return QStringLiteral("A");
  if (r < 0.045) return QStringLiteral("AI");
  if (r < 0.055) return QStringLiteral("NC");
  const double visée = maximum * (e.niveau + 0.25 * (h.réel() - 0.5));
  const double demi = std::clamp(std::round(visée * 2) / 2, 0.0, static_cast<double>(maximum));
  return str(maximum >= 10 ? demi : std::round(demi)).trimmed();
}

struct Cours {
  QString classe;
  QString cours;
  QStringList compétences;
  int maxpériode;
  QList<int> maxexamens;  // prévus
  int examenscréés;
  QStringList matières;
  const QList<Élève>* élèves;
};

struct Contenu {
  int interros;
  int orales;       // notes orales au plus par élève
  QDate début;      // date de la première interrogation
  bool examen;
};

void ouvrirclé(QChar lettre, int numéro) { fixerpériodecourante(lettre, numéro); }

void remplirpériode(const Cours& c, const Contenu& contenu, int premièreinterro, Hasard& h) {
  ÉtatPartagé& é = état();
  const QList<Élève>& élèves = *c.élèves;
  const int n = static_cast<int>(élèves.size());
  const int nbcomp = static_cast<int>(c.compétences.size());
  é.nbélèves = n;
  é.nbinterros = contenu.interros;
  é.premièreinterro = premièreinterro;
  é.listecompétences.redim(nbcomp);
  for (int j = 1; j <= nbcomp; ++j) é.listecompétences[j] = c.compétences[j - 1];
  é.maxinterro.redim(contenu.interros + 1);
  é.dateinterro.redim(contenu.interros + 1);
  é.matièreinterro.redim(contenu.interros + 1);
  é.compétenceinterro.redim(contenu.interros);
  const QList<int> maxima = contenu.examen ? QList<int>{25, 25, 20, 30, 50} : QList<int>{10, 20, 20, 15, 25, 40};
  for (int k = 1; k <= contenu.interros; ++k) {
    é.maxinterro[k] = h.parmi(maxima);
    é.dateinterro[k] = contenu.début.addDays(contenu.examen ? k : 7 * (k - 1) + h.entre(0, 3)).toString(QStringLiteral("dd/MM/yyyy"));
    é.matièreinterro[k] = contenu.examen ? QStringLiteral("Examen - partie %1").arg(k) : h.parmi(c.matières);
    é.compétenceinterro[k] = (k - 1) % nbcomp + 1;
  }
  é.nborales = 0;
  QList<int> nbor(n + 1, 0);
  for (int i = 1; i <= n; ++i) {
    nbor[i] = contenu.orales == 0 ? 0 : h.entre(contenu.orales > 1 ? 1 : 0, contenu.orales);
    é.nborales = std::max(é.nborales, nbor[i]);
  }
  é.nomélève.redim(n + 1);
  é.ligneélève.redim(n + 1);
  é.totalélève.redim(n + 1);
  é.préparationsnonfaites.redim(n + 1);
  é.pourcentcompétence.redim(n + 1, nbcomp);
  é.noteinterro.redim(n + 1, contenu.interros + 1);
  é.nbnotesorales.redim(n + 1);
  é.maxorale.redim(n + 1, é.nborales + 1);
  é.noteorale.redim(n + 1, é.nborales + 1);
  é.libelléorale.redim(n + 1, é.nborales + 1);
  é.compétenceorale.redim(n + 1, é.nborales + 1);
  for (int i = 1; i <= n; ++i) {
    const Élève& e = élèves[i - 1];
    é.nomélève[i] = e.nom;
    for (int k = 1; k <= contenu.interros; ++k) é.noteinterro(i, k) = tirernote(e, é.maxinterro[k], h);
    é.nbnotesorales[i] = nbor[i];
    for (int o = 1; o <= nbor[i]; ++o) {
      é.maxorale(i, o) = 10;
      é.noteorale(i, o) = std::clamp(std::round(10 * (e.niveau + 0.3 * (h.réel() - 0.5)) * 2) / 2, 0.0, 10.0);
      é.libelléorale(i, o) = contenu.début.addDays(3 + 9 * o).toString(QStringLiteral("dd-MM-yyyy")) +
                             QStringLiteral(" - ") + h.parmi(c.matières);
      é.compétenceorale(i, o) = h.entre(1, nbcomp);
    }
    é.préparationsnonfaites[i] = contenu.examen ? 0 : (h.chance(0.3) ? h.entre(1, 3) : 0);
    calculerrésultats(i);
    reconstruireligne(i);
  }
  sauverclasse();
  if (contenu.interros > 0) écrireinterros();
}

// Ajoute la classe à la liste et écrit son dossier et son fichier des maxima.
int ajouterclasse(const Cours& c, int dernièrepériode) {
  ÉtatPartagé& é = état();
  const int numéro = ++é.nbclasses;
  int suite = 1;
  for (int k = 1; k < numéro; ++k)
    if (é.nomclasse[k] == c.classe) ++suite;
  for (auto* t : {&é.nomclasse, &é.nomcours, &é.dossierclasse}) t->redimconserver(numéro + 1);
  é.dernièrepériode.redimconserver(numéro + 1);
  é.nbexamenscréés.redimconserver(numéro + 1);
  é.nomclasse[numéro] = c.classe;
  é.nomcours[numéro] = c.cours;
  é.dossierclasse[numéro] = c.classe + é.annéescolaire + QString::number(suite);
  é.dernièrepériode[numéro] = dernièrepériode;
  é.nbexamenscréés[numéro] = c.examenscréés;
  é.classecourante = numéro;
  créerdossier(chemindisquedur(é.dossierclasse[numéro]));
  é.nbexamens = static_cast<int>(c.maxexamens.size());
  é.maxpériode = c.maxpériode;
  é.maxexamen.redim(é.nbexamens);
  for (int e = 1; e <= é.nbexamens; ++e) é.maxexamen[e] = c.maxexamens[e - 1];
  écriremaxima();
  return numéro;
}

void écrireclasse(const Cours& c, const QList<Contenu>& périodes, const QList<Contenu>& examens, Hasard& h) {
  ajouterclasse(c, static_cast<int>(périodes.size()));
  ÉtatPartagé& é = état();
  int première = 1;
  for (int p = 1; p <= périodes.size(); ++p) {
    ouvrirclé(u'P', p);
    é.maxcourant = é.maxpériode;
    remplirpériode(c, périodes[p - 1], première, h);
    première += périodes[p - 1].interros;
  }
  for (int e = 1; e <= examens.size(); ++e) {
    ouvrirclé(u'E', e);
    é.maxcourant = é.maxexamen[e];
    remplirpériode(c, examens[e - 1], 1, h);
  }
}

void écrirerenseignementsdémo(const QString& amovible) {
  ÉtatPartagé& é = état();
  é.annéescolairedéfaut = é.annéescolaire;
  é.nbpériodesdéfaut = 3;
  é.nbexamensdéfaut = 2;
  é.maxpériodedéfaut = 20;
  é.maxexamensdéfaut.redim(2);
  é.maxexamensdéfaut[1] = 100;
  é.maxexamensdéfaut[2] = 100;
  é.dossieramovible = amovible + u'\\';
  é.dossiersauvegarde = é.dossierracine + u'\\';
  é.préparations = VRAI;
  é.compétencesdéfaut.redim(3);
  é.compétencesdéfaut[1] = QStringLiteral("Connaître");
  é.compétencesdéfaut[2] = QStringLiteral("Appliquer");
  é.compétencesdéfaut[3] = QStringLiteral("Transférer");
  écrirerenseignements();
  écrirefichier(cheminaffichage(), {QStringLiteral("1024")});
}

// Le disque amovible reçoit la copie de tout le dossier des données, comme après
// une sortie normale ; les deux listes de la session disparaissent.
void recopiersuramovible(const QString& amovible) {
  supprimerfichier(chemindisquedur(nomlistemodifications));
  supprimerfichier(chemindisquedur(nomlistevérifiés));
  const QString données = dossierdonnées();
  créerdossier(amovible);
  for (const QString& f : listerfichiers(données)) copierfichier(données + u'/' + f, amovible + u'/' + f);
  for (const QString& d : listerdossiers(données)) {
    créerdossier(amovible + u'/' + d);
    for (const QString& f : listerfichiers(données + u'/' + d))
      copierfichier(données + u'/' + d + u'/' + f, amovible + u'/' + d + u'/' + f);
  }
}

Contenu période(int interros, int orales, QDate début) { return {interros, orales, début, false}; }
Contenu examen(int parties, QDate date) { return {parties, 0, date, true}; }

}  // namespace

void créerannéedémo(const QString& racine) {
  const SansHistorique fabrication;
  réinitialiserétat();
  ÉtatPartagé& é = état();
  é.dossierracine = racine;
  é.annéescolaire = annéescolairedudate(horloge().aujourdhui());
  const int année = 2000 + é.annéescolaire.toInt();
  actualiserannéeaffichée();
  créerdossier(dossierdonnées());
  const QString amovible = QDir::cleanPath(racine + QStringLiteral("/Disque amovible"));
  écrirerenseignementsdémo(amovible);

  Hasard h(20260914);
  const QList<Élève> élèves5A = formerélèves(22, h);
  const QList<Élève> élèves4B = formerélèves(24, h);
  const QList<Élève> élèves6C = formerélèves(16, h);
  const QList<Élève> élèves3D = formerélèves(20, h);
  const QDate sept(année, 9, 14), nov(année, 11, 9), janv(année + 1, 1, 11);
  const QDate déc(année, 12, 14), juin(année + 1, 6, 8);

  const Cours cours[] = {
      {"5A", "Mathématique", {"050% -> Nombres", "030% -> Géométrie", "020% -> Grandeurs"}, 20, {100, 100}, 1,
       {"Fractions", "Nombres relatifs", "Aires", "Angles", "Proportions", "Calcul mental"}, &élèves5A},
      {"5A", "Sciences", {"060% -> Savoirs", "040% -> Savoir-faire"}, 20, {50}, 1,
       {"La cellule", "Les mélanges", "La digestion", "Les forces", "Laboratoire"}, &élèves5A},
      {"4B", "Mathématique",
       {"040% -> Algèbre", "030% -> Géométrie", "020% -> Statistique", "010% -> Résolution de problèmes"}, 50,
       {100, 100}, 2, {"Équations", "Pythagore", "Moyennes", "Puissances", "Thalès", "Problèmes"}, &élèves4B},
      {"6C", "Physique", {"070% -> Théorie", "030% -> Laboratoire"}, 20, {80}, 1,
       {"Mouvement", "Énergie", "Électricité", "Optique"}, &élèves6C},
      {"3D", "Français", {"025% -> Lire", "025% -> Écrire", "025% -> Parler", "025% -> Écouter"}, 25, {100, 100}, 1,
       {"Dictée", "Rédaction", "Lecture", "Grammaire", "Vocabulaire"}, &élèves3D},
  };
  for (const Cours& c : cours) {
    const QList<Contenu> périodes{période(h.entre(5, 7), 2, sept), période(h.entre(5, 7), 1, nov),
                                  période(h.entre(2, 3), 0, janv)};
    QList<Contenu> examens{examen(h.entre(2, 3), déc)};
    if (c.examenscréés == 2) examens.append(examen(2, juin));
    écrireclasse(c, périodes, examens, h);
  }
  trierclasses();
  écrirelisteclasses();
  recopiersuramovible(amovible);
  réinitialiserétat();
}

void créerclassedemesure(const QString& racine, const TailleClasse& taille) {
  const SansHistorique fabrication;
  réinitialiserétat();
  ÉtatPartagé& é = état();
  é.dossierracine = racine;
  é.annéescolaire = QStringLiteral("26");
  créerdossier(dossierdonnées());
  Hasard h(42);
  const QList<Élève> élèves = formerélèves(taille.élèves, h);
  QStringList compétences;
  for (int j = 1; j <= taille.compétences; ++j)
    compétences.append(format(j == 1 ? 100 - 10 * (taille.compétences - 1) : 10, u"000") +
                       QStringLiteral("% -> Compétence %1").arg(j));
  const Cours c{"5A", "Mathématique", compétences, 20, QList<int>(taille.examens, 100), taille.examens,
                {"Fractions", "Aires", "Angles"}, &élèves};
  const QDate début(2026, 9, 14);
  QList<Contenu> périodes, examens;
  for (int p = 0; p < taille.périodes; ++p) périodes.append({taille.interros, taille.orales, début, false});
  for (int e = 0; e < taille.examens; ++e) examens.append({taille.interros, 0, début, true});
  écrireclasse(c, périodes, examens, h);
  écrirelisteclasses();
  é.classecourante = 1;
  fixerpériodecourante(u'P', 1);
}

QString exportdesecrétariat(int élèves) {
  Hasard h(2026);
  QString texte = QStringLiteral("Nom;Prénom;Classe;Date de naissance\r\n");
  texte.reserve(élèves * 48);
  for (int i = 0; i < élèves; ++i) {
    const int classe = i / 28;
    texte += QStringLiteral("%1;%2;%3%4;%5/%6/20%7\r\n")
                 .arg(h.parmi(noms).toUpper(), h.parmi(prénoms))
                 .arg(1 + classe / 12 % 6)
                 .arg(QChar(u'A' + classe % 12))
                 .arg(h.entre(1, 28), 2, 10, QChar(u'0'))
                 .arg(h.entre(1, 12), 2, 10, QChar(u'0'))
                 .arg(19 - classe / 12 % 6);
  }
  return texte;
}
