#pragma once

#include <string>
#include <string_view>

#include "runtime/run_time_error.h"

namespace tasa {

// The three entry boxes of the main window.
enum class BoxName { Text1, Text2, Text3 };

// Outcome of reading or writing the text of a box; negative means failure.
enum class BoxStatus : int { Ok = 0, Failed = -1 };

// Turns a failed box access into the run-time error.
inline void CheckStatus(BoxStatus status) {
  if (static_cast<int>(status) < 0) throw RunTimeError(ErrorKind::BoxAccess);
}

// The text property of one entry box. Text is UTF-8.
class TextBox {
 public:
  virtual ~TextBox() = default;
  virtual BoxStatus ReadText(std::string& text) const = 0;
  virtual BoxStatus WriteText(std::string_view text) = 0;
};

// Error 13 from a box whose text is not a number: the window puts the
// focus there once the error has been shown.
class NotANumberIn : public RunTimeError {
 public:
  explicit NotANumberIn(BoxName box)
      : RunTimeError(ErrorKind::NotANumber), box_(box) {}
  BoxName box() const { return box_; }

 private:
  BoxName box_;
};

// What the actions see of the main window: its boxes, reached by name.
class Form {
 public:
  virtual ~Form() = default;
  virtual TextBox& Box(BoxName name) = 0;
};

}  // namespace tasa
