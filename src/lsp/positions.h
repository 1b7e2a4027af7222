#pragma once

#include <cstddef>
#include <string_view>

#include "json_writer.h"
#include "line_index.h"
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

// As the protocol writes them: {"line": L, "character": C} and
// {"start": POSITION, "end": POSITION}.
void write_position(JsonWriter& out, const Position& position);
void write_range(JsonWriter& out, const Range& range);

// The code units of `text`.  A byte that starts no well-formed UTF-8
// sequence counts as one unit, as an editor shows it as one replacement
// character.
std::size_t code_units(std::string_view text, PositionEncoding encoding);

// The protocol's positions in a document's text and the tool's places, each
// line found through the document's line index.  Places asked for in text
// order on one line are counted on from the one before.
class Positions {
 public:
  Positions(std::string_view text, const LineIndex& lines, PositionEncoding encoding)
      : text_(text), lines_(lines), encoding_(encoding) {}

  // The protocol range of `at` (a line from 1, a byte column from 1 and a
  // length in bytes); line 0 is the text's start.
  Range range(Location at);
  // Line `line` (from 1) without its newline or the carriage return before it.
  std::string_view line(int line) const;
  // The byte offset of `position` in the text: a character past its line's
  // end is the line's end, a line past the text's last line the text's end.
  std::size_t offset(Position position) const;
  // The place of `position` as the tool counts: a line from 1, a byte
  // column from 1.
  Location place(Position position) const;

 private:
  Position position_in(std::size_t line, std::size_t bytes);

  std::string_view text_;
  const LineIndex& lines_;
  PositionEncoding encoding_;
  // The last place counted: its line and byte, and that byte's code units.
  std::size_t counted_line_ = SIZE_MAX;
  std::size_t counted_bytes_ = 0;
  std::size_t counted_units_ = 0;
};

}  // namespace pl_config::lsp
