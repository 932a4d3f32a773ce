#pragma once

#include "runtime/exact/decimal.h"
#include "runtime/exact/growth.h"

namespace tasa {

// Whether the growth (b^e - 1) x 100 is exactly `value`, for b other than
// 0, 1 and -1 and e other than 0, and whole where b is negative.
bool GrowthIsExactly(const Base& b, const Periods& e, const Decimal& value);

}  // namespace tasa
