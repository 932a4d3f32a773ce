#pragma once

#include <cstdint>

#include "runtime/exact/decimal.h"
#include "runtime/exact/dyadic.h"

namespace tasa {

// The range of a double, decided on exact values. Rounded to nearest, ties
// to even, a number becomes infinity from 2^1024 - 2^970 (halfway between
// the largest double and 2^1024) up, and 0 from 2^-1075 (halfway between 0
// and the smallest double) down, both ends included.
// The two ends as m × 2^k: (2^54 - 1) × 2^970 and 1 × 2^-1075.
inline constexpr std::uint64_t kOverflowMantissa = (std::uint64_t{1} << 54) - 1;
inline constexpr int kOverflowScale = 970;
inline constexpr int kUnderflowScale = -1075;
const Decimal& OverflowThreshold();
const Decimal& UnderflowThreshold();
const Dyadic& OverflowThresholdDyadic();
const Dyadic& UnderflowThresholdDyadic();

// What a double makes of a number.
enum class InDouble { kZero, kNumber, kInfinity };
InDouble AsDouble(const Decimal& value);

// Whether 1/n, for n other than 0, lies beyond the range of a double.
bool ReciprocalIsInfinite(const Decimal& n);

}  // namespace tasa
