#include "messages.h"

#include <iterator>

namespace pl_config {

using enum MessageKind;

const MessageEntry message_table[] = {
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
};

const std::size_t message_count = std::size(message_table);

const MessageEntry& entry_of(Message id) { return message_table[static_cast<std::size_t>(id)]; }

}  // namespace pl_config
