#include "plateforme/qt/style.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFontDatabase>
#include <QProxyStyle>
#include <QStyle>

namespace {

class StyleClavier : public QProxyStyle {
public:
  explicit StyleClavier(const QString& base) : QProxyStyle(base) {}
  int styleHint(StyleHint indice, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* retour) const override {
    if (indice == QStyle::SH_MenuBar_AltKeyNavigation) return 0;
    return QProxyStyle::styleHint(indice, option, widget, retour);
  }
};

}  // namespace

void poserlestyle() {
#ifndef Q_OS_WIN
  QApplication::setStyle(new StyleClavier(QApplication::style()->name()));
#endif
}

void chargerlespolicesàcôté() {
  const QDir polices(QCoreApplication::applicationDirPath() + QStringLiteral("/polices"));
  for (const QFileInfo& police : polices.entryInfoList({QStringLiteral("*.ttf")}, QDir::Files))
    QFontDatabase::addApplicationFont(police.filePath());
}
