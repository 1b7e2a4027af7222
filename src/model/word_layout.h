#pragma once

#include <cstdint>

namespace pl_config {

// How a 64-bit tagged word splits into tag bits and value field, derived from
// the largest tag value of a tags section.  n tag bits (TAG_SIZE): the low
// layout (n <= 3) keeps them all in word bits 0 to n - 1; the split layout
// keeps tag bits 0 to 2 in word bits 0 to 2 and puts the other n - 3 at the
// top of the word.  The value field lies between.
struct WordLayout {
  explicit WordLayout(std::int32_t largest_value);

  std::uint64_t mask_of(std::int64_t tag_value) const;
  bool split() const { return tag_size >= 4; }

  int tag_size = 0;
  std::int64_t all_ones = 0;
  std::uint64_t tag_mask = 0;
  std::uint64_t value_mask = 0;
  std::int64_t min_integer = 0;
  std::int64_t max_integer = 0;
};

}  // namespace pl_config
