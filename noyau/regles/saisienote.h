#pragma once
// Saisie et contrôle d'une note écrite.

#include <QString>

// Montre la boîte "ENTRER UNE NOTE" pour l'élève i ; texte vide quand on annule.
QString demandernote(int i);

// Rend "A", "AI", "NC", le nombre remis en forme, ou "ERREUR" après l'avoir dit.
QString vérifiernote(const QString& texte, int maximum);

// Le contrôle de vérifiernote sans boîte : la note telle qu'elle s'enregistre,
// ou, refusée, la raison en clair (note vide).
struct NoteLue {
  QString note;
  QString refus;
};
NoteLue lirenote(const QString& texte, int maximum);
