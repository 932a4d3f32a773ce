#pragma once

#include <windows.h>
// After windows.h, which it needs:
#include <oleauto.h>

#include <string_view>

struct IRawElementProviderSimple;

namespace tasa {

// Tells a screen reader what an action did without moving the focus: UI
// Automation's notification event, which Windows has from Windows 10
// version 1709 and which is looked up at run time. Windows 7 and 8.1 have
// no such event: there a person hears a result when the focus reaches its
// box, as before.
class Notifications {
 public:
  using Raise = HRESULT(WINAPI*)(IRawElementProviderSimple* provider, int kind,
                                 int processing, BSTR text, BSTR activity);

  // This Windows' event, looked up at the first announcement: loading UI
  // Automation at start-up would slow every start.
  static Notifications OfThisWindows();
  // None, as on Windows 7 and 8.1; or `raise` in place of Windows' own.
  explicit Notifications(Raise raise = nullptr) : raise_(raise) {}

  // Announces `phrase` (UTF-8) from `control`, the button that was pressed.
  void Announce(HWND control, std::string_view phrase);

 private:
  using HostProvider = HRESULT(WINAPI*)(HWND, IRawElementProviderSimple**);

  Raise raise_;
  HostProvider host_provider_ = nullptr;
  bool look_up_ = false;
};

}  // namespace tasa
