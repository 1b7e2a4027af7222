#include "positions.h"

#include <algorithm>
#include <cstring>

#include "utf8.h"

namespace pl_config::lsp {

namespace {

// Line `line` (from 0) of `text` without its newline; empty at the text's
// end when there is no such line.
std::string_view line_of(std::string_view text, std::size_t line) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < line; ++i) {
    const void* newline = std::memchr(text.data() + start, '\n', text.size() - start);
    if (newline == nullptr) return text.substr(text.size());
    start = static_cast<std::size_t>(static_cast<const char*>(newline) - text.data()) + 1;
  }
  const std::size_t end = text.find('\n', start);
  return text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

// The units of the sequence that `text` starts with, and its bytes.
std::size_t step(std::string_view text, std::size_t& units) {
  const std::size_t length = utf8_sequence_length(text);
  if (length == 0) {
    units = 1;
    return 1;
  }
  units = length == 4 ? 2 : 1;
  return length;
}

// The bytes of the longest start of `line` that has at most `units` units.
std::size_t bytes_for_units(std::string_view line, std::size_t units, PositionEncoding encoding) {
  if (encoding == PositionEncoding::utf8) return std::min(units, line.size());
  std::size_t bytes = 0;
  while (bytes < line.size()) {
    std::size_t taken = 0;
    const std::size_t length = step(line.substr(bytes), taken);
    if (taken > units) break;
    units -= taken;
    bytes += length;
  }
  return bytes;
}

Position position_in(std::string_view line, std::size_t line_number, std::size_t bytes, PositionEncoding encoding) {
  return {line_number, code_units(line.substr(0, std::min(bytes, line.size())), encoding)};
}

}  // namespace

std::size_t code_units(std::string_view text, PositionEncoding encoding) {
  if (encoding == PositionEncoding::utf8) return text.size();
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size();) {
    std::size_t units = 0;
    i += step(text.substr(i), units);
    count += units;
  }
  return count;
}

std::size_t offset_of(std::string_view text, Position position, PositionEncoding encoding) {
  const std::string_view line = line_of(text, position.line);
  return static_cast<std::size_t>(line.data() - text.data()) + bytes_for_units(line, position.character, encoding);
}

Location place_of(std::string_view text, Position position, PositionEncoding encoding) {
  const std::string_view line = line_of(text, position.line);
  return {static_cast<int>(position.line) + 1,
          static_cast<int>(bytes_for_units(line, position.character, encoding)) + 1, 0};
}

std::string_view RangeCursor::line(int line) {
  if (line < line_) {
    start_ = 0;
    line_ = 1;
  }
  for (; line_ < line; ++line_) {
    const std::size_t newline = text_.find('\n', start_);
    if (newline == std::string_view::npos) return text_.substr(text_.size());
    start_ = newline + 1;
  }
  std::string_view text = text_.substr(start_, text_.find('\n', start_) - std::min(start_, text_.size()));
  if (text.ends_with('\r')) text.remove_suffix(1);
  return text;
}

Range RangeCursor::range(Location at) {
  if (at.line <= 0) return {};
  const std::string_view text = line(at.line);
  const auto number = static_cast<std::size_t>(at.line - 1);
  const auto start = static_cast<std::size_t>(std::max(at.column, 1) - 1);
  const std::size_t end = start + static_cast<std::size_t>(std::max(at.length, 0));
  return {position_in(text, number, start, encoding_), position_in(text, number, end, encoding_)};
}

Range range_of(std::string_view text, Location at, PositionEncoding encoding) {
  if (at.line <= 0) return {};
  const auto number = static_cast<std::size_t>(at.line - 1);
  const std::string_view line = line_of(text, number);
  const auto start = static_cast<std::size_t>(std::max(at.column, 1) - 1);
  const std::size_t end = start + static_cast<std::size_t>(std::max(at.length, 0));
  return {position_in(line, number, start, encoding), position_in(line, number, end, encoding)};
}

}  // namespace pl_config::lsp
