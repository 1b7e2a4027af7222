#include "held_diagnostics.h"

#include <algorithm>
#include <cstring>

namespace pl_config {

// The locus is a C string: its terminating zero is kept too.
bool HeldDiagnostics::fits(const Diagnostic& diagnostic) const {
  const std::size_t size = std::strlen(diagnostic.locus) + 1 + diagnostic.text.size() + diagnostic.line_text.size() +
                           diagnostic.plain_text.size() + diagnostic.suggestion.size();
  return !held_.full() && size <= text_capacity - used_;
}

std::string_view HeldDiagnostics::keep(std::string_view text) {
  char* const start = pool_.data() + used_;
  std::copy(text.begin(), text.end(), start);
  used_ += text.size();
  return {start, text.size()};
}

bool HeldDiagnostics::hold(const Diagnostic& diagnostic) {
  const bool note = diagnostic.severity == Severity::note;
  if ((note && held_.empty()) || !fits(diagnostic)) return false;
  Diagnostic copy = diagnostic;
  copy.locus = keep({diagnostic.locus, std::strlen(diagnostic.locus) + 1}).data();
  copy.text = keep(diagnostic.text);
  copy.line_text = keep(diagnostic.line_text);
  copy.plain_text = keep(diagnostic.plain_text);
  copy.suggestion = keep(diagnostic.suggestion);
  held_.add(Held{copy, !note});
  return true;
}

// Within a line, in the order they came.
bool HeldDiagnostics::goes_before(std::size_t warning, std::size_t error) const {
  const int a = held_[warning].diagnostic.at.line;
  const int b = held_[error].diagnostic.at.line;
  return a != b ? a < b : warning < error;
}

void HeldDiagnostics::place(std::size_t head, std::size_t& placed) {
  order_[placed++] = head;
  for (std::size_t i = head + 1; i < held_.size() && !held_[i].head; ++i) order_[placed++] = i;
}

// The warnings by line (a sort by line and arrival needs no buffer, which a
// stable sort may take from the heap), merged into the errors.  A warning
// made an error by --werror is still a warning here.
std::span<const std::size_t> HeldDiagnostics::line_order() {
  const auto is_warning = [&](std::size_t i) { return held_[i].diagnostic.warning_name != nullptr; };
  std::size_t warnings = 0;
  for (std::size_t i = 0; i < held_.size(); ++i)
    if (held_[i].head && is_warning(i)) warnings_[warnings++] = i;
  std::sort(warnings_.begin(), warnings_.begin() + static_cast<std::ptrdiff_t>(warnings),
            [&](std::size_t a, std::size_t b) { return goes_before(a, b); });
  std::size_t placed = 0;
  std::size_t next = 0;
  for (std::size_t i = 0; i < held_.size(); ++i) {
    if (!held_[i].head || is_warning(i)) continue;
    while (next < warnings && goes_before(warnings_[next], i)) place(warnings_[next++], placed);
    place(i, placed);
  }
  while (next < warnings) place(warnings_[next++], placed);
  return {order_.data(), placed};
}

}  // namespace pl_config
