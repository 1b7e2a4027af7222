#pragma once

#include <cstdarg>
#include <exception>

#include "printf_format.h"

namespace pl_config {

[[noreturn]] void fatal_error(const char* format, ...) PL_CONFIG_PRINTF(1, 2);
// The same, about line `line` of the description.
[[noreturn]] void fatal_error_at(int line, const char* format, ...) PL_CONFIG_PRINTF(2, 3);

// The one error path of the tool.  fatal_error() throws it; main() writes the
// message and a newline to standard error and exits with status 1, which
// flushes whatever the output files already hold.  The message lives in the
// exception itself: the longest is a quoted 511-byte line and a short text.
// The line it is about is kept apart from the message, so that main() can
// decide whether to show it.
class FatalError : public std::exception {
 public:
  static constexpr int capacity = 1024;

  const char* what() const noexcept override { return message_; }
  // The description's line the error is about, counted from 1; 0 for none.
  int line() const { return line_; }

 private:
  friend void fatal_error(const char* format, ...);
  friend void fatal_error_at(int line, const char* format, ...);
  FatalError(int line, const char* format, std::va_list args);

  char message_[capacity] = "";
  int line_ = 0;
};

}  // namespace pl_config
