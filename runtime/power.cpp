#include "runtime/power.h"

#include <cstdint>
#include <optional>

#include "runtime/fault_flags.h"
#include "runtime/run_time_error.h"

namespace tasa {
namespace {

// Beyond this many bits (about 4900 digits, a quarter of a second of work), a
// click is reported as an internal error rather than computed on: only
// numbers of thousands of digits, made for it, come that close to a tie.
constexpr std::int64_t kMostBits = std::int64_t{1} << 14;

}  // namespace

Decimal PercentGrowth(const Base& b, const Periods& e) {
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

  std::optional<Shown> shown;
  {
    // The working arithmetic sets flags of its own; only the outcome may.
    const FaultFlagsKept kept;
    shown = ShownGrowth(b, e, kMostBits);
  }
  if (!shown) throw RunTimeError(ErrorKind::Internal);
  if (shown->overflow) RaiseOverflow();
  return shown->value;
}

}  // namespace tasa
