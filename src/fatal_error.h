#pragma once

#include <cstdarg>
#include <exception>

#include "messages.h"
#include "output.h"

namespace pl_config {

// Where in the description a field stands; line 0 for none.  Columns count
// bytes from 1.
struct Location {
  int line = 0;
  int column = 0;
};

// The one error path of the tool.  fatal_error() throws it; main() writes it
// with write_fatal_error() and exits with status 1, which flushes whatever
// the output files already hold.  The message lives in the exception itself:
// the longest is a quoted 511-byte line and a short text.  The place it is
// about is kept apart from the message, so that the writer can decide
// whether to show it.
class FatalError : public std::exception {
 public:
  static constexpr int capacity = 1024;

  FatalError(Message id, Location at, std::va_list args);
  // A syntax error, quoting `line`.
  FatalError(Message id, Location at, const char* line);

  const char* what() const noexcept override { return message_; }
  Message id() const { return id_; }
  // The description's line the error is about, counted from 1; 0 for none.
  int line() const { return at_.line; }
  Location location() const { return at_; }

 private:
  char message_[capacity] = "";
  Message id_;
  Location at_;
};

// Ends the run with the message `id`, its printf format filled with the
// arguments.
[[noreturn]] void fatal_error(Message id, ...);
// The same, about a place in the description.
[[noreturn]] void fatal_error_at(Location at, Message id, ...);
// A syntax error about the directive line `line`.
[[noreturn]] void syntax_error(Message id, Location at, const char* line);

// The message and a newline; `located` puts "FILE:LINE: " in front of one
// about a line of `description`, as compilers locate theirs.
void write_fatal_error(Output& out, const FatalError& error, const char* description, bool located);

}  // namespace pl_config
