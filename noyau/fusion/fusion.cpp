#include "noyau/fusion/fusion.h"

#include <QDate>
#include <QSet>
#include <algorithm>
#include <limits>
#include <vector>

#include "noyau/base/dossiers.h"
#include "plateforme/nombres.h"
#include "plateforme/ordre.h"

namespace {

QString textenote(const QString& note) {
  const QString n = note.trimmed();
  return n.isEmpty() ? QStringLiteral("(vide)") : n;
}

QString texteorale(const OraleModèle& o) {
  return QStringLiteral("%1/%2 (%3)").arg(str(o.note).trimmed(), str(o.maximum).trimmed(), o.libellé);
}

QString texteinterro(const InterroModèle& i) {
  return QStringLiteral("sur %1, %2, %3, compétence %4").arg(i.maximum).arg(i.date, i.matière).arg(i.compétence);
}

Conflit conflit(const QString& id, const QString& période, const QString& élève, const QString& quoi, const QString& fichier) {
  Conflit c;
  c.id = id;
  c.période = période;
  c.élève = élève;
  c.quoi = quoi;
  c.fichier = fichier;
  return c;
}

// Les conflits et les valeurs reprises d'une fusion, avec les choix déjà faits.
class Arbitre {
public:
  explicit Arbitre(const QHash<QString, bool>& choix) : choix_(choix) {}

  template <class T, class Texte>
  T trois(const T& base, const T& ici, const T& là, Conflit c, Texte texte) {
    if (ici == là) return ici;
    if (ici == base) {
      ++reprises;
      return là;
    }
    if (là == base) return ici;
    c.ici = texte(ici);
    c.là = texte(là);
    return garderlà(c) ? là : ici;
  }

  // Un conflit à deux issues ; vrai quand le professeur garde ce qui est là.
  bool garderlà(Conflit c) {
    c.garderlà = choix_.value(c.id, false);
    conflits.append(c);
    if (c.garderlà) ++reprises;
    return c.garderlà;
  }

  QList<Conflit> conflits;
  int reprises = 0;

private:
  const QHash<QString, bool>& choix_;
};

QStringList noms(const QMap<QString, PériodeModèle>& périodes) {
  QStringList n;
  if (périodes.isEmpty()) return n;
  for (const ÉlèveModèle& e : périodes.first().élèves) n.append(e.nom);
  return n;
}

bool mêmesnotes(const ÉlèveModèle& a, const ÉlèveModèle& b) {
  const qsizetype n = std::min(a.notes.size(), b.notes.size());
  return a.notes.mid(0, n) == b.notes.mid(0, n) && a.orales == b.orales && a.préparations == b.préparations;
}

bool notetapée(const QString& note) {
  const QString n = note.trimmed();
  return !n.isEmpty() && n != u"A";
}

// Vrai quand un côté a changé quelque chose de l'élève (nom de base, nom de ce côté)
// par rapport à la base : une note, une note orale, les préparations.
bool élèvechangé(const QMap<QString, PériodeModèle>& base, const QMap<QString, PériodeModèle>& côté, const QString& nombase,
                 const QString& nomcôté) {
  for (auto p = côté.begin(); p != côté.end(); ++p) {
    const ÉlèveModèle* e = p->élève(nomcôté);
    if (!e) continue;
    const auto pb = base.constFind(p.key());  // l'élève dans la période gardée, pas dans une copie
    const ÉlèveModèle* b = pb == base.cend() ? nullptr : pb->élève(nombase);
    if (!b) {
      if (std::any_of(e->notes.begin(), e->notes.end(), notetapée) || !e->orales.isEmpty() || e->préparations != 0)
        return true;
      continue;
    }
    if (!mêmesnotes(*b, *e)) return true;
    for (qsizetype k = b->notes.size(); k < e->notes.size(); ++k)
      if (notetapée(e->notes[k])) return true;
  }
  return false;
}

// Les élèves renommés d'un côté : nom de base → nom de ce côté. Un nom disparu et un
// nouveau qui ont les mêmes notes sont le même élève ; un seul disparu et un seul
// nouveau aussi.
QHash<QString, QString> renommés(const QMap<QString, PériodeModèle>& base, const QMap<QString, PériodeModèle>& côté,
                                 const QStringList& nomsbase, const QStringList& nomscôté) {
  QStringList disparus, nouveaux;
  for (const QString& n : nomsbase)
    if (!nomscôté.contains(n)) disparus.append(n);
  for (const QString& n : nomscôté)
    if (!nomsbase.contains(n)) nouveaux.append(n);
  QHash<QString, QString> paires;
  const auto mêmeélève = [&](const QString& b, const QString& c) {
    for (auto p = côté.begin(); p != côté.end(); ++p) {
      const auto pb = base.constFind(p.key());
      if (pb == base.cend()) continue;
      const ÉlèveModèle* eb = pb->élève(b);
      const ÉlèveModèle* ec = p->élève(c);
      if (!eb || !ec || !mêmesnotes(*eb, *ec)) return false;
    }
    return true;
  };
  for (const QString& d : QStringList(disparus)) {
    const auto n = std::find_if(nouveaux.begin(), nouveaux.end(), [&](const QString& c) { return mêmeélève(d, c); });
    if (n == nouveaux.end()) continue;
    paires.insert(d, *n);
    nouveaux.erase(n);
    disparus.removeOne(d);
  }
  if (disparus.size() == 1 && nouveaux.size() == 1) paires.insert(disparus.first(), nouveaux.first());
  return paires;
}

// Un élève de la classe fusionnée et son nom de chaque côté (vide : il n'y est pas).
struct Identité {
  QString base, ici, là, nom;
};

struct Colonne {
  int base = -1, ici = -1, là = -1;  // indice de l'interrogation de chaque côté
};

class FusionClasse {
public:
  FusionClasse(const VersionsClasse& v, const QHash<QString, bool>& choix) : v_(v), choix_(choix), a_(choix) {}

  ClasseFusionnée exécuter() {
    ClasseFusionnée f;
    const LignesFusionnées maxima =
        fusionnerlignes(nommaxima(v_.clé), v_.maximabase, v_.maximaici, v_.maximalà, choix_);
    f.maxima = maxima.lignes;
    a_.conflits += maxima.conflits;
    a_.reprises += maxima.reprises;
    identifier();
    QStringList clés = v_.base.keys() + v_.ici.keys() + v_.là.keys();
    clés.removeDuplicates();
    for (const QString& p : clés) f.périodes.insert(p, période(p));
    f.conflits = a_.conflits;
    f.reprises = a_.reprises;
    return f;
  }

private:
  void identifier() {
    const QStringList nb = noms(v_.base), ni = noms(v_.ici), nl = noms(v_.là);
    const QHash<QString, QString> ri = renommés(v_.base, v_.ici, nb, ni);
    const QHash<QString, QString> rl = renommés(v_.base, v_.là, nb, nl);
    QSet<QString> vusici, vuslà;
    for (const QString& b : nb) {
      Identité id{b, ri.value(b, ni.contains(b) ? b : QString()), rl.value(b, nl.contains(b) ? b : QString()), {}};
      vusici.insert(id.ici);
      vuslà.insert(id.là);
      if (id.ici.isEmpty() && id.là.isEmpty()) continue;
      if ((id.ici.isEmpty() || id.là.isEmpty()) && !garderaprèsretrait(id)) continue;
      id.nom = a_.trois(b, id.ici.isEmpty() ? b : id.ici, id.là.isEmpty() ? b : id.là,
                        conflit(QStringLiteral("nom|") + b, {}, b, QStringLiteral("nom"), {}),
                        [](const QString& n) { return n; });
      élèves_.append(id);
    }
    for (const QString& n : ni)
      if (!vusici.contains(n)) élèves_.append({{}, n, nl.contains(n) && !vuslà.contains(n) ? n : QString(), n});
    for (const QString& n : nl)
      if (!vuslà.contains(n) && !(ni.contains(n) && !vusici.contains(n))) {
        ++a_.reprises;
        élèves_.append({{}, {}, n, n});
      }
    std::stable_sort(élèves_.begin(), élèves_.end(), [](const Identité& x, const Identité& y) {
      return avantenfrançais(QString(x.nom + u'/'), QString(y.nom + u'/'));
    });
  }

  // Un élève retiré d'un côté : retiré, sauf quand l'autre côté a changé ses notes ;
  // c'est alors au professeur de choisir.
  bool garderaprèsretrait(const Identité& id) {
    const bool retiréici = id.ici.isEmpty();
    const bool changé = retiréici ? élèvechangé(v_.base, v_.là, id.base, id.là) : élèvechangé(v_.base, v_.ici, id.base, id.ici);
    if (!changé) {
      if (retiréici) return false;
      ++a_.reprises;
      return false;
    }
    QStringList périodes;
    for (auto p = v_.base.begin(); p != v_.base.end(); ++p)
      if (p->élève(id.base)) périodes.append(p.key());
    Conflit c = conflit(QStringLiteral("retrait|") + id.base, périodes.join(QStringLiteral(", ")), id.base, QStringLiteral("élève"),
                        périodes.isEmpty() ? QString() : nomnotes(v_.clé, périodes.first()));
    c.ici = retiréici ? QStringLiteral("retiré(e) de la classe") : QStringLiteral("gardé(e), notes changées");
    c.là = retiréici ? QStringLiteral("gardé(e), notes changées") : QStringLiteral("retiré(e) de la classe");
    return a_.garderlà(c) == retiréici;
  }

  static const ÉlèveModèle* trouver(const PériodeModèle& p, const QString& nom) {
    return nom.isEmpty() ? nullptr : p.élève(nom);
  }

  QList<Colonne> colonnes(const QString& p, const PériodeModèle& b, const PériodeModèle& i, const PériodeModèle& l) {
    QList<Colonne> c;
    const QList<int> ai = aligner(b.interros, i.interros), al = aligner(b.interros, l.interros);
    for (int k = 0; k < b.interros.size(); ++k) {
      const bool dansici = ai[k] >= 0, danslà = al[k] >= 0;
      if (dansici && danslà) {
        // Un test du milieu supprimé d'un côté y reste, chaque note devenue NC.
        const bool effacéici = effacé(b, i, k, ai[k]), effacélà = effacé(b, l, k, al[k]);
        if (effacéici != effacélà && testchangé(b, effacéici ? l : i, k, effacéici ? al[k] : ai[k]))
          c.append(suppression(p, b, k, effacéici) ? Colonne{k, -1, al[k]} : Colonne{k, ai[k], -1});
        else
          c.append({k, ai[k], al[k]});
        continue;
      }
      if (!dansici && !danslà) continue;
      const PériodeModèle& gardé = dansici ? i : l;
      if (!testchangé(b, gardé, k, dansici ? ai[k] : al[k])) {
        if (dansici) ++a_.reprises;
        continue;
      }
      if (suppression(p, b, k, !dansici) == danslà) c.append({k, ai[k], al[k]});
    }
    QList<Colonne> nouvellesici, nouvelleslà;
    for (int k = 0; k < i.interros.size(); ++k)
      if (!ai.contains(k)) nouvellesici.append({-1, k, -1});
    for (int k = 0; k < l.interros.size(); ++k)
      if (!al.contains(k)) nouvelleslà.append({-1, -1, k});
    if (!nouvellesici.isEmpty() && mêmesnouvelles(i, l, nouvellesici, nouvelleslà)) {
      for (qsizetype n = 0; n < nouvellesici.size(); ++n) nouvellesici[n].là = nouvelleslà[n].là;
      nouvelleslà.clear();
    }
    apparier(i, l, nouvellesici, nouvelleslà);
    a_.reprises += static_cast<int>(nouvelleslà.size());
    // Les tests créés des deux côtés se suivent dans l'ordre de leurs dates, comme
    // sur l'autre ordinateur quand c'est lui qui fusionne.
    QList<Colonne> nouvelles = nouvellesici + nouvelleslà;
    const auto date = [&](const Colonne& n) {
      const QDate d = QDate::fromString(n.ici >= 0 ? i.interros[n.ici].date : l.interros[n.là].date, QStringLiteral("dd/MM/yyyy"));
      return d.isValid() ? d.toJulianDay() : std::numeric_limits<qint64>::max();
    };
    std::stable_sort(nouvelles.begin(), nouvelles.end(), [&](const Colonne& x, const Colonne& y) { return date(x) < date(y); });
    return c + nouvelles;
  }

  // Un test supprimé d'un côté, changé de l'autre : le professeur choisit ; vrai quand il
  // garde ce qui est là.
  bool suppression(const QString& p, const PériodeModèle& b, int k, bool suppriméici) {
    Conflit cf = conflit(p + QStringLiteral("|suppression|") + QString::number(k), p, {},
                         QStringLiteral("interro n°%1").arg(b.premièreinterro + k), nomnotes(v_.clé, p));
    cf.ici = suppriméici ? QStringLiteral("supprimée") : QStringLiteral("gardée, notes changées");
    cf.là = suppriméici ? QStringLiteral("gardée, notes changées") : QStringLiteral("supprimée");
    return a_.garderlà(cf);
  }

  // Vrai quand ce côté a supprimé le test k de la base sans retirer sa colonne : chaque
  // note y est NC, ce qui n'était pas le cas dans la base.
  static bool effacé(const PériodeModèle& b, const PériodeModèle& côté, int kb, int kc) {
    const auto nc = [](const ÉlèveModèle& e, int k) { return e.notes.value(k).trimmed() == u"NC"; };
    const bool toutnc = std::all_of(côté.élèves.begin(), côté.élèves.end(), [&](const ÉlèveModèle& e) { return nc(e, kc); });
    return !côté.élèves.isEmpty() && toutnc &&
           !std::all_of(b.élèves.begin(), b.élèves.end(), [&](const ÉlèveModèle& e) { return nc(e, kb); });
  }

  // Chaque test de la base et sa place de ce côté (-1 : supprimé de ce côté). Les
  // tests gardés tels quels se reconnaissent à leurs renseignements (la plus longue
  // suite commune) ; entre deux d'entre eux, ceux qui restent se suivent dans l'ordre
  // (renseignements corrigés), le surplus de la base a été supprimé, celui du côté créé.
  static QList<int> aligner(const QList<InterroModèle>& base, const QList<InterroModèle>& côté) {
    const qsizetype nb = base.size(), nc = côté.size();
    std::vector<std::vector<int>> suite(static_cast<size_t>(nb) + 1, std::vector<int>(static_cast<size_t>(nc) + 1, 0));
    for (qsizetype x = nb - 1; x >= 0; --x)
      for (qsizetype y = nc - 1; y >= 0; --y)
        suite[x][y] = base[x] == côté[y] ? suite[x + 1][y + 1] + 1 : std::max(suite[x + 1][y], suite[x][y + 1]);
    QList<int> place(nb, -1);
    qsizetype x = 0, y = 0, débutx = 0, débuty = 0;
    const auto apparierécart = [&](qsizetype finx, qsizetype finy) {
      for (qsizetype n = 0; débutx + n < finx && débuty + n < finy; ++n) place[débutx + n] = static_cast<int>(débuty + n);
    };
    while (x < nb && y < nc) {
      if (base[x] == côté[y] && suite[x][y] == suite[x + 1][y + 1] + 1) {
        apparierécart(x, y);
        place[x] = static_cast<int>(y);
        débutx = ++x;
        débuty = ++y;
      } else if (suite[x + 1][y] >= suite[x][y + 1]) {
        ++x;
      } else {
        ++y;
      }
    }
    apparierécart(nb, nc);
    return place;
  }

  // Un test créé des deux côtés avec les mêmes renseignements (maximum, date, matière,
  // compétence) est un seul test : une colonne, ses notes fusionnées.
  static void apparier(const PériodeModèle& i, const PériodeModèle& l, QList<Colonne>& nouvellesici,
                       QList<Colonne>& nouvelleslà) {
    nouvelleslà.removeIf([&](const Colonne& nl) {
      const auto n = std::find_if(nouvellesici.begin(), nouvellesici.end(), [&](const Colonne& ni) {
        return ni.là < 0 && i.interros[ni.ici] == l.interros[nl.là];
      });
      if (n == nouvellesici.end()) return false;
      n->là = nl.là;
      return true;
    });
  }

  bool testchangé(const PériodeModèle& b, const PériodeModèle& côté, int kb, int kc) const {
    if (côté.interros[kc] != b.interros[kb]) return true;
    for (const ÉlèveModèle& e : côté.élèves) {
      const ÉlèveModèle* eb = b.élève(e.nom);
      if (e.notes.value(kc) != (eb ? eb->notes.value(kb) : QStringLiteral("A"))) return true;
    }
    return false;
  }

  bool mêmesnouvelles(const PériodeModèle& i, const PériodeModèle& l, const QList<Colonne>& ni, const QList<Colonne>& nl) const {
    if (ni.size() != nl.size()) return false;
    for (qsizetype n = 0; n < ni.size(); ++n) {
      if (i.interros[ni[n].ici] != l.interros[nl[n].là]) return false;
      for (const ÉlèveModèle& e : i.élèves) {
        const ÉlèveModèle* autre = l.élève(e.nom);
        if (autre && autre->notes.value(nl[n].là) != e.notes.value(ni[n].ici)) return false;
      }
    }
    return true;
  }

  PériodeModèle période(const QString& p) {
    const PériodeModèle vide;
    const PériodeModèle& b = v_.base.contains(p) ? v_.base[p] : vide;
    const PériodeModèle& i = v_.ici.contains(p) ? v_.ici[p] : b;
    const PériodeModèle& l = v_.là.contains(p) ? v_.là[p] : b;
    const QString fichier = nomnotes(v_.clé, p);
    PériodeModèle f;
    f.premièreinterro = a_.trois(b.premièreinterro, i.premièreinterro, l.premièreinterro,
                                 conflit(p + QStringLiteral("|première"), p, {}, QStringLiteral("numéro de la première interro"), fichier),
                                 [](int n) { return QString::number(n); });
    f.compétences = a_.trois(b.compétences, i.compétences, l.compétences,
                             conflit(p + QStringLiteral("|compétences"), p, {}, QStringLiteral("compétences"), fichier),
                             [](const QStringList& c) { return c.join(QStringLiteral(" ; ")); });
    const QList<Colonne> cols = colonnes(p, b, i, l);
    for (const Colonne& c : cols) f.interros.append(interro(p, b, i, l, c, static_cast<int>(f.interros.size()) + f.premièreinterro));
    for (const Identité& id : élèves_) f.élèves.append(élève(p, b, i, l, cols, id, f.premièreinterro));
    int orales = 0;
    for (const ÉlèveModèle& e : f.élèves) orales = std::max(orales, static_cast<int>(e.orales.size()));
    // Le nombre de colonnes orales suit le côté qui l'a changé ; jamais moins que les notes.
    f.nborales = std::max(orales, i.nborales == b.nborales ? l.nborales : i.nborales);
    return f;
  }

  InterroModèle interro(const QString& p, const PériodeModèle& b, const PériodeModèle& i, const PériodeModèle& l,
                        const Colonne& c, int numéro) {
    const InterroModèle base = c.base >= 0 ? b.interros[c.base] : (c.ici >= 0 ? i.interros[c.ici] : l.interros[c.là]);
    const InterroModèle ici = c.ici >= 0 ? i.interros[c.ici] : base;
    const InterroModèle là = c.là >= 0 ? l.interros[c.là] : base;
    return a_.trois(base, ici, là,
                    conflit(QStringLiteral("%1|interro|%2|%3|%4").arg(p).arg(c.base).arg(c.ici).arg(c.là), p, {},
                            QStringLiteral("renseignements de l'interro n°%1").arg(numéro), nominterros(v_.clé, p)),
                    texteinterro);
  }

  ÉlèveModèle élève(const QString& p, const PériodeModèle& b, const PériodeModèle& i, const PériodeModèle& l,
                    const QList<Colonne>& cols, const Identité& id, int première) {
    const ÉlèveModèle défaut;
    const ÉlèveModèle* eb = trouver(b, id.base);
    const ÉlèveModèle& base = eb ? *eb : défaut;
    const ÉlèveModèle* ei = trouver(i, id.ici);
    const ÉlèveModèle* el = trouver(l, id.là);
    const ÉlèveModèle& ici = ei ? *ei : base;
    const ÉlèveModèle& là = el ? *el : base;
    const QString fichier = nomnotes(v_.clé, p);
    const QString clé = id.base.isEmpty() ? u'+' + id.nom : id.base;
    ÉlèveModèle f{id.nom, {}, {}, 0};
    for (int k = 0; k < cols.size(); ++k) {
      const Colonne& c = cols[k];
      QString nb = c.base >= 0 ? base.notes.value(c.base, QStringLiteral("A")) : QStringLiteral("A");
      const QString ni = c.ici >= 0 && ei ? ei->notes.value(c.ici) : nb;
      const QString nl = c.là >= 0 && el ? el->notes.value(c.là) : nb;
      // Un test créé des deux côtés : la note tapée d'un seul côté est prise.
      if (c.base < 0 && c.ici >= 0 && c.là >= 0 && !(notetapée(ni) && notetapée(nl))) nb = notetapée(ni) ? nl : ni;
      f.notes.append(a_.trois(nb, ni, nl,
                              conflit(QStringLiteral("%1|note|%2|%3|%4|%5").arg(p, clé).arg(c.base).arg(c.ici).arg(c.là), p,
                                      id.nom, QStringLiteral("interro n°%1").arg(première + k), fichier),
                              textenote));
    }
    f.orales = orales(p, clé, id.nom, base.orales, ici.orales, là.orales, fichier);
    f.préparations = a_.trois(base.préparations, ici.préparations, là.préparations,
                              conflit(p + QStringLiteral("|prép|") + clé, p, id.nom, QStringLiteral("préparations non faites"), fichier),
                              [](int n) { return QString::number(n); });
    return f;
  }

  QList<OraleModèle> orales(const QString& p, const QString& clé, const QString& nom, const QList<OraleModèle>& b,
                            const QList<OraleModèle>& i, const QList<OraleModèle>& l, const QString& fichier) {
    if (i == l || l == b) return i;
    if (i == b) {
      ++a_.reprises;
      return l;
    }
    QList<OraleModèle> f;
    for (qsizetype o = 0; o < b.size(); ++o) {
      const bool dansici = o < i.size(), danslà = o < l.size();
      if (dansici && danslà)
        f.append(a_.trois(b[o], i[o], l[o],
                          conflit(QStringLiteral("%1|orale|%2|%3").arg(p, clé).arg(o), p, nom,
                                  QStringLiteral("note orale n°%1").arg(o + 1), fichier),
                          texteorale));
      else if (dansici && i[o] != b[o])
        f.append(i[o]);
      else if (danslà && l[o] != b[o])
        f.append(l[o]);
    }
    const QList<OraleModèle> nouvellesici = i.mid(b.size()), nouvelleslà = l.mid(b.size());
    f += nouvellesici;
    if (nouvelleslà != nouvellesici) {
      f += nouvelleslà;
      a_.reprises += static_cast<int>(nouvelleslà.size());
    }
    return f;
  }

  const VersionsClasse& v_;
  const QHash<QString, bool>& choix_;
  Arbitre a_;
  QList<Identité> élèves_;
};

}  // namespace

ClasseFusionnée fusionnerclasse(const VersionsClasse& v, const QHash<QString, bool>& choix) {
  return FusionClasse(v, choix).exécuter();
}

LignesFusionnées fusionnerlignes(const QString& nom, const QStringList& base, const QStringList& ici,
                                 const QStringList& là, const QHash<QString, bool>& choix) {
  Arbitre a(choix);
  LignesFusionnées f;
  if (ici.isEmpty() || là.isEmpty()) {
    f.lignes = ici.isEmpty() ? là : ici;
    f.reprises = ici.isEmpty() && !là.isEmpty() ? 1 : 0;
    return f;
  }
  if (base.size() == ici.size() && base.size() == là.size()) {
    for (qsizetype n = 0; n < base.size(); ++n)
      f.lignes.append(a.trois(base[n], ici[n], là[n],
                              conflit(nom + QStringLiteral("|ligne|") + QString::number(n), {}, {},
                                      QStringLiteral("ligne %1 de %2").arg(n + 1).arg(nom), nom),
                              [](const QString& t) { return t; }));
  } else {
    f.lignes = a.trois(base, ici, là, conflit(nom + QStringLiteral("|tout"), {}, {}, nom, nom),
                       [](const QStringList& t) { return t.join(QStringLiteral(" / ")); });
  }
  f.conflits = a.conflits;
  f.reprises = a.reprises;
  return f;
}

namespace {

struct ClasseDeListe {
  QStringList champs;  // nom, cours, dossier, dernière période, examens créés
};

QList<ClasseDeListe> classesdelaliste(const QStringList& lignes) {
  QList<ClasseDeListe> classes;
  const int n = lignes.isEmpty() ? 0 : std::max(0, static_cast<int>(val(lignes.first())));
  for (int c = 0; c < n && 1 + 5 * c + 4 < lignes.size(); ++c) classes.append({lignes.mid(1 + 5 * c, 5)});
  return classes;
}

const ClasseDeListe* classe(const QList<ClasseDeListe>& classes, const QString& dossier) {
  const auto c = std::find_if(classes.begin(), classes.end(), [&](const ClasseDeListe& x) { return x.champs[2] == dossier; });
  return c == classes.end() ? nullptr : &*c;
}

}  // namespace

LignesFusionnées fusionnerlisteclasses(const QString& nom, const QStringList& base, const QStringList& ici,
                                       const QStringList& là, const QHash<QString, bool>& choix) {
  LignesFusionnées f;
  const QList<ClasseDeListe> b = classesdelaliste(base), i = classesdelaliste(ici), l = classesdelaliste(là);
  Arbitre a(choix);
  QList<ClasseDeListe> classes;
  const auto ajouter = [&](const ClasseDeListe* cb, const ClasseDeListe* ci, const ClasseDeListe* cl) {
    const QString dossier = (ci ? ci : cl)->champs[2];
    if (!ci || !cl) {
      // Retirée d'un côté : la classe garde ses fichiers, elle reste dans la liste
      // quand l'autre côté l'a changée.
      const ClasseDeListe* présente = ci ? ci : cl;
      if (cb && présente->champs == cb->champs) return;
      if (!ci && !cb) ++a.reprises;
      classes.append(*présente);
      return;
    }
    const ClasseDeListe& base = cb ? *cb : *ci;
    ClasseDeListe c;
    for (int k = 0; k < 2; ++k)
      c.champs.append(a.trois(base.champs[k], ci->champs[k], cl->champs[k],
                              conflit(QStringLiteral("%1|%2|%3").arg(nom, dossier).arg(k), {}, {},
                                      QStringLiteral("%1 de la classe %2").arg(k == 0 ? QStringLiteral("nom") : QStringLiteral("cours"), dossier),
                                      nom),
                              [](const QString& t) { return t; }));
    c.champs.append(dossier);
    for (int k = 3; k < 5; ++k) {
      const int plusgrand = std::max(static_cast<int>(val(ci->champs[k])), static_cast<int>(val(cl->champs[k])));
      if (plusgrand != static_cast<int>(val(ci->champs[k]))) ++a.reprises;
      c.champs.append(str(plusgrand));
    }
    classes.append(c);
  };
  for (const ClasseDeListe& ci : i) ajouter(classe(b, ci.champs[2]), &ci, classe(l, ci.champs[2]));
  for (const ClasseDeListe& cl : l)
    if (!classe(i, cl.champs[2])) ajouter(classe(b, cl.champs[2]), nullptr, &cl);
  std::stable_sort(classes.begin(), classes.end(),
                   [](const ClasseDeListe& x, const ClasseDeListe& y) { return avantenfrançais(x.champs[0], y.champs[0]); });
  f.lignes.append(str(static_cast<int>(classes.size())));
  for (const ClasseDeListe& c : classes) f.lignes += c.champs;
  f.conflits = a.conflits;
  f.reprises = a.reprises;
  return f;
}
