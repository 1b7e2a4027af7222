#include "command_line.h"

#include <cstring>
#include <string_view>

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
  help,
  version
};

struct OptionEntry {
  OptionId id;
  const char* long_name;
  char short_name;  // '\0': none
  bool takes_value;
};

constexpr OptionEntry option_table[] = {
    {OptionId::description, "description", 'd', true},
    {OptionId::output_dir, "output-dir", 'o', true},
    {OptionId::write_if_changed, "write-if-changed", 'w', false},
    {OptionId::check, "check", 'c', false},
    {OptionId::format, "format", '\0', true},
    {OptionId::located_errors, "located-errors", '\0', false},
    {OptionId::debugger_script, "debugger-script", '\0', true},
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
  void set_format(const char* value);
  void fail(const char* format, std::string_view text);
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
      fail("unexpected argument '%.*s'", argument);
    }
  }
  if (!done() && format_given_ && !line_.options.check) fail("option '--%.*s' needs --check", "format");
  return line_;
}

const OptionEntry* Parser::find_long(std::string_view name) {
  const OptionEntry* found = nullptr;
  int matches = 0;
  for (const OptionEntry& entry : option_table) {
    const std::string_view long_name = entry.long_name;
    if (long_name == name) return &entry;
    if (long_name.starts_with(name)) {
      found = &entry;
      ++matches;
    }
  }
  if (matches == 1) return found;
  fail(matches == 0 ? "unrecognized option '--%.*s'" : "option '--%.*s' is ambiguous", name);
  return nullptr;
}

void Parser::long_option(std::string_view text) {
  const std::size_t equals = text.find('=');
  const OptionEntry* entry = find_long(text.substr(0, equals));
  if (entry == nullptr) return;
  if (equals != std::string_view::npos) {
    if (!entry->takes_value) return fail("option '--%.*s' doesn't allow an argument", entry->long_name);
    return apply(*entry, text.data() + equals + 1);
  }
  if (!entry->takes_value) return apply(*entry, nullptr);
  if (next_ == argc_) return fail("option '--%.*s' requires an argument", entry->long_name);
  apply(*entry, argv_[next_++]);
}

void Parser::short_options(const char* text) {
  for (; *text != '\0' && !done(); ++text) {
    const OptionEntry* entry = nullptr;
    for (const OptionEntry& candidate : option_table)
      if (candidate.short_name == *text) entry = &candidate;
    if (entry == nullptr) return fail("invalid option -- '%.*s'", std::string_view(text, 1));
    if (!entry->takes_value) {
      apply(*entry, nullptr);
    } else if (text[1] != '\0') {
      return apply(*entry, text + 1);
    } else if (next_ == argc_) {
      return fail("option requires an argument -- '%.*s'", std::string_view(text, 1));
    } else {
      return apply(*entry, argv_[next_++]);
    }
  }
}

void Parser::apply(const OptionEntry& entry, const char* value) {
  if (entry.takes_value && value[0] == '\0') return fail("option '--%.*s' requires a non-empty argument", entry.long_name);
  Options& options = line_.options;
  switch (entry.id) {
    case OptionId::description: options.description = value; break;
    case OptionId::output_dir: options.output_dir = value; break;
    case OptionId::write_if_changed: options.write_if_changed = true; break;
    case OptionId::check: options.check = true; break;
    case OptionId::format: set_format(value); break;
    case OptionId::located_errors: options.located_errors = true; break;
    case OptionId::debugger_script: options.debugger_script = value; break;
    case OptionId::help: line_.command = Command::help; break;
    case OptionId::version: line_.command = Command::version; break;
  }
}

void Parser::set_format(const char* value) {
  format_given_ = true;
  const std::string_view name = value;
  if (name == "text") {
    line_.options.format = ReportFormat::text;
  } else if (name == "json") {
    line_.options.format = ReportFormat::json;
  } else {
    fail("invalid argument '%.*s' for '--format': text or json", name);
  }
}

// The offending text is quoted whole as far as the message has room.
void Parser::fail(const char* format, std::string_view text) {
  line_.command = Command::usage_error;
  const int room = static_cast<int>(CommandLine::error_capacity / 2);
  const int length = text.size() < static_cast<std::size_t>(room) ? static_cast<int>(text.size()) : room;
  std::snprintf(line_.error, sizeof line_.error, format, length, text.data());
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
      "      --format=FORMAT     print the layout of --check as text (the default)\n"
      "                            or as json\n"
      "      --located-errors    write an error on a line of the description as\n"
      "                            FILE:LINE: MESSAGE\n"
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
