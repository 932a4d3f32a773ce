#include "runtime/exact/growth_estimate.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/exact/double_range.h"
#include "runtime/exact/quad.h"

namespace tasa {
namespace {

// Relative errors. A correctly rounded Quad operation is off by at most
// 2^-113. The functions of quad.h are within a unit or two in the last of
// their 113 bits where the estimate uses them; the bound allows 2^12 times
// that (docs/accuracy.md).
constexpr double kRounding = 0x1p-113;
constexpr double kFunction = 0x1p-100;
// The estimate decides only when its bound is below this, far below the
// 10^-21 of itself by which its 21st digit is known.
constexpr double kUsable = 0x1p-72;

// Whether the error bound below holds for a Quad made from `x`: ToQuad
// rounds correctly only where a double holds the number (decimal.h), and
// below 2^-16382 a Quad is subnormal or 0, with fewer bits than the bound
// counts on. A base next to 0 or a magnitude next to 1 by thousands of
// digits lies outside; the enclosures decide those.
bool EstimableFrom(const Decimal& x) {
  return AsDouble(x) == InDouble::kNumber;
}

// log|b|, with its relative error, or nothing where the bound is not
// proved. From |b| - 1 next to 1, where log|b| is small and |b| rounded
// would lose its digits; elsewhere from |b|, which is quicker, off by
// 2^-113 / |log|b|| for the rounding of |b|. Either way |log|b|| lies
// between 2^-1076 and 745.
std::optional<Quad> LogOfMagnitude(const Base& b, Quad e_value, double& error) {
  const Decimal next_to_one{false, "9765625", -10};  // 1/1024
  const Decimal half{false, "5", -1};
  const Decimal& less_one = b.magnitude_less_one;
  if (CompareMagnitudes(less_one, half) < 0 &&
      (CompareMagnitudes(less_one, next_to_one) < 0 ||
       QuadAbs(e_value) > 4096)) {
    if (!EstimableFrom(less_one)) return std::nullopt;
    // log1p's slope x / ((1 + x) log1p x) is at most 2.5 for |x| < 1/2.
    error = 2.5 * kRounding + kFunction;
    return QuadLog1p(ToQuad(less_one));
  }
  if (!EstimableFrom(b.magnitude)) return std::nullopt;
  const Quad log = QuadLog(ToQuad(b.magnitude));
  error = kRounding / std::fabs(static_cast<double>(log)) + kFunction;
  return log;
}

// e as a Quad, with its relative error. The periods are a typed number,
// which a double holds (TextToNumber refuses the others), so ToQuad
// rounds them correctly.
Quad ValueOf(const Periods& e, double& error) {
  const Quad n = ToQuad(e.n);
  if (!e.reciprocal) {
    error = kRounding;
    return n;
  }
  const Quad reciprocal = 1 / n;
  if (e.whole) {
    const Quad whole = QuadRound(reciprocal);
    error = QuadAbs(whole) < QuadScaled(1, 112) ? 0 : kRounding;
    return whole;
  }
  error = 2.01 * kRounding;
  return reciprocal;
}

// The significant digits of a Quad, the first at 10^exponent.
struct Digits {
  bool negative = false;
  std::string digits;
  int exponent = 0;
};

// The value's first `count` significant digits, correctly rounded.
Digits QuadDigits(Quad value, int count) {
  const std::string buffer = QuadText(value, count);
  const std::string_view text(buffer);
  Digits number;
  number.negative = text.front() == '-';
  const std::size_t e_at = text.find('e');
  for (const char c : text.substr(0, e_at)) {
    if (c >= '0' && c <= '9') number.digits.push_back(c);
  }
  number.exponent = std::stoi(std::string(text.substr(e_at + 1)));
  return number;
}

}  // namespace

std::optional<Shown> EstimatedGrowth(const Base& b, const Periods& e,
                                     std::optional<Decimal>& tie) {
  // Without functions known to keep the bound, every click is enclosed.
  if constexpr (!kQuadFunctionsWithinBound) return std::nullopt;
  double e_error = 0, log_error = 0;
  const Quad e_value = ValueOf(e, e_error);
  const std::optional<Quad> log = LogOfMagnitude(b, e_value, log_error);
  if (!log) return std::nullopt;
  // |e| lies between 2^-1075 and 2^1075 (typed periods and 1/n are both
  // range-checked before they come here), so |t| lies between 2^-2151
  // and 2^1085: a normal Quad, nowhere near where one ends.
  const Quad t = e_value * *log;
  const double t_error = (e_error + log_error + kRounding) * 1.01;
  const double t_double = static_cast<double>(t);
  // e^t is beyond every double past t = 710, and below 10^-347 before
  // t = -800, where the growth shows as -100 whichever way it is off.
  if (t_double > 800) return Shown{true, {}};
  if (t_double < -800) return Shown{false, {true, "1", 2}};

  Quad growth;
  double error;
  if (b.sign < 0 && e.odd) {
    // -(|b|^e + 1): the two terms add, nothing cancels.
    growth = -(QuadExp(t) + 1);
    error = std::fabs(t_double) * t_error + kFunction + kRounding;
  } else if (std::fabs(t_double) < 1.0 / 1024) {
    // expm1 keeps the digits of a small growth; its slope at t is about 1.
    growth = QuadExpm1(t);
    error = 1.01 * t_error + kFunction;
  } else {
    // e^t - 1, which cancels by at most e^t / |e^t - 1| <= 1025.
    const Quad power = QuadExp(t);
    growth = power - 1;
    const double power_error = std::fabs(t_double) * t_error * 1.01 + kFunction;
    error = power_error * static_cast<double>(power / QuadAbs(growth)) * 1.01 +
            kRounding;
  }
  const Quad result = growth * 100;
  error = (error + kRounding) * 1.05;
  if (!(error < kUsable)) return std::nullopt;

  // [lo, hi] holds the exact value, whose distance from `result` is below
  // `error` of it, even as computed in Quads here: their own rounding is
  // far within the 5 % spare.
  const Quad margin = QuadAbs(result) * Quad(error);
  const Quad lo = result - margin, hi = result + margin;
  const Quad beyond = QuadScaled(kOverflowMantissa, kOverflowScale);
  const Quad zero = QuadScaled(1, kUnderflowScale);
  if (lo >= beyond || hi <= -beyond) return Shown{true, {}};
  if (!(hi < beyond && lo > -beyond)) return std::nullopt;
  if (lo >= -zero && hi <= zero) return Shown{};
  if (!(lo > zero || hi < -zero)) return std::nullopt;

  // Six digits past those shown, off by less than half a unit in the last
  // and the error, tell the shown ones unless they lie within a unit of
  // the last of a tie.
  constexpr int kKnown = static_cast<int>(kShownDigits) + 6;
  Digits digits = QuadDigits(result, kKnown);
  const std::string rest = digits.digits.substr(kShownDigits);
  const std::string kept = digits.digits.substr(0, kShownDigits);
  const std::int64_t exponent_of_last =
      digits.exponent - static_cast<std::int64_t>(kShownDigits) + 1;
  if (rest == "499999" || rest == "500000" || rest == "500001") {
    tie = MakeDecimal(digits.negative, kept + '5', exponent_of_last - 1);
    return std::nullopt;
  }
  // Past the tie, the shown digits go up: as a next digit 9 would take them.
  return Shown{false, RoundedToShown(MakeDecimal(
                          digits.negative, kept + (rest > "500000" ? '9' : '0'),
                          exponent_of_last - 1))};
}

}  // namespace tasa
