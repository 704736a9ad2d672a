#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

// Les outils de Linux que les essais lancent pour relire ce que le programme écrit
// (poppler, LibreOffice, python). Sous Wine, le programme Windows les lance par leur
// chemin Unix et leur passe des chemins Unix ; sous Linux, tout reste tel quel.

// Un chemin du programme, tel que les outils de l'hôte le lisent.
QString cheminhôte(const QString& chemin);

struct SortieHôte {
  int code = -1;  // -1 : introuvable, arrêté ou trop long
  QByteArray sortie;
  QByteArray erreurs;
};
// Lance NOM (cherché dans le PATH de l'hôte) avec ARGUMENTS, dont les chemins du
// programme (avec leur lettre de lecteur sous Windows) passent par cheminhôte, et VARIABLES en plus de l'environnement
// ; attend au plus SECONDES.
SortieHôte lancerhôte(const QString& nom, const QStringList& arguments, const QMap<QString, QString>& variables = {},
                      int secondes = 30);
// Sa sortie, ou « <échec de NOM ...> » avec ses erreurs.
QString sortiehôte(const QString& nom, const QStringList& arguments);
