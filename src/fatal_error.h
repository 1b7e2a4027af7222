#pragma once

#include <exception>

namespace pl_config {

[[noreturn]] void fatal_error(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The one error path of the tool.  fatal_error() throws it; main() writes the
// message and a newline to standard error and exits with status 1, which
// flushes whatever the output files already hold.  The message lives in the
// exception itself: the longest is a quoted 511-byte line and a short text.
class FatalError : public std::exception {
 public:
  static constexpr int capacity = 1024;

  const char* what() const noexcept override { return message_; }

 private:
  friend void fatal_error(const char* format, ...);
  char message_[capacity] = "";
};

}  // namespace pl_config
