#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "actions/form.h"
#include "runtime/error_report.h"

namespace tasa::testing {

// An entry box held in memory. Every access is logged on the form, and a
// read or a write can be made to fail.
class FakeBox : public TextBox {
 public:
  FakeBox(std::string name, std::vector<std::string>& log)
      : name_(std::move(name)), log_(log) {}

  BoxStatus ReadText(std::string& text) const override {
    log_.push_back("read " + name_);
    if (fail_read) return BoxStatus::Failed;
    text = this->text;
    return BoxStatus::Ok;
  }

  BoxStatus WriteText(std::string_view text) override {
    log_.push_back("write " + name_);
    if (fail_write) return BoxStatus::Failed;
    this->text = text;
    return BoxStatus::Ok;
  }

  std::string text = " ";  // the boxes start holding one space
  bool fail_read = false;
  bool fail_write = false;

 private:
  std::string name_;
  std::vector<std::string>& log_;
};

class FakeForm : public Form {
 public:
  FakeForm() = default;
  FakeForm(std::string_view text1, std::string_view text2,
           std::string_view text3) {
    box1.text = text1;
    box2.text = text2;
    box3.text = text3;
  }

  TextBox& Box(BoxName name) override {
    switch (name) {
      case BoxName::Text1:
        return box1;
      case BoxName::Text2:
        return box2;
      case BoxName::Text3:
        return box3;
    }
    return box1;
  }

  std::array<std::string, 3> Texts() const {
    return {box1.text, box2.text, box3.text};
  }

  std::vector<std::string> log;
  FakeBox box1{"Text1", log};
  FakeBox box2{"Text2", log};
  FakeBox box3{"Text3", log};
};

// Keeps every error shown instead of showing it.
class ErrorRecorder : public ErrorReport {
 public:
  void Show(const RunTimeError& error) override {
    shown.push_back(error.kind());
  }
  std::vector<ErrorKind> shown;
};

}  // namespace tasa::testing
