#pragma once

#include <QPointer>
#include <QWidget>

#include "runtime/error_report.h"

namespace tasa {

// Shows a run-time error in a modal message box over the window.
class MessageBoxReport final : public ErrorReport {
 public:
  explicit MessageBoxReport(QWidget* window) : window_(window) {}
  void Show(const RunTimeError& error) override;

 private:
  QPointer<QWidget> window_;
};

}  // namespace tasa
