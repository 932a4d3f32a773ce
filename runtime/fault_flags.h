#pragma once

#include "runtime/quad.h"

namespace tasa {

// The FPU's sticky fault flags. Only invalid operation, division by zero and
// overflow count as faults; underflow, denormals and inexact results never do.
void ClearFaultFlags();

// Raises the run-time error of the first fault flag that is set, testing
// division by zero, then overflow, then invalid operation.
void CheckFaultFlags();

// Sets the flag that the same value would have set in double arithmetic:
// overflow when it lies beyond the range of a double, invalid operation when
// it is NaN. Quad arithmetic reaches far beyond that range without a flag.
void FlagIfNotADouble(Quad value);

// Pins a floating-point value in program order. The compiler treats
// arithmetic as free of side effects and would happily compute `1 / n`
// before the flags are cleared or after they are tested. Passing each operand
// and each result through here forces the operation to happen between the
// surrounding flag calls, exactly where it is written.
template <class Number>
Number Pinned(Number value) {
#if defined(__GNUC__) || defined(__clang__)
  asm volatile("" : "+m"(value) : : "memory");
#else
  volatile Number slot = value;
  value = slot;
#endif
  return value;
}

}  // namespace tasa
