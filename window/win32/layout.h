#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

#include "window/form1_description.h"
#include "window/win32/dpi.h"

namespace tasa {

// The window's frame: a fixed size, a title bar and a window menu.
constexpr DWORD kFrameStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
// The shell's icon, in sizes from 16 to 256 pixels; icon group 1 keeps the
// program's original three images.
constexpr int kShellIcon = 2;

// Each control of the window with the description it was made from.
using ControlWindows = std::vector<std::pair<const ControlDescription*, HWND>>;

// The window at one DPI: its client area and every control where their
// twips put them, each control in the message font at the size its caption
// shows whole at (FittedCaptionSizes), and the window's icons in the sizes
// of that DPI. Made again each time the DPI changes.
class Layout {
 public:
  Layout(const Dpi& dpi, const FormDescription& form,
         const ControlWindows& controls)
      : dpi_(dpi), form_(form), controls_(controls) {}

  // Lays `window` and its controls out at `dpi`.
  void Apply(HWND window, UINT dpi);

 private:
  struct FontDeleter {
    void operator()(HFONT font) const { DeleteObject(font); }
  };
  using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;
  struct IconDeleter {
    void operator()(HICON icon) const { DestroyIcon(icon); }
  };
  using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

  HFONT MakeFont(int half_points, UINT dpi);
  bool CaptionFits(HWND window, const ControlDescription& control, HFONT font,
                   UINT dpi) const;

  const Dpi& dpi_;
  const FormDescription& form_;
  const ControlWindows& controls_;
  std::map<int, UniqueFont> fonts_;   // by size in half points, for one DPI
  UniqueIcon small_icon_, big_icon_;  // the window's, at its DPI
};

}  // namespace tasa
