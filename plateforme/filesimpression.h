#pragma once
// Ce que les files d'impression (CUPS) disent d'elles-mêmes et des travaux qu'on
// leur remet, et le suivi d'un document remis : une file arrêtée, qui refuse les
// documents ou qui a disparu, un travail abandonné ou annulé sont dits en
// français avec la raison que donne la file ; rien n'est alors compté comme imprimé.

#include <QString>
#include <QStringList>
#include <optional>

// États de l'IPP (RFC 8011) que CUPS rend.
inline constexpr int fileinactive = 3, fileoccupée = 4, filearrêtée = 5;
inline constexpr int travailenattente = 3, travailretenu = 4, travailencours = 5, travailarrêté = 6,
                     travailannulé = 7, travailabandonné = 8, travailachevé = 9;

struct ÉtatFile {
  int état = fileinactive;
  bool accepte = true;
  QStringList raisons;  // printer-state-reasons ("paused", "media-empty-error"...)
  QString message;      // printer-state-message, la raison donnée par la file
};

struct ÉtatTravail {
  int numéro = 0;
  int état = travailenattente;
};

class FilesImpression {
public:
  virtual ~FilesImpression() = default;
  // L'état de la file, rien quand elle n'existe pas (ou plus).
  virtual std::optional<ÉtatFile> file(const QString& nom) const = 0;
  // Le travail le plus récent de ce poste sur la file, rien sans travail.
  virtual std::optional<ÉtatTravail> derniertravail(const QString& nom) const = 0;
  // CUPS garde les travaux achevés ; le spouleur de Windows efface un travail dès qu'il
  // est imprimé, si bien qu'un document vite imprimé n'y laisse aucune trace.
  virtual bool gardelestravauxachevés() const { return true; }
};

// Les files du système : CUPS, ou le spouleur de Windows (un corps chacun).
const FilesImpression& filesdusystème();

// Les raisons de la file, en français ("plus de papier, bourrage").
QString raisonsenfrançais(const ÉtatFile& f);
// Vide quand la file existe et prend les documents ; sinon ce qui l'en empêche.
QString refusdelafile(const QString& nom, const std::optional<ÉtatFile>& f);

// Le suivi d'un document remis à une file : avant, la file doit le prendre ;
// après, un nouveau travail doit exister (ou, sous Windows, déjà imprimé et effacé)
// et ne pas être abandonné ni annulé.
// Chaque refus lève ErreurEvalo avec sa cause.
class SuiviDocument {
public:
  SuiviDocument(const FilesImpression& files, QString nom);
  void avantlenvoi();
  void aprèslenvoi() const;

private:
  const FilesImpression& files_;
  QString nom_;
  int dernier_ = 0;
};
