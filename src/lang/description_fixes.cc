#include "description_fixes.h"

#include <optional>

#include "bounded_text.h"
#include "description_text.h"
#include "reader.h"

namespace pl_config {

namespace {

void offer(FixConsumer& out, std::string_view title, const TextEdit& edit) { out.fix(title, {&edit, 1}); }

void replace_word(const Diagnostic& diagnostic, FixConsumer& out) {
  BoundedText<128> title;
  title.append_format(entry_of(Message::fix_replace).text, static_cast<int>(diagnostic.suggestion.size()),
                      diagnostic.suggestion.data());
  offer(out, title.view(), {diagnostic.at, diagnostic.suggestion});
}

// An end line after the section's last directive line: the lines after it
// were read as the section's only because it had no end.
void insert_end_after(const SectionSpan& span, std::string_view text, FixConsumer& out) {
  TextLines lines(text);
  int last = span.first;
  for (int number = span.first + 1; number <= span.last; ++number)
    if (const std::optional<TextLine> line = lines.line(number); line && line->directive()) last = number;
  const std::optional<TextLine> line = lines.line(last);
  // Past the line's last byte: a line of its own, whether a newline followed
  // or not.
  if (line) offer(out, entry_of(Message::fix_insert_end).text, {line->end(), "\n@end"});
}

void insert_end(const Diagnostic& diagnostic, std::string_view text, FixConsumer& out) {
  bool offered = false;
  for_each_section(text, [&](const SectionSpan& span) {
    if (offered || (span.first != diagnostic.section.line && span.first != diagnostic.at.line)) return;
    insert_end_after(span, text, out);
    offered = true;
  });
}

// A line that opens a section inside another: the one above had no end.
bool opens_inside_section(const Diagnostic& diagnostic, std::string_view text) {
  if (diagnostic.id != Message::incorrect_declaration || diagnostic.section.line == 0) return false;
  const std::optional<TextLine> line = TextLines(text).line(diagnostic.at.line);
  return line && line->directive() && leading_identifier(line->text.substr(1)) == directive_word::opening;
}

// The end line the section above was missing, right before the line that
// belongs to the next one.
void insert_end_before(const Diagnostic& diagnostic, FixConsumer& out) {
  offer(out, entry_of(Message::fix_insert_end).text, {{diagnostic.at.line, 1, 0}, "@end\n"});
}

}  // namespace

void find_fixes(const Diagnostic& diagnostic, std::string_view text, FixConsumer& out) {
  switch (diagnostic.id) {
    case Message::indented_directive:
      return offer(out, entry_of(Message::fix_remove_blanks).text,
                   {{diagnostic.at.line, 1, diagnostic.at.column - 1}, ""});
    case Message::text_after_quote:
      return offer(out, entry_of(Message::fix_blank_after_quote).text,
                   {{diagnostic.at.line, diagnostic.at.column, 0}, " "});
    case Message::end_expected: return insert_end(diagnostic, text, out);
    case Message::missing_end_before: return insert_end_before(diagnostic, out);
    case Message::missing_at:
      return offer(out, entry_of(Message::fix_insert_at).text,
                   {{diagnostic.at.line, 1, diagnostic.at.column - 1}, "@"});
    default: break;
  }
  if (opens_inside_section(diagnostic, text)) return insert_end_before(diagnostic, out);
  if (!diagnostic.suggestion.empty()) replace_word(diagnostic, out);
}

}  // namespace pl_config
