#pragma once
// Le disque amovible : chaque fichier est comparé à sa copie du disque dur à sa
// première lecture de la session, et chaque fichier écrit y est copié à la sortie.

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// La fusion d'une classe entière (pièce d'au-dessus) se branche ici. avantlecture :
// à la première lecture d'un fichier, décide de tout son groupe (une classe, la
// liste des classes) et rend vrai ; faux la laisse à la comparaison fichier par
// fichier. avantcopie : avant la copie de sortie d'un groupe dont la copie amovible
// a changé depuis, fusionne et rend les fichiers à copier en plus ; rien quand le
// professeur a annulé (le groupe n'est pas copié).
struct FusionBranchée {
  std::function<bool(const QString& nom)> avantlecture;
  std::function<std::optional<QStringList>(const QString& nom)> avantcopie;
};
void brancherfusion(FusionBranchée fusion);

// À appeler par chaque lecteur avant d'ouvrir le fichier du disque dur : à la
// première lecture de la session, compare les deux copies et laisse choisir.
void vérifieravantlecture(const QString& nom);

// Sortie depuis la liste des classes : copie les fichiers écrits sur le disque
// amovible et met fin au programme ; rend la main seulement quand l'utilisateur
// renonce à quitter.
void sauvegardedesortie();

// Sortie depuis la feuille principale : ne pose la question que pour le lecteur
// "A:\" et montre la copie en cours par avantcopie. Rend vrai quand le programme
// doit se terminer (la liste des fichiers vérifiés est alors déjà supprimée).
bool sauvegardedesortieprincipale(const std::function<void(const QString& nom)>& avantcopie);

// Après une fin anormale : copie sans rien demander.
void sauvegardederécupération();
