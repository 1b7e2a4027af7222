#include "fatal_error.h"

#include <cstdio>

namespace pl_config {

FatalError::FatalError(Message id, Location at, std::va_list args) : id_(id), at_(at) {
  std::vsnprintf(message_, capacity, entry_of(id).text, args);
}

FatalError::FatalError(Message id, Location at, const char* line) : id_(id), at_(at) {
  std::snprintf(message_, capacity, "Syntax error: %s in: %s", entry_of(id).text, line);
}

void fatal_error(Message id, ...) {
  std::va_list args;
  va_start(args, id);
  const FatalError error(id, Location{}, args);
  va_end(args);
  throw error;
}

void fatal_error_at(Location at, Message id, ...) {
  std::va_list args;
  va_start(args, id);
  const FatalError error(id, at, args);
  va_end(args);
  throw error;
}

void syntax_error(Message id, Location at, const char* line) { throw FatalError(id, at, line); }

void write_fatal_error(Output& out, const FatalError& error, const char* description, bool located) {
  if (located && error.line() > 0) out.print("%s:%d: ", description, error.line());
  out.put(error.what());
  out.put('\n');
}

}  // namespace pl_config
