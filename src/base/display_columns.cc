#include "display_columns.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "utf8.h"

namespace pl_config {

namespace {

struct Range {
  std::uint32_t first;
  std::uint32_t last;
};

// The wide (W) and fullwidth (F) blocks of Unicode's East Asian Width, in
// order: the characters a terminal shows in two columns.
constexpr Range wide_ranges[] = {
    {0x1100, 0x115F},   {0x231A, 0x231B},   {0x2329, 0x232A},   {0x23E9, 0x23EC},   {0x23F0, 0x23F0},
    {0x23F3, 0x23F3},   {0x25FD, 0x25FE},   {0x2614, 0x2615},   {0x2648, 0x2653},   {0x267F, 0x267F},
    {0x2693, 0x2693},   {0x26A1, 0x26A1},   {0x26AA, 0x26AB},   {0x26BD, 0x26BE},   {0x26C4, 0x26C5},
    {0x26CE, 0x26CE},   {0x26D4, 0x26D4},   {0x26EA, 0x26EA},   {0x26F2, 0x26F3},   {0x26F5, 0x26F5},
    {0x26FA, 0x26FA},   {0x26FD, 0x26FD},   {0x2705, 0x2705},   {0x270A, 0x270B},   {0x2728, 0x2728},
    {0x274C, 0x274C},   {0x274E, 0x274E},   {0x2753, 0x2755},   {0x2757, 0x2757},   {0x2795, 0x2797},
    {0x27B0, 0x27B0},   {0x27BF, 0x27BF},   {0x2B1B, 0x2B1C},   {0x2B50, 0x2B50},   {0x2B55, 0x2B55},
    {0x2E80, 0x303E},   {0x3041, 0x33FF},   {0x3400, 0x4DBF},   {0x4E00, 0x9FFF},   {0xA000, 0xA4CF},
    {0xA960, 0xA97F},   {0xAC00, 0xD7A3},   {0xF900, 0xFAFF},   {0xFE10, 0xFE19},   {0xFE30, 0xFE6F},
    {0xFF00, 0xFF60},   {0xFFE0, 0xFFE6},   {0x16FE0, 0x16FE4}, {0x17000, 0x18CD5}, {0x1B000, 0x1B2FB},
    {0x1F004, 0x1F004}, {0x1F0CF, 0x1F0CF}, {0x1F18E, 0x1F18E}, {0x1F191, 0x1F19A}, {0x1F200, 0x1F202},
    {0x1F210, 0x1F23B}, {0x1F240, 0x1F248}, {0x1F250, 0x1F251}, {0x1F260, 0x1F265}, {0x1F300, 0x1F320},
    {0x1F32D, 0x1F335}, {0x1F337, 0x1F37C}, {0x1F37E, 0x1F393}, {0x1F3A0, 0x1F3CA}, {0x1F3CF, 0x1F3D3},
    {0x1F3E0, 0x1F3F0}, {0x1F3F4, 0x1F3F4}, {0x1F3F8, 0x1F43E}, {0x1F440, 0x1F440}, {0x1F442, 0x1F4FC},
    {0x1F4FF, 0x1F53D}, {0x1F54B, 0x1F54E}, {0x1F550, 0x1F567}, {0x1F57A, 0x1F57A}, {0x1F595, 0x1F596},
    {0x1F5A4, 0x1F5A4}, {0x1F5FB, 0x1F64F}, {0x1F680, 0x1F6C5}, {0x1F6CC, 0x1F6CC}, {0x1F6D0, 0x1F6D2},
    {0x1F6D5, 0x1F6D7}, {0x1F6EB, 0x1F6EC}, {0x1F6F4, 0x1F6FC}, {0x1F7E0, 0x1F7EB}, {0x1F90C, 0x1F93A},
    {0x1F93C, 0x1F945}, {0x1F947, 0x1F9FF}, {0x1FA70, 0x1FAFF}, {0x20000, 0x2FFFD}, {0x30000, 0x3FFFD},
};

std::uint32_t code_point(std::string_view sequence) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(sequence[i])); };
  constexpr std::uint32_t lead_bits[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
  std::uint32_t point = byte(0) & lead_bits[sequence.size()];
  for (std::size_t i = 1; i < sequence.size(); ++i) point = (point << 6) | (byte(i) & 0x3F);
  return point;
}

bool is_wide(std::uint32_t point) {
  const auto found = std::upper_bound(std::begin(wide_ranges), std::end(wide_ranges), point,
                                      [](std::uint32_t p, const Range& range) { return p < range.first; });
  return found != std::begin(wide_ranges) && point <= std::prev(found)->last;
}

// The width of the character `text` starts with, and its bytes.
int next_character(std::string_view text, int column, std::size_t& bytes) {
  if (text.front() == '\t') {
    bytes = 1;
    return (column / tab_stop + 1) * tab_stop;
  }
  bytes = std::max<std::size_t>(1, utf8_sequence_length(text));
  return column + (bytes > 1 && is_wide(code_point(text.substr(0, bytes))) ? 2 : 1);
}

}  // namespace

int display_column(std::string_view line, int byte_column) {
  const auto before = static_cast<std::size_t>(std::max(0, byte_column - 1));
  int column = 0;
  std::size_t at = 0;
  while (at < before && at < line.size()) {
    std::size_t bytes = 0;
    const int next = next_character(line.substr(at), column, bytes);
    if (at + bytes > before) break;  // inside a character: its bytes count one each
    column = next;
    at += bytes;
  }
  return column + static_cast<int>(before - at) + 1;
}

int display_width(std::string_view text) { return display_column(text, static_cast<int>(text.size()) + 1) - 1; }

}  // namespace pl_config
