#include "word_layout.h"

namespace pl_config {

WordLayout::WordLayout(std::int32_t largest_value) {
  while ((std::int64_t{1} << tag_size) <= largest_value) ++tag_size;
  all_ones = (std::int64_t{1} << tag_size) - 1;
  tag_mask = mask_of(all_ones);
  value_mask = ~tag_mask;
  // 2^(63 - n) taken unsigned: for n = 0 it is 2^63, which no int64 holds.
  max_integer = static_cast<std::int64_t>((std::uint64_t{1} << (value_size() - 1)) - 1);
  min_integer = -max_integer - 1;
}

// A value below 8 has no high tag bits, so no shift is needed; at or above
// 8 the tag size is at least 4 and the shift count at most 63.
std::uint64_t WordLayout::mask_of(std::int64_t tag_value) const {
  const auto t = static_cast<std::uint64_t>(tag_value);
  if (t <= low_tag_mask) return t;
  return ((t >> low_tag_bits) << high_tag_shift()) | (t & low_tag_mask);
}

}  // namespace pl_config
