#include "window/web/page_calls.h"

#include <emscripten.h>

namespace {

// Text goes over as UTF-8 bytes in the module's memory, never through
// JSON or a string literal: a box may hold any character.
EM_JS(int, tasa_page_box_fits, (int index, const char* text, int length), {
  return Module.page.boxFits(index, UTF8ToString(text, length)) ? 1 : 0;
});
EM_JS(int, tasa_page_caption_fits, (int index, int half_points),
      { return Module.page.captionFits(index, half_points) ? 1 : 0; });
EM_JS(void, tasa_page_set_caption_size, (int index, int half_points),
      { Module.page.setCaptionSize(index, half_points); });

}  // namespace

namespace tasa {

bool PageBoxFits(int index, std::string_view text) {
  return tasa_page_box_fits(index, text.data(),
                            static_cast<int>(text.size())) != 0;
}

bool PageCaptionFits(int index, int half_points) {
  return tasa_page_caption_fits(index, half_points) != 0;
}

void PageSetCaptionSize(int index, int half_points) {
  tasa_page_set_caption_size(index, half_points);
}

}  // namespace tasa
