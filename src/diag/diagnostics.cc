#include "diagnostics.h"

#include <algorithm>
#include <array>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "ascii.h"
#include "display_columns.h"
#include "file_calls.h"

namespace pl_config {

namespace {

constexpr char bold[] = "\33[01m\33[K";
constexpr char reset[] = "\33[m\33[K";
constexpr char green[] = "\33[32m\33[K";
constexpr std::string_view blanks = "                                                                ";
constexpr std::string_view tildes = "~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~";
constexpr const char* severity_words[] = {"error", "warning", "note"};
constexpr const char* severity_colors[] = {"\33[01;31m\33[K", "\33[01;35m\33[K", "\33[01;36m\33[K"};

// Levenshtein distance, letter case aside; words longer than the table are
// never near.
int edit_distance(std::string_view a, std::string_view b) {
  constexpr std::size_t longest = 63;
  if (a.size() > longest || b.size() > longest) return 3;
  std::array<int, longest + 1> row{};
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = static_cast<int>(j);
  for (std::size_t i = 1; i <= a.size(); ++i) {
    int diagonal = row[0];
    row[0] = static_cast<int>(i);
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const int above = row[j];
      const int change = ascii_lower(a[i - 1]) == ascii_lower(b[j - 1]) ? 0 : 1;
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + change});
      diagonal = above;
    }
  }
  return row[b.size()];
}

// The text after a file error's verb: what the format puts ahead of "%s".
std::string_view file_verb(const MessageEntry& entry) {
  const std::string_view format = entry.text;
  const std::size_t argument = format.find(" %s");
  return argument == std::string_view::npos ? format : format.substr(0, argument);
}

}  // namespace

std::string_view nearest_choice(std::string_view word, std::string_view choices) {
  std::string_view best;
  int best_distance = 3;
  while (!choices.empty()) {
    const std::size_t comma = choices.find(", ");
    const std::string_view choice = choices.substr(0, comma);
    choices = comma == std::string_view::npos ? std::string_view() : choices.substr(comma + 2);
    const int distance = edit_distance(word, choice);
    if (distance < best_distance) {
      best = choice;
      best_distance = distance;
    }
  }
  return best;
}

int Diagnostics::warning_bit(Message id) {
  int bit = 0;
  for (std::size_t i = 0; i < message_count; ++i) {
    if (message_table[i].kind != MessageKind::warning) continue;
    if (message_table[i].id == id) return bit;
    ++bit;
  }
  return -1;
}

// `count` times the one character of `run`, a run's length at a time.
void DiagnosticPrinter::put_repeated(std::string_view run, int count) {
  for (; count > 0; count -= static_cast<int>(run.size()))
    out_.put(run.substr(0, std::min<std::size_t>(static_cast<std::size_t>(count), run.size())));
}

void DiagnosticPrinter::start(const Diagnostic& diagnostic, int column) {
  const auto s = static_cast<std::size_t>(diagnostic.severity);
  out_.put(color(bold));
  out_.put(diagnostic.locus);
  if (diagnostic.at.line > 0) out_.print(":%d:%d", diagnostic.at.line, column);
  // Fixed texts are put, not printed: a check may write many thousands.
  out_.put(':');
  out_.put(color(reset));
  out_.put(' ');
  out_.put(color(severity_colors[s]));
  out_.put(severity_words[s]);
  out_.put(": ");
  out_.put(color(reset));
}

// As gcc shows it: the line number right-aligned in five columns or more,
// the caret and tildes under the field's display columns.
void DiagnosticPrinter::show_line(const Diagnostic& diagnostic, std::string_view text) {
  const Location at = diagnostic.at;
  char number[16];
  const int width = std::snprintf(number, sizeof number, "%5d", at.line);
  out_.put(number);
  out_.put(" | ");
  // The text between tabs is put whole, each tab as the blanks it stands for.
  int display = 0;
  std::string_view rest = without_carriage_return(text);
  while (!rest.empty()) {
    const std::size_t tab = std::min(rest.find('\t'), rest.size());
    out_.put(rest.substr(0, tab));
    display += display_width(rest.substr(0, tab));
    if (tab == rest.size()) break;
    const int next = next_tab_stop(display);
    put_repeated(blanks, next - display);
    display = next;
    rest.remove_prefix(tab + 1);
  }
  const int first = display_column(text, at.column);
  const int last = std::max(first + 1, display_column(text, at.column + at.length));
  out_.put('\n');
  put_repeated(blanks, width);
  out_.put(" | ");
  put_repeated(blanks, first - 1);
  out_.put(color(green));
  out_.put('^');
  put_repeated(tildes, last - first - 1);
  out_.put(color(reset));
  out_.put('\n');
}

// The column is the display column of the line shown, or the byte column
// when the line cannot be read again.
void DiagnosticPrinter::take(const Diagnostic& diagnostic) {
  if (!located_ && !diagnostic.plain_text.empty()) {
    out_.put(diagnostic.plain_text);
    out_.put('\n');
    return;
  }
  Error::LineText fetched;
  std::string_view text = diagnostic.line_text;
  bool shown = diagnostic.at.line > 0;
  if (shown && text.empty()) {
    shown = lines_.read(diagnostic.at.line, fetched);
    text = fetched.view();
  }
  start(diagnostic, shown ? display_column(text, diagnostic.at.column) : diagnostic.at.column);
  out_.put(diagnostic.text);
  if (diagnostic.warning_name != nullptr) {
    out_.put(" [");
    out_.put(diagnostic.warning_name);
    out_.put(']');
  }
  out_.put('\n');
  if (shown) show_line(diagnostic, text);
}

Diagnostics::Diagnostics(Output& out, const Directory& directory, const DiagnosticSettings& settings)
    : directory_(directory), settings_(settings), printer_(out, directory, settings) {}

// More consumers than the table holds is a fault of the tool.
void Diagnostics::add_consumer(DiagnosticConsumer& consumer) { consumers_.add(&consumer); }

void Diagnostics::remove_consumer(DiagnosticConsumer& consumer) {
  const auto found = std::find(consumers_.begin(), consumers_.end(), &consumer);
  if (found == consumers_.end()) return;
  std::copy(found + 1, consumers_.end(), found);
  consumers_.truncate(consumers_.size() - 1);
}

// Counted as it arises, so that the error limit stops a check in time.
void Diagnostics::hand_out(const Diagnostic& diagnostic) {
  if (diagnostic.severity == Severity::error) ++errors_;
  if (diagnostic.severity == Severity::warning) ++warnings_;
  if (section_.line > 0 && held_.hold(diagnostic)) return;
  release_held();
  deliver(diagnostic);
}

void Diagnostics::deliver(const Diagnostic& diagnostic) {
  printer_.take(diagnostic);
  for (DiagnosticConsumer* consumer : consumers_) consumer->take(diagnostic);
}

void Diagnostics::release_held() {
  held_.release([&](const Diagnostic& diagnostic) { deliver(diagnostic); });
}

void Diagnostics::in_section(Location opening) {
  if (opening.line == 0) release_held();
  section_ = opening;
}

Diagnostic Diagnostics::make(Severity severity, Message id, Location at, std::string_view text) const {
  return {.severity = severity,
          .id = id,
          .locus = directory_.description(),
          .at = at,
          .text = text,
          .warning_name = nullptr,
          .section = section_,
          .line_text = {},
          .plain_text = {},
          .suggestion = {}};
}

// A file error names the file as its locus and gives the reason; any other
// is about the description, or about the run when it has no line.  The
// words an error offers follow its text.
void Diagnostics::error(const Error& error) {
  const MessageEntry& entry = entry_of(error.id());
  BoundedText<Error::capacity + 256> text;
  Diagnostic diagnostic = make(Severity::error, error.id(), error.location(), {});
  diagnostic.plain_text = error.what();
  diagnostic.line_text = error.source_line().view();
  if (entry.kind == MessageKind::file) {
    const std::string_view verb = file_verb(entry);
    const char* path = error.what() + std::min(std::strlen(error.what()), verb.size() + 1);
    diagnostic.locus = *path != '\0' ? path : "pl_config";
    diagnostic.at = {};
    text.append_format("%.*s: %s", static_cast<int>(verb.size()), verb.data(),
                       platform::error_text(error.system_error()));
  } else {
    if (error.line() == 0) diagnostic.locus = "pl_config";
    if (!error.located_text().empty()) {
      text.assign(error.located_text());
    } else if (entry.kind == MessageKind::syntax) {
      text.assign(entry.text);
    } else {
      std::string_view plain = error.what();
      if (plain.ends_with('\n')) plain.remove_suffix(1);
      text.assign(plain);
    }
    if (!error.choices().view().empty()) {
      // A limit quotes a number, not a text that is too long.
      if (!error.word().empty())
        text.append_format(" '%.*s'", static_cast<int>(error.word().size()), error.word().data());
      const std::string_view nearest =
          error.word().empty() ? std::string_view() : nearest_choice(error.word(), error.choices().view());
      if (!nearest.empty())
        text.append_format(entry_of(Message::did_you_mean).text, static_cast<int>(nearest.size()), nearest.data());
      diagnostic.suggestion = nearest;
      text.append_format(entry_of(Message::choices).text, error.choices().c_str());
    }
  }
  diagnostic.text = text.view();
  hand_out(diagnostic);
  // The plain form of an error is its message alone.
  if (error.note_text() != nullptr && settings_.located) {
    const Diagnostic note = make(Severity::note, error.note_id(), error.note_location(), error.note_text());
    hand_out(note);
  }
}

bool Diagnostics::warning(Message id, Location at, ...) {
  std::va_list args;
  va_start(args, at);
  const bool shown = vwarning(id, at, args);
  va_end(args);
  return shown;
}

bool Diagnostics::vwarning(Message id, Location at, std::va_list args) {
  const int bit = warning_bit(id);
  if (!settings_.warnings || (bit >= 0 && ((settings_.disabled >> bit) & 1) != 0)) return false;
  BoundedText<Error::capacity> text;
  text.append_vformat(entry_of(id).text, args);
  Diagnostic diagnostic = make(settings_.werror ? Severity::error : Severity::warning, id, at, text.view());
  diagnostic.warning_name = entry_of(id).name;
  if (at.line == 0) diagnostic.locus = "pl_config";  // about the command line
  hand_out(diagnostic);
  return true;
}

void Diagnostics::note(Message id, Location at) { hand_out(make(Severity::note, id, at, entry_of(id).text)); }

void Diagnostics::note_limit() {
  BoundedText<64> text;
  text.append_format(entry_of(Message::error_limit_reached).text, error_limit);
  hand_out(make(Severity::note, Message::error_limit_reached, {}, text.view()));
}

}  // namespace pl_config
