#pragma once

#include <string>
#include <string_view>

namespace tasa {

// Text typed by a person to a number. Spaces and tabs around the number are
// ignored and blank text reads as 0. A number is an optional sign, digits
// with at most one decimal mark ('.' or ','), and an optional exponent
// (e or E, optional sign, digits); at least one digit comes before the
// exponent. Anything else raises NotANumber. A value beyond the range of a
// double raises Overflow; a value too small for one reads as zero.
// The result never depends on the process locale.
double TextToNumber(std::string_view text);

// A number as the text written into a box: at most 15 significant digits,
// rounded to nearest, no trailing zeros, ',' as the decimal mark, never "-0".
// Exponent form ("1,5E+20", "1E-05") when the decimal exponent is below -4 or
// at least 15. Infinity raises Overflow and NaN raises InvalidOperation.
// The result never depends on the process locale.
std::string NumberToText(double value);

}  // namespace tasa
