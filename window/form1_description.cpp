#include "window/form1_description.h"

#include <algorithm>
#include <array>

namespace tasa {
namespace {

constexpr auto kLabel = ControlKind::Label;
constexpr auto kTextBox = ControlKind::TextBox;
constexpr auto kButton = ControlKind::PushButton;

// Rows from top to bottom. The boxes start holding one space.
// clang-format off
constexpr std::array kControls = {
    //                 name        index kind      caption or text            left   top  width height tab  labelled by
    ControlDescription{"Label3",   {},   kLabel,   "Tasa Norvanta Anual",      240,  360, 1695, 255,   1},
    ControlDescription{"Text1",    {},   kTextBox, " ",                       2520,  360,  975, 285,   8,  "Label3"},
    ControlDescription{"Label5",   0,    kLabel,   "%",                       3840,  360,  135, 255,   5},
    ControlDescription{"Label2",   {},   kLabel,   "Periodos Capitalizacion",  240,  960, 1815, 255,   0},
    ControlDescription{"Text2",    {},   kTextBox, " ",                       2520,  960,  975, 285,   9,  "Label2"},
    ControlDescription{"Label4",   {},   kLabel,   "Tasa Norvanta Mensual",    240, 1680, 1815, 255,   2},
    ControlDescription{"Text3",    {},   kTextBox, " ",                       2520, 1680,  975, 285,  10,  "Label4"},
    ControlDescription{"Label5",   1,    kLabel,   "%",                       3840, 1680,  135, 255,   6},
    ControlDescription{"Command1", {},   kButton,  "N.Anual",                  240, 2760,  855, 375,   3},
    ControlDescription{"Command2", {},   kButton,  "N.Mensual",               1560, 2760,  975, 375,   4},
    ControlDescription{"Command4", {},   kButton,  "Borrar",                  3000, 2760,  975, 375,   7},
};
// clang-format on

// Two spaces and the publisher's web domain.
constexpr FormDescription kForm1{"Form1", "  www.tasa.example.org", 4290, 3735,
                                 kControls};

}  // namespace

const FormDescription& Form1Description() { return kForm1; }

std::vector<const ControlDescription*> InTabOrder(const FormDescription& form) {
  std::vector<const ControlDescription*> ordered;
  for (const ControlDescription& control : form.controls)
    ordered.push_back(&control);
  std::ranges::sort(ordered, {}, &ControlDescription::tab_index);
  return ordered;
}

}  // namespace tasa
