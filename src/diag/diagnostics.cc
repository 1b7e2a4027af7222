#include "diagnostics.h"

#include <algorithm>
#include <array>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "file_calls.h"
#include "ascii.h"

namespace pl_config {

namespace {

constexpr char bold[] = "\33[01m\33[K";
constexpr char reset[] = "\33[m\33[K";
constexpr char green[] = "\33[32m\33[K";
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

// The display column of byte `column` (from 1), tabs expanded to the next
// multiple of 8.
int display_column(std::string_view text, int column) {
  int display = 0;
  for (int i = 0; i + 1 < column && i < static_cast<int>(text.size()); ++i)
    display = text[static_cast<std::size_t>(i)] == '\t' ? (display / 8 + 1) * 8 : display + 1;
  return display + std::max(0, column - 1 - static_cast<int>(text.size()));
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

void Diagnostics::start(const char* locus, Location at, Severity severity) {
  const auto s = static_cast<std::size_t>(severity);
  out_.put(color(bold));
  out_.put(locus);
  if (at.line > 0) out_.print(":%d:%d", at.line, at.column);
  out_.print(":%s %s%s: %s", color(reset), color(severity_colors[s]), severity_words[s], color(reset));
}

// As gcc shows it: the line number right-aligned in five columns or more.
void Diagnostics::show_line(Location at, const Error::LineText* known) {
  Error::LineText fetched;
  const Error::LineText* text = known;
  if (text == nullptr || text->size() == 0) {
    if (!lines_.read(at.line, fetched)) return;
    text = &fetched;
  }
  char number[16];
  const int width = std::snprintf(number, sizeof number, "%5d", at.line);
  out_.print("%s | ", number);
  int display = 0;
  for (const char c : text->view()) {
    const int next = c == '\t' ? (display / 8 + 1) * 8 : display + 1;
    if (c == '\t') {
      out_.print("%*s", next - display, "");
    } else {
      out_.put(c);
    }
    display = next;
  }
  const int first = display_column(text->view(), at.column);
  const int last = std::max(first + 1, display_column(text->view(), at.column + at.length));
  out_.print("\n%*s | %*s%s^", width, "", first, "", color(green));
  for (int i = first + 1; i < last; ++i) out_.put('~');
  out_.print("%s\n", color(reset));
}

void Diagnostics::fatal(const Error& error) {
  if (settings_.located) return this->error(error);
  ++errors_;
  out_.put(error.what());
  out_.put('\n');
}

void Diagnostics::error(const Error& error) {
  ++errors_;
  const MessageEntry& entry = entry_of(error.id());
  if (entry.kind == MessageKind::file) {
    const std::string_view verb = file_verb(entry);
    const char* path = error.what() + std::min(std::strlen(error.what()), verb.size() + 1);
    start(*path != '\0' ? path : "pl_config", {}, Severity::error);
    out_.print("%.*s: %s\n", static_cast<int>(verb.size()), verb.data(), platform::error_text(error.system_error()));
    return;
  }
  start(error.line() > 0 ? directory_.description() : "pl_config", error.location(), Severity::error);
  if (entry.kind == MessageKind::syntax) {
    out_.put(entry.text);
  } else {
    std::string_view text = error.what();
    if (text.starts_with("Syntax error: ")) text.remove_prefix(14);
    if (text.ends_with('\n')) text.remove_suffix(1);
    out_.put(text);
  }
  if (!error.choices().view().empty()) {
    out_.print(" '%.*s'", static_cast<int>(error.word().size()), error.word().data());
    const std::string_view nearest = nearest_choice(error.word(), error.choices().view());
    if (!nearest.empty())
      out_.print(entry_of(Message::did_you_mean).text, static_cast<int>(nearest.size()), nearest.data());
    out_.print(" (%s)", error.choices().c_str());
  }
  out_.put('\n');
  if (error.line() > 0) show_line(error.location(), &error.source_line());
  if (error.note_text() != nullptr) {
    start(directory_.description(), error.note_location(), Severity::note);
    out_.print("%s\n", error.note_text());
    show_line(error.note_location(), nullptr);
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
  if (settings_.werror) ++errors_;
  const char* locus = at.line > 0 ? directory_.description() : "pl_config";  // the command line's
  start(locus, at, settings_.werror ? Severity::error : Severity::warning);
  out_.vprint(entry_of(id).text, args);
  out_.print(" [%s]\n", entry_of(id).name);
  show_line(at, nullptr);
  return true;
}

void Diagnostics::note(Message id, Location at) {
  start(directory_.description(), at, Severity::note);
  out_.print("%s\n", entry_of(id).text);
  show_line(at, nullptr);
}

void Diagnostics::note_limit() {
  start(directory_.description(), {}, Severity::note);
  out_.print(entry_of(Message::error_limit_reached).text, error_limit);
  out_.put('\n');
}

}  // namespace pl_config
