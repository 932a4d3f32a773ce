#pragma once

#include <string>

#include "runtime/exact/decimal.h"

namespace tasa {

// IEEE binary128, 113 significant bits (about 34 decimal digits), for the
// quick estimate of a result, with the functions it takes, chosen for each
// target when the program is built (quad.cpp):
// - x86, Linux and Windows: GCC's __float128 and libquadmath;
// - aarch64 Linux: long double, which is binary128 there, and glibc's
//   113-bit logl, log1pl, expl and expm1l (the code libquadmath came from);
// - elsewhere, WebAssembly among them: long double, binary128 with exact
//   arithmetic, but functions that are only as accurate as a double's.
// The estimate's error bound assumes the four functions within 2^-100 of
// their values (docs/accuracy.md); where that is not known to hold, the
// estimate is not used and the enclosures decide every click.
#if defined(__x86_64__) || defined(__i386__)
__extension__ typedef __float128 Quad;
inline constexpr bool kQuadFunctionsWithinBound = true;
#elif defined(__aarch64__) && defined(__GLIBC__) && __LDBL_MANT_DIG__ == 113
using Quad = long double;
inline constexpr bool kQuadFunctionsWithinBound = true;
#else
using Quad = long double;
inline constexpr bool kQuadFunctionsWithinBound = false;
#endif

Quad QuadLog(Quad x);
Quad QuadLog1p(Quad x);
Quad QuadExp(Quad x);
Quad QuadExpm1(Quad x);
Quad QuadRound(Quad x);  // to the nearest whole number, halves away from 0
Quad QuadAbs(Quad x);
Quad QuadScaled(Quad x, int k);  // x 2^k
// A number written in decimal, correctly rounded.
Quad QuadFromText(const char* text);
// The value in exponent form with `digits` significant digits, correctly
// rounded: "-1.2345e+05".
std::string QuadText(Quad x, int digits);

// The value, correctly rounded to a Quad, for a number that a double holds
// (2^-1075 < |value| < 2^1024, or 0): the only numbers it is given. Its
// shortcut for long numbers is not proved beyond them.
Quad ToQuad(const Decimal& value);

}  // namespace tasa
