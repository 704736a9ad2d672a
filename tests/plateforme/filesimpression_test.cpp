#include <gtest/gtest.h>

#include <functional>

#include "plateforme/erreurs.h"
#include "plateforme/filesimpression.h"

namespace {

// Une file jouée : son état avant l'envoi, et ce que l'envoi lui fait.
class FilesJouées : public FilesImpression {
public:
  std::optional<ÉtatFile> état;
  std::optional<ÉtatTravail> travail;
  std::optional<ÉtatFile> file(const QString&) const override { return état; }
  std::optional<ÉtatTravail> derniertravail(const QString&) const override { return travail; }
  bool gardelestravauxachevés() const override { return garde; }
  bool garde = true;
};

// Rend la cause du refus, vide quand le document est parti et imprimé.
QString suivre(FilesJouées& files, const std::function<void(FilesJouées&)>& envoi) {
  SuiviDocument suivi(files, QStringLiteral("Salle des profs"));
  try {
    suivi.avantlenvoi();
    envoi(files);
    suivi.aprèslenvoi();
    return QString();
  } catch (const ErreurEvalo& e) {
    return e.texte();
  }
}

TEST(SuiviDocument, FilesArreteesRefusantesOuDisparuesEtTravauxPerdus) {
  const auto prête = [] { return ÉtatFile{fileinactive, true, {"none"}, QString()}; };
  const auto nouveau = [](int état) { return [état](FilesJouées& f) { f.travail = ÉtatTravail{8, état}; }; };
  struct Cas {
    const char* nom;
    std::optional<ÉtatFile> avant;
    std::function<void(FilesJouées&)> envoi;
    const char* refus;  // vide : imprimé
  };
  const Cas cas[] = {
      {"prête, travail en attente", prête(), nouveau(travailenattente), ""},
      {"prête, travail achevé", prête(), nouveau(travailachevé), ""},
      {"disparue", std::nullopt, nouveau(travailenattente),
       "L'imprimante « Salle des profs » n'existe plus : choisissez-en une autre (Ctrl+D). Rien n'a été imprimé."},
      {"refuse", ÉtatFile{fileinactive, false, {"none"}, "Rejecting Jobs"}, nouveau(travailenattente),
       "L'imprimante « Salle des profs » refuse les documents (Rejecting Jobs). Rien n'a été imprimé."},
      {"arrêtée, plus de papier", ÉtatFile{filearrêtée, true, {"paused", "media-empty-error"}, QString()},
       nouveau(travailenattente),
       "L'imprimante « Salle des profs » est arrêtée (plus de papier). Rien n'a été imprimé."},
      {"arrêtée, bourrage dit par la file", ÉtatFile{filearrêtée, true, {"paused"}, "Bourrage papier"}, nouveau(travailenattente),
       "L'imprimante « Salle des profs » est arrêtée (Bourrage papier). Rien n'a été imprimé."},
      {"arrêtée sans autre raison", ÉtatFile{filearrêtée, true, {"paused"}, QString()}, nouveau(travailenattente),
       "L'imprimante « Salle des profs » est arrêtée. Rien n'a été imprimé."},
      {"aucun travail créé", prête(), [](FilesJouées&) {},
       "Le document n'est pas arrivé à l'imprimante « Salle des profs ». Rien n'a été imprimé."},
      {"refus pendant l'envoi",
       prête(),
       [](FilesJouées& f) { f.état = ÉtatFile{fileinactive, false, {"none"}, "Maintenance"}; },
       "L'imprimante « Salle des profs » refuse les documents (Maintenance). Rien n'a été imprimé."},
      {"travail abandonné", prête(),
       [](FilesJouées& f) {
         f.travail = ÉtatTravail{8, travailabandonné};
         f.état->raisons = {"cups-missing-filter-warning"};
       },
       "L'imprimante « Salle des profs » a abandonné le document n°8 (filtre d'impression manquant). Il n'est pas imprimé."},
      {"travail annulé", prête(), nouveau(travailannulé),
       "L'imprimante « Salle des profs » a annulé le document n°8. Il n'est pas imprimé."},
  };
  for (const Cas& c : cas) {
    FilesJouées files;
    files.état = c.avant;
    files.travail = ÉtatTravail{7, travailachevé};  // un travail d'avant
    EXPECT_EQ(suivre(files, c.envoi), QString::fromUtf8(c.refus)) << c.nom;
  }
}

// Le spouleur de Windows efface un travail imprimé : sans travail nouveau après
// l'envoi, le document est imprimé si la file le prend encore, refusé sinon ; CUPS,
// qui garde ses travaux achevés, dit alors qu'il n'est pas arrivé.
TEST(SuiviDocument, TravailDejaEffaceParLeSpouleurDeWindows) {
  struct Cas {
    const char* nom;
    bool garde;
    bool disparue;  // la file disparaît pendant l'envoi
    const char* refus;
  };
  const Cas cas[] = {
      {"Windows, imprimé et effacé", false, false, ""},
      {"Windows, file disparue", false, true,
       "L'imprimante « Salle des profs » n'existe plus : choisissez-en une autre (Ctrl+D). Rien n'a été imprimé."},
      {"CUPS, aucun travail", true, false,
       "Le document n'est pas arrivé à l'imprimante « Salle des profs ». Rien n'a été imprimé."},
  };
  for (const Cas& c : cas) {
    FilesJouées files;
    files.garde = c.garde;
    files.état = ÉtatFile{fileinactive, true, {"none"}, QString()};
    const bool disparue = c.disparue;
    EXPECT_EQ(suivre(files, [disparue](FilesJouées& f) { if (disparue) f.état.reset(); }), QString::fromUtf8(c.refus)) << c.nom;
  }
}

}  // namespace
