#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace tasa {

// UTF-8 <-> UTF-16 for the window API. Unpaired surrogates become U+FFFD.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// A window's text, or nothing when it could not be read.
std::optional<std::wstring> WindowText(HWND window);

}  // namespace tasa
