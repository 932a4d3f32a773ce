#pragma once

#include <string>
#include <string_view>

#include "runtime/decimal.h"
#include "runtime/quad.h"

namespace tasa {

// Text typed by a person to the number it writes, exactly. Spaces, tabs and
// no-break spaces (U+00A0, U+202F) around the number are ignored, and blank
// text reads as 0. A number is an
// optional sign, digits with at most one decimal mark ('.' or ','), and an
// optional exponent (e or E, optional sign, digits); at least one digit
// comes before the exponent. Anything else raises NotANumber. A value beyond
// the range of a double raises Overflow; one too small for a double (one
// that a double would hold as zero) reads as zero.
// The result never depends on the process locale.
Decimal TextToNumber(std::string_view text);

// A number as the text written into a box: correctly rounded to 15
// significant digits, ties to even, no trailing zeros, ',' as the decimal
// mark, never "-0". Exponent form ("1,5E+20", "1E-05") when the decimal
// exponent is below -4 or at least 15. A value that a double could not hold
// raises Overflow, and NaN raises InvalidOperation. Values just below the
// largest double are rounded toward zero instead, so that the text is never
// beyond the range of a double.
// `value` may be a computed result that carries a tiny error: one that lies
// within 10^-29 of a tie between two 15-digit numbers is taken for that tie.
// The result never depends on the process locale.
std::string NumberToText(Quad value);

}  // namespace tasa
