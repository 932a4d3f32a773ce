#include "window/qt/message_box_report.h"

#include <QMessageBox>
#include <QPushButton>
#include <QString>

namespace tasa {

void MessageBoxReport::Show(const RunTimeError& error) {
  const QString description =
      QString::fromUtf8(error.description().data(),
                        static_cast<qsizetype>(error.description().size()));
  QMessageBox box(QMessageBox::Critical, QStringLiteral("Tasa Efectiva"),
                  QStringLiteral("Error %1 en tiempo de ejecución:\n\n%2")
                      .arg(error.number())
                      .arg(description),
                  QMessageBox::NoButton, window_);
  // Named here rather than translated: loading Qt's translations would cost
  // every start-up for the sake of one word.
  box.setDefaultButton(
      box.addButton(QStringLiteral("Aceptar"), QMessageBox::AcceptRole));
  box.exec();
}

}  // namespace tasa
