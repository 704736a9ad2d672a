#pragma once
// Boîtes de message et de saisie, bip et sablier : une interface, une version Qt
// pour le programme et une version scriptée pour les essais.

#include <QList>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <variant>

// Valeurs rendues par les boîtes, celles de l'ancien système.
inline constexpr int OK = 1;
inline constexpr int ANNULER = 2;
inline constexpr int OUI = 6;
inline constexpr int NON = 7;

class Boites {
public:
  virtual ~Boites() = default;
  // OK et Annuler, point d'exclamation : rend OK ou ANNULER.
  virtual int avertissement(const QString& texte, const QString& titre) = 0;
  // Oui, Non et Annuler, point d'interrogation : rend OUI, NON ou ANNULER. Les
  // détails, quand il y en a, se lisent sous la question.
  virtual int question(const QString& texte, const QString& titre, const QString& détails = QString()) = 0;
  // Saisie d'un texte ; Annuler rend un texte vide.
  virtual QString saisie(const QString& invite, const QString& titre, const QString& défaut) = 0;
  // Message simple avec le seul bouton OK.
  virtual void message(const QString& texte, const QString& titre) = 0;
  virtual void bip() = 0;
  virtual void sablier(bool actif) = 0;
  // Un message d'état (note enregistrée, annulation, impression faite) : écrit un
  // moment au bas de la fenêtre et dit par les lecteurs d'écran, sans prendre le
  // focus ni attendre de réponse.
  virtual void annonce(const QString& texte) = 0;
};

enum class GenreBoite { Avertissement, Question, Saisie, Message, Bip };

struct BoiteMontrée {
  GenreBoite genre;
  QString titre;
  QString texte;
  QString défaut;
  QString détails;
};

// Double d'essai : note chaque boîte montrée et rend les réponses prévues, dans
// l'ordre. Une boîte sans réponse prévue, ou d'un autre genre que la réponse,
// lève std::logic_error qui décrit la boîte.
class BoitesScriptees : public Boites {
public:
  void répondre(int bouton) { réponses_.push_back(bouton); }
  void répondretexte(const QString& texte) { réponses_.push_back(texte); }
  bool toutesutilisées() const { return réponses_.empty(); }
  const QList<BoiteMontrée>& montrées() const { return montrées_; }
  QList<BoiteMontrée> montrées(GenreBoite genre) const;
  void oublier() { montrées_.clear(); réponses_.clear(); annonces_.clear(); }
  bool sablieractif() const { return sablier_ > 0; }
  // Appelé à chaque boîte montrée, avant la réponse : un essai peut y réparer un
  // fichier entre une erreur et le nouvel essai.
  std::function<void(const BoiteMontrée&)> surboîte;

  int avertissement(const QString& texte, const QString& titre) override;
  int question(const QString& texte, const QString& titre, const QString& détails = QString()) override;
  QString saisie(const QString& invite, const QString& titre, const QString& défaut) override;
  void message(const QString& texte, const QString& titre) override;
  void bip() override;
  void sablier(bool actif) override { sablier_ += actif ? 1 : -1; }
  void annonce(const QString& texte) override { annonces_.append(texte); }
  const QStringList& annonces() const { return annonces_; }

private:
  void noter(const BoiteMontrée& boîte);
  std::variant<int, QString> prochaine(const BoiteMontrée& boîte);
  std::deque<std::variant<int, QString>> réponses_;
  QList<BoiteMontrée> montrées_;
  QStringList annonces_;
  int sablier_ = 0;
};
