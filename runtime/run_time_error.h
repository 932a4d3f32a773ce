#pragma once

#include <exception>
#include <string_view>

namespace tasa {

// The failures the program knows. Each has a fixed number and a Spanish
// description, which is what the user sees in the error report.
enum class ErrorKind {
  InvalidOperation,  // 5: invalid floating-point operation, or a refused power
  Overflow,          // 6: a value beyond the range of a double
  OutOfMemory,       // 7
  DivisionByZero,    // 11
  NotANumber,        // 13: a box holds text that is not a number
  Internal,          // 51: a failure the program has no name for
  BoxAccess,         // 380: the text of a box could not be read or written
};

int ErrorNumber(ErrorKind kind);
std::string_view ErrorDescription(ErrorKind kind);  // UTF-8

class RunTimeError : public std::exception {
 public:
  explicit RunTimeError(ErrorKind kind) : kind_(kind) {}

  ErrorKind kind() const { return kind_; }
  int number() const { return ErrorNumber(kind_); }
  std::string_view description() const { return ErrorDescription(kind_); }
  const char* what() const noexcept override;

 private:
  ErrorKind kind_;
};

}  // namespace tasa
