#pragma once
// La porte des textes tapés ou collés : tout texte qu'un professeur donne au
// programme (classe, cours, élève, matière, date, libellé, remarque, compétence,
// utilisateur, profil, dossier) passe par ici avant d'être gardé.
//
// - sauts de ligne et tabulations deviennent un blanc, les autres caractères de
//   contrôle disparaissent, les blancs des deux bouts aussi ;
// - un caractère que Windows-1252 ne peut pas garder n'est jamais écrit "?" : le
//   professeur choisit entre les lettres les plus proches et une autre frappe ;
// - les caractères que la destination ne peut pas porter sont refusés avec un
//   message qui les nomme.

#include <QString>
#include <QStringView>
#include <optional>

enum class GenreTexte {
  Libre,        // ligne entière d'un fichier : matière, date, remarque, cours, compétence
  Élément,      // lu jusqu'à une virgule : pas de "," (compétence par défaut, disque amovible)
  Champ,        // champ d'une ligne d'élève : pas de "/" (date d'une note orale)
  NomÉlève,     // champ d'une ligne d'élève, avec le message du nom d'élève
  NomDeClasse,  // devient un nom de dossier et une entrée de la liste des modifications
  NomDeFichier, // nom d'utilisateur, de profil : un nom de dossier ou de fichier
  Chemin,       // dossier qui n'est écrit dans aucun fichier (exportation, back-up)
};

struct TexteContrôlé {
  QString texte;      // nettoyé (contrôles, sauts de ligne, blancs des bouts)
  QString interdits;  // caractères que ce genre de texte refuse, chacun une fois
  QString refus;      // autre raison de refus (point au début, trop long) ; vide sinon
  QString horsansi;   // caractères que Windows-1252 ne peut pas garder, chacun une fois
  QString proche;     // le texte avec les lettres les plus proches à leur place
};

// La longueur permise d'un nom (élève, classe, fichier).
inline constexpr qsizetype longueurnomélève = 64;

// Sans boîte : ce que la porte ferait du texte.
TexteContrôlé contrôlertexte(QStringView brut, GenreTexte genre);

// Le texte nettoyé avec les lettres les plus proches que Windows-1252 garde
// ("Łukasz" → "Lukasz", "Nguyễn" → "Nguyên") ; un caractère sans voisin disparaît.
QString lettresproches(QStringView texte);

// Avec les boîtes : rend le texte à garder (vide quand rien, ou seulement des
// blancs, n'a été tapé), ou rien quand il est refusé (le message est déjà montré ;
// l'appelant redemande ou s'arrête).
std::optional<QString> texteadmis(const QString& brut, GenreTexte genre);
