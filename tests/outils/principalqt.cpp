// Point d'entrée des essais qui ont besoin d'une application Qt (polices, fenêtres).
#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>

#include "plateforme/qt/style.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  chargerlespolicesàcôté();
  QLocale::setDefault(QLocale(QLocale::French, QLocale::Belgium));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
