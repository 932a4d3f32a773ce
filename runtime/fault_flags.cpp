#include "runtime/fault_flags.h"

#include <cfenv>
#include <cmath>

#include "runtime/run_time_error.h"

namespace tasa {

void ClearFaultFlags() { std::feclearexcept(FE_ALL_EXCEPT); }

void CheckFaultFlags() {
  const int raised = std::fetestexcept(FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID);
  if (raised & FE_DIVBYZERO) throw RunTimeError(ErrorKind::DivisionByZero);
  if (raised & FE_OVERFLOW) throw RunTimeError(ErrorKind::Overflow);
  if (raised & FE_INVALID) throw RunTimeError(ErrorKind::InvalidOperation);
}

void FlagIfNotADouble(Quad value) {
  // Rounded to nearest, a value beyond the range of a double becomes
  // infinity.
  const double narrowed = Pinned(static_cast<double>(Pinned(value)));
  if (std::isinf(narrowed)) std::feraiseexcept(FE_OVERFLOW);
  if (std::isnan(narrowed)) std::feraiseexcept(FE_INVALID);
}

}  // namespace tasa
