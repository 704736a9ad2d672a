#pragma once
// Imprimantes Qt : les imprimantes CUPS installées et l'imprimante "PDF", qui
// écrit le document dans le dossier d'exportation puis l'ouvre.

#include <QString>
#include <functional>
#include <map>
#include <memory>

#include "plateforme/imprimante.h"

class QPageLayout;
class QPrinter;

inline const QString nomimprimantepdf = QStringLiteral("PDF");

// Mesures des polices Liberation qui remplacent Courier New, Times New Roman et Arial.
class MesureurQt : public Mesureur {
public:
  MesureurQt();
  double largeurcaractère(const Police& p) const override;
  double largeurtexte(const Police& p, const QString& texte) const override;
  double hauteurligne(const Police& p) const override;
};

class ImprimanteQt : public Imprimante {
public:
  explicit ImprimanteQt(QString nom);
  ~ImprimanteQt() override;
  QString DeviceName() const override { return nom_; }
  bool réglages();
  QString dernierpdf() const { return dernierpdf_; }

protected:
  void remettre(const QList<PageImprimée>& pages) override;

private:
  void préparerpdf();
  QString nom_;
  std::unique_ptr<QPrinter> printer_;
  QString dernierpdf_;
};

// Dessine les pages sur un QPrinter (imprimante ou aperçu), sur le papier et
// avec les marges du format.
// Sur un papier plus étroit qu'un A4, échelle(orientation) réduit chaque page.
void rendrepages(QPrinter& printer, const QList<PageImprimée>& pages, const FormatPage& format,
                 const std::function<double(int)>& échelle);
// Le format d'une mise en page Qt (réglée par la boîte de mise en page).
FormatPage formatde(const QPageLayout& miseenpage);

class ParcImprimantesQt : public ParcImprimantes {
public:
  ParcImprimantesQt();
  QStringList Printers() const override;
  bool choisir(const QString& nom) override;
  bool réglages() override;

protected:
  Imprimante& courante() override;

private:
  QString courante_;
  std::map<QString, std::unique_ptr<ImprimanteQt>> imprimantes_;
};
