#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <limits>

#include "runtime/fault_flags.h"
#include "runtime/power.h"
#include "runtime/run_time_error.h"
#include "support/raised.h"

namespace tasa {
namespace {

using testing::ErrorRaisedBy;

TEST(Power, ComputesRealPowers) {
  EXPECT_EQ(Power(2, 10), 1024);
  EXPECT_EQ(Power(-2, 3), -8);
  EXPECT_EQ(Power(-0.5, -2), 4);
  EXPECT_EQ(Power(0, 0), 1);
  EXPECT_EQ(Power(0, 3), 0);
  EXPECT_EQ(Power(5, -1), 0.2);
  EXPECT_NEAR(Power(1.21, 0.5), 1.1, 1e-15);
  EXPECT_EQ(Power(0.5, 2000), 0.0);  // underflow is not a fault
}

TEST(Power, RefusesPowersWithoutARealResult) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(ErrorRaisedBy([] { Power(-8, 1.0 / 3.0); }),
            ErrorKind::InvalidOperation);
  EXPECT_EQ(ErrorRaisedBy([] { Power(-1, 0.5); }), ErrorKind::InvalidOperation);
  EXPECT_EQ(ErrorRaisedBy([&] { Power(nan, 2); }), ErrorKind::InvalidOperation);
  EXPECT_EQ(ErrorRaisedBy([&] { Power(2, nan); }), ErrorKind::InvalidOperation);
  EXPECT_EQ(ErrorRaisedBy([] { Power(0, -1); }), ErrorKind::DivisionByZero);
  EXPECT_EQ(ErrorRaisedBy([] { Power(-0.0, -0.5); }),
            ErrorKind::DivisionByZero);
  EXPECT_EQ(ErrorRaisedBy([] { Power(10, 400); }), ErrorKind::Overflow);
  EXPECT_EQ(ErrorRaisedBy([] { Power(-10, 401); }), ErrorKind::Overflow);
  EXPECT_EQ(ErrorRaisedBy([] { Power(1e-300, -2); }), ErrorKind::Overflow);
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

}  // namespace
}  // namespace tasa
