

#include "noyau/base/dossiers.h"
#include "noyau/base/etat.h"
#include "noyau/base/module.h"
#include "noyau/fichiers/notesclasse.h"
#include "noyau/regles/maintenance.h"

#include <QDir>
#include "noyau/regles/resultats.h"
#include "noyau/suivi/ecriture.h"
#include "plateforme/nombres.h"
#include "plateforme/ordre.h"
#include <algorithm>
#include <vector>

void trierélèves() {
  ÉtatPartagé& é = état();
  std::vector<QString> lignes;
  lignes.reserve(static_cast<std::size_t>(é.nbélèves));
  for (int i = 1; i <= é.nbélèves; ++i)
    lignes.push_back(é.ligneélève[i] + format(std::clamp(é.préparationsnonfaites[i], 0, 99), u"00"));
  std::stable_sort(lignes.begin(), lignes.end(),
                   [](const QString& a, const QString& b) { return avantenfrançais(a, b); });
  for (int i = 1; i <= é.nbélèves; ++i) {
    const QString& l = lignes[static_cast<std::size_t>(i - 1)];
    é.ligneélève[i] = l.left(l.size() - 2);
    é.préparationsnonfaites[i] = arrondipair(val(QStringView(l).right(2)));
  }
  découperetstatistiques();
  for (int i = 1; i <= é.nbélèves; ++i) calculerrésultats(i);
}

bool élèvedéplacé(int i) {
  const ÉtatPartagé& é = état();
  const QString& l = é.ligneélève[i];
  if (i > 1 && comparerenfrançais(l, é.ligneélève[i - 1]) < 0) return true;
  return i < é.nbélèves && comparerenfrançais(l, é.ligneélève[i + 1]) > 0;
}

namespace {

// Tableaux par élève portés à n élèves, contenus gardés.
void redimélèves(int n) {
  ÉtatPartagé& é = état();
  é.ligneélève.redimconserver(n);
  é.nomélève.redimconserver(n);
  é.totalélève.redimconserver(n);
  é.préparationsnonfaites.redimconserver(n);
  é.nbnotesorales.redimconserver(n);
  é.noteinterro.redimconserver(n, std::max(é.noteinterro.borne2(), é.nbinterros));
  é.pourcentcompétence.redimconserver(n, é.nbcompétences());
  const int o = std::max(é.maxorale.borne2(), é.nborales);
  é.maxorale.redimconserver(n, o);
  é.noteorale.redimconserver(n, o);
  é.libelléorale.redimconserver(n, o);
  é.compétenceorale.redimconserver(n, o);
}

template <class T>
void remonter(Tableau2<T>& t, int de, int à) {
  for (int j = 0; j <= t.borne2(); ++j) t(à, j) = t(de, j);
}

}  // namespace

void ajouterélève(const QString& nom) {
  ÉtatPartagé& é = état();
  const int n = é.nbélèves + 1;
  redimélèves(n);
  é.nbélèves = n;
  é.nomélève[n] = nom;
  for (int k = 1; k <= é.nbinterros; ++k) é.noteinterro(n, k) = QStringLiteral("A");
  é.nbnotesorales[n] = 0;
  é.préparationsnonfaites[n] = 0;
  é.totalélève[n] = QStringLiteral("?");
  for (int c = 1; c <= é.nbcompétences(); ++c) é.pourcentcompétence(n, c) = -1;
  reconstruireligne(n);
  trierélèves();
}

void retirerélève(int s) {
  ÉtatPartagé& é = état();
  if (s < 1 || s > é.nbélèves) return;
  for (int i = s; i < é.nbélèves; ++i) {
    é.ligneélève[i] = é.ligneélève[i + 1];
    é.nomélève[i] = é.nomélève[i + 1];
    é.totalélève[i] = é.totalélève[i + 1];
    é.préparationsnonfaites[i] = é.préparationsnonfaites[i + 1];
    remonter(é.pourcentcompétence, i + 1, i);
  }
  é.nbélèves -= 1;
}

void supprimerinterro(int k) {
  ÉtatPartagé& é = état();
  if (k < 1 || k > é.nbinterros) return;
  if (k == é.nbinterros)
    é.nbinterros -= 1;
  else
    for (int s = 1; s <= é.nbélèves; ++s) é.noteinterro(s, k) = QStringLiteral("NC");
  for (int s = 1; s <= é.nbélèves; ++s) {
    calculerrésultats(s);
    reconstruireligne(s);
  }
  découperetstatistiques();
}

void supprimernoteorale(int s, int j) {
  ÉtatPartagé& é = état();
  const int n = é.nbnotesorales[s];
  if (j < 1 || j > n) return;
  for (int o = j; o < n; ++o) {
    é.maxorale(s, o) = é.maxorale(s, o + 1);
    é.noteorale(s, o) = é.noteorale(s, o + 1);
    é.libelléorale(s, o) = é.libelléorale(s, o + 1);
    é.compétenceorale(s, o) = é.compétenceorale(s, o + 1);
  }
  é.nbnotesorales[s] = n - 1;
  bool autreaussi = false;
  for (int i = 1; i <= é.nbélèves; ++i) autreaussi = autreaussi || (i != s && é.nbnotesorales[i] >= n);
  const bool moinsdecolonnes = n == é.nborales && !autreaussi;
  if (moinsdecolonnes) é.nborales -= 1;
  calculerrésultats(s);
  // Sans colonne orale, les lignes perdent leur compte de notes orales : toutes sont refaites.
  if (moinsdecolonnes && é.nborales == 0)
    for (int i = 1; i <= é.nbélèves; ++i) reconstruireligne(i);
  else
    reconstruireligne(s);
}

void ajouternoteorale(int s, const NoteOraleSaisie& n) {
  ÉtatPartagé& é = état();
  const int o = é.nbnotesorales[s] + 1;
  const bool premièrecolonne = é.nborales == 0;
  if (o > é.nborales) agrandirorales(o);
  é.nbnotesorales[s] = o;
  é.noteorale(s, o) = n.note;
  é.maxorale(s, o) = n.maximum;
  é.libelléorale(s, o) = n.libellé;
  é.compétenceorale(s, o) = n.compétence;
  // La première note orale de la période ajoute le compte des notes orales à chaque ligne.
  if (premièrecolonne)
    for (int i = 1; i <= é.nbélèves; ++i) reconstruireligne(i);
  else
    reconstruireligne(s);
  calculerrésultats(s);
}

QList<FichierPréparé> préparerchaquepériode(const std::function<void()>& changer) {
  GardeClassePériode garde;
  ÉtatPartagé& é = état();
  const QString gardée = é.périodecourante;
  const int c = é.classecourante;
  QList<FichierPréparé> fichiers;
  const auto préparer = [&](QChar lettre, int numéro) {
    fixerpériodecourante(lettre, numéro);
    chargerclasse();
    try {
      changer();
    } catch (const ErreurDonnée& e) {
      // Une valeur abîmée de cette période-là (trouvée par le calcul) : le fichier est nommé.
      const QString chemin = chemindisquedur(nomclasseouverte(u'N'));
      throw ErreurFichier(CauseErreur::HorsLimites, chemin,
                          QStringLiteral("%1 (« %2 »)").arg(e.texte(), QDir::toNativeSeparators(chemin)));
    }
    fichiers.append({nomclasseouverte(u'N'), lignesclasse()});
  };
  for (int p = 1; p <= é.dernièrepériode[c]; ++p) préparer(u'P', p);
  for (int e = 1; e <= é.nbexamenscréés[c]; ++e) préparer(u'E', e);
  é.périodecourante = gardée;
  return fichiers;
}
