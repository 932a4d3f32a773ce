#pragma once

#include <cfenv>

namespace tasa {

// The FPU's sticky fault flags. Only invalid operation, division by zero and
// overflow count as faults; underflow, denormals and inexact results never do.
void ClearFaultFlags();

// Raises the run-time error of the first fault flag that is set, testing
// division by zero, then overflow, then invalid operation.
void CheckFaultFlags();

inline constexpr int kFaults = FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID;

// Set the flag that double arithmetic would set for a value decided exactly
// to be beyond the range of a double, or for a division by zero.
void RaiseOverflow();
void RaiseDivisionByZero();

// Clears, once it goes, the fault flags that were not set when it was made:
// for working arithmetic whose own faults mean nothing about the outcome.
// (fesetexceptflag would not do: with MinGW-w64 it leaves the SSE
// exceptions unmasked, and the next inexact result traps.)
class FaultFlagsKept {
 public:
  FaultFlagsKept() : raised_(std::fetestexcept(kFaults)) {}
  ~FaultFlagsKept() {
    if (const int new_faults = std::fetestexcept(kFaults) & ~raised_) {
      std::feclearexcept(new_faults);
    }
  }
  FaultFlagsKept(const FaultFlagsKept&) = delete;
  FaultFlagsKept& operator=(const FaultFlagsKept&) = delete;

 private:
  int raised_;
};

}  // namespace tasa
