#pragma once

#include <cstddef>
#include <string_view>

#include "bounded_text.h"
#include "description_limits.h"
#include "diagnostics.h"
#include "fixed_table.h"
#include "json_writer.h"
#include "positions.h"

namespace pl_config::lsp {

// The diagnostics of a check as the protocol has them, kept to be written
// (twice: counted, then sent).  A note goes with the diagnostic before it,
// as its related information.  At most limit::published_diagnostics are
// published, as a compiler stops after so many: beyond that the last one
// published says how many more there are.  Large: one per process, in
// static storage.
class PublishedDiagnostics : public DiagnosticConsumer {
 public:
  // Starts a check whose places `positions` puts as the protocol has them.
  void reset(Positions& positions);
  void take(const Diagnostic& diagnostic) override;
  // The array of the diagnostics, their notes related at `uri`.
  void write(JsonWriter& out, std::string_view uri) const;

 private:
  using Text = BoundedText<1023>;
  struct Entry {
    Range range;
    Severity severity;
    const char* code;  // a warning's name; null for any other
    Text message;
  };
  struct Note {
    std::size_t of;  // the entry it goes with
    Range range;
    Text message;
  };
  void write_entry(JsonWriter& out, std::string_view uri, std::size_t index) const;

  Positions* positions_ = nullptr;
  FixedTable<Entry, limit::published_diagnostics> entries_;
  FixedTable<Note, limit::published_notes> notes_;
  std::size_t left_out_ = 0;  // diagnostics beyond the table
};

}  // namespace pl_config::lsp
