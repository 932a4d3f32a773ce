#pragma once

namespace tasa {

// IEEE binary128, 113 significant bits (about 34 decimal digits), computed
// in software by GCC on every target, so it gives the same bits on Linux and
// on both Windows builds. The rate formulas and the writing of their results
// use it; libquadmath supplies its functions.
__extension__ typedef __float128 Quad;

}  // namespace tasa
