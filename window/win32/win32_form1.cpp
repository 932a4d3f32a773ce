#include "window/win32/win32_form1.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>

#include "window/form1_events.h"
#include "window/win32/control_ids.h"
#include "window/win32/wide_text.h"

namespace tasa {
namespace {

constexpr DWORD kFrameStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr int kIconResource = 1;

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
      return kChild | WS_TABSTOP | BS_PUSHBUTTON;
  }
  return kChild;
}

void RegisterFormClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = instance;
  window_class.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kIconResource));
  window_class.hIconSm = static_cast<HICON>(LoadImageW(
      instance, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON,
      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  window_class.hCursor =
      LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = kForm1ClassName;
  RegisterClassExW(&window_class);
}

}  // namespace

void Win32MessageBoxReport::Show(const RunTimeError& error) {
  MessageBoxW(owner, Widen(ErrorReportText(error)).c_str(),
              Widen(kErrorReportTitle).c_str(), MB_OK | MB_ICONERROR);
}

Win32Form1::Win32Form1(HINSTANCE instance, const FormDescription& description)
    : description_(description) {
  const INITCOMMONCONTROLSEX common_controls{sizeof(INITCOMMONCONTROLSEX),
                                             ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&common_controls);
  RegisterFormClass(instance, WindowProc);
  window_ =
      CreateWindowExW(0, kForm1ClassName, Widen(description.caption).c_str(),
                      kFrameStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                      CW_USEDEFAULT, nullptr, nullptr, instance, this);
  report_.owner = window_;
  CreateControls(instance);
  LayOut(GetDpiForWindow(window_));
}

Win32Form1::~Win32Form1() {
  if (window_ != nullptr && IsWindow(window_)) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
}

void Win32Form1::CreateControls(HINSTANCE instance) {
  // Tab moves through the controls in creation order, so they are made in
  // the order of their tab indexes.
  for (const ControlDescription* control : InTabOrder(description_)) {
    controls_.emplace_back(control, nullptr);
  }

  for (auto& [control, hwnd] : controls_) {
    hwnd = CreateWindowExW(
        control->kind == ControlKind::TextBox ? WS_EX_CLIENTEDGE : 0,
        ClassOf(control->kind), Widen(control->caption).c_str(),
        StyleOf(control->kind), 0, 0, 0, 0, window_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(*control))),
        instance, nullptr);
    if (control->kind == ControlKind::TextBox) {
      SendMessageW(hwnd, EM_SETLIMITTEXT, 0, 0);  // no length limit
      if (const auto name = BoxNamed(control->name)) {
        boxes_[static_cast<int>(*name)].control = hwnd;
      }
    }
    if (focus_ == nullptr && TakesFocus(control->kind)) focus_ = hwnd;
  }
}

// Whether every label's and button's caption shows whole in `font`.
bool Win32Form1::CaptionsFit(HFONT font, UINT dpi) const {
  const HDC dc = GetDC(window_);
  const HGDIOBJ previous = SelectObject(dc, font);
  // A button draws its caption inside its edge and a focus rectangle.
  const int button_margin = 2 * GetSystemMetricsForDpi(SM_CXEDGE, dpi) + 4;
  bool fit = true;
  for (const auto& [control, hwnd] : controls_) {
    if (control->kind == ControlKind::TextBox) continue;
    const std::wstring caption = Widen(control->caption);
    SIZE extent{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()),
                          &extent);
    int room = TwipsToPixels(control->width, static_cast<int>(dpi));
    if (control->kind == ControlKind::PushButton) room -= button_margin;
    fit = fit && extent.cx <= room &&
          extent.cy <= TwipsToPixels(control->height, static_cast<int>(dpi));
  }
  SelectObject(dc, previous);
  ReleaseDC(window_, dc);
  return fit;
}

// Places the window's client area and every control at `dpi`, in the
// default GUI font scaled to it, made smaller only where a caption would
// not show whole in it.
void Win32Form1::LayOut(UINT dpi) {
  const auto pixels = [dpi](int twips) {
    return TwipsToPixels(twips, static_cast<int>(dpi));
  };

  LOGFONTW look{};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof look, &look);
  look.lfHeight = MulDiv(look.lfHeight, static_cast<int>(dpi), 96);
  UniqueFont font(CreateFontIndirectW(&look));
  const int smallest = MulDiv(look.lfHeight, 3, 4);
  while (!CaptionsFit(font.get(), dpi) &&
         std::abs(look.lfHeight) > std::abs(smallest)) {
    look.lfHeight += look.lfHeight < 0 ? 1 : -1;  // one pixel smaller
    font.reset(CreateFontIndirectW(&look));
  }

  for (const auto& [control, hwnd] : controls_) {
    MoveWindow(hwnd, pixels(control->left), pixels(control->top),
               pixels(control->width), pixels(control->height), TRUE);
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
  }
  // The controls have let go of the previous font only now.
  font_ = std::move(font);

  RECT frame{0, 0, pixels(description_.client_width),
             pixels(description_.client_height)};
  AdjustWindowRectExForDpi(&frame, kFrameStyle, FALSE, 0, dpi);
  SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left,
               frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TextBox& Win32Form1::Box(BoxName name) {
  return boxes_[static_cast<int>(name)];
}

void Win32Form1::Clicked(HWND control) {
  for (const auto& [description, hwnd] : controls_) {
    if (hwnd != control) continue;
    if (const Action action = ClickActionOf(description->name)) {
      RunAction(action, *this, report_);
    }
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
  return form->Handle(message, w, l);
}

LRESULT Win32Form1::Handle(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_COMMAND: {
      const auto control = reinterpret_cast<HWND>(l);
      if (HIWORD(w) == BN_CLICKED && control != nullptr &&
          GetParent(control) == window_) {
        Clicked(control);
        return 0;
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
    // Like a dialog, the window hands the focus back to the control that
    // had it when the window is activated again.
    case WM_ACTIVATE:
      if (LOWORD(w) == WA_INACTIVE) {
        const HWND focused = GetFocus();
        if (focused != nullptr && IsChild(window_, focused)) focus_ = focused;
      }
      break;
    case WM_SETFOCUS:
      if (focus_ != nullptr) SetFocus(focus_);
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
  SetLastError(ERROR_SUCCESS);
  const int length = GetWindowTextLengthW(edit);
  if (length == 0 && GetLastError() != ERROR_SUCCESS) return BoxStatus::Failed;
  std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(edit, wide.data(), length + 1);
  if (copied == 0 && length != 0) return BoxStatus::Failed;
  wide.resize(static_cast<std::size_t>(copied));
  text = Narrow(wide);
  return BoxStatus::Ok;
}

BoxStatus Win32Form1::WriteEdit(HWND edit, std::string_view text) {
  return SetWindowTextW(edit, Widen(text).c_str()) ? BoxStatus::Ok
                                                   : BoxStatus::Failed;
}

}  // namespace tasa
