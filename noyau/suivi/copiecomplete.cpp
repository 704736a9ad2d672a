#include "noyau/suivi/copiecomplete.h"

#include <QDir>
#include <QFileInfo>

#include "noyau/base/dossiers.h"
#include "noyau/suivi/ancetres.h"
#include "plateforme/fichiers.h"
#include "plateforme/transaction.h"

namespace {

QString guillemets(const QString& chemin) { return QStringLiteral("« %1 »").arg(QDir::toNativeSeparators(chemin)); }

bool dedans(const QString& chemin, const QString& dossier) {
  const QString c = QDir::cleanPath(QFileInfo(chemin).absoluteFilePath());
  const QString d = QDir::cleanPath(QFileInfo(dossier).absoluteFilePath());
  return c == d || c.startsWith(d + u'/');
}

// Le journal d'un changement en cours et ses temporaires ne sont pas des données.
QStringList àcopier(QStringList fichiers) {
  fichiers.removeIf(fichierdetransaction);
  return fichiers;
}

class Copie {
public:
  Copie(const QString& cible, const SuiviCopie& suivi) : cible_(cible), suivi_(suivi), données_(dossierdonnées()) {}

  BilanCopie exécuter() {
    QStringList fichiers = àcopier(listerfichiers(données_));
    fichiers.removeAll(nomlistevérifiés);
    QStringList dossiers = listerdossiers(données_);
    dossiers.removeAll(dossierancêtres);  // propres à cet ordinateur
    QList<QStringList> fichiersdesdossiers;
    bilan_.total = static_cast<int>(fichiers.size());
    for (const QString& d : dossiers) {
      fichiersdesdossiers.append(àcopier(listerfichiers(données_ + u'/' + d)));
      bilan_.total += static_cast<int>(fichiersdesdossiers.back().size());
    }
    copierdossier(QString(), fichiers);
    suivi_.dossiers(0, static_cast<int>(dossiers.size()));
    for (qsizetype k = 0; k < dossiers.size(); ++k) {
      suivi_.dossiers(static_cast<int>(k + 1), static_cast<int>(dossiers.size()));
      if (!arrêt_ && !essayer([&] { créerdossier(cible_ + u'/' + dossiers[k]); })) {
        arrêt_ = true;
        bilan_.noncopiés.append(dossiers[k] + u'/');
      }
      copierdossier(dossiers[k] + u'/', fichiersdesdossiers[k]);
    }
    return bilan_;
  }

private:
  // Vrai quand l'action a fini par réussir.
  bool essayer(const std::function<void()>& action) {
    for (;;) {
      try {
        action();
        return true;
      } catch (const ErreurFichier& e) {
        if (!suivi_.réessayer(e)) return false;
      }
    }
  }

  void copierdossier(const QString& préfixe, const QStringList& fichiers) {
    const int n = static_cast<int>(fichiers.size());
    suivi_.fichiers(0, n);
    for (int i = 0; i < n; ++i) {
      const QString relatif = préfixe + fichiers[i];
      if (!arrêt_ && essayer([&] { copierfichier(données_ + u'/' + relatif, cible_ + u'/' + relatif); }))
        ++bilan_.copiés;
      else {
        arrêt_ = true;
        bilan_.noncopiés.append(relatif);
      }
      suivi_.fichiers(i + 1, n);
    }
  }

  QString cible_;
  const SuiviCopie& suivi_;
  QString données_;
  BilanCopie bilan_;
  bool arrêt_ = false;
};

}  // namespace

QString préparercible(const QString& cible) {
  if (cible.trimmed().isEmpty()) return QStringLiteral("Choisissez d'abord le dossier qui recevra le back-up.");
  if (dedans(cible, dossierdonnées()))
    return QStringLiteral("Le back-up ne peut pas se faire dans le dossier des données lui-même (%1).").arg(guillemets(cible));
  if (QDir::cleanPath(cible) == QDir::cleanPath(dossieramovibleordinaire())) {
    try {
      créerdossier(cible);
    } catch (const ErreurFichier& e) {
      return e.texte();
    }
  }
  if (!dossierexiste(cible))
    return QStringLiteral("Le dossier %1 est introuvable (clé USB ou disque débranché ?).").arg(guillemets(cible));
  return QString();
}

BilanCopie copierdonnées(const QString& cible, const SuiviCopie& suivi) { return Copie(cible, suivi).exécuter(); }

QString textebilan(const BilanCopie& bilan) {
  constexpr int montrés = 8;
  QString texte = QStringLiteral("Back-up incomplet : %1 fichier(s) copié(s) sur %2.\nNon copiés :").arg(bilan.copiés).arg(bilan.total);
  for (qsizetype i = 0; i < std::min<qsizetype>(montrés, bilan.noncopiés.size()); ++i)
    texte += QStringLiteral("\n- ") + QDir::toNativeSeparators(bilan.noncopiés[i]);
  if (bilan.noncopiés.size() > montrés)
    texte += QStringLiteral("\n- et %1 autre(s)").arg(bilan.noncopiés.size() - montrés);
  return texte;
}
