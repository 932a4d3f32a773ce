#pragma once

#include <cstdint>

#include "runtime/exact/dyadic.h"
#include "runtime/exact/growth.h"

namespace tasa {

// An interval of about `bits` significant bits that holds the exact value
// of the growth (b^e - 1) x 100, for b other than 0, 1 and -1, and for
// e other than 0, and whole where b is negative.
Interval GrowthEnclosure(const Base& b, const Periods& e, std::int64_t bits);

}  // namespace tasa
