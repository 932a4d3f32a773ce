#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace tasa {

// What a box shows while it has no focus. A number too long for it is shown
// rounded to as many significant digits as fit, exponent kept and trailing
// zeros dropped, as a spreadsheet shows a number in a narrow cell
// ("2,7396E-05", "1,636E+45", "12,682503"); a text that fits, or that is
// not a number, shows as it is. `fits` tells whether a text fits the box.
// The box's text itself stays whole: the actions read it, copy and paste
// take it, and with the focus the box shows and edits it.
std::string ShownWithoutFocus(
    std::string_view text, const std::function<bool(std::string_view)>& fits);

// A box too narrow for its text offers the text as a tooltip, of at most
// this many characters, counted as a person counts them: in Unicode code
// points (U+1F600 is one, not two UTF-16 units nor four UTF-8 bytes), the
// same on every platform.
inline constexpr std::size_t kLongestTooltip = 80;

// The tooltip of a box too narrow for `text` (UTF-8): the text itself, or
// past kLongestTooltip code points, the first kLongestTooltip - 1 and an
// ellipsis. No code point is split.
std::string TooltipOf(std::string_view text);

// Texts longer than this are taken not to fit a box without measuring
// them: the boxes hold a few dozen characters at the most.
inline constexpr std::size_t kLongestMeasured = 256;

}  // namespace tasa
