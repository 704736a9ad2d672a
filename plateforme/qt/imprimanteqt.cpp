#include "plateforme/qt/conversions.h"
#include "plateforme/qt/dessinfigure.h"
#include "plateforme/filesimpression.h"
#include "plateforme/qt/imprimanteqt.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "plateforme/erreurs.h"
#include "plateforme/fichiers.h"
#include "plateforme/qt/dessingrille.h"
#include "plateforme/services.h"

namespace {

// Les noms des mises en page, en toutes casses, vers les polices Liberation.
void installersubstitutions() {
  static bool faites = false;
  if (faites) return;
  QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
  QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
  QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
  faites = true;
}

QString familleréelle(const QString& nom) {
  const QString n = nom.trimmed().toLower();
  if (n == QStringLiteral("courier new") || n == QStringLiteral("courier")) return QStringLiteral("Liberation Mono");
  if (n == QStringLiteral("times new roman") || n == QStringLiteral("times")) return QStringLiteral("Liberation Serif");
  if (n == QStringLiteral("arial") || n == QStringLiteral("helvetica")) return QStringLiteral("Liberation Sans");
  return nom;
}

QFont policeqt(const Police& p, double taille) {
  QFont f(familleréelle(p.nom));
  f.setHintingPreference(QFont::PreferNoHinting);
  f.setPointSizeF(taille);
  f.setBold(p.gras);
  f.setUnderline(p.souligné);
  return f;
}

// Mesures prises sur une grande taille (sans arrondi aux pixels), ramenées en points.
constexpr double taillemesure = 1000;

QFontMetricsF mesures(const Police& p) {
  QFont f = policeqt(p, 1);
  f.setPixelSize(static_cast<int>(taillemesure));
  return QFontMetricsF(f);
}

QPageLayout::Orientation orientationqt(int o) {
  return o == paysage ? QPageLayout::Landscape : QPageLayout::Portrait;
}

QString nouveaupdf() {
  const QString dossier = dossierexportation();
  créerdossier(dossier);
  const QString base = QStringLiteral("Evalo ") + horloge().maintenant().toString(QStringLiteral("yyyy-MM-dd HH.mm.ss"));
  QString chemin = dossier + u'/' + base + QStringLiteral(".pdf");
  for (int n = 2; QFileInfo::exists(chemin); ++n) chemin = dossier + u'/' + base + QStringLiteral(" (%1).pdf").arg(n);
  return chemin;
}

}  // namespace

MesureurQt::MesureurQt() { installersubstitutions(); }

double MesureurQt::largeurcaractère(const Police& p) const {
  return mesures(p).horizontalAdvance(u'0') * p.taille / taillemesure;
}

double MesureurQt::largeurtexte(const Police& p, const QString& texte) const {
  return mesures(p).horizontalAdvance(texte) * p.taille / taillemesure;
}

double MesureurQt::hauteurligne(const Police& p) const { return mesures(p).lineSpacing() * p.taille / taillemesure; }

QPageLayout miseenpageqt(const FormatPage& f, int orientation) {
  const QPageSize papier(QSizeF(f.largeur, f.hauteur), QPageSize::Point, f.papier, QPageSize::FuzzyMatch);
  return QPageLayout(papier, orientationqt(orientation), QMarginsF(f.gauche, f.haut, f.droite, f.bas), QPageLayout::Point);
}

FormatPage formatde(const QPageLayout& m) {
  FormatPage f;
  const QSizeF papier = m.pageSize().size(QPageSize::Point);
  f.papier = m.pageSize().name();
  f.largeur = papier.width();
  f.hauteur = papier.height();
  // Les marges valent pour la page telle qu'elle est tournée, en portrait comme en paysage.
  const QMarginsF marges = m.margins(QPageLayout::Point);
  f.gauche = marges.left();
  f.haut = marges.top();
  f.droite = marges.right();
  f.bas = marges.bottom();
  return f;
}

void rendrepages(QPrinter& printer, const QList<PageImprimée>& pages, const FormatPage& format,
                 const std::function<double(int)>& échelle) {
  if (pages.isEmpty()) return;
  printer.setPageLayout(miseenpageqt(format, pages.first().orientation));
  QPainter peintre;
  if (!peintre.begin(&printer))
    throw ErreurEvalo(QStringLiteral("L'imprimante « %1 » ne peut pas imprimer ce document.").arg(printer.printerName()));
  const double parpoint = printer.resolution() / 72.0;
  for (int n = 0; n < pages.size(); ++n) {
    const PageImprimée& page = pages[n];
    if (n > 0) {
      printer.setPageLayout(miseenpageqt(format, page.orientation));
      printer.newPage();
    }
    peintre.resetTransform();
    peintre.scale(échelle(page.orientation), échelle(page.orientation));
    for (const LigneImprimée& ligne : page.lignes) {
      for (const Passage& p : ligne.passages) {
        const QFont f = policeqt(p.police, p.police.taille);
        peintre.setFont(f);
        peintre.setPen(couleurqt(p.couleur));
        const QFontMetricsF fm(f, &printer);
        peintre.drawText(QPointF(p.x * parpoint, ligne.y * parpoint + fm.ascent()), p.texte);
      }
    }
    for (const FigureImprimée& f : page.figures) dessinerfigure(peintre, f.figure, QPointF(f.x, f.y), parpoint);
    for (const ImageImprimée& i : page.images) {
      peintre.save();
      peintre.translate(i.x * parpoint, i.y * parpoint);
      peintre.scale(i.échelle, i.échelle);
      dessinerimagegrille(peintre, i.image, QPointF(0, 0), parpoint);
      peintre.restore();
    }
  }
  if (!peintre.end() || printer.printerState() == QPrinter::Error)
    throw ErreurEvalo(QStringLiteral("L'imprimante « %1 » a refusé le document : rien n'a été imprimé.")
                          .arg(printer.outputFormat() == QPrinter::PdfFormat ? nomimprimantepdf : printer.printerName()));
}

ImprimanteQt::ImprimanteQt(QString nom)
    : Imprimante(std::make_unique<MesureurQt>()), nom_(std::move(nom)) {
  if (nom_ == nomimprimantepdf && !QPrinterInfo::availablePrinterNames().contains(nom_)) {
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer_->setOutputFormat(QPrinter::PdfFormat);
  } else {
    printer_ = std::make_unique<QPrinter>(QPrinterInfo::printerInfo(nom_), QPrinter::HighResolution);
  }
  printer_->setDocName(QStringLiteral("Evalo"));
  printer_->setCreator(QStringLiteral("Evalo"));
}

ImprimanteQt::~ImprimanteQt() = default;

void ImprimanteQt::préparerpdf() {
  if (printer_->outputFormat() != QPrinter::PdfFormat) return;
  dernierpdf_ = nouveaupdf();
  printer_->setOutputFileName(dernierpdf_);
}

void ImprimanteQt::remettre(const QList<PageImprimée>& pages) {
  // Une file que CUPS ne connaît plus donne à Qt une imprimante PDF de repli : le
  // document n'irait pas où le professeur l'attend.
  if (nom_ != nomimprimantepdf && printer_->outputFormat() != QPrinter::NativeFormat)
    throw ErreurEvalo(refusdelafile(nom_, std::nullopt));
  préparerpdf();
  // Une file CUPS est suivie : arrêtée, refusant ou disparue, rien ne part ; un
  // travail abandonné ou annulé est dit.
  std::optional<SuiviDocument> suivi;
  if (printer_->outputFormat() == QPrinter::NativeFormat) {
    suivi.emplace(filesdusystème(), nom_);
    suivi->avantlenvoi();
  }
  if (Aperçu()) {
    QPrintPreviewDialog aperçu(printer_.get());
    aperçu.setWindowTitle(QStringLiteral("Aperçu avant impression"));
    aperçu.resize(1000, 760);
    // L'aperçu dessine les pages sur son propre appareil ; une erreur n'y a pas de sens.
    QObject::connect(&aperçu, &QPrintPreviewDialog::paintRequested, [&](QPrinter* p) {
      try {
        rendrepages(*p, pages, Format(), [this](int o) { return échellepage(o); });
      } catch (const ErreurEvalo&) {
      }
    });
    if (aperçu.exec() != QDialog::Accepted) return;
    if (printer_->printerState() == QPrinter::Error)
      throw ErreurEvalo(QStringLiteral("L'imprimante « %1 » a refusé le document : rien n'a été imprimé.").arg(nom_));
  } else {
    rendrepages(*printer_, pages, Format(), [this](int o) { return échellepage(o); });
  }
  if (suivi) suivi->aprèslenvoi();
  const QString nombre = pages.size() == 1 ? QStringLiteral("1 page") : QStringLiteral("%1 pages").arg(pages.size());
  if (dernierpdf_.isEmpty()) {
    boîtes().annonce(QStringLiteral("Imprimé : %1 envoyée(s) à l'imprimante « %2 ».").arg(nombre, nom_));
    return;
  }
  if (QFileInfo(dernierpdf_).size() <= 0)
    throw ErreurEvalo(QStringLiteral("Le fichier « %1 » n'a pas pu être écrit.").arg(QDir::toNativeSeparators(dernierpdf_)));
  boîtes().annonce(QStringLiteral("PDF enregistré (%1) : %2").arg(nombre, QDir::toNativeSeparators(dernierpdf_)));
  ouvrirdocument(dernierpdf_);
}

// La mise en page règle, n'imprime rien : papier, orientation et marges valent
// pour toutes les impressions suivantes sur cette imprimante.
bool ImprimanteQt::réglages() {
  printer_->setPageLayout(miseenpageqt(Format(), Orientation()));
  QPageSetupDialog boîte(printer_.get());
  boîte.setWindowTitle(QStringLiteral("Mise en page — ") + nom_);
  if (boîte.exec() != QDialog::Accepted) return false;
  const QPageLayout choisie = printer_->pageLayout();
  Format(formatde(choisie));
  Orientation(choisie.orientation() == QPageLayout::Landscape ? paysage : portrait);
  return true;
}

ParcImprimantesQt::ParcImprimantesQt() {
  const QString défaut = QPrinterInfo::defaultPrinterName();
  courante_ = défaut.isEmpty() ? nomimprimantepdf : défaut;
}

QStringList ParcImprimantesQt::Printers() const {
  QStringList noms = QPrinterInfo::availablePrinterNames();
  if (!noms.contains(nomimprimantepdf)) noms.append(nomimprimantepdf);
  return noms;
}

Imprimante& ParcImprimantesQt::courante() {
  auto& i = imprimantes_[courante_];
  if (!i) i = std::make_unique<ImprimanteQt>(courante_);
  return *i;
}

bool ParcImprimantesQt::choisir(const QString& nom) {
  if (!Printers().contains(nom)) return false;
  courante_ = nom;
  return true;
}

bool ParcImprimantesQt::réglages() { return static_cast<ImprimanteQt&>(courante()).réglages(); }
