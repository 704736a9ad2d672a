#include "plateforme/boites.h"

#include <stdexcept>

namespace {
std::string décrire(const BoiteMontrée& b) {
  return QStringLiteral("boîte « %1 » : %2").arg(b.titre, b.texte).toStdString();
}
}  // namespace

QList<BoiteMontrée> BoitesScriptees::montrées(GenreBoite genre) const {
  QList<BoiteMontrée> choisies;
  for (const BoiteMontrée& b : montrées_)
    if (b.genre == genre) choisies.append(b);
  return choisies;
}

std::variant<int, QString> BoitesScriptees::prochaine(const BoiteMontrée& boîte) {
  noter(boîte);
  if (réponses_.empty()) throw std::logic_error("aucune réponse prévue pour la " + décrire(boîte));
  auto r = réponses_.front();
  réponses_.pop_front();
  const bool texteattendu = boîte.genre == GenreBoite::Saisie;
  if (texteattendu != std::holds_alternative<QString>(r))
    throw std::logic_error("réponse d'un autre genre prévue pour la " + décrire(boîte));
  return r;
}

int BoitesScriptees::avertissement(const QString& texte, const QString& titre) {
  const int r = std::get<int>(prochaine({GenreBoite::Avertissement, titre, texte, {}, {}}));
  if (r != OK && r != ANNULER) throw std::logic_error("un avertissement ne rend que OK ou ANNULER");
  return r;
}

int BoitesScriptees::question(const QString& texte, const QString& titre, const QString& détails) {
  const int r = std::get<int>(prochaine({GenreBoite::Question, titre, texte, {}, détails}));
  if (r != OUI && r != NON && r != ANNULER) throw std::logic_error("une question ne rend que OUI, NON ou ANNULER");
  return r;
}

QString BoitesScriptees::saisie(const QString& invite, const QString& titre, const QString& défaut) {
  return std::get<QString>(prochaine({GenreBoite::Saisie, titre, invite, défaut, {}}));
}

void BoitesScriptees::noter(const BoiteMontrée& boîte) {
  montrées_.append(boîte);
  if (surboîte) surboîte(boîte);
}

void BoitesScriptees::message(const QString& texte, const QString& titre) {
  noter({GenreBoite::Message, titre, texte, {}, {}});
}

void BoitesScriptees::bip() { noter({GenreBoite::Bip, {}, {}, {}, {}}); }
