#include "window/win32/notifications.h"

#include <uiautomationcore.h>

#include "window/win32/system_function.h"
#include "window/win32/wide_text.h"

namespace tasa {
namespace {

// NotificationKind_ActionCompleted, NotificationProcessing_ImportantMostRecent:
// a result replaces the one before it, if that is still being said.
constexpr int kActionCompleted = 2;
constexpr int kImportantMostRecent = 1;

}  // namespace

Notifications Notifications::OfThisWindows() {
  Notifications notifications;
  notifications.look_up_ = true;
  return notifications;
}

void Notifications::Announce(HWND control, std::string_view phrase) {
  if (look_up_) {
    look_up_ = false;
    // From System32 only; kept loaded for the life of the process.
    if (const HMODULE core = LoadLibraryExW(L"uiautomationcore.dll", nullptr,
                                            LOAD_LIBRARY_SEARCH_SYSTEM32)) {
      raise_ = SystemFunction<Raise>(core, "UiaRaiseNotificationEvent");
      host_provider_ = SystemFunction<HostProvider>(core, "UiaHostProviderFromHwnd");
    }
  }
  IRawElementProviderSimple* provider = nullptr;
  if (raise_ == nullptr || (host_provider_ != nullptr &&
                            FAILED(host_provider_(control, &provider)))) {
    return;
  }
  const BSTR text = SysAllocString(Widen(phrase).c_str());
  const BSTR activity = SysAllocString(L"TasaEfectiva.Result");
  if (text != nullptr && activity != nullptr) {
    raise_(provider, kActionCompleted, kImportantMostRecent, text, activity);
  }
  SysFreeString(activity);
  SysFreeString(text);
  if (provider != nullptr) provider->Release();
}

}  // namespace tasa
