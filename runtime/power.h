#pragma once

namespace tasa {

// base raised to exponent. Refuses what has no real result: a negative base
// with a non-integer exponent (invalid operation), zero to a negative power
// (division by zero), NaN operands (invalid operation) and a result beyond
// the range of a double (overflow).
double Power(double base, double exponent);

}  // namespace tasa
