#include "window/web/web_form1.h"

#include "actions/run_action.h"
#include "window/announcement.h"
#include "window/box_display.h"
#include "window/web/page_calls.h"

namespace tasa {

BoxStatus WebForm1::MemoryBox::ReadText(std::string& text) const {
  text = this->text;
  return BoxStatus::Ok;
}

BoxStatus WebForm1::MemoryBox::WriteText(std::string_view text) {
  this->text.assign(text);
  written = true;
  return BoxStatus::Ok;
}

void WebForm1::Report::Show(const RunTimeError& error) {
  number = error.number();
  text = ErrorReportText(error);
}

WebForm1::WebForm1(const FormDescription& description)
    : description_(description) {}

TextBox& WebForm1::Box(BoxName name) { return boxes_[static_cast<int>(name)]; }

TextBox* WebForm1::BoxOfControl(int control) {
  return MemoryBoxOfControl(control);
}

WebForm1::MemoryBox* WebForm1::MemoryBoxOfControl(int control) {
  if (control < 0 || control >= static_cast<int>(description_.controls.size()))
    return nullptr;
  const auto& box = description_.controls[static_cast<std::size_t>(control)].box;
  return box ? &boxes_[static_cast<int>(*box)] : nullptr;
}

int WebForm1::Click(int control) {
  report_ = {};
  announcement_.clear();
  for (MemoryBox& box : boxes_) box.written = false;
  if (control < 0 || control >= static_cast<int>(description_.controls.size()))
    return -1;
  const Action action =
      description_.controls[static_cast<std::size_t>(control)].click;
  if (action == nullptr) return -1;
  AnnouncedOutcome click = RunAnnounced(description_, action, *this, report_);
  announcement_ = std::move(click.announcement);
  const ActionOutcome& outcome = click.outcome;
  if (!outcome.not_a_number) return -1;
  for (std::size_t i = 0; i < description_.controls.size(); ++i) {
    if (description_.controls[i].box == outcome.not_a_number)
      return static_cast<int>(i);
  }
  return -1;
}

bool WebForm1::Written(int control) {
  const MemoryBox* box = MemoryBoxOfControl(control);
  return box != nullptr && box->written;
}

std::string WebForm1::Shortened(int control) {
  const MemoryBox* box = MemoryBoxOfControl(control);
  if (box == nullptr) return {};
  std::string shown =
      ShownWithoutFocus(box->text, [control](std::string_view candidate) {
        return PageBoxFits(control, candidate);
      });
  return shown == box->text ? std::string() : shown;
}

std::string WebForm1::Tooltip(int control) {
  const MemoryBox* box = MemoryBoxOfControl(control);
  if (box == nullptr ||
      (box->text.size() <= kLongestMeasured && PageBoxFits(control, box->text))) {
    return {};
  }
  return TooltipOf(box->text);
}

}  // namespace tasa
