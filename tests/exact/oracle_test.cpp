// Checks what the calculator shows against exact arithmetic on the digits
// as typed: GMP's rationals where the result is rational (a whole exponent,
// or a root of a perfect power), MPFR at 1024 bits, or 16384 where that
// cannot tell, elsewhere; then rounded to 15 digits, ties to even, and 0
// where a double holds it as zero. Also measures round trips through the
// 15 digits shown.
//   oracle_test [COUNT [SEED]]
// Fails on any difference.
#include <gmpxx.h>
#include <mpfr.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "exact/rate_clicks.h"

namespace {

using tasa::testing::RateInput;

mpq_class PowerOfTwo(long k) {
  mpz_class power;
  mpz_ui_pow_ui(power.get_mpz_t(), 2, static_cast<unsigned long>(std::labs(k)));
  return k >= 0 ? mpq_class(power) : mpq_class(1) / power;
}
mpq_class PowerOfTen(long k) {
  mpz_class power;
  mpz_ui_pow_ui(power.get_mpz_t(), 10,
                static_cast<unsigned long>(std::labs(k)));
  return k >= 0 ? mpq_class(power) : mpq_class(1) / power;
}

// A double rounds to infinity from here up, and to zero from here down.
const mpq_class kBeyondDouble = PowerOfTwo(1024) - PowerOfTwo(970);
const mpq_class kZeroAsDouble = PowerOfTwo(-1075);

// The reading rules, written anew: blank is 0, ',' or '.', an exponent.
// Nothing when the value is beyond the range of a double.
std::optional<mpq_class> Read(std::string text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return mpq_class(0);
  text = text.substr(first, text.find_last_not_of(" \t") + 1 - first);
  std::size_t at = 0;
  const bool negative = text[at] == '-';
  if (text[at] == '-' || text[at] == '+') ++at;
  std::string digits;
  long exponent = 0;
  bool after_mark = false;
  for (; at < text.size() && text[at] != 'e' && text[at] != 'E'; ++at) {
    if (text[at] == ',' || text[at] == '.') {
      after_mark = true;
    } else {
      digits.push_back(text[at]);
      if (after_mark) --exponent;
    }
  }
  if (at < text.size()) exponent += std::stol(text.substr(at + 1));
  mpq_class value = mpz_class(digits, 10) * PowerOfTen(exponent);
  if (abs(value) >= kBeyondDouble) return std::nullopt;
  if (abs(value) <= kZeroAsDouble) return mpq_class(0);
  return negative ? mpq_class(-value) : value;
}

struct Mpfr {
  explicit Mpfr(mpfr_prec_t bits) { mpfr_init2(value, bits); }
  ~Mpfr() { mpfr_clear(value); }
  Mpfr(const Mpfr&) = delete;
  Mpfr& operator=(const Mpfr&) = delete;
  mpfr_t value;
};

// A result: exact, or to the bits of `close`.
struct Result {
  std::optional<mpq_class> exact;
  std::shared_ptr<Mpfr> close;
  int Sign() const { return exact ? sgn(*exact) : mpfr_sgn(close->value); }
};

// The q-th root of x >= 0, where x is a q-th power.
std::optional<mpq_class> ExactRoot(const mpq_class& x, const mpz_class& q) {
  if (!q.fits_ulong_p() || q > 1 << 20) return std::nullopt;
  mpz_class num, den;
  if (mpz_root(num.get_mpz_t(), x.get_num_mpz_t(), q.get_ui()) == 0 ||
      mpz_root(den.get_mpz_t(), x.get_den_mpz_t(), q.get_ui()) == 0) {
    return std::nullopt;
  }
  return mpq_class(num, den);
}

// (b^e - 1) * 100, for b >= 0 or a whole e.
Result PowerMinusOneTimes100(const mpq_class& b, const mpq_class& e,
                             mpfr_prec_t bits = 1024) {
  if (e.get_den() != 1 && b > 0) {
    if (const auto root = ExactRoot(b, e.get_den())) {
      return PowerMinusOneTimes100(*root, mpq_class(e.get_num()), bits);
    }
  }
  const bool whole = e.get_den() == 1;
  if (whole &&
      mpz_sizeinbase(b.get_num_mpz_t(), 2) * abs(e.get_num()) < 4000000 &&
      mpz_sizeinbase(b.get_den_mpz_t(), 2) * abs(e.get_num()) < 4000000) {
    const unsigned long n = mpz_class(abs(e.get_num())).get_ui();
    mpz_class numerator, denominator;
    mpz_pow_ui(numerator.get_mpz_t(), b.get_num_mpz_t(), n);
    mpz_pow_ui(denominator.get_mpz_t(), b.get_den_mpz_t(), n);
    mpq_class power(numerator, denominator);
    power.canonicalize();
    if (e < 0) power = 1 / power;
    return {mpq_class((power - 1) * 100), nullptr};
  }
  // |b|^e - 1 = expm1(e log|b|) for a positive power, and
  // -(exp(e log|b|) + 1) for an odd power of a negative base, with log|b|
  // from |b| - 1 next to 1 and from |b| next to 0: no digits lost to
  // cancellation, whatever |b| and e are.
  auto result = std::make_shared<Mpfr>(bits);
  Mpfr log_base(bits), exponent(bits);
  const mpq_class magnitude_less_one = abs(b) - 1;
  if (abs(magnitude_less_one) < mpq_class(1, 2)) {
    mpfr_set_q(log_base.value, magnitude_less_one.get_mpq_t(), MPFR_RNDN);
    mpfr_log1p(log_base.value, log_base.value, MPFR_RNDN);
  } else {
    const mpq_class magnitude = abs(b);
    mpfr_set_q(log_base.value, magnitude.get_mpq_t(), MPFR_RNDN);
    mpfr_log(log_base.value, log_base.value, MPFR_RNDN);
  }
  mpfr_set_q(exponent.value, e.get_mpq_t(), MPFR_RNDN);
  mpfr_mul(result->value, log_base.value, exponent.value, MPFR_RNDN);
  if (b < 0 && mpz_odd_p(e.get_num_mpz_t())) {
    mpfr_exp(result->value, result->value, MPFR_RNDN);
    mpfr_add_ui(result->value, result->value, 1, MPFR_RNDN);
    mpfr_neg(result->value, result->value, MPFR_RNDN);
  } else {
    mpfr_expm1(result->value, result->value, MPFR_RNDN);
  }
  mpfr_mul_ui(result->value, result->value, 100, MPFR_RNDN);
  return {std::nullopt, result};
}

// Whether |r| lies within 2^-1000 of itself from a rational limit, where
// 1024 bits cannot tell which side it is on.
bool NextTo(const Result& r, const mpq_class& limit) {
  if (r.exact || !mpfr_regular_p(r.close->value)) return false;
  Mpfr distance(mpfr_get_prec(r.close->value));
  mpfr_abs(distance.value, r.close->value, MPFR_RNDN);
  mpfr_sub_q(distance.value, distance.value, limit.get_mpq_t(), MPFR_RNDN);
  return !mpfr_regular_p(distance.value) ||
         mpfr_get_exp(distance.value) < mpfr_get_exp(r.close->value) - 1000;
}

// |r| against a rational limit.
int CompareMagnitude(const Result& r, const mpq_class& limit) {
  if (r.exact) return cmp(abs(*r.exact), limit);
  Mpfr bound(mpfr_get_prec(r.close->value));
  mpfr_set_q(bound.value, limit.get_mpq_t(), MPFR_RNDN);  // exact: a power of 2
  return mpfr_cmpabs(r.close->value, bound.value);
}

// ((1 + rate/100)^e - 1) * 100, or the error the calculator must raise.
struct Outcome {
  std::string error;
  Result value;
};
Outcome Compute(const RateInput& input) {
  const std::optional<mpq_class> rate = Read(input.rate);
  const std::optional<mpq_class> periods = Read(input.periods);
  if (!rate || !periods) return {"error 6", {}};
  mpq_class e = *periods;
  if (input.action == 'M') {
    if (e == 0) return {"error 11", {}};
    e = 1 / e;
    if (abs(e) >= kBeyondDouble) return {"error 6", {}};
  }
  const mpq_class b = 1 + *rate / 100;
  if (e == 0) return {"", {mpq_class(0), nullptr}};
  if (b == 0) {
    if (e < 0) return {"error 11", {}};
    return {"", {mpq_class(-100), nullptr}};
  }
  if (b < 0 && e.get_den() != 1) return {"error 5", {}};
  Result r = PowerMinusOneTimes100(b, e);
  if (NextTo(r, kBeyondDouble) || NextTo(r, kZeroAsDouble)) {
    r = PowerMinusOneTimes100(b, e, 16384);
  }
  if (CompareMagnitude(r, kBeyondDouble) >= 0) return {"error 6", {}};
  return {"", std::move(r)};
}

// A value rounded to 15 digits, ties to even: the digits and the power of
// ten of the first.
struct Rounding {
  std::string digits;
  long exponent = 0;
};

Rounding Rounded15(const mpq_class& value) {
  const mpq_class magnitude = abs(value);
  long exponent =
      static_cast<long>(mpz_sizeinbase(magnitude.get_num_mpz_t(), 10)) -
      static_cast<long>(mpz_sizeinbase(magnitude.get_den_mpz_t(), 10));
  while (magnitude >= PowerOfTen(exponent + 1)) ++exponent;
  while (magnitude < PowerOfTen(exponent)) --exponent;
  const mpq_class scaled = magnitude * PowerOfTen(14 - exponent);
  mpz_class whole = scaled.get_num() / scaled.get_den();
  const mpq_class from_tie = scaled - whole - mpq_class(1, 2);
  if (from_tie > 0 || (from_tie == 0 && mpz_odd_p(whole.get_mpz_t()))) ++whole;
  if (whole == PowerOfTen(15).get_num()) {
    whole /= 10;
    ++exponent;
  }
  return {whole.get_str(), exponent};
}

// From `count` digits of an MPFR value; nothing when they lie within 10^5
// units of the last one of a tie, where more bits are needed.
std::optional<Rounding> Rounded15(const Mpfr& value, int count) {
  mpfr_exp_t exponent = 0;
  char* text =
      mpfr_get_str(nullptr, &exponent, 10, static_cast<std::size_t>(count),
                   value.value, MPFR_RNDN);
  const std::string digits(text[0] == '-' ? text + 1 : text);
  mpfr_free_str(text);
  const long rest_digits = count - 15;
  const mpz_class rest(digits.substr(15), 10);
  const mpz_class tie = 5 * PowerOfTen(rest_digits - 1).get_num();
  const mpz_class off = abs(rest - tie);
  if (off <= 100000) return std::nullopt;
  mpq_class kept(mpz_class(digits.substr(0, 15), 10));
  if (rest > tie) kept += 1;
  return Rounded15(mpq_class(kept * PowerOfTen(exponent - 15)));
}

std::string Formatted(bool negative, std::string digits, long exponent) {
  if (exponent == 308 && digits > "179769313486231") digits = "179769313486231";
  if (exponent == -324 && digits <= "247032822920623")
    digits = "247032822920624";
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  std::string text = negative ? "-" : "";
  if (exponent < -4 || exponent >= 15) {
    text.push_back(digits.front());
    if (digits.size() > 1) text.append(",").append(digits, 1);
    char power[24];
    std::snprintf(power, sizeof power, "E%c%02ld", exponent < 0 ? '-' : '+',
                  std::labs(exponent));
    return text + power;
  }
  if (exponent >= 0) {
    const auto units = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= units)
      return text + digits + std::string(units - digits.size(), '0');
    return text + digits.substr(0, units) + "," + digits.substr(units);
  }
  return text + "0," +
         std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
}

struct Tally {
  long clicks = 0, values = 0, errors = 0, ties = 0, different = 0;
};

// The exact answer to a click.
std::string Expected(const RateInput& input, Tally& tally) {
  auto [error, r] = Compute(input);
  if (!error.empty()) {
    ++tally.errors;
    return error;
  }
  ++tally.values;
  if (CompareMagnitude(r, kZeroAsDouble) <= 0) return "0";
  std::optional<Rounding> rounding;
  if (r.exact) {
    rounding = Rounded15(*r.exact);
    const mpq_class scaled =
        abs(*r.exact) * PowerOfTen(14 - rounding->exponent);
    if (scaled.get_den() == 2) ++tally.ties;
  } else if (!(rounding = Rounded15(*r.close, 40))) {
    mpq_class e = *Read(input.periods);
    if (input.action == 'M') e = 1 / e;
    r = PowerMinusOneTimes100(1 + *Read(input.rate) / 100, e, 16384);
    rounding = Rounded15(*r.close, 1500);
    if (!rounding) {
      std::printf("%c %s over %s: undecided at 16384 bits\n", input.action,
                  input.rate.c_str(), input.periods.c_str());
      std::exit(2);
    }
  }
  return Formatted(r.Sign() < 0, rounding->digits, rounding->exponent);
}

// Round trips of the 1500 rates 0,01 to 15,00 over the usual periods, in
// turn: each must come back as exact arithmetic on the 15 digits in between
// gives it, which only their rounding can keep from the typed rate.
bool RoundTrips() {
  static constexpr int kPeriods[] = {1, 2, 4, 12, 52, 360, 365};
  bool sound = true;
  for (const char first : {'M', 'A'}) {
    const char second = first == 'M' ? 'A' : 'M';
    int returned = 0;
    for (int cents = 1; cents <= 1500; ++cents) {
      const int n = kPeriods[cents % 7];
      char rate[16];
      std::snprintf(rate, sizeof rate, "%d,%02d", cents / 100, cents % 100);
      const std::string periods = std::to_string(n);
      const std::string between = tasa::testing::Answer({first, rate, periods});
      const std::string back =
          tasa::testing::Answer({second, between, periods});
      Tally ignored;
      sound = sound && back == Expected({second, between, periods}, ignored);
      returned += *Read(back) == *Read(rate);
      // The slope times half a unit of the last digit in between, and half
      // a unit of back's own last digit.
      const double y = Read(between)->get_d();
      const double slope = first == 'M'
                               ? n * std::pow(1 + y / 100, n - 1)
                               : std::pow(1 + y / 100, 1.0 / n - 1) / n;
      const auto half_unit = [](double v) {
        return 0.5 * std::pow(10.0, std::floor(std::log10(std::fabs(v))) - 14);
      };
      const mpq_class off = abs(*Read(back) - *Read(rate));
      if (off >
          1.01 * (slope * half_unit(y) + half_unit(Read(back)->get_d()))) {
        std::printf("round trip %s -> %s -> %s is off by more than rounding\n",
                    rate, between.c_str(), back.c_str());
        sound = false;
      }
    }
    std::printf("%s: %d of 1500 rates (%.1f %%) come back as typed\n",
                first == 'M' ? "annual -> monthly -> annual"
                             : "monthly -> annual -> monthly",
                returned, returned / 15.0);
  }
  return sound;
}

// A text for a line of the report: a long one by its ends and its length.
std::string Quoted(const std::string& text) {
  if (text.size() <= 80) return text;
  return text.substr(0, 40) + "..." + text.substr(text.size() - 20) + " (" +
         std::to_string(text.size()) + " characters)";
}

}  // namespace

int main(int argc, char* argv[]) {
  const std::size_t count = argc > 1 ? std::stoul(argv[1]) : 100000;
  const std::uint64_t seed = argc > 2 ? std::stoull(argv[2]) : 20261208;
  Tally tally;
  std::map<std::string_view, Tally> families;
  for (const RateInput& input :
       tasa::testing::GenerateRateInputs(count, seed)) {
    ++tally.clicks;
    Tally& family = families[input.family];
    ++family.clicks;
    const std::string shown = tasa::testing::Answer(input);
    const std::string expected = Expected(input, family);
    if (shown != expected) {
      ++family.different;
      if (++tally.different <= 20) {
        std::printf("%c %s over %s: shows %s, exactly %s\n", input.action,
                    Quoted(input.rate).c_str(), Quoted(input.periods).c_str(),
                    shown.c_str(), expected.c_str());
      }
    }
  }
  for (const auto& [name, family] : families) {
    std::printf(
        "%-38s %7ld clicks, %ld different (%ld exact ties, %ld errors)\n",
        std::string(name).c_str(), family.clicks, family.different, family.ties,
        family.errors);
    tally.values += family.values;
    tally.ties += family.ties;
    tally.errors += family.errors;
  }
  std::printf(
      "%ld clicks: %ld identical to exact arithmetic, %ld different "
      "(%ld values, %ld of them exact ties; %ld errors)\n",
      tally.clicks, tally.clicks - tally.different, tally.different,
      tally.values, tally.ties, tally.errors);
  const bool trips = RoundTrips();
  return tally.different == 0 && trips ? 0 : 1;
}
