#include "runtime/power.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "runtime/exact_power.h"
#include "runtime/fault_flags.h"
#include "runtime/power_enclosure.h"
#include "runtime/power_estimate.h"
#include "runtime/rounding.h"
#include "runtime/run_time_error.h"

namespace tasa {
namespace {

// Beyond this many bits (about 4900 digits, a quarter of a second of work), a
// click is reported as an internal error rather than computed on: only
// numbers of thousands of digits, made for it, come that close to a tie.
constexpr std::int64_t kMostBits = std::int64_t{1} << 14;

// Decides what the growth shows by enclosing it ever more tightly: each
// time its interval holds a value where what is shown changes, that value
// is checked exactly (only a rational growth can be on it), and ruled out
// or taken. A growth that is not on such a value is at some distance
// from it, which a tight enough interval leaves on one side.
Shown DecidedGrowth(const Base& b, const Exponent& e,
                    const std::optional<Decimal>& tie) {
  std::vector<Decimal> ruled_out;
  const auto is_exactly = [&](const Decimal& value) {
    if (std::ranges::find(ruled_out, value) != ruled_out.end()) return false;
    if (GrowthIsExactly(b, e, value)) return true;
    ruled_out.push_back(value);
    return false;
  };
  if (tie && is_exactly(*tie)) return ShownOf(*tie);
  for (std::int64_t bits = 128; bits <= kMostBits; bits *= 2) {
    const Decision decision = Decide(GrowthEnclosure(b, e, bits));
    if (decision.shown) return *decision.shown;
    if (decision.boundary && is_exactly(*decision.boundary)) {
      return ShownOf(*decision.boundary);
    }
  }
  throw RunTimeError(ErrorKind::Internal);
}

Exponent MakeExponent(Decimal n, bool reciprocal) {
  Exponent e{std::move(n), reciprocal};
  if (reciprocal) {
    const Wholeness wholeness = ReciprocalWholeness(e.periods);
    e.whole = wholeness.whole;
    e.odd = wholeness.odd;
  } else {
    e.whole = e.periods.IsWhole();
    e.odd = e.periods.IsOddWhole();
  }
  return e;
}

}  // namespace

Base OnePlus(const Decimal& x) {
  Decimal b = PlusOne(x);
  const int sign = b.Sign();
  if (sign >= 0) return {x, std::move(b), sign};
  // |b| - 1 = -b - 1 = -(x + 2)
  Decimal magnitude_less_one = PlusOne(b);
  magnitude_less_one.negative = !magnitude_less_one.negative;
  b.negative = false;
  return {std::move(magnitude_less_one), std::move(b), sign};
}

Exponent PeriodsExponent(Decimal n) {
  return MakeExponent(std::move(n), false);
}

Exponent ReciprocalExponent(Decimal n) {
  return MakeExponent(std::move(n), true);
}

Decimal PercentGrowth(const Base& b, const Exponent& e) {
  const Decimal zero, minus_hundred{true, "1", 2},
      minus_two_hundred{true, "2", 2};
  if (e.Sign() == 0) return zero;
  if (b.sign == 0) {
    if (e.Sign() < 0) throw RunTimeError(ErrorKind::DivisionByZero);
    return minus_hundred;
  }
  if (b.sign < 0 && !e.whole) throw RunTimeError(ErrorKind::InvalidOperation);
  if (b.magnitude_less_one.IsZero()) {  // b = 1 or -1
    return b.sign < 0 && e.odd ? minus_two_hundred : zero;
  }

  Shown shown;
  {
    // The working arithmetic sets flags of its own; only the outcome may.
    const FaultFlagsKept kept;
    std::optional<Decimal> tie;
    const std::optional<Shown> estimated = EstimatedGrowth(b, e, tie);
    shown = estimated ? *estimated : DecidedGrowth(b, e, tie);
  }
  if (shown.overflow) RaiseOverflow();
  return shown.value;
}

}  // namespace tasa
