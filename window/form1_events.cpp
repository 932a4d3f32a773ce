#include "window/form1_events.h"

#include "actions/form1_actions.h"

namespace tasa {

Action ClickActionOf(std::string_view control_name) {
  if (control_name == "Command1") return Command1_Click;
  if (control_name == "Command2") return Command2_Click;
  if (control_name == "Command4") return Command4_Click;
  return nullptr;
}

}  // namespace tasa
