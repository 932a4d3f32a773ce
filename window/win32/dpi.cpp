#include "window/win32/dpi.h"

namespace tasa {
namespace {

template <class Function>
Function Lookup(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

Dpi Dpi::OfThisWindows() {
  Dpi dpi;
  if (const HMODULE user32 = GetModuleHandleW(L"user32.dll")) {
    dpi.dpi_for_window_ = Lookup<DpiForWindow>(user32, "GetDpiForWindow");
    dpi.system_metrics_for_dpi_ =
        Lookup<SystemMetricsForDpi>(user32, "GetSystemMetricsForDpi");
    dpi.adjust_window_rect_ex_for_dpi_ =
        Lookup<AdjustWindowRectExForDpi>(user32, "AdjustWindowRectExForDpi");
    dpi.system_parameters_info_for_dpi_ = Lookup<SystemParametersInfoForDpi>(
        user32, "SystemParametersInfoForDpi");
  }
  return dpi;
}

UINT Dpi::OfWindow(HWND window) const {
  if (dpi_for_window_ != nullptr) return dpi_for_window_(window);
  // Before per-monitor DPI, every window has the system's DPI.
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

int Dpi::Metric(int index, UINT dpi) const {
  if (system_metrics_for_dpi_ != nullptr) {
    return system_metrics_for_dpi_(index, dpi);
  }
  return GetSystemMetrics(index);  // for the system DPI, the only one there is
}

RECT Dpi::Frame(RECT client, DWORD style, UINT dpi) const {
  if (adjust_window_rect_ex_for_dpi_ != nullptr) {
    adjust_window_rect_ex_for_dpi_(&client, style, FALSE, 0, dpi);
  } else {
    AdjustWindowRectEx(&client, style, FALSE, 0);
  }
  return client;
}

std::wstring Dpi::MessageFontFace(UINT dpi) const {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  const bool read =
      system_parameters_info_for_dpi_ != nullptr
          ? system_parameters_info_for_dpi_(SPI_GETNONCLIENTMETRICS,
                                            sizeof metrics, &metrics, 0, dpi)
          : SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics,
                                  &metrics, 0);
  if (!read || metrics.lfMessageFont.lfFaceName[0] == L'\0') return L"Tahoma";
  return metrics.lfMessageFont.lfFaceName;
}

}  // namespace tasa
