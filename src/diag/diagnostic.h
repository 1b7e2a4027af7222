#pragma once

#include <string_view>

#include "location.h"
#include "messages.h"

namespace pl_config {

enum class Severity { error, warning, note };

// One error, warning or note, as it arises.  Everything it points at lives
// only as long as the call that hands it over.
struct Diagnostic {
  Severity severity;
  Message id;
  // The description, the path of a file it is about, or "pl_config".
  const char* locus;
  Location at;  // line 0: about no line
  // As it follows "error: ", without a warning's name in brackets.
  std::string_view text;
  const char* warning_name;  // null for any other message
  // The opening line of the section it belongs to; line 0 for none.
  Location section;
  // The line's text as the error quoted it; empty when it must be read again.
  std::string_view line_text;
  // The message as a plain run writes it, for an error.
  std::string_view plain_text;
  // The word an error offers in place of the field at `at`; empty for none.
  std::string_view suggestion;
};

// Takes every diagnostic of a run or a check as it arises: the printer, the
// JSON report, an editor.
class DiagnosticConsumer {
 public:
  virtual ~DiagnosticConsumer() = default;
  virtual void take(const Diagnostic& diagnostic) = 0;
};

}  // namespace pl_config
