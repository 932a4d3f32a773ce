#pragma once

namespace tasa {

// Effective annual rate, in percent, from the effective rate per period m
// (in percent) over n periods: ((m / 100 + 1) ^ n - 1) * 100.
double AnnualFromMonthly(double m, double n);

// Effective rate per period, in percent, from the effective annual rate a
// (in percent) over n periods: ((a / 100 + 1) ^ (1 / n) - 1) * 100.
double MonthlyFromAnnual(double a, double n);

// Both raise the run-time error of an arithmetic fault (division by zero,
// overflow, invalid operation) or of a refused power. The number of periods
// is used as given: zero, negative and fractional values all go through.

}  // namespace tasa
