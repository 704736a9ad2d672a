#include <gtest/gtest.h>

#include "noyau/fichiers/relecture.h"

namespace {

// Chaque genre de fichier de données, relu d'après son nom : ce qui se relit, et ce
// qui ne se relirait pas (avec la ligne en cause).
TEST(Relecture, ChaqueGenreDeFichier) {
  const struct {
    const char* nom;
    QByteArray octets;
    const char* défaut;  // vide : se relit
  } cas[] = {
      {"5A131\\5A131.P1N", " 1\r\n 0\r\n 0\r\n 1\r\nDupont\r\n?\r\n", ""},
      {"5A131\\5A131.P1N", " 1\r\n x\r\n 0\r\n 1\r\nDupont\r\n?\r\n", "ligne 2"},
      {"5A131\\5A131.E1N", " 2\r\n 0\r\n 0\r\n 1\r\nDupont\r\n?\r\n", "ligne 7"},
      {"5A131\\5A131.P1R", " 20\r\n01/10\r\nFractions\r\n 1\r\n", ""},
      {"5A131\\5A131.P1R", "vingt\r\n01/10\r\nFractions\r\n 1\r\n", "ligne 1"},
      {"5A131\\5A131.MPE", " 1\r\n 20\r\n 50\r\n", ""},
      {"5A131\\5A131.MPE", " 2\r\n 20\r\n 50\r\n", "ligne 4"},
      {"listclas.13", " 1\r\n5A\r\nMath\r\n5A131\r\n 2\r\n 0\r\n", ""},
      {"listclas.13", " 1\r\n5A\r\nMath\r\n5A131\r\n deux\r\n 0\r\n", "ligne 5"},
      {"5A131\\historique.txt", "n'importe quoi", ""},
  };
  for (const auto& c : cas) {
    const QString d = relirefichierdedonnées(QString::fromUtf8(c.nom), c.octets);
    if (QString::fromUtf8(c.défaut).isEmpty())
      EXPECT_TRUE(d.isEmpty()) << c.nom << " : " << d.toStdString();
    else
      EXPECT_TRUE(d.contains(QString::fromUtf8(c.défaut))) << c.nom << " : " << d.toStdString();
  }
}

}  // namespace
