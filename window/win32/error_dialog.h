#pragma once

#include <windows.h>

#include "runtime/error_report.h"

namespace tasa {

// Shows a run-time error over the window as the Qt window does: the error
// icon, the report's title and text, and one button, "Aceptar", in Spanish
// whatever the language of Windows. Return and Escape close it.
class Win32ErrorReport final : public ErrorReport {
 public:
  void Show(const RunTimeError& error) override;
  HWND owner = nullptr;
};

// Tells the user, in Spanish, that the window could not be made, with
// Windows' error code.
void ReportStartupFailure(DWORD error);

}  // namespace tasa
