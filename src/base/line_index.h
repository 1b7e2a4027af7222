#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace pl_config {

// The line of `text` that starts at `start`, without its newline and the
// carriage return before it; `start` moves to the next line's start, one
// past the text's end after the last line.
std::string_view next_line(std::string_view text, std::size_t& start);

// Where each line of a text starts, found in one pass, so that any line is
// found at once rather than by counting newlines from the text's start.  A
// line is the bytes up to its newline; its text is without that newline and
// the carriage return before it (without_carriage_return).  The starts live
// in storage the owner gives, one entry per line: a text of N bytes has at
// most N + 1 lines.
class LineIndex {
 public:
  using Offset = std::uint32_t;

  LineIndex() = default;  // room for no line
  explicit LineIndex(std::span<Offset> storage) : starts_(storage) {}

  // The lines of `text`, found anew; false when they do not fit.
  bool build(std::string_view text);
  // The bytes [from, to) of the text became `inserted`; only the starts
  // after `from` change.  False when the lines do not fit.
  bool replace(std::size_t from, std::size_t to, std::string_view inserted);

  // Lines are numbered from 0; the last one may be empty.
  std::size_t count() const { return count_; }
  std::size_t start(std::size_t line) const { return starts_[line]; }
  // Line `line` of `text` (the text indexed), without its newline and
  // carriage return; empty past the last line.
  std::string_view line(std::string_view text, std::size_t line) const;
  // The line that the byte at `offset` belongs to.
  std::size_t line_of(std::size_t offset) const;

 private:
  std::span<Offset> starts_;
  std::size_t count_ = 0;
};

}  // namespace pl_config
