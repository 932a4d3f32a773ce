#include "runtime/exact/growth_equality.h"

#include <cmath>
#include <cstdint>
#include <optional>
#include <utility>

#include "runtime/exact/big_integer.h"

namespace tasa {
namespace {

// A decimal number's count of digits and decimal places: what bounds the
// size of the numerator and denominator of its fraction, both below
// 2^(4 size), as 10 < 2^4.
std::int64_t Size(const Decimal& d) {
  return static_cast<std::int64_t>(d.digits.size()) +
         (d.exponent < 0 ? -d.exponent : d.exponent) + 1;
}

struct Fraction {
  BigInt numerator;  // with the sign
  BigInt denominator;
};

// In lowest terms.
Fraction FractionOf(const Decimal& d) {
  BigInt digits(d.digits);
  if (d.negative) digits = -digits;
  if (d.exponent >= 0) return {digits * PowerOfTen(d.exponent), 1};
  const BigInt power = PowerOfTen(-d.exponent);
  const BigInt common = gcd(digits, power);
  return {digits / common, power / common};
}

// The k-th root of n >= 0, when n is the k-th power of a whole number.
std::optional<BigInt> WholeRoot(const BigInt& n, std::int64_t k) {
  BigInt root = RootFloor(n, k);
  if (boost::multiprecision::pow(root, static_cast<unsigned>(k)) != n) {
    return std::nullopt;
  }
  return root;
}

// x^k mod m, for m below 2^32.
std::uint64_t PowerModulo(std::uint64_t x, std::uint64_t k, std::uint64_t m) {
  std::uint64_t result = 1;
  for (x %= m; k != 0; k >>= 1, x = x * x % m) {
    if (k & 1) result = result * x % m;
  }
  return result;
}

// Whether d = (w1 / w2)^q, for d > 0 and w1 / w2 in lowest terms. Where d
// has many digits, a check modulo a prime first rules out almost every
// number that is not that power, in time linear in its digits.
bool IsPower(const Decimal& d, const BigInt& w1, const BigInt& w2,
             std::int64_t q) {
  static constexpr std::uint64_t kPrime = 4294967291;  // the largest below 2^32
  const auto modulo = [](const BigInt& x) -> std::uint64_t {
    return static_cast<std::uint64_t>(x % BigInt(kPrime));
  };
  std::uint64_t digits = 0;
  for (const char c : d.digits) digits = (digits * 10 + (c - '0')) % kPrime;
  const std::uint64_t tens = PowerModulo(
      10, static_cast<std::uint64_t>(d.exponent < 0 ? -d.exponent : d.exponent),
      kPrime);
  // d = digits 10^k; compare digits 10^k w2^q with w1^q (10^-k for k < 0).
  const auto uq = static_cast<std::uint64_t>(q);
  std::uint64_t left = digits * PowerModulo(modulo(w2), uq, kPrime) % kPrime;
  std::uint64_t right = PowerModulo(modulo(w1), uq, kPrime);
  if (d.exponent >= 0) {
    left = left * tens % kPrime;
  } else {
    right = right * tens % kPrime;
  }
  if (left != right) return false;
  const Fraction exact = FractionOf(d);
  return exact.numerator ==
             boost::multiprecision::pow(w1, static_cast<unsigned>(q)) &&
         exact.denominator ==
             boost::multiprecision::pow(w2, static_cast<unsigned>(q));
}

}  // namespace

bool GrowthIsExactly(const Base& b, const Periods& e, const Decimal& value) {
  // b^e must be c = 1 + value / 100, which has b^e's sign.
  Decimal c = PlusOne(Hundredth(value));
  if (c.Sign() != (b.sign < 0 && e.odd ? -1 : 1)) return false;
  c.negative = false;

  // With e = p/q in lowest terms, |b|^(p/q) = |c| exactly when |b| = w^q
  // and |c| = w^p for a rational w, which is not 1 (|b| is not). Then w^k
  // has a numerator or a denominator of at least 2^k: |p| and q are at
  // most the bits of |c| and of |b|, and so are the numerator and the
  // denominator of n. That bounds the digits of n and its decimal places:
  // k places make a denominator of at least 2^k, and the digits are the
  // numerator times 10^k over the denominator (docs/accuracy.md).
  const std::int64_t most_p = 4 * Size(c), most_q = 4 * Size(b.magnitude);
  const double most = static_cast<double>(std::max(most_p, most_q));
  const Decimal& n = e.n;
  const std::int64_t places = n.exponent < 0 ? -n.exponent : 0;
  if (static_cast<double>(places) > std::log2(most) + 1 ||
      static_cast<double>(Size(n)) > std::log10(most) + 2 * places + 2) {
    return false;
  }
  Fraction e_fraction = FractionOf(n);
  if (e.reciprocal) {
    std::swap(e_fraction.numerator, e_fraction.denominator);
    if (e_fraction.denominator < 0) {
      e_fraction.numerator = -e_fraction.numerator;
      e_fraction.denominator = -e_fraction.denominator;
    }
  }
  if (abs(e_fraction.numerator) > most_p || e_fraction.denominator > most_q) {
    return false;
  }
  const auto p = e_fraction.numerator.convert_to<std::int64_t>();
  const auto q = e_fraction.denominator.convert_to<std::int64_t>();

  // w = |c|^(1/|p|), or its reciprocal for p < 0.
  const Fraction fraction_c = FractionOf(c);
  std::optional<BigInt> w1 = WholeRoot(fraction_c.numerator, p < 0 ? -p : p);
  std::optional<BigInt> w2 = WholeRoot(fraction_c.denominator, p < 0 ? -p : p);
  if (!w1 || !w2) return false;
  if (p < 0) std::swap(w1, w2);
  // Then |b| = w^q, whose numerator or denominator has at least
  // q (bits - 1) bits.
  if (q * (std::max(BitLength(*w1), BitLength(*w2)) - 1) > most_q) {
    return false;
  }
  return IsPower(b.magnitude, *w1, *w2, q);
}

}  // namespace tasa
