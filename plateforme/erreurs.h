#pragma once
// Erreurs que les routines de fichiers et de données lèvent et que les pièges
// montrent à l'utilisateur : le texte est déjà la phrase française à afficher.

#include <QString>
#include <stdexcept>

class ErreurEvalo : public std::runtime_error {
public:
  explicit ErreurEvalo(const QString& texte)
      : std::runtime_error(texte.toStdString()), texte_(texte) {}
  const QString& texte() const { return texte_; }

private:
  QString texte_;
};

// Une valeur qui ne tient pas dans son type (entier de 16 bits, nombre illisible).
class ErreurDonnée : public ErreurEvalo {
public:
  using ErreurEvalo::ErreurEvalo;
};

enum class CauseErreur {
  FichierManquant,
  DossierManquant,
  DisquePlein,
  PermissionRefusée,
  FichierOccupé,  // tenu ouvert par un autre programme (Windows)
  NombreIllisible,
  FinInattendue,
  HorsLimites,
  Autre,
};

class ErreurFichier : public ErreurEvalo {
public:
  ErreurFichier(CauseErreur cause, const QString& chemin, const QString& texte)
      : ErreurEvalo(texte), cause_(cause), chemin_(chemin) {}
  CauseErreur cause() const { return cause_; }
  const QString& chemin() const { return chemin_; }

private:
  CauseErreur cause_;
  QString chemin_;
};
