#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "actions/form.h"
#include "actions/run_action.h"
#include "runtime/error_report.h"
#include "window/control_box.h"
#include "window/form1_description.h"

namespace tasa {

// Shows a run-time error in a MessageBoxW over the window.
class Win32MessageBoxReport final : public ErrorReport {
 public:
  void Show(const RunTimeError& error) override;
  HWND owner = nullptr;
};

// The main window with the plain Windows API, built from the window
// description: STATIC labels, EDIT boxes and push BUTTONs, each with the
// child id ControlId() gives it, laid out in twips at the monitor's real DPI.
class Win32Form1 final : public Form {
 public:
  explicit Win32Form1(HINSTANCE instance,
                      const FormDescription& description = Form1Description());
  ~Win32Form1() override;
  Win32Form1(const Win32Form1&) = delete;
  Win32Form1& operator=(const Win32Form1&) = delete;

  HWND handle() const { return window_; }
  TextBox& Box(BoxName name) override;

 private:
  static BoxStatus ReadEdit(HWND edit, std::string& text);
  static BoxStatus WriteEdit(HWND edit, std::string_view text);
  using EditBox = ControlBox<HWND, ReadEdit, WriteEdit>;

  struct FontDeleter {
    void operator()(HFONT font) const { DeleteObject(font); }
  };
  using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w,
                                     LPARAM l);
  LRESULT Handle(UINT message, WPARAM w, LPARAM l);
  void CreateControls(HINSTANCE instance);
  void LayOut(UINT dpi);
  bool CaptionsFit(HFONT font, UINT dpi) const;
  void Clicked(HWND control);

  const FormDescription& description_;
  HWND window_ = nullptr;
  std::vector<std::pair<const ControlDescription*, HWND>> controls_;
  std::array<EditBox, 3> boxes_;
  HWND focus_ = nullptr;  // the control that gets the focus back on activation
  UniqueFont font_;
  Win32MessageBoxReport report_;
};

}  // namespace tasa
