#pragma once

namespace tasa {

// The characters that end a line: LF, CR, NEL (U+0085), LINE SEPARATOR
// (U+2028) and PARAGRAPH SEPARATOR (U+2029). A box holds one line, so a
// paste into it keeps what comes before the first of them.
constexpr bool IsLineBreak(char32_t c) {
  return c == U'\n' || c == U'\r' || c == U'\u0085' || c == U'\u2028' ||
         c == U'\u2029';
}

}  // namespace tasa
