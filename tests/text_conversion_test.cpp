#include "runtime/text_conversion.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "runtime/exact/quad.h"
#include "runtime/exact/rounding.h"
#include "runtime/run_time_error.h"
#include "support/exact_double.h"
#include "support/raised.h"

namespace tasa {
namespace {

using testing::ErrorRaisedBy;

std::optional<ErrorKind> KindRaisedByReading(const std::string& text) {
  return ErrorRaisedBy([&] { TextToNumber(text); });
}

// What a box's text reads as, rounded to a double.
double Read(const std::string& text) {
  return static_cast<double>(ToQuad(TextToNumber(text)));
}

// What a box shows for a result whose exact value is a double.
std::string NumberToText(double value) {
  return tasa::NumberToText(ShownOf(testing::ExactValue(value)).value);
}

// value rounded to 15 significant digits, the precision the boxes show (in
// the C library's "C" locale, which the tests run in).
double RoundedToShownDigits(double value) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.14e", value);
  return std::strtod(buffer, nullptr);
}

TEST(TextToNumber, ReadsWhatPeopleType) {
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {"12", 12},
      {" 12 ", 12},
      {"\t1,5\t", 1.5},
      {"1.5", 1.5},
      {"-1,5", -1.5},
      {"+2", 2},
      {",5", 0.5},
      {"5,", 5},
      {"-.25", -0.25},
      {"0000012", 12},
      {"1e3", 1000},
      {"1E+3", 1000},
      {"2,5e-2", 0.025},
      {"12,5E1", 125},
      {"0e999999999999999999999", 0},
      {"1,7976931348623157e308", std::numeric_limits<double>::max()},
      {"4e-320", 4e-320},  // subnormal, kept as it is
      // No-break spaces around a number, as copied from a web page.
      {"\xC2\xA0"
       "12\xC2\xA0",
       12},
      {"\xE2\x80\xAF"
       "-1,5 \t\xE2\x80\xAF",
       -1.5},
      // Blanks nobody sees, from documents: thin, ideographic and medium
      // mathematical spaces, zero-width space, word joiner, byte-order mark,
      // vertical tab, form feed; and a typeset minus sign.
      {"\xE2\x80\x89\xE3\x80\x80"
       "12\xE2\x81\x9F",
       12},
      {"\xE2\x80\x8B"
       "12\xE2\x81\xA0\xEF\xBB\xBF\v\f",
       12},
      {"\xE2\x88\x92"
       "2,5e\xE2\x88\x92"
       "1",
       -0.25},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Read(c.text), c.value) << '"' << c.text << '"';
  }
}

TEST(TextToNumber, KeepsEveryDigitAsWritten) {
  const struct {
    const char* text;
    bool negative;
    const char* digits;
    std::int64_t exponent;
  } cases[] = {
      {"0,1", false, "1", -1},
      {"-100,000000000000001", true, "100000000000000001", -15},
      {"001200", false, "12", 2},
      {"1,2300e-5", false, "123", -7},
      {"12345678901234567890123456789", false, "12345678901234567890123456789",
       0},
      {" -0 ", true, "", 0},
  };
  for (const auto& c : cases) {
    const Decimal read = TextToNumber(c.text);
    EXPECT_EQ(read.negative, c.negative) << c.text;
    EXPECT_EQ(read.digits, c.digits) << c.text;
    EXPECT_EQ(read.exponent, c.exponent) << c.text;
  }
}

TEST(TextToNumber, BlankTextReadsAsZero) {
  // The boxes start holding a space and Borrar leaves them empty.
  for (const char* text : {"", " ", "\t", " \t  "}) {
    EXPECT_TRUE(TextToNumber(text).IsZero()) << '"' << text << '"';
  }
}

TEST(TextToNumber, ValuesTooSmallForADoubleReadAsZero) {
  for (const std::string& text : std::vector<std::string>{
           "1e-400", "-1e-400", "0,000000001e-99999999999999999999",
           "0," + std::string(400, '0') + "1",
           std::string(400, '0') + "1e-330"}) {
    EXPECT_TRUE(TextToNumber(text).IsZero()) << text;
  }
  EXPECT_TRUE(TextToNumber("-1e-400").negative);
}

TEST(TextToNumber, ValuesTooLargeForADoubleOverflow) {
  for (const std::string& text : std::vector<std::string>{
           "1e400", "-1e400", "1,8e308", "9e99999999999999999999",
           "1" + std::string(400, '0'), "0,001e312"}) {
    EXPECT_EQ(KindRaisedByReading(text), ErrorKind::Overflow) << text;
  }
}

TEST(TextToNumber, RejectsTextThatIsNotANumber) {
  for (const std::string& text : std::vector<std::string>{
           "abc",
           "12abc",
           "1.2.3",
           "1,5.2",
           "1,5,2",
           "--1",
           "+-1",
           "- 1",
           "nan",
           "NaN",
           "inf",
           "-infinity",
           "1e",
           "1e+",
           "e5",
           ".",
           ",",
           "-",
           "+",
           "1 000",
           "1.000,5",
           "0x10",
           "1 2",
           "12%",
           "\n12",
           "12\r\n",
           "\xEF\xBC\x91\xEF\xBC\x92" /* fullwidth digits */,
           "1\xC2\xA0"
           "000" /* a no-break space inside */,
           "1\xE2\x80\xAF"
           "000" /* a narrow one */,
           "1\xE2\x80\x8B"
           "2" /* a zero-width space inside */,
           "\xE2\x88\x92\xE2\x88\x92"
           "1",
           std::string("1\0"
                       "2",
                       3)}) {
    EXPECT_EQ(KindRaisedByReading(text), ErrorKind::NotANumber)
        << '"' << text << '"';
  }
}

TEST(NumberToText, WritesFifteenDigitsWithACommaAndNoTrailingZeros) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {1, "1"},
      {-1, "-1"},
      {1.5, "1,5"},
      {100, "100"},
      {12.682503013196978, "12,682503013197"},
      {0.9488792934583046, "0,948879293458305"},
      {0.1 + 0.2, "0,3"},
      {1.0 / 3.0, "0,333333333333333"},
      {-2.0 / 3.0, "-0,666666666666667"},
      {0.0001, "0,0001"},
      {0.00012345, "0,00012345"},
      {1e14, "100000000000000"},
      {999999999999999, "999999999999999"},
      // Ties go to the even digit.
      {1234567890123455, "1,23456789012346E+15"},
      {1234567890123465, "1,23456789012346E+15"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NumberToText(c.value), c.text) << c.value;
  }
}

TEST(NumberToText, UsesExponentFormOutsideTheFixedRange) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {1e15, "1E+15"},
      {999999999999999.9, "1E+15"},  // rounding moves it into exponent form
      {1.5e20, "1,5E+20"},
      {-1.5e20, "-1,5E+20"},
      {1e-5, "1E-05"},
      {-2.5e-7, "-2,5E-07"},
      {123456789012345678.0, "1,23456789012346E+17"},
      {1e100, "1E+100"},
      {std::numeric_limits<double>::denorm_min(), "4,94065645841247E-324"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NumberToText(c.value), c.text) << c.value;
  }
}

TEST(NumberToText, TheLargestDoublesAreWrittenSoThatTheyReadBack) {
  // Rounded to nearest, 1,79769313486232E+308 would be beyond every double.
  constexpr double kMax = std::numeric_limits<double>::max();
  EXPECT_EQ(NumberToText(kMax), "1,79769313486231E+308");
  EXPECT_EQ(NumberToText(-kMax), "-1,79769313486231E+308");
  EXPECT_EQ(NumberToText(1.797693134862315e308), "1,79769313486231E+308");
  EXPECT_EQ(NumberToText(1.797693134862314e308), "1,79769313486231E+308");
  EXPECT_EQ(NumberToText(1.797693134862305e308), "1,7976931348623E+308");
  for (const double value : {kMax, -kMax, 1.797693134862315e308}) {
    const double read_back = Read(NumberToText(value));
    EXPECT_NEAR(read_back / value, 1.0, 1e-14);
  }
}

TEST(NumberToText, NeverWritesNegativeZero) {
  EXPECT_EQ(NumberToText(-0.0), "0");
  EXPECT_EQ(NumberToText(0.0), "0");
}

TEST(NumberToText, EveryTextReadsBackToItsFifteenDigitValue) {
  std::mt19937_64 random(20261208);
  for (int i = 0; i < 200000; ++i) {
    const std::uint64_t bits = random();
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    if (!std::isfinite(value)) continue;
    const std::string text = NumberToText(value);
    const double read_back = Read(text);
    ASSERT_EQ(read_back, RoundedToShownDigits(value)) << text;
    ASSERT_EQ(NumberToText(read_back), text);
  }
}

TEST(TextConversion, DoesNotDependOnTheProcessLocale) {
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  const char* locale = nullptr;
  for (const char* name : {"es_ES.UTF-8", "de_DE.UTF-8", "fr_FR.UTF-8"}) {
    if ((locale = std::setlocale(LC_ALL, name)) != nullptr) break;
  }
  if (locale == nullptr) GTEST_SKIP() << "no locale with a decimal comma";

  const double read_comma = Read("1,5");
  const double read_point = Read("1.5");
  const std::string written = NumberToText(1234.5);
  std::setlocale(LC_ALL, saved.c_str());

  EXPECT_EQ(read_comma, 1.5);
  EXPECT_EQ(read_point, 1.5);
  EXPECT_EQ(written, "1234,5");
}

}  // namespace
}  // namespace tasa
