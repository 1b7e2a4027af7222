#pragma once

#include <exception>

// MinGW's C++ library formats with the C99 printf functions, not with the
// Windows C library's, whose formats GCC checks there under the name printf.
#ifdef __MINGW32__
#define PL_CONFIG_PRINTF_FORMAT gnu_printf
#else
#define PL_CONFIG_PRINTF_FORMAT printf
#endif

namespace pl_config {

[[noreturn]] void fatal_error(const char* format, ...) __attribute__((format(PL_CONFIG_PRINTF_FORMAT, 1, 2)));

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
