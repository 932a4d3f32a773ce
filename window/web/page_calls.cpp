#include "window/web/page_calls.h"

#include <emscripten.h>

namespace {

// Text goes over as UTF-8 bytes in the module's memory, never through
// JSON or a string literal: a box may hold any character.
EM_JS(int, tasa_page_box_fits, (int control, const char* text, int length), {
  return Module.page.boxFits(control, UTF8ToString(text, length)) ? 1 : 0;
});

}  // namespace

namespace tasa {

bool PageBoxFits(int control, std::string_view text) {
  return tasa_page_box_fits(control, text.data(),
                            static_cast<int>(text.size())) != 0;
}

}  // namespace tasa
