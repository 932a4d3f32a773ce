#pragma once

#include <string_view>

#include "actions/run_action.h"

namespace tasa {

// The only events the window handles: the clicks of its three buttons.
// Returns the action for a control's click, or nullptr for a control whose
// click does nothing.
Action ClickActionOf(std::string_view control_name);

}  // namespace tasa
