// pl_config: writes the engine's architecture, register map, stack and public
// configuration headers from its architecture description.

#include <cstdlib>
#include <iterator>

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#else
#include <unistd.h>
#endif

#include "build_constants.h"
#include "command_line.h"
#include "constant_list.h"
#include "description_check.h"
#include "diagnostics.h"
#include "distinct_outputs.h"
#include "error.h"
#include "pl_config.h"
#include "script_name.h"
#ifdef PL_CONFIG_LANGUAGE_SERVER
#include "server.h"
#endif
#include "standard_streams.h"

namespace {

pl_config::BuildConfig build_config() {
  namespace c = pl_config::constants;
  return {
      .version = c::version,
      .release_date = c::release_date,
      .copyright = c::copyright,
      .operating_system = c::operating_system,
      .processor = c::processor,
      .c_compiler = c::c_compiler,
      .c_flags = c::c_flags,
      .c_flags_machine = c::c_flags_machine,
      .assembler = c::assembler,
      .assembler_flags = c::assembler_flags,
      .loader_flags = c::loader_flags,
      .loader_libraries = c::loader_libraries,
      .use_line_editor = c::use_line_editor,
      .use_piped_consult = c::use_piped_consult,
      .use_sockets = c::use_sockets,
      .use_fd_solver = c::use_fd_solver,
      .machine_register_list = {std::begin(c::machine_register_list), std::size(c::machine_register_list) - 1},
  };
}

// Whatever the run wrote to standard output is flushed, also when it failed:
// the summary up to the error belongs to the error's report.  A failed write
// there is an error like any other.
int finish(int status) {
  pl_config::standard_error().flush();
  if (pl_config::standard_output().flush() || status != 0) return status;
  pl_config::Output& err = pl_config::standard_error();
  err.put(pl_config::entry_of(pl_config::Message::cannot_write_standard_output).text);
  err.put('\n');
  err.flush();
  return 1;
}

// Colour only for a person at a terminal who has not asked for none.
bool use_color(pl_config::Color color) {
  if (color != pl_config::Color::automatic) return color == pl_config::Color::always;
  const char* no_color = std::getenv("NO_COLOR");
  return (no_color == nullptr || no_color[0] == '\0') && isatty(2) != 0;
}

// The options' rows have set what a run does; a run that neither locates
// its errors nor shows warnings leaves them to the one catch below, as a
// plain run always has.
int run(const pl_config::Options& options) {
  pl_config::Output& out = pl_config::standard_output();
  pl_config::DiagnosticSettings settings = options;
  settings.color = use_color(options.color_when);
  const pl_config::Directory directory(
      options.description, options.output_dir,
      options.write_if_changed ? pl_config::Rewrite::if_changed : pl_config::Rewrite::always);
  pl_config::Diagnostics diagnostics(pl_config::standard_error(), directory, settings);
  // A check writes no script, but its name is worth the warning there too.
  const char* script = options.extra_outputs[pl_config::ExtraOutput::debugger_script];
  try {
    if (options.check)
      return pl_config::check_description(build_config(), directory, out, diagnostics, options.format, script);
    if (script != nullptr) pl_config::warn_about_script_name(diagnostics, script);
    return pl_config::run_pl_config(build_config(), directory, out,
                                    {.diagnostics = settings.located || settings.warnings ? &diagnostics : nullptr,
                                     .line_directives = options.line_directives,
                                     .extra_outputs = options.extra_outputs});
  } catch (const pl_config::Error& error) {
    diagnostics.error(error);
    return 1;
  }
}

}  // namespace

int main(int argc, char** argv) {
  pl_config::CommandLine line = pl_config::parse_command_line(argc, argv);
  pl_config::check_distinct_outputs(line);
  switch (line.command) {
    case pl_config::Command::help: pl_config::print_help(pl_config::standard_output()); return finish(0);
    case pl_config::Command::version:
      pl_config::print_version(pl_config::standard_output(), pl_config::constants::version,
                               pl_config::constants::copyright);
      return finish(0);
    case pl_config::Command::build_constants:
      pl_config::print_build_constants(pl_config::standard_output(), build_config());
      return finish(0);
    case pl_config::Command::usage_error:
      pl_config::print_usage_error(pl_config::standard_error(), line);
      return finish(2);
    case pl_config::Command::lsp:
#ifdef PL_CONFIG_LANGUAGE_SERVER
      return finish(pl_config::lsp::serve_standard_streams(build_config()));
#else
      [[fallthrough]];  // the command line made it a usage error
#endif
    case pl_config::Command::run: break;
  }
  return finish(run(line.options));
}
