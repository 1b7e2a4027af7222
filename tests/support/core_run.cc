#include "core_run.h"

#include "fatal_error.h"
#include "header_writer.h"
#include "memory_output.h"
#include "memory_stream.h"
#include "reader.h"

namespace pl_config::testing {

CoreResult run_core(const std::string& description, std::span<const char* const> machine_register_list) {
  MemoryStream input(description);
  MemoryOutput arch, register_map, stack_header, public_config;
  MachineRegisters machine_registers(machine_register_list);
  HeaderWriter writer(arch.out(), register_map.out(), stack_header.out(), public_config.out());
  DescriptionInput in(input.get(), "wam_arch.def");

  CoreResult result;
  try {
    DescriptionCopy copy(arch.out());
    read_description(in, copy, machine_registers, writer);
  } catch (const FatalError& error) {
    result.error = error.what();
    result.error_line = error.line();
  }
  result.arch_header = arch.text();
  result.register_map = register_map.text();
  result.stack_header = stack_header.text();
  result.public_config = public_config.text();
  result.machine_register_count = machine_registers.count();
  for (const MachineRegisterEntry& entry : machine_registers.entries())
    result.used_registers += std::string(entry.machine_register) + " (" + entry.register_name.c_str() + ") ";
  return result;
}

}  // namespace pl_config::testing
