#include <windows.h>

#include "window/win32/win32_form1.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  tasa::Win32Form1 form(instance);
  ShowWindow(form.handle(), show);
  UpdateWindow(form.handle());

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    // The dialog manager moves the focus with Tab and Shift+Tab and turns
    // Return into a click of the focused button.
    if (!IsDialogMessageW(form.handle(), &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return static_cast<int>(message.wParam);
}
