// The window as data, whichever toolkit builds it.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "actions/form1_actions.h"
#include "window/form1_description.h"

namespace tasa {
namespace {

TEST(WindowDescription, TabIndexesRunWithoutAGapAndTabVisitsButtonsFirst) {
  const FormDescription& form = Form1Description();
  std::set<int> tab_indexes;
  for (const ControlDescription& control : form.controls) {
    tab_indexes.insert(control.tab_index);
  }
  EXPECT_EQ(tab_indexes.size(), form.controls.size());
  EXPECT_EQ(*tab_indexes.begin(), 0);
  EXPECT_EQ(*tab_indexes.rbegin(), static_cast<int>(form.controls.size()) - 1);

  std::vector<std::string> focus_order;
  for (const ControlDescription* control : FocusOrder(form)) {
    focus_order.emplace_back(control->name);
  }
  EXPECT_EQ(focus_order,
            (std::vector<std::string>{"Command1", "Command2", "Command4",
                                      "Text1", "Text2", "Text3"}));
}

TEST(WindowDescription, ControlsFitTheClientAreaWithoutOverlapping) {
  const FormDescription& form = Form1Description();
  for (const ControlDescription& a : form.controls) {
    EXPECT_LE(a.left + a.width, form.client_width) << a.name;
    EXPECT_LE(a.top + a.height, form.client_height) << a.name;
    for (const ControlDescription& b : form.controls) {
      if (&a == &b) continue;
      const bool apart = a.left + a.width <= b.left ||
                         b.left + b.width <= a.left ||
                         a.top + a.height <= b.top || b.top + b.height <= a.top;
      EXPECT_TRUE(apart) << a.name << " overlaps " << b.name;
    }
  }
}

TEST(WindowDescription, EveryBoxIsNamedByALabelOnItsRowAndBoundToItsBox) {
  const FormDescription& form = Form1Description();
  std::set<BoxName> bound;
  for (const ControlDescription& box : form.controls) {
    if (box.kind != ControlKind::TextBox) continue;
    const ControlDescription* label = LabelOf(form, box);
    ASSERT_NE(label, nullptr) << box.name;
    EXPECT_EQ(label->kind, ControlKind::Label);
    EXPECT_EQ(label->top, box.top);
    ASSERT_TRUE(box.box.has_value()) << box.name;
    bound.insert(*box.box);
  }
  EXPECT_EQ(bound, (std::set{BoxName::Text1, BoxName::Text2, BoxName::Text3}));
}

TEST(WindowDescription, OnlyTheThreeButtonsHaveClickActions) {
  std::vector<std::pair<std::string_view, Action>> clicks;
  for (const ControlDescription& control : Form1Description().controls) {
    if (control.click != nullptr)
      clicks.emplace_back(control.name, control.click);
    if (control.kind != ControlKind::TextBox) {
      EXPECT_FALSE(control.box.has_value()) << control.name;
    }
  }
  EXPECT_EQ(clicks, (std::vector<std::pair<std::string_view, Action>>{
                        {"Command1", &Command1_Click},
                        {"Command2", &Command2_Click},
                        {"Command4", &Command4_Click}}));
}

TEST(WindowDescription, TwipsBecomePixelsAtTheScreensResolution) {
  EXPECT_EQ(TwipsToPixels(4290), 286);
  EXPECT_EQ(TwipsToPixels(3735), 249);
  EXPECT_EQ(TwipsToPixels(4290, 144), 429);
  EXPECT_EQ(TwipsToPixels(1695, 120), 141);  // 141.25 rounds down
  EXPECT_EQ(TwipsToPixels(855, 120), 71);    // 71.25
  EXPECT_EQ(TwipsToPixels(975, 120), 81);    // 81.25
  EXPECT_EQ(TwipsToPixels(2760, 120), 230);
  EXPECT_EQ(TwipsToPixels(255, 168), 30);  // 29.75 rounds up
  EXPECT_EQ(TwipsToPixels(375, 144), 38);  // 37.5, a half, up
}

}  // namespace
}  // namespace tasa
