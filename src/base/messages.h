#pragma once

#include <cstddef>

namespace pl_config {

// Every message the tool ends a run with, by what it is about.
enum class MessageKind {
  syntax,   // "Syntax error: TEXT in: LINE", the directive line quoted; without " in: LINE" when
            // no line is (the end of the file inside a section)
  line,     // a line of the description, not quoted
  file,     // a file, named by the argument
  plain,    // the run as a whole
  warning,  // accepted, but an engine built from the headers would get it wrong
  usage,    // the command line
  note,     // explains the located message before it
  action,   // a change to the description that an editor offers
};

// Every message: its name, its kind, its text (a syntax error's own words;
// any other message's printf format), and a warning's name, by which it is
// turned off.
#define PL_CONFIG_MESSAGES(X) \
  X(identifier_expected, syntax, "identifier expected", nullptr) \
  X(space_expected, syntax, "space expected after identifier", nullptr) \
  X(string_expected, syntax, "string expected", nullptr) \
  X(integer_expected, syntax, "integer expected", nullptr) \
  X(integer_too_large, syntax, "integer too large", nullptr) \
  X(incorrect_declaration, syntax, "incorrect @ declaration", nullptr) \
  X(name_too_long, syntax, "name too long", nullptr) \
  X(unknown_section, syntax, "unknown section", nullptr) \
  X(group_above_14, syntax, "register group above 14", nullptr) \
  X(group_full, syntax, "too many registers in group", nullptr) \
  X(filler_too_long, syntax, "filler too long", nullptr) \
  X(no_register, syntax, "no register in groups 0 to 9", nullptr) \
  X(too_many_tags, syntax, "too many tags", nullptr) \
  X(tag_value_too_large, syntax, "tag value too large", nullptr) \
  X(wrong_tag_type, syntax, "wrong tag type", nullptr) \
  X(too_many_stacks, syntax, "too many stacks", nullptr) \
  X(description_too_long, syntax, "description too long", nullptr) \
  X(stack_size_too_large, syntax, "stack size too large", nullptr) \
  X(top_too_long, syntax, "top expression too long", nullptr) \
  X(no_stack_declared, syntax, "no stack declared", nullptr) \
  /* The located words of an error whose plain message says less. */ \
  X(non_ascii_name, syntax, "non-ASCII byte: a name is ASCII letters, digits and '_'", nullptr) \
  X(missing_end_before, syntax, "missing @end of the %s section of line %d before this line", nullptr) \
  /* An unclosed section is blamed on its opening line. */ \
  X(end_expected, syntax, "end expected for @begin %s", nullptr) \
  /* Its own newline is part of the message. */ \
  X(tag_value_repeated, line, "There is an invalid tag value (repetition ?)\n", nullptr) \
  X(too_many_machine_registers, line, "too many machine registers in use (the table holds %zu)", nullptr) \
  X(machine_register_name_too_long, plain, "name too long for the machine register table: %.*s", nullptr) \
  X(invalid_version, plain, "invalid version string %s", nullptr) \
  X(warnings_are_errors, plain, "all warnings being treated as errors", nullptr) \
  X(cannot_open, file, "cannot open %s", nullptr) \
  X(cannot_read, file, "cannot read %s", nullptr) \
  X(cannot_write, file, "cannot write %s", nullptr) \
  X(cannot_write_standard_output, file, "cannot write standard output", nullptr) \
  /* A rename that failed after others, which could not all be put back. */ \
  X(cannot_write_after, plain, "cannot write %s (not put back: %s)", nullptr) \
  X(duplicate_name, warning, "%s is already declared as a %s on line %d", "duplicate-name") \
  X(duplicate_tag_value, warning, "tag %s has the same value as tag %s (%d)", "duplicate-tag-value") \
  X(long_int_sign, warning, "long_int tag %s has the value %d, not 0 or %d to %d: it cannot carry negative integers", \
    "long-int-sign") \
  X(small_tag_values, warning, "the largest tag value is %d, below 4: the tag macros shift by negative counts", \
    "small-tag-values") \
  X(indented_directive, warning, "directive after blanks: the line is copied as an ordinary line", \
    "indented-directive") \
  X(missing_at, warning, "line looks like a @%.*s directive without its '@'", "missing-at") \
  X(text_after_quote, warning, "the character after a closing quote is dropped: '%c' ends the string", \
    "text-after-quote") \
  X(long_line, warning, "line longer than 511 bytes: it is read as lines of 511 bytes", "long-line") \
  X(unwritten_group, warning, "register %s is in group %d: groups 10 to 14 are in no header", "unwritten-group") \
  X(byte_order_mark, warning, "byte-order mark: the first line is read as an ordinary line", "byte-order-mark") \
  X(second_section, warning, "a second %s section: the headers define %s twice", "second-section") \
  X(stack_name_case, warning, "stacks %s and %s differ in letter case only: they define the same macros", \
    "stack-name-case") \
  X(keyword_name, warning, "%s %s is named like a C keyword", "keyword-name") \
  X(register_type, warning, "register %s has type %s, which is not one 64-bit word on every platform", \
    "register-type") \
  X(description_escape, warning, "stack %s: a backslash in its description is an escape in the generated C string", \
    "description-escape") \
  X(address_bits, warning, "address tags keep %d value bits, fewer than the %d bits of a user address on %s", \
    "address-bits") \
  X(generated_name, warning, "%s %s and %s %s both use the name %s", "generated-name") \
  X(script_name, warning, "debugger script %s: %s", "script-name") \
  /* Why a debugger cannot use the script, after its name. */ \
  X(script_without_py, plain, "gdb reads it as gdb commands, and lldb cannot import it: the name does not end in .py", \
    nullptr) \
  X(script_not_identifier, plain, "lldb cannot import it: '%.*s' is not a Python identifier", nullptr) \
  X(script_keyword, plain, "lldb cannot import it: '%.*s' is a Python keyword", nullptr) \
  /* The offending argument is quoted with a length, as far as there is room. */ \
  X(unexpected_argument, usage, "unexpected argument '%.*s'", nullptr) \
  X(unrecognized_option, usage, "unrecognized option '--%.*s'", nullptr) \
  X(ambiguous_option, usage, "option '--%.*s' is ambiguous; possibilities:", nullptr) \
  X(possible_option, usage, " '--%s'", nullptr) \
  X(argument_not_allowed, usage, "option '--%.*s' doesn't allow an argument", nullptr) \
  X(argument_required, usage, "option '--%.*s' requires an argument", nullptr) \
  X(invalid_short_option, usage, "invalid option -- '%.*s'", nullptr) \
  X(short_argument_required, usage, "option requires an argument -- '%.*s'", nullptr) \
  X(empty_argument, usage, "option '--%.*s' requires a non-empty argument", nullptr) \
  X(invalid_argument, usage, "invalid argument '%.*s' for '--%s'", nullptr) \
  X(same_output_file, usage, "option '--%s': '%.256s' is the same file as %s '%.256s'", nullptr) \
  X(same_role_file, usage, "%s '%.256s' is the same file as %s '%.256s'", nullptr) \
  /* Its reason is not_handed_over. */ \
  X(not_a_callers_descriptor, usage, "option '--%s': '%.256s' is %s", nullptr) \
  X(needs_check, usage, "option '--%.*s' needs --check", nullptr) \
  X(no_language_server, usage, "option '--%.*s' needs a build with the nlohmann/json library, which this one lacks", \
    nullptr) \
  /* A usage error's two lines, around its first line's text. */ \
  X(usage_error_lines, plain, "pl_config: %s\nTry 'pl_config --help' for more information.\n", nullptr) \
  /* The files that the same-file errors name, by their role in the run. */ \
  X(role_description, plain, "the description", nullptr) \
  X(role_header, plain, "the header", nullptr) \
  X(role_extra_output, plain, "the file of --", nullptr) \
  /* Why a path is not followed or a file not taken, after its name. */ \
  X(others_link_in_shared_directory, plain, "another user's link in a shared directory", nullptr) \
  X(others_file_in_shared_directory, plain, "owned by another user in a shared directory", nullptr) \
  X(not_a_text_source, plain, "not a regular file, a pipe or the terminal of standard input", nullptr) \
  X(changed_while_opened, plain, "replaced while it was opened", nullptr) \
  X(unread_fifo, plain, "a FIFO that nobody reads", nullptr) \
  X(others_link_to_others_file, plain, "a link of user %s leads to a file of user %s", nullptr) \
  X(not_handed_over, plain, "not a descriptor that the caller handed over", nullptr) \
  /* What the language server tells its client. */ \
  X(lsp_parse_error, plain, "the message is not a frame with a JSON body", nullptr) \
  X(lsp_too_deep, plain, "the message is nested deeper than the server reads", nullptr) \
  X(lsp_invalid_request, plain, "the message is not a JSON-RPC request or notification", nullptr) \
  X(lsp_method_not_found, plain, "no method %s", nullptr) \
  X(lsp_not_initialized, plain, "the server is not initialized", nullptr) \
  X(lsp_shut_down, plain, "the server is shut down", nullptr) \
  X(lsp_invalid_params, plain, "the parameters of %s are not as the protocol has them", nullptr) \
  X(lsp_document_too_large, plain, "%s would be larger than the %zu bytes a document may have: the text is not taken", \
    nullptr) \
  X(lsp_too_many_documents, plain, "%s is not checked: %zu documents are open already", nullptr) \
  X(lsp_unknown_document, plain, "%s is not open", nullptr) \
  X(lsp_reopen_document, plain, "%s was not checked for want of a slot: open it again to have it checked", nullptr) \
  X(lsp_more_diagnostics, plain, "%zu more diagnostics are not shown: pl_config --check lists them all", nullptr) \
  X(section_opened_here, note, "section opened here", nullptr) \
  X(first_declared_here, note, "first declared here", nullptr) \
  X(section_ends_here, note, "the section ends here: this line cannot belong to it", nullptr) \
  X(no_newline_at_end, note, "the last line has no newline: end the file with one", nullptr) \
  X(error_limit_reached, note, "the check stops after %d errors", nullptr) \
  /* Added to an error about a word that is not one of a few. */ \
  X(did_you_mean, note, "; did you mean '%.*s'?", nullptr) \
  X(choices, note, " (%s)", nullptr) \
  /* The limit a field or a table keeps to, where the words it could be would stand. */ \
  X(largest_value, note, "the largest is %ld", nullptr) \
  X(longest_text, note, "the longest is %zu characters", nullptr) \
  X(longest_description, note, "the longest is %zu characters, its quotes included", nullptr) \
  X(most_entries, note, "at most %zu", nullptr) \
  /* The fixes an editor offers for a diagnostic. */ \
  X(fix_replace, action, "Replace with '%.*s'", nullptr) \
  X(fix_remove_blanks, action, "Remove the blanks before the directive", nullptr) \
  X(fix_blank_after_quote, action, "Put a blank after the closing quote", nullptr) \
  X(fix_insert_end, action, "Insert the missing @end", nullptr) \
  X(fix_insert_at, action, "Start the line with '@'", nullptr)

enum class Message {
#define PL_CONFIG_MESSAGE_NAME(name, kind, text, warning_name) name,
  PL_CONFIG_MESSAGES(PL_CONFIG_MESSAGE_NAME)
#undef PL_CONFIG_MESSAGE_NAME
};

struct MessageEntry {
  Message id;
  MessageKind kind;
  const char* text;
  const char* name;
};

// In the order of Message.
extern const MessageEntry message_table[];
extern const std::size_t message_count;

const MessageEntry& entry_of(Message id);

}  // namespace pl_config
