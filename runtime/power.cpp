#include "runtime/power.h"

#include <quadmath.h>

#include "runtime/run_time_error.h"

namespace tasa {
namespace {

// log|b|, for |b|^e = exp(e log|b|). log(|b|) is off by up to 2^-113, from
// the rounding of |b|: a share 2^-113 / log|b| of it, and the power comes
// out off by a share of about (1/log|b| + |e|) 2^-113. Where that could
// reach 2^-100, log1p(|b| - 1) works from |b| - 1 itself instead; it is
// slower, so it is kept for bases next to 1 and large exponents.
Quad LogOfMagnitude(const Base& base, const Exponent& exponent) {
  const Quad next_to_one = 1.0 / 1024;
  const Quad large_exponent = 4096;
  const Quad less_one = fabsq(base.magnitude_less_one);
  if (less_one < Quad(0.5) &&
      (less_one < next_to_one || fabsq(exponent.value) > large_exponent)) {
    return log1pq(base.magnitude_less_one);
  }
  return logq(base.magnitude);
}

}  // namespace

Base OnePlus(const Decimal& x) {
  Decimal b = PlusOne(x);
  const int sign = b.Sign();
  if (sign >= 0) return {ToQuad(x), ToQuad(b), sign};
  // |b| - 1 = -b - 1 = -(x + 2)
  Decimal magnitude_less_one = PlusOne(b);
  magnitude_less_one.negative = !magnitude_less_one.negative;
  b.negative = false;
  return {ToQuad(magnitude_less_one), ToQuad(b), sign};
}

Quad PowerMinusOne(const Base& base, const Exponent& exponent) {
  if (exponent.value == 0) return 0;
  if (base.sign == 0) {
    if (exponent.value < 0) throw RunTimeError(ErrorKind::DivisionByZero);
    return -1;
  }
  if (base.sign < 0 && !exponent.whole) {
    throw RunTimeError(ErrorKind::InvalidOperation);
  }
  const Quad power_log = exponent.value * LogOfMagnitude(base, exponent);
  if (base.sign < 0 && exponent.odd) {
    return -(expq(power_log) + 1);  // an odd power of a negative base
  }
  // exp(t) - 1 loses a share of about 2^-113 / |t| to the subtraction:
  // nothing that matters unless t is small, where expm1, slower, keeps it.
  const Quad small_power_log = 1.0 / 1024;
  if (fabsq(power_log) < small_power_log) return expm1q(power_log);
  return expq(power_log) - 1;
}

}  // namespace tasa
