#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>

#include "actions/form1_actions.h"
#include "actions/rate_formulas.h"
#include "actions/run_action.h"
#include "runtime/fault_flags.h"
#include "runtime/text_conversion.h"
#include "support/fake_form.h"
#include "support/raised.h"

namespace tasa {
namespace {

using testing::ErrorRaisedBy;
using testing::ErrorRecorder;
using testing::FakeForm;
using Texts = std::array<std::string, 3>;

// What a formula shows for two typed numbers.
template <class Formula>
std::string Computed(Formula formula, const char* rate, const char* periods) {
  return NumberToText(formula(TextToNumber(rate), TextToNumber(periods)));
}

TEST(RateFormulas, ComputeTheEffectiveRates) {
  // Exactly 12,682503013196972066120100 and 0,948879293458297412635506919...
  EXPECT_EQ(Computed(AnnualFromMonthly, "1", "12"), "12,682503013197");
  EXPECT_EQ(Computed(MonthlyFromAnnual, "12", "12"), "0,948879293458297");
  EXPECT_EQ(Computed(AnnualFromMonthly, "5", "1"), "5");
  EXPECT_EQ(Computed(MonthlyFromAnnual, "21", "2"), "10");
}

TEST(RateFormulas, IgnoreFaultsLeftBehindByEarlierWork) {
  RaiseFaults(kDivisionByZero | kOverflow | kInvalidOperation);
  EXPECT_EQ(ErrorRaisedBy([] { Computed(AnnualFromMonthly, "1", "12"); }),
            std::nullopt);
  RaiseFaults(kDivisionByZero | kOverflow | kInvalidOperation);
  EXPECT_EQ(ErrorRaisedBy([] { Computed(MonthlyFromAnnual, "12", "12"); }),
            std::nullopt);
}

TEST(RateFormulas, FaultsAreCaughtAtEachCheck) {
  const struct {
    Decimal (*formula)(const Decimal&, const Decimal&);
    const char* rate;
    const char* periods;
    ErrorKind kind;
  } cases[] = {
      // First check of the monthly formula: the reciprocal of the periods.
      {MonthlyFromAnnual, "12", "0", ErrorKind::DivisionByZero},
      {MonthlyFromAnnual, "12", "-0", ErrorKind::DivisionByZero},
      {MonthlyFromAnnual, "12", "1e-310", ErrorKind::Overflow},
      // The power.
      {AnnualFromMonthly, "100", "2000", ErrorKind::Overflow},
      {AnnualFromMonthly, "-200", "0,5", ErrorKind::InvalidOperation},
      {MonthlyFromAnnual, "-200", "2", ErrorKind::InvalidOperation},
      {AnnualFromMonthly, "-100", "-1", ErrorKind::DivisionByZero},
      // 1 + 1e-24 is not 1: its power overflows.
      {AnnualFromMonthly, "1e-22", "1e308", ErrorKind::Overflow},
      // The last check: 100^153.5 = 1e307 fits, but times 100 does not.
      {AnnualFromMonthly, "9900", "153,5", ErrorKind::Overflow},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ErrorRaisedBy([&] { Computed(c.formula, c.rate, c.periods); }),
              c.kind)
        << c.rate << " over " << c.periods;
  }
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
  EXPECT_EQ(form.Texts(), (Texts{"12", "12", "0,948879293458297"}));
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
    const char* annual;
  } annual_cases[] = {
      {"1", "0", "0"},
      {"21", "0,5", "10"},
      {"1", "-12", "-11,2550774734846"},
      {"1", "1e-300", "9,95033085316808E-301"},
  };
  for (const auto& c : annual_cases) {
    FakeForm annual(" ", c.periods, c.rate);
    Command1_Click(annual);
    EXPECT_EQ(annual.box1.text, c.annual) << c.rate << " over " << c.periods;
  }

  FakeForm monthly("12", "-12", " ");
  Command2_Click(monthly);
  EXPECT_EQ(monthly.box3.text, "-0,939960205699665");
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

TEST(Actions, RoundTripsComeBackToTheTypedRate) {
  // Each way, as far as the 15 digits in between allow.
  const struct {
    Action there;
    Action back;
    const char* rate;
    const char* periods;
    const char* in_between;
    const char* returned;
  } trips[] = {
      {Command2_Click, Command1_Click, "12", "12", "0,948879293458297", "12"},
      {Command2_Click, Command1_Click, "5", "365", "0,013368061711344",
       "4,99999999999999"},
      {Command2_Click, Command1_Click, "10", "4", "2,41136890844451",
       "9,99999999999999"},
      {Command1_Click, Command2_Click, "1", "12", "12,682503013197", "1"},
      {Command1_Click, Command2_Click, "0,5", "0,5", "0,249688278817107",
       "0,5"},
  };
  for (const auto& trip : trips) {
    const bool annual_first = trip.there == Command1_Click;
    FakeForm there(annual_first ? " " : trip.rate, trip.periods,
                   annual_first ? trip.rate : " ");
    trip.there(there);
    const std::string& in_between =
        annual_first ? there.box1.text : there.box3.text;
    EXPECT_EQ(in_between, trip.in_between)
        << trip.rate << " over " << trip.periods;

    FakeForm back(annual_first ? in_between : " ", trip.periods,
                  annual_first ? " " : in_between);
    trip.back(back);
    EXPECT_EQ(annual_first ? back.box3.text : back.box1.text, trip.returned)
        << trip.rate << " over " << trip.periods;
  }
}

TEST(RunAction, ReportsAnErrorAndLetsTheProgramGoOn) {
  FakeForm form("12", "0", "5");
  ErrorRecorder report;
  EXPECT_FALSE(RunAction(Command2_Click, form, report).completed);
  EXPECT_EQ(report.shown, (std::vector<ErrorKind>{ErrorKind::DivisionByZero}));
  EXPECT_EQ(form.Texts(), (Texts{"12", "0", "5"}));

  form.box2.text = "12";
  EXPECT_TRUE(RunAction(Command2_Click, form, report).completed);
  form.box2.text = "doce";  // error 13 names the box
  EXPECT_EQ(RunAction(Command2_Click, form, report).not_a_number,
            BoxName::Text2);
  EXPECT_EQ(report.shown.size(), 2u);
  EXPECT_EQ(form.box3.text, "0,948879293458297");
}

TEST(RunAction, ReportsEveryOtherFailureAsARunTimeError) {
  ErrorRecorder report;
  FakeForm form;
  RunAction([](Form&) { throw std::bad_alloc(); }, form, report);
  RunAction([](Form&) { throw std::out_of_range("x"); }, form, report);
  RunAction([](Form&) { throw 42; }, form, report);
  EXPECT_EQ(report.shown,
            (std::vector<ErrorKind>{ErrorKind::OutOfMemory, ErrorKind::Internal,
                                    ErrorKind::Internal}));
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
      {ErrorKind::Internal, 51, "Error interno"},
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
