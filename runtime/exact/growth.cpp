#include "runtime/exact/growth.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "runtime/exact/growth_enclosure.h"
#include "runtime/exact/growth_equality.h"
#include "runtime/exact/growth_estimate.h"

namespace tasa {
namespace {

Periods MakePeriods(Decimal n, bool reciprocal) {
  Periods e{std::move(n), reciprocal};
  if (reciprocal) {
    const Wholeness wholeness = ReciprocalWholeness(e.n);
    e.whole = wholeness.whole;
    e.odd = wholeness.odd;
  } else {
    e.whole = e.n.IsWhole();
    e.odd = e.n.IsOddWhole();
  }
  return e;
}

}  // namespace

Base MakeBase(const Decimal& x) {
  Decimal b = PlusOne(x);
  const int sign = b.Sign();
  if (sign >= 0) return {x, std::move(b), sign};
  // |b| - 1 = -b - 1 = -(x + 2)
  Decimal magnitude_less_one = PlusOne(b);
  magnitude_less_one.negative = !magnitude_less_one.negative;
  b.negative = false;
  return {std::move(magnitude_less_one), std::move(b), sign};
}

Periods TypedPeriods(Decimal n) { return MakePeriods(std::move(n), false); }

Periods ReciprocalPeriods(Decimal n) { return MakePeriods(std::move(n), true); }

// A growth that is not on a value where what is shown changes is at some
// distance from it, which a tight enough interval leaves on one side; one
// that is on it is rational, and the exact check takes it.
std::optional<Shown> ShownGrowth(const Base& b, const Periods& e,
                                 std::int64_t most_bits) {
  std::optional<Decimal> tie;
  if (const std::optional<Shown> estimated = EstimatedGrowth(b, e, tie)) {
    return estimated;
  }
  std::vector<Decimal> ruled_out;
  const auto is_exactly = [&](const Decimal& value) {
    if (std::find(ruled_out.begin(), ruled_out.end(), value) !=
        ruled_out.end()) {
      return false;
    }
    if (GrowthIsExactly(b, e, value)) return true;
    ruled_out.push_back(value);
    return false;
  };
  if (tie && is_exactly(*tie)) return ShownOf(*tie);
  for (std::int64_t bits = 128; bits <= most_bits; bits *= 2) {
    const Decision decision = Decide(GrowthEnclosure(b, e, bits));
    if (decision.shown) return decision.shown;
    if (decision.boundary && is_exactly(*decision.boundary)) {
      return ShownOf(*decision.boundary);
    }
  }
  return std::nullopt;
}

}  // namespace tasa
