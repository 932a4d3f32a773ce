#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tasa {

// The tooltip the boxes of one window share, made when a box first needs
// it.
class BoxTooltip {
 public:
  // Shows `text` over `box` when the pointer rests on it; an empty text is
  // never shown.
  void Set(HWND box, std::wstring text);

 private:
  HWND tooltip_ = nullptr;   // owned by the boxes' window
  std::vector<HWND> tools_;  // the boxes it has a tip for
};

// The behaviour of an EDIT control that holds a number: a paste keeps its
// first line; without the focus it shows a number too long for it
// shortened to fit (box_display.h), its text staying whole, and offers the
// text as a tooltip; from the keyboard it comes in with its beginning in
// view; and a screen reader hears its unit after its name.
class NumberBox {
 public:
  NumberBox() = default;
  NumberBox(const NumberBox&) = delete;
  NumberBox& operator=(const NumberBox&) = delete;

  // Gives `edit` the box's behaviour until it is destroyed. `unit` is its
  // accessible description ("" for none); `tooltip` is shared with the
  // other boxes of its window.
  void Attach(HWND edit, std::wstring unit, BoxTooltip& tooltip);
  HWND handle() const { return edit_; }

  // Works out what the box shows without the focus, and its tooltip,
  // after its text or its font changed.
  void TextChanged();
  // What the box shows while it has no focus: a number too long for it
  // shortened to fit; otherwise its text.
  std::wstring ShownWithoutFocus() const;
  // Selects the whole text with its beginning in view: the caret goes to
  // the end the selection is made toward.
  void SelectFromStart() const;

 private:
  static LRESULT CALLBACK Proc(HWND edit, UINT message, WPARAM w, LPARAM l,
                               UINT_PTR, DWORD_PTR box);
  bool Fits(const std::wstring& text) const;
  bool PaintShortened();

  HWND edit_ = nullptr;
  std::wstring unit_;
  BoxTooltip* tooltip_ = nullptr;
  // The shortened number the box shows without the focus; empty where it
  // shows its own text.
  std::wstring shortened_;
};

}  // namespace tasa
