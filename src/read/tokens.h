#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "ascii.h"
#include "description_limits.h"
#include "diagnostics.h"
#include "error.h"
#include "messages.h"

namespace pl_config {

// The copy of the directive line being parsed, newline included, and its
// line number; every "Syntax error" message that ends in "in: %s" quotes it,
// and is about that line.
class CurrentLine {
 public:
  static constexpr std::size_t capacity = limit::line_piece_length;

  void save(std::string_view line, int line_number);
  const char* c_str() const { return text_; }
  int line_number() const { return line_number_; }

 private:
  char text_[capacity + 1] = "";
  int line_number_ = 0;
};

// Reads the tokens of one directive line from left to right.  Each token must
// be ended by one character (white space for identifiers and integers, any
// character after a string's closing quote), which is consumed with it.  The
// line data ends at the first NUL byte, as a C string would.
class Scanner {
 public:
  // `line` starts at column `first_column` of the quoted line.
  Scanner(std::string_view line, const CurrentLine& quoted, int first_column);

  // A required identifier: a letter, then letters, digits and underscores.
  std::string_view identifier();
  // An identifier if the next non-blank character is a letter; otherwise
  // nothing, with only the white space consumed.
  std::optional<std::string_view> optional_identifier();
  // A double-quoted string without escapes, returned with both quotes.
  std::string_view string_token();
  // Digits, with underscores to group them; no sign.
  std::int32_t integer();
  // The next field as an editor shows it, which never fails: a string up
  // to its closing quote, the byte after it dropped as string_token() drops
  // it (to the line's end when it has none), or else the bytes up to a
  // blank.  Nothing at the line's end.
  std::optional<std::string_view> field();
  // What is left after the blanks, to the line's end.
  std::string_view tail();

  // Ends the run with a syntax error quoting the line, about the last
  // token read.
  [[noreturn]] void fail(Message id) const;
  // The same, about the field at `at`.
  [[noreturn]] void fail(Message id, Location at) const;
  // The error that fail() throws.
  Error error(Message id) const { return error(id, location()); }
  Error error(Message id, Location at) const;
  // The error `id` at `at` whose located message states the limit: the
  // format of `limit` filled with the arguments.
  Error limit_error(Message id, Location at, Message limit, ...) const;
  // The same for a number: the number is quoted too.
  Error number_limit_error(Message id, Location at, long number, long largest) const;
  const CurrentLine& quoted_line() const { return quoted_; }
  // What the line has that a reader would misread is warned about.
  void warn_to(Diagnostics* diagnostics) { diagnostics_ = diagnostics; }
  int line_number() const { return quoted_.line_number(); }
  // Of the last token read, or of the place where one was looked for.
  Location location() const;
  // Just past the text read so far.
  Location here() const;
  // The line is the input's last and has no newline: a token that ends it
  // has no white space after it, and its error says why.
  void mark_last_line_without_newline() { last_line_without_newline_ = true; }

 private:
  void skip_white_space();
  // Ends a string token whose closing quote is at `close`.
  void end_string(std::size_t close);
  // Consumes the character that must end an identifier or an integer.
  void consume_white_space_end();
  // Fails with `id`, whose message a plain run writes, shown in the located
  // form with the words of `located`.
  [[noreturn]] void fail_reworded(Message id, Message located, Location at) const;

  std::string_view line_;
  std::size_t position_ = 0;
  std::size_t token_start_ = 0;
  std::size_t token_end_ = 0;
  std::size_t last_end_ = 0;  // of the last token read
  const CurrentLine& quoted_;
  int first_column_;
  Diagnostics* diagnostics_ = nullptr;
  bool last_line_without_newline_ = false;
};

// The identifier that `text` starts with after white space, whatever
// follows it; empty when there is none.  It never fails: the reader tells
// by it what a line is before the line's tokens are read.
std::string_view leading_identifier(std::string_view text);

}  // namespace pl_config
