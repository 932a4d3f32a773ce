#include "window/win32/number_box.h"

#include <commctrl.h>

#include <algorithm>
#include <new>
#include <string_view>
#include <utility>

#include "window/box_display.h"
#include "window/line_breaks.h"
#include "window/win32/accessible_description.h"
#include "window/win32/wide_text.h"

namespace tasa {
namespace {

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

}  // namespace

void BoxTooltip::Set(HWND box, std::wstring text) {
  if (tooltip_ == nullptr && text.empty()) return;
  const HWND window = GetParent(box);
  if (tooltip_ == nullptr) {
    tooltip_ = CreateWindowExW(
        WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr,
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE)),
        nullptr);
  }
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = window;
  tool.uId = reinterpret_cast<UINT_PTR>(box);
  tool.lpszText = text.data();
  // A box is a tool from the first time it has a tip.
  const bool known = std::ranges::find(tools_, box) != tools_.end();
  SendMessageW(tooltip_, known ? TTM_UPDATETIPTEXTW : TTM_ADDTOOLW, 0,
               reinterpret_cast<LPARAM>(&tool));
  if (!known) tools_.push_back(box);
}

void NumberBox::Attach(HWND edit, std::wstring unit, BoxTooltip& tooltip) {
  edit_ = edit;
  unit_ = std::move(unit);
  tooltip_ = &tooltip;
  SendMessageW(edit_, EM_SETLIMITTEXT, 0, 0);  // no length limit
  SetWindowSubclass(edit_, Proc, 0, reinterpret_cast<DWORD_PTR>(this));
}

// Whether the box shows `text` whole. Long texts are not measured.
bool NumberBox::Fits(const std::wstring& text) const {
  if (text.size() > kLongestMeasured) return false;
  RECT room{};
  SendMessageW(edit_, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&room));
  return TextWidth(edit_, text) <= room.right - room.left;
}

void NumberBox::TextChanged() {
  if (edit_ == nullptr) return;
  const std::wstring text = WindowText(edit_).value_or(L"");
  const std::string utf8 = Narrow(text);
  std::wstring shortened =
      Widen(tasa::ShownWithoutFocus(utf8, [this](std::string_view candidate) {
        return Fits(Widen(candidate));
      }));
  if (shortened == text) shortened.clear();
  // Only a box without the focus shows it; the edit control repaints its
  // own text as it changes.
  if (shortened != shortened_ && GetFocus() != edit_) {
    InvalidateRect(edit_, nullptr, TRUE);
  }
  shortened_ = std::move(shortened);
  tooltip_->Set(edit_, Fits(text) ? std::wstring() : Widen(TooltipOf(utf8)));
}

std::wstring NumberBox::ShownWithoutFocus() const {
  return shortened_.empty() ? WindowText(edit_).value_or(L"") : shortened_;
}

void NumberBox::SelectFromStart() const {
  SendMessageW(edit_, EM_SETSEL,
               static_cast<WPARAM>(GetWindowTextLengthW(edit_)), 0);
}

// Paints a box without the focus that shows a shortened number, as the
// edit control paints its text: the colours its parent gives it, its font,
// at the top left of its formatting rectangle. False where the box shows
// its own text, which the edit control paints itself.
bool NumberBox::PaintShortened() {
  if (GetFocus() == edit_ || shortened_.empty()) return false;
  PAINTSTRUCT paint{};
  const HDC dc = BeginPaint(edit_, &paint);
  const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(
      GetParent(edit_), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
      reinterpret_cast<LPARAM>(edit_)));
  RECT client{};
  GetClientRect(edit_, &client);
  FillRect(dc, &client,
           brush != nullptr ? brush : GetSysColorBrush(COLOR_WINDOW));
  RECT text{};
  SendMessageW(edit_, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text));
  const HGDIOBJ previous = SelectObject(
      dc, reinterpret_cast<HFONT>(SendMessageW(edit_, WM_GETFONT, 0, 0)));
  SetBkMode(dc, TRANSPARENT);
  DrawTextW(dc, shortened_.c_str(), static_cast<int>(shortened_.size()), &text,
            DT_SINGLELINE | DT_NOPREFIX | DT_LEFT | DT_TOP);
  SelectObject(dc, previous);
  EndPaint(edit_, &paint);
  return true;
}

LRESULT CALLBACK NumberBox::Proc(HWND edit, UINT message, WPARAM w, LPARAM l,
                                 UINT_PTR, DWORD_PTR box) {
  auto& self = *reinterpret_cast<NumberBox*>(box);
  switch (message) {
    case WM_PASTE:
      PasteFirstLine(edit);
      return 0;
    case WM_PAINT:
      try {
        if (self.PaintShortened()) return 0;
      } catch (const std::bad_alloc&) {
      }  // the edit control paints its own text then
      break;
    case WM_GETOBJECT:
      try {
        if (!self.unit_.empty()) {
          if (const LRESULT object = DescribedObject(edit, w, l, self.unit_)) {
            return object;
          }
        }
      } catch (const std::bad_alloc&) {
      }  // Windows' own object then
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      // From the whole text to the shortened number, or back.
      if (!self.shortened_.empty()) InvalidateRect(edit, nullptr, TRUE);
      break;
    case EM_SETSEL:
      // The dialog manager selects a box's text as Tab comes to it: its
      // beginning, not its end, is then in view.
      if (w == 0 && static_cast<int>(l) == -1) {
        w = static_cast<WPARAM>(GetWindowTextLengthW(edit));
        l = 0;
      }
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(edit, Proc, 0);
      break;
  }
  return DefSubclassProc(edit, message, w, l);
}

}  // namespace tasa
