#pragma once

#include <QTranslator>
#include <QWidget>
#include <array>
#include <memory>

#include "actions/form.h"
#include "window/control_box.h"
#include "window/form1_description.h"
#include "window/qt/announcer.h"
#include "window/qt/message_box_report.h"
#include "window/qt/number_box.h"

namespace tasa {

// The main window, built with Qt Widgets from the window description. Each
// widget's objectName is its control's name; the members of a control array
// also carry their index in the "index" property.
class QtForm1 final : public QWidget, public Form {
 public:
  explicit QtForm1(const FormDescription& description = Form1Description());

  TextBox& Box(BoxName name) override;

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  static BoxStatus ReadLineEdit(NumberBox* edit, std::string& text);
  static BoxStatus WriteLineEdit(NumberBox* edit, std::string_view text);
  using LineEditBox = ControlBox<NumberBox*, ReadLineEdit, WriteLineEdit>;

  QWidget* AddControl(const ControlDescription& control);

  const FormDescription& description_;
  std::array<LineEditBox, 3> boxes_;
  Announcer* announcer_ = nullptr;
  std::unique_ptr<QTranslator> translation_;
  MessageBoxReport report_{this};
};

}  // namespace tasa
