#pragma once

#include <cstddef>
#include <cstdint>

#include "description_check.h"
#include "files.h"
#include "output.h"

namespace pl_config {

enum class Color { automatic, always, never };

// What the command line asks of a run.
struct Options {
  const char* description = file_name::description;
  const char* output_dir = nullptr;  // null: the working directory
  bool write_if_changed = false;
  bool check = false;
  bool located_errors = false;
  bool warnings = false;
  bool werror = false;
  std::uint64_t disabled_warnings = 0;  // by Diagnostics::warning_bit
  Color color = Color::automatic;
  bool line_directives = false;
  const char* debugger_script = nullptr;  // null: none is written
  ReportFormat format = ReportFormat::text;  // a check's
};

enum class Command { run, help, version, usage_error };

struct CommandLine {
  static constexpr std::size_t error_capacity = 512;

  Command command = Command::run;
  Options options;
  char error[error_capacity] = "";  // a usage error's first line, without the program name
};

// GNU style: long options as --name=value or --name value, unambiguous
// prefixes of long names, bundled short options, "--" ending the options.
// The tool takes no operands.
CommandLine parse_command_line(int argc, const char* const* argv);

void print_help(Output& out);
void print_version(Output& out, const char* version, const char* copyright);
// The two lines of a usage error.
void print_usage_error(Output& out, const CommandLine& line);

}  // namespace pl_config
