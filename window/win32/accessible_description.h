#pragma once

#include <windows.h>

#include <string>

namespace tasa {

// The answer to WM_GETOBJECT for a control that screen readers should hear
// with a description after its name and text (a box's unit): Windows' own
// accessible object for the control, but for its description. 0, which
// leaves the control to Windows, for any object but the control's own or
// where that cannot be made.
LRESULT DescribedObject(HWND control, WPARAM w, LPARAM l,
                        std::wstring description);

}  // namespace tasa
