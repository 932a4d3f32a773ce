#pragma once

#include <cstdint>
#include <string>

namespace tasa {

// A number exactly as it was written in a box:
// (-1)^negative × digits × 10^exponent, where `digits` holds the significant
// digits without leading or trailing zeros (none at all for zero).
struct Decimal {
  bool negative = false;
  std::string digits;
  std::int64_t exponent = 0;

  bool IsZero() const { return digits.empty(); }
  bool IsWhole() const { return IsZero() || exponent >= 0; }
  bool IsOddWhole() const {
    return exponent == 0 && !IsZero() && (digits.back() - '0') % 2 == 1;
  }
  int Sign() const { return IsZero() ? 0 : negative ? -1 : 1; }
  // The power of ten of the first significant digit.
  std::int64_t Lead() const {
    return exponent + static_cast<std::int64_t>(digits.size()) - 1;
  }
  bool operator==(const Decimal&) const = default;
};

// The number digits × 10^exponent, with leading and trailing zeros of
// `digits` taken away.
Decimal MakeDecimal(bool negative, std::string digits, std::int64_t exponent);

// Exact arithmetic on the written digits.
Decimal Hundredth(Decimal value);       // value / 100
Decimal PlusOne(const Decimal& value);  // value + 1

// |a| against |b|: -1, 0 or 1.
int CompareMagnitudes(const Decimal& a, const Decimal& b);

// Whether 1 / value is a whole number, and if so whether it is odd: true
// exactly when value is 1/k for a whole k, which makes k a product of
// powers of 2 and 5. For a value whose reciprocal a double holds
// (ReciprocalIsInfinite false, as the monthly formula checks first): a
// longer one is taken for not whole without the work.
struct Wholeness {
  bool whole = false;
  bool odd = false;
};
Wholeness ReciprocalWholeness(const Decimal& value);

}  // namespace tasa
