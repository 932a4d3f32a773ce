#pragma once

#include <algorithm>
#include <array>

namespace tasa {

// The characters that end a line: LF, CR, NEL (U+0085), LINE SEPARATOR
// (U+2028) and PARAGRAPH SEPARATOR (U+2029). A box holds one line, so a
// paste into it keeps what comes before the first of them. The page gets
// them from page_maker.
inline constexpr std::array<char32_t, 5> kLineBreaks = {
    U'\n', U'\r', U'\u0085', U'\u2028', U'\u2029'};

constexpr bool IsLineBreak(char32_t c) {
  return std::find(kLineBreaks.begin(), kLineBreaks.end(), c) !=
         kLineBreaks.end();
}

}  // namespace tasa
