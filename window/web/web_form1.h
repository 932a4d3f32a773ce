#pragma once

#include <array>
#include <string>

#include "actions/form.h"
#include "runtime/error_report.h"
#include "window/form1_description.h"

namespace tasa {

// The main window as a web page (page_maker.cpp writes it from the window
// description, one element for each control, reached here by the control's
// number: its place in the description, counted from 0). The page hands the boxes' texts over before a
// click and takes them back after it; measuring text is the page's, asked
// for through page_calls.h.
class WebForm1 final : public Form {
 public:
  explicit WebForm1(const FormDescription& description = Form1Description());

  TextBox& Box(BoxName name) override;
  // The box that is control `control` of the description, or nothing.
  TextBox* BoxOfControl(int control);

  // Runs the click of control `control`. Where it stopped at a box whose
  // text is not a number, that box's control number; else -1.
  int Click(int control);
  // The error the last click showed: its number (0 for none) and report.
  int error_number() const { return report_.number; }
  const std::string& error_text() const { return report_.text; }
  // What the last click tells a screen reader (announcement.h); "" for
  // nothing.
  const std::string& announcement() const { return announcement_; }

  // Whether the last click wrote the box that is control `control`.
  bool Written(int control);
  // The shortened number the box shows while it has no focus; "" where it
  // shows its own text.
  std::string Shortened(int control);
  // The box's tooltip: its text, cut after kLongestTooltip characters,
  // where it does not fit; else "".
  std::string Tooltip(int control);

 private:
  class MemoryBox final : public TextBox {
   public:
    BoxStatus ReadText(std::string& text) const override;
    BoxStatus WriteText(std::string_view text) override;
    std::string text = " ";
    bool written = false;
  };
  struct Report final : ErrorReport {
    void Show(const RunTimeError& error) override;
    int number = 0;
    std::string text;
  };

  MemoryBox* MemoryBoxOfControl(int control);

  const FormDescription& description_;
  std::array<MemoryBox, 3> boxes_;
  Report report_;
  std::string announcement_;
};

}  // namespace tasa
