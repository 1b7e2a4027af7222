#include "fatal_error.h"

#include <cstdarg>
#include <cstdio>

namespace pl_config {

void fatal_error(const char* format, ...) {
  FatalError error;
  std::va_list args;
  va_start(args, format);
  std::vsnprintf(error.message_, FatalError::capacity, format, args);
  va_end(args);
  throw error;
}

}  // namespace pl_config
