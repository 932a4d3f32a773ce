#include "runtime/exact/log_exp.h"

#include <cmath>

namespace tasa {
namespace {

// Fixed point: the whole number F stands for F / 2^w.

BigInt Fixed(const Dyadic& x, std::int64_t w, Toward toward) {
  const Dyadic whole = RoundedAt(Scaled(x, w), 0, toward);
  return whole.mantissa << static_cast<unsigned>(whole.scale);
}

Dyadic FromFixed(BigInt f, std::int64_t w) { return {std::move(f), -w}; }

// Bounds on the sum over i >= 0 of v^i / (2i + 1), for v in [lo, hi] / 2^w
// and 0 <= v <= 1/8. Every term is positive, so the lower bound rounds
// each step down and the upper bound rounds it up; once the power of the
// last term added, v^k with k >= 1, is below 16 units, the terms left add
// up to less than 16 v / ((1 - v) (2k + 3)) <= 16 / 35 of a unit, and 2
// units cover them. (Ln2's v is 1/9 and a hair, from its third rounded up;
// the other callers' v is at most 1/25. docs/accuracy.md.)
Interval AtanhSeries(const BigInt& lo, const BigInt& hi, std::int64_t w) {
  const BigInt one = BigInt(1) << static_cast<unsigned>(w);
  BigInt sum_lo = one, sum_hi = one, power_lo = one, power_hi = one;
  for (unsigned odd = 3; power_hi > 16; odd += 2) {
    power_lo = (power_lo * lo) >> static_cast<unsigned>(w);
    power_hi = ((power_hi * hi) >> static_cast<unsigned>(w)) + 1;
    sum_lo += power_lo / odd;
    sum_hi += power_hi / odd + 1;
  }
  return {FromFixed(sum_lo, w), FromFixed(sum_hi + 2, w)};
}

// atanh s = s (1 + s^2/3 + s^4/5 + ...), for |s| <= 1/3, kept to as many
// significant bits however small s is.
Interval Atanh(const Interval& s, std::int64_t bits) {
  const std::int64_t w = bits + 16;
  Dyadic low = Product(s.lo, s.lo), high = Product(s.hi, s.hi);
  if (Compare(low, high) > 0) std::swap(low, high);
  if (Sign(s.lo) <= 0 && Sign(s.hi) >= 0) low = {};
  return Product(
      s,
      AtanhSeries(Fixed(low, w, Toward::kDown), Fixed(high, w, Toward::kUp), w),
      bits);
}

// log 2 = 2 atanh(1/3).
Interval Ln2(std::int64_t bits) {
  const Dyadic one{1, 0}, three{3, 0};
  const Interval third{Quotient(one, three, bits + 8, Toward::kDown),
                       Quotient(one, three, bits + 8, Toward::kUp)};
  return Scaled(Atanh(third, bits + 8), 1);
}

// 2 atanh(num / den), with num / den in [-1/5, 1/5].
Interval TwiceAtanhOf(const Dyadic& num, const Dyadic& den, std::int64_t bits) {
  const Interval s{Quotient(num, den, bits + 8, Toward::kDown),
                   Quotient(num, den, bits + 8, Toward::kUp)};
  return Scaled(Atanh(s, bits + 4), 1);
}

// log x for x > 0: x = 2^k z with z in [3/4, 3/2), and
// log z = 2 atanh((z - 1) / (z + 1)).
Interval LogAt(const Dyadic& x, std::int64_t bits) {
  std::int64_t k = TopBit(x);
  Dyadic z = Scaled(x, -k);
  if (Compare(Scaled(z, 1), Dyadic{3, 0}) >= 0) z = Scaled(z, -1), ++k;
  const Dyadic one{1, 0};
  Interval log =
      TwiceAtanhOf(ExactSum(z, Negated(one)), ExactSum(z, one), bits + 4);
  if (k != 0) {
    log =
        Sum(log, Product(Exactly({k, 0}), Ln2(bits + 16), bits + 8), bits + 4);
  }
  return log;
}

// log(1 + x) = 2 atanh(x / (2 + x)) next to 0.
Interval Log1pAt(const Dyadic& x, std::int64_t bits) {
  const Dyadic one{1, 0}, quarter{1, -2};
  if (Sign(x) == 0) return {};
  if (Compare(x, quarter) <= 0 && Compare(x, Negated(quarter)) >= 0) {
    return TwiceAtanhOf(x, ExactSum(x, {2, 0}), bits + 4);
  }
  return LogAt(ExactSum(x, one), bits);
}

// A power series sum of c_i u^i with c_0 = 1 and c_i = c_{i-1} / (i + shift),
// at the fixed-point u (|u| <= 1/4), to within the returned number of units:
// each term is off by at most 2 units of its own rounding plus a quarter of
// the previous term's error, which keeps it below 4; once a term rounds to
// 0, what is left adds up to less than 2 units.
struct Series {
  BigInt sum;
  BigInt error;  // in units
};
Series PowerSeries(const BigInt& u, std::int64_t w, unsigned shift) {
  const BigInt one = BigInt(1) << static_cast<unsigned>(w);
  Series series{one, 2};
  BigInt term = one;
  for (unsigned i = 1; term != 0; ++i) {
    // term u / 2^w / (i + shift), truncated toward 0 twice
    const BigInt product = term * u;
    term = (abs(product) >> static_cast<unsigned>(w)) / (i + shift);
    if (product < 0) term = -term;
    series.sum += term;
    series.error += 4;
  }
  return series;
}

// e^x for |x| <= 2^12: x = k log 2 + r with |r| <= 0.35 or so, and
// e^r = (e^(r / 2^j))^(2^j), the inner power from its series at fixed
// point. About sqrt(bits) squarings take the fewest multiplications; each
// doubles the relative error, which as many extra bits absorb.
Interval ExpAt(const Dyadic& x, std::int64_t bits) {
  const auto squarings = static_cast<int>(std::sqrt(static_cast<double>(bits)));
  const std::int64_t w = bits + 40 + squarings;
  const auto k =
      static_cast<std::int64_t>(std::llround(Approximately(x) / std::log(2.0)));
  const Interval r =
      Difference(Exactly(x), Product(Exactly({k, 0}), Ln2(w), w), w);
  const BigInt u_lo = Fixed(Scaled(r.lo, -squarings), w, Toward::kDown);
  const BigInt u_hi = Fixed(Scaled(r.hi, -squarings), w, Toward::kUp);
  const Series series = PowerSeries(u_lo, w, 0);
  // e^u grows by less than twice what u does, for |u| that small.
  const BigInt error = series.error + 2 * (u_hi - u_lo);
  BigInt lo = series.sum - error, hi = series.sum + error;
  for (int i = 0; i < squarings; ++i) {
    lo = (lo * lo) >> static_cast<unsigned>(w);
    hi = ((hi * hi) >> static_cast<unsigned>(w)) + 1;
  }
  return {RoundedToBits(FromFixed(lo, w - k), bits, Toward::kDown),
          RoundedToBits(FromFixed(hi, w - k), bits, Toward::kUp)};
}

// e^x - 1 = x (1 + x/2 + x^2/6 + ...) for |x| < 1/4, the sum at fixed point.
Interval Expm1At(const Dyadic& x, std::int64_t bits) {
  const Dyadic quarter{1, -2};
  if (Compare(x, quarter) >= 0 || Compare(x, Negated(quarter)) <= 0) {
    return Difference(ExpAt(x, bits + 8), Exactly({1, 0}), bits);
  }
  const std::int64_t w = bits + 16;
  // x is taken to the unit below; the sum moves by less than that.
  const Series series = PowerSeries(Fixed(x, w, Toward::kDown), w, 1);
  const BigInt error = series.error + 1;
  return Product(
      Exactly(x),
      {FromFixed(series.sum - error, w), FromFixed(series.sum + error, w)},
      bits);
}

}  // namespace

Interval Log(const Interval& x, std::int64_t bits) {
  return {LogAt(x.lo, bits).lo, LogAt(x.hi, bits).hi};
}

Interval Log1p(const Interval& x, std::int64_t bits) {
  return {Log1pAt(x.lo, bits).lo, Log1pAt(x.hi, bits).hi};
}

Interval Exp(const Interval& x, std::int64_t bits) {
  return {ExpAt(x.lo, bits).lo, ExpAt(x.hi, bits).hi};
}

Interval Expm1(const Interval& x, std::int64_t bits) {
  return {Expm1At(x.lo, bits).lo, Expm1At(x.hi, bits).hi};
}

}  // namespace tasa
