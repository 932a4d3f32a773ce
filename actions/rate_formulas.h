#pragma once

#include "runtime/exact/decimal.h"

namespace tasa {

// Effective annual rate, in percent, from the effective rate per period m
// (in percent) over n periods: ((m / 100 + 1) ^ n - 1) * 100.
Decimal AnnualFromMonthly(const Decimal& m, const Decimal& n);

// Effective rate per period, in percent, from the effective annual rate a
// (in percent) over n periods: ((a / 100 + 1) ^ (1 / n) - 1) * 100.
Decimal MonthlyFromAnnual(const Decimal& a, const Decimal& n);

// Both work from the numbers exactly as written and give the exact value of
// the formula correctly rounded to 15 significant digits. Both raise the
// run-time error of an arithmetic fault or of a refused power: division by
// zero, overflow (a value beyond the range of a double), invalid
// operation; and the internal error (51) for a click that would take more
// work to decide than the power operation allows (power.h). The number of
// periods is used as given: zero, negative and fractional values all go
// through.

}  // namespace tasa
