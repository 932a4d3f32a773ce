#pragma once

#include "runtime/run_time_error.h"

namespace tasa {

// Shows a run-time error (number and description) to the user. The window
// plugs in a message box; tests plug in a recorder.
class ErrorReport {
 public:
  virtual ~ErrorReport() = default;
  virtual void Show(const RunTimeError& error) = 0;
};

}  // namespace tasa
