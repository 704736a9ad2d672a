#pragma once
// Fichier des notes d'une classe-période (clé\clé.P1N) : élèves, notes écrites,
// notes orales, résultats enregistrés et compétences de la classe.

#include <QString>
#include <QStringList>
#include <QStringView>

// Découpe une ligne "/" sans recopier le reste à chaque champ : quand il ne reste
// plus de "/", le dernier champ revient à chaque appel (une ligne trop courte
// répète son dernier champ).
class DécoupeurLigne {
public:
  explicit DécoupeurLigne(QStringView ligne) : reste_(ligne) {}
  QStringView suivant();
  QStringView reste() const { return reste_; }

private:
  QStringView reste_;
};

// Le découpeur du module, sur état().reste.
QString champsuivant();

// Charge la classe classecourante à la clé périodecourante : maxima, notes,
// interrogations et statistiques (sauf quand pascalcul vaut 1 : résultats seuls).
void chargerclasse();
// Le même chargement sur des lignes déjà lues, sans rien lire ni comparer : les
// maxima (analysermaxima) et périodecourante sont déjà là. Lève les erreurs du
// chargement (chemin pour les messages).
void chargerclassedepuis(const QStringList& notes, const QStringList& interros, const QString& chemin);

// Écrit le fichier des notes de la classe-période ouverte.
void sauverclasse();
// Écrit ensemble, en une transaction, les notes et les interrogations de la
// classe-période ouverte. Quand l'écriture est abandonnée, recharge la
// classe-période depuis le disque et rend faux.
bool sauverclasseetinterros();
// Les lignes que sauverclasse écrirait.
QStringList lignesclasse();

// Refait ligneélève(i) à partir du nom, des notes écrites et des notes orales.
void reconstruireligne(int i);

// Porte le nombre de colonnes orales à nombre, en gardant les notes orales.
void agrandirorales(int nombre);

// Redécoupe toutes les lignes des élèves et recalcule les statistiques par test ;
// une valeur hors limites lève une erreur qui nomme le fichier et la ligne.
void découperetstatistiques();
void découperetstatistiquesde(const QString& cheminpourlesmessages);

// Le temps d'une commande qui charge d'autres classes-périodes : si elle est
// abandonnée par une exception, la classe-période d'avant est rechargée, si bien
// que la feuille ne montre (et n'écrit) jamais une autre période que la sienne.
class GardeClassePériode {
public:
  GardeClassePériode();
  ~GardeClassePériode();
  GardeClassePériode(const GardeClassePériode&) = delete;
  GardeClassePériode& operator=(const GardeClassePériode&) = delete;

private:
  int classe_;
  QString période_;
  int pascalcul_;
  int exceptions_;
};

// Ligne des résultats de l'élève i telle que le fichier la garde.
QString ligneresultats(int i);
