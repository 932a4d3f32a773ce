#include "runtime/text_conversion.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>

#include "runtime/run_time_error.h"

namespace tasa {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
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

// Whether a number that does not fit a double is too large (rather than too
// small): its leading significant digit stands at a decimal position >= 0.
bool IsTooLarge(const NumberParts& parts) {
  constexpr std::int64_t kSaturation = 1'000'000'000;
  std::int64_t exponent = 0;
  for (const char c : parts.exponent) {
    exponent = std::min(exponent * 10 + (c - '0'), kSaturation);
  }
  if (parts.exponent_negative) exponent = -exponent;

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
  return position + exponent >= 0;
}

// Lowers a string of decimal digits by one unit in its last place.
void DecrementLastDigit(std::string& digits) {
  for (auto digit = digits.rbegin(); digit != digits.rend(); ++digit) {
    if (*digit != '0') {
      --*digit;
      return;
    }
    *digit = '9';
  }
}

}  // namespace

double TextToNumber(std::string_view text) {
  text = Trimmed(text);
  if (text.empty()) return 0.0;

  const NumberParts parts = Split(text);

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
    return parts.negative ? -0.0 : 0.0;
  }
  if (error != std::errc() || end != digits.data() + digits.size()) {
    throw RunTimeError(ErrorKind::NotANumber);
  }
  return value;
}

std::string NumberToText(double value) {
  if (std::isnan(value)) throw RunTimeError(ErrorKind::InvalidOperation);
  if (std::isinf(value)) throw RunTimeError(ErrorKind::Overflow);
  if (value == 0.0) return "0";  // also -0: never shown with a sign

  constexpr int kSignificantDigits = 15;
  // "-d.dddddddddddddde-ddd" fits comfortably.
  char buffer[40];
  const auto [end, error] =
      std::to_chars(buffer, buffer + sizeof buffer, value,
                    std::chars_format::scientific, kSignificantDigits - 1);
  const std::string_view scientific(buffer,
                                    static_cast<std::size_t>(end - buffer));
  (void)error;  // the buffer is large enough for any double

  const bool negative = scientific.front() == '-';
  const std::size_t e_at = scientific.find('e');
  std::string digits;
  digits.reserve(kSignificantDigits);
  for (const char c : scientific.substr(0, e_at)) {
    if (IsDigit(c)) digits.push_back(c);
  }

  int exponent = 0;
  std::string_view exponent_text = scientific.substr(e_at + 1);
  if (exponent_text.front() == '+') exponent_text.remove_prefix(1);
  std::from_chars(exponent_text.data(),
                  exponent_text.data() + exponent_text.size(), exponent);

  // Just below the largest double, rounding to 15 digits goes past it, and
  // the text would not read back. Such values are written rounded toward
  // zero instead.
  double written = 0.0;
  if (std::from_chars(scientific.data(), scientific.data() + scientific.size(),
                      written)
          .ec == std::errc::result_out_of_range) {
    DecrementLastDigit(digits);
  }
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string text;
  if (negative) text.push_back('-');
  if (exponent < -4 || exponent >= kSignificantDigits) {
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

}  // namespace tasa
