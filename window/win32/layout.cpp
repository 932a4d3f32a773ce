#include "window/win32/layout.h"

#include <algorithm>
#include <string>

#include "window/win32/wide_text.h"

namespace tasa {

// Whether a label's or button's caption shows whole in `font`.
bool Layout::CaptionFits(HWND window, const ControlDescription& control,
                         HFONT font, UINT dpi) const {
  const HDC dc = GetDC(window);
  const HGDIOBJ previous = SelectObject(dc, font);
  const std::wstring caption = Widen(control.caption);
  SIZE extent{};
  GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()),
                        &extent);
  SelectObject(dc, previous);
  ReleaseDC(window, dc);
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
HFONT Layout::MakeFont(int half_points, UINT dpi) {
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

void Layout::Apply(HWND window, UINT dpi) {
  const auto pixels = [dpi](int twips) {
    return TwipsToPixels(twips, static_cast<int>(dpi));
  };
  // The controls let go of the previous fonts only once they have new ones.
  std::map<int, UniqueFont> previous_fonts = std::move(fonts_);
  fonts_.clear();
  // Each caption at the largest size at which it, and every caption that
  // stands with it, shows whole.
  const std::vector<int> half_points = FittedCaptionSizes(
      form_, [this, window, dpi](const ControlDescription& control, int size) {
        return CaptionFits(window, control, MakeFont(size, dpi), dpi);
      });
  for (const auto& [control, hwnd] : controls_) {
    MoveWindow(hwnd, pixels(control->left), pixels(control->top),
               pixels(control->width), pixels(control->height), TRUE);
    const auto at = static_cast<std::size_t>(control - form_.controls.data());
    SendMessageW(hwnd, WM_SETFONT,
                 reinterpret_cast<WPARAM>(MakeFont(half_points[at], dpi)),
                 TRUE);
  }
  // Sizes tried and not taken go too.
  std::erase_if(fonts_, [&half_points](const auto& font) {
    return std::ranges::find(half_points, font.first) == half_points.end();
  });
  previous_fonts.clear();

  const auto instance =
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
  for (const auto& [which, size] :
       {std::pair{ICON_SMALL, SM_CXSMICON}, std::pair{ICON_BIG, SM_CXICON}}) {
    const int side = dpi_.Metric(size, dpi);
    UniqueIcon icon(static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(kShellIcon), IMAGE_ICON, side,
                   side, LR_DEFAULTCOLOR)));
    SendMessageW(window, WM_SETICON, which,
                 reinterpret_cast<LPARAM>(icon.get()));
    (which == ICON_SMALL ? small_icon_ : big_icon_) = std::move(icon);
  }

  const RECT frame = dpi_.Frame(
      {0, 0, pixels(form_.client_width), pixels(form_.client_height)},
      kFrameStyle, dpi);
  SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left,
               frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace tasa
