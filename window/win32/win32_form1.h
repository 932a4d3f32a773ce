#pragma once

#include <windows.h>

#include <array>
#include <map>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "actions/form.h"
#include "window/control_box.h"
#include "window/form1_description.h"
#include "window/win32/dpi.h"
#include "window/win32/error_dialog.h"
#include "window/win32/notifications.h"

namespace tasa {

// The main window with the plain Windows API, built from the window
// description: STATIC labels, EDIT boxes and push BUTTONs, each with the
// child id ControlId() gives it, laid out in twips at the window's DPI.
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

  // What a box shows while it has no focus: a number too long for it,
  // shortened to fit (box_display.h); otherwise its text.
  std::wstring ShownWithoutFocus(HWND box) const;

 private:
  static BoxStatus ReadEdit(HWND edit, std::string& text);
  static BoxStatus WriteEdit(HWND edit, std::string_view text);
  using EditBox = ControlBox<HWND, ReadEdit, WriteEdit>;

  struct FontDeleter {
    void operator()(HFONT font) const { DeleteObject(font); }
  };
  using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;
  struct IconDeleter {
    void operator()(HICON icon) const { DestroyIcon(icon); }
  };
  using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w,
                                     LPARAM l);
  static LRESULT CALLBACK BoxProc(HWND box, UINT message, WPARAM w, LPARAM l,
                                  UINT_PTR, DWORD_PTR form);
  LRESULT Handle(UINT message, WPARAM w, LPARAM l);
  bool RegisterFormClass();
  bool CreateControls();
  void LayOut(UINT dpi);
  HFONT MakeFont(int half_points, UINT dpi);
  bool CaptionFits(const ControlDescription& control, HFONT font,
                   UINT dpi) const;
  void Clicked(HWND control);
  void FocusMoved(HWND control);
  void RestoreFocus();
  void TextChanged(HWND box);
  // The box's accessible object, with its unit as its description.
  LRESULT AccessibleObject(HWND box, WPARAM w, LPARAM l) const;
  bool PaintShown(HWND box);
  // The shortened number a box shows without the focus; empty where it
  // shows its own text.
  const std::wstring& Shortened(HWND box) const;

  const Dpi dpi_;
  Notifications notifications_;
  const FormDescription& description_;
  HINSTANCE instance_;
  HWND window_ = nullptr;
  DWORD startup_error_ = ERROR_SUCCESS;
  std::vector<std::pair<const ControlDescription*, HWND>> controls_;
  std::array<EditBox, 3> boxes_;
  std::array<std::wstring, 3> shown_;  // empty where a box shows its text
  HWND focus_ = nullptr;    // the control that has, or last had, the focus
  HWND tooltip_ = nullptr;  // made when a box's text first does not fit it
  std::map<int, UniqueFont> fonts_;   // by size in half points, for one DPI
  UniqueIcon small_icon_, big_icon_;  // the window's, at its DPI
  Win32ErrorReport report_;
};

}  // namespace tasa
