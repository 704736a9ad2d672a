#pragma once
// Ancêtres communs : pour chaque fichier de données, la version que cet ordinateur a
// prise au disque amovible (ou au dossier synchronisé) ou lui a donnée en dernier.
// C'est la base d'une fusion à trois : ce qui a bougé depuis, ici ou là, se voit
// par rapport à elle. Gardés dans "ancetres\" du dossier des données, à côté de la
// liste des modifications ; jamais copiés sur le disque amovible ni dans le back-up.

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

struct FichierÀÉcrire;

inline const QString dossierancêtres = QStringLiteral("ancetres");

// Les octets de l'ancêtre du fichier (nom relatif), rien quand il n'y en a pas.
std::optional<QByteArray> lireancêtre(const QString& nom);
// L'ancêtre d'avant le dernier : quand un service de synchronisation a mis de côté
// la version que cet ordinateur avait donnée, l'autre version est partie de celui-ci.
std::optional<QByteArray> lireancêtreprécédent(const QString& nom);
// L'ancêtre tel qu'une transaction l'écrit (fichiers annexes : hors de
// l'historique), avec l'ancêtre d'avant quand il change.
QList<FichierÀÉcrire> ancêtreàécrire(const QString& nom, const QByteArray& octets);
// Écrit l'ancêtre seul (fichier temporaire renommé).
void noterancêtre(const QString& nom, const QByteArray& octets);

// Deux versions d'un fichier de données qui ont les mêmes lignes (les fins de ligne
// n'y font rien, comme dans la comparaison des deux disques).
bool mêmeslignes(const std::optional<QByteArray>& a, const std::optional<QByteArray>& b);
