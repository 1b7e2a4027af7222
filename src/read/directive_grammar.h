#pragma once

// The description's directive lines, one row per directive word: which
// sections have it, its fields, and the syntax line that messages and an
// editor's hover show.  Whatever reads or shows a directive line takes it
// from here; a section's reader reads the fields of its words.

#include <optional>
#include <span>
#include <string_view>

#include "bounded_text.h"
#include "fixed_table.h"
#include "location.h"
#include "section_kinds.h"

namespace pl_config {

// The words of the directive lines.
namespace directive_word {
inline constexpr char reg[] = "reg";
inline constexpr char filler[] = "filler";
inline constexpr char tag[] = "tag";
inline constexpr char stack[] = "stack";
// The words of the opening and the end line.
inline constexpr char opening[] = "begin";
inline constexpr char closing[] = "end";
}  // namespace directive_word

// What a token of a directive line is, and how an editor shows it.
enum class TokenKind { directive, section_name, type, name, number, string, free_text };

struct DirectiveRow {
  const char* word;
  // None: the opening and end lines, which every section kind has.
  std::optional<SectionKind> section;
  std::span<const TokenKind> fields;
  // As docs/description-format.md writes the line; null for the opening
  // line, which is one per section kind (opening_syntax).
  const char* syntax;
  int declared;  // the field of the name the line declares; -1 for none
};

// In the order an editor offers the words and a message lists them.
std::span<const DirectiveRow> directive_rows();
const DirectiveRow* find_directive(std::string_view word);
// The section kind whose lines the directive lines of `word` are; none for
// the opening and end lines and for no directive word.
std::optional<SectionKind> section_of(std::string_view word);

// The syntax line of an opening line: "@begin regs" and the like.
BoundedText<31> opening_syntax(SectionKind kind);

// A token of a line and where it stands; of a directive line, as the
// reader ends it.
struct LineToken {
  std::string_view text;
  Location at;
  TokenKind kind = TokenKind::name;
};

// A section, from its opening line to its end line, or to the line before
// one that cannot belong to it, or to the input's last line.
struct SectionSpan {
  SectionKind kind;
  int first = 0;
  int last = 0;
  Location name_at;  // the section name on the opening line

  bool holds(int line) const { return line > first && line <= last; }
};

// Told what the reader reads, as it reads it: each token of each directive
// line, and each section's span once the section has ended.
class ReadingListener {
 public:
  virtual ~ReadingListener() = default;
  virtual void token(const LineToken&) {}
  virtual void section(const SectionSpan&) {}
  // The directive line `line` is read as an empty line, as an editor reads
  // past the lines with an error; the opening and end lines never are.
  virtual bool read_as_empty(int /*line*/) { return false; }
};

// The tokens of the directive line `line`, its "@" first at column
// `column` of line `number`, without its newline: the word from the "@",
// then the fields of the word's row, then what follows them.  A field is
// one even where it is not what the row wants, as an editor shows a line
// being written: an integer or a string is shown as what it is, anything
// else as the row's name or type.
void list_directive_tokens(std::string_view line, int number, int column, ReadingListener& out);

// The tokens of one directive line that starts a line.
struct DirectiveTokens : ReadingListener {
  LineToken word;
  FixedTable<LineToken, 4> fields;  // a stack line's, the most
  std::optional<LineToken> tail;
  const DirectiveRow* row;

  DirectiveTokens(std::string_view line, int number);
  void token(const LineToken& token) override;
};

}  // namespace pl_config
