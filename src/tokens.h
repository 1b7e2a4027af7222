#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "description_limits.h"

namespace pl_config {

// Character classes of the description file: plain ASCII whatever the locale;
// bytes 128 to 255 are in no class.
constexpr bool is_white_space(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
constexpr bool is_letter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
constexpr bool is_digit(unsigned char c) { return c >= '0' && c <= '9'; }
constexpr bool is_identifier_char(unsigned char c) { return is_letter(c) || is_digit(c) || c == '_'; }

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

// The syntax error messages that quote the current line.
namespace message {
inline constexpr char identifier_expected[] = "Syntax error: identifier expected in: %s";
inline constexpr char space_expected[] = "Syntax error: space expected after identifier in: %s";
inline constexpr char string_expected[] = "Syntax error: string expected in: %s";
inline constexpr char integer_expected[] = "Syntax error: integer expected in: %s";
inline constexpr char integer_too_large[] = "Syntax error: integer too large in: %s";
inline constexpr char incorrect_declaration[] = "Syntax error: incorrect @ declaration in: %s";
// A name that its section's table has no room for.
inline constexpr char name_too_long[] = "Syntax error: name too long in: %s";
}  // namespace message

// Reads the tokens of one directive line from left to right.  Each token must
// be ended by one character (white space for identifiers and integers, any
// character after a string's closing quote), which is consumed with it.  The
// line data ends at the first NUL byte, as a C string would.
class Scanner {
 public:
  Scanner(std::string_view line, const CurrentLine& quoted);

  // A required identifier: a letter, then letters, digits and underscores.
  std::string_view identifier();
  // An identifier if the next non-blank character is a letter; otherwise
  // nothing, with only the white space consumed.
  std::optional<std::string_view> optional_identifier();
  // A double-quoted string without escapes, returned with both quotes.
  std::string_view string_token();
  // Digits, with underscores to group them; no sign.
  std::int32_t integer();

  // Ends the run with `message_format`, filled with the quoted line.
  [[noreturn]] void fail(const char* message_format) const;
  int line_number() const { return quoted_.line_number(); }

 private:
  void skip_white_space();
  // Consumes the character that must end an identifier or an integer.
  void consume_white_space_end();

  std::string_view line_;
  std::size_t position_ = 0;
  const CurrentLine& quoted_;
};

}  // namespace pl_config
