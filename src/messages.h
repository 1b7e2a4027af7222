#pragma once

#include <cstddef>

namespace pl_config {

// Every message the tool ends a run with, by what it is about.
enum class MessageKind {
  syntax,  // a directive line: "Syntax error: TEXT in: LINE", the line quoted
  line,    // a line of the description, not quoted
  file,    // a file, named by the argument
  plain,   // the run as a whole
  warning, // accepted, but an engine built from the headers would get it wrong
  usage,   // the command line
};

enum class Message {
  identifier_expected,
  space_expected,
  string_expected,
  integer_expected,
  integer_too_large,
  incorrect_declaration,
  name_too_long,
  unknown_section,
  group_above_14,
  group_full,
  filler_too_long,
  no_register,
  too_many_tags,
  tag_value_too_large,
  wrong_tag_type,
  too_many_stacks,
  description_too_long,
  stack_size_too_large,
  top_too_long,
  no_stack_declared,
  regs_end_expected,
  tags_end_expected,
  stacks_end_expected,
  tag_value_repeated,
  too_many_machine_registers,
  machine_register_name_too_long,
  invalid_version,
  cannot_open,
  cannot_read,
  cannot_write,
  cannot_write_standard_output,
  duplicate_name,
  duplicate_tag_value,
  long_int_sign,
  small_tag_values,
  unexpected_argument,
  unrecognized_option,
  ambiguous_option,
  argument_not_allowed,
  argument_required,
  invalid_short_option,
  short_argument_required,
  empty_argument,
};

struct MessageEntry {
  Message id;
  MessageKind kind;
  // A syntax error's own words; any other message's printf format.
  const char* text;
  // A warning's name, by which it is turned off.
  const char* name = nullptr;
};

// In the order of Message.
extern const MessageEntry message_table[];
extern const std::size_t message_count;

const MessageEntry& entry_of(Message id);

}  // namespace pl_config
