#pragma once

#include <string_view>

namespace tasa {

// What the core asks of the page (page.js, in Module.page): measuring
// text in the page's fonts. (The page sizes its captions itself, before
// the core has loaded.)

// Whether `text` shows whole in the box that is control `control`.
bool PageBoxFits(int control, std::string_view text);

}  // namespace tasa
