#include "plateforme/qt/boitesqt.h"

#include <QApplication>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace {
QWidget* parent() { return QApplication::activeWindow(); }

// Les textes gardent les retours chariot de l'ancien système ; l'écran veut des sauts de ligne.
QString àlécran(QString texte) {
  texte.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  texte.replace(u'\r', u'\n');
  return texte;
}
}  // namespace

int BoitesQt::avertissement(const QString& texte, const QString& titre) {
  QMessageBox boîte(QMessageBox::Warning, titre, àlécran(texte), QMessageBox::Ok | QMessageBox::Cancel, parent());
  boîte.setDefaultButton(QMessageBox::Ok);
  return boîte.exec() == QMessageBox::Ok ? OK : ANNULER;
}

int BoitesQt::question(const QString& texte, const QString& titre, const QString& détails) {
  QMessageBox boîte(QMessageBox::Question, titre, àlécran(texte),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent());
  if (!détails.isEmpty()) boîte.setDetailedText(détails);
  boîte.setDefaultButton(QMessageBox::Yes);
  switch (boîte.exec()) {
    case QMessageBox::Yes: return OUI;
    case QMessageBox::No: return NON;
    default: return ANNULER;
  }
}

QString BoitesQt::saisie(const QString& invite, const QString& titre, const QString& défaut) {
  bool accepté = false;
  const QString texte = QInputDialog::getText(parent(), titre, àlécran(invite), QLineEdit::Normal, défaut, &accepté);
  return accepté ? texte : QString();
}

void BoitesQt::message(const QString& texte, const QString& titre) {
  QMessageBox boîte(QMessageBox::NoIcon, titre.isEmpty() ? QApplication::applicationDisplayName() : titre,
                    àlécran(texte), QMessageBox::Ok, parent());
  boîte.exec();
}

void BoitesQt::bip() { QApplication::beep(); }

void BoitesQt::sablier(bool actif) {
  if (actif)
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QGuiApplication::restoreOverrideCursor();
}
