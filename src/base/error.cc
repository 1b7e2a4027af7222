#include "error.h"

#include <cerrno>
#include <cstdio>

namespace pl_config {

// The one form of a syntax error's plain message: its words, then " in: "
// and the line when it quotes one.
constexpr char syntax_error_format[] = "Syntax error: %s%s%s";

Error::Error(Message id, Location at, std::va_list args) : id_(id), plain_id_(id), at_(at), errno_(errno) {
  const MessageEntry& entry = entry_of(id);
  if (entry.kind != MessageKind::syntax) {
    std::vsnprintf(message_, capacity, entry.text, args);
    return;
  }
  const int prefix = std::snprintf(message_, capacity, syntax_error_format, "", "", "");
  std::vsnprintf(message_ + prefix, capacity - static_cast<std::size_t>(prefix), entry.text, args);
}

Error::Error(Message id, Location at, const char* line) : id_(id), plain_id_(id), at_(at) {
  std::snprintf(message_, capacity, syntax_error_format, entry_of(id).text, " in: ", line);
  set_source_line(line);
}

void Error::reword(Message located, ...) {
  id_ = located;
  std::va_list args;
  va_start(args, located);
  located_.assign("");
  located_.append_vformat(entry_of(located).text, args);
  va_end(args);
}

void Error::set_source_line(std::string_view text) {
  if (text.ends_with('\n')) text.remove_suffix(1);
  source_.assign(text.substr(0, LineText::capacity));
}

void Error::add_choice(std::string_view choice) {
  if (!choices_.view().empty()) choices_.append(", ");
  choices_.append(choice);
}

Error make_error(Message id, Location at, ...) {
  std::va_list args;
  va_start(args, at);
  Error error(id, at, args);
  va_end(args);
  return error;
}

void fail(Message id, ...) {
  std::va_list args;
  va_start(args, id);
  const Error error(id, Location{}, args);
  va_end(args);
  throw error;
}

}  // namespace pl_config
