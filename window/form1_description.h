#pragma once

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace tasa {

// The main window as data: every control with its name, kind, caption or
// initial text, position and size in twips (1/1440 inch) and tab index.
// Each front end builds its window from this and nothing else.

enum class ControlKind { Label, TextBox, PushButton };

struct ControlDescription {
  std::string_view name;     // "Text1", "Command4"...
  std::optional<int> index;  // set for members of a control array
  ControlKind kind;
  // Caption of a label or button; initial text of a box.
  std::string_view caption;
  int left;
  int top;
  int width;
  int height;
  int tab_index;
  std::string_view labelled_by = {};  // for a box: the label that names it
};

struct FormDescription {
  std::string_view name;
  std::string_view caption;
  int client_width;   // twips
  int client_height;  // twips
  std::span<const ControlDescription> controls;
};

const FormDescription& Form1Description();

// Labels never take the keyboard focus; boxes and buttons do.
constexpr bool TakesFocus(ControlKind kind) {
  return kind != ControlKind::Label;
}

// The form's controls by tab index: the order in which Tab visits those
// that take the focus.
std::vector<const ControlDescription*> InTabOrder(const FormDescription& form);

// Layout units: twips to pixels at a given resolution, rounded to nearest.
// At 96 pixels per inch, one pixel is 15 twips.
constexpr int kTwipsPerInch = 1440;
constexpr int TwipsToPixels(int twips, int dots_per_inch = 96) {
  return (twips * dots_per_inch + kTwipsPerInch / 2) / kTwipsPerInch;
}

}  // namespace tasa
