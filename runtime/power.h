#pragma once

#include "runtime/exact/growth.h"

namespace tasa {

// The power operation, as the formulas use it: (b^e - 1) x 100, the growth
// over e periods in percent, as shown: its exact value correctly rounded to
// 15 digits, or, beyond the range of a double, the overflow flag set (as
// double arithmetic would set it) and 0. Refuses what has no real result:
// a negative base to a power that is not a whole number (InvalidOperation)
// and zero to a negative power (DivisionByZero); and a click that would
// take more than kMostBits to decide (Internal). Any base to the power 0
// is 1.
Decimal PercentGrowth(const Base& b, const Periods& e);

}  // namespace tasa
