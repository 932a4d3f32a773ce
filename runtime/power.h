#pragma once

#include "runtime/decimal.h"

namespace tasa {

// A base b = 1 + x, exactly: |b| - 1 and |b|, with b's sign. Next to
// |b| = 1 the digits live in |b| - 1, next to 0 in |b|.
struct Base {
  Decimal magnitude_less_one;  // |b| - 1
  Decimal magnitude;           // |b|
  int sign;                    // -1, 0 or 1
};

// The base 1 + x, from the exact x.
Base OnePlus(const Decimal& x);

// An exponent: a number of periods n as typed, or its reciprocal 1/n (for
// n other than 0); whether its exact value is a whole number, and an odd
// one: what a negative base needs to know.
struct Exponent {
  Decimal periods;
  bool reciprocal = false;
  bool whole = false;
  bool odd = false;

  int Sign() const { return periods.Sign(); }
};
Exponent PeriodsExponent(Decimal n);
Exponent ReciprocalExponent(Decimal n);

// (b^e - 1) x 100, the growth over e periods in percent, as shown: its
// exact value correctly rounded to 15 digits, or, beyond the range of a
// double, the overflow flag set (as double arithmetic would set it) and 0.
// Refuses what has no real result: a negative base to a power that is not
// a whole number (InvalidOperation) and zero to a negative power
// (DivisionByZero). Any base to the power 0 is 1.
Decimal PercentGrowth(const Base& b, const Exponent& e);

}  // namespace tasa
