#include "fatal_error.h"

#include <cstdarg>
#include <cstdio>
#include <string>

namespace pl_config {

void fatal_error(const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  std::va_list copy;
  va_copy(copy, args);
  const int length = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::string message(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
  if (length > 0) std::vsnprintf(message.data(), message.size() + 1, format, args);
  va_end(args);
  throw FatalError(message);
}

}  // namespace pl_config
