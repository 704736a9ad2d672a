#include "noyau/fusion/decision.h"

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QMap>
#include <QRegularExpression>

#include "noyau/base/dossiers.h"
#include "noyau/base/etat.h"
#include "noyau/base/module.h"
#include "noyau/base/piege.h"
#include "noyau/suivi/amovible.h"
#include "noyau/suivi/ancetres.h"
#include "noyau/suivi/ecriture.h"
#include "noyau/suivi/historique.h"
#include "noyau/suivi/modifications.h"
#include "plateforme/encodage.h"
#include "plateforme/fichiers.h"
#include "plateforme/services.h"
#include "plateforme/transaction.h"

namespace {

ConflitsÀTrancher àtrancher;

using Octets = std::optional<QByteArray>;

struct Copies {
  Octets ici, là, base;
  Octets disque;  // ce que garde le disque amovible : l'ancêtre à noter
};
using CopiesGroupe = QMap<QString, Copies>;

enum class Issue { Rien, Repris, Fusionné, Annulé, SansAncêtre };

Octets lire(const QString& chemin) { return fichierexiste(chemin) ? Octets(lireoctets(chemin)) : std::nullopt; }

QStringList lignes(const Octets& o) { return o ? découperlignes(décoderansi(*o)) : QStringList(); }

QString groupede(const QString& nom) {
  const qsizetype barre = nom.indexOf(u'\\');
  return barre > 0 ? nom.left(barre) : nom;
}

bool estlisteclasses(const QString& nom) { return nom.startsWith(QStringLiteral("listclas."), Qt::CaseInsensitive); }

QRegularExpression fichiersdelaclasse(const QString& clé) {
  return QRegularExpression(QStringLiteral("^%1\\.(MPE|[PE][0-9]+[NR])$").arg(QRegularExpression::escape(clé)),
                            QRegularExpression::CaseInsensitiveOption);
}

// Les fichiers de données d'une classe, d'un côté ou de l'autre ou dans les ancêtres.
QStringList nomsdelaclasse(const QString& clé) {
  const QRegularExpression motif = fichiersdelaclasse(clé);
  QStringList noms;
  for (const QString& dossier : {chemindisquedur(clé), cheminamovible(clé), chemindisquedur(dossierancêtres + u'\\' + clé)})
    if (dossierexiste(dossier))
      for (const QString& f : listerfichiers(dossier))
        if (motif.match(f).hasMatch() && !noms.contains(clé + u'\\' + f)) noms.append(clé + u'\\' + f);
  return noms;
}

CopiesGroupe copiesdugroupe(const QStringList& noms) {
  CopiesGroupe copies;
  for (const QString& n : noms) {
    const Octets là = lire(cheminamovible(n));
    copies.insert(n, {lire(chemindisquedur(n)), là, lireancêtre(n), là});
  }
  return copies;
}

QString pluriel(int n, const QString& un, const QString& plusieurs) {
  return QStringLiteral("%1 %2").arg(n).arg(n > 1 ? plusieurs : un);
}

QString nomdelaclasse(const QString& clé) {
  const ÉtatPartagé& é = état();
  for (int c = 1; c <= é.nbclasses; ++c)
    if (é.dossierclasse[c] == clé) return é.nomclasse[c];
  return clé;
}

// "6C, périodes 1 et 3, examen 1" : ce qui a changé dans le groupe.
QString cequiachangé(const QString& groupe, const QStringList& noms) {
  if (estlisteclasses(groupe)) return QStringLiteral("liste des classes");
  QList<int> périodes, examens;
  bool maxima = false;
  for (const QString& n : noms) {
    const QString ext = n.section(u'.', -1).toUpper();
    if (ext == u"MPE") maxima = true;
    QList<int>& liste = ext.startsWith(u'P') ? périodes : examens;
    const int numéro = ext.mid(1, ext.size() - 2).toInt();
    if (ext != u"MPE" && !liste.contains(numéro)) liste.append(numéro);
  }
  std::sort(périodes.begin(), périodes.end());
  std::sort(examens.begin(), examens.end());
  const auto énumérer = [](const QList<int>& nombres, const QString& un, const QString& plusieurs) {
    QStringList t;
    for (int n : nombres) t.append(QString::number(n));
    const QString fin = t.size() > 1 ? t.takeLast() : QString();
    return (t.size() + (fin.isEmpty() ? 0 : 1) > 1 ? plusieurs : un) + u' ' + t.join(QStringLiteral(", ")) +
           (fin.isEmpty() ? QString() : QStringLiteral(" et ") + fin);
  };
  QStringList parties{nomdelaclasse(groupe)};
  if (!périodes.isEmpty()) parties.append(énumérer(périodes, QStringLiteral("période"), QStringLiteral("périodes")));
  if (!examens.isEmpty()) parties.append(énumérer(examens, QStringLiteral("examen"), QStringLiteral("examens")));
  if (maxima && périodes.isEmpty() && examens.isEmpty()) parties.append(QStringLiteral("renseignements"));
  return parties.join(QStringLiteral(", "));
}

// L'autre ordinateur : le dernier qui a écrit l'historique de la classe, hors celui-ci.
QString autreordinateur(const QString& groupe) {
  if (!estlisteclasses(groupe)) {
    const QList<Modification> lignes = historiqueclasse(groupe);
    for (auto m = lignes.rbegin(); m != lignes.rend(); ++m)
      if (!m->ordinateur.isEmpty() && m->ordinateur != ordinateurcourant()) return m->ordinateur;
  }
  return QStringLiteral("l'autre ordinateur");
}

// Vrai quand le libellé nomme l'élève ou le test (« interro n°1 » n'est pas « interro n°14 »).
bool nomme(const QString& libellé, const QString& quoi) {
  for (qsizetype i = libellé.indexOf(quoi); i >= 0; i = libellé.indexOf(quoi, i + 1)) {
    const qsizetype fin = i + quoi.size();
    if (fin >= libellé.size() || !libellé[fin].isDigit()) return true;
  }
  return false;
}

// Quand chaque valeur d'un conflit a été tapée, d'après l'historique des deux ordinateurs :
// la dernière ligne qui nomme son élève (ou, sans élève, son test) dans son fichier.
void dater(const QString& groupe, QList<Conflit>& conflits) {
  if (estlisteclasses(groupe)) return;
  const QList<Modification> lignes = historiqueclasse(groupe);
  for (Conflit& c : conflits) {
    const QString qui = c.élève.isEmpty() ? c.quoi : c.élève;
    if (qui.isEmpty() || c.fichier.isEmpty()) continue;
    for (auto m = lignes.rbegin(); m != lignes.rend(); ++m) {
      if (!m->faite() || !m->fichiers.contains(c.fichier) || !nomme(m->libellé, qui)) continue;
      const QString quand = m->quand.toString(QStringLiteral("dd/MM/yyyy HH:mm"));
      if (m->ordinateur == ordinateurcourant()) {
        if (c.quandici.isEmpty()) c.quandici = quand;
      } else if (c.quandlà.isEmpty()) {
        c.quandlà = quand + QStringLiteral(" (") + m->ordinateur + u')';
      }
    }
  }
}

// Les conflits montrés au professeur ; faux quand il annule.
bool trancher(const QString& groupe, const QString& ordinateur, QList<Conflit> conflits, QHash<QString, bool>& choix) {
  dater(groupe, conflits);
  // Seul OK fusionne : Échap, la case de fermeture ou une fenêtre qui ne s'ouvre pas annulent.
  àtrancher = {cequiachangé(groupe, {}), ordinateur, conflits, true};
  montrermodale(QStringLiteral("conflits"));
  if (àtrancher.annulé) return false;
  for (const Conflit& c : àtrancher.conflits) choix.insert(c.id, c.garderlà);
  return true;
}

// Le contenu fusionné de chaque fichier du groupe (rien : le fichier n'existe pas).
struct Résultat {
  QMap<QString, Octets> fichiers;
  QList<Conflit> conflits;
  int reprises = 0;
};

Résultat fusionnerliste(const QString& nom, const Copies& c, const QHash<QString, bool>& choix) {
  const LignesFusionnées f = fusionnerlisteclasses(nom, lignes(c.base), lignes(c.ici), lignes(c.là), choix);
  return {{{nom, octetsdelignes(f.lignes)}}, f.conflits, f.reprises};
}

Résultat fusionnerclassedugroupe(const QString& clé, const CopiesGroupe& copies, const QHash<QString, bool>& choix) {
  VersionsClasse v{clé, {}, {}, {}, {}, {}, {}};
  FichiersClasse base, ici, là;
  for (auto c = copies.begin(); c != copies.end(); ++c) {
    if (c->base) base.insert(c.key(), lignes(c->base));
    if (c->ici) ici.insert(c.key(), lignes(c->ici));
    if (c->là) là.insert(c.key(), lignes(c->là));
  }
  const QString mpe = nommaxima(clé);
  v.maximabase = base.value(mpe);
  v.maximaici = ici.value(mpe);
  v.maximalà = là.value(mpe);
  const QStringList maximaici = v.maximaici.isEmpty() ? v.maximalà : v.maximaici;
  const QStringList maximalà = v.maximalà.isEmpty() ? maximaici : v.maximalà;
  v.base = lirepériodes(clé, base, v.maximabase.isEmpty() ? maximaici : v.maximabase);
  v.ici = lirepériodes(clé, ici, maximaici);
  v.là = lirepériodes(clé, là, maximalà);
  const ClasseFusionnée f = fusionnerclasse(v, choix);
  Résultat r{{}, f.conflits, f.reprises};
  r.fichiers.insert(mpe, octetsdelignes(f.maxima));
  for (auto p = f.périodes.begin(); p != f.périodes.end(); ++p) {
    const QString notes = nomnotes(clé, p.key()), interros = nominterros(clé, p.key());
    // Une période que la fusion laisse telle qu'elle est ici garde ses octets.
    if (v.ici.contains(p.key()) && v.ici[p.key()] == *p && f.maxima == v.maximaici) {
      r.fichiers.insert(notes, copies.value(notes).ici);
      r.fichiers.insert(interros, copies.value(interros).ici);
      continue;
    }
    const LignesPériode l = écrirepériode(clé, p.key(), *p, f.maxima);
    r.fichiers.insert(notes, octetsdelignes(l.notes));
    r.fichiers.insert(interros, l.interros.isEmpty() && !copies.value(interros).ici && !copies.value(interros).là
                                    ? Octets()
                                    : Octets(octetsdelignes(l.interros)));
  }
  return r;
}

Résultat fusionnergroupe(const QString& groupe, const CopiesGroupe& copies, const QHash<QString, bool>& choix) {
  if (estlisteclasses(groupe)) return fusionnerliste(groupe, copies.value(groupe), choix);
  return fusionnerclassedugroupe(groupe, copies, choix);
}

QList<FichierÀÉcrire> ancêtresdudisque(const CopiesGroupe& copies) {
  QList<FichierÀÉcrire> a;
  for (auto c = copies.begin(); c != copies.end(); ++c)
    if (c->disque && !mêmeslignes(lireancêtre(c.key()), c->disque)) a += ancêtreàécrire(c.key(), *c->disque);
  return a;
}

// Des copies identiques : leur ancêtre commun est noté au passage. Un ancêtre qui ne
// peut pas être écrit ne change rien ici ; la prochaine fois, la question viendra
// comme avec un disque d'une ancienne version.
void noterancêtres(const CopiesGroupe& copies) {
  for (auto c = copies.begin(); c != copies.end(); ++c) {
    if (!c->disque || mêmeslignes(c->base, c->disque)) continue;
    try {
      noterancêtre(c.key(), *c->disque);
    } catch (const ErreurEvalo&) {
    }
  }
}

void message(const QString& texte) { boîtes().message(texte, QStringLiteral("Disque amovible")); }

// La classe telle que la copie de là la laisserait, lue et vérifiée comme à son
// ouverture : une copie abîmée lève ErreurDonnée qui la nomme, avant toute écriture.
void vérifierlà(const QString& groupe, const CopiesGroupe& copies) {
  if (estlisteclasses(groupe)) return;
  FichiersClasse classe;
  for (auto c = copies.begin(); c != copies.end(); ++c)
    if (const Octets& o = c->là ? c->là : c->ici) classe.insert(c.key(), lignes(o));
  vérifiercopie(groupe, lirepériodes(groupe, classe, classe.value(nommaxima(groupe))), cheminamovible(groupe));
}

// Décide d'un groupe. là est la copie du disque amovible (ses octets deviennent les
// ancêtres) ou une copie en conflit (les ancêtres ne changent pas).
Issue décider(const QString& groupe, const CopiesGroupe& copies, bool làestledisque, QStringList& écrits) {
  QStringList différents;
  bool ancêtre = false;
  for (auto c = copies.begin(); c != copies.end(); ++c) {
    if (!mêmeslignes(c->ici, c->là) && c->là) différents.append(c.key());
    ancêtre = ancêtre || c->base.has_value();
  }
  if (différents.isEmpty()) {
    if (làestledisque) noterancêtres(copies);
    return Issue::Rien;
  }
  // Deux copies d'un fichier sans version commune ne se fusionnent pas : sur une base
  // vide, chaque test et chaque note orale semblerait ajouté des deux côtés.
  const bool sansversioncommune = std::any_of(différents.begin(), différents.end(), [&](const QString& n) {
    return copies[n].ici && !copies[n].base;
  });
  if (!ancêtre || sansversioncommune) return Issue::SansAncêtre;
  bool icibougé = false, làbougé = false;
  for (const QString& n : différents) {
    icibougé = icibougé || !mêmeslignes(copies[n].ici, copies[n].base);
    làbougé = làbougé || !mêmeslignes(copies[n].là, copies[n].base);
  }
  const QList<FichierÀÉcrire> ancêtres = làestledisque ? ancêtresdudisque(copies) : QList<FichierÀÉcrire>();
  const QString ordinateur = autreordinateur(groupe);
  if (!làbougé) return Issue::Rien;  // cette copie-ci sera donnée au disque à la sortie
  vérifierlà(groupe, copies);
  if (!icibougé) {
    QList<FichierPréparé> pris;
    for (const QString& n : différents) pris.append({n, lignes(copies[n].là), false});
    const SansHistorique sans;
    if (!écrirefichiersnotés(pris, ancêtres)) return Issue::Annulé;
    écrits += différents;
    message(QStringLiteral("Changements de %1 repris : %2").arg(ordinateur, cequiachangé(groupe, différents)));
    return Issue::Repris;
  }
  QHash<QString, bool> choix;
  Résultat r = fusionnergroupe(groupe, copies, choix);
  if (!r.conflits.isEmpty()) {
    if (!trancher(groupe, ordinateur, r.conflits, choix)) return Issue::Annulé;
    r = fusionnergroupe(groupe, copies, choix);
  }
  QList<FichierPréparé> fusionnés;
  for (auto f = r.fichiers.begin(); f != r.fichiers.end(); ++f)
    if (f.value() && !mêmeslignes(copies.value(f.key()).ici, f.value()))
      fusionnés.append({f.key(), lignes(f.value()), false});
  const QString bilan = pluriel(r.reprises, QStringLiteral("valeur reprise"), QStringLiteral("valeurs reprises")) +
                        QStringLiteral(", ") + pluriel(static_cast<int>(r.conflits.size()), QStringLiteral("conflit"), QStringLiteral("conflits"));
  {
    const ChangementNommé nommé(QStringLiteral("Fusion avec %1 : %2").arg(ordinateur, bilan));
    if (!écrirefichiersnotés(fusionnés, ancêtres)) return Issue::Annulé;
  }
  for (const FichierPréparé& f : fusionnés) écrits.append(f.nom);
  message(QStringLiteral("Changements de %1 fusionnés : %2 (%3)").arg(ordinateur, cequiachangé(groupe, différents), bilan));
  return Issue::Fusionné;
}

// Les copies en conflit d'un service de synchronisation, dans le dossier du groupe
// sur le disque amovible : nom relatif de la copie → nom relatif de l'original.
QMap<QString, QString> copiesenconflit(const QString& groupe) {
  QMap<QString, QString> copies;
  const bool liste = estlisteclasses(groupe);
  const QString dossier = liste ? cheminamovible(QString()) : cheminamovible(groupe);
  if (!dossierexiste(dossier)) return copies;
  const QString préfixe = liste ? QString() : groupe + u'\\';
  for (const QString& f : listerfichiers(dossier)) {
    const QString original = originaldecopieenconflit(f);
    if (original.isEmpty()) continue;
    if (liste ? original.compare(groupe, Qt::CaseInsensitive) == 0
              : fichiersdelaclasse(groupe).match(original).hasMatch() || original == QStringLiteral("historique.txt"))
      copies.insert(préfixe + f, préfixe + original);
  }
  return copies;
}

void mettredecôté(const QString& copie) {
  const QString cible = cheminamovible(dossiercopiesenconflit + u'\\' + copie);
  créerdossier(cible.section(u'/', 0, -2));
  QFile::remove(cible);
  if (!QFile::rename(cheminamovible(copie), cible))
    throw ErreurFichier(CauseErreur::PermissionRefusée, cheminamovible(copie),
                        QStringLiteral("Impossible de mettre de côté « %1 ».").arg(QDir::toNativeSeparators(cheminamovible(copie))));
}

// Les copies en conflit du groupe. Quand l'une des deux versions (celle du disque,
// celle mise de côté) est celle que cet ordinateur avait donnée, l'autre est partie
// de la version d'avant : elle est fusionnée sur cet ancêtre-là. Rend les copies
// dont aucune version n'est d'ici, à fusionner ensuite une à une.
QStringList préparercopiesenconflit(const QMap<QString, QString>& copies, CopiesGroupe& versions) {
  QStringList ensuite;
  for (auto c = copies.begin(); c != copies.end(); ++c) {
    if (!versions.contains(c.value())) continue;
    Copies& v = versions[c.value()];
    const Octets copie = lire(cheminamovible(c.key()));
    if (mêmeslignes(copie, v.là)) continue;
    const Octets précédent = lireancêtreprécédent(c.value());
    if (mêmeslignes(copie, v.base)) {
      v.base = précédent ? précédent : v.base;
    } else if (mêmeslignes(v.là, v.base)) {
      v.là = copie;
      v.base = précédent ? précédent : v.base;
    } else {
      ensuite.append(c.key());
    }
  }
  return ensuite;
}

// Une copie en conflit dont aucune version n'est d'ici : fusionnée avec la copie
// d'ici sur l'ancêtre commun.
Issue fusionnercopieenconflit(const QString& groupe, const QStringList& noms, const QString& copie, const QString& original,
                              QStringList& écrits) {
  CopiesGroupe versions = copiesdugroupe(noms);
  versions[original].là = lire(cheminamovible(copie));
  versions[original].disque = std::nullopt;
  return décider(groupe, versions, false, écrits);
}

void mettrecopiesdecôté(const QString& groupe, const QMap<QString, QString>& copies) {
  QStringList misesdecôté;
  for (auto c = copies.begin(); c != copies.end(); ++c) {
    if (c.value().endsWith(QStringLiteral("historique.txt")))
      fusionnerhistoriquede(groupe, cheminamovible(c.key()));
    mettredecôté(c.key());
    misesdecôté.append(QDir::toNativeSeparators(c.key()));
  }
  message(QStringLiteral("Copies en conflit d'un service de synchronisation fusionnées, puis mises de côté dans « %1 » :\n- %2")
              .arg(QDir::toNativeSeparators(cheminamovible(dossiercopiesenconflit)), misesdecôté.join(QStringLiteral("\n- "))));
}

QStringList nomsdugroupe(const QString& groupe) {
  return estlisteclasses(groupe) ? QStringList{groupe} : nomsdelaclasse(groupe);
}

// Ce qui a été fait d'un groupe : rien (laissé à la comparaison fichier par
// fichier), décidé (avec les fichiers écrits ici), ou annulé : le professeur a
// annulé, ou une copie illisible l'empêche ; cet ordinateur garde alors sa copie
// et rien n'est écrit.
struct Décision {
  enum { Laissée, Prise, Annulée } issue = Laissée;
  QStringList écrits;
};

Décision décidergroupe(const QString& nom) {
  const QString groupe = groupede(nom);
  if (!estlisteclasses(groupe) && groupe == nom) return {};
  try {
    if (!dossierexiste(cheminamovible(QString()))) return {};
  } catch (const ErreurEvalo&) {
    return {};
  }
  const QStringList noms = nomsdugroupe(groupe);
  if (!noms.contains(nom)) return {};
  Décision d{Décision::Prise, {}};
  try {
    const QMap<QString, QString> enconflit = copiesenconflit(groupe);
    CopiesGroupe versions = copiesdugroupe(noms);
    const QStringList ensuite = préparercopiesenconflit(enconflit, versions);
    const Issue issue = décider(groupe, versions, true, d.écrits);
    // Les copies en conflit attendent que la classe ait une version commune.
    if (issue == Issue::SansAncêtre) return {};
    bool annulé = issue == Issue::Annulé;
    QMap<QString, QString> fusionnées = enconflit;
    for (const QString& copie : ensuite) {
      if (annulé) break;
      const Issue i = fusionnercopieenconflit(groupe, noms, copie, enconflit[copie], d.écrits);
      annulé = i == Issue::Annulé;
      if (i == Issue::SansAncêtre) fusionnées.remove(copie);
    }
    if (annulé)
      d.issue = Décision::Annulée;
    else if (!fusionnées.isEmpty())
      mettrecopiesdecôté(groupe, fusionnées);
    // Toute la classe va au disque amovible, pas seulement ce que cet ordinateur a écrit.
    for (const QString& n : noms)
      if (!d.écrits.contains(n) && !mêmeslignes(lire(chemindisquedur(n)), lire(cheminamovible(n))) &&
          fichierexiste(chemindisquedur(n)))
        d.écrits.append(n);
  } catch (const ErreurEvalo& e) {
    avertissement(QStringLiteral("Les copies de « %1 » ne peuvent pas être fusionnées : %2\n\nCet ordinateur garde sa "
                                 "copie ; rien n'est écrit.")
                      .arg(cequiachangé(groupe, {}), e.texte()),
                  QStringLiteral("Disque amovible"));
    d.issue = Décision::Annulée;
  }
  return d;
}

}  // namespace

ConflitsÀTrancher& conflitsàtrancher() { return àtrancher; }

QString originaldecopieenconflit(const QString& f) {
  static const QRegularExpression motif(QStringLiteral(
      "^(.+?)(?:\\.sync-conflict-\\d{8}-\\d{6}-[A-Za-z0-9]+| \\(conflicted copy [^)]*\\)| \\([^)]*'s conflicted copy[^)]*\\))"
      "(\\.[^.]+)?$"));
  const QRegularExpressionMatch m = motif.match(f);
  return m.hasMatch() ? m.captured(1) + m.captured(2) : QString();
}

bool fusionneravantlecture(const QString& nom) {
  const Décision d = décidergroupe(nom);
  if (d.issue == Décision::Laissée) return false;
  for (const QString& n : nomsdugroupe(groupede(nom)))
    if (!déjàvérifié(n)) noterfichiervérifié(n);
  return true;
}

std::optional<QStringList> fusionneravantcopie(const QString& nom) {
  const Décision d = décidergroupe(nom);
  if (d.issue == Décision::Annulée) return std::nullopt;
  return d.écrits;
}

// La classe qu'une annulation laisserait : ses fichiers actuels, ceux remis à leur
// place, lus et vérifiés comme à l'ouverture (chaque période avec ses interrogations,
// les mêmes élèves et compétences partout).
QString relireclasseremise(const QString& clé, const QMap<QString, std::optional<QByteArray>>& remis) {
  // Chaque nom remis est un fichier de la classe, ou la liste des classes.
  const QRegularExpression motif = fichiersdelaclasse(clé);
  for (auto r = remis.begin(); r != remis.end(); ++r) {
    const qsizetype barre = r.key().indexOf(u'\\');
    const bool delaclasse = barre > 0 && r.key().left(barre) == clé && motif.match(r.key().mid(barre + 1)).hasMatch();
    if (!delaclasse && !(estlisteclasses(r.key()) && !r.key().contains(u'\\')))
      return QStringLiteral("« %1 » n'est pas un fichier de la classe").arg(r.key());
  }
  try {
    FichiersClasse classe;
    if (dossierexiste(chemindisquedur(clé)))
      for (const QString& f : listerfichiers(chemindisquedur(clé)))
        if (motif.match(f).hasMatch()) classe.insert(clé + u'\\' + f, lignes(lire(chemindisquedur(clé + u'\\' + f))));
    for (auto r = remis.begin(); r != remis.end(); ++r) {
      if (!r.key().startsWith(clé + u'\\')) continue;
      if (r.value())
        classe.insert(r.key(), lignes(r.value()));
      else
        classe.remove(r.key());
    }
    if (classe.isEmpty()) return QString();
    vérifiercopie(clé, lirepériodes(clé, classe, classe.value(nommaxima(clé))), chemindisquedur(clé));
  } catch (const ErreurEvalo& e) {
    return QStringLiteral("la classe ne s'ouvrirait plus (%1)").arg(e.texte());
  }
  return QString();
}

void brancherfusiondesclasses() {
  brancherfusion({fusionneravantlecture, fusionneravantcopie});
  brancherrelectureclasse(relireclasseremise);
}
