// Feeds arbitrary bytes to the three actions as the texts of the three boxes,
// and checks, beyond "no crash", what every click must guarantee:
// - an action either writes exactly its one output box, with text that reads
//   back as a number and, read and written again, stays the same text; or
//   it raises a known run-time error and leaves all three boxes
//   byte-for-byte as they were;
// - Borrar empties the three boxes;
// - the text written for any finite double is that double rounded to 15
//   digits (next to the largest double, a value close by), and writes
//   again as the same text.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "actions/form1_actions.h"
#include "runtime/exact/decimal.h"
#include "runtime/run_time_error.h"
#include "runtime/text_conversion.h"
#include "support/exact_double.h"
#include "support/fake_form.h"

namespace {

using tasa::BoxName;
using tasa::ErrorKind;
using tasa::RunTimeError;
using tasa::testing::FakeForm;

[[noreturn]] void Broken(const char* what) {
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

void Require(bool holds, const char* what) {
  if (!holds) Broken(what);
}

bool IsKnown(ErrorKind kind) {
  switch (kind) {
    case ErrorKind::InvalidOperation:
    case ErrorKind::Overflow:
    case ErrorKind::OutOfMemory:
    case ErrorKind::DivisionByZero:
    case ErrorKind::NotANumber:
    case ErrorKind::BoxAccess:
      return true;
    case ErrorKind::Internal:  // only RunAction names one
      return false;
  }
  return false;
}

bool SameNumber(const tasa::Decimal& a, const tasa::Decimal& b) {
  if (a.IsZero() || b.IsZero()) return a.IsZero() && b.IsZero();
  return a.negative == b.negative && a.digits == b.digits &&
         a.exponent == b.exponent;
}

// A result reads back as the number shown, 0 only when it shows 0, and
// writing what was read gives the same text.
bool ReadsBackAsItself(const std::string& text) {
  try {
    const tasa::Decimal read = tasa::TextToNumber(text);
    return read.IsZero() == (text == "0") && tasa::NumberToText(read) == text;
  } catch (const RunTimeError&) {
    return false;
  }
}

void CheckClick(std::uint8_t which, const std::array<std::string, 3>& texts) {
  FakeForm form(texts[0], texts[1], texts[2]);
  const auto before = form.Texts();
  int output = -1;
  try {
    switch (which % 3) {
      case 0:
        tasa::Command1_Click(form);
        output = 0;
        break;
      case 1:
        tasa::Command2_Click(form);
        output = 2;
        break;
      default:
        tasa::Command4_Click(form);
        Require(form.Texts() == std::array<std::string, 3>{"", "", ""},
                "Borrar empties");
        return;
    }
  } catch (const RunTimeError& error) {
    Require(IsKnown(error.kind()), "known error");
    Require(form.Texts() == before, "an error changes no box");
    return;
  }
  const auto after = form.Texts();
  for (int box = 0; box < 3; ++box) {
    if (box != output)
      Require(after[box] == before[box], "only the output box changes");
  }
  Require(ReadsBackAsItself(after[output]), "the result reads back as itself");
}

void CheckNumberText(std::uint64_t bits) {
  const double value = std::bit_cast<double>(bits);
  if (!std::isfinite(value)) return;
  const std::string text = tasa::NumberToText(tasa::testing::ExactValue(value));
  char buffer[40];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value,
                                 std::chars_format::scientific, 14)
                       .ptr;
  double rounded = 0;
  const bool beyond_range = std::from_chars(buffer, end, rounded).ec ==
                            std::errc::result_out_of_range;
  const tasa::Decimal read_back = tasa::TextToNumber(text);
  if (beyond_range) {
    // Next to the largest double the text is rounded toward zero instead.
    Require(
        text == (value < 0 ? "-" : "") + std::string("1,79769313486231E+308"),
        "text reads back close by");
  } else {
    Require(SameNumber(read_back, tasa::TextToNumber(
                                      std::string_view(buffer, end - buffer))),
            "text reads back as the 15-digit value");
  }
  Require(tasa::NumberToText(read_back) == text, "text is stable");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::uint8_t which = input.ConsumeIntegral<std::uint8_t>();
  const std::uint64_t bits = input.ConsumeIntegral<std::uint64_t>();
  std::array<std::string, 3> texts;
  texts[0] = input.ConsumeRandomLengthString();
  texts[1] = input.ConsumeRandomLengthString();
  texts[2] = input.ConsumeRemainingBytesAsString();

  CheckClick(which, texts);
  CheckNumberText(bits);
  return 0;
}
