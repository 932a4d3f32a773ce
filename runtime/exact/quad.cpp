#include "runtime/exact/quad.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

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

}  // namespace tasa
