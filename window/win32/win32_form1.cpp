#include "window/win32/win32_form1.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>

#include "window/line_breaks.h"
#include "window/win32/control_ids.h"
#include "window/win32/wide_text.h"

namespace tasa {
namespace {

constexpr DWORD kFrameStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr int kIconResource = 1;

// The layout was drawn for the classic 8-point dialog font: it is made at
// that size for the window's DPI, and smaller, in half points down to 6,
// only where a caption would not show whole in it.
constexpr int kDialogHalfPoints = 16;
constexpr int kSmallestHalfPoints = 12;

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

bool RegisterFormClass(HINSTANCE instance, WNDPROC procedure) {
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
  return RegisterClassExW(&window_class) != 0 ||
         GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// A window's text, or nothing when it could not be read.
std::optional<std::wstring> WindowText(HWND window) {
  SetLastError(ERROR_SUCCESS);
  const int length = GetWindowTextLengthW(window);
  if (length == 0 && GetLastError() != ERROR_SUCCESS) return std::nullopt;
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(window, text.data(), length + 1);
  if (copied == 0 && length != 0) return std::nullopt;
  text.resize(static_cast<std::size_t>(copied));
  return text;
}

// Pastes what comes before the first line break of the clipboard's text at
// the caret: the edit control itself would keep a lone CR, U+0085, U+2028
// or U+2029 inside the box, unseen.
void PasteFirstLine(HWND box) {
  if (!OpenClipboard(box)) return;
  std::wstring text;
  if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  text.erase(
      std::ranges::find_if(text, [](wchar_t c) { return IsLineBreak(c); }),
      text.end());
  SendMessageW(box, EM_REPLACESEL, TRUE,
               reinterpret_cast<LPARAM>(text.c_str()));
}

LRESULT CALLBACK BoxProc(HWND box, UINT message, WPARAM w, LPARAM l, UINT_PTR,
                         DWORD_PTR) {
  if (message == WM_PASTE) {
    PasteFirstLine(box);
    return 0;
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(box, BoxProc, 0);
  return DefSubclassProc(box, message, w, l);
}

// The width of `text` in the font `window` draws with.
int TextWidth(HWND window, const std::wstring& text) {
  const HDC dc = GetDC(window);
  const HGDIOBJ previous = SelectObject(
      dc, reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)));
  SIZE extent{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()),
                        &extent);
  SelectObject(dc, previous);
  ReleaseDC(window, dc);
  return extent.cx;
}

}  // namespace

Win32Form1::Win32Form1(HINSTANCE instance, const Dpi& dpi,
                       const FormDescription& description)
    : dpi_(dpi), description_(description), instance_(instance) {
  const INITCOMMONCONTROLSEX common_controls{
      sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&common_controls);
  if (!RegisterFormClass(instance, WindowProc)) {
    startup_error_ = GetLastError();
    return;
  }
  window_ =
      CreateWindowExW(0, kForm1ClassName, Widen(description.caption).c_str(),
                      kFrameStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                      CW_USEDEFAULT, nullptr, nullptr, instance, this);
  if (window_ == nullptr || !CreateControls(instance)) {
    startup_error_ = GetLastError();
    if (startup_error_ == ERROR_SUCCESS) startup_error_ = ERROR_INVALID_HANDLE;
    if (window_ != nullptr) DestroyWindow(window_);
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

bool Win32Form1::CreateControls(HINSTANCE instance) {
  for (const ControlDescription* control : CreationOrder(description_)) {
    const HWND hwnd = CreateWindowExW(
        control->kind == ControlKind::TextBox ? WS_EX_CLIENTEDGE : 0,
        ClassOf(control->kind), Widen(control->caption).c_str(),
        StyleOf(control->kind), 0, 0, 0, 0, window_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(*control))),
        instance, nullptr);
    if (hwnd == nullptr) return false;
    controls_.emplace_back(control, hwnd);
    if (control->kind == ControlKind::TextBox) {
      SendMessageW(hwnd, EM_SETLIMITTEXT, 0, 0);  // no length limit
      SetWindowSubclass(hwnd, BoxProc, 0, 0);
    }
    if (control->box) boxes_[static_cast<int>(*control->box)].control = hwnd;
    if (focus_ == nullptr && control->kind != ControlKind::Label) focus_ = hwnd;
  }
  return true;
}

// Whether every label's and button's caption shows whole in `font`.
bool Win32Form1::CaptionsFit(HFONT font, UINT dpi) const {
  const HDC dc = GetDC(window_);
  const HGDIOBJ previous = SelectObject(dc, font);
  // A button draws its caption inside its edges and a focus rectangle.
  const int button_margin = 2 * dpi_.Metric(SM_CXEDGE, dpi) + 4;
  const int button_margin_y = 2 * dpi_.Metric(SM_CYEDGE, dpi);
  bool fit = true;
  for (const auto& [control, hwnd] : controls_) {
    if (control->kind == ControlKind::TextBox) continue;
    const std::wstring caption = Widen(control->caption);
    SIZE extent{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()),
                          &extent);
    int width = TwipsToPixels(control->width, static_cast<int>(dpi));
    int height = TwipsToPixels(control->height, static_cast<int>(dpi));
    if (control->kind == ControlKind::PushButton) {
      width -= button_margin;
      height -= button_margin_y;
    }
    fit = fit && extent.cx <= width && extent.cy <= height;
  }
  SelectObject(dc, previous);
  ReleaseDC(window_, dc);
  return fit;
}

// The message font's face at 8 points for `dpi`, made for that DPI and not
// scaled again, in half points smaller while a caption would not fit.
Win32Form1::UniqueFont Win32Form1::FittingFont(UINT dpi) const {
  LOGFONTW look{};
  look.lfCharSet = DEFAULT_CHARSET;
  const std::wstring face = dpi_.MessageFontFace(dpi);
  face.copy(look.lfFaceName, LF_FACESIZE - 1);
  UniqueFont font;
  for (int half_points = kDialogHalfPoints; half_points >= kSmallestHalfPoints;
       --half_points) {
    look.lfHeight = -MulDiv(half_points, static_cast<int>(dpi), 2 * 72);
    font.reset(CreateFontIndirectW(&look));
    if (CaptionsFit(font.get(), dpi)) break;
  }
  return font;
}

// Places the window's client area and every control at `dpi`.
void Win32Form1::LayOut(UINT dpi) {
  const auto pixels = [dpi](int twips) {
    return TwipsToPixels(twips, static_cast<int>(dpi));
  };
  UniqueFont font = FittingFont(dpi);
  for (const auto& [control, hwnd] : controls_) {
    MoveWindow(hwnd, pixels(control->left), pixels(control->top),
               pixels(control->width), pixels(control->height), TRUE);
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
  }
  // The controls have let go of the previous font only now.
  font_ = std::move(font);

  const RECT frame = dpi_.Frame({0, 0, pixels(description_.client_width),
                                 pixels(description_.client_height)},
                                kFrameStyle, dpi);
  SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left,
               frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TextBox& Win32Form1::Box(BoxName name) {
  return boxes_[static_cast<int>(name)];
}

void Win32Form1::Clicked(HWND control) {
  for (const auto& [description, hwnd] : controls_) {
    if (hwnd == control && description->click != nullptr) {
      RunAction(description->click, *this, report_);
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

// A box shows the beginning of a text too long for it; the whole text is
// then its tooltip. The tooltip control is made only when first needed.
void Win32Form1::TextChanged(HWND box) {
  std::wstring text = WindowText(box).value_or(L"");
  RECT client{};
  GetClientRect(box, &client);
  const auto margins =
      static_cast<DWORD>(SendMessageW(box, EM_GETMARGINS, 0, 0));
  const int room = client.right - LOWORD(margins) - HIWORD(margins);
  const bool fits = TextWidth(box, text) <= room;
  if (fits && tooltip_ == nullptr) return;

  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = window_;
  tool.uId = reinterpret_cast<UINT_PTR>(box);
  if (tooltip_ == nullptr) {
    tooltip_ = CreateWindowExW(
        WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, instance_, nullptr);
    for (const EditBox& each : boxes_) {
      tool.uId = reinterpret_cast<UINT_PTR>(each.control);
      tool.lpszText = const_cast<wchar_t*>(L"");
      SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    tool.uId = reinterpret_cast<UINT_PTR>(box);
  }
  if (fits) text.clear();  // an empty tip is never shown
  tool.lpszText = text.data();
  SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0,
               reinterpret_cast<LPARAM>(&tool));
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
    case WM_SETFOCUS:
      if (focus_ != nullptr) SetFocus(focus_);
      return 0;
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
