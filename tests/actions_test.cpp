#include <gtest/gtest.h>

#include <cfenv>
#include <new>
#include <string>

#include "actions/form1_actions.h"
#include "actions/rate_formulas.h"
#include "actions/run_action.h"
#include "runtime/text_conversion.h"
#include "support/fake_form.h"
#include "support/raised.h"

namespace tasa {
namespace {

using testing::ErrorRaisedBy;
using testing::ErrorRecorder;
using testing::FakeForm;
using Texts = std::array<std::string, 3>;

TEST(RateFormulas, ComputeTheEffectiveRates) {
  EXPECT_NEAR(AnnualFromMonthly(1, 12), 12.682503013196978, 1e-12);
  EXPECT_NEAR(MonthlyFromAnnual(12, 12), 0.9488792934583046, 1e-13);
  EXPECT_NEAR(AnnualFromMonthly(5, 1), 5, 1e-14);
  EXPECT_NEAR(MonthlyFromAnnual(21, 2), 10, 1e-13);
}

TEST(RateFormulas, IgnoreFaultsLeftBehindByEarlierWork) {
  std::feraiseexcept(FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID);
  EXPECT_EQ(ErrorRaisedBy([] { AnnualFromMonthly(1, 12); }), std::nullopt);
  std::feraiseexcept(FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID);
  EXPECT_EQ(ErrorRaisedBy([] { MonthlyFromAnnual(12, 12); }), std::nullopt);
}

TEST(RateFormulas, FaultsAreCaughtAtEachCheck) {
  // First check of the monthly formula: the reciprocal of the periods.
  EXPECT_EQ(ErrorRaisedBy([] { MonthlyFromAnnual(12, 0); }),
            ErrorKind::DivisionByZero);
  EXPECT_EQ(ErrorRaisedBy([] { MonthlyFromAnnual(12, -0.0); }),
            ErrorKind::DivisionByZero);
  EXPECT_EQ(ErrorRaisedBy([] { MonthlyFromAnnual(12, 1e-310); }),
            ErrorKind::Overflow);
  // The power.
  EXPECT_EQ(ErrorRaisedBy([] { AnnualFromMonthly(100, 2000); }),
            ErrorKind::Overflow);
  EXPECT_EQ(ErrorRaisedBy([] { AnnualFromMonthly(-200, 0.5); }),
            ErrorKind::InvalidOperation);
  EXPECT_EQ(ErrorRaisedBy([] { MonthlyFromAnnual(-200, 2); }),
            ErrorKind::InvalidOperation);
  EXPECT_EQ(ErrorRaisedBy([] { AnnualFromMonthly(-100, -1); }),
            ErrorKind::DivisionByZero);
  // The last check: 100^153.5 = 1e307 fits, but times 100 does not.
  EXPECT_EQ(ErrorRaisedBy([] { AnnualFromMonthly(9900, 153.5); }),
            ErrorKind::Overflow);
}

TEST(AnnualAction, WritesTheAnnualRateIntoText1) {
  FakeForm form(" ", "12", "1");
  Command1_Click(form);
  EXPECT_EQ(form.Texts(), (Texts{"12,682503013197", "12", "1"}));
  EXPECT_EQ(form.log, (std::vector<std::string>{"read Text3", "read Text2",
                                                "write Text1"}));
}

TEST(MonthlyAction, WritesTheRatePerPeriodIntoText3) {
  FakeForm form("12", "12", " ");
  Command2_Click(form);
  EXPECT_EQ(form.Texts(), (Texts{"12", "12", "0,948879293458305"}));
  EXPECT_EQ(form.log, (std::vector<std::string>{"read Text1", "read Text2",
                                                "write Text3"}));
}

TEST(ClearAction, EmptiesTheThreeBoxesInOrder) {
  FakeForm form("12,682503013197", "12", "1");
  Command4_Click(form);
  EXPECT_EQ(form.Texts(), (Texts{"", "", ""}));
  EXPECT_EQ(form.log, (std::vector<std::string>{"write Text1", "write Text2",
                                                "write Text3"}));
}

TEST(Actions, UseThePeriodsExactlyAsTyped) {
  FakeForm form;  // every box starts with one space: periods read as 0
  Command1_Click(form);
  EXPECT_EQ(form.box1.text, "0");

  const struct {
    const char* rate;
    const char* periods;
    double annual;
  } annual_cases[] = {
      {"1", "0", 0},
      {"21", "0,5", 10},
      {"1", "-12", -11.25507747348464},
      {"1", "1e-300", 0},
  };
  for (const auto& c : annual_cases) {
    FakeForm annual(" ", c.periods, c.rate);
    Command1_Click(annual);
    EXPECT_NEAR(TextToNumber(annual.box1.text), c.annual, 1e-13)
        << c.rate << " over " << c.periods;
  }

  FakeForm monthly("12", "-12", " ");
  Command2_Click(monthly);
  EXPECT_NEAR(TextToNumber(monthly.box3.text), -0.939960205699666, 5e-14);
}

TEST(Actions, AFailedComputationChangesNoBox) {
  const struct {
    Action action;
    const char* text1;
    const char* text2;
    const char* text3;
    ErrorKind kind;
  } cases[] = {
      {Command2_Click, "12", "0", " ", ErrorKind::DivisionByZero},
      {Command2_Click, "12", " ", "5", ErrorKind::DivisionByZero},
      {Command2_Click, "12", "1e-310", "5", ErrorKind::Overflow},
      {Command2_Click, "-200", "2", "5", ErrorKind::InvalidOperation},
      {Command2_Click, "1,2,3", "12", "5", ErrorKind::NotANumber},
      {Command2_Click, "12", "doce", "5", ErrorKind::NotANumber},
      {Command2_Click, "1e999", "12", "5", ErrorKind::Overflow},
      {Command1_Click, "7", "12", "abc", ErrorKind::NotANumber},
      {Command1_Click, "7", "12x", "1", ErrorKind::NotANumber},
      {Command1_Click, "7", "2000", "100", ErrorKind::Overflow},
      {Command1_Click, "7", "153,5", "9900", ErrorKind::Overflow},
      {Command1_Click, "7", "0,5", "-200", ErrorKind::InvalidOperation},
      {Command1_Click, "7", "-1", "-100", ErrorKind::DivisionByZero},
      {Command1_Click, "7", "12", "-1e400", ErrorKind::Overflow},
  };
  for (const auto& c : cases) {
    FakeForm form(c.text1, c.text2, c.text3);
    const Texts before = form.Texts();
    EXPECT_EQ(ErrorRaisedBy([&] { c.action(form); }), c.kind)
        << c.text1 << " | " << c.text2 << " | " << c.text3;
    EXPECT_EQ(form.Texts(), before);
  }
}

TEST(Actions, AFailedReadOrWriteOfABoxIsAnError) {
  FakeForm unreadable("12", "12", "1");
  unreadable.box2.fail_read = true;
  EXPECT_EQ(ErrorRaisedBy([&] { Command1_Click(unreadable); }),
            ErrorKind::BoxAccess);
  EXPECT_EQ(ErrorRaisedBy([&] { Command2_Click(unreadable); }),
            ErrorKind::BoxAccess);
  EXPECT_EQ(unreadable.Texts(), (Texts{"12", "12", "1"}));

  FakeForm unwritable("12", "12", "1");
  unwritable.box1.fail_write = true;
  EXPECT_EQ(ErrorRaisedBy([&] { Command1_Click(unwritable); }),
            ErrorKind::BoxAccess);
  EXPECT_EQ(unwritable.Texts(), (Texts{"12", "12", "1"}));

  // Borrar stops at the box it could not write.
  FakeForm half_cleared("12", "12", "1");
  half_cleared.box2.fail_write = true;
  EXPECT_EQ(ErrorRaisedBy([&] { Command4_Click(half_cleared); }),
            ErrorKind::BoxAccess);
  EXPECT_EQ(half_cleared.Texts(), (Texts{"", "12", "1"}));
  EXPECT_EQ(half_cleared.log,
            (std::vector<std::string>{"write Text1", "write Text2"}));
}

TEST(Actions, MonthlyAfterClearIsADivisionByZero) {
  FakeForm form("12", "12", "1");
  Command4_Click(form);
  EXPECT_EQ(ErrorRaisedBy([&] { Command2_Click(form); }),
            ErrorKind::DivisionByZero);
  EXPECT_EQ(form.Texts(), (Texts{"", "", ""}));
}

TEST(Actions, AnnualThenMonthlyGivesBackTheRatePerPeriod) {
  for (const char* rate : {"0,5", "1", "2,75", "10", "33,3"}) {
    for (const char* periods : {"2", "4", "12", "365", "0,5"}) {
      FakeForm there(" ", periods, rate);
      Command1_Click(there);
      FakeForm back(there.box1.text, periods, " ");
      Command2_Click(back);
      const double start = TextToNumber(rate);
      EXPECT_NEAR(TextToNumber(back.box3.text), start, start * 1e-12)
          << rate << " over " << periods << " via " << there.box1.text;
    }
  }
}

TEST(RunAction, ReportsAnErrorAndLetsTheProgramGoOn) {
  FakeForm form("12", "0", "5");
  ErrorRecorder report;
  EXPECT_FALSE(RunAction(Command2_Click, form, report));
  EXPECT_EQ(report.shown, (std::vector<ErrorKind>{ErrorKind::DivisionByZero}));
  EXPECT_EQ(form.Texts(), (Texts{"12", "0", "5"}));

  form.box2.text = "12";
  EXPECT_TRUE(RunAction(Command2_Click, form, report));
  EXPECT_EQ(report.shown.size(), 1u);
  EXPECT_EQ(form.box3.text, "0,948879293458305");
}

TEST(RunAction, ReportsRunningOutOfMemory) {
  ErrorRecorder report;
  FakeForm form;
  EXPECT_FALSE(RunAction([](Form&) { throw std::bad_alloc(); }, form, report));
  EXPECT_EQ(report.shown, (std::vector<ErrorKind>{ErrorKind::OutOfMemory}));
}

TEST(RunTimeError, NumbersAndDescriptionsAreStable) {
  const struct {
    ErrorKind kind;
    int number;
    const char* description;
  } cases[] = {
      {ErrorKind::InvalidOperation, 5, "Operación no válida"},
      {ErrorKind::Overflow, 6, "Desbordamiento"},
      {ErrorKind::OutOfMemory, 7, "Memoria insuficiente"},
      {ErrorKind::DivisionByZero, 11, "División por cero"},
      {ErrorKind::NotANumber, 13, "El texto no es un número"},
      {ErrorKind::BoxAccess, 380,
       "No se pudo leer o escribir el texto de un cuadro"},
  };
  for (const auto& c : cases) {
    const RunTimeError error(c.kind);
    EXPECT_EQ(error.number(), c.number);
    EXPECT_EQ(error.description(), c.description);
  }
}

}  // namespace
}  // namespace tasa
