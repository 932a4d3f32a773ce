#include "runtime/text_conversion.h"

#include <algorithm>
#include <cstdint>

#include "runtime/exact/double_range.h"
#include "runtime/exact/rounding.h"
#include "runtime/run_time_error.h"

namespace tasa {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Blanks around a number, in UTF-8: tab, vertical tab and form feed, every
// space separator of Unicode (the no-break and thin spaces that numbers
// copied from web pages, spreadsheets and typeset documents carry among
// them), and the invisible zero-width space, word joiner and byte-order
// mark.
constexpr std::string_view kBlanks[] = {
    "\t",           "\v",           "\f",           " ",
    "\xC2\xA0",     "\xE1\x9A\x80", "\xE2\x80\x80", "\xE2\x80\x81",
    "\xE2\x80\x82", "\xE2\x80\x83", "\xE2\x80\x84", "\xE2\x80\x85",
    "\xE2\x80\x86", "\xE2\x80\x87", "\xE2\x80\x88", "\xE2\x80\x89",
    "\xE2\x80\x8A", "\xE2\x80\xAF", "\xE2\x81\x9F", "\xE3\x80\x80",
    "\xE2\x80\x8B", "\xE2\x81\xA0", "\xEF\xBB\xBF"};

// A typeset minus sign, U+2212, counts as '-'.
constexpr std::string_view kMinusSign = "\xE2\x88\x92";

// The length of a sign at `at` (0 for none), and whether it is a minus.
std::size_t SignAt(std::string_view text, std::size_t at, bool& negative) {
  const std::string_view rest = text.substr(at);
  negative = rest.starts_with('-') || rest.starts_with(kMinusSign);
  if (rest.starts_with(kMinusSign)) return kMinusSign.size();
  return rest.starts_with('-') || rest.starts_with('+') ? 1 : 0;
}

std::string_view Trimmed(std::string_view text) {
  for (bool trimmed = true; trimmed;) {
    trimmed = false;
    for (const std::string_view blank : kBlanks) {
      while (text.starts_with(blank)) {
        text.remove_prefix(blank.size());
        trimmed = true;
      }
      while (text.ends_with(blank)) {
        text.remove_suffix(blank.size());
        trimmed = true;
      }
    }
  }
  return text;
}

// The pieces of a number that passed the grammar check.
struct NumberParts {
  bool negative = false;
  std::string_view integer;   // digits before the decimal mark
  std::string_view fraction;  // digits after it
  bool exponent_negative = false;
  std::string_view exponent;  // digits of the exponent, maybe empty
};

std::size_t DigitsAt(std::string_view text, std::size_t at) {
  std::size_t end = at;
  while (end < text.size() && IsDigit(text[end])) ++end;
  return end - at;
}

NumberParts Split(std::string_view text) {
  NumberParts parts;
  std::size_t at = SignAt(text, 0, parts.negative);
  parts.integer = text.substr(at, DigitsAt(text, at));
  at += parts.integer.size();
  if (at < text.size() && (text[at] == '.' || text[at] == ',')) {
    ++at;
    parts.fraction = text.substr(at, DigitsAt(text, at));
    at += parts.fraction.size();
  }
  if (parts.integer.empty() && parts.fraction.empty()) {
    throw RunTimeError(ErrorKind::NotANumber);
  }
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    ++at;
    at += SignAt(text, at, parts.exponent_negative);
    parts.exponent = text.substr(at, DigitsAt(text, at));
    if (parts.exponent.empty()) throw RunTimeError(ErrorKind::NotANumber);
    at += parts.exponent.size();
  }
  if (at != text.size()) throw RunTimeError(ErrorKind::NotANumber);
  return parts;
}

// The value of the exponent digits, held at 10^17: a text shorter than
// 10^16 characters then lies beyond the range of a double, one way or the
// other, with the exponent as it is and as it is held.
std::int64_t ExponentValue(const NumberParts& parts) {
  constexpr std::int64_t kSaturation = 100'000'000'000'000'000;
  std::int64_t exponent = 0;
  for (const char c : parts.exponent) {
    exponent = std::min(exponent * 10 + (c - '0'), kSaturation);
  }
  return parts.exponent_negative ? -exponent : exponent;
}

// Writes significant digits (no trailing zeros) times 10^exponent, where
// the first digit stands at 10^exponent, in the boxes' format.
std::string Formatted(bool negative, const std::string& digits, int exponent,
                      Notation notation = Notation::kAsResults) {
  // Without the exponent form, a number from 10^kShownDigits up would show
  // more digits than it has.
  std::string text;
  if (negative) text.push_back('-');
  if (exponent < -4 || exponent >= static_cast<int>(kShownDigits) ||
      notation == Notation::kExponent) {
    text.push_back(digits.front());
    if (digits.size() > 1) {
      text.push_back(',');
      text.append(digits, 1);
    }
    text.push_back('E');
    text.push_back(exponent < 0 ? '-' : '+');
    const int magnitude = exponent < 0 ? -exponent : exponent;
    if (magnitude < 10) text.push_back('0');
    text.append(std::to_string(magnitude));
  } else if (exponent >= 0) {
    const auto integer_digits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= integer_digits) {
      text.append(digits);
      text.append(integer_digits - digits.size(), '0');
    } else {
      text.append(digits, 0, integer_digits);
      text.push_back(',');
      text.append(digits, integer_digits);
    }
  } else {
    text.append("0,");
    text.append(static_cast<std::size_t>(-exponent - 1), '0');
    text.append(digits);
  }
  return text;
}

}  // namespace

Decimal TextToNumber(std::string_view text) {
  text = Trimmed(text);
  if (text.empty()) return {};

  const NumberParts parts = Split(text);
  std::string significant(parts.integer);
  significant.append(parts.fraction);
  const Decimal value = MakeDecimal(
      parts.negative, std::move(significant),
      ExponentValue(parts) - static_cast<std::int64_t>(parts.fraction.size()));
  // What a double would make of it decides, on the exact value.
  switch (AsDouble(value)) {
    case InDouble::kInfinity:
      throw RunTimeError(ErrorKind::Overflow);
    case InDouble::kZero:
      return Decimal{parts.negative, {}, 0};
    case InDouble::kNumber:
      break;
  }
  return value;
}

std::string NumberToText(const Decimal& value, std::size_t digits,
                         Notation notation) {
  if (value.IsZero()) return "0";
  const Decimal rounded = RoundedToDigits(value, digits);
  return Formatted(rounded.negative, rounded.digits,
                   static_cast<int>(rounded.Lead()), notation);
}

std::string NumberToText(const Decimal& value) {
  if (value.IsZero()) return "0";  // also -0: never shown with a sign
  const Decimal rounded = RoundedToShown(value);
  std::string digits = rounded.digits;
  const auto exponent = static_cast<int>(rounded.Lead());
  std::string padded = digits;
  padded.resize(kShownDigits, '0');
  // A value just below the largest double (1,7976931348623157E+308) would
  // round to 1,79769313486232E+308, and one just above 2^-1075 to
  // 2,47032822920623E-324: read back, the first is beyond every double and
  // the second is held as 0. Each goes to the neighbour that reads back.
  if (exponent == 308 && padded > "179769313486231") digits = "179769313486231";
  if (exponent == -324 && padded <= "247032822920623")
    digits = "247032822920624";
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  return Formatted(rounded.negative, digits, exponent);
}

}  // namespace tasa
