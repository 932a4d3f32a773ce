#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <limits>
#include <string>

#include "runtime/decimal.h"
#include "runtime/fault_flags.h"
#include "runtime/power.h"
#include "runtime/run_time_error.h"
#include "runtime/text_conversion.h"
#include "support/raised.h"

namespace tasa {
namespace {

using testing::ErrorRaisedBy;

Base BaseOf(const char* rate) { return OnePlus(Hundredth(TextToNumber(rate))); }
Exponent WholeExponent(int value) {
  return {Quad(value), true, value % 2 != 0};
}

TEST(Decimal, AddsOneExactly) {
  const struct {
    const char* value;
    const char* plus_one;
  } cases[] = {
      {"0", "1"},
      {"-1", "0"},
      {"-0,25", "0,75"},
      {"-2", "-1"},
      {"99,5", "100,5"},
      {"1e3", "1001"},
      {"-1,000000000000000000000000001", "-1e-27"},
      {"1e-30", "1,000000000000000000000000000001"},
      {"-0,999999999999999999999", "1e-21"},
  };
  for (const auto& c : cases) {
    const Decimal sum = PlusOne(TextToNumber(c.value));
    const Decimal expected = TextToNumber(c.plus_one);
    EXPECT_EQ(sum.negative, expected.negative) << c.value;
    EXPECT_EQ(sum.digits, expected.digits) << c.value;
    EXPECT_EQ(sum.exponent, expected.exponent) << c.value;
  }
}

TEST(Decimal, KnowsWhenAReciprocalIsWhole) {
  const struct {
    const char* value;
    bool whole;
    bool odd;
  } cases[] = {
      {"1", true, true},     {"-1", true, true},
      {"0,5", true, false},  {"0,2", true, true},
      {"0,25", true, false}, {"0,04", true, true},
      {"1e-5", true, false}, {"0,0008", true, false},
      {"12", false, false},  {"3", false, false},
      {"0,3", false, false}, {"0,333333333333333", false, false},
      {"10", false, false},  {"5", false, false},
      {"0", false, false},
  };
  for (const auto& c : cases) {
    const Wholeness wholeness = ReciprocalWholeness(TextToNumber(c.value));
    EXPECT_EQ(wholeness.whole, c.whole) << c.value;
    EXPECT_EQ(wholeness.odd, c.odd) << c.value;
  }
}

TEST(Decimal, RoundsToQuadOnce) {
  EXPECT_EQ(ToQuad(TextToNumber("0,1")), Quad(1) / 10);
  EXPECT_EQ(ToQuad(TextToNumber("-12,5")), Quad(-12.5));
  // Halfway between 1 and the next Quad, 1 + 2^-113, is a tie, rounded to
  // the even 1; a digit 200 places down tips it up.
  const std::string tie =
      "1," + std::string(34, '0') +
      "9629649721936179265279889712924636592690508241076940976199693977832794"
      "189453125";
  EXPECT_EQ(ToQuad(TextToNumber(tie)), 1);
  EXPECT_GT(ToQuad(TextToNumber(tie + std::string(100, '0') + "1")), 1);
}

TEST(PowerMinusOne, ComputesRealPowersLessOne) {
  const struct {
    const char* rate;  // the base is 1 + rate / 100
    Exponent exponent;
    double expected;
  } cases[] = {
      {"100", WholeExponent(10), 1023},    {"-300", WholeExponent(3), -9},
      {"-150", WholeExponent(-2), 3},      {"-100", WholeExponent(0), 0},
      {"-100", WholeExponent(3), -1},      {"-300", WholeExponent(0), 0},
      {"300", {-0.5, false, false}, -0.5}, {"21", {0.5, false, false}, 0.1},
      {"-50", WholeExponent(2000), -1},  // underflow is not a fault
  };
  for (const auto& c : cases) {
    EXPECT_NEAR(static_cast<double>(PowerMinusOne(BaseOf(c.rate), c.exponent)),
                c.expected, 1e-15)
        << c.rate;
  }
  // Next to 1 and to -1 the digits survive: (1 + 1e-30)^2 - 1 and
  // (-1 - 1e-30)^2 - 1.
  EXPECT_EQ(static_cast<double>(
                PowerMinusOne(BaseOf("1e-28"), WholeExponent(2)) * 1e30),
            2);
  EXPECT_EQ(static_cast<double>(
                PowerMinusOne(BaseOf("-200,0000000000000000000000000001"),
                              WholeExponent(2)) *
                1e30),
            2);
}

TEST(PowerMinusOne, RefusesPowersWithoutARealResult) {
  EXPECT_EQ(ErrorRaisedBy([] {
              PowerMinusOne(BaseOf("-900"), {Quad(1) / 3, false, false});
            }),
            ErrorKind::InvalidOperation);
  EXPECT_EQ(
      ErrorRaisedBy([] {
        PowerMinusOne(BaseOf("-100,000000000000001"), {0.5, false, false});
      }),
      ErrorKind::InvalidOperation);
  EXPECT_EQ(
      ErrorRaisedBy([] { PowerMinusOne(BaseOf("-100"), WholeExponent(-1)); }),
      ErrorKind::DivisionByZero);
  EXPECT_EQ(ErrorRaisedBy([] {
              PowerMinusOne(BaseOf("-100"), {-0.5, false, false});
            }),
            ErrorKind::DivisionByZero);
}

TEST(FaultFlags, EachFaultFlagRaisesItsOwnError) {
  const struct {
    int flag;
    ErrorKind kind;
  } cases[] = {
      {FE_DIVBYZERO, ErrorKind::DivisionByZero},
      {FE_OVERFLOW, ErrorKind::Overflow},
      {FE_INVALID, ErrorKind::InvalidOperation},
      {FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID, ErrorKind::DivisionByZero},
      {FE_OVERFLOW | FE_INVALID, ErrorKind::Overflow},
  };
  for (const auto& c : cases) {
    ClearFaultFlags();
    std::feraiseexcept(c.flag);
    EXPECT_EQ(ErrorRaisedBy(CheckFaultFlags), c.kind) << c.flag;
  }
}

TEST(FaultFlags, UnderflowAndInexactAreNotFaults) {
  ClearFaultFlags();
  std::feraiseexcept(FE_UNDERFLOW | FE_INEXACT);
  EXPECT_EQ(ErrorRaisedBy(CheckFaultFlags), std::nullopt);
}

TEST(FaultFlags, ClearingForgetsEarlierFaults) {
  std::feraiseexcept(FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID);
  ClearFaultFlags();
  EXPECT_EQ(ErrorRaisedBy(CheckFaultFlags), std::nullopt);
}

// The optimiser may move a division past the flag test that should see it,
// or ahead of the clear that should come first. Pinned operations must not.
double PinnedReciprocal(double n) {
  ClearFaultFlags();
  const double e = Pinned(1.0 / Pinned(n));
  CheckFaultFlags();
  return e;
}

TEST(FaultFlags, PinnedArithmeticHappensBetweenClearAndCheck) {
  EXPECT_EQ(ErrorRaisedBy([] { PinnedReciprocal(0.0); }),
            ErrorKind::DivisionByZero);
  EXPECT_EQ(ErrorRaisedBy([] { PinnedReciprocal(1e-310); }),
            ErrorKind::Overflow);
  EXPECT_EQ(PinnedReciprocal(4.0), 0.25);
}

TEST(FaultFlags, QuadValuesBeyondADoubleSetTheFlagsADoubleWould) {
  const Quad largest = std::numeric_limits<double>::max();
  const struct {
    Quad value;
    std::optional<ErrorKind> kind;
  } cases[] = {
      {largest, std::nullopt},
      {-largest * (1 + Quad(0x1p-60)), std::nullopt},  // rounds to it
      {largest * 2, ErrorKind::Overflow},
      {-largest * 2, ErrorKind::Overflow},
      {Quad(1e-320) / 1e20, std::nullopt},  // underflow
  };
  for (const auto& c : cases) {
    ClearFaultFlags();
    FlagIfNotADouble(c.value);
    EXPECT_EQ(ErrorRaisedBy(CheckFaultFlags), c.kind);
  }
  // Quad division by zero sets its flag as double division does.
  EXPECT_EQ(ErrorRaisedBy([] {
              ClearFaultFlags();
              Pinned(Quad(1) / Pinned(Quad(0)));
              CheckFaultFlags();
            }),
            ErrorKind::DivisionByZero);
}

}  // namespace
}  // namespace tasa
