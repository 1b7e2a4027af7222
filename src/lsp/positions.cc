#include "positions.h"

#include <algorithm>
#include <cstdint>

#include "utf8.h"

namespace pl_config::lsp {

namespace {

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

}  // namespace

void write_position(JsonWriter& out, const Position& position) {
  out.object().member("line", position.line).member("character", position.character).end_object();
}

void write_range(JsonWriter& out, const Range& range) {
  out.object().key("start");
  write_position(out, range.start);
  out.key("end");
  write_position(out, range.end);
  out.end_object();
}

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

std::string_view Positions::line(int line) const {
  return line <= 0 ? text_.substr(0, 0) : lines_.line(text_, static_cast<std::size_t>(line - 1));
}

std::size_t Positions::offset(Position position) const {
  if (position.line >= lines_.count()) return text_.size();
  const std::string_view line = lines_.line(text_, position.line);
  return lines_.start(position.line) + bytes_for_units(line, position.character, encoding_);
}

Location Positions::place(Position position) const {
  const std::string_view line = lines_.line(text_, position.line);
  return {static_cast<int>(position.line) + 1,
          static_cast<int>(bytes_for_units(line, position.character, encoding_)) + 1, 0};
}

Position Positions::position_in(std::size_t line, std::size_t bytes) {
  const std::string_view text = lines_.line(text_, line);
  bytes = std::min(bytes, text.size());
  if (line != counted_line_ || bytes < counted_bytes_) {
    counted_line_ = line;
    counted_bytes_ = 0;
    counted_units_ = 0;
  }
  const std::size_t units = counted_units_ + code_units(text.substr(counted_bytes_, bytes - counted_bytes_), encoding_);
  // Counting goes on only from a byte that starts a sequence, as counting
  // from the line's start would pass there.
  const bool starts_sequence = bytes == text.size() || (static_cast<unsigned char>(text[bytes]) & 0xc0) != 0x80;
  counted_bytes_ = starts_sequence ? bytes : 0;
  counted_units_ = starts_sequence ? units : 0;
  return {line, units};
}

Range Positions::range(Location at) {
  if (at.line <= 0) return {};
  const auto number = static_cast<std::size_t>(at.line - 1);
  const auto start = static_cast<std::size_t>(std::max(at.column, 1) - 1);
  const std::size_t end = start + static_cast<std::size_t>(std::max(at.length, 0));
  const Position from = position_in(number, start);
  return {from, position_in(number, end)};
}

}  // namespace pl_config::lsp
