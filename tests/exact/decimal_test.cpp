// The exact engine's numbers: exact sums on the digits as typed, the
// wholeness of a reciprocal, and the one rounding to a Quad.
#include "runtime/exact/decimal.h"
#include "runtime/exact/quad.h"

#include <gtest/gtest.h>

#include <string>

#include "runtime/text_conversion.h"

namespace tasa {
namespace {

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

}  // namespace
}  // namespace tasa
