#pragma once

#include <cfenv>

namespace tasa {

// The FPU's sticky fault flags. Only invalid operation, division by zero and
// overflow count as faults; underflow, denormals and inexact results never do.
void ClearFaultFlags();

// Raises the run-time error of the first fault flag that is set, testing
// division by zero, then overflow, then invalid operation.
void CheckFaultFlags();

// Set the flag that double arithmetic would set for a value decided exactly
// to be beyond the range of a double, or for a division by zero.
void RaiseOverflow();
void RaiseDivisionByZero();

// Puts the flags back as they were when it was made once it goes: for
// working arithmetic whose own flags mean nothing about the outcome.
// The flags are cleared and raised again: with MinGW-w64, fesetexceptflag
// leaves the SSE exceptions unmasked, and the next inexact result traps.
class FaultFlagsKept {
 public:
  FaultFlagsKept() : raised_(std::fetestexcept(FE_ALL_EXCEPT)) {}
  ~FaultFlagsKept() {
    std::feclearexcept(FE_ALL_EXCEPT);
    std::feraiseexcept(raised_);
  }
  FaultFlagsKept(const FaultFlagsKept&) = delete;
  FaultFlagsKept& operator=(const FaultFlagsKept&) = delete;

 private:
  int raised_;
};

}  // namespace tasa
