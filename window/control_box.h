#pragma once

#include <string>
#include <string_view>

#include "actions/form.h"

namespace tasa {

// The text property of one entry control of a toolkit's window, for the
// actions. `Read` and `Write` reach the control through the toolkit; a box
// not bound to a control fails every access.
template <class Control, BoxStatus (*Read)(Control, std::string&),
          BoxStatus (*Write)(Control, std::string_view)>
class ControlBox final : public TextBox {
 public:
  BoxStatus ReadText(std::string& text) const override {
    return control != nullptr ? Read(control, text) : BoxStatus::Failed;
  }
  BoxStatus WriteText(std::string_view text) override {
    return control != nullptr ? Write(control, text) : BoxStatus::Failed;
  }

  Control control = nullptr;  // owned by the window
};

}  // namespace tasa
