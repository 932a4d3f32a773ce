#include "runtime/fault_flags.h"

#include "runtime/run_time_error.h"

namespace tasa {

void ClearFaultFlags() { std::feclearexcept(FE_ALL_EXCEPT); }

void CheckFaultFlags() {
  const int raised = std::fetestexcept(kFaults);
  if (raised & FE_DIVBYZERO) throw RunTimeError(ErrorKind::DivisionByZero);
  if (raised & FE_OVERFLOW) throw RunTimeError(ErrorKind::Overflow);
  if (raised & FE_INVALID) throw RunTimeError(ErrorKind::InvalidOperation);
}

void RaiseOverflow() { std::feraiseexcept(FE_OVERFLOW); }

void RaiseDivisionByZero() { std::feraiseexcept(FE_DIVBYZERO); }

}  // namespace tasa
