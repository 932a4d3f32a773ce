#pragma once

#include <windows.h>

#include <string>

namespace tasa {

// The per-monitor DPI functions of Windows 10 (version 1607 on), looked up
// at run time so that the program still starts on Windows 7, where each of
// them is missing and a fallback for the system DPI stands in. Between the
// two, Windows 8.1 and the first Windows 10 tell a monitor's DPI through
// shcore's GetDpiForMonitor.
class Dpi {
 public:
  // The functions this Windows has.
  static Dpi OfThisWindows();
  // Only GetDpiForMonitor, as on Windows 8.1.
  static Dpi OfWindows81();
  // None of them, as on Windows 7.
  static Dpi OfWindows7() { return Dpi(); }

  // The window's resolution in dots per inch.
  UINT OfWindow(HWND window) const;
  // GetSystemMetrics at `dpi`.
  int Metric(int metric, UINT dpi) const;
  // The window rectangle around `client` for a window with `style` at `dpi`.
  RECT Frame(RECT client, DWORD style, UINT dpi) const;
  // The face of the font Windows uses for messages (Segoe UI on Windows 7 and
  // later; Tahoma under Wine).
  std::wstring MessageFontFace(UINT dpi) const;

 private:
  using DpiForWindow = UINT(WINAPI*)(HWND);
  using DpiForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
  using SystemMetricsForDpi = int(WINAPI*)(int, UINT);
  using AdjustWindowRectExForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD,
                                                 UINT);
  using SystemParametersInfoForDpi = BOOL(WINAPI*)(UINT, UINT, void*, UINT,
                                                   UINT);

  DpiForWindow dpi_for_window_ = nullptr;
  DpiForMonitor dpi_for_monitor_ = nullptr;
  SystemMetricsForDpi system_metrics_for_dpi_ = nullptr;
  AdjustWindowRectExForDpi adjust_window_rect_ex_for_dpi_ = nullptr;
  SystemParametersInfoForDpi system_parameters_info_for_dpi_ = nullptr;
};

}  // namespace tasa
