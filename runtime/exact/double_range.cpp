#include "runtime/exact/double_range.h"

#include <algorithm>

namespace tasa {
const Dyadic& OverflowThresholdDyadic() {
  static const Dyadic threshold{kOverflowMantissa, kOverflowScale};
  return threshold;
}

const Dyadic& UnderflowThresholdDyadic() {
  static const Dyadic threshold{1, kUnderflowScale};
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
      << static_cast<unsigned>(OverflowThresholdDyadic().scale);
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
