#pragma once

// The description's text as an editor sees it: its lines, the tokens of its
// directive lines, its sections from opening to end line, and its models as
// the reader makes them.  Nothing is kept between calls: every answer reads
// the text again.

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "directive_grammar.h"
#include "generated_names.h"
#include "location.h"
#include "section_kinds.h"
#include "section_model.h"
#include "section_writer.h"

namespace pl_config {

// Where the cursor stands: a line from 1 and a byte column from 1, before
// the byte of that column.
struct TextPosition {
  int line = 0;
  int column = 0;
};

// One line without its newline and the carriage return before it.
struct TextLine {
  std::string_view text;
  int number = 0;

  bool directive() const { return !text.empty() && text.front() == '@'; }
  // Just past its last byte.
  Location end() const { return {number, static_cast<int>(text.size()) + 1, 0}; }
};

// Reads the text a line at a time, from its first line.
class TextLines {
 public:
  explicit TextLines(std::string_view text) : text_(text) {}

  std::optional<TextLine> next();
  // The line `number`: forward from the last one found, from the top when
  // it lies behind.
  std::optional<TextLine> line(int number);

 private:
  std::string_view text_;
  std::size_t next_ = 0;
  int number_ = 0;  // of the line next() gave last
};

using Field = LineToken;
// `position` is in the field, or just past its last byte.
bool contains(const Field& field, TextPosition position);

const SectionKindRow* find_section_kind(std::string_view name);

// Reads the text as a check does, telling `listener` what the reader reads:
// the tokens of its directive lines and the spans of its sections.
void read_structure(std::string_view text, ReadingListener& listener);

// Each section of the text in text order, as the reader finds them.
template <typename Visit>
void for_each_section(std::string_view text, Visit visit) {
  struct Sections : ReadingListener {
    explicit Sections(Visit& visit) : visit(visit) {}
    void section(const SectionSpan& span) override { visit(span); }
    Visit& visit;
  } sections(visit);
  read_structure(text, sections);
}

// The identifier around `position`: a letter or an underscore, then
// letters, digits and underscores.
std::optional<Field> identifier_at(const TextLine& line, TextPosition position);

// Reads the text as a check does and hands each good section's model to
// `writer`, but for the section lines with an error, which are read as
// empty lines.  The machine registers are handed out from
// `machine_register_list`.
void read_text(std::string_view text, SectionWriter& writer, std::span<const char* const> machine_register_list = {});
// Whether a check of the text finds no error (warnings aside).
bool reads_without_errors(std::string_view text);

// What a description declares: a register, a tag or a stack, by its name.
struct Declaration {
  SectionKind kind;
  std::string_view name;
  Location name_at;
};

// Whether the headers define `made` for each declaration of `kind`, from
// its name (a register's type they only use).
bool made_by_declaration(const MadeName& made, SectionKind kind);
// Whether `word` is the declaration's name or one the headers make of it.
bool names_declaration(std::string_view word, const Declaration& declaration);

// Takes every declaration of the good sections, section by section, each
// section's after section_read() has been told its opening line.
class DeclarationReader : public SectionWriter {
 public:
  virtual void declaration(const Declaration& declaration) = 0;
  virtual void section_read(Location) {}

  void section(const RegsSection& section) override;
  void section(const TagsSection& section) override;
  void section(const StacksSection& section) override;
};

}  // namespace pl_config
