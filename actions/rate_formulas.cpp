#include "actions/rate_formulas.h"

#include "runtime/fault_flags.h"
#include "runtime/power.h"

namespace tasa {
namespace {

constexpr double kOne = 1.0;
constexpr double kHundred = 100.0;

}  // namespace

// Every operand and result goes through Pinned() so that each operation runs
// between the flag checks that are meant to see it, also when optimised.
// The flags are cleared on entry so that a formula called on its own does
// not report a fault left behind by earlier work.

double AnnualFromMonthly(double m, double n) {
  ClearFaultFlags();
  // A true division by 100, not a multiplication by 0.01, which rounds
  // differently.
  double b = Pinned(Pinned(m) / kHundred);
  b = Pinned(b + kOne);
  CheckFaultFlags();

  const double p = Power(b, Pinned(n));
  const double r = Pinned((Pinned(p) - kOne) * kHundred);
  CheckFaultFlags();  // the flags are sticky: covers the power and both steps
  return r;
}

double MonthlyFromAnnual(double a, double n) {
  ClearFaultFlags();
  const double e = Pinned(kOne / Pinned(n));
  CheckFaultFlags();  // zero periods stop here with a division by zero

  const double b = Pinned(Pinned(Pinned(a) / kHundred) + kOne);
  CheckFaultFlags();

  const double p = Power(b, e);
  const double r = Pinned((Pinned(p) - kOne) * kHundred);
  CheckFaultFlags();
  return r;
}

}  // namespace tasa
