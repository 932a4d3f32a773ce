#pragma once

#include <cmath>
#include <cstdint>

#include "runtime/exact/decimal.h"
#include "runtime/exact/double_range.h"

namespace tasa::testing {

// The exact value of a finite double, as a decimal number.
inline Decimal ExactValue(double value) {
  int exponent = 0;
  const double fraction = std::frexp(value, &exponent);
  return DecimalOf({BigInt(static_cast<std::int64_t>(std::ldexp(fraction, 53))),
                    exponent - 53});
}

}  // namespace tasa::testing
