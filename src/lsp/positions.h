#pragma once

#include <cstddef>
#include <string_view>

#include "location.h"

namespace pl_config::lsp {

// What a protocol position's character counts: UTF-16 code units unless the
// client offers UTF-8 bytes.
enum class PositionEncoding { utf16, utf8 };

// A protocol position: line and character from 0.
struct Position {
  std::size_t line = 0;
  std::size_t character = 0;
};

struct Range {
  Position start;
  Position end;
};

// The code units of `text`.  A byte that starts no well-formed UTF-8
// sequence counts as one unit, as an editor shows it as one replacement
// character.
std::size_t code_units(std::string_view text, PositionEncoding encoding);

// The byte offset of `position` in `text`: a character past its line's end
// is the line's end, a line past the text's last line the text's end.
std::size_t offset_of(std::string_view text, Position position, PositionEncoding encoding);

// The protocol range of `at` (a line from 1, a byte column from 1 and a
// length in bytes) in `text`; line 0 is the text's start.
Range range_of(std::string_view text, Location at, PositionEncoding encoding);

// The place of `position` as the tool counts: a line from 1, a byte column
// from 1.
Location place_of(std::string_view text, Position position, PositionEncoding encoding);

// range_of() for many places in text order: each line is found from the
// one before, not from the text's start.
class RangeCursor {
 public:
  RangeCursor(std::string_view text, PositionEncoding encoding) : text_(text), encoding_(encoding) {}

  Range range(Location at);
  // Line `line` (from 1) without its newline or the carriage return before it.
  std::string_view line(int line);

 private:
  std::string_view text_;
  PositionEncoding encoding_;
  std::size_t start_ = 0;  // of line_
  int line_ = 1;
};

}  // namespace pl_config::lsp
