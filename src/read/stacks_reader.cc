// The stacks section: "@stack <name> <description> <size> <top>" lines.

#include <cstdint>
#include <string_view>

#include "description_limits.h"
#include "reader.h"

namespace pl_config {

namespace {

// The tokens are read left to right before any limit is checked, so a
// malformed line reports its syntax first.
void read_stack_line(Scanner& rest, StacksSection& section) {
  StackEntry entry;
  const std::string_view name = rest.identifier();
  entry.name_at = rest.location();
  const std::string_view description = rest.string_token();
  entry.description_at = rest.location();
  const std::int32_t size = rest.integer();
  entry.size_at = rest.location();
  const std::string_view top = rest.identifier();
  entry.top_at = rest.location();
  if (section.stack_table.full())
    throw rest.limit_error(Message::too_many_stacks, entry.name_at, Message::most_entries, StacksSection::capacity);
  if (!Name::fits(name))
    throw rest.limit_error(Message::name_too_long, entry.name_at, Message::longest_text, Name::capacity);
  if (!StackDescription::fits(description))
    throw rest.limit_error(Message::description_too_long, entry.description_at, Message::longest_description,
                           StackDescription::capacity);
  if (size > limit::stack_size)
    throw rest.number_limit_error(Message::stack_size_too_large, entry.size_at, size, limit::stack_size);
  if (!TopExpression::fits(top))
    throw rest.limit_error(Message::top_too_long, entry.top_at, Message::longest_text, TopExpression::capacity);
  entry.name.assign(name);
  entry.description.assign(description);
  entry.default_size = size * limit::stack_size_unit;
  entry.top_expression.assign(top);
  section.stack_table.add(entry);
}

}  // namespace

// A section without stacks has no last entry to close Stack_Top and
// pl_stk_tbl with.
void StacksSection::read(SectionLines& lines, SectionReading&) {
  opening = lines.opening();
  read_directives(lines, *this, [](Directive& line, StacksSection& section) { read_stack_line(line.rest, section); });
  if (!lines.failed() && stack_table.empty())
    lines.read_line([&] { lines.end_line().fail(Message::no_stack_declared); });
}

}  // namespace pl_config
