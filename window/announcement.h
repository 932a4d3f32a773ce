#pragma once

#include <string>
#include <string_view>

#include "actions/run_action.h"
#include "window/form1_description.h"

namespace tasa {

// What a screen reader is told beyond each control's own name and text.
// A click leaves the focus on its button, so what it changed would go
// unheard: each front end announces it, in these words.

// How a caption is said: a lone "%" is skipped by some voices.
std::string_view SpokenCaption(std::string_view caption);

// The unit of the number in `box`, as it is said: the caption of the label
// that stands after the box on its row ("por ciento"); empty where none
// does. Screen readers hear it as the box's description.
std::string_view SpokenUnit(const FormDescription& form,
                            const ControlDescription& box);

// Said after a click that emptied every box.
inline constexpr char kBoxesEmptied[] = "Las tres casillas están vacías";

// A click run as RunAction runs it, and what it announces: where it
// completed, each box it wrote by its label's caption, its whole text (not
// what the box shows shortened) and its unit, "Tasa Norvanta Anual
// 12,682503013197 por ciento"; or kBoxesEmptied. Nothing where it stopped
// at an error: the error report says that.
struct AnnouncedOutcome {
  ActionOutcome outcome;
  std::string announcement;
};
AnnouncedOutcome RunAnnounced(const FormDescription& description, Action action,
                              Form& form, ErrorReport& report);

}  // namespace tasa
