#include "description_format.h"

#include <algorithm>
#include <array>
#include <optional>

#include "ascii.h"
#include "bounded_text.h"
#include "description_limits.h"
#include "description_text.h"
#include "display_columns.h"

namespace pl_config {

namespace {

// A reg, tag or stack line read into its fields, when each field ends at a
// blank or the line's end: a string that the reader ends without a blank
// drops the byte after it, which a blank put there would keep.
struct AlignedLine {
  DirectiveTokens tokens;
  std::string_view tail;  // after the last field, as it is

  const DirectiveRow* syntax() const { return tokens.row; }
  std::string_view field(std::size_t i) const { return tokens.fields[i].text; }
};

// A line longer than a piece is read as pieces, which a change of its
// length would move.
std::optional<AlignedLine> read_aligned(const TextLine& line) {
  if (!line.directive() || line.text.size() > limit::line_piece_length) return std::nullopt;
  AlignedLine aligned{DirectiveTokens(line.text, line.number), {}};
  const DirectiveRow* row = aligned.syntax();
  if (row == nullptr || !row->section || row->fields.size() < 2 || aligned.tokens.fields.size() < row->fields.size())
    return std::nullopt;
  std::size_t end = 0;
  for (const LineToken& field : aligned.tokens.fields) {
    end = static_cast<std::size_t>(field.at.column - 1) + field.text.size();
    if (end < line.text.size() && !is_white_space(line.text[end])) return std::nullopt;
  }
  aligned.tail = line.text.substr(end);
  return aligned;
}

// The widest field of each column, by directive word, over a section.
struct Widths {
  const DirectiveRow* syntax = nullptr;
  std::array<std::size_t, decltype(DirectiveTokens::fields)::capacity> columns{};
};

class SectionWidths {
 public:
  void add(const AlignedLine& line) {
    Widths& widths = of(line.syntax());
    for (std::size_t i = 0; i < line.tokens.fields.size(); ++i)
      widths.columns[i] = std::max(widths.columns[i], line.field(i).size());
  }
  Widths& of(const DirectiveRow* syntax) {
    for (Widths& widths : words_)
      if (widths.syntax == syntax || widths.syntax == nullptr) {
        widths.syntax = syntax;
        return widths;
      }
    return words_.back();  // not reached: a section has fewer words than the syntax table
  }

 private:
  std::array<Widths, 6> words_{};
};

// The comment after a line's last field, without the blanks before it;
// empty for none.
std::string_view comment_of(const AlignedLine& line) {
  const std::size_t start = line.tail.find_first_not_of(" \t");
  return start == std::string_view::npos || start == 0 ? std::string_view() : line.tail.substr(start);
}

using AlignedText = BoundedText<limit::line_piece_length + 1>;

// The line's fields in the section's columns, up to its last field.
void put_fields(const AlignedLine& line, const Widths& widths, AlignedText& aligned) {
  aligned.append("@");
  aligned.append(line.syntax()->word);
  const std::size_t last = line.tokens.fields.size() - 1;
  for (std::size_t i = 0; i <= last; ++i) {
    aligned.append(" ");
    aligned.append(line.field(i));
    if (i < last) aligned.append_format("%*s", static_cast<int>(widths.columns[i] - line.field(i).size()), "");
  }
}

// A comment starts two tab stops past the section's longest line before
// its comment, as the example's register comments do.
void put_aligned(const AlignedLine& line, const Widths& widths, int comment_column, LineEditConsumer& out,
                 const TextLine& text) {
  AlignedText aligned;
  put_fields(line, widths, aligned);
  const std::string_view comment = comment_of(line);
  if (comment.empty()) {
    aligned.append(line.tail);
  } else {
    for (int column = display_width(aligned.view()); column < comment_column; column = next_tab_stop(column))
      aligned.append("\t");
    aligned.append(comment);
  }
  if (aligned.size() > limit::line_piece_length || aligned.view() == text.text) return;
  out.replace_line(text.number, aligned.view());
}

void format_section(std::string_view text, const SectionSpan& span, LineEditConsumer& out) {
  SectionWidths widths;
  TextLines lines(text);
  for (int number = span.first + 1; number <= span.last; ++number)
    if (const std::optional<TextLine> line = lines.line(number))
      if (const std::optional<AlignedLine> aligned = read_aligned(*line)) widths.add(*aligned);
  int longest = 0;  // of the lines with a comment, up to it
  for (int number = span.first + 1; number <= span.last; ++number)
    if (const std::optional<TextLine> line = lines.line(number))
      if (const std::optional<AlignedLine> aligned = read_aligned(*line); aligned && !comment_of(*aligned).empty()) {
        AlignedText fields;
        put_fields(*aligned, widths.of(aligned->syntax()), fields);
        longest = std::max(longest, display_width(fields.view()));
      }
  const int comment_column = next_tab_stop(longest) + tab_stop;
  for (int number = span.first + 1; number <= span.last; ++number)
    if (const std::optional<TextLine> line = lines.line(number))
      if (const std::optional<AlignedLine> aligned = read_aligned(*line))
        put_aligned(*aligned, widths.of(aligned->syntax()), comment_column, out, *line);
}

}  // namespace

void format_description(std::string_view text, LineEditConsumer& out) {
  if (!reads_without_errors(text)) return;
  for_each_section(text, [&](const SectionSpan& span) { format_section(text, span, out); });
}

}  // namespace pl_config
