// What the page calls: the core compiled to WebAssembly, one window of it.
// Texts come and go as UTF-8 in the module's memory; a returned text stays
// valid until the next call.
#include <emscripten.h>

#include <string>

#include "window/web/web_form1.h"

namespace {

tasa::WebForm1& Page() {
  static tasa::WebForm1 form;  // the page's one window
  return form;
}

const char* Kept(std::string text) {
  static std::string kept;
  kept = std::move(text);
  return kept.c_str();
}

}  // namespace

extern "C" {

// The text of the box that is control `control` (its place in the
// description).
EMSCRIPTEN_KEEPALIVE const char* tasa_box_text(int control) {
  tasa::TextBox* box = Page().BoxOfControl(control);
  std::string text;
  if (box != nullptr) box->ReadText(text);
  return Kept(std::move(text));
}

EMSCRIPTEN_KEEPALIVE void tasa_set_box_text(int control, const char* text,
                                            int length) {
  if (tasa::TextBox* box = Page().BoxOfControl(control)) {
    box->WriteText(std::string_view(text, static_cast<std::size_t>(length)));
  }
}

// Runs the click of control `control`: -1, or after error 13 the control
// number of the box whose text is not a number.
EMSCRIPTEN_KEEPALIVE int tasa_click(int control) {
  return Page().Click(control);
}

EMSCRIPTEN_KEEPALIVE int tasa_box_written(int control) {
  return Page().Written(control) ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE int tasa_error_number() { return Page().error_number(); }

EMSCRIPTEN_KEEPALIVE const char* tasa_error_text() {
  return Kept(Page().error_text());
}

// What the last click tells a screen reader; "" for nothing.
EMSCRIPTEN_KEEPALIVE const char* tasa_announcement() {
  return Kept(Page().announcement());
}

EMSCRIPTEN_KEEPALIVE const char* tasa_shortened(int control) {
  return Kept(Page().Shortened(control));
}

EMSCRIPTEN_KEEPALIVE const char* tasa_tooltip(int control) {
  return Kept(Page().Tooltip(control));
}

}  // extern "C"
