#include "runtime/text_conversion.h"

#include <quadmath.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>

#include "runtime/run_time_error.h"

namespace tasa {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Spaces around a number: space, tab, and the no-break spaces that numbers
// copied from web pages and spreadsheets carry, U+00A0 and U+202F (UTF-8).
constexpr std::string_view kBlanks[] = {" ", "\t", "\xC2\xA0", "\xE2\x80\xAF"};

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
  std::size_t decimal_mark = std::string_view::npos;  // offset of ',' or '.'
};

std::size_t DigitsAt(std::string_view text, std::size_t at) {
  std::size_t end = at;
  while (end < text.size() && IsDigit(text[end])) ++end;
  return end - at;
}

NumberParts Split(std::string_view text) {
  NumberParts parts;
  std::size_t at = 0;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
    parts.negative = text[at] == '-';
    ++at;
  }
  parts.integer = text.substr(at, DigitsAt(text, at));
  at += parts.integer.size();
  if (at < text.size() && (text[at] == '.' || text[at] == ',')) {
    parts.decimal_mark = at++;
    parts.fraction = text.substr(at, DigitsAt(text, at));
    at += parts.fraction.size();
  }
  if (parts.integer.empty() && parts.fraction.empty()) {
    throw RunTimeError(ErrorKind::NotANumber);
  }
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    ++at;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
      parts.exponent_negative = text[at] == '-';
      ++at;
    }
    parts.exponent = text.substr(at, DigitsAt(text, at));
    if (parts.exponent.empty()) throw RunTimeError(ErrorKind::NotANumber);
    at += parts.exponent.size();
  }
  if (at != text.size()) throw RunTimeError(ErrorKind::NotANumber);
  return parts;
}

// The value of the exponent digits, held at 10^15: far beyond any exponent
// of a number in the range of a double, whatever its digits.
std::int64_t ExponentValue(const NumberParts& parts) {
  constexpr std::int64_t kSaturation = 1'000'000'000'000'000;
  std::int64_t exponent = 0;
  for (const char c : parts.exponent) {
    exponent = std::min(exponent * 10 + (c - '0'), kSaturation);
  }
  return parts.exponent_negative ? -exponent : exponent;
}

// Whether a number that does not fit a double is too large (rather than too
// small): its leading significant digit stands at a decimal position >= 0.
bool IsTooLarge(const NumberParts& parts) {
  // Decimal position of the leading significant digit: 0 for units, 1 for
  // tens, -1 for tenths...
  std::int64_t position = 0;
  const auto first_integer = parts.integer.find_first_not_of('0');
  if (first_integer != std::string_view::npos) {
    position =
        static_cast<std::int64_t>(parts.integer.size() - first_integer) - 1;
  } else {
    const auto first_fraction = parts.fraction.find_first_not_of('0');
    if (first_fraction == std::string_view::npos) return false;  // zero
    position = -static_cast<std::int64_t>(first_fraction) - 1;
  }
  return position + ExponentValue(parts) >= 0;
}

// Writes significant digits (no trailing zeros) times 10^exponent, where
// the first digit stands at 10^exponent, in the boxes' format.
std::string Formatted(bool negative, const std::string& digits, int exponent) {
  constexpr int kFixedDigits = 15;
  std::string text;
  if (negative) text.push_back('-');
  if (exponent < -4 || exponent >= kFixedDigits) {
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

// A number in scientific form: its significant digits, the first standing
// at 10^exponent.
struct Scientific {
  bool negative = false;
  std::string digits;
  int exponent = 0;
};

// Reads "-d.ddde+dd", as printf and to_chars write it.
Scientific ParsedScientific(std::string_view text) {
  Scientific number;
  number.negative = text.front() == '-';
  const std::size_t e_at = text.find_first_of("eE");
  for (const char c : text.substr(0, e_at)) {
    if (IsDigit(c)) number.digits.push_back(c);
  }
  std::string_view exponent = text.substr(e_at + 1);
  if (exponent.front() == '+') exponent.remove_prefix(1);
  std::from_chars(exponent.data(), exponent.data() + exponent.size(),
                  number.exponent);
  return number;
}

constexpr std::size_t kSignificantDigits = 15;

// The value's first `count` significant digits, correctly rounded.
Scientific DigitsOf(Quad value, int count) {
  char buffer[64];
  quadmath_snprintf(buffer, sizeof buffer, "%.*Qe", count - 1, value);
  return ParsedScientific(buffer);
}

enum class AgainstTie { kBelow, kWithin, kAbove };

// Where the digits after the 15th stand against a tie (a 5 and zeros).
AgainstTie Compare(const Scientific& number, std::uint64_t window) {
  std::uint64_t rest = 0;
  std::uint64_t tie = 0;
  for (const char c :
       std::string_view(number.digits).substr(kSignificantDigits)) {
    rest = rest * 10 + static_cast<std::uint64_t>(c - '0');
    tie = tie == 0 ? 5 : tie * 10;
  }
  if (rest + window < tie) return AgainstTie::kBelow;
  if (rest > tie + window) return AgainstTie::kAbove;
  return AgainstTie::kWithin;
}

// Keeps 15 digits, adding one in the last place if `up`.
Scientific RoundedTo15(Scientific number, bool up) {
  number.digits.resize(kSignificantDigits);
  if (up) {
    auto digit = number.digits.rbegin();
    while (digit != number.digits.rend() && *digit == '9') *digit++ = '0';
    if (digit == number.digits.rend()) {
      number.digits.front() = '1';  // 999... went up to 1000...
      ++number.exponent;
    } else {
      ++*digit;
    }
  }
  return number;
}

// Rounded to 15 digits, ties to even. 21 digits tell which way unless they
// lie next to a tie; then all 34 do, and within 10^4 units of the 34th
// (10^-29 of the value) of a tie, it is taken for the tie: a computed result
// carries a smaller error than that, and 113 bits cannot tell a value that
// close from the tie. Writing 21 digits is much quicker than writing 34.
Scientific RoundedTo15(Quad value) {
  Scientific number = DigitsOf(value, 21);
  AgainstTie against = Compare(number, 1);
  if (against == AgainstTie::kWithin) {
    number = DigitsOf(value, 34);
    against = Compare(number, 10'000);
  }
  const bool odd = (number.digits[kSignificantDigits - 1] - '0') % 2 == 1;
  return RoundedTo15(number, against == AgainstTie::kAbove ||
                                 (against == AgainstTie::kWithin && odd));
}

}  // namespace

Decimal TextToNumber(std::string_view text) {
  text = Trimmed(text);
  if (text.empty()) return {};

  const NumberParts parts = Split(text);

  // The range of a double decides what overflows and what reads as zero.
  // from_chars takes no '+' and only '.' as the decimal mark.
  std::string_view digits = text;
  if (digits.front() == '+') digits.remove_prefix(1);
  std::string with_point;
  if (parts.decimal_mark != std::string_view::npos &&
      text[parts.decimal_mark] == ',') {
    with_point.assign(digits);
    std::replace(with_point.begin(), with_point.end(), ',', '.');
    digits = with_point;
  }
  double value = 0.0;
  const auto [end, error] =
      std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error == std::errc::result_out_of_range) {
    if (IsTooLarge(parts)) throw RunTimeError(ErrorKind::Overflow);
    return Decimal{parts.negative, {}, 0};
  }
  if (error != std::errc() || end != digits.data() + digits.size()) {
    throw RunTimeError(ErrorKind::NotANumber);
  }

  std::string significant(parts.integer);
  significant.append(parts.fraction);
  return MakeDecimal(
      parts.negative, std::move(significant),
      ExponentValue(parts) - static_cast<std::int64_t>(parts.fraction.size()));
}

std::string NumberToText(Quad value) {
  if (isnanq(value)) throw RunTimeError(ErrorKind::InvalidOperation);
  if (std::isinf(static_cast<double>(value))) {
    throw RunTimeError(ErrorKind::Overflow);
  }
  if (value == 0) return "0";  // also -0: never shown with a sign

  auto [negative, digits, exponent] = RoundedTo15(value);

  // The largest double is 1,7976931348623157E+308; rounded to nearest, the
  // values just below it would read 1,79769313486232E+308, beyond every
  // double. They are rounded toward zero instead.
  if (exponent == 308 && digits > "179769313486231") digits = "179769313486231";

  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  return Formatted(negative, digits, exponent);
}

}  // namespace tasa
