#pragma once

namespace tasa {

// The FPU's sticky fault flags. Only invalid operation, division by zero and
// overflow count as faults; underflow, denormals and inexact results never do.
void ClearFaultFlags();

// Raises the run-time error of the first fault flag that is set, testing
// division by zero, then overflow, then invalid operation.
void CheckFaultFlags();

// Pins a floating-point value in program order. The compiler treats
// arithmetic as free of side effects and would happily compute `1.0 / n`
// before the flags are cleared or after they are tested. Passing each operand
// and each result through here forces the operation to happen between the
// surrounding flag calls, exactly where it is written.
inline double Pinned(double value) {
#if defined(__GNUC__) || defined(__clang__)
  asm volatile("" : "+m"(value) : : "memory");
#else
  volatile double slot = value;
  value = slot;
#endif
  return value;
}

}  // namespace tasa
