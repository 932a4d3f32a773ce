#pragma once

#include <optional>

#include "runtime/exact/growth.h"
#include "runtime/exact/rounding.h"

namespace tasa {

// What the growth (b^e - 1) x 100 shows, decided from a quick 113-bit
// estimate and a bound on its error, when the bound leaves no doubt. When
// the estimate lies next to a tie between two 15-digit numbers, that tie
// goes into `tie`: the exact value may be on it.
std::optional<Shown> EstimatedGrowth(const Base& b, const Periods& e,
                                     std::optional<Decimal>& tie);

}  // namespace tasa
