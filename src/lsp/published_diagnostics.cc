#include "published_diagnostics.h"

#include <cstdarg>

#include "messages.h"

namespace pl_config::lsp {

namespace {

// The protocol's severities: error 1, warning 2, information 3.
int severity_of(Severity severity) {
  switch (severity) {
    case Severity::error: return 1;
    case Severity::warning: return 2;
    case Severity::note: break;
  }
  return 3;
}

template <typename Text>
void format(Text& text, Message id, ...) {
  std::va_list args;
  va_start(args, id);
  text.append_vformat(entry_of(id).text, args);
  va_end(args);
}

}  // namespace

void PublishedDiagnostics::reset(Positions& positions) {
  positions_ = &positions;
  entries_.clear();
  notes_.clear();
  left_out_ = 0;
}

// Past the table, only the count goes on: no range is found for a
// diagnostic not published.
void PublishedDiagnostics::take(const Diagnostic& diagnostic) {
  if (diagnostic.severity == Severity::note && (!entries_.empty() || left_out_ > 0)) {
    if (left_out_ > 0 || notes_.full()) return;
    Note& note = notes_.add(Note{entries_.size() - 1, positions_->range(diagnostic.at), {}});
    note.message.assign(diagnostic.text);
    return;
  }
  if (entries_.full()) {
    ++left_out_;
    return;
  }
  Entry& entry =
      entries_.add(Entry{positions_->range(diagnostic.at), diagnostic.severity, diagnostic.warning_name, {}});
  entry.message.assign(diagnostic.text);
}

void PublishedDiagnostics::write_entry(JsonWriter& out, std::string_view uri, std::size_t index) const {
  const Entry& entry = entries_[index];
  out.object().key("range");
  write_range(out, entry.range);
  out.member("severity", severity_of(entry.severity))
      .member("source", "pl_config")
      .member("message", entry.message.view());
  if (entry.code != nullptr) out.member("code", entry.code);
  bool related = false;
  for (const Note& note : notes_) {
    if (note.of != index) continue;
    if (!related) out.key("relatedInformation").array();
    related = true;
    out.object().key("location").object().member("uri", uri).key("range");
    write_range(out, note.range);
    out.end_object().member("message", note.message.view()).end_object();
  }
  if (related) out.end_array();
  out.end_object();
}

// When some are left out, the last place of the table goes to the note
// that says so, over the first diagnostic not published.
void PublishedDiagnostics::write(JsonWriter& out, std::string_view uri) const {
  const std::size_t shown = left_out_ > 0 ? entries_.size() - 1 : entries_.size();
  out.array();
  for (std::size_t i = 0; i < shown; ++i) write_entry(out, uri, i);
  if (left_out_ > 0) {
    BoundedText<256> text;
    format(text, Message::lsp_more_diagnostics, left_out_ + 1);
    out.object().key("range");
    write_range(out, entries_[shown].range);
    out.member("severity", severity_of(Severity::note)).member("source", "pl_config").member("message", text.view());
    out.end_object();
  }
  out.end_array();
}

}  // namespace pl_config::lsp
