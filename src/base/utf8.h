#pragma once

#include <cstddef>
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

}  // namespace pl_config
