#include "plateforme/qt/boitesqt.h"

#include "plateforme/qt/annonce.h"

#include <QApplication>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QRegularExpression>

namespace {
QWidget* parent() { return QApplication::activeWindow(); }

// Les textes gardent les retours chariot de l'ancien système ; l'écran veut des sauts de ligne.
QString àlécran(QString texte) {
  texte.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  texte.replace(u'\r', u'\n');
  return texte;
}
constexpr int lignesmax = 24, lignesdudébut = 12, lignesdelafin = 6, largeurmax = 300;

}  // namespace

void poserletexte(QMessageBox& boîte, const QString& texte, const QString& détails) {
  QStringList lignes = àlécran(texte).split(u'\n');
  QStringList cachées;
  if (lignes.size() > lignesmax) {
    cachées = lignes.mid(lignesdudébut, lignes.size() - lignesdudébut - lignesdelafin);
    lignes = lignes.mid(0, lignesdudébut) +
             QStringList{QStringLiteral("… et %1 lignes de plus, dans les détails (bouton « Afficher les détails… »)").arg(cachées.size())} +
             lignes.mid(lignes.size() - lignesdelafin);
  }
  for (QString& l : lignes)
    if (l.size() > largeurmax) l = l.left(largeurmax) + QStringLiteral("…");
  boîte.setText(lignes.join(u'\n'));
  const QString tout = (cachées.join(u'\n') + (cachées.isEmpty() || détails.isEmpty() ? QString() : QStringLiteral("\n\n")) + détails);
  if (!tout.isEmpty()) boîte.setDetailedText(tout);
}

QString titrelisible(const QString& titre) {
  static const QRegularExpression espacé(QStringLiteral("^[!\\s]*(\\w )+\\w[!\\s]*$"), QRegularExpression::UseUnicodePropertiesOption);
  if (!espacé.match(titre).hasMatch()) return titre;
  QString t = titre.simplified();
  t.replace(QRegularExpression(QStringLiteral("(?<=\\w) (?=\\w)")), QString());  // « A T T E N » → « ATTEN »
  if (t == t.toUpper() && t != t.toLower()) {
    t = t.toLower();
    const qsizetype première = t.indexOf(QRegularExpression(QStringLiteral("\\w")));
    if (première >= 0) t[première] = t[première].toUpper();
  }
  return t.trimmed();
}

void poserletitre(QMessageBox& boîte, const QString& titre) {
  boîte.setWindowTitle(titre);
  const QString lisible = titrelisible(titre);
  if (lisible != titre) boîte.setAccessibleName(lisible);
}

int BoitesQt::avertissement(const QString& texte, const QString& titre) {
  QMessageBox boîte(QMessageBox::Warning, titre, QString(), QMessageBox::Ok | QMessageBox::Cancel, parent());
  poserletitre(boîte, titre);
  poserletexte(boîte, texte);
  boîte.setDefaultButton(QMessageBox::Ok);
  return boîte.exec() == QMessageBox::Ok ? OK : ANNULER;
}

int BoitesQt::question(const QString& texte, const QString& titre, const QString& détails) {
  QMessageBox boîte(QMessageBox::Question, titre, QString(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent());
  poserletitre(boîte, titre);
  poserletexte(boîte, texte, détails);
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
  QMessageBox boîte(QMessageBox::NoIcon, titre.isEmpty() ? QApplication::applicationDisplayName() : titre, QString(),
                    QMessageBox::Ok, parent());
  poserletitre(boîte, boîte.windowTitle());
  poserletexte(boîte, texte);
  boîte.exec();
}

void BoitesQt::bip() { QApplication::beep(); }

void BoitesQt::sablier(bool actif) {
  if (actif)
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QGuiApplication::restoreOverrideCursor();
}

void BoitesQt::annonce(const QString& texte) {
  if (BandeauAnnonce* bandeau = bandeaudelafenêtreactive()) bandeau->annoncer(àlécran(texte));
}
