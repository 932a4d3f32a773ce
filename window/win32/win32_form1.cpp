#include "window/win32/win32_form1.h"

#include <commctrl.h>

#include <algorithm>
#include <new>
#include <optional>

#include "window/announcement.h"
#include "window/box_display.h"
#include "window/line_breaks.h"
#include "window/win32/accessible_description.h"
#include "window/win32/control_ids.h"
#include "window/win32/wide_text.h"

namespace tasa {
namespace {

constexpr DWORD kFrameStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
// The shell's icon, in sizes from 16 to 256 pixels; icon group 1 keeps the
// program's original three images.
constexpr int kShellIcon = 2;

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
// or U+2029 inside the box, unseen. The text ends at its NUL or at the end
// of its memory block, whichever comes first: a program may put text
// without a NUL on the clipboard.
void PasteFirstLine(HWND box) {
  if (!OpenClipboard(box)) return;
  std::wstring text;
  if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      const std::size_t room = GlobalSize(data) / sizeof(wchar_t);
      text.assign(chars, std::find(chars, chars + room, L'\0'));
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

// Whether a box shows `text` whole. Long texts are not measured.
bool FitsBox(HWND box, const std::wstring& text) {
  if (text.size() > kLongestMeasured) return false;
  RECT room{};
  SendMessageW(box, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&room));
  return TextWidth(box, text) <= room.right - room.left;
}

// Selects a box's whole text with its beginning in view: the caret goes to
// the end the selection is made toward.
void SelectFromStart(HWND box) {
  SendMessageW(box, EM_SETSEL, static_cast<WPARAM>(GetWindowTextLengthW(box)),
               0);
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
    if (control->kind == ControlKind::TextBox) {
      SendMessageW(hwnd, EM_SETLIMITTEXT, 0, 0);  // no length limit
      SetWindowSubclass(hwnd, BoxProc, 0, reinterpret_cast<DWORD_PTR>(this));
    }
    if (control->box) boxes_[static_cast<int>(*control->box)].control = hwnd;
    if (focus_ == nullptr && control->kind != ControlKind::Label) focus_ = hwnd;
  }
  return true;
}

// Whether a label's or button's caption shows whole in `font`.
bool Win32Form1::CaptionFits(const ControlDescription& control, HFONT font,
                             UINT dpi) const {
  const HDC dc = GetDC(window_);
  const HGDIOBJ previous = SelectObject(dc, font);
  const std::wstring caption = Widen(control.caption);
  SIZE extent{};
  GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()),
                        &extent);
  SelectObject(dc, previous);
  ReleaseDC(window_, dc);
  int width = TwipsToPixels(control.width, static_cast<int>(dpi));
  int height = TwipsToPixels(control.height, static_cast<int>(dpi));
  if (control.kind == ControlKind::PushButton) {
    // A button draws its caption inside its edges and a focus rectangle.
    width -= 2 * dpi_.Metric(SM_CXEDGE, dpi) + 4;
    height -= 2 * dpi_.Metric(SM_CYEDGE, dpi);
  }
  return extent.cx <= width && extent.cy <= height;
}

// The message font's face at `half_points` / 2 points, made for `dpi` and
// not scaled again; one of each size for the window's controls.
HFONT Win32Form1::MakeFont(int half_points, UINT dpi) {
  UniqueFont& font = fonts_[half_points];
  if (font == nullptr) {
    LOGFONTW look{};
    look.lfCharSet = DEFAULT_CHARSET;
    const std::wstring face = dpi_.MessageFontFace(dpi);
    face.copy(look.lfFaceName, LF_FACESIZE - 1);
    look.lfHeight = -MulDiv(half_points, static_cast<int>(dpi), 2 * 72);
    font.reset(CreateFontIndirectW(&look));
  }
  return font.get();
}

// Places the window's client area and every control at `dpi`, each in its
// font for that DPI, and gives the window its icons in the sizes of `dpi`.
void Win32Form1::LayOut(UINT dpi) {
  const auto pixels = [dpi](int twips) {
    return TwipsToPixels(twips, static_cast<int>(dpi));
  };
  // The controls let go of the previous fonts only once they have new ones.
  std::map<int, UniqueFont> previous_fonts = std::move(fonts_);
  fonts_.clear();
  // Each caption at the largest size at which it, and every caption that
  // stands with it, shows whole.
  const std::vector<int> half_points = FittedCaptionSizes(
      description_, [this, dpi](const ControlDescription& control, int size) {
        return CaptionFits(control, MakeFont(size, dpi), dpi);
      });
  for (const auto& [control, hwnd] : controls_) {
    MoveWindow(hwnd, pixels(control->left), pixels(control->top),
               pixels(control->width), pixels(control->height), TRUE);
    const auto at =
        static_cast<std::size_t>(control - description_.controls.data());
    SendMessageW(hwnd, WM_SETFONT,
                 reinterpret_cast<WPARAM>(MakeFont(half_points[at], dpi)),
                 TRUE);
  }
  // Sizes tried and not taken go too.
  std::erase_if(fonts_, [&half_points](const auto& font) {
    return std::ranges::find(half_points, font.first) == half_points.end();
  });
  previous_fonts.clear();
  for (const EditBox& box : boxes_) TextChanged(box.control);

  for (const auto& [which, size] :
       {std::pair{ICON_SMALL, SM_CXSMICON}, std::pair{ICON_BIG, SM_CXICON}}) {
    const int side = dpi_.Metric(size, dpi);
    UniqueIcon icon(static_cast<HICON>(
        LoadImageW(instance_, MAKEINTRESOURCEW(kShellIcon), IMAGE_ICON, side,
                   side, LR_DEFAULTCOLOR)));
    SendMessageW(window_, WM_SETICON, which,
                 reinterpret_cast<LPARAM>(icon.get()));
    (which == ICON_SMALL ? small_icon_ : big_icon_) = std::move(icon);
  }

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

const std::wstring& Win32Form1::Shortened(HWND box) const {
  static const std::wstring kNone;
  for (std::size_t i = 0; i < boxes_.size(); ++i) {
    if (boxes_[i].control == box) return shown_[i];
  }
  return kNone;
}

std::wstring Win32Form1::ShownWithoutFocus(HWND box) const {
  const std::wstring& shortened = Shortened(box);
  return shortened.empty() ? WindowText(box).value_or(L"") : shortened;
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
        const HWND edit = boxes_[static_cast<int>(*box)].control;
        SetFocus(edit);
        SelectFromStart(edit);
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

// Works out what a box shows without the focus, and its tooltip: the text,
// cut after kLongestTooltip characters, where it does not fit. The tooltip
// control is made only when first needed.
void Win32Form1::TextChanged(HWND box) {
  std::wstring text = WindowText(box).value_or(L"");
  const auto fits = [box](std::string_view candidate) {
    return FitsBox(box, Widen(candidate));
  };
  for (std::size_t i = 0; i < boxes_.size(); ++i) {
    if (boxes_[i].control != box) continue;
    std::wstring shown = Widen(tasa::ShownWithoutFocus(Narrow(text), fits));
    if (shown == text) shown.clear();
    // Only a box without the focus shows it; the edit control repaints
    // its own text as it changes.
    if (shown != shown_[i] && GetFocus() != box) {
      InvalidateRect(box, nullptr, TRUE);
    }
    shown_[i] = std::move(shown);
  }

  const bool whole = FitsBox(box, text);
  if (whole && tooltip_ == nullptr) return;
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = window_;
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
  }
  if (whole) {
    text.clear();  // an empty tip is never shown
  } else if (text.size() > kLongestTooltip) {
    std::size_t kept = kLongestTooltip - 1;
    if (IS_HIGH_SURROGATE(text[kept - 1])) --kept;
    text.replace(kept, std::wstring::npos, L"\u2026");
  }
  tool.uId = reinterpret_cast<UINT_PTR>(box);
  tool.lpszText = text.data();
  SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0,
               reinterpret_cast<LPARAM>(&tool));
}

LRESULT Win32Form1::AccessibleObject(HWND box, WPARAM w, LPARAM l) const {
  for (const auto& [control, hwnd] : controls_) {
    if (hwnd != box) continue;
    const std::string_view unit = SpokenUnit(description_, *control);
    if (!unit.empty()) return DescribedObject(box, w, l, Widen(unit));
  }
  return 0;
}

// Paints a box without the focus that shows a shortened number, as the
// edit control paints its text: the colours its parent gives it, its font,
// at the top left of its formatting rectangle. False where the box shows
// its own text, which the edit control paints itself.
bool Win32Form1::PaintShown(HWND box) {
  const std::wstring& shown = Shortened(box);
  if (GetFocus() == box || shown.empty()) return false;
  PAINTSTRUCT paint{};
  const HDC dc = BeginPaint(box, &paint);
  const auto brush = reinterpret_cast<HBRUSH>(
      SendMessageW(window_, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                   reinterpret_cast<LPARAM>(box)));
  RECT client{};
  GetClientRect(box, &client);
  FillRect(dc, &client,
           brush != nullptr ? brush : GetSysColorBrush(COLOR_WINDOW));
  RECT text{};
  SendMessageW(box, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text));
  const HGDIOBJ previous = SelectObject(
      dc, reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0)));
  SetBkMode(dc, TRANSPARENT);
  DrawTextW(dc, shown.c_str(), static_cast<int>(shown.size()), &text,
            DT_SINGLELINE | DT_NOPREFIX | DT_LEFT | DT_TOP);
  SelectObject(dc, previous);
  EndPaint(box, &paint);
  return true;
}

LRESULT CALLBACK Win32Form1::BoxProc(HWND box, UINT message, WPARAM w, LPARAM l,
                                     UINT_PTR, DWORD_PTR form) {
  switch (message) {
    case WM_PASTE:
      PasteFirstLine(box);
      return 0;
    case WM_PAINT:
      try {
        if (reinterpret_cast<Win32Form1*>(form)->PaintShown(box)) return 0;
      } catch (const std::bad_alloc&) {
      }  // the edit control paints its own text then
      break;
    case WM_GETOBJECT:
      try {
        if (const LRESULT object =
                reinterpret_cast<Win32Form1*>(form)->AccessibleObject(box, w,
                                                                      l)) {
          return object;
        }
      } catch (const std::bad_alloc&) {
      }  // Windows' own object then
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      // From the whole text to the shortened number, or back.
      if (!reinterpret_cast<Win32Form1*>(form)->Shortened(box).empty()) {
        InvalidateRect(box, nullptr, TRUE);
      }
      break;
    case EM_SETSEL:
      // The dialog manager selects a box's text as Tab comes to it: its
      // beginning, not its end, is then in view.
      if (w == 0 && static_cast<int>(l) == -1) {
        w = static_cast<WPARAM>(GetWindowTextLengthW(box));
        l = 0;
      }
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(box, BoxProc, 0);
      break;
  }
  return DefSubclassProc(box, message, w, l);
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
