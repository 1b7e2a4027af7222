#include "command_line.h"

#include <algorithm>
#include <array>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "bounded_text.h"
#include "diagnostics.h"
#include "header_rows.h"
#include "messages.h"

namespace pl_config {

class OptionParser {
 public:
  OptionParser(int argc, const char* const* argv) : argc_(argc), argv_(argv) {}
  CommandLine parse();

  // The options whose value is read, named by their rows.  --no-warn takes
  // a warning name or a comma list of them.
  void disable_warnings(const Option& option, std::string_view names);
  void choose_color(const Option& option, std::string_view value);
  void choose_format(const Option& option, std::string_view value);

 private:
  void long_option(std::string_view text);
  void short_options(const char* text);
  const Option* find_long(std::string_view name);
  // Records what the option asks for; `value` is null for a flag.
  void apply(const Option& option, const char* value);
  void fail(Message id, std::string_view text);
  void invalid_argument(const Option& option, std::string_view value);
  void unknown_warning(const Option& option, std::string_view name);
  // Adds the text of `id` to the usage error's line.
  void add(Message id, ...);
  bool done() const { return line_.command != Command::run; }

  int argc_;
  const char* const* argv_;
  int next_ = 1;
  bool format_given_ = false;
  CommandLine line_;
};

// The options of --help before the extra outputs' options, which come from
// their rows, and after them.
constexpr Option options_before_extras[] = {
    {"description", 'd', "FILE", &Options::description,
     "read the description from FILE\n(default: wam_arch.def in the working directory)"},
    {"output-dir", 'o', "DIR", &Options::output_dir, "write the headers into DIR\n(default: the working directory)"},
    {"write-if-changed", 'w', nullptr, &Options::write_if_changed,
     "leave a header whose text would not change as it\nis, time stamp and all"},
    {"check", 'c', nullptr, Flags{&Options::check, &Options::located, &Options::warnings, &Options::keep_going},
     "check the description and print its layout;\nwrite no file"},
    {"located-errors", '\0', nullptr, Flags{&Options::located_errors, &Options::located},
     "write an error as compilers do: FILE:LINE:COLUMN,\nthe line and a caret under the field"},
    {"warnings", '\0', nullptr, &Options::warnings, "a run also writes the warnings that --check writes"},
    {"no-warn", '\0', "NAME", &OptionParser::disable_warnings,
     "turn off the warning NAME (repeatable, or a comma\nlist)"},
    {"werror", '\0', nullptr, Flags{&Options::werror, &Options::warnings},
     "make every warning an error: the run fails and\nreplaces no header"},
    {"color", '\0', "WHEN", &OptionParser::choose_color,
     "colour the messages: auto (a terminal, NO_COLOR\nunset or empty), always or never"},
    {"line-directives", '\0', nullptr, &Options::line_directives,
     "#line lines in wam_arch.h: compiler errors point\nat the description's lines"},
    {"format", '\0', "FORMAT", &OptionParser::choose_format,
     "print the layout of --check as text (the default)\nor as json"},
};

constexpr Option options_after_extras[] = {
    {"lsp", '\0', nullptr, Command::lsp,
     "serve the language server protocol on standard\ninput and output, for an editor (docs/editors.md)"},
    {"build-constants", '\0', nullptr, Command::build_constants,
     "print the constants the tool was built with, one\nNAME=VALUE a line, and exit"},
    {"help", '\0', nullptr, Command::help, "print this help and exit"},
    {"version", '\0', nullptr, Command::version, "print the version and exit"},
};

constexpr std::size_t option_count =
    std::size(options_before_extras) + extra_output_count + std::size(options_after_extras);

constexpr std::array<Option, option_count> all_options() {
  std::array<Option, option_count> options;
  auto next = std::copy(std::begin(options_before_extras), std::end(options_before_extras), options.begin());
  for (const ExtraOutputRow& row : extra_output_rows) *next++ = {row.option, '\0', "FILE", row.id, row.help};
  std::copy(std::begin(options_after_extras), std::end(options_after_extras), next);
  return options;
}

constexpr std::array<Option, option_count> options_in_order = all_options();

const std::span<const Option> option_table = options_in_order;

namespace {

// The server is built only where CMake found its JSON library.
#ifdef PL_CONFIG_LANGUAGE_SERVER
constexpr bool language_server_built = true;
#else
constexpr bool language_server_built = false;
#endif

// The offending text is quoted whole as far as the message has room.
constexpr std::size_t quote_limit = 256;

int quoted_length(std::string_view text) { return static_cast<int>(std::min(text.size(), quote_limit)); }

bool abbreviates(std::string_view name, const Option& option) {
  return std::string_view(option.long_name).starts_with(name);
}

// The bit of the warning `name` in DiagnosticSettings::disabled; -1 for none.
int warning_bit(std::string_view name) {
  for (std::size_t i = 0; i < message_count; ++i)
    if (message_table[i].name != nullptr && name == message_table[i].name)
      return Diagnostics::warning_bit(message_table[i].id);
  return -1;
}

}  // namespace

CommandLine OptionParser::parse() {
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
  if (line_.command == Command::lsp && !language_server_built) fail(Message::no_language_server, "lsp");
  return line_;
}

// As getopt takes them: a whole name wins, and a prefix of several names
// is an error that lists them.
const Option* OptionParser::find_long(std::string_view name) {
  const Option* found = nullptr;
  int matches = 0;
  for (const Option& option : option_table) {
    if (option.long_name == name) return &option;
    if (abbreviates(name, option)) {
      found = &option;
      ++matches;
    }
  }
  if (matches == 1) return found;
  fail(matches == 0 ? Message::unrecognized_option : Message::ambiguous_option, name);
  if (matches > 1)
    for (const Option& option : option_table)
      if (abbreviates(name, option)) add(Message::possible_option, option.long_name);
  return nullptr;
}

void OptionParser::long_option(std::string_view text) {
  const std::size_t equals = text.find('=');
  const Option* option = find_long(text.substr(0, equals));
  if (option == nullptr) return;
  if (equals != std::string_view::npos) {
    if (option->argument == nullptr) return fail(Message::argument_not_allowed, option->long_name);
    return apply(*option, text.data() + equals + 1);
  }
  if (option->argument == nullptr) return apply(*option, nullptr);
  if (next_ == argc_) return fail(Message::argument_required, option->long_name);
  apply(*option, argv_[next_++]);
}

void OptionParser::short_options(const char* text) {
  for (; *text != '\0' && !done(); ++text) {
    const Option* option = nullptr;
    for (const Option& candidate : option_table)
      if (candidate.short_name == *text) option = &candidate;
    if (option == nullptr) return fail(Message::invalid_short_option, std::string_view(text, 1));
    if (option->argument == nullptr) {
      apply(*option, nullptr);
    } else if (text[1] != '\0') {
      return apply(*option, text + 1);
    } else if (next_ == argc_) {
      return fail(Message::short_argument_required, std::string_view(text, 1));
    } else {
      return apply(*option, argv_[next_++]);
    }
  }
}

void OptionParser::apply(const Option& option, const char* value) {
  if (option.argument != nullptr && value[0] == '\0') return fail(Message::empty_argument, option.long_name);
  const Effect& effect = option.effect;
  if (effect.flags[0] != nullptr) {
    for (bool Options::*flag : effect.flags)
      if (flag != nullptr) line_.options.*flag = true;
  } else if (effect.text != nullptr) {
    line_.options.*effect.text = value;
  } else if (effect.names_extra_output) {
    line_.options.extra_outputs[effect.extra_output] = value;
  } else if (effect.parse != nullptr) {
    (this->*effect.parse)(option, value);
  } else {
    line_.command = effect.command;
  }
}

void OptionParser::disable_warnings(const Option& option, std::string_view names) {
  while (!names.empty()) {
    const std::string_view name = names.substr(0, names.find(','));
    names.remove_prefix(std::min(names.size(), name.size() + 1));
    const int bit = warning_bit(name);
    if (bit < 0) return unknown_warning(option, name);
    line_.options.disabled |= std::uint64_t{1} << bit;
  }
}

// Lists the names, as a description's error lists the words it takes.
void OptionParser::unknown_warning(const Option& option, std::string_view name) {
  char names[CommandLine::error_capacity] = "";
  for (std::size_t i = 0, size = 0; i < message_count; ++i)
    if (message_table[i].name != nullptr)
      size += static_cast<std::size_t>(
          std::snprintf(names + size, sizeof names - size, "%s%s", size == 0 ? "" : ", ", message_table[i].name));
  invalid_argument(option, name);
  const std::string_view nearest = nearest_choice(name, names);
  if (!nearest.empty()) add(Message::did_you_mean, static_cast<int>(nearest.size()), nearest.data());
  add(Message::choices, names);
}

void OptionParser::choose_color(const Option& option, std::string_view value) {
  constexpr struct {
    const char* word;
    Color color;
  } colors[] = {{"auto", Color::automatic}, {"always", Color::always}, {"never", Color::never}};
  for (const auto& choice : colors)
    if (value == choice.word) {
      line_.options.color_when = choice.color;
      return;
    }
  invalid_argument(option, value);
}

void OptionParser::choose_format(const Option& option, std::string_view value) {
  format_given_ = true;
  if (value == "text") {
    line_.options.format = ReportFormat::text;
  } else if (value == "json") {
    line_.options.format = ReportFormat::json;
  } else {
    invalid_argument(option, value);
  }
}

void OptionParser::fail(Message id, std::string_view text) {
  line_.error[0] = '\0';
  add(id, quoted_length(text), text.data());
}

void OptionParser::invalid_argument(const Option& option, std::string_view value) {
  line_.error[0] = '\0';
  add(Message::invalid_argument, quoted_length(value), value.data(), option.long_name);
}

void OptionParser::add(Message id, ...) {
  line_.command = Command::usage_error;
  const std::size_t size = std::strlen(line_.error);
  std::va_list args;
  va_start(args, id);
  std::vsnprintf(line_.error + size, sizeof line_.error - size, entry_of(id).text, args);
  va_end(args);
}

CommandLine parse_command_line(int argc, const char* const* argv) { return OptionParser(argc, argv).parse(); }

namespace {

// The names in 22 columns, or on a line of their own when wider; the
// text's later lines two columns further in.
void print_option_help(Output& out, const Option& option) {
  char names[64];
  const int short_size = option.short_name != '\0' ? std::snprintf(names, sizeof names, "-%c, ", option.short_name)
                                                   : std::snprintf(names, sizeof names, "    ");
  const int size = short_size + std::snprintf(names + short_size, sizeof names - short_size, "--%s%s%s",
                                              option.long_name, option.argument != nullptr ? "=" : "",
                                              option.argument != nullptr ? option.argument : "");
  if (size <= 22) {
    out.print("  %-22s  ", names);
  } else {
    out.print("  %s\n%26s", names, "");
  }
  for (const char c : std::string_view(option.help)) {
    out.put(c);
    if (c == '\n') out.print("%28s", "");
  }
  out.put('\n');
}

// `text` broken into lines at blanks, none longer than `width` unless a
// word is.
void print_filled(Output& out, std::string_view text, std::size_t width) {
  std::size_t column = 0;
  while (!text.empty()) {
    const std::string_view word = text.substr(0, text.find(' '));
    text.remove_prefix(std::min(word.size() + 1, text.size()));
    const bool fits = column + 1 + word.size() <= width;
    if (column > 0) out.put(fits ? ' ' : '\n');
    column = column > 0 && fits ? column + 1 + word.size() : word.size();
    out.put(word);
  }
  out.put('\n');
}

// What the tool does, naming the headers by their rows.
void print_purpose(Output& out) {
  BoundedText<1023> text;
  text.assign("Write the engine headers ");
  for (const HeaderRow& row : header_rows) {
    if (&row != header_rows) text.append(&row == std::end(header_rows) - 1 ? " and " : ", ");
    text.append(row.name);
  }
  text.append_format(" from the architecture description %s, and print the installation summary.",
                     file_name::description);
  print_filled(out, text.view(), 72);
}

}  // namespace

void print_help(Output& out) {
  out.put("Usage: pl_config [OPTION]...\n");
  print_purpose(out);
  out.put('\n');
  for (const Option& option : option_table) print_option_help(out, option);
  out.put(
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
  out.print(entry_of(Message::usage_error_lines).text, line.error);
}

}  // namespace pl_config
