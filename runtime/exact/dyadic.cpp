#include "runtime/exact/dyadic.h"

#include <algorithm>
#include <cmath>

namespace tasa {
namespace {

// |x| / 2^shift, rounded `toward` for a number of sign `sign`: down means
// toward -infinity, so a negative number's magnitude goes up.
BigInt ShiftedMagnitude(const BigInt& magnitude, std::int64_t shift, int sign,
                        Toward toward) {
  if (shift <= 0) return magnitude << static_cast<unsigned>(-shift);
  BigInt kept = magnitude >> static_cast<unsigned>(shift);
  const bool exact =
      magnitude == 0 ||
      static_cast<std::int64_t>(boost::multiprecision::lsb(magnitude)) >= shift;
  const bool away = (sign > 0) == (toward == Toward::kUp);
  if (!exact && away) ++kept;
  return kept;
}

Dyadic WithSign(BigInt magnitude, std::int64_t scale, int sign) {
  return {sign < 0 ? BigInt(-magnitude) : std::move(magnitude), scale};
}

const Dyadic& Min(const Dyadic& a, const Dyadic& b) {
  return Compare(a, b) <= 0 ? a : b;
}
const Dyadic& Max(const Dyadic& a, const Dyadic& b) {
  return Compare(a, b) >= 0 ? a : b;
}

}  // namespace

int Sign(const Dyadic& x) { return x.mantissa.sign(); }

std::int64_t TopBit(const Dyadic& x) {
  return BitLength(x.mantissa) - 1 + x.scale;
}

int Compare(const Dyadic& a, const Dyadic& b) {
  const int sa = Sign(a), sb = Sign(b);
  if (sa != sb || sa == 0) return sa < sb ? -1 : sa > sb ? 1 : 0;
  const std::int64_t ta = TopBit(a), tb = TopBit(b);
  if (ta != tb) return (ta < tb) == (sa > 0) ? -1 : 1;
  const std::int64_t low = std::min(a.scale, b.scale);
  const BigInt x = a.mantissa << static_cast<unsigned>(a.scale - low);
  const BigInt y = b.mantissa << static_cast<unsigned>(b.scale - low);
  return x < y ? -1 : x > y ? 1 : 0;
}

Dyadic Scaled(Dyadic x, std::int64_t k) {
  x.scale += k;
  return x;
}

Dyadic Negated(Dyadic x) {
  x.mantissa = -x.mantissa;
  return x;
}

Dyadic RoundedAt(const Dyadic& x, std::int64_t scale, Toward toward) {
  if (x.scale >= scale) return x;
  const int sign = Sign(x);
  return WithSign(
      ShiftedMagnitude(abs(x.mantissa), scale - x.scale, sign, toward), scale,
      sign);
}

Dyadic RoundedToBits(Dyadic x, std::int64_t bits, Toward toward) {
  const std::int64_t length = BitLength(x.mantissa);
  if (length <= bits) return x;
  return RoundedAt(x, x.scale + length - bits, toward);
}

double Approximately(const Dyadic& x) {
  if (Sign(x) == 0 || TopBit(x) < -1000) return 0;
  if (TopBit(x) > 1000) return Sign(x) * HUGE_VAL;
  const Dyadic top = RoundedToBits(x, 60, Toward::kDown);
  return std::ldexp(top.mantissa.convert_to<double>(),
                    static_cast<int>(top.scale));
}

Dyadic ExactSum(const Dyadic& a, const Dyadic& b) {
  const std::int64_t low = std::min(a.scale, b.scale);
  return {(a.mantissa << static_cast<unsigned>(a.scale - low)) +
              (b.mantissa << static_cast<unsigned>(b.scale - low)),
          low};
}

Dyadic Sum(const Dyadic& a, const Dyadic& b, std::int64_t bits, Toward toward) {
  if (Sign(a) == 0) return RoundedToBits(b, bits, toward);
  if (Sign(b) == 0) return RoundedToBits(a, bits, toward);
  // Digits far below the larger operand's last kept bit only tip the
  // rounding: an operand is first rounded the same way to a few bits
  // below it, which keeps the sum on the right side.
  const std::int64_t floor = std::max(TopBit(a), TopBit(b)) - bits - 8;
  return RoundedToBits(
      ExactSum(RoundedAt(a, floor, toward), RoundedAt(b, floor, toward)), bits,
      toward);
}

Dyadic Product(const Dyadic& a, const Dyadic& b) {
  return {a.mantissa * b.mantissa, a.scale + b.scale};
}

Dyadic Quotient(const Dyadic& a, const Dyadic& b, std::int64_t bits,
                Toward toward) {
  const int sign = Sign(a) * Sign(b);
  if (sign == 0) return {};
  const BigInt divisor = abs(b.mantissa);
  const std::int64_t shift = std::max<std::int64_t>(
      0, bits + 2 + BitLength(divisor) - BitLength(a.mantissa));
  const BigInt dividend = abs(a.mantissa) << static_cast<unsigned>(shift);
  BigInt kept = dividend / divisor;
  const bool exact = kept * divisor == dividend;
  if (!exact && (sign > 0) == (toward == Toward::kUp)) ++kept;
  return RoundedToBits(
      WithSign(std::move(kept), a.scale - b.scale - shift, sign), bits, toward);
}

Interval Exactly(const Dyadic& x) { return {x, x}; }

Interval Negated(const Interval& x) { return {Negated(x.hi), Negated(x.lo)}; }

Interval Scaled(const Interval& x, std::int64_t k) {
  return {Scaled(x.lo, k), Scaled(x.hi, k)};
}

Interval Sum(const Interval& a, const Interval& b, std::int64_t bits) {
  return {Sum(a.lo, b.lo, bits, Toward::kDown),
          Sum(a.hi, b.hi, bits, Toward::kUp)};
}

Interval Difference(const Interval& a, const Interval& b, std::int64_t bits) {
  return Sum(a, Negated(b), bits);
}

Interval Product(const Interval& a, const Interval& b, std::int64_t bits) {
  const Dyadic p[] = {Product(a.lo, b.lo), Product(a.lo, b.hi),
                      Product(a.hi, b.lo), Product(a.hi, b.hi)};
  return {
      RoundedToBits(Min(Min(p[0], p[1]), Min(p[2], p[3])), bits, Toward::kDown),
      RoundedToBits(Max(Max(p[0], p[1]), Max(p[2], p[3])), bits, Toward::kUp)};
}

Interval Quotient(const Interval& a, const Interval& b, std::int64_t bits) {
  // 1/x falls on each side of 0, so 1/[lo, hi] is [1/hi, 1/lo].
  const Dyadic one{1, 0};
  const Interval reciprocal{Quotient(one, b.hi, bits + 4, Toward::kDown),
                            Quotient(one, b.lo, bits + 4, Toward::kUp)};
  return Product(a, reciprocal, bits);
}

Decimal DecimalOf(const Dyadic& x) {
  const bool negative = Sign(x) < 0;
  BigInt magnitude = abs(x.mantissa);
  if (x.scale >= 0) {
    return MakeDecimal(
        negative, DigitsOf(magnitude << static_cast<unsigned>(x.scale)), 0);
  }
  // m / 2^k = m 5^k / 10^k
  magnitude *=
      boost::multiprecision::pow(BigInt(5), static_cast<unsigned>(-x.scale));
  return MakeDecimal(negative, DigitsOf(magnitude), x.scale);
}

}  // namespace tasa
