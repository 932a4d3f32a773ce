#pragma once

#include <optional>

#include "actions/form.h"
#include "runtime/error_report.h"

namespace tasa {

using Action = void (*)(Form&);

// How a click went: whether its action completed, and, where it stopped
// at a box whose text is not a number, that box.
struct ActionOutcome {
  bool completed = false;
  std::optional<BoxName> not_a_number;
};

// Runs one button action. A run-time error stops the action where it arose,
// is shown through `report`, and the program carries on with its boxes as
// the action left them. Running out of memory is error 7, and any other
// exception error 51.
ActionOutcome RunAction(Action action, Form& form, ErrorReport& report);

}  // namespace tasa
