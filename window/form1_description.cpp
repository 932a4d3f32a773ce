#include "window/form1_description.h"

#include <algorithm>
#include <array>

#include "actions/form1_actions.h"

namespace tasa {
namespace {

constexpr auto kLabel = ControlKind::Label;
constexpr auto kTextBox = ControlKind::TextBox;
constexpr auto kButton = ControlKind::PushButton;

// Rows from top to bottom. The boxes start holding one space.
constexpr auto kRows = CaptionGroup::RowCaptions;
constexpr auto kPercent = CaptionGroup::PercentSigns;
constexpr auto kButtons = CaptionGroup::Buttons;
constexpr auto kNone = CaptionGroup::None;
// clang-format off
constexpr std::array kControls = {
    //                 name        index kind      group     caption or text            left   top  width height tab  box             labelled by  click
    ControlDescription{"Label3",   {},   kLabel,   kRows,    "Tasa Norvanta Anual",      240,  360, 1695, 255,   1},
    ControlDescription{"Text1",    {},   kTextBox, kNone,    " ",                       2520,  360,  975, 285,   8,  BoxName::Text1, "Label3"},
    ControlDescription{"Label5",   0,    kLabel,   kPercent, "%",                       3840,  360,  135, 255,   5},
    ControlDescription{"Label2",   {},   kLabel,   kRows,    "Periodos Capitalizacion",  240,  960, 1815, 255,   0},
    ControlDescription{"Text2",    {},   kTextBox, kNone,    " ",                       2520,  960,  975, 285,   9,  BoxName::Text2, "Label2"},
    ControlDescription{"Label4",   {},   kLabel,   kRows,    "Tasa Norvanta Mensual",    240, 1680, 1815, 255,   2},
    ControlDescription{"Text3",    {},   kTextBox, kNone,    " ",                       2520, 1680,  975, 285,  10,  BoxName::Text3, "Label4"},
    ControlDescription{"Label5",   1,    kLabel,   kPercent, "%",                       3840, 1680,  135, 255,   6},
    ControlDescription{"Command1", {},   kButton,  kButtons, "N.Anual",                  240, 2760,  855, 375,   3,  {},             {},          Command1_Click},
    ControlDescription{"Command2", {},   kButton,  kButtons, "N.Mensual",               1560, 2760,  975, 375,   4,  {},             {},          Command2_Click},
    ControlDescription{"Command4", {},   kButton,  kButtons, "Borrar",                  3000, 2760,  975, 375,   7,  {},             {},          Command4_Click},
};
// clang-format on

// Two spaces and the publisher's web domain.
constexpr FormDescription kForm1{"Form1", "  www.tasa.example.org", 4290, 3735,
                                 kControls};

}  // namespace

const FormDescription& Form1Description() { return kForm1; }

std::vector<const ControlDescription*> FocusOrder(const FormDescription& form) {
  std::vector<const ControlDescription*> ordered;
  for (const ControlDescription& control : form.controls) {
    if (control.kind != ControlKind::Label) ordered.push_back(&control);
  }
  std::sort(ordered.begin(), ordered.end(),
            [](const ControlDescription* a, const ControlDescription* b) {
              return a->tab_index < b->tab_index;
            });
  return ordered;
}

std::vector<int> SharedCaptionSizes(const FormDescription& form,
                                    const std::vector<int>& alone) {
  std::vector<int> shared = alone;
  for (std::size_t i = 0; i < form.controls.size(); ++i) {
    for (std::size_t j = 0; j < form.controls.size(); ++j) {
      if (form.controls[i].group != CaptionGroup::None &&
          form.controls[j].group == form.controls[i].group) {
        shared[i] = std::min(shared[i], alone[j]);
      }
    }
  }
  return shared;
}

std::vector<int> FittedCaptionSizes(
    const FormDescription& form,
    const std::function<bool(const ControlDescription&, int)>& fits) {
  std::vector<int> alone;
  for (const ControlDescription& control : form.controls) {
    int half_points = kDialogHalfPoints;
    if (control.kind != ControlKind::TextBox) {
      while (half_points > kSmallestHalfPoints && !fits(control, half_points)) {
        --half_points;
      }
    }
    alone.push_back(half_points);
  }
  return SharedCaptionSizes(form, alone);
}

const ControlDescription* LabelOf(const FormDescription& form,
                                  const ControlDescription& box) {
  const auto label = std::find_if(form.controls.begin(), form.controls.end(),
                                  [&box](const ControlDescription& c) {
                                    return c.name == box.labelled_by;
                                  });
  return box.labelled_by.empty() || label == form.controls.end() ? nullptr
                                                                 : &*label;
}

}  // namespace tasa
