#include "machine_registers.h"

#include "fatal_error.h"

namespace pl_config {

namespace {

void check_name(std::string_view name) {
  if (!Name::fits(name))
    fatal_error(Message::machine_register_name_too_long, static_cast<int>(name.size()), name.data());
}

}  // namespace

void MachineRegisters::append(const char* machine_register, std::string_view register_name,
                              std::string_view type_name) {
  if (room() == 0) fatal_error(Message::too_many_machine_registers, capacity);
  check_name(register_name);
  check_name(type_name);
  MachineRegisterEntry& entry = table_.add();
  entry.machine_register = machine_register;
  entry.register_name.assign(register_name);
  entry.type_name.assign(type_name);
}

void write_register_usage_macros(Output& register_map, const MachineRegisters& registers) {
  register_map.print("\n#define NB_USED_MACHINE_REGS\t%d\n\n", registers.count());
  register_map.put("#define CFLAGS_REGS\t\t\"");
  for (const MachineRegisterEntry& entry : registers.entries())
    register_map.print("-ffixed-%s ", entry.machine_register);
  register_map.put("\"\n");
}

}  // namespace pl_config
