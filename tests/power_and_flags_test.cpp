#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <limits>
#include <string>

#include "runtime/fault_flags.h"
#include "runtime/power.h"
#include "runtime/run_time_error.h"
#include "runtime/text_conversion.h"
#include "support/raised.h"

namespace tasa {
namespace {

using testing::ErrorRaisedBy;

Base BaseOf(const char* rate) {
  return MakeBase(Hundredth(TextToNumber(rate)));
}

TEST(PercentGrowth, ComputesRealPowersLessOneInPercent) {
  const std::string nines(4958, '9');  // bases next to 0, beyond every Quad
  const struct {
    std::string rate;  // the base is 1 + rate / 100
    const char* periods;
    bool reciprocal;
    const char* shown;
  } cases[] = {
      {"-99," + nines + std::string(40, '9'), "1000", true, "-99,999"},
      {"-99," + nines, "4960", true, "-90"},
      {"-99," + nines + std::string(40, '9'), "-0,01", false, "1E+52"},
      {"100", "10", false, "102300"},
      {"-300", "3", false, "-900"},
      {"-150", "-2", false, "300"},
      {"-100", "0", false, "0"},
      {"-100", "3", false, "-100"},
      {"-300", "0", false, "0"},
      {"300", "-2", true, "-50"},
      {"21", "2", true, "10"},
      {"-50", "2000", false, "-100"},  // underflow is not a fault
      // Next to 1 and to -1 the digits survive: (1 + 1e-30)^2 - 1 and
      // (-1 - 1e-30)^2 - 1.
      {"1e-28", "2", false, "2E-28"},
      {"-200,0000000000000000000000000001", "2", false, "2E-28"},
  };
  for (const auto& c : cases) {
    const Decimal n = TextToNumber(c.periods);
    const Periods e = c.reciprocal ? ReciprocalPeriods(n) : TypedPeriods(n);
    EXPECT_EQ(NumberToText(PercentGrowth(BaseOf(c.rate.c_str()), e)), c.shown)
        << c.rate.substr(0, 20) << " over " << c.periods;
  }
}

TEST(PercentGrowth, RefusesPowersWithoutARealResult) {
  const auto raised = [](const char* rate, const char* periods,
                         bool reciprocal) {
    const Decimal n = TextToNumber(periods);
    return ErrorRaisedBy([&] {
      PercentGrowth(BaseOf(rate),
                    reciprocal ? ReciprocalPeriods(n) : TypedPeriods(n));
    });
  };
  EXPECT_EQ(raised("-900", "3", true), ErrorKind::InvalidOperation);
  EXPECT_EQ(raised("-100,000000000000001", "2", true),
            ErrorKind::InvalidOperation);
  EXPECT_EQ(raised("-100", "-1", false), ErrorKind::DivisionByZero);
  EXPECT_EQ(raised("-100", "-2", true), ErrorKind::DivisionByZero);
}

TEST(FaultFlags, EachFaultFlagRaisesItsOwnError) {
  const unsigned all = kDivisionByZero | kOverflow | kInvalidOperation;
  const struct {
    unsigned faults;
    ErrorKind kind;
  } cases[] = {
      {kDivisionByZero, ErrorKind::DivisionByZero},
      {kOverflow, ErrorKind::Overflow},
      {kInvalidOperation, ErrorKind::InvalidOperation},
      {all, ErrorKind::DivisionByZero},
      {kOverflow | kInvalidOperation, ErrorKind::Overflow},
  };
  for (const auto& c : cases) {
    ClearFaultFlags();
    RaiseFaults(c.faults);
    EXPECT_EQ(ErrorRaisedBy(CheckFaultFlags), c.kind) << c.faults;
    // What working arithmetic raised on top goes when it is done.
    {
      const FaultFlagsKept kept;
      RaiseFaults(all);
    }
    EXPECT_EQ(FlaggedFaults(), c.faults);
  }
  ClearFaultFlags();
  EXPECT_EQ(ErrorRaisedBy(CheckFaultFlags), std::nullopt);
}

TEST(FaultFlags, UnderflowAndInexactAreNotFaults) {
#if defined(TASA_PROCESSOR_FAULT_FLAGS)
  ClearFaultFlags();
  std::feraiseexcept(FE_UNDERFLOW | FE_INEXACT);
  EXPECT_EQ(ErrorRaisedBy(CheckFaultFlags), std::nullopt);
#else
  GTEST_SKIP() << "this processor keeps no flags: the run time keeps the three "
                  "faults alone";
#endif
}

}  // namespace
}  // namespace tasa
