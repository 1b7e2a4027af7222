#pragma once

// The description's text as an editor sees it: its lines, the tokens of its
// directive lines, its sections from opening to end line, and its models as
// the reader makes them.  Nothing is kept between calls: every answer reads
// the text again.

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

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

// How an editor shows a token of the text.
enum class TokenKind { directive, section_name, type, name, number, string, free_text };

// A token of a line and where it stands.
struct Field {
  std::string_view text;
  Location at;

  bool contains(TextPosition position) const;
};

// A directive line's word and then its fields, left to right: an integer,
// an identifier or a string, each ended by a blank as the reader ends them.
class DirectiveLine {
 public:
  explicit DirectiveLine(const TextLine& line);

  // From the "@" to the word's last byte.
  const Field& word() const { return word_; }
  std::optional<Field> next_field();
  // What is left after the blanks, to the line's end; empty at the end.
  Field rest();

 private:
  void skip_blanks();
  Field take(std::size_t size);

  TextLine line_;
  std::size_t position_ = 0;
  Field word_;
};

// What a directive word starts, as docs/description-format.md writes its
// lines, and how its fields read.
struct DirectiveSyntax {
  const char* word;
  bool in_section;     // false: the opening and end lines, which every section has; the reader's
                       // rows say which section kind reads the others (is_directive_of)
  const char* syntax;  // null: the opening lines, one per section (opening_syntax)
  std::span<const TokenKind> fields;
  int declared = -1;  // the field of the name the line declares; -1 for none
};

std::span<const DirectiveSyntax> directive_syntax();
const DirectiveSyntax* find_directive(std::string_view word);
// The opening line of a section of `kind`, as the syntax table writes it.
const char* opening_syntax(SectionKind kind);
const SectionKindRow* find_section_kind(std::string_view name);

// A section of the text, from its opening line to its end line, or to the
// line before one that cannot belong to it, or to the last line.
struct SectionSpan {
  SectionKind kind;
  int first = 0;
  int last = 0;
  Location name_at;  // the section name on the opening line

  bool holds(int line) const { return line > first && line <= last; }
};

// The sections in text order, found as the reader finds them.
class SectionSpans {
 public:
  explicit SectionSpans(std::string_view text) : lines_(text) {}

  std::optional<SectionSpan> next();

 private:
  SectionSpan close(SectionSpan span);

  TextLines lines_;
  std::optional<TextLine> held_;  // a line that ended a section, read again
  int last_line_ = 0;
};

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
