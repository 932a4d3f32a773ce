#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "actions/form.h"
#include "actions/run_action.h"

namespace tasa {

// The main window as data: every control with its name, kind, caption or
// initial text, position and size in twips (1/1440 inch) and tab index, and
// what ties it to the actions: the box the actions know a text box as, and
// the action a button's click runs. Each front end builds its window from
// this and nothing else.

enum class ControlKind { Label, TextBox, PushButton };

// Controls of one kind that stand together show their captions at one
// size: the row captions, the two percent signs, the three buttons.
enum class CaptionGroup { None, RowCaptions, PercentSigns, Buttons };

struct ControlDescription {
  std::string_view name;     // "Text1", "Command4"...
  std::optional<int> index;  // set for members of a control array
  ControlKind kind;
  CaptionGroup group;
  // Caption of a label or button; initial text of a box.
  std::string_view caption;
  int left;
  int top;
  int width;
  int height;
  int tab_index;
  std::optional<BoxName> box = {};    // for a text box
  std::string_view labelled_by = {};  // for a text box: the label naming it
  Action click = nullptr;             // for a button
};

struct FormDescription {
  std::string_view name;
  std::string_view caption;
  int client_width;   // twips
  int client_height;  // twips
  std::span<const ControlDescription> controls;
};

const FormDescription& Form1Description();

// The controls that take the keyboard focus (labels never do), in the order
// in which Tab visits them.
std::vector<const ControlDescription*> FocusOrder(const FormDescription& form);

// The size each caption shows at, from the size at which each one alone
// shows whole (in any unit that grows with the font): for the members of a
// group, the smallest of theirs, the largest at which every one fits.
// `alone` holds one size for each control of `form`, in order.
std::vector<int> SharedCaptionSizes(const FormDescription& form,
                                    const std::vector<int>& alone);

// The layout was drawn for the classic 8-point dialog font; a caption that
// would not show whole in it gets a smaller one, in half points down to 6.
constexpr int kDialogHalfPoints = 16;
constexpr int kSmallestHalfPoints = 12;

// The size, in half points, each control of `form` shows its caption at:
// for each alone the largest from kDialogHalfPoints down at which `fits`
// says it shows whole (boxes keep kDialogHalfPoints), then shared as
// SharedCaptionSizes shares them.
std::vector<int> FittedCaptionSizes(
    const FormDescription& form,
    const std::function<bool(const ControlDescription&, int half_points)>&
        fits);

// The label that names a box, if any.
const ControlDescription* LabelOf(const FormDescription& form,
                                  const ControlDescription& box);

// Layout units: twips to pixels at a given resolution, rounded to nearest.
// At 96 pixels per inch, one pixel is 15 twips.
constexpr int kTwipsPerInch = 1440;
constexpr int TwipsToPixels(int twips, int dots_per_inch = 96) {
  return (twips * dots_per_inch + kTwipsPerInch / 2) / kTwipsPerInch;
}

}  // namespace tasa
