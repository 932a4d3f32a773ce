#pragma once

#include <string_view>

namespace tasa {

// What the core asks of the page (page.js, in Module.page): measuring
// text in the page's fonts, and setting a caption's size.

// Whether `text` shows whole in the box at control `index`.
bool PageBoxFits(int index, std::string_view text);
// Whether the caption of the control at `index` shows whole at
// `half_points` / 2 points.
bool PageCaptionFits(int index, int half_points);
void PageSetCaptionSize(int index, int half_points);

}  // namespace tasa
