#include "command_line.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "diagnostics.h"
#include "messages.h"

namespace pl_config {

namespace {

enum class OptionId {
  description,
  output_dir,
  write_if_changed,
  check,
  format,
  located_errors,
  debugger_script,
  warnings,
  no_warn,
  werror,
  color,
  line_directives,
  help,
  version,
};

struct OptionEntry {
  OptionId id;
  const char* long_name;
  char short_name;  // '\0': none
  bool takes_value;
  // An option added later does not take over an abbreviation that named an
  // older one: "--w" still means --write-if-changed.
  bool later = false;
};

constexpr OptionEntry option_table[] = {
    {OptionId::description, "description", 'd', true},
    {OptionId::output_dir, "output-dir", 'o', true},
    {OptionId::write_if_changed, "write-if-changed", 'w', false},
    {OptionId::check, "check", 'c', false},
    {OptionId::format, "format", '\0', true, true},
    {OptionId::located_errors, "located-errors", '\0', false},
    {OptionId::debugger_script, "debugger-script", '\0', true, true},
    {OptionId::warnings, "warnings", '\0', false, true},
    {OptionId::no_warn, "no-warn", '\0', true, true},
    {OptionId::werror, "werror", '\0', false, true},
    {OptionId::color, "color", '\0', true, true},
    {OptionId::line_directives, "line-directives", '\0', false, true},
    {OptionId::help, "help", '\0', false},
    {OptionId::version, "version", '\0', false},
};

class Parser {
 public:
  Parser(int argc, const char* const* argv) : argc_(argc), argv_(argv) {}
  CommandLine parse();

 private:
  void long_option(std::string_view text);
  void short_options(const char* text);
  const OptionEntry* find_long(std::string_view name);
  // Records what the option asks for; `value` is null for a flag.
  void apply(const OptionEntry& entry, const char* value);
  void fail(Message id, std::string_view text);
  void invalid_argument(const OptionEntry& entry, std::string_view value);
  // A warning name, or a comma list of them.
  void disable_warnings(const OptionEntry& entry, std::string_view names);
  void choose_color(const OptionEntry& entry, std::string_view value);
  void choose_format(const OptionEntry& entry, std::string_view value);
  bool done() const { return line_.command != Command::run; }

  int argc_;
  const char* const* argv_;
  int next_ = 1;
  bool format_given_ = false;
  CommandLine line_;
};

CommandLine Parser::parse() {
  bool options_ended = false;
  while (next_ < argc_ && !done()) {
    const char* argument = argv_[next_++];
    if (!options_ended && std::strcmp(argument, "--") == 0) {
      options_ended = true;
    } else if (!options_ended && argument[0] == '-' && argument[1] == '-') {
      long_option(argument + 2);
    } else if (!options_ended && argument[0] == '-' && argument[1] != '\0') {
      short_options(argument + 1);
    } else {
      fail(Message::unexpected_argument, argument);
    }
  }
  if (!done() && format_given_ && !line_.options.check) fail(Message::needs_check, "format");
  return line_;
}

const OptionEntry* Parser::find_long(std::string_view name) {
  const OptionEntry* found = nullptr;
  const OptionEntry* found_earlier = nullptr;
  int matches = 0, earlier_matches = 0;
  for (const OptionEntry& entry : option_table) {
    const std::string_view long_name = entry.long_name;
    if (long_name == name) return &entry;
    if (long_name.starts_with(name)) {
      found = &entry;
      ++matches;
      if (!entry.later) {
        found_earlier = &entry;
        ++earlier_matches;
      }
    }
  }
  if (earlier_matches == 1) return found_earlier;
  if (matches == 1) return found;
  fail(matches == 0 ? Message::unrecognized_option : Message::ambiguous_option, name);
  return nullptr;
}

void Parser::long_option(std::string_view text) {
  const std::size_t equals = text.find('=');
  const OptionEntry* entry = find_long(text.substr(0, equals));
  if (entry == nullptr) return;
  if (equals != std::string_view::npos) {
    if (!entry->takes_value) return fail(Message::argument_not_allowed, entry->long_name);
    return apply(*entry, text.data() + equals + 1);
  }
  if (!entry->takes_value) return apply(*entry, nullptr);
  if (next_ == argc_) return fail(Message::argument_required, entry->long_name);
  apply(*entry, argv_[next_++]);
}

void Parser::short_options(const char* text) {
  for (; *text != '\0' && !done(); ++text) {
    const OptionEntry* entry = nullptr;
    for (const OptionEntry& candidate : option_table)
      if (candidate.short_name == *text) entry = &candidate;
    if (entry == nullptr) return fail(Message::invalid_short_option, std::string_view(text, 1));
    if (!entry->takes_value) {
      apply(*entry, nullptr);
    } else if (text[1] != '\0') {
      return apply(*entry, text + 1);
    } else if (next_ == argc_) {
      return fail(Message::short_argument_required, std::string_view(text, 1));
    } else {
      return apply(*entry, argv_[next_++]);
    }
  }
}

void Parser::apply(const OptionEntry& entry, const char* value) {
  if (entry.takes_value && value[0] == '\0') return fail(Message::empty_argument, entry.long_name);
  Options& options = line_.options;
  switch (entry.id) {
    case OptionId::description: options.description = value; break;
    case OptionId::output_dir: options.output_dir = value; break;
    case OptionId::write_if_changed: options.write_if_changed = true; break;
    case OptionId::check: options.check = true; break;
    case OptionId::format: choose_format(entry, value); break;
    case OptionId::located_errors: options.located_errors = true; break;
    case OptionId::debugger_script: options.debugger_script = value; break;
    case OptionId::warnings: options.warnings = true; break;
    case OptionId::no_warn: disable_warnings(entry, value); break;
    case OptionId::werror: options.werror = true; break;
    case OptionId::color: choose_color(entry, value); break;
    case OptionId::line_directives: options.line_directives = true; break;
    case OptionId::help: line_.command = Command::help; break;
    case OptionId::version: line_.command = Command::version; break;
  }
}

void Parser::invalid_argument(const OptionEntry& entry, std::string_view value) {
  line_.command = Command::usage_error;
  const int length = static_cast<int>(std::min<std::size_t>(value.size(), CommandLine::error_capacity / 2));
  std::snprintf(line_.error, sizeof line_.error, entry_of(Message::invalid_argument).text, length, value.data(),
                entry.long_name);
}

void Parser::disable_warnings(const OptionEntry& entry, std::string_view names) {
  while (!names.empty()) {
    const std::string_view name = names.substr(0, names.find(','));
    names.remove_prefix(std::min(names.size(), name.size() + 1));
    int bit = -1;
    for (std::size_t i = 0; i < message_count; ++i)
      if (message_table[i].name != nullptr && name == message_table[i].name)
        bit = Diagnostics::warning_bit(message_table[i].id);
    if (bit < 0) return invalid_argument(entry, name);
    line_.options.disabled_warnings |= std::uint64_t{1} << bit;
  }
}

void Parser::choose_color(const OptionEntry& entry, std::string_view value) {
  constexpr struct {
    const char* word;
    Color color;
  } colors[] = {{"auto", Color::automatic}, {"always", Color::always}, {"never", Color::never}};
  for (const auto& choice : colors)
    if (value == choice.word) {
      line_.options.color = choice.color;
      return;
    }
  invalid_argument(entry, value);
}

void Parser::choose_format(const OptionEntry& entry, std::string_view value) {
  format_given_ = true;
  if (value == "text") {
    line_.options.format = ReportFormat::text;
  } else if (value == "json") {
    line_.options.format = ReportFormat::json;
  } else {
    invalid_argument(entry, value);
  }
}

// The offending text is quoted whole as far as the message has room.
void Parser::fail(Message id, std::string_view text) {
  line_.command = Command::usage_error;
  const int room = static_cast<int>(CommandLine::error_capacity / 2);
  const int length = text.size() < static_cast<std::size_t>(room) ? static_cast<int>(text.size()) : room;
  std::snprintf(line_.error, sizeof line_.error, entry_of(id).text, length, text.data());
}

}  // namespace

CommandLine parse_command_line(int argc, const char* const* argv) { return Parser(argc, argv).parse(); }

void print_help(Output& out) {
  out.put(
      "Usage: pl_config [OPTION]...\n"
      "Write the engine headers wam_arch.h, wam_regs.h, wam_stacks.h and\n"
      "th_public_config.h from the architecture description wam_arch.def, and\n"
      "print the installation summary.\n"
      "\n"
      "  -d, --description=FILE  read the description from FILE\n"
      "                            (default: wam_arch.def in the working directory)\n"
      "  -o, --output-dir=DIR    write the headers into DIR\n"
      "                            (default: the working directory)\n"
      "  -w, --write-if-changed  leave a header whose text would not change as it\n"
      "                            is, time stamp and all\n"
      "  -c, --check             check the description and print its layout;\n"
      "                            write no file\n"
      "      --located-errors    write an error as compilers do: FILE:LINE:COLUMN,\n"
      "                            the line and a caret under the field\n"
      "      --warnings          a run also writes the warnings that --check writes\n"
      "      --no-warn=NAME      turn off the warning NAME (repeatable, or a comma\n"
      "                            list)\n"
      "      --werror            make every warning an error: the run fails and\n"
      "                            replaces no header\n"
      "      --color=WHEN        colour the messages: auto (a terminal, NO_COLOR\n"
      "                            unset or empty), always or never\n"
      "      --line-directives   #line lines in wam_arch.h: compiler errors point\n"
      "                            at the description's lines\n"
      "      --format=FORMAT     print the layout of --check as text (the default)\n"
      "                            or as json\n"
      "      --debugger-script=FILE\n"
      "                          also write FILE, the gdb and lldb commands that\n"
      "                            decode the engine's words and registers\n"
      "      --help              print this help and exit\n"
      "      --version           print the version and exit\n"
      "\n"
      "Each header is written to a hidden temporary file beside it and renamed\n"
      "over it only once the whole run has succeeded, so a failed run leaves the\n"
      "previous headers as they were.\n"
      "\n"
      "Exit status: 0 on success, 1 on an error in the description or a file,\n"
      "2 on a usage error.\n");
}

void print_version(Output& out, const char* version, const char* copyright) {
  out.print("pl_config (Tarnhollow) %s\n%s\n", version, copyright);
}

void print_usage_error(Output& out, const CommandLine& line) {
  out.print("pl_config: %s\nTry 'pl_config --help' for more information.\n", line.error);
}

}  // namespace pl_config
