#include "description_text.h"

#include <algorithm>
#include <iterator>

#include "ascii.h"
#include "diagnostics.h"
#include "files.h"
#include "line_index.h"
#include "machine_registers.h"
#include "output.h"
#include "reader.h"
#include "text_directory.h"

namespace pl_config {

std::optional<TextLine> TextLines::next() {
  if (next_ >= text_.size()) return std::nullopt;
  const std::string_view text = next_line(text_, next_);
  return TextLine{text, ++number_};
}

std::optional<TextLine> TextLines::line(int number) {
  if (number <= number_) {
    next_ = 0;
    number_ = 0;
  }
  std::optional<TextLine> line;
  while (number_ < number && (line = next())) {
  }
  return line && line->number == number ? line : std::nullopt;
}

bool contains(const Field& field, TextPosition position) {
  const Location at = field.at;
  return position.line == at.line && position.column >= at.column && position.column <= at.column + at.length;
}

const SectionKindRow* find_section_kind(std::string_view name) {
  for (const SectionKindRow& row : section_kinds)
    if (name == row.name) return &row;
  return nullptr;
}

std::optional<Field> identifier_at(const TextLine& line, TextPosition position) {
  if (position.line != line.number || position.column < 1) return std::nullopt;
  const std::string_view text = line.text;
  std::size_t first = std::min(static_cast<std::size_t>(position.column - 1), text.size());
  std::size_t end = first;
  while (first > 0 && is_identifier_char(text[first - 1])) --first;
  while (end < text.size() && is_identifier_char(text[end])) ++end;
  // A word that starts with a digit is a number.
  if (first == end || is_digit(text[first])) return std::nullopt;
  return Field{text.substr(first, end - first),
               {line.number, static_cast<int>(first) + 1, static_cast<int>(end - first)}};
}

namespace {

// The lines of the errors that a reading met, each once, which another
// reading reads as empty lines, so that every other field keeps its place
// and the section its model: a line being written still has one while the
// others are read.
class ErrorLines : public DiagnosticConsumer, public ReadingListener {
 public:
  void take(const Diagnostic& diagnostic) override {
    if (diagnostic.severity == Severity::error) any_ = true;
    if (diagnostic.severity != Severity::error || diagnostic.at.line <= 0 || holds(diagnostic.at.line)) return;
    if (!lines_.full()) lines_.add(diagnostic.at.line);
  }
  bool read_as_empty(int line) override { return holds(line); }
  bool holds(int line) const { return std::ranges::find(lines_, line) != lines_.end(); }
  bool any() const { return any_; }

 private:
  FixedTable<int, Diagnostics::error_limit> lines_;
  bool any_ = false;
};

// One reading of `text`; the copy and the messages go nowhere, an editor
// takes its diagnostics from the check.
// Without `writer`, the sections go to none.
void read_source(std::string_view text, DiagnosticConsumer& consumer, ReadingListener* listener = nullptr,
                 SectionWriter* writer = nullptr, std::span<const char* const> machine_register_list = {}) {
  SectionWriter nobody;
  char buffer[limit::line_piece_length + 1];
  DiscardingSink nowhere;
  Output nowhere_output(nowhere, buffer);
  DescriptionCopy copy(nowhere_output);
  TextSource source(text);
  const TextDirectory directory(source);
  DiagnosticSettings settings;
  settings.located = false;  // no line is read again to be shown
  settings.keep_going = true;
  settings.warnings = false;
  settings.stops_at_error_limit = false;  // the tokens and sections of the whole text
  Diagnostics diagnostics(nowhere_output, directory, settings);
  const ConsumerScope consuming(diagnostics, consumer);
  MachineRegisters machine_registers(machine_register_list);
  try {
    DescriptionInput in(directory.open_description(), directory.description());
    in.report_to(listener);
    read_description(in, copy, machine_registers, writer != nullptr ? *writer : nobody, &diagnostics);
  } catch (const Error&) {
  }
}

}  // namespace

void read_text(std::string_view text, SectionWriter& writer, std::span<const char* const> machine_register_list) {
  ErrorLines errors;
  read_source(text, errors, nullptr, nullptr, machine_register_list);
  ErrorLines again;
  read_source(text, again, &errors, &writer, machine_register_list);
}

void read_structure(std::string_view text, ReadingListener& listener) {
  ErrorLines errors;
  read_source(text, errors, &listener);
}

bool reads_without_errors(std::string_view text) {
  ErrorLines errors;
  read_source(text, errors);
  return !errors.any();
}

bool made_by_declaration(const MadeName& made, SectionKind kind) {
  return made.kind == kind && made.role == NameRole::defined && made.part != MadePart::type;
}

bool names_declaration(std::string_view word, const Declaration& declaration) {
  return word == declaration.name || std::ranges::any_of(made_names, [&](const MadeName& made) {
           return made_by_declaration(made, declaration.kind) && made_name(made, declaration.name).view() == word;
         });
}

void DeclarationReader::section(const RegsSection& section) {
  section_read(section.opening);
  for (const std::span<const PlacedRegister> registers : {section.registers(), section.unwritten()})
    for (const PlacedRegister& reg : registers) declaration({SectionKind::regs, reg.name.view(), reg.name_at});
}

void DeclarationReader::section(const TagsSection& section) {
  section_read(section.opening);
  for (const Tag& tag : section.tags()) declaration({SectionKind::tags, tag.name.view(), tag.name_at});
}

void DeclarationReader::section(const StacksSection& section) {
  section_read(section.opening);
  for (const StackEntry& stack : section.stacks()) declaration({SectionKind::stacks, stack.name.view(), stack.name_at});
}

}  // namespace pl_config
