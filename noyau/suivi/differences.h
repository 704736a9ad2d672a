#pragma once
// Ce qui diffère entre la copie du disque dur et celle du disque amovible d'un
// fichier de données, dit en français pour que l'utilisateur choisisse en
// connaissance de cause. Rien n'est lu ni écrit ici : les deux versions sont données.

#include <QString>
#include <QStringList>

// Une ligne par différence. Pour un fichier des notes : chaque élève dont le nom
// ou le résultat diffère, chaque note écrite ou orale qui diffère, avec les deux
// valeurs. Pour un autre fichier : les lignes qui diffèrent.
QStringList différences(const QString& nom, const QStringList& disquedur, const QStringList& amovible);

// Les différences en un texte pour les détails d'une question.
QString textedesdifférences(const QString& nom, const QStringList& disquedur, const QStringList& amovible);
