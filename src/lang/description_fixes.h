#pragma once

// The changes an editor offers for a diagnostic, from what the diagnostic
// knows: the word it suggests, where the blanks before a directive are,
// the byte after a closing quote, the section left without its end line.

#include <span>
#include <string_view>

#include "diagnostics.h"
#include "location.h"

namespace pl_config {

// The bytes of `at` (a length of 0: none, an insertion before its column)
// become `text`.
struct TextEdit {
  Location at;
  std::string_view text;
};

class FixConsumer {
 public:
  virtual ~FixConsumer() = default;
  virtual void fix(std::string_view title, std::span<const TextEdit> edits) = 0;
};

// The fixes of `diagnostic`, which a check of `text` gave; none for most.
void find_fixes(const Diagnostic& diagnostic, std::string_view text, FixConsumer& out);

}  // namespace pl_config
