#include <windows.h>

#include "window/win32/error_dialog.h"
#include "window/win32/win32_form1.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  tasa::Win32Form1 form(instance);
  if (form.handle() == nullptr) {
    tasa::ReportStartupFailure(form.startup_error());
    return 1;
  }
  ShowWindow(form.handle(), show);
  UpdateWindow(form.handle());

  MSG message{};
  BOOL got = FALSE;
  while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
    // The dialog manager moves the focus with Tab and Shift+Tab and turns
    // Return into a click of the focused button.
    if (!IsDialogMessageW(form.handle(), &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return got == 0 ? static_cast<int>(message.wParam) : 1;
}
