#include "actions/rate_formulas.h"

#include <quadmath.h>

#include "runtime/fault_flags.h"
#include "runtime/power.h"

namespace tasa {
namespace {

const Quad kOne = 1;
const Quad kHundred = 100;

// 1 / n as an exponent. Zero periods set the division-by-zero flag, and an
// exponent beyond the range of a double the overflow flag.
Exponent ReciprocalOf(const Decimal& n) {
  const Quad e = Pinned(kOne / Pinned(ToQuad(n)));
  FlagIfNotADouble(e);
  const Wholeness wholeness = ReciprocalWholeness(n);
  return {wholeness.whole ? roundq(e) : e, wholeness.whole, wholeness.odd};
}

}  // namespace

// Operands and results go through Pinned() where a flag check must see them
// happen. The flags are cleared on entry so that a formula called on its own
// does not report a fault left behind by earlier work.

Quad AnnualFromMonthly(const Decimal& m, const Decimal& n) {
  ClearFaultFlags();
  // b = m / 100 + 1: a true division by 100, then the sum, both exact on
  // the written digits, and rounded once.
  const Base b = OnePlus(Hundredth(m));
  CheckFaultFlags();

  const Exponent exponent{ToQuad(n), n.IsWhole(), n.IsOddWhole()};
  const Quad r = Pinned(Pinned(PowerMinusOne(b, exponent)) * kHundred);
  FlagIfNotADouble(r);
  CheckFaultFlags();  // the flags are sticky: covers the power and both steps
  return r;
}

Quad MonthlyFromAnnual(const Decimal& a, const Decimal& n) {
  ClearFaultFlags();
  const Exponent e = ReciprocalOf(n);
  CheckFaultFlags();  // zero periods stop here with a division by zero

  const Base b = OnePlus(Hundredth(a));
  CheckFaultFlags();

  const Quad r = Pinned(Pinned(PowerMinusOne(b, e)) * kHundred);
  FlagIfNotADouble(r);
  CheckFaultFlags();
  return r;
}

}  // namespace tasa
