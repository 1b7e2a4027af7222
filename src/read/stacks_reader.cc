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
  if (section.stack_table.full()) rest.fail(Message::too_many_stacks, entry.name_at);
  if (!Name::fits(name)) rest.fail(Message::name_too_long, entry.name_at);
  if (!StackDescription::fits(description)) rest.fail(Message::description_too_long, entry.description_at);
  if (size > limit::stack_size) rest.fail(Message::stack_size_too_large, entry.size_at);
  if (!TopExpression::fits(top)) rest.fail(Message::top_too_long, entry.top_at);
  entry.name.assign(name);
  entry.description.assign(description);
  entry.default_size = size * limit::stack_size_unit;
  entry.top_expression.assign(top);
  section.stack_table.add(entry);
}

constexpr DirectiveRow<StacksSection> stacks_directives[] = {{directive_word::stack, read_stack_line}};

}  // namespace

// A section without stacks has no last entry to close Stack_Top and
// pl_stk_tbl with.
StacksSection read_stacks_section(SectionLines& lines) {
  StacksSection section;
  section.opening = lines.opening();
  read_directives(lines, section, stacks_directives);
  if (!lines.failed() && section.stack_table.empty()) lines.end_line().fail(Message::no_stack_declared);
  return section;
}

}  // namespace pl_config
