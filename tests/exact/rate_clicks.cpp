#include "exact/rate_clicks.h"

#include <array>
#include <random>
#include <string_view>

#include "actions/form1_actions.h"
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

// value / 10^decimals written out, with a comma or a point.
std::string Fixed(Draw& draw, std::int64_t value, int decimals) {
  const bool negative = value < 0;
  std::string digits = std::to_string(negative ? -value : value);
  if (decimals > 0) {
    if (digits.size() <= static_cast<std::size_t>(decimals)) {
      digits.insert(0, static_cast<std::size_t>(decimals) + 1 - digits.size(),
                    '0');
    }
    digits.insert(digits.size() - static_cast<std::size_t>(decimals), 1,
                  Mark(draw));
  }
  return negative ? "-" + digits : digits;
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

}  // namespace

std::vector<RateInput> GenerateRateInputs(std::size_t count,
                                          std::uint64_t seed) {
  Draw draw(seed);
  std::vector<RateInput> inputs;
  inputs.reserve(count);
  while (inputs.size() < count) {
    RateInput input;
    input.action = draw.OneIn(2) ? 'A' : 'M';
    switch (draw.Below(10)) {
      case 0:
        input.rate = AnyNumber(draw, 30);
        input.periods = TypicalPeriods(draw);
        break;
      case 1:
        input.rate = TypicalRate(draw);
        input.periods = AnyNumber(draw, 4);
        break;
      case 2:
        input.rate = draw.OneIn(2) ? EdgeRate(draw) : AnyNumber(draw, 30);
        input.periods = draw.OneIn(2) ? EdgePeriods(draw) : AnyNumber(draw, 4);
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
