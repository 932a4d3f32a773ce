#pragma once

#include "runtime/decimal.h"
#include "runtime/quad.h"

namespace tasa {

// A base b, held as |b| - 1 and as |b|, both rounded once from their exact
// values, with its exact sign: next to |b| = 1 the digits live in |b| - 1,
// next to 0 in |b|, and neither may be lost to a rounding of the other.
struct Base {
  Quad magnitude_less_one;  // |b| - 1
  Quad magnitude;           // |b|
  int sign;                 // of b, exactly: -1, 0 or 1
};

// The base 1 + x, from the exact x.
Base OnePlus(const Decimal& x);

// An exponent, and whether its exact value is a whole number, and an odd
// one: what a negative base needs to know, and rounding may hide.
struct Exponent {
  Quad value;
  bool whole;
  bool odd;
};

// base^exponent - 1, without the cancellation of computing the power first.
// Refuses what has no real result: a negative base to a power that is not
// a whole number (InvalidOperation) and zero to a negative power
// (DivisionByZero). Any base to the power 0 is 1.
Quad PowerMinusOne(const Base& base, const Exponent& exponent);

}  // namespace tasa
