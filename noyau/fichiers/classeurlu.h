#pragma once
// La première feuille d'un classeur venu d'ailleurs (.xlsx d'un tableur, .ods de
// LibreOffice), en lignes de textes : le zip s'ouvre avec libarchive, les cellules
// se lisent avec le lecteur XML de Qt. Cases vides à leur place, cases fusionnées
// portant la valeur de leur coin, nombres tels que le fichier les garde.

#include <QByteArray>
#include <QList>
#include <QStringList>

using TableauLu = QList<QStringList>;

// La première feuille d'un classeur .xlsx ou .ods, reconnu à son contenu. Lève
// ErreurDonnée (phrase française) pour un fichier abîmé, protégé par un mot de
// passe ou qui n'est pas un classeur.
TableauLu premièrefeuille(const QByteArray& octets);

// Vrai pour les premiers octets d'un classeur : un zip (.xlsx, .ods) ou un fichier
// composé (.xls, classeur protégé par un mot de passe).
bool estunclasseur(const QByteArray& octets);
