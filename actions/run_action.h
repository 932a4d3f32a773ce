#pragma once

#include "actions/form.h"
#include "runtime/error_report.h"

namespace tasa {

using Action = void (*)(Form&);

// Runs one button action. A run-time error stops the action where it arose,
// is shown through `report`, and the program carries on with its boxes as
// the action left them. Running out of memory is error 7, and any other
// exception error 51. Returns whether the action completed.
bool RunAction(Action action, Form& form, ErrorReport& report);

}  // namespace tasa
