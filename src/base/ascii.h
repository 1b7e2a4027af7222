#pragma once

#include <string_view>

namespace pl_config {

// Character classes of the description file: plain ASCII whatever the locale;
// bytes 128 to 255 are in no class.
constexpr bool is_white_space(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
constexpr bool is_letter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
constexpr bool is_digit(unsigned char c) { return c >= '0' && c <= '9'; }
constexpr bool is_identifier_char(unsigned char c) { return is_letter(c) || is_digit(c) || c == '_'; }
constexpr bool is_ascii(unsigned char c) { return c < 0x80; }
constexpr char ascii_lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
constexpr char ascii_upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// A line's text without the carriage return that a CRLF file has before each
// newline: it is white space to the reader, and not shown.
constexpr std::string_view without_carriage_return(std::string_view line) {
  return line.ends_with('\r') ? line.substr(0, line.size() - 1) : line;
}

}  // namespace pl_config
