#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <string_view>

#include "actions/form.h"
#include "window/control_box.h"
#include "window/form1_description.h"
#include "window/win32/dpi.h"
#include "window/win32/error_dialog.h"
#include "window/win32/layout.h"
#include "window/win32/notifications.h"
#include "window/win32/number_box.h"

namespace tasa {

// The main window with the plain Windows API, built from the window
// description: STATIC labels, EDIT boxes (number_box.h) and push BUTTONs,
// each with the child id ControlId() gives it, laid out at the window's DPI
// (layout.h). Here: the window's creation, the messages it hears and the
// boxes as the actions see them.
class Win32Form1 final : public Form {
 public:
  explicit Win32Form1(
      HINSTANCE instance, const Dpi& dpi = Dpi::OfThisWindows(),
      Notifications notifications = Notifications::OfThisWindows(),
      const FormDescription& description = Form1Description());
  ~Win32Form1() override;
  Win32Form1(const Win32Form1&) = delete;
  Win32Form1& operator=(const Win32Form1&) = delete;

  // The window, or nullptr when it could not be made; then `startup_error`
  // holds Windows' error code.
  HWND handle() const { return window_; }
  DWORD startup_error() const { return startup_error_; }

  TextBox& Box(BoxName name) override;
  // The box's control.
  const NumberBox& NumberBoxOf(BoxName name) const {
    return number_boxes_[static_cast<int>(name)];
  }

 private:
  static BoxStatus ReadEdit(HWND edit, std::string& text);
  static BoxStatus WriteEdit(HWND edit, std::string_view text);
  using EditBox = ControlBox<HWND, ReadEdit, WriteEdit>;

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w,
                                     LPARAM l);
  LRESULT Handle(UINT message, WPARAM w, LPARAM l);
  bool RegisterFormClass();
  bool CreateControls();
  void LayOut(UINT dpi);
  void Clicked(HWND control);
  void FocusMoved(HWND control);
  void RestoreFocus();
  void TextChanged(HWND edit);

  const Dpi dpi_;
  Notifications notifications_;
  const FormDescription& description_;
  HINSTANCE instance_;
  HWND window_ = nullptr;
  DWORD startup_error_ = ERROR_SUCCESS;
  ControlWindows controls_;
  std::array<NumberBox, 3> number_boxes_;
  std::array<EditBox, 3> boxes_;  // the same boxes, for the actions
  BoxTooltip tooltip_;
  Layout layout_{dpi_, description_, controls_};
  HWND focus_ = nullptr;  // the control that has, or last had, the focus
  Win32ErrorReport report_;
};

}  // namespace tasa
