#pragma once

#include <cstdint>
#include <optional>

#include "runtime/exact/decimal.h"
#include "runtime/exact/rounding.h"

namespace tasa {

// A base b = 1 + x, exactly: |b| - 1 and |b|, with b's sign. Next to
// |b| = 1 the digits live in |b| - 1, next to 0 in |b|.
struct Base {
  Decimal magnitude_less_one;  // |b| - 1
  Decimal magnitude;           // |b|
  int sign;                    // -1, 0 or 1
};

// The base 1 + x, from the exact x.
Base MakeBase(const Decimal& x);

// What the growth raises b to: the periods n as typed, or their
// reciprocal 1/n (for n other than 0); whether that number is whole, and
// an odd one: what a negative base needs to know.
struct Periods {
  Decimal n;
  bool reciprocal = false;
  bool whole = false;
  bool odd = false;

  int Sign() const { return n.Sign(); }
};
// For typed periods, which a double holds; for the reciprocal, periods
// whose reciprocal a double holds too (ReciprocalIsInfinite false).
Periods TypedPeriods(Decimal n);
Periods ReciprocalPeriods(Decimal n);

// What the growth (b^e - 1) x 100 shows: its exact value correctly
// rounded to 15 digits, or beyond the range of a double; for b other than
// 0, 1 and -1, e other than 0, and e whole where b is negative. First from
// a quick 113-bit estimate where its error bound decides; else from
// enclosures at 128 bits, then 256 and so on, each value where what is
// shown changes that stays inside one checked exactly. Nothing if that
// takes more than `most_bits`.
std::optional<Shown> ShownGrowth(const Base& b, const Periods& e,
                                 std::int64_t most_bits);

}  // namespace tasa
