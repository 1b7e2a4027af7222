#include "fatal_error.h"

#include <cstdio>

namespace pl_config {

FatalError::FatalError(int line, const char* format, std::va_list args) : line_(line) {
  std::vsnprintf(message_, capacity, format, args);
}

void fatal_error(const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  const FatalError error(0, format, args);
  va_end(args);
  throw error;
}

void fatal_error_at(int line, const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  const FatalError error(line, format, args);
  va_end(args);
  throw error;
}

}  // namespace pl_config
