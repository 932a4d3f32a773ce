#pragma once

#include <optional>

#include "runtime/run_time_error.h"

namespace tasa::testing {

// The kind of run-time error that `body` raises, or nothing if it completes.
template <class Body>
std::optional<ErrorKind> ErrorRaisedBy(Body&& body) {
  try {
    body();
  } catch (const RunTimeError& error) {
    return error.kind();
  }
  return std::nullopt;
}

}  // namespace tasa::testing
