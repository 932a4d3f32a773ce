#pragma once

#include <cstdint>
#include <string>

// cpp_int.hpp includes <iostream> without using it, and a translation unit
// that includes <iostream> makes the standard streams at start-up, which
// links them and their locales into a static executable: 750 KB more on
// Windows. libstdc++'s include guard keeps that header out here.
#if defined(__GLIBCXX__) && !defined(_GLIBCXX_IOSTREAM)
#define _GLIBCXX_IOSTREAM
#define TASA_IOSTREAM_KEPT_OUT
#endif
// Built for 32-bit x86, GCC 12 finds out-of-bounds copies and overlong
// loops in cpp_int's code for limb counts that no number here reaches.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
#pragma GCC diagnostic ignored "-Wstringop-overread"
#pragma GCC diagnostic ignored "-Waggressive-loop-optimizations"
#endif
#include <boost/multiprecision/cpp_int.hpp>
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif
#ifdef TASA_IOSTREAM_KEPT_OUT
#undef _GLIBCXX_IOSTREAM
#undef TASA_IOSTREAM_KEPT_OUT
#endif

namespace tasa {

// Whole numbers of any size, for the exact decisions about results. Boost's
// cpp_int is header-only and written in portable C++, so it computes the
// same on every platform. Without expression templates: each operation
// gives a number, never a recipe for one.
using BigInt =
    boost::multiprecision::number<boost::multiprecision::cpp_int_backend<>,
                                  boost::multiprecision::et_off>;

// The number of bits of |x|: 0 for 0.
inline std::int64_t BitLength(const BigInt& x) {
  return x == 0
             ? 0
             : static_cast<std::int64_t>(boost::multiprecision::msb(abs(x))) +
                   1;
}

inline BigInt PowerOfTen(std::int64_t k) {
  return boost::multiprecision::pow(BigInt(10), static_cast<unsigned>(k));
}

// The whole part of the k-th root of n >= 0, for k >= 1.
BigInt RootFloor(const BigInt& n, std::int64_t k);

// The decimal digits of x >= 0.
std::string DigitsOf(BigInt x);

}  // namespace tasa
