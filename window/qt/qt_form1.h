#pragma once

#include <QLineEdit>
#include <QWidget>
#include <array>

#include "actions/form.h"
#include "window/form1_description.h"
#include "window/qt/message_box_report.h"

namespace tasa {

// The main window, built with Qt Widgets from the window description. Each
// widget's objectName is its control's name; the members of a control array
// also carry their index in the "index" property.
class QtForm1 final : public QWidget, public Form {
 public:
  explicit QtForm1(const FormDescription& description = Form1Description());

  TextBox& Box(BoxName name) override;

 private:
  // The text property of one QLineEdit.
  class LineEditBox final : public TextBox {
   public:
    BoxStatus ReadText(std::string& text) const override;
    BoxStatus WriteText(std::string_view text) override;
    QLineEdit* edit = nullptr;  // owned by the window
  };

  QWidget* AddControl(const ControlDescription& control);

  std::array<LineEditBox, 3> boxes_;
  MessageBoxReport report_{this};
};

}  // namespace tasa
