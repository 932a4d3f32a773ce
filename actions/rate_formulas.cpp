#include "actions/rate_formulas.h"

#include "runtime/exact/double_range.h"
#include "runtime/fault_flags.h"
#include "runtime/power.h"

namespace tasa {

// Every step is decided on exact values; where one finds what double
// arithmetic would have flagged, it sets that flag, and the checks stand
// where the formulas put them. The flags are cleared on entry so that a
// formula called on its own does not report a fault left behind by
// earlier work.

Decimal AnnualFromMonthly(const Decimal& m, const Decimal& n) {
  ClearFaultFlags();
  // b = m / 100 + 1: a true division by 100, then the sum, both exact.
  const Base b = MakeBase(Hundredth(m));
  CheckFaultFlags();

  const Decimal r = PercentGrowth(b, TypedPeriods(n));
  CheckFaultFlags();  // the flags are sticky: covers the power and both steps
  return r;
}

Decimal MonthlyFromAnnual(const Decimal& a, const Decimal& n) {
  ClearFaultFlags();
  // 1 / n
  if (n.IsZero()) {
    RaiseDivisionByZero();
  } else if (ReciprocalIsInfinite(n)) {
    RaiseOverflow();
  }
  CheckFaultFlags();  // zero periods stop here with a division by zero
  const Periods e = ReciprocalPeriods(n);

  const Base b = MakeBase(Hundredth(a));
  CheckFaultFlags();

  const Decimal r = PercentGrowth(b, e);
  CheckFaultFlags();
  return r;
}

}  // namespace tasa
