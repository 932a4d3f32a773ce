#pragma once

#include <cstdint>

#include "runtime/exact/dyadic.h"

namespace tasa {

// Enclosures of the elementary functions, to about `bits` significant bits:
// each gives an interval that holds the function's exact value at every
// member of its argument. All four are increasing, so each is worked out at
// the two ends of the argument, by series whose rounding and truncation
// errors are bounded as they are summed.

// log x, for x > 0.
Interval Log(const Interval& x, std::int64_t bits);
// log(1 + x), for x > -1: as accurate for x next to 0 as elsewhere.
Interval Log1p(const Interval& x, std::int64_t bits);
// e^x, for x up to 2^12.
Interval Exp(const Interval& x, std::int64_t bits);
// e^x - 1, for x up to 2^12: as accurate for x next to 0 as elsewhere.
Interval Expm1(const Interval& x, std::int64_t bits);

}  // namespace tasa
