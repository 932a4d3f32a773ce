#pragma once

#include <string>

#include "runtime/run_time_error.h"

namespace tasa {

// Shows a run-time error (number and description) to the user. The window
// plugs in a message box; tests plug in a recorder.
class ErrorReport {
 public:
  virtual ~ErrorReport() = default;
  virtual void Show(const RunTimeError& error) = 0;
};

// What every front end shows for an error: its title and its text (UTF-8).
inline constexpr char kErrorReportTitle[] = "Tasa Efectiva";
std::string ErrorReportText(const RunTimeError& error);

}  // namespace tasa
