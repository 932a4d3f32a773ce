#include "runtime/exact/decimal.h"

#include <algorithm>
#include <string_view>

namespace tasa {
namespace {

// Digit strings as whole numbers, most significant digit first.

int CompareWhole(std::string_view a, std::string_view b) {
  a.remove_prefix(std::min(a.find_first_not_of('0'), a.size()));
  b.remove_prefix(std::min(b.find_first_not_of('0'), b.size()));
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  return a.compare(b);
}

// a + b, or a - b for a >= b.
std::string AddWhole(std::string_view a, std::string_view b, bool subtract) {
  std::string result(std::max(a.size(), b.size()) + 1, '0');
  int carry = 0;
  for (std::size_t i = 0; i < result.size(); ++i) {
    const int x = i < a.size() ? a[a.size() - 1 - i] - '0' : 0;
    const int y = i < b.size() ? b[b.size() - 1 - i] - '0' : 0;
    int digit = subtract ? x - y - carry : x + y + carry;
    carry = subtract ? digit < 0 : digit > 9;
    digit += subtract ? (digit < 0 ? 10 : 0) : (digit > 9 ? -10 : 0);
    result[result.size() - 1 - i] = static_cast<char>('0' + digit);
  }
  return result;
}

// The k for which digits == prime^k, or -1 when there is none.
int PowerOf(std::string digits, int prime) {
  int power = 0;
  while (digits != "1") {
    std::string quotient;
    int remainder = 0;
    for (const char c : digits) {
      const int value = remainder * 10 + (c - '0');
      remainder = value % prime;
      if (!quotient.empty() || value >= prime)
        quotient.push_back(static_cast<char>('0' + value / prime));
    }
    if (remainder != 0) return -1;
    digits = std::move(quotient);
    ++power;
  }
  return power;
}

}  // namespace

Decimal MakeDecimal(bool negative, std::string digits, std::int64_t exponent) {
  const auto first = digits.find_first_not_of('0');
  if (first == std::string::npos) return Decimal{negative, {}, 0};
  const auto last = digits.find_last_not_of('0');
  exponent += static_cast<std::int64_t>(digits.size() - 1 - last);
  digits.erase(last + 1);
  digits.erase(0, first);
  return Decimal{negative, std::move(digits), exponent};
}

Decimal Hundredth(Decimal value) {
  if (!value.IsZero()) value.exponent -= 2;
  return value;
}

Decimal PlusOne(const Decimal& value) {
  if (value.IsZero()) return Decimal{false, "1", 0};
  // Both in whole units of 10^low: the last digit of value and the units.
  const std::int64_t low = std::min<std::int64_t>(value.exponent, 0);
  const std::string magnitude =
      value.digits +
      std::string(static_cast<std::size_t>(value.exponent - low), '0');
  std::string one(static_cast<std::size_t>(1 - low), '0');
  one.front() = '1';
  if (!value.negative)
    return MakeDecimal(false, AddWhole(magnitude, one, false), low);
  // value + 1 = 1 - |value|
  if (CompareWhole(magnitude, one) > 0)
    return MakeDecimal(true, AddWhole(magnitude, one, true), low);
  return MakeDecimal(false, AddWhole(one, magnitude, true), low);
}

int CompareMagnitudes(const Decimal& a, const Decimal& b) {
  if (a.IsZero() || b.IsZero()) return !a.IsZero() - !b.IsZero();
  if (a.Lead() != b.Lead()) return a.Lead() < b.Lead() ? -1 : 1;
  // The same first power of ten: digit by digit, and as neither ends in a
  // 0, the one with more digits is the larger.
  const int order =
      a.digits.compare(0, b.digits.size(), b.digits, 0, a.digits.size());
  if (order != 0) return order < 0 ? -1 : 1;
  return a.digits.size() == b.digits.size()  ? 0
         : a.digits.size() < b.digits.size() ? -1
                                             : 1;
}

Wholeness ReciprocalWholeness(const Decimal& value) {
  // value = ±D × 10^E, so 1/value = ±10^-E / D: whole when E <= 0 and D is
  // 2^a with a <= -E, or 5^b with b <= -E (D has no factor 10). It is odd
  // when no factor 2 is left over, which needs D = 2^a with a = -E.
  // Beyond 800 digits D is at least 2^2657 or 5^1144, and 1/value would lie
  // beyond the range of a double if it were whole.
  constexpr std::size_t kLongest = 800;
  if (value.IsZero() || value.exponent > 0 || value.digits.size() > kLongest)
    return {};
  const std::int64_t tens = -value.exponent;
  const char last = value.digits.back();
  if (last == '5') {
    const int b = PowerOf(value.digits, 5);
    return {b >= 0 && b <= tens, false};
  }
  if (last == '1' || (last - '0') % 2 == 0) {
    const int a = PowerOf(value.digits, 2);
    return {a >= 0 && a <= tens, a >= 0 && a == tens};
  }
  return {};
}

}  // namespace tasa
