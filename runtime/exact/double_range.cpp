#include "runtime/exact/double_range.h"

#include <algorithm>

namespace tasa {
const Dyadic& OverflowThresholdDyadic() {
  static const Dyadic threshold{(BigInt(1) << 54) - 1, 970};
  return threshold;
}

const Dyadic& UnderflowThresholdDyadic() {
  static const Dyadic threshold{1, -1075};
  return threshold;
}

const Decimal& OverflowThreshold() {
  static const Decimal threshold = DecimalOf(OverflowThresholdDyadic());
  return threshold;
}

const Decimal& UnderflowThreshold() {
  static const Decimal threshold = DecimalOf(UnderflowThresholdDyadic());
  return threshold;
}

Decimal DecimalOf(const Dyadic& x) {
  const bool negative = Sign(x) < 0;
  BigInt magnitude = abs(x.mantissa);
  if (x.exponent >= 0) {
    return MakeDecimal(
        negative, DigitsOf(magnitude << static_cast<unsigned>(x.exponent)), 0);
  }
  // m / 2^k = m 5^k / 10^k
  magnitude *=
      boost::multiprecision::pow(BigInt(5), static_cast<unsigned>(-x.exponent));
  return MakeDecimal(negative, DigitsOf(magnitude), x.exponent);
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

InDouble AsDouble(const Decimal& value) {
  if (CompareMagnitudes(value, UnderflowThreshold()) <= 0)
    return InDouble::kZero;
  if (CompareMagnitudes(value, OverflowThreshold()) >= 0) {
    return InDouble::kInfinity;
  }
  return InDouble::kNumber;
}

bool ReciprocalIsInfinite(const Decimal& n) {
  // |1/n| >= T exactly when |n| T <= 1. 1/T lies between 10^-309 and
  // 10^-308, so only a lead of 10^-309 needs working out, on n's first
  // 400 digits while they tell, on all of them when they do not.
  if (n.Lead() != -309) return n.Lead() < -309;
  const BigInt threshold =
      OverflowThresholdDyadic().mantissa
      << static_cast<unsigned>(OverflowThresholdDyadic().exponent);
  for (std::size_t kept = 400;; kept = n.digits.size()) {
    kept = std::min(kept, n.digits.size());
    const bool more = kept < n.digits.size();
    // |n| lies in [digits, digits + more] 10^-places.
    const BigInt digits(n.digits.substr(0, kept));
    const std::int64_t places =
        -(n.exponent + static_cast<std::int64_t>(n.digits.size() - kept));
    const BigInt one = PowerOfTen(places);
    if ((digits + more) * threshold <= one) return true;
    if (digits * threshold > one || (digits * threshold == one && more)) {
      return false;
    }
  }
}

}  // namespace tasa
