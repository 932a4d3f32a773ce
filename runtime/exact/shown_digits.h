#pragma once

#include <cstddef>

namespace tasa {

// The significant digits a result shows, and at most what a box shows of
// a number: a double holds every number of this many digits, so each one
// reads back into a double and is written again as the same text.
inline constexpr std::size_t kShownDigits = 15;

}  // namespace tasa
