#include "runtime/exact/rounding.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "runtime/exact/double_range.h"

namespace tasa {
namespace {

// Adds one to a string of decimal digits; "999" becomes "1000".
std::string Incremented(std::string digits) {
  auto digit = digits.rbegin();
  while (digit != digits.rend() && *digit == '9') *digit++ = '0';
  if (digit == digits.rend()) {
    digits.insert(digits.begin(), '1');
  } else {
    ++*digit;
  }
  return digits;
}

// Takes one from a string of decimal digits that is not all zeros.
std::string Decremented(std::string digits) {
  auto digit = digits.rbegin();
  while (*digit == '0') *digit++ = '9';
  --*digit;
  return digits;
}

// The first value above `shown` (a 15-digit number other than 0) at which
// rounding to 15 digits changes: halfway to the next 15-digit number up.
Decimal TieAbove(const Decimal& shown) {
  std::string digits = shown.digits;
  digits.resize(kShownDigits, '0');
  std::int64_t exponent =
      shown.Lead() - static_cast<std::int64_t>(kShownDigits);
  if (shown.negative) {
    if (digits.find_first_not_of('0', 1) == std::string::npos) {
      // Up from -1,00000000000000E+k is toward -9,99999999999999E+(k-1).
      digits.assign(kShownDigits, '9');
      --exponent;
    } else {
      digits = Decremented(digits);
    }
  }
  digits.push_back('5');
  return MakeDecimal(shown.negative, digits, exponent);
}

// Whether the interval is narrower than 2^-60 of its ends, which lie on
// one side of 0: then it holds at most one of the values where what is
// shown changes, as those lie at least 10^-16 of themselves apart.
bool HoldsOneChangeAtMost(const Interval& x) {
  if (Sign(x.lo) * Sign(x.hi) <= 0 ||
      std::abs(TopBit(x.hi) - TopBit(x.lo)) > 1) {
    return false;
  }
  const Dyadic width = ExactSum(x.hi, Negated(x.lo));
  return Sign(width) == 0 ||
         TopBit(width) < std::min(TopBit(x.lo), TopBit(x.hi)) - 60;
}

Decision Undecided(const Interval& x, Decimal boundary) {
  if (!HoldsOneChangeAtMost(x)) return {};
  return {std::nullopt, std::move(boundary)};
}

}  // namespace

Decimal RoundedToDigits(const Decimal& exact, std::size_t digits) {
  if (exact.digits.size() <= digits) return exact;
  std::string kept = exact.digits.substr(0, digits);
  const char next = exact.digits[digits];
  const bool beyond_half = exact.digits.size() > digits + 1;  // no trailing 0s
  const bool odd = (kept.back() - '0') % 2 == 1;
  const bool up = next > '5' || (next == '5' && (beyond_half || odd));
  const std::int64_t exponent =
      exact.exponent + static_cast<std::int64_t>(exact.digits.size() - digits);
  return MakeDecimal(exact.negative, up ? Incremented(kept) : kept, exponent);
}

Decimal RoundedToShown(const Decimal& exact) {
  return RoundedToDigits(exact, kShownDigits);
}

Decimal RoundedToShown(const Dyadic& exact) {
  if (Sign(exact) == 0) return {};
  const BigInt magnitude = abs(exact.mantissa);
  // The power of ten of the first digit, from the power of two, then made
  // sure of: the scaled value q + f lies in [10^14, 10^15).
  auto lead = static_cast<std::int64_t>(
      std::floor(static_cast<double>(TopBit(exact)) * std::log10(2.0)));
  const BigInt low = PowerOfTen(kShownDigits - 1),
               high = PowerOfTen(kShownDigits);
  for (;;) {
    BigInt numerator = magnitude, denominator = 1;
    if (exact.scale >= 0) {
      numerator <<= static_cast<unsigned>(exact.scale);
    } else {
      denominator <<= static_cast<unsigned>(-exact.scale);
    }
    const std::int64_t tens =
        static_cast<std::int64_t>(kShownDigits) - 1 - lead;
    if (tens >= 0) {
      numerator *= PowerOfTen(tens);
    } else {
      denominator *= PowerOfTen(-tens);
    }
    BigInt q = numerator / denominator;
    if (q >= high) {
      ++lead;
      continue;
    }
    if (q < low) {
      --lead;
      continue;
    }
    const BigInt twice_rest = 2 * (numerator - q * denominator);
    if (twice_rest > denominator ||
        (twice_rest == denominator && (q & 1) != 0)) {
      ++q;
    }
    return RoundedToShown(MakeDecimal(Sign(exact) < 0, DigitsOf(q), -tens));
  }
}

Shown ShownOf(const Decimal& exact) {
  switch (AsDouble(exact)) {
    case InDouble::kInfinity:
      return {true, {}};
    case InDouble::kZero:
      return {};
    case InDouble::kNumber:
      break;
  }
  return {false, RoundedToShown(exact)};
}

Decision Decide(const Interval& x) {
  const Dyadic& beyond = OverflowThresholdDyadic();
  const Dyadic& zero = UnderflowThresholdDyadic();
  const auto below = [](const Dyadic& a, const Dyadic& b) {
    return Compare(a, b) < 0;
  };
  if (!below(x.lo, beyond) || !below(Negated(beyond), x.hi)) {
    return {Shown{true, {}}, std::nullopt};
  }
  if (!below(x.hi, beyond)) return Undecided(x, OverflowThreshold());
  if (!below(Negated(beyond), x.lo)) {
    Decimal threshold = OverflowThreshold();
    threshold.negative = true;
    return Undecided(x, threshold);
  }
  if (!below(x.lo, Negated(zero)) && !below(zero, x.hi)) return {Shown{}, {}};
  if (!below(zero, x.lo) && !below(x.hi, Negated(zero))) {
    Decimal threshold = UnderflowThreshold();
    threshold.negative = below(x.hi, zero);
    return Undecided(x, threshold);
  }
  const Decimal lo = RoundedToShown(x.lo), hi = RoundedToShown(x.hi);
  if (lo == hi) {
    return {Shown{false, lo}, std::nullopt};
  }
  return Undecided(x, TieAbove(lo));
}

}  // namespace tasa
