#pragma once

#include <string>
#include <string_view>

#include "runtime/exact/decimal.h"

namespace tasa {

// Text typed by a person to the number it writes, exactly. Blanks around
// the number are ignored: tabs, vertical tabs, form feeds, every Unicode
// space separator, and the zero-width space, word joiner and byte-order
// mark (U+200B, U+2060, U+FEFF); blank text reads as 0. A number is an
// optional sign ('+', '-' or U+2212 MINUS SIGN), digits with at most one
// decimal mark ('.' or ','), and an optional exponent (e or E, optional
// sign, digits); at least one digit comes before the exponent. Anything
// else raises NotANumber. A value that a double would make infinite raises
// Overflow; one that a double would hold as zero reads as zero. Both are
// decided on the exact value. The result never depends on the process
// locale.
Decimal TextToNumber(std::string_view text);

// What a box shows for a result: the number correctly rounded to 15
// significant digits, ties to even, no trailing zeros, ',' as the decimal
// mark, never "-0". Exponent form ("1,5E+20", "1E-05") when the decimal
// exponent is below -4 or at least 15. The two 15-digit numbers that read
// back beyond the range of a double or as 0 are moved to their neighbours
// that do not. The result never depends on the process locale.
std::string NumberToText(const Decimal& value);

// The number rounded to `digits` significant digits, ties to even, and
// written as results are, or always in exponent form: for showing a
// shorter form of it.
enum class Notation { kAsResults, kExponent };
std::string NumberToText(const Decimal& value, std::size_t digits,
                         Notation notation);

}  // namespace tasa
