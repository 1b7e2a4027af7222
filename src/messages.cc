#include "messages.h"

#include <iterator>

namespace pl_config {

using enum MessageKind;

constexpr MessageEntry message_table[] = {
    {Message::identifier_expected, syntax, "identifier expected"},
    {Message::space_expected, syntax, "space expected after identifier"},
    {Message::string_expected, syntax, "string expected"},
    {Message::integer_expected, syntax, "integer expected"},
    {Message::integer_too_large, syntax, "integer too large"},
    {Message::incorrect_declaration, syntax, "incorrect @ declaration"},
    {Message::name_too_long, syntax, "name too long"},
    {Message::unknown_section, syntax, "unknown section"},
    {Message::group_above_14, syntax, "register group above 14"},
    {Message::group_full, syntax, "too many registers in group"},
    {Message::filler_too_long, syntax, "filler too long"},
    {Message::no_register, syntax, "no register in groups 0 to 9"},
    {Message::too_many_tags, syntax, "too many tags"},
    {Message::tag_value_too_large, syntax, "tag value too large"},
    {Message::wrong_tag_type, syntax, "wrong tag type"},
    {Message::too_many_stacks, syntax, "too many stacks"},
    {Message::description_too_long, syntax, "description too long"},
    {Message::stack_size_too_large, syntax, "stack size too large"},
    {Message::top_too_long, syntax, "top expression too long"},
    {Message::no_stack_declared, syntax, "no stack declared"},
    // An unclosed section is blamed on its opening line.
    {Message::regs_end_expected, line, "Syntax error: end expected for @begin reg"},
    {Message::tags_end_expected, line, "Syntax error: end expected for @begin tag"},
    {Message::stacks_end_expected, line, "Syntax error: end expected for @begin stack"},
    // Its own newline is part of the message.
    {Message::tag_value_repeated, line, "There is an invalid tag value (repetition ?)\n"},
    {Message::too_many_machine_registers, line, "too many machine registers in use (the table holds %zu)"},
    {Message::machine_register_name_too_long, plain, "name too long for the machine register table: %.*s"},
    {Message::invalid_version, plain, "invalid version string %s"},
    {Message::cannot_open, file, "cannot open %s"},
    {Message::cannot_read, file, "cannot read %s"},
    {Message::cannot_write, file, "cannot write %s"},
    {Message::cannot_write_standard_output, file, "cannot write standard output"},
    {Message::duplicate_name, warning, "%s is already declared as a %s on line %d", "duplicate-name"},
    {Message::duplicate_tag_value, warning, "tag %s has the same value as tag %s (%d)", "duplicate-tag-value"},
    {Message::long_int_sign, warning,
     "long_int tag %s has the value %d, not 0 or %d to %d: it cannot carry negative integers", "long-int-sign"},
    {Message::small_tag_values, warning,
     "the largest tag value is %d, below 4: the tag macros shift by negative counts", "small-tag-values"},
    // The offending argument is quoted with a length, as far as there is room.
    {Message::unexpected_argument, usage, "unexpected argument '%.*s'"},
    {Message::unrecognized_option, usage, "unrecognized option '--%.*s'"},
    {Message::ambiguous_option, usage, "option '--%.*s' is ambiguous"},
    {Message::argument_not_allowed, usage, "option '--%.*s' doesn't allow an argument"},
    {Message::argument_required, usage, "option '--%.*s' requires an argument"},
    {Message::invalid_short_option, usage, "invalid option -- '%.*s'"},
    {Message::short_argument_required, usage, "option requires an argument -- '%.*s'"},
    {Message::empty_argument, usage, "option '--%.*s' requires a non-empty argument"},
};

constexpr bool rows_in_message_order() {
  for (std::size_t i = 0; i < std::size(message_table); ++i)
    if (static_cast<std::size_t>(message_table[i].id) != i) return false;
  return true;
}
static_assert(rows_in_message_order());

const std::size_t message_count = std::size(message_table);

const MessageEntry& entry_of(Message id) { return message_table[static_cast<std::size_t>(id)]; }

}  // namespace pl_config
