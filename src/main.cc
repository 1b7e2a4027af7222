// pl_config: writes the engine's architecture, register map, stack and public
// configuration headers from its architecture description.

#include <cstdio>
#include <iterator>

#include "build_constants.h"
#include "command_line.h"
#include "description_check.h"
#include "fatal_error.h"
#include "pl_config.h"

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

// Help and version go to standard output; a failed write there is an error
// like any other.
int finish_stdout() {
  if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return 0;
  std::fputs("cannot write standard output\n", stderr);
  return 1;
}

// A fatal error about a line of the description is located as compilers
// locate theirs, for an editor to jump to, when asked: a plain run writes the
// message alone, as it always has.
int run(const pl_config::Options& options) {
  try {
    const pl_config::Directory directory(options.description, options.output_dir, options.write_if_changed);
    if (options.check) return pl_config::check_description(build_config(), directory, stdout, stderr);
    return pl_config::run_pl_config(build_config(), directory, stdout);
  } catch (const pl_config::FatalError& error) {
    if ((options.check || options.located_errors) && error.line() > 0)
      std::fprintf(stderr, "%s:%d: ", options.description, error.line());
    std::fputs(error.what(), stderr);
    std::fputc('\n', stderr);
    return 1;
  }
}

}  // namespace

int main(int argc, char** argv) {
  const pl_config::CommandLine line = pl_config::parse_command_line(argc, argv);
  switch (line.command) {
    case pl_config::Command::help:
      pl_config::print_help(stdout);
      return finish_stdout();
    case pl_config::Command::version:
      pl_config::print_version(stdout, pl_config::constants::version, pl_config::constants::copyright);
      return finish_stdout();
    case pl_config::Command::usage_error:
      pl_config::print_usage_error(stderr, line);
      return 2;
    case pl_config::Command::run:
      break;
  }
  return run(line.options);
}
