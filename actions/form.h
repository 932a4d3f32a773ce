#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "runtime/run_time_error.h"

namespace tasa {

// The three entry boxes of the main window.
enum class BoxName { Text1, Text2, Text3 };

constexpr std::string_view NameOf(BoxName name) {
  switch (name) {
    case BoxName::Text1:
      return "Text1";
    case BoxName::Text2:
      return "Text2";
    case BoxName::Text3:
      return "Text3";
  }
  return {};
}

// The box a control of the window stands for, if it is one of the three.
constexpr std::optional<BoxName> BoxNamed(std::string_view control_name) {
  for (const BoxName name : {BoxName::Text1, BoxName::Text2, BoxName::Text3}) {
    if (NameOf(name) == control_name) return name;
  }
  return std::nullopt;
}

// The text property of one entry box. Text is UTF-8.
class TextBox {
 public:
  virtual ~TextBox() = default;
  virtual BoxStatus ReadText(std::string& text) const = 0;
  virtual BoxStatus WriteText(std::string_view text) = 0;
};

// What the actions see of the main window: its boxes, reached by name.
class Form {
 public:
  virtual ~Form() = default;
  virtual TextBox& Box(BoxName name) = 0;
};

}  // namespace tasa
