#include "window/win32/error_dialog.h"

#include <commctrl.h>

#include <string>

#include "window/win32/wide_text.h"

namespace tasa {
namespace {

// A task dialog with one custom button: MessageBoxW would label it in the
// language of Windows. TaskDialogIndirect comes with the common controls 6
// that the manifest asks for; without them, the message box has to do.
void ShowErrorDialog(HWND owner, const std::wstring& text) {
  using TaskDialogIndirectFunction =
      HRESULT(WINAPI*)(const TASKDIALOGCONFIG*, int*, int*, BOOL*);
  const HMODULE common_controls = GetModuleHandleW(L"comctl32.dll");
  const auto task_dialog =
      reinterpret_cast<TaskDialogIndirectFunction>(reinterpret_cast<void*>(
          GetProcAddress(common_controls, "TaskDialogIndirect")));

  const std::wstring title = Widen(kErrorReportTitle);
  // The one button has the cancel id, so that Escape closes the report as
  // Return does; some task dialogs close on Escape only through such a
  // button.
  const TASKDIALOG_BUTTON accept{IDCANCEL, L"Aceptar"};
  TASKDIALOGCONFIG config{};
  config.cbSize = sizeof config;
  config.hwndParent = owner;
  config.dwFlags =
      TDF_ALLOW_DIALOG_CANCELLATION | TDF_POSITION_RELATIVE_TO_WINDOW;
  config.pszWindowTitle = title.c_str();
  config.pszMainIcon = TD_ERROR_ICON;
  config.pszContent = text.c_str();
  config.cButtons = 1;
  config.pButtons = &accept;
  config.nDefaultButton = IDCANCEL;
  if (task_dialog != nullptr &&
      SUCCEEDED(task_dialog(&config, nullptr, nullptr, nullptr))) {
    return;
  }
  MessageBoxW(owner, text.c_str(), title.c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace

void Win32ErrorReport::Show(const RunTimeError& error) {
  ShowErrorDialog(owner, Widen(ErrorReportText(error)));
}

void ReportStartupFailure(DWORD error) {
  ShowErrorDialog(nullptr,
                  L"No se pudo abrir la ventana de la calculadora (error " +
                      std::to_wstring(error) + L" de Windows).");
}

}  // namespace tasa
