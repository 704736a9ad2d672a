#include "noyau/regles/totaux.h"

#include <algorithm>

#include "noyau/base/etat.h"
#include "noyau/base/module.h"
#include "noyau/fichiers/notesclasse.h"
#include "plateforme/nombres.h"

namespace {

// Charge chaque clé lettre & 1..nombre et range les résultats de ses élèves ;
// manquant(i) dit qu'un élève n'a pas de résultat dans l'une d'elles.
void rassembler(QChar lettre, int nombre, int nbélèves, Tableau2<QString>& résultats, Tableau<QString>& sommes,
                Tableau<int>& manquant) {
  ÉtatPartagé& é = état();
  for (int p = 1; p <= nombre; ++p) {
    fixerpériodecourante(lettre, p);
    chargerclasse();
    // Un fichier plus long que celui de la période ouverte : ses élèves en trop sont ignorés.
    const int présents = std::min(nbélèves, é.nbélèves);
    for (int i = 1; i <= nbélèves; ++i) {
      const QString résultat = i <= présents ? é.totalélève[i] : QStringLiteral("?");
      résultats(i, p) = résultat;
      if (résultat == QStringLiteral("?")) manquant[i] = VRAI;
      sommes[i] = str(val(sommes[i]) + val(résultat));
    }
  }
  for (int i = 1; i <= nbélèves; ++i)
    if (manquant[i]) sommes[i] = u'?' + sansblancs(sommes[i]);
}

}  // namespace

void rassemblertotaux() {
  GardeClassePériode garde;
  ÉtatPartagé& é = état();
  const int nbélèves = é.nbélèves;
  const int périodes = é.dernièrepériode[é.classecourante];
  const int examens = é.nbexamenscréés[é.classecourante];
  é.totauxrapport1.redim(nbélèves, périodes);
  é.totauxrapport2.redim(nbélèves, examens);
  é.totauxrapport3.redim(nbélèves);
  é.totauxrapport4.redim(nbélèves);
  Tableau<int> périodemanquante, examenmanquant;
  périodemanquante.redim(nbélèves);
  examenmanquant.redim(nbélèves);
  const QString ouverte = é.périodecourante;
  é.pascalcul = 1;

  rassembler(u'P', périodes, nbélèves, é.totauxrapport1, é.totauxrapport3, périodemanquante);
  rassembler(u'E', examens, nbélèves, é.totauxrapport2, é.totauxrapport4, examenmanquant);

  é.périodecourante = ouverte;
  chargerclasse();
  é.pascalcul = 0;
}

void rassemblertotauxjusquà(int n) {
  GardeClassePériode garde;
  ÉtatPartagé& é = état();
  struct Remettre {
    int c, P;
    ~Remettre() { état().dernièrepériode[c] = P; }
  } remettre{é.classecourante, é.dernièrepériode[é.classecourante]};
  é.dernièrepériode[é.classecourante] = n;
  rassemblertotaux();
}
