#pragma once

#include <cstdint>

#include "runtime/exact/big_integer.h"
#include "runtime/exact/decimal.h"

namespace tasa {

// mantissa × 2^scale, exactly.
struct Dyadic {
  BigInt mantissa;
  std::int64_t scale = 0;
};

enum class Toward { kDown, kUp };  // -infinity, +infinity

int Sign(const Dyadic& x);
int Compare(const Dyadic& a, const Dyadic& b);
// floor(log2 |x|), for x other than 0.
std::int64_t TopBit(const Dyadic& x);
// x × 2^k, exactly.
Dyadic Scaled(Dyadic x, std::int64_t k);
Dyadic Negated(Dyadic x);
// x rounded `toward` to a multiple of 2^scale.
Dyadic RoundedAt(const Dyadic& x, std::int64_t scale, Toward toward);
// x to `bits` significant bits, rounded `toward`.
Dyadic RoundedToBits(Dyadic x, std::int64_t bits, Toward toward);
// A rough value, for choosing how to reduce an argument; 0 for tiny x.
double Approximately(const Dyadic& x);

Dyadic ExactSum(const Dyadic& a, const Dyadic& b);
Dyadic Sum(const Dyadic& a, const Dyadic& b, std::int64_t bits, Toward toward);
Dyadic Product(const Dyadic& a, const Dyadic& b);  // exact
Dyadic Quotient(const Dyadic& a, const Dyadic& b, std::int64_t bits,
                Toward toward);

// A real number known to lie in [lo, hi]. The operations below give an
// interval that holds every result of the operation on members of their
// operands, with ends rounded outward to `bits` significant bits.
struct Interval {
  Dyadic lo;
  Dyadic hi;
};

Interval Exactly(const Dyadic& x);
Interval Negated(const Interval& x);
Interval Scaled(const Interval& x, std::int64_t k);
Interval Sum(const Interval& a, const Interval& b, std::int64_t bits);
Interval Difference(const Interval& a, const Interval& b, std::int64_t bits);
Interval Product(const Interval& a, const Interval& b, std::int64_t bits);
// For a divisor that does not hold 0.
Interval Quotient(const Interval& a, const Interval& b, std::int64_t bits);

// The number a dyadic one is, in decimal: exact, as every dyadic number has
// a finite decimal expansion.
Decimal DecimalOf(const Dyadic& x);

}  // namespace tasa
