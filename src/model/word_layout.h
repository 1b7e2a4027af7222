#pragma once

#include <cstdint>

namespace pl_config {

// How a 64-bit tagged word splits into tag bits and value field, derived from
// the largest tag value of a tags section.  n tag bits (TAG_SIZE): the low
// layout (n <= 3) keeps them all in word bits 0 to n - 1; the split layout
// keeps tag bits 0 to 2 in word bits 0 to 2 and puts the other n - 3 at the
// top of the word.  The value field lies between.
struct WordLayout {
  static constexpr int word_bits = 64;
  static constexpr int low_tag_bits = 3;
  static constexpr int low_tag_mask = (1 << low_tag_bits) - 1;

  explicit WordLayout(std::int32_t largest_value);

  std::uint64_t mask_of(std::int64_t tag_value) const;
  bool split() const { return tag_size > low_tag_bits; }
  // The bits of the value field and of the low tag bits together.
  int value_size() const { return word_bits - tag_size; }
  // The tag bits at the top of the word in the split layout.
  int high_tag_bits() const { return tag_size - low_tag_bits; }
  // The word bit that tag bit 3 goes to in the split layout: the first
  // above the value field.
  int high_tag_shift() const { return word_bits + low_tag_bits - tag_size; }

  int tag_size = 0;
  std::int64_t all_ones = 0;
  std::uint64_t tag_mask = 0;
  std::uint64_t value_mask = 0;
  std::int64_t min_integer = 0;
  std::int64_t max_integer = 0;
};

}  // namespace pl_config
