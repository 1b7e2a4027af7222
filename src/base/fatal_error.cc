#include "fatal_error.h"

#include <cerrno>
#include <cstdio>

namespace pl_config {

FatalError::FatalError(Message id, Location at, std::va_list args) : id_(id), at_(at), errno_(errno) {
  std::vsnprintf(message_, capacity, entry_of(id).text, args);
}

FatalError::FatalError(Message id, Location at, const char* line) : id_(id), at_(at) {
  std::snprintf(message_, capacity, "Syntax error: %s in: %s", entry_of(id).text, line);
  set_source_line(line);
}

void FatalError::set_source_line(std::string_view text) {
  if (text.ends_with('\n')) text.remove_suffix(1);
  source_.assign(text.substr(0, source_.capacity));
}

void FatalError::add_choice(std::string_view choice) {
  if (!choices_.view().empty()) choices_.append(", ");
  choices_.append(choice);
}

FatalError make_error(Message id, Location at, ...) {
  std::va_list args;
  va_start(args, at);
  const FatalError error(id, at, args);
  va_end(args);
  return error;
}

void fatal_error(Message id, ...) {
  std::va_list args;
  va_start(args, id);
  const FatalError error(id, Location{}, args);
  va_end(args);
  throw error;
}

}  // namespace pl_config
