// pl_config: writes the engine's architecture, register map, stack and public
// configuration headers from wam_arch.def in the working directory.

#include <cstdio>
#include <cstdlib>
#include <iterator>

#include "build_constants.h"
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

}  // namespace

int main() {
  try {
    return pl_config::run_pl_config(build_config(), pl_config::Directory(), stdout);
  } catch (const pl_config::FatalError& error) {
    std::fputs(error.what(), stderr);
    std::fputc('\n', stderr);
    std::exit(1);
  }
}
