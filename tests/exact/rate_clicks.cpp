#include "exact/rate_clicks.h"

#include <algorithm>
#include <array>
#include <random>
#include <string_view>

#include "actions/form1_actions.h"
#include "runtime/exact/big_integer.h"
#include "runtime/run_time_error.h"
#include "support/fake_form.h"

namespace tasa::testing {
namespace {

// std::mt19937_64 is specified to the bit; the standard's distributions are
// not, so the draws below are built on its raw output.
class Draw {
 public:
  explicit Draw(std::uint64_t seed) : engine_(seed) {}
  std::uint64_t Below(std::uint64_t bound) { return engine_() % bound; }
  std::int64_t Between(std::int64_t low, std::int64_t high) {
    return low + static_cast<std::int64_t>(
                     Below(static_cast<std::uint64_t>(high - low) + 1));
  }
  bool OneIn(std::uint64_t n) { return Below(n) == 0; }
  template <class T, std::size_t N>
  const T& Of(const std::array<T, N>& choices) {
    return choices[Below(N)];
  }

 private:
  std::mt19937_64 engine_;
};

char Mark(Draw& draw) { return draw.OneIn(2) ? ',' : '.'; }

// m 10^e, exactly.
struct Exact {
  BigInt m;
  std::int64_t e = 0;
};

// x written out as a person types it, with a comma or a point.
std::string Written(Draw& draw, const Exact& x) {
  std::string digits = DigitsOf(abs(x.m));
  if (x.e >= 0) {
    digits.append(static_cast<std::size_t>(x.e), '0');
  } else {
    const auto places = static_cast<std::size_t>(-x.e);
    if (digits.size() <= places)
      digits.insert(0, places + 1 - digits.size(), '0');
    digits.insert(digits.size() - places, 1, Mark(draw));
  }
  return x.m < 0 ? "-" + digits : digits;
}

// value / 10^decimals written out.
std::string Fixed(Draw& draw, std::int64_t value, int decimals) {
  return Written(draw, {value, -decimals});
}

std::int64_t PowerOfTen(int n) {
  std::int64_t power = 1;
  while (n-- > 0) power *= 10;
  return power;
}

// A rate with up to 6 decimals from -99,99 to 1000.
std::string TypicalRate(Draw& draw) {
  const int decimals = static_cast<int>(draw.Below(7));
  const std::int64_t scale = PowerOfTen(decimals);
  return Fixed(draw, draw.Between(-9999 * scale / 100, 1000 * scale), decimals);
}

// The usual counts of periods, or a real in [0,1; 1000].
std::string TypicalPeriods(Draw& draw) {
  static constexpr std::array<std::string_view, 7> kCounts = {
      "1", "2", "4", "12", "52", "360", "365"};
  if (draw.OneIn(2)) return std::string(draw.Of(kCounts));
  const int decimals = static_cast<int>(1 + draw.Below(6));
  const std::int64_t scale = PowerOfTen(decimals);
  return Fixed(draw, draw.Between(scale / 10, 1000 * scale), decimals);
}

// Up to 17 significant digits, a decimal mark anywhere, maybe an exponent.
std::string AnyNumber(Draw& draw, int largest_exponent) {
  std::string text;
  if (draw.OneIn(3)) text.push_back('-');
  const auto digits = static_cast<std::size_t>(1 + draw.Below(17));
  std::string significant;
  for (std::size_t i = 0; i < digits; ++i)
    significant.push_back(static_cast<char>('0' + draw.Below(10)));
  const auto mark = draw.Below(digits + 1);
  text.append(significant, 0, mark);
  if (mark < digits) {
    text.push_back(Mark(draw));
    text.append(significant, mark);
  }
  if (draw.OneIn(2)) {
    text.push_back(draw.OneIn(2) ? 'e' : 'E');
    text.append(
        std::to_string(draw.Between(-largest_exponent, largest_exponent)));
  }
  return text;
}

// Texts next to the errors and the edges of the double range.
std::string EdgeRate(Draw& draw) {
  static constexpr std::array<std::string_view, 16> kRates = {
      "-100",
      "-100,000000000000001",
      "-99,9999999999999",
      "-200",
      "-300",
      "-150",
      "0",
      "",
      "1e-320",
      "1e-400",
      "-1e300",
      "1,7976931348623157e308",
      "1e308",
      "9900",
      "-1e-310",
      "5"};
  return std::string(draw.Of(kRates));
}
std::string EdgePeriods(Draw& draw) {
  static constexpr std::array<std::string_view, 19> kPeriods = {
      "0",
      "-0",
      " ",
      "-1",
      "-2",
      "3",
      "0,5",
      "0,2",
      "0,25",
      "1e-310",
      "1e-400",
      "1e308",
      "2000",
      "153,5",
      "-12",
      "1e-5",
      "5,56268464626801e-309",
      "0,333333333333333",
      "1e20"};
  return std::string(draw.Of(kPeriods));
}

// Clicks built so that the exact answer lies on, or 10^-25 to 10^-45 of
// itself from, a value where what is shown changes: a tie between two
// 15-digit numbers (results from 10^-322 to 10^300), an end of the range
// of a double; or so that 1/n lies next to the upper end. Worked out with
// whole numbers only, so the same on every platform.
std::int64_t Lead(const Exact& x) {
  return x.e + static_cast<std::int64_t>(DigitsOf(abs(x.m)).size()) - 1;
}
Exact Plus(const Exact& a, const Exact& b) {
  const std::int64_t e = std::min(a.e, b.e);
  return {a.m * tasa::PowerOfTen(a.e - e) + b.m * tasa::PowerOfTen(b.e - e), e};
}
std::string Text(const Exact& x) {
  std::string text = x.m < 0 ? "-" : "";
  return text.append(DigitsOf(abs(x.m)))
      .append("e")
      .append(std::to_string(x.e));
}

RateInput NearABoundary(Draw& draw) {
  const BigInt beyond = ((BigInt(1) << 54) - 1) << 970;  // 2^1024 - 2^970
  if (draw.OneIn(10)) {  // 1/n next to 2^1024 - 2^970, on a rate that stands it
    const Exact n{tasa::PowerOfTen(369) / beyond + draw.Between(-1, 1), -369};
    static constexpr std::array<std::string_view, 4> kRates = {
        "0", "-100", "1e-320", "-1e-310"};
    return {'M', std::string(draw.Of(kRates)), Text(n)};
  }
  // The value X aimed at: a tie, 2^1024 - 2^970 or 2^-1075, maybe negative,
  // and a little off it.
  Exact x;
  const auto kind = draw.Below(10);
  if (kind == 0) {
    x = {beyond, 0};
  } else if (kind == 1) {
    x = {boost::multiprecision::pow(BigInt(5), 1075), -1075};
  } else {
    x = {BigInt(DigitsOf(draw.Between(100000000000000, 999999999999999))) * 10 +
             5,
         draw.Between(-337, 285)};
  }
  if (draw.OneIn(3)) x.m = -x.m;
  if (!draw.OneIn(4)) {
    x = Plus(x, {draw.OneIn(2) ? 1 : -1, Lead(x) - draw.Between(25, 45)});
  }
  // b = c^(u/v) for c = 1 + X/100 gives the growth X over these periods.
  struct Form {
    char action;
    std::string_view periods;
    unsigned u, v;
  };
  static constexpr std::array<Form, 13> kForms = {{{'A', "1", 1, 1},
                                                   {'A', "2", 1, 2},
                                                   {'A', "3", 1, 3},
                                                   {'A', "12", 1, 12},
                                                   {'A', "0,5", 2, 1},
                                                   {'A', "1,5", 2, 3},
                                                   {'A', "1,25", 4, 5},
                                                   {'M', "1", 1, 1},
                                                   {'M', "0,5", 1, 2},
                                                   {'M', "0,2", 1, 5},
                                                   {'M', "2", 2, 1},
                                                   {'M', "12", 12, 1},
                                                   {'M', "2,5", 5, 2}}};
  const Exact c = Plus({1, 0}, {x.m, x.e - 2});
  Form form = draw.Of(kForms);
  // A negative base takes an odd whole power only.
  while (c.m < 0 && (form.u != 1 || form.v % 2 == 0)) form = draw.Of(kForms);
  // b to at least 60 digits past its own first and past X's first.
  const std::int64_t places =
      80 + std::max<std::int64_t>({0, -Lead(x), -Lead(c) * form.u / form.v});
  const std::int64_t shift =
      places * form.v + c.e * form.u;  // of c^u, for the root
  BigInt power = boost::multiprecision::pow(abs(c.m), form.u);
  power = shift >= 0 ? power * tasa::PowerOfTen(shift)
                     : power / tasa::PowerOfTen(-shift);
  BigInt b = RootFloor(power, form.v);
  if (c.m < 0) b = -b;
  // The rate: (b - 1) x 100.
  const Exact rate = Plus({b, -places}, {-1, 0});
  return {form.action, Text({rate.m * 100, rate.e}), std::string(form.periods)};
}

// Bases from 10^-6000 to 10^-4000, and as far below 0, beyond every Quad:
// rates of thousands of digits next to -100, over periods that bring the
// result back into the range of a double, or just out of it, for both
// actions; whole, fractional and negative periods.
RateInput TinyBase(Draw& draw) {
  std::string digits(1, static_cast<char>('1' + draw.Below(9)));
  for (auto more = draw.Below(17); more > 0; --more)
    digits.push_back(static_cast<char>('0' + draw.Below(10)));
  const bool negative = draw.OneIn(4);
  const Exact b{
      negative ? BigInt(-BigInt(digits)) : BigInt(digits),
      -draw.Between(4000, 6000) - static_cast<std::int64_t>(digits.size()) + 1};
  const Exact rate = Plus(b, {-1, 0});
  RateInput input{
      draw.OneIn(2) ? 'A' : 'M', Written(draw, {rate.m * 100, rate.e}), {}};
  static constexpr std::array<std::string_view, 7> kWhole = {
      "1", "2", "3", "-1", "-2", "0,5", "-0,2"};  // or 1/n whole
  if (negative || draw.OneIn(8)) {
    input.periods = std::string(draw.Of(kWhole));
  } else if (input.action == 'A') {
    // b^n is 10^(lead n), with |lead n| up to 480.
    input.periods = Fixed(draw, draw.Between(-80000, 80000), 6);
  } else {
    input.periods =
        Fixed(draw, (draw.OneIn(3) ? -1 : 1) * draw.Between(120, 999999), 1);
  }
  return input;
}

// a / b to 25 significant digits or more, for b other than 0.
Exact Quotient(const Exact& a, const Exact& b) {
  const auto shift = static_cast<std::int64_t>(25 + DigitsOf(abs(b.m)).size());
  return {a.m * tasa::PowerOfTen(shift) / b.m, a.e - b.e - shift};
}

// Bases 10^k, 10^-k and 1 + 10^-k over periods that put |b|^e within
// 10^-6 of itself from where a Quad or a double ends: 2^16384, 2^-16382
// (the smallest normal Quad), 2^-16494 (the smallest subnormal one),
// 2^1024, 2^1024 / 100 (a growth beyond every double) and 2^-1075.
RateInput NearQuadLimits(Draw& draw) {
  // log10 of each, in units of 10^-9.
  static constexpr std::array<std::int64_t, 6> kLimits = {
      4932075448959, -4931473388967, -4965188748482,
      308254715560,  306254715560,   -323607245339};
  const Exact log_power{draw.Of(kLimits) + draw.Between(-1000, 1000), -9};
  Exact log_base, rate;
  switch (draw.Below(3)) {
    case 0: {
      const std::int64_t k = draw.Between(1, 300);
      log_base = {k, 0};
      rate = Plus({1, k + 2}, {-100, 0});
      break;
    }
    case 1: {
      const std::int64_t k = draw.Between(1, 6000);
      log_base = {-k, 0};
      rate = Plus({1, 2 - k}, {-100, 0});
      break;
    }
    default: {
      // log10(1 + 10^-j) is 10^-j / ln 10 to within 10^-j of itself.
      const std::int64_t j = draw.Between(1, 300);
      log_base = {BigInt(434294481903251828), -j - 18};
      rate = {1, 2 - j};
      break;
    }
  }
  const char action = draw.OneIn(2) ? 'A' : 'M';
  const Exact periods = action == 'A' ? Quotient(log_power, log_base)
                                      : Quotient(log_base, log_power);
  return {action, Written(draw, rate),
          draw.OneIn(2) ? Text(periods) : Written(draw, periods)};
}

}  // namespace

std::vector<RateInput> GenerateRateInputs(std::size_t count,
                                          std::uint64_t seed) {
  Draw draw(seed);
  std::vector<RateInput> inputs;
  inputs.reserve(count);
  while (inputs.size() < count) {
    RateInput input;
    input.action = draw.OneIn(2) ? 'A' : 'M';
    switch (draw.Below(20)) {
      case 0:
      case 1:
        input.family = "any rate";
        input.rate = AnyNumber(draw, 30);
        input.periods = TypicalPeriods(draw);
        break;
      case 2:
      case 3:
        input.family = "any periods";
        input.rate = TypicalRate(draw);
        input.periods = AnyNumber(draw, 4);
        break;
      case 4:
      case 5:
        input.family = "next to an error";
        input.rate = draw.OneIn(2) ? EdgeRate(draw) : AnyNumber(draw, 30);
        input.periods = draw.OneIn(2) ? EdgePeriods(draw) : AnyNumber(draw, 4);
        break;
      case 6:
        input = NearABoundary(draw);
        input.family = "next to a tie or a range end";
        break;
      case 7:
        if (draw.OneIn(2)) {
          input = TinyBase(draw);
          input.family = "base next to 0";
        } else {
          input = NearQuadLimits(draw);
          input.family = "next to where a Quad or a double ends";
        }
        break;
      default:
        input.rate = TypicalRate(draw);
        input.periods = TypicalPeriods(draw);
        break;
    }
    inputs.push_back(std::move(input));
  }
  return inputs;
}

std::string Answer(const RateInput& input) {
  try {
    if (input.action == 'A') {
      FakeForm form(" ", input.periods, input.rate);
      Command1_Click(form);
      return form.box1.text;
    }
    FakeForm form(input.rate, input.periods, " ");
    Command2_Click(form);
    return form.box3.text;
  } catch (const RunTimeError& error) {
    return "error " + std::to_string(error.number());
  }
}

}  // namespace tasa::testing
