#include "window/qt/application.h"

#include <QApplication>

#include "window/version.h"

namespace tasa {

void DescribeApplication() {
  QApplication::setApplicationName(QStringLiteral("tasa-efectiva"));
  QApplication::setApplicationDisplayName(QStringLiteral("Tasa Efectiva"));
  QApplication::setApplicationVersion(QString::fromLatin1(kVersion));
  QApplication::setDesktopFileName(
      QStringLiteral("org.example.tasa.TasaEfectiva"));
}

}  // namespace tasa
