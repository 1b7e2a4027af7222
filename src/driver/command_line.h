#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>

#include "diagnostics.h"
#include "extra_outputs.h"
#include "files.h"
#include "output.h"
#include "report_format.h"

namespace pl_config {

enum class Color { automatic, always, never };

// What the command line asks of a run.  The diagnostics' settings are its
// own, set by the options' rows as any other field (a plain run: errors as
// plain messages, no warnings); their colour is decided when the run starts.
struct Options : DiagnosticSettings {
  constexpr Options() : DiagnosticSettings{.located = false, .warnings = false} {}

  const char* description = file_name::description;
  const char* output_dir = nullptr;  // null: the working directory
  bool write_if_changed = false;
  bool check = false;
  bool located_errors = false;
  Color color_when = Color::automatic;
  bool line_directives = false;
  ExtraPaths extra_outputs{};                // null: not written (the summary: standard output)
  ReportFormat format = ReportFormat::text;  // a check's
};

enum class Command { run, help, version, build_constants, lsp, usage_error };

class OptionParser;  // command_line.cc's
struct Option;
// Reads the value of an option such as --color, or makes the command line a
// usage error.
using ParseValue = void (OptionParser::*)(const Option& option, std::string_view value);

// Flags that one option sets together.
using Flags = std::initializer_list<bool Options::*>;

// What giving an option does: one of these.
struct Effect {
  constexpr Effect() = default;
  constexpr Effect(bool Options::*flag) : flags{flag} {}
  // A row of more flags than `flags` holds fails to compile.
  constexpr Effect(Flags set) { std::ranges::copy(set, flags.begin()); }
  constexpr Effect(const char* Options::*text) : text(text) {}
  constexpr Effect(ParseValue parse) : parse(parse) {}
  constexpr Effect(Command command) : command(command) {}
  constexpr Effect(ExtraOutput output) : names_extra_output(true), extra_output(output) {}

  std::array<bool Options::*, 4> flags{};  // each set to true; null: none
  const char* Options::*text = nullptr;    // the value, as given
  ParseValue parse = nullptr;
  Command command = Command::run;
  bool names_extra_output = false;  // the value is the path of that output
  ExtraOutput extra_output{};
};

// An option: all that parsing and --help know of it.
struct Option {
  const char* long_name = nullptr;
  char short_name = '\0';          // none
  const char* argument = nullptr;  // the value's name in --help; null: the option takes none
  Effect effect;
  const char* help = nullptr;  // its lines separated by '\n'
};

// In the order of --help, which an ambiguous abbreviation lists them in; the
// options that name the extra outputs come from their rows.
extern const std::span<const Option> option_table;

struct CommandLine {
  // Room for a quoted argument of 256 bytes and every warning's name.
  static constexpr std::size_t error_capacity = 1024;

  Command command = Command::run;
  Options options;
  char error[error_capacity] = "";  // a usage error's first line, without the program name
};

// GNU style: long options as --name=value or --name value, each name whole
// or a prefix of that name alone, bundled short options, "--" ending the
// options.
// The tool takes no operands.
CommandLine parse_command_line(int argc, const char* const* argv);

void print_help(Output& out);
void print_version(Output& out, const char* version, const char* copyright);
// The two lines of a usage error.
void print_usage_error(Output& out, const CommandLine& line);

}  // namespace pl_config
