#pragma once
// Profils automatiques : un réglage de nouvelle classe (examens et leurs maxima,
// compétences et leurs poids) gardé sous un nom, dans le fichier nom.pra du
// dossier de l'utilisateur. Une ligne par élément, CR LF, Windows-1252 : le
// nombre d'examens, les lignes d'examen, puis chaque ligne de compétence.

#include <QString>
#include <QStringList>

#include "noyau/base/tableaux.h"

struct Profil {
  QString nombreexamens;  // le texte montré, par exemple " 2"
  QStringList examens;
  QStringList compétences;
  bool operator==(const Profil&) const = default;
};

// Noms de fichier (avec ".pra") des profils de l'utilisateur, triés sans égard à la casse.
QStringList listeprofils();

// Lèvent ErreurFichier avec la cause en français.
Profil lireprofil(const QString& fichier);
void écrireprofil(const QString& nom, const Profil& profil);

// Vide quand le nom (déjà sans blancs autour) peut nommer un profil ; sinon la raison du refus.
QString refusnomprofil(const QString& nom);

// paramètresprofil : le nombre d'examens, les lignes d'examen, les lignes de compétence.
Tableau<QString> paramètresdu(const Profil& profil);
// Le contraire ; un tableau sans élément 1 ne donne rien.
bool profildes(const Tableau<QString>& paramètres, Profil& profil);
