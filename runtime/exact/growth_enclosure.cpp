#include "runtime/exact/growth_enclosure.h"

#include <algorithm>

#include "runtime/exact/double_range.h"
#include "runtime/exact/log_exp.h"

namespace tasa {
namespace {

// Past these, e^x is beyond every double or below every one that matters
// next to 1, and the series are not needed: bounds that hold do.
const Dyadic kLargest{1000, 0};
const Dyadic kSmallest{-2000, 0};
// An upper end this large stands for no bound at all: it lies beyond the
// range of a double, which is all that is asked of it.
const Dyadic kNoBound{1, std::int64_t{1} << 40};

// One end of e^x, or of e^x - 1, rounded `toward`.
Dyadic ExpEnd(const Dyadic& x, bool less_one, Toward toward,
              std::int64_t bits) {
  const Dyadic minus_one{-1, 0};
  if (Compare(x, kSmallest) < 0) {
    // 0 < e^x < 2^-2000
    const Dyadic end = toward == Toward::kDown ? Dyadic{} : Dyadic{1, -2000};
    return less_one ? ExactSum(end, minus_one) : end;
  }
  if (Compare(x, kLargest) > 0) {
    return toward == Toward::kUp ? kNoBound
                                 : ExpEnd(kLargest, less_one, toward, bits);
  }
  const Interval value =
      less_one ? Expm1(Exactly(x), bits) : Exp(Exactly(x), bits);
  return toward == Toward::kDown ? value.lo : value.hi;
}

// The exact value of a decimal number, to about `bits` significant bits.
Interval EnclosureOf(const Decimal& value, std::int64_t bits) {
  if (value.IsZero()) return {};
  // Digits past the first bits/3 + 4 move the value by less than 2^-bits
  // of it; they only decide which way it is off.
  const std::size_t kept =
      std::min(value.digits.size(), static_cast<std::size_t>(bits / 3 + 4));
  const bool more = kept < value.digits.size();
  const BigInt digits(value.digits.substr(0, kept));
  const std::int64_t exponent =
      value.exponent + static_cast<std::int64_t>(value.digits.size() - kept);
  Interval magnitude;
  if (exponent >= 0) {
    const BigInt ten_power = PowerOfTen(exponent);
    magnitude = {{digits * ten_power, 0}, {(digits + more) * ten_power, 0}};
  } else {
    const Dyadic ten_power{PowerOfTen(-exponent), 0};
    magnitude = {Quotient({digits, 0}, ten_power, bits, Toward::kDown),
                 Quotient({digits + more, 0}, ten_power, bits, Toward::kUp)};
  }
  return value.negative ? Negated(magnitude) : magnitude;
}

// 1/n, exactly where it is a whole number, for n other than 0.
Interval Reciprocal(const Decimal& n, bool whole, std::int64_t bits) {
  if (!whole) return Quotient(Exactly({1, 0}), EnclosureOf(n, bits), bits);
  // n = D 10^-k with D dividing 10^k.
  BigInt value = PowerOfTen(-n.exponent) / BigInt(n.digits);
  if (n.negative) value = -value;
  return Exactly({std::move(value), 0});
}

}  // namespace

Interval GrowthEnclosure(const Base& b, const Periods& e, std::int64_t bits) {
  const std::int64_t working = bits + 16;
  // log |b|, from |b| - 1 next to 1, where its digits are.
  const Decimal quarter{false, "25", -2};
  const Interval log =
      CompareMagnitudes(b.magnitude_less_one, quarter) <= 0
          ? Log1p(EnclosureOf(b.magnitude_less_one, working), working)
          : Log(EnclosureOf(b.magnitude, working), working);
  const Interval e_enclosure = e.reciprocal ? Reciprocal(e.n, e.whole, working)
                                            : EnclosureOf(e.n, working);
  const Interval t = Product(e_enclosure, log, working);

  const Dyadic hundred{100, 0};
  Interval growth;
  if (b.sign < 0 && e.odd) {
    // -(|b|^e + 1) x 100: decreasing in t.
    const auto plus_one = [](const Dyadic& x) {
      return x.scale == kNoBound.scale ? x : ExactSum(x, {1, 0});
    };
    growth =
        Negated(Interval{plus_one(ExpEnd(t.lo, false, Toward::kDown, working)),
                         plus_one(ExpEnd(t.hi, false, Toward::kUp, working))});
  } else {
    growth = {ExpEnd(t.lo, true, Toward::kDown, working),
              ExpEnd(t.hi, true, Toward::kUp, working)};
  }
  return {RoundedToBits(Product(growth.lo, hundred), bits, Toward::kDown),
          RoundedToBits(Product(growth.hi, hundred), bits, Toward::kUp)};
}

}  // namespace tasa
