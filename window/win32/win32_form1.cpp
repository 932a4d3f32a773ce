#include "window/win32/win32_form1.h"

#include <commctrl.h>

#include <algorithm>
#include <new>
#include <optional>
#include <vector>

#include "window/announcement.h"
#include "window/win32/control_ids.h"
#include "window/win32/wide_text.h"

namespace tasa {
namespace {

const wchar_t* ClassOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::Label:
      return L"STATIC";
    case ControlKind::TextBox:
      return L"EDIT";
    case ControlKind::PushButton:
      return L"BUTTON";
  }
  return L"STATIC";
}

DWORD StyleOf(ControlKind kind) {
  constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
  switch (kind) {
    case ControlKind::Label:
      return kChild | SS_LEFT | SS_NOPREFIX;
    case ControlKind::TextBox:
      return kChild | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
    case ControlKind::PushButton:
      // BS_NOTIFY: the window hears when a button takes the focus.
      return kChild | WS_TABSTOP | BS_PUSHBUTTON | BS_NOTIFY;
  }
  return kChild;
}

// The order in which the controls are made. Tab follows it among the
// controls that take the focus, so those come in focus order; and Windows,
// and screen readers with it, names an edit control after the static control
// made just before it, so each box's label comes right before the box. The
// other labels come last.
std::vector<const ControlDescription*> CreationOrder(
    const FormDescription& form) {
  std::vector<const ControlDescription*> order;
  for (const ControlDescription* control : FocusOrder(form)) {
    if (const ControlDescription* label = LabelOf(form, *control)) {
      order.push_back(label);
    }
    order.push_back(control);
  }
  for (const ControlDescription& control : form.controls) {
    if (std::ranges::find(order, &control) == order.end()) {
      order.push_back(&control);
    }
  }
  return order;
}

}  // namespace

Win32Form1::Win32Form1(HINSTANCE instance, const Dpi& dpi,
                       Notifications notifications,
                       const FormDescription& description)
    : dpi_(dpi),
      notifications_(notifications),
      description_(description),
      instance_(instance) {
  const INITCOMMONCONTROLSEX common_controls{
      sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&common_controls);
  if (!RegisterFormClass()) {
    startup_error_ = GetLastError();
    return;
  }
  window_ =
      CreateWindowExW(0, kForm1ClassName, Widen(description.caption).c_str(),
                      kFrameStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                      CW_USEDEFAULT, nullptr, nullptr, instance, this);
  if (window_ == nullptr || !CreateControls()) {
    startup_error_ = GetLastError();
    if (startup_error_ == ERROR_SUCCESS) startup_error_ = ERROR_INVALID_HANDLE;
    if (window_ != nullptr) {
      // Destroyed as no window of the program: its end posts no WM_QUIT,
      // which would close the report of this failure before it is seen.
      SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
      DestroyWindow(window_);
    }
    window_ = nullptr;
    return;
  }
  report_.owner = window_;
  LayOut(dpi_.OfWindow(window_));
}

Win32Form1::~Win32Form1() {
  if (window_ != nullptr && IsWindow(window_)) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
}

bool Win32Form1::RegisterFormClass() {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance_;
  // Shared, at the size of the system's icons; the window sets its own at
  // its DPI (LayOut).
  window_class.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(kShellIcon));
  window_class.hCursor =
      LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = kForm1ClassName;
  return RegisterClassExW(&window_class) != 0 ||
         GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool Win32Form1::CreateControls() {
  for (const ControlDescription* control : CreationOrder(description_)) {
    const HWND hwnd = CreateWindowExW(
        control->kind == ControlKind::TextBox ? WS_EX_CLIENTEDGE : 0,
        ClassOf(control->kind), Widen(control->caption).c_str(),
        StyleOf(control->kind), 0, 0, 0, 0, window_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(*control))),
        instance_, nullptr);
    if (hwnd == nullptr) return false;
    controls_.emplace_back(control, hwnd);
    if (control->box) {
      const auto box = static_cast<int>(*control->box);
      number_boxes_[box].Attach(hwnd, Widen(SpokenUnit(description_, *control)),
                                tooltip_);
      boxes_[box].control = hwnd;
    }
    if (focus_ == nullptr && control->kind != ControlKind::Label) focus_ = hwnd;
  }
  return true;
}

// Lays the window out at `dpi`; what the boxes show without the focus
// follows their new fonts.
void Win32Form1::LayOut(UINT dpi) {
  layout_.Apply(window_, dpi);
  for (NumberBox& box : number_boxes_) box.TextChanged();
}

TextBox& Win32Form1::Box(BoxName name) {
  return boxes_[static_cast<int>(name)];
}

void Win32Form1::Clicked(HWND control) {
  for (const auto& [description, hwnd] : controls_) {
    if (hwnd == control && description->click != nullptr) {
      const AnnouncedOutcome click =
          RunAnnounced(description_, description->click, *this, report_);
      if (!click.announcement.empty()) {
        notifications_.Announce(control, click.announcement);
      }
      // After error 13 the person types over the text that could not be
      // read.
      if (const auto box = click.outcome.not_a_number) {
        const NumberBox& edit = number_boxes_[static_cast<int>(*box)];
        SetFocus(edit.handle());
        edit.SelectFromStart();
      }
    }
  }
}

// Remembers the control with the focus, for when the window gets it back
// (after minimizing it, say), and keeps the default-button frame honest:
// only a focused button has it, and Return clicks that one; while a box has
// the focus, no button looks like Return would click it.
void Win32Form1::FocusMoved(HWND control) {
  focus_ = control;
  for (const auto& [description, hwnd] : controls_) {
    if (description->kind != ControlKind::PushButton) continue;
    const DWORD style = hwnd == control ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    if ((GetWindowLongW(hwnd, GWL_STYLE) & BS_TYPEMASK) != style) {
      SendMessageW(hwnd, BM_SETSTYLE, style | BS_NOTIFY, TRUE);
    }
  }
}

// Gives the focus back to the control that had it, once the window is
// active and not minimized: a window manager activates the window while it
// is still minimized, when no control can take the focus.
void Win32Form1::RestoreFocus() {
  if (focus_ != nullptr && !IsIconic(window_) && GetActiveWindow() == window_ &&
      GetFocus() != focus_) {
    SetFocus(focus_);
  }
}

void Win32Form1::TextChanged(HWND edit) {
  for (NumberBox& box : number_boxes_) {
    if (box.handle() == edit) box.TextChanged();
  }
}

LRESULT CALLBACK Win32Form1::WindowProc(HWND window, UINT message, WPARAM w,
                                        LPARAM l) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(l);
    SetWindowLongPtrW(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* form =
      reinterpret_cast<Win32Form1*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (form == nullptr || form->window_ == nullptr) {
    return DefWindowProcW(window, message, w, l);
  }
  // Nothing may unwind into Windows: a failure to allocate while handling
  // a message leaves that message undone.
  try {
    return form->Handle(message, w, l);
  } catch (const std::bad_alloc&) {
    return DefWindowProcW(window, message, w, l);
  }
}

LRESULT Win32Form1::Handle(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_COMMAND: {
      const auto control = reinterpret_cast<HWND>(l);
      if (control != nullptr && GetParent(control) == window_) {
        switch (HIWORD(w)) {
          case BN_CLICKED:
            Clicked(control);
            return 0;
          case BN_SETFOCUS:
          case EN_SETFOCUS:
            FocusMoved(control);
            return 0;
          case EN_CHANGE:
            TextChanged(control);
            return 0;
        }
        break;
      }
      // Return or Enter, which the dialog manager turns into IDOK, clicks
      // the button that has the focus.
      if (LOWORD(w) == IDOK) {
        const HWND focused = GetFocus();
        for (const auto& [description, hwnd] : controls_) {
          if (hwnd == focused && description->kind == ControlKind::PushButton) {
            SendMessageW(hwnd, BM_CLICK, 0, 0);
          }
        }
        return 0;
      }
      break;
    }
    // Where a restore ends, the control that had the focus gets it back:
    // however the window is brought back, one of these comes last.
    case WM_SETFOCUS:
      RestoreFocus();
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(w) != WA_INACTIVE && HIWORD(w) == 0) {
        RestoreFocus();
        return 0;
      }
      break;
    case WM_SIZE:
      if (w == SIZE_RESTORED) RestoreFocus();
      break;
    // The dialog manager asks for the default button when Tab moves the
    // focus: it is the focused button, or none.
    case DM_GETDEFID:
      for (const auto& [description, hwnd] : controls_) {
        if (hwnd == focus_ && description->kind == ControlKind::PushButton) {
          return MAKELRESULT(ControlId(*description), DC_HASDEFID);
        }
      }
      return 0;
    case WM_DPICHANGED: {
      LayOut(HIWORD(w));
      const auto* suggested = reinterpret_cast<const RECT*>(l);
      SetWindowPos(window_, nullptr, suggested->left, suggested->top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_DESTROY:
      window_ = nullptr;
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window_, message, w, l);
}

BoxStatus Win32Form1::ReadEdit(HWND edit, std::string& text) {
  const std::optional<std::wstring> wide = WindowText(edit);
  if (!wide) return BoxStatus::Failed;
  text = Narrow(*wide);
  return BoxStatus::Ok;
}

BoxStatus Win32Form1::WriteEdit(HWND edit, std::string_view text) {
  return SetWindowTextW(edit, Widen(text).c_str()) ? BoxStatus::Ok
                                                   : BoxStatus::Failed;
}

}  // namespace tasa
