#pragma once

#include <cfenv>

namespace tasa {

// The sticky fault flags of floating-point arithmetic. Only invalid
// operation, division by zero and overflow count as faults; underflow,
// denormals and inexact results never do. Where the processor keeps them
// (x86, aarch64), these are its own flags; where it keeps none
// (WebAssembly), the run time keeps them itself. Every fault the formulas
// check is raised by this program's own code (the exact arithmetic decides
// what double arithmetic would have flagged), so both behave alike.
#if defined(FE_DIVBYZERO) && defined(FE_OVERFLOW) && defined(FE_INVALID) && \
    !defined(__wasm__)
#define TASA_PROCESSOR_FAULT_FLAGS 1
inline constexpr bool kProcessorFaultFlags = true;
#else
inline constexpr bool kProcessorFaultFlags = false;
#endif

enum Fault : unsigned {
  kDivisionByZero = 1,
  kOverflow = 2,
  kInvalidOperation = 4,
};

void ClearFaultFlags();

// Raises the run-time error of the first fault flag that is set, testing
// division by zero, then overflow, then invalid operation.
void CheckFaultFlags();

// Sets the flags of `faults`, as the arithmetic that has them would: for a
// value decided exactly to be beyond the range of a double, say.
void RaiseFaults(unsigned faults);
inline void RaiseOverflow() { RaiseFaults(kOverflow); }
inline void RaiseDivisionByZero() { RaiseFaults(kDivisionByZero); }

// The faults whose flags are set.
unsigned FlaggedFaults();

// Clears, once it goes, the fault flags that were not set when it was made:
// for working arithmetic whose own faults mean nothing about the outcome.
// (fesetexceptflag would not do: with MinGW-w64 it leaves the SSE
// exceptions unmasked, and the next inexact result traps.)
class FaultFlagsKept {
 public:
  FaultFlagsKept() : raised_(FlaggedFaults()) {}
  ~FaultFlagsKept();
  FaultFlagsKept(const FaultFlagsKept&) = delete;
  FaultFlagsKept& operator=(const FaultFlagsKept&) = delete;

 private:
  unsigned raised_;
};

}  // namespace tasa
