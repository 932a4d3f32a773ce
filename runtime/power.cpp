#include "runtime/power.h"

#include <cmath>

#include "runtime/fault_flags.h"
#include "runtime/run_time_error.h"

namespace tasa {

double Power(double base, double exponent) {
  if (std::isnan(base) || std::isnan(exponent)) {
    throw RunTimeError(ErrorKind::InvalidOperation);
  }
  if (base < 0.0 && std::trunc(exponent) != exponent) {
    throw RunTimeError(ErrorKind::InvalidOperation);
  }
  if (base == 0.0 && exponent < 0.0) {
    throw RunTimeError(ErrorKind::DivisionByZero);
  }
  const double result = Pinned(std::pow(Pinned(base), Pinned(exponent)));
  if (std::isinf(result) && std::isfinite(base) && std::isfinite(exponent)) {
    throw RunTimeError(ErrorKind::Overflow);
  }
  return result;
}

}  // namespace tasa
