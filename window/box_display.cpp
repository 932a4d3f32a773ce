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

}  // namespace tasa
