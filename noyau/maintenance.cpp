#include "noyau/maintenance.h"

#include <algorithm>
#include <vector>

#include "noyau/etat.h"
#include "noyau/notesclasse.h"
#include "noyau/resultats.h"
#include "plateforme/nombres.h"

void trierélèves() {
  ÉtatPartagé& é = état();
  std::vector<QString> lignes;
  lignes.reserve(static_cast<std::size_t>(é.nbélèves));
  for (int i = 1; i <= é.nbélèves; ++i)
    lignes.push_back(é.ligneélève[i] + format(std::clamp(é.préparationsnonfaites[i], 0, 99), u"00"));
  std::stable_sort(lignes.begin(), lignes.end(),
                   [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
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
  if (i > 1 && l.compare(é.ligneélève[i - 1], Qt::CaseInsensitive) < 0) return true;
  return i < é.nbélèves && l.compare(é.ligneélève[i + 1], Qt::CaseInsensitive) > 0;
}
