#include "window/box_display.h"

#include <algorithm>

#include "runtime/exact/shown_digits.h"
#include "runtime/run_time_error.h"
#include "runtime/text_conversion.h"

namespace tasa {

std::string ShownWithoutFocus(
    std::string_view text, const std::function<bool(std::string_view)>& fits) {
  if (text.size() <= kLongestMeasured && fits(text)) return std::string(text);
  Decimal value;
  try {
    value = TextToNumber(text);
  } catch (const RunTimeError&) {
    return std::string(text);  // not a number, or beyond the range of one
  }
  // From as many digits as the number has, at most those a result shows,
  // down to 1; with each, as results are written, then in exponent form,
  // which keeps large and small numbers short.
  std::string shown;
  for (std::size_t digits =
           std::clamp<std::size_t>(value.digits.size(), 1, kShownDigits);
       digits >= 1; --digits) {
    for (const Notation notation :
         {Notation::kAsResults, Notation::kExponent}) {
      shown = NumberToText(value, digits, notation);
      if (fits(shown)) return shown;
    }
  }
  return shown;  // the shortest there is
}

std::string TooltipOf(std::string_view text) {
  // Each code point starts at a byte that does not continue one.
  std::size_t code_points = 0;
  std::size_t cut = text.size();
  for (std::size_t at = 0; at < text.size(); ++at) {
    if ((static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) continue;
    if (code_points == kLongestTooltip - 1) cut = at;
    if (++code_points > kLongestTooltip) {
      return std::string(text.substr(0, cut)) + "\u2026";
    }
  }
  return std::string(text);
}

}  // namespace tasa
