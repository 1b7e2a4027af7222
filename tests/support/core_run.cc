#include "core_run.h"

#include "fatal_error.h"
#include "memory_stream.h"
#include "reader.h"
#include "run.h"

namespace pl_config::testing {

CoreResult run_core(const std::string& description, std::span<const char* const> machine_register_list) {
  MemoryStream input(description), arch, register_map, stack_header, public_config;
  Run run(machine_register_list);
  run.register_map = register_map.get();
  run.stack_header = stack_header.get();
  run.public_config = public_config.get();
  DescriptionInput in(input.get(), "wam_arch.def");

  CoreResult result;
  try {
    read_description(in, arch.get(), run);
  } catch (const FatalError& error) {
    result.error = error.what();
    result.error_line = error.line();
  }
  result.arch_header = arch.contents();
  result.register_map = register_map.contents();
  result.stack_header = stack_header.contents();
  result.public_config = public_config.contents();
  result.machine_register_count = run.machine_registers.count();
  for (const MachineRegisterEntry& entry : run.machine_registers.entries())
    result.used_registers += std::string(entry.machine_register) + " (" + entry.register_name.c_str() + ") ";
  return result;
}

}  // namespace pl_config::testing
