#pragma once

#include <cstddef>

namespace pl_config {

// True when each row of `rows` stands at the index of its `key`, as a table
// that an enum indexes needs.
template <typename Row, std::size_t size, typename Key>
constexpr bool in_enum_order(const Row (&rows)[size], Key Row::*key) {
  for (std::size_t i = 0; i < size; ++i)
    if (static_cast<std::size_t>(rows[i].*key) != i) return false;
  return true;
}

}  // namespace pl_config
