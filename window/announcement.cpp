#include "window/announcement.h"

#include <array>

namespace tasa {
namespace {

// The window's boxes as an action sees them, noting which it writes.
class WritesNoted final : public Form {
 public:
  explicit WritesNoted(Form& form) : form_(form) {}

  TextBox& Box(BoxName name) override {
    Noted& box = boxes_[static_cast<int>(name)];
    box.box = &form_.Box(name);
    return box;
  }
  bool Written(BoxName name) const {
    return boxes_[static_cast<int>(name)].written;
  }

 private:
  struct Noted final : TextBox {
    BoxStatus ReadText(std::string& text) const override {
      return box->ReadText(text);
    }
    BoxStatus WriteText(std::string_view text) override {
      written = true;
      return box->WriteText(text);
    }
    TextBox* box = nullptr;
    bool written = false;
  };

  Form& form_;
  std::array<Noted, 3> boxes_;
};

}  // namespace

std::string_view SpokenCaption(std::string_view caption) {
  return caption == "%" ? "por ciento" : caption;
}

std::string_view SpokenUnit(const FormDescription& form,
                            const ControlDescription& box) {
  const ControlDescription* unit = nullptr;
  for (const ControlDescription& label : form.controls) {
    if (label.kind == ControlKind::Label && label.top == box.top &&
        label.left >= box.left + box.width &&
        (unit == nullptr || label.left < unit->left)) {
      unit = &label;
    }
  }
  return unit != nullptr ? SpokenCaption(unit->caption) : std::string_view();
}

AnnouncedOutcome RunAnnounced(const FormDescription& description, Action action,
                              Form& form, ErrorReport& report) {
  WritesNoted noted(form);
  AnnouncedOutcome click{RunAction(action, noted, report), {}};
  if (!click.outcome.completed) return click;
  bool all_emptied = true;
  for (const ControlDescription& control : description.controls) {
    if (!control.box) continue;
    std::string text;
    if (!noted.Written(*control.box) ||
        form.Box(*control.box).ReadText(text) != BoxStatus::Ok) {
      all_emptied = false;
      continue;
    }
    all_emptied = all_emptied && text.empty();
    if (!click.announcement.empty()) click.announcement += ". ";
    if (const ControlDescription* label = LabelOf(description, control)) {
      click.announcement.append(SpokenCaption(label->caption)) += ' ';
    }
    click.announcement += text;
    if (const std::string_view unit = SpokenUnit(description, control);
        !unit.empty()) {
      click.announcement.append(" ").append(unit);
    }
  }
  if (all_emptied && !click.announcement.empty()) {
    click.announcement = kBoxesEmptied;
  }
  return click;
}

}  // namespace tasa
