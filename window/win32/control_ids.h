#pragma once

#include "window/form1_description.h"

namespace tasa {

// Child-window id of a control in the Win32 window: its tab index plus a
// base. Tab indexes are unique, so the ids are too, and the test driver can
// find every control from the window description alone.
constexpr int kFirstControlId = 1000;
constexpr int ControlId(const ControlDescription& control) {
  return kFirstControlId + control.tab_index;
}

// The window class of the main window, for FindWindow.
inline constexpr wchar_t kForm1ClassName[] = L"TasaEfectivaForm1";

}  // namespace tasa
