#pragma once
// Classement des élèves de la classe ouverte par points, du meilleur au moins bon.

#include <QList>
#include <QString>

struct Classé {
  QString nom;
  QString points;  // "007", "045.5", "120" : partie entière sur trois chiffres
};

// Les points en texte, sans le blanc de tête, précédés de zéros jusqu'à trois
// chiffres avant la virgule.
QString textepoints(double points);

// Du meilleur au moins bon, selon la valeur des points ; à points égaux, le nom
// qui se range le dernier vient le premier.
QList<Classé> classer(const QList<std::pair<QString, double>>& élèves);

// Points de l'année (toutes les périodes et tous les examens, un "?" compte 0) ;
// rassemble les totaux, la classe-période ouverte reste chargée.
QList<Classé> classementannée();
// Points de la période ou de l'examen ouvert.
QList<Classé> classementpériode();
