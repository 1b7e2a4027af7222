// The tags section: "@tag <name> <kind> <value>" lines.

#include <cstdint>
#include <span>
#include <string_view>

#include "description_limits.h"
#include "reader.h"

namespace pl_config {

namespace {

TagKind read_tag_kind(std::string_view word, const Scanner& line) {
  for (const TagKindRow& row : tag_kinds)
    if (word == row.word) return row.kind;
  Error error = line.error(Message::wrong_tag_type);
  error.set_word(word);
  for (const TagKindRow& row : tag_kinds) error.add_choice(row.word);
  throw error;
}

// Every token is read before any limit is checked, so a malformed line
// reports its syntax first.
void read_tag_line(Scanner& line, TagsSection& section) {
  Tag tag;
  const std::string_view name = line.identifier();
  tag.name_at = line.location();
  tag.kind = read_tag_kind(line.identifier(), line);
  tag.kind_at = line.location();
  tag.value = line.integer();
  tag.value_at = line.location();
  if (section.tag_table.full())
    throw line.limit_error(Message::too_many_tags, tag.name_at, Message::most_entries, TagsSection::capacity);
  if (!Name::fits(name))
    throw line.limit_error(Message::name_too_long, tag.name_at, Message::longest_text, Name::capacity);
  if (tag.value >= limit::tag_value_bound)
    throw line.number_limit_error(Message::tag_value_too_large, tag.value_at, tag.value, limit::tag_value_bound - 1);
  tag.name.assign(name);
  section.tag_table.add(tag);
  if (tag.value > section.largest_value) section.largest_value = tag.value;
}

// The first tag whose value a later tag has: there is one when there are more
// tags than values.
const Tag& first_repeated(std::span<const Tag> tags) {
  for (const Tag& tag : tags)
    for (const Tag& later : tags.subspan(static_cast<std::size_t>(&tag - tags.data()) + 1))
      if (later.value == tag.value) return tag;
  return tags.front();
}

}  // namespace

void TagsSection::read(SectionLines& lines, SectionReading& reading) {
  opening = lines.opening();
  read_directives(lines, *this, [](Directive& line, TagsSection& section) { read_tag_line(line.rest, section); });
  every_line_read = !lines.failed();
  // Two tags cannot share a value if there are more tags than values.
  if (!lines.failed() && static_cast<std::size_t>(largest_value) + 1 < tag_table.size()) {
    reading.writer.tags_section_rejected();
    const Scanner& end_line = lines.end_line();
    Error error = make_error(Message::tag_value_repeated, end_line.location());
    error.set_source_line(end_line.quoted_line().c_str());
    error.set_note(Message::first_declared_here, first_repeated(tags()).value_at);
    lines.read_line([&] { throw error; });
  }
  word = WordLayout(largest_value);
}

}  // namespace pl_config
