#pragma once
// Relecture d'un fichier de données d'après son genre (son nom dit lequel), sans
// rien charger : ce qu'une annulation s'apprête à remettre doit se relire.

#include <QByteArray>
#include <QString>

// Vide quand les octets se relisent comme un fichier de ce genre ; sinon ce qui ne
// va pas, en français (nombre illisible, ligne qui manque, et où).
QString relirefichierdedonnées(const QString& nom, const QByteArray& octets);

// Branche cette relecture sur l'annulation (au démarrage du programme et des essais).
void brancherrelecture();
