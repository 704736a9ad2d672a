#pragma once
// Affichage lisible des textes Qt dans les messages de GoogleTest.

#include <QString>
#include <QStringList>
#include <ostream>

inline void PrintTo(const QString& texte, std::ostream* sortie) { *sortie << '"' << texte.toStdString() << '"'; }
inline void PrintTo(const QStringList& liste, std::ostream* sortie) {
  *sortie << "{\n";
  for (const QString& t : liste) *sortie << "  \"" << t.toStdString() << "\"\n";
  *sortie << "}";
}
