#include "noyau/suivi/historique.h"

#include <QCryptographicHash>
#include <QDir>
#include <QHash>
#include <QMap>
#include <QSet>
#include <QSysInfo>
#include <algorithm>
#include <functional>

#include "noyau/base/dossiers.h"
#include "noyau/base/etat.h"
#include "noyau/base/module.h"
#include "noyau/base/piege.h"
#include "plateforme/encodage.h"
#include "plateforme/fichiers.h"
#include "plateforme/services.h"

namespace {

// "2026-12-08 10:15:00", écrit et relu à la main : QDateTime::fromString coûte
// cent fois plus, et un historique a des milliers de lignes.
QString textedate(const QDateTime& quand) {
  const QDate d = quand.date();
  const QTime t = quand.time();
  return QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d", d.year(), d.month(), d.day(), t.hour(), t.minute(),
                           t.second());
}

QDateTime liredate(QStringView texte) {
  if (texte.size() != 19) return {};
  const auto nombre = [&](int début, int longueur) {
    int n = 0;
    for (int i = début; i < début + longueur; ++i) {
      if (!texte[i].isDigit()) return -1;
      n = n * 10 + texte[i].digitValue();
    }
    return n;
  };
  const QDate d(nombre(0, 4), nombre(5, 2), nombre(8, 2));
  const QTime t(nombre(11, 2), nombre(14, 2), nombre(17, 2));
  if (!d.isValid() || !t.isValid()) return {};
  return QDateTime(d, t);
}
// Version 2 : une empreinte SHA-256 du reste suit l'en-tête ; une image abîmée ne
// remet jamais rien. La version 1 (sans empreinte) se lit encore.
const QByteArray entêteimage = QByteArrayLiteral("EVALO ANNULATION 2");
const QByteArray entêteimage1 = QByteArrayLiteral("EVALO ANNULATION 1");

ChangementNommé* changementencours = nullptr;
bool historiquesuspendu = false;
QString ordinateurfixé;
std::function<QString(const QString&, const QByteArray&)> relecture;
RelectureClasse relectureclasse;
int compteurid = 0;

struct Cache {
  QByteArray octets;
  QList<Modification> lignes;
};
QHash<QString, Cache> caches;
QSet<QString> fusionnées;  // classes dont la copie amovible a été lue pendant la session

QString ordinateur() { return ordinateurcourant(); }

QString cléde(const QString& nom) {
  const qsizetype barre = nom.indexOf(u'\\');
  return barre > 0 ? nom.left(barre) : QString();
}

QString nomimage(const QString& clé, const QString& id) {
  return clé + QStringLiteral("\\annulations\\") + id + QStringLiteral(".evu");
}

// "P1", "P1, P2, E1" ou "classe" d'après les fichiers (clé.P1N, clé.E1R...).
QString périodesdes(const QStringList& noms) {
  QStringList clés;
  for (const QString& n : noms) {
    const QString extension = n.section(u'.', -1);
    if (extension.size() == 3 && (extension.endsWith(u'N') || extension.endsWith(u'R')) && !clés.contains(extension.left(2)))
      clés.append(extension.left(2));
  }
  return clés.isEmpty() ? QStringLiteral("classe") : clés.join(QStringLiteral(", "));
}

QString champ(QString texte) {
  for (QChar& c : texte)
    if (c == u'\t' || c == u'\r' || c == u'\n') c = u' ';
  return texte;
}

// Les octets de chaque fichier avant et après un changement ; nullopt : le fichier n'existait pas.
struct Image {
  QString nom;
  std::optional<QByteArray> avant, après;
};

QByteArray empreinte(QByteArrayView octets) {
  return QCryptographicHash::hash(octets, QCryptographicHash::Sha256).toHex();
}

QByteArray octetsimage(const QList<Image>& images) {
  QByteArray corps = QByteArray::number(images.size()) + "\r\n";
  const auto taille = [](const std::optional<QByteArray>& b) { return b ? QByteArray::number(b->size()) : "-1"; };
  for (const Image& im : images) {
    corps += encoderansi(im.nom) + '\t' + taille(im.avant) + '\t' + taille(im.après) + "\r\n";
    if (im.avant) corps += *im.avant;
    if (im.après) corps += *im.après;
  }
  return entêteimage + "\r\n" + empreinte(corps) + "\r\n" + corps;
}

std::optional<QList<Image>> lireimage(const QByteArray& o) {
  qsizetype pos = 0;
  const auto ligne = [&]() -> std::optional<QByteArray> {
    const qsizetype fin = o.indexOf("\r\n", pos);
    if (fin < 0) return std::nullopt;
    QByteArray l = o.mid(pos, fin - pos);
    pos = fin + 2;
    return l;
  };
  const auto octets = [&](qint64 n) -> std::optional<std::optional<QByteArray>> {
    if (n == -1) return std::optional<QByteArray>();
    if (n < 0 || n > o.size() - pos) return std::nullopt;
    QByteArray b = o.mid(pos, n);
    pos += n;
    return std::optional<QByteArray>(b);
  };
  const auto entête = ligne();
  if (entête == entêteimage) {
    const auto attendue = ligne();
    if (!attendue || *attendue != empreinte(QByteArrayView(o).sliced(pos))) return std::nullopt;
  } else if (entête != entêteimage1) {
    return std::nullopt;
  }
  const auto nombre = ligne();
  if (!nombre) return std::nullopt;
  QList<Image> images;
  for (int i = 0, n = nombre->toInt(); i < n; ++i) {
    const auto l = ligne();
    if (!l) return std::nullopt;
    const QList<QByteArray> champs = l->split('\t');
    if (champs.size() != 3) return std::nullopt;
    const auto avant = octets(champs[1].toLongLong());
    if (!avant) return std::nullopt;
    const auto après = octets(champs[2].toLongLong());
    if (!après) return std::nullopt;
    images.append({décoderansi(champs[0]), *avant, *après});
  }
  if (pos != o.size()) return std::nullopt;  // des octets de trop : l'image n'est pas entière
  return images;
}

std::optional<QByteArray> contenuactuel(const QString& nom) {
  const QString chemin = chemindisquedur(nom);
  if (!fichierexiste(chemin)) return std::nullopt;
  return lireoctets(chemin);
}

QList<Modification> lignesdesoctets(const QByteArray& octets) {
  QList<Modification> lignes;
  for (const QString& l : découperlignes(décoderansi(octets)))
    if (auto m = lirelignehistorique(l)) lignes.append(std::move(*m));
  return lignes;
}

QByteArray octetsdeslignes(const QList<Modification>& lignes) {
  QStringList texte;
  texte.reserve(lignes.size());
  for (const Modification& m : lignes) texte.append(lignehistorique(m));
  return octetsdelignes(texte);
}

// Une copie de l'historique venue d'un autre ordinateur par le disque amovible
// rejoint celle du disque dur, une fois par session ; une copie illisible ne
// change rien.
void fusionneramovible(const QString& clé) {
  if (fusionnées.contains(clé)) return;
  fusionnées.insert(clé);
  try {
    const QString là = cheminamovible(nomhistorique(clé));
    if (!fichierexiste(là)) return;
    const QString ici = chemindisquedur(nomhistorique(clé));
    const QList<Modification> locales = fichierexiste(ici) ? lignesdesoctets(lireoctets(ici)) : QList<Modification>();
    const QList<Modification> toutes = fusionnerhistoriques(locales, lignesdesoctets(lireoctets(là)));
    if (toutes.size() != locales.size()) écrireoctets(ici, octetsdeslignes(toutes));
  } catch (const ErreurEvalo&) {
  }
}

}  // namespace

void fusionnerhistoriquede(const QString& clé, const QString& chemin) {
  const QString ici = chemindisquedur(nomhistorique(clé));
  const QList<Modification> locales = fichierexiste(ici) ? lignesdesoctets(lireoctets(ici)) : QList<Modification>();
  const QList<Modification> toutes = fusionnerhistoriques(locales, lignesdesoctets(lireoctets(chemin)));
  if (toutes.size() != locales.size()) écrireoctets(ici, octetsdeslignes(toutes));
  caches.remove(clé);
}

namespace {

QList<Modification> charger(const QString& clé) {
  fusionneramovible(clé);
  const QString chemin = chemindisquedur(nomhistorique(clé));
  if (!fichierexiste(chemin)) return {};
  const QByteArray octets = lireoctets(chemin);
  Cache& c = caches[clé];
  if (c.octets != octets) c = {octets, lignesdesoctets(octets)};
  return c.lignes;
}

// Le fichier de l'historique tel qu'il sera écrit, gardé pour la lecture suivante.
// Quand seule une ligne s'ajoute à la fin, le reste n'est pas refait.
FichierÀÉcrire fichierhistorique(const QString& clé, const QList<Modification>& lignes, bool ajoutseul = false) {
  const Cache& avant = caches[clé];
  const QByteArray octets = ajoutseul && avant.lignes.size() + 1 == lignes.size()
                                ? avant.octets + octetsdelignes({lignehistorique(lignes.last())})
                                : octetsdeslignes(lignes);
  caches[clé] = {octets, lignes};
  return {chemindisquedur(nomhistorique(clé)), octets, false, true};
}

FichierÀÉcrire effacerimage(const QString& clé, const QString& id) {
  return {chemindisquedur(nomimage(clé, id)), {}, true, true};
}

// Retire les lignes trop anciennes et efface les images qui ne serviront plus :
// changements annulés remplacés par un nouveau, au-delà des derniers annulables
// (par paquets de 50, pour que la plupart des changements ne fassent qu'ajouter
// leur ligne).
QList<FichierÀÉcrire> élaguer(const QString& clé, QList<Modification>& lignes, bool nouveauchangement,
                              bool& changé) {
  QList<FichierÀÉcrire> effacés;
  const qsizetype avant = lignes.size();
  changé = false;
  const auto aimage = [](const Modification& m) {
    return m.état == ÉtatModification::Active || m.état == ÉtatModification::Annulée;
  };
  const QDateTime limite = horloge().maintenant().addDays(-duréehistorique());
  for (qsizetype i = lignes.size() - 1; i >= 0; --i) {
    Modification& m = lignes[i];
    if (m.quand < limite) {
      if (aimage(m)) effacés.append(effacerimage(clé, m.id));
      lignes.removeAt(i);
    } else if (nouveauchangement && m.état == ÉtatModification::Annulée) {
      m.état = ÉtatModification::Abandonnée;
      effacés.append(effacerimage(clé, m.id));
      changé = true;
    }
  }
  changé = changé || lignes.size() != avant;
  if (std::count_if(lignes.begin(), lignes.end(), aimage) <= changementsannulables + 50) return effacés;
  changé = true;
  int gardées = 0;
  for (qsizetype i = lignes.size() - 1; i >= 0; --i) {
    Modification& m = lignes[i];
    if (!aimage(m) || ++gardées <= changementsannulables) continue;
    m.état = m.état == ÉtatModification::Active ? ÉtatModification::Fixée : ÉtatModification::Abandonnée;
    effacés.append(effacerimage(clé, m.id));
  }
  return effacés;
}

QString nouvelid() {
  const QString hôte = QString::number(qHash(ordinateur()) & 0xffff, 16).rightJustified(4, u'0');
  return horloge().maintenant().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz")) + u'-' + hôte + u'-' +
         QString::number(++compteurid);
}

std::optional<QList<Image>> imagede(const QString& clé, const QString& id) {
  const QString chemin = chemindisquedur(nomimage(clé, id));
  if (!fichierexiste(chemin)) return std::nullopt;
  return lireimage(lireoctets(chemin));
}

struct Remise {
  std::optional<QByteArray> attendu, cible;
};

// Applique les images des changements (dans l'ordre donné) en une transaction.
QStringList remettre(const QString& clé, QList<Modification> lignes, const QList<qsizetype>& indices, bool annuler,
                     const QString& titre) {
  QMap<QString, Remise> plan;
  QStringList ordre;
  for (qsizetype i : indices) {
    const auto images = imagede(clé, lignes[i].id);
    const QString fait = annuler ? QStringLiteral("annulé") : QStringLiteral("rétabli");
    if (!images && fichierexiste(chemindisquedur(nomimage(clé, lignes[i].id)))) {
      avertissement(QStringLiteral("« %1 » ne peut pas être %2 : les fichiers gardés pour cela (« %3 ») sont abîmés. "
                                   "Rien n'a été changé.")
                        .arg(lignes[i].texte(), fait, QDir::toNativeSeparators(chemindisquedur(nomimage(clé, lignes[i].id)))),
                    titre);
      return {};
    }
    if (!images) {
      avertissement(QStringLiteral("« %1 » ne peut pas être %2 : les fichiers d'avant ce changement ne sont pas "
                                   "gardés sur cet ordinateur (changement fait sur « %3 », ou trop ancien).")
                        .arg(lignes[i].texte(), fait, lignes[i].ordinateur),
                    titre);
      return {};
    }
    for (const Image& im : *images) {
      const auto& cible = annuler ? im.avant : im.après;
      if (!plan.contains(im.nom)) {
        plan.insert(im.nom, {annuler ? im.après : im.avant, cible});
        ordre.append(im.nom);
      } else {
        plan[im.nom].cible = cible;
      }
    }
  }
  // Chaque fichier à remettre doit se relire comme un fichier de son genre, puis la
  // classe entière comme à son ouverture ; avant toute question et tout remplacement.
  for (const QString& nom : ordre) {
    const QString défaut = plan[nom].cible && relecture ? relecture(nom, *plan[nom].cible) : QString();
    if (défaut.isEmpty()) continue;
    avertissement(QStringLiteral("Les fichiers gardés pour remettre « %1 » sont abîmés : %2 ne se relirait pas (%3). "
                                 "Rien n'a été changé.")
                      .arg(nom, QDir::toNativeSeparators(nom), défaut),
                  titre);
    return {};
  }
  if (relectureclasse) {
    QMap<QString, std::optional<QByteArray>> remis;
    for (const QString& nom : ordre) remis.insert(nom, plan[nom].cible);
    const QString défaut = relectureclasse(clé, remis);
    if (!défaut.isEmpty()) {
      avertissement(QStringLiteral("Les fichiers gardés pour remettre la classe sont abîmés : %1. Rien n'a été changé.").arg(défaut),
                    titre);
      return {};
    }
  }
  QStringList changés;
  for (const QString& nom : ordre)
    if (contenuactuel(nom) != plan[nom].attendu) changés.append(QStringLiteral("- ") + nom);
  if (!changés.isEmpty() &&
      question(QStringLiteral("Ces fichiers ont changé depuis (sur un autre ordinateur ou par une autre commande) :\n\n") +
                   changés.join(u'\n') +
                   QStringLiteral("\n\nLes remettre comme avant effacerait ces changements-là aussi. Faut-il les "
                                  "remplacer quand même ?"),
               titre) != OUI)
    return {};
  for (qsizetype i : indices) lignes[i].état = annuler ? ÉtatModification::Annulée : ÉtatModification::Active;
  QList<FichierÀÉcrire> fichiers;
  for (const QString& nom : ordre) {
    const Remise& r = plan[nom];
    fichiers.append({chemindisquedur(nom), r.cible.value_or(QByteArray()), !r.cible.has_value()});
  }
  fichiers.append(fichierhistorique(clé, lignes));
  try {
    écrireensemblenoté(fichiers, ordre);
  } catch (const ErreurEvalo& e) {
    caches.remove(clé);
    avertissement(e.texte(), titre);
    return {};
  }
  return ordre;
}

qsizetype indiceàannuler(const QList<Modification>& lignes) {
  for (qsizetype i = lignes.size() - 1; i >= 0; --i) {
    if (lignes[i].état == ÉtatModification::Active) return i;
    if (lignes[i].état == ÉtatModification::Fixée) return -1;
  }
  return -1;
}

qsizetype indiceàrétablir(const QList<Modification>& lignes) {
  qsizetype trouvé = -1;
  for (qsizetype i = lignes.size() - 1; i >= 0 && !lignes[i].faite(); --i)
    if (lignes[i].état == ÉtatModification::Annulée) trouvé = i;
  return trouvé;
}

}  // namespace

QString Modification::texte() const {
  if (ancienne.isEmpty() && nouvelle.isEmpty()) return libellé;
  const auto valeur = [](const QString& v) { return v.isEmpty() ? QStringLiteral("vide") : v; };
  return QStringLiteral("%1 (%2 → %3)").arg(libellé, valeur(ancienne), valeur(nouvelle));
}

QString lignehistorique(const Modification& m) {
  return QStringList{m.id,
                     textedate(m.quand),
                     QString(QChar::fromLatin1(static_cast<char>(m.état))),
                     champ(m.période),
                     champ(m.ordinateur),
                     champ(m.libellé),
                     champ(m.ancienne),
                     champ(m.nouvelle),
                     m.fichiers.join(u'|')}
      .join(u'\t');
}

std::optional<Modification> lirelignehistorique(QStringView ligne) {
  const QList<QStringView> champs = ligne.split(u'\t');
  if (champs.size() != 9 || champs[0].isEmpty() || champs[2].size() != 1) return std::nullopt;
  Modification m;
  m.id = champs[0].toString();
  m.quand = liredate(champs[1]);
  if (!m.quand.isValid()) return std::nullopt;
  const char état = champs[2][0].toLatin1();
  if (!QByteArrayView("+=-x").contains(état)) return std::nullopt;
  m.état = static_cast<ÉtatModification>(état);
  m.période = champs[3].toString();
  m.ordinateur = champs[4].toString();
  m.libellé = champs[5].toString();
  m.ancienne = champs[6].toString();
  m.nouvelle = champs[7].toString();
  m.fichiers = champs[8].toString().split(u'|', Qt::SkipEmptyParts);
  return m;
}

QList<Modification> fusionnerhistoriques(const QList<Modification>& ici, const QList<Modification>& ailleurs) {
  QList<Modification> toutes = ici;
  QSet<QString> ids;
  for (const Modification& m : ici) ids.insert(m.id);
  for (const Modification& m : ailleurs)
    if (!ids.contains(m.id)) toutes.append(m);
  std::stable_sort(toutes.begin(), toutes.end(),
                   [](const Modification& a, const Modification& b) { return a.quand < b.quand; });
  return toutes;
}

QString nomhistorique(const QString& clé) { return clé + QStringLiteral("\\historique.txt"); }

ChangementNommé::ChangementNommé(QString libellé, QString ancienne, QString nouvelle)
    : libellé_(std::move(libellé)), ancienne_(std::move(ancienne)), nouvelle_(std::move(nouvelle)),
      englobant_(changementencours) {
  if (!englobant_) changementencours = this;
}

ChangementNommé::~ChangementNommé() {
  if (changementencours == this) changementencours = nullptr;
}

SansHistorique::SansHistorique() : avant_(std::exchange(historiquesuspendu, true)) {}
SansHistorique::~SansHistorique() { historiquesuspendu = avant_; }

struct InscriptionHistorique {
  static QList<FichierÀÉcrire> inscrire(const QList<FichierPréparé>& fichiers);
};

QList<FichierÀÉcrire> InscriptionHistorique::inscrire(const QList<FichierPréparé>& fichiers) {
  if (historiquesuspendu) return {};
  QString clé;
  for (const FichierPréparé& f : fichiers)
    if (clé.isEmpty()) clé = cléde(f.nom);
  ChangementNommé* c = changementencours;
  // La liste des classes écrite après les fichiers d'une classe, dans la même commande.
  if (clé.isEmpty() && c && !c->id_.isEmpty()) clé = c->clé_;
  if (clé.isEmpty()) return {};
  QList<Modification> lignes = charger(clé);
  const bool fondue = c && !c->id_.isEmpty() && !lignes.isEmpty() && lignes.last().id == c->id_;
  QList<Image> images;
  if (fondue) images = imagede(clé, c->id_).value_or(QList<Image>());
  for (const FichierPréparé& f : fichiers) {
    const std::optional<QByteArray> après = f.supprimer ? std::nullopt : std::optional(octetsdelignes(f.lignes));
    const auto même = std::find_if(images.begin(), images.end(), [&](const Image& im) { return im.nom == f.nom; });
    if (même != images.end())
      même->après = après;
    else
      images.append({f.nom, contenuactuel(f.nom), après});
  }
  images.removeIf([](const Image& im) { return im.avant == im.après; });
  if (images.isEmpty() && !fondue) return {};

  QList<FichierÀÉcrire> àécrire;
  bool élagué = false;
  if (!fondue) {
    Modification m;
    m.id = nouvelid();
    m.quand = horloge().maintenant();
    m.ordinateur = ordinateur();
    if (c) {
      m.libellé = c->libellé_;
      m.ancienne = c->ancienne_;
      m.nouvelle = c->nouvelle_;
    }
    lignes.append(m);
    àécrire = élaguer(clé, lignes, true, élagué);
    if (c) {
      c->id_ = m.id;
      c->clé_ = clé;
    }
  }
  Modification& m = lignes.last();
  m.fichiers.clear();
  for (const Image& im : images) m.fichiers.append(im.nom);
  m.période = périodesdes(m.fichiers);
  if (m.libellé.isEmpty() || !c)
    m.libellé = QStringLiteral("Modification de ") + QStringList(m.fichiers).replaceInStrings(QStringLiteral("\\"), QStringLiteral("/")).join(QStringLiteral(", "));
  créerdossier(chemindisquedur(clé + QStringLiteral("\\annulations")));
  àécrire.append({chemindisquedur(nomimage(clé, m.id)), octetsimage(images), false, true});
  àécrire.append(fichierhistorique(clé, lignes, !fondue && !élagué));
  return àécrire;
}

QList<FichierÀÉcrire> inscrirechangement(const QList<FichierPréparé>& fichiers) {
  return InscriptionHistorique::inscrire(fichiers);
}

QList<Modification> historiqueclasse(const QString& clé) { return charger(clé); }

std::optional<Modification> àannuler(const QString& clé) {
  const QList<Modification> lignes = charger(clé);
  const qsizetype i = indiceàannuler(lignes);
  return i < 0 ? std::nullopt : std::optional(lignes[i]);
}

std::optional<Modification> àrétablir(const QString& clé) {
  const QList<Modification> lignes = charger(clé);
  const qsizetype i = indiceàrétablir(lignes);
  return i < 0 ? std::nullopt : std::optional(lignes[i]);
}

QStringList annulerdernier(const QString& clé) {
  const QList<Modification> lignes = charger(clé);
  const qsizetype i = indiceàannuler(lignes);
  if (i < 0) return {};
  return remettre(clé, lignes, {i}, true, QStringLiteral("Annuler : ") + lignes[i].texte());
}

QStringList rétablirsuivant(const QString& clé) {
  const QList<Modification> lignes = charger(clé);
  const qsizetype i = indiceàrétablir(lignes);
  if (i < 0) return {};
  return remettre(clé, lignes, {i}, false, QStringLiteral("Rétablir : ") + lignes[i].texte());
}

QStringList revenirà(const QString& clé, const QString& id) {
  const QList<Modification> lignes = charger(clé);
  const auto cible = std::find_if(lignes.begin(), lignes.end(), [&](const Modification& m) { return m.id == id; });
  if (cible == lignes.end()) return {};
  const QString titre = QStringLiteral("Revenir à cet état");
  QList<qsizetype> indices;
  for (qsizetype i = lignes.size() - 1; i > cible - lignes.begin(); --i) {
    if (lignes[i].état == ÉtatModification::Fixée) {
      avertissement(QStringLiteral("« %1 » est trop ancien pour être annulé : il n'est plus possible de revenir à "
                                   "cet état.").arg(lignes[i].texte()),
                    titre);
      return {};
    }
    if (lignes[i].état == ÉtatModification::Active) indices.append(i);
  }
  if (indices.isEmpty()) return {};
  return remettre(clé, lignes, indices, true, titre);
}

namespace {
QString cheminduréehistorique() { return cheminréel(état().dossierracine + QStringLiteral("\\historique.evl")); }
}  // namespace

int duréehistorique() {
  try {
    const QString chemin = cheminduréehistorique();
    if (fichierexiste(chemin)) {
      const QStringList l = lirefichier(chemin);
      bool ok = false;
      const int jours = l.isEmpty() ? 0 : l[0].trimmed().toInt(&ok);
      if (ok && jours > 0) return jours;
    }
  } catch (const ErreurEvalo&) {
  }
  return 365;
}

void fixerduréehistorique(int jours) {
  const QString chemin = cheminduréehistorique();
  avecpiège(titreerreur(chemin), [&] { écrirefichier(chemin, {QString::number(std::max(1, jours))}); });
}

QString historiqueàcopier(const QString& nomfichierécrit) {
  const QString clé = cléde(nomfichierécrit);
  if (clé.isEmpty() || nomfichierécrit == nomhistorique(clé)) return {};
  return fichierexiste(chemindisquedur(nomhistorique(clé))) ? nomhistorique(clé) : QString();
}

void fixerordinateur(const QString& nom) { ordinateurfixé = nom; }

QString ordinateurcourant() { return ordinateurfixé.isEmpty() ? QSysInfo::machineHostName() : ordinateurfixé; }

void oublierhistoriques() {
  caches.clear();
  fusionnées.clear();
  ordinateurfixé.clear();
}

void brancherrelectureimages(std::function<QString(const QString& nom, const QByteArray& octets)> relire) {
  relecture = std::move(relire);
}

void brancherrelectureclasse(RelectureClasse relire) { relectureclasse = std::move(relire); }
