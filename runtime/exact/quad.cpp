#include "runtime/exact/quad.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#if defined(__x86_64__) || defined(__i386__)
#include <quadmath.h>
#endif

namespace tasa {

#if defined(__x86_64__) || defined(__i386__)

Quad QuadLog(Quad x) { return logq(x); }
Quad QuadLog1p(Quad x) { return log1pq(x); }
Quad QuadExp(Quad x) { return expq(x); }
Quad QuadExpm1(Quad x) { return expm1q(x); }
Quad QuadRound(Quad x) { return roundq(x); }
Quad QuadAbs(Quad x) { return fabsq(x); }
Quad QuadScaled(Quad x, int k) { return ldexpq(x, k); }
Quad QuadFromText(const char* text) { return strtoflt128(text, nullptr); }
std::string QuadText(Quad x, int digits) {
  char buffer[64];
  quadmath_snprintf(buffer, sizeof buffer, "%.*Qe", digits - 1, x);
  return buffer;
}

#else

Quad QuadLog(Quad x) { return std::log(x); }
Quad QuadLog1p(Quad x) { return std::log1p(x); }
Quad QuadExp(Quad x) { return std::exp(x); }
Quad QuadExpm1(Quad x) { return std::expm1(x); }
Quad QuadRound(Quad x) { return std::round(x); }
Quad QuadAbs(Quad x) { return std::fabs(x); }
Quad QuadScaled(Quad x, int k) { return std::ldexp(x, k); }
Quad QuadFromText(const char* text) { return std::strtold(text, nullptr); }
std::string QuadText(Quad x, int digits) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*Le", digits - 1, x);
  return buffer;
}

#endif

Quad ToQuad(const Decimal& value) {
  if (value.IsZero()) return value.negative ? -Quad(0) : Quad(0);
  // What people type: up to 19 digits make a whole number that a Quad holds
  // exactly, and so does 10^k for k up to 19. One division or
  // multiplication, correctly rounded, is then the whole conversion.
  constexpr std::size_t kShort = 19;
  if (value.digits.size() <= kShort && value.exponent >= -19 &&
      value.exponent <= 19) {
    std::uint64_t whole = 0;
    for (const char c : value.digits) {
      whole = whole * 10 + static_cast<std::uint64_t>(c - '0');
    }
    std::uint64_t power = 1;
    for (auto k = value.exponent < 0 ? -value.exponent : value.exponent; k > 0;
         --k)
      power *= 10;
    const Quad magnitude = value.exponent < 0 ? Quad(whole) / Quad(power)
                                              : Quad(whole) * Quad(power);
    return value.negative ? -magnitude : magnitude;
  }
  // Every boundary between two neighbouring Quads in the range of a double
  // has at most about 900 significant digits: it is an odd multiple of
  // 2^-k for k up to 1075 + 113, whose digits are those of 5^k times a
  // 114-bit number (docs/accuracy.md). So 1200 digits and, for any
  // beyond them (the last digit is never 0), a 1 in the 1201st place, stand
  // on the same side of every such boundary as all the digits do; and a
  // mebibyte of digits costs no more than 1200.
  constexpr std::size_t kKept = 1200;
  std::string text = value.negative ? "-" : "";
  std::int64_t exponent = value.exponent;
  if (value.digits.size() <= kKept) {
    text.append(value.digits);
  } else {
    text.append(value.digits, 0, kKept).push_back('1');
    exponent += static_cast<std::int64_t>(value.digits.size() - kKept - 1);
  }
  text.append("e").append(std::to_string(exponent));
  return QuadFromText(text.c_str());
}

}  // namespace tasa
