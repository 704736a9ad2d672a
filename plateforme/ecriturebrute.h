#pragma once
// Écritures de bas niveau partagées par les fichiers et les transactions.

#include <QByteArray>
#include <QString>

#include "plateforme/erreurs.h"
#include "plateforme/systeme.h"

// Écrit les octets dans temporaire et les force sur le disque (fsync) ; une erreur
// nomme chemin (le fichier que le temporaire remplacera) et ne laisse pas de temporaire.
// dansunensemble choisit la panne simulée des essais (un fichier d'une transaction).
void écriretemporaire(const QString& temporaire, const QString& chemin, const QByteArray& octets,
                      bool dansunensemble = true);
// Écrit le fichier entier par un temporaire ".~evalo" renommé, puis force son dossier.
void remplacerfichier(const QString& chemin, const QByteArray& octets, bool dansunensemble);
// L'erreur d'un renommage ou d'une suppression ratée, d'après l'échec du système.
ErreurFichier erreurderenommage(const QString& chemin, const ÉchecSystème& échec);
