#pragma once

#include <cstddef>
#include <optional>

#include "runtime/exact/decimal.h"
#include "runtime/exact/dyadic.h"
#include "runtime/exact/shown_digits.h"

namespace tasa {

// A result as the calculator shows it: beyond the range of a double, or its
// value correctly rounded to kShownDigits significant digits, ties to even
// (0 when a double would hold it as zero).
struct Shown {
  bool overflow = false;
  Decimal value;
};

// An exact value rounded to kShownDigits, or to `digits`, significant
// digits, ties to even.
Decimal RoundedToShown(const Decimal& exact);
Decimal RoundedToDigits(const Decimal& exact, std::size_t digits);
Decimal RoundedToShown(const Dyadic& exact);

// What an exact value shows.
Shown ShownOf(const Decimal& exact);

// What a result known only to lie in an interval shows, if every member of
// the interval shows the same. If not, and the interval is narrow enough to
// hold just one of the values where what is shown changes (a tie between
// two 15-digit numbers, or an end of the range of a double), that value:
// the result may be exactly it.
struct Decision {
  std::optional<Shown> shown;
  std::optional<Decimal> boundary;
};
Decision Decide(const Interval& result);

}  // namespace tasa
