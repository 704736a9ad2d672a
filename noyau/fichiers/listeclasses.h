#pragma once

#include <QString>
#include <QStringList>
// Les trois petits fichiers qui accompagnent le fichier des notes : la liste des
// classes d'une année ("listclas." & année), le fichier des maxima d'une classe
// (clé.MPE) et le fichier des interrogations écrites d'une classe-période (clé.P1R).

// Lit la liste des classes de l'année ; quand le disque amovible ne l'a pas,
// propose de la créer ou de changer un renseignement par défaut. Un refus met
// étatdémarrage à "annuler".
void lirelisteclasses();
void écrirelisteclasses();
// Ouvre l'année par défaut des renseignements déjà lus, comme au démarrage : l'année
// affichée, puis sa liste des classes (lirelisteclasses).
void ouvrirannéepardéfaut();

// Sans piège propre : une erreur remonte au piège de l'appelant.
void liremaxima();
// Les mêmes lectures sur des lignes déjà lues (chemin pour les messages).
void analysermaxima(const QStringList& lignes, const QString& chemin);
void écriremaxima();
QStringList lignesmaxima();

// Demandent nbinterros et listecompétences déjà connus.
void lireinterros();
void lireinterrossanspiège();  // pour un appelant qui a son propre piège
void analyserinterros(const QStringList& lignes, const QString& chemin);
void écrireinterros();
QStringList lignesinterros();

// Les cinq valeurs d'une classe de la liste, qui voyagent ensemble.
struct ClasseListe {
  QString nom, cours, dossier;
  int dernièrepériode, examens;
};
ClasseListe prendreclasse(int c);
void poserclasse(int c, const ClasseListe& valeurs);

// Trie les classes par nom (insertion : les classes de même nom gardent leur ordre).
void trierclasses();

// Premier suffixe de dossier (à partir de àpartirde) qu'aucune classe de la liste
// n'utilise pour ce nom dans l'année en cours.
int suffixelibre(const QString& nom, int àpartirde);
