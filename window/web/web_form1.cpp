#include "window/web/web_form1.h"

#include <vector>

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

TextBox* WebForm1::BoxAt(int index) { return MemoryBoxAt(index); }

WebForm1::MemoryBox* WebForm1::MemoryBoxAt(int index) {
  if (index < 0 || index >= static_cast<int>(description_.controls.size()))
    return nullptr;
  const auto& box = description_.controls[static_cast<std::size_t>(index)].box;
  return box ? &boxes_[static_cast<int>(*box)] : nullptr;
}

int WebForm1::Click(int index) {
  report_ = {};
  announcement_.clear();
  for (MemoryBox& box : boxes_) box.written = false;
  if (index < 0 || index >= static_cast<int>(description_.controls.size()))
    return -1;
  const Action action =
      description_.controls[static_cast<std::size_t>(index)].click;
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

bool WebForm1::Written(int index) {
  const MemoryBox* box = MemoryBoxAt(index);
  return box != nullptr && box->written;
}

std::string WebForm1::ShownWithoutFocus(int index) {
  const MemoryBox* box = MemoryBoxAt(index);
  if (box == nullptr) return {};
  std::string shown =
      tasa::ShownWithoutFocus(box->text, [index](std::string_view candidate) {
        return PageBoxFits(index, candidate);
      });
  return shown == box->text ? std::string() : shown;
}

std::string WebForm1::Tooltip(int index) {
  const MemoryBox* box = MemoryBoxAt(index);
  if (box == nullptr ||
      (box->text.size() <= kLongestMeasured && PageBoxFits(index, box->text))) {
    return {};
  }
  // Past kLongestTooltip characters (UTF-8 sequences), the first
  // kLongestTooltip - 1 and an ellipsis.
  std::vector<std::size_t> starts;
  for (std::size_t at = 0;
       at < box->text.size() && starts.size() <= kLongestTooltip; ++at) {
    if ((box->text[at] & 0xC0) != 0x80) starts.push_back(at);
  }
  if (starts.size() <= kLongestTooltip) return box->text;
  return box->text.substr(0, starts[kLongestTooltip - 1]) + "\u2026";
}

}  // namespace tasa
