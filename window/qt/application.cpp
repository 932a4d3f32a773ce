#include "window/qt/application.h"

#include <QApplication>

#include "window/version.h"

namespace tasa {

void DescribeApplication() {
  // No display name: Qt would append it to the window's caption.
  QApplication::setApplicationName(QStringLiteral("tasa-efectiva"));
  QApplication::setApplicationVersion(QString::fromLatin1(kVersion));
  QApplication::setDesktopFileName(
      QStringLiteral("org.example.tasa.TasaEfectiva"));
}

}  // namespace tasa
