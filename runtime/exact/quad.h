#pragma once

namespace tasa {

// IEEE binary128, 113 significant bits (about 34 decimal digits), computed
// in software by GCC on every target. The quick estimate of a result uses
// it; libquadmath supplies its functions.
__extension__ typedef __float128 Quad;

}  // namespace tasa
