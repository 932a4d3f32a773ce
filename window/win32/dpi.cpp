#include "window/win32/dpi.h"

#include "window/win32/system_function.h"

namespace tasa {
namespace {

// The system's DPI, which every window has before per-monitor DPI.
UINT SystemDpi() {
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

}  // namespace

Dpi Dpi::OfWindows81() {
  Dpi dpi;
  // From System32 only; kept loaded for the life of the process.
  if (const HMODULE shcore = LoadLibraryExW(L"shcore.dll", nullptr,
                                            LOAD_LIBRARY_SEARCH_SYSTEM32)) {
    dpi.dpi_for_monitor_ = SystemFunction<DpiForMonitor>(shcore, "GetDpiForMonitor");
  }
  return dpi;
}

Dpi Dpi::OfThisWindows() {
  Dpi dpi = OfWindows81();
  if (const HMODULE user32 = GetModuleHandleW(L"user32.dll")) {
    dpi.dpi_for_window_ = SystemFunction<DpiForWindow>(user32, "GetDpiForWindow");
    dpi.system_metrics_for_dpi_ =
        SystemFunction<SystemMetricsForDpi>(user32, "GetSystemMetricsForDpi");
    dpi.adjust_window_rect_ex_for_dpi_ =
        SystemFunction<AdjustWindowRectExForDpi>(user32, "AdjustWindowRectExForDpi");
    dpi.system_parameters_info_for_dpi_ = SystemFunction<SystemParametersInfoForDpi>(
        user32, "SystemParametersInfoForDpi");
  }
  return dpi;
}

UINT Dpi::OfWindow(HWND window) const {
  if (dpi_for_window_ != nullptr) return dpi_for_window_(window);
  constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI
  UINT x = 0, y = 0;
  if (dpi_for_monitor_ != nullptr &&
      SUCCEEDED(
          dpi_for_monitor_(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST),
                           kEffectiveDpi, &x, &y)) &&
      y > 0) {
    return y;
  }
  return SystemDpi();
}

int Dpi::Metric(int metric, UINT dpi) const {
  if (system_metrics_for_dpi_ != nullptr) {
    return system_metrics_for_dpi_(metric, dpi);
  }
  // The system's metrics are for its DPI: scaled to the window's.
  return MulDiv(GetSystemMetrics(metric), static_cast<int>(dpi),
                static_cast<int>(SystemDpi()));
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
