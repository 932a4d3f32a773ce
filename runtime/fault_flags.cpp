#include "runtime/fault_flags.h"

#include "runtime/run_time_error.h"

namespace tasa {
namespace {

#if defined(TASA_PROCESSOR_FAULT_FLAGS)

constexpr struct {
  Fault fault;
  int flag;
} kFlags[] = {{kDivisionByZero, FE_DIVBYZERO},
              {kOverflow, FE_OVERFLOW},
              {kInvalidOperation, FE_INVALID}};

int FlagsOf(unsigned faults) {
  int flags = 0;
  for (const auto& [fault, flag] : kFlags) {
    if (faults & fault) flags |= flag;
  }
  return flags;
}
void Clear(unsigned faults) { std::feclearexcept(FlagsOf(faults)); }

}  // namespace

void RaiseFaults(unsigned faults) { std::feraiseexcept(FlagsOf(faults)); }

unsigned FlaggedFaults() {
  const int flags = std::fetestexcept(FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID);
  unsigned faults = 0;
  for (const auto& [fault, flag] : kFlags) {
    if (flags & flag) faults |= fault;
  }
  return faults;
}

#else

// The flags the processor does not keep: one set for the program's one
// thread, as a processor has one for each.
unsigned& Flags() {
  static unsigned flags = 0;
  return flags;
}
void Clear(unsigned faults) { Flags() &= ~faults; }

}  // namespace

void RaiseFaults(unsigned faults) { Flags() |= faults; }

unsigned FlaggedFaults() { return Flags(); }

#endif

void ClearFaultFlags() {
#if defined(TASA_PROCESSOR_FAULT_FLAGS)
  std::feclearexcept(FE_ALL_EXCEPT);
#else
  Clear(kDivisionByZero | kOverflow | kInvalidOperation);
#endif
}

void CheckFaultFlags() {
  const unsigned raised = FlaggedFaults();
  if (raised & kDivisionByZero) throw RunTimeError(ErrorKind::DivisionByZero);
  if (raised & kOverflow) throw RunTimeError(ErrorKind::Overflow);
  if (raised & kInvalidOperation) {
    throw RunTimeError(ErrorKind::InvalidOperation);
  }
}

FaultFlagsKept::~FaultFlagsKept() {
  if (const unsigned new_faults = FlaggedFaults() & ~raised_) {
    Clear(new_faults);
  }
}

}  // namespace tasa
