#include "actions/form1_actions.h"

#include <string>

#include "actions/rate_formulas.h"
#include "runtime/fault_flags.h"
#include "runtime/text_conversion.h"

namespace tasa {
namespace {

Decimal ReadNumber(Form& form, BoxName name) {
  std::string text;
  CheckStatus(form.Box(name).ReadText(text));
  ClearFaultFlags();
  try {
    return TextToNumber(text);
  } catch (const RunTimeError& error) {
    if (error.kind() == ErrorKind::NotANumber) throw NotANumberIn(name);
    throw;
  }
}

void Write(TextBox& box, std::string_view text) {
  CheckStatus(box.WriteText(text));
  ClearFaultFlags();
}

}  // namespace

void Command1_Click(Form& form) {
  const Decimal m = ReadNumber(form, BoxName::Text3);
  const Decimal n = ReadNumber(form, BoxName::Text2);
  TextBox& output = form.Box(BoxName::Text1);
  Write(output, NumberToText(AnnualFromMonthly(m, n)));
}

void Command2_Click(Form& form) {
  const Decimal a = ReadNumber(form, BoxName::Text1);
  const Decimal n = ReadNumber(form, BoxName::Text2);
  TextBox& output = form.Box(BoxName::Text3);
  Write(output, NumberToText(MonthlyFromAnnual(a, n)));
}

void Command4_Click(Form& form) {
  Write(form.Box(BoxName::Text1), "");
  Write(form.Box(BoxName::Text2), "");
  Write(form.Box(BoxName::Text3), "");
}

}  // namespace tasa
