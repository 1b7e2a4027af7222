#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "diagnostic.h"
#include "fixed_table.h"

namespace pl_config {

// The diagnostics of one section, held to its end so that each warning goes
// out in the order of the lines among the errors: the reader finds the
// errors line by line, but the warnings about the whole section only at its
// end.  The errors keep the order they came in (an unclosed section's error,
// at its opening line, comes last), a warning goes before the first error of
// a later line, and a note stays right after what it explains.  Each is
// copied, its texts into a pool of our own.
class HeldDiagnostics {
 public:
  static constexpr std::size_t capacity = 128;
  static constexpr std::size_t text_capacity = std::size_t{32} * 1024;

  HeldDiagnostics() = default;
  HeldDiagnostics(const HeldDiagnostics&) = delete;
  HeldDiagnostics& operator=(const HeldDiagnostics&) = delete;

  // False when there is no room, or for a note that follows nothing held:
  // the caller lets the held ones go and hands this one out itself.
  bool hold(const Diagnostic& diagnostic);
  // Hands each held one to `deliver`, in line order; none is held after.
  template <typename Deliver>
  void release(Deliver&& deliver) {
    for (const std::size_t i : line_order()) deliver(held_[i].diagnostic);
    held_.clear();
    used_ = 0;
  }

 private:
  struct Held {
    Diagnostic diagnostic;
    bool head;  // not a note
  };

  std::span<const std::size_t> line_order();
  bool goes_before(std::size_t warning, std::size_t error) const;
  // Puts the head `head` and its notes next in the order.
  void place(std::size_t head, std::size_t& placed);
  bool fits(const Diagnostic& diagnostic) const;
  std::string_view keep(std::string_view text);

  FixedTable<Held, capacity> held_;
  std::array<std::size_t, capacity> order_{};
  std::array<std::size_t, capacity> warnings_{};
  std::array<char, text_capacity> pool_{};
  std::size_t used_ = 0;
};

}  // namespace pl_config
