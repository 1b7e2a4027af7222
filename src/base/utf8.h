#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace pl_config {

// The length of the well-formed UTF-8 sequence that `text` starts with; 0
// for a stray byte, an overlong form, a surrogate or a code point past
// U+10FFFF.  JSON and Python source must be UTF-8: the other bytes of a
// description go into them as escapes.
constexpr std::size_t utf8_sequence_length(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned lead = byte(0);
  if (lead < 0x80) return 1;
  const std::size_t length = lead < 0xc2 ? 0 : lead < 0xe0 ? 2 : lead < 0xf0 ? 3 : lead < 0xf5 ? 4 : 0;
  if (length == 0 || text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i)
    if ((byte(i) & 0xc0) != 0x80) return 0;
  const unsigned second = byte(1);
  if ((lead == 0xe0 && second < 0xa0) || (lead == 0xed && second >= 0xa0) || (lead == 0xf0 && second < 0x90) ||
      (lead == 0xf4 && second >= 0x90))
    return 0;
  return length;
}

// The code point of `sequence`, one well-formed UTF-8 sequence.
constexpr std::uint32_t code_point(std::string_view sequence) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(sequence[i])); };
  constexpr std::uint32_t lead_bits[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
  std::uint32_t point = byte(0) & lead_bits[sequence.size()];
  for (std::size_t i = 1; i < sequence.size(); ++i) point = (point << 6) | (byte(i) & 0x3F);
  return point;
}

// The range of `ranges`, ordered and apart, whose `first` to `last` hold
// `point`; null for none.
template <typename Range>
const Range* range_of(std::span<const Range> ranges, std::uint32_t point) {
  const auto found = std::upper_bound(ranges.begin(), ranges.end(), point,
                                      [](std::uint32_t p, const Range& range) { return p < range.first; });
  return found != ranges.begin() && point <= std::prev(found)->last ? &*std::prev(found) : nullptr;
}

}  // namespace pl_config
