#include "window/qt/message_box_report.h"

#include <QMessageBox>
#include <QPushButton>
#include <QString>

namespace tasa {

void MessageBoxReport::Show(const RunTimeError& error) {
  QMessageBox box(QMessageBox::Critical, QString::fromUtf8(kErrorReportTitle),
                  QString::fromStdString(ErrorReportText(error)),
                  QMessageBox::NoButton, window_);
  // Named here rather than translated: loading Qt's translations would cost
  // every start-up for the sake of one word.
  box.setDefaultButton(
      box.addButton(QStringLiteral("Aceptar"), QMessageBox::AcceptRole));
  box.exec();
}

}  // namespace tasa
