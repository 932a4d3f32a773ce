#pragma once

#include <string_view>

namespace tasa {

// What the core asks of the page (page.js, in Module.page): measuring
// text in the page's fonts. (The page sizes its captions itself, before
// the core has loaded.)

// Whether `text` shows whole in the box at control `index`.
bool PageBoxFits(int index, std::string_view text);

}  // namespace tasa
