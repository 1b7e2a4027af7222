#include "register_usage.h"

#include "generated_names.h"

namespace pl_config {

void write_register_usage_macros(Output& register_map, const MachineRegisters& registers) {
  register_map.print("\n#define %s\t%d\n\n", names::nb_used_machine_regs, registers.count());
  register_map.print("#define %s\t\t\"", names::cflags_regs);
  for (const MachineRegisterEntry& entry : registers.entries())
    register_map.print(fixed_register_flag, entry.machine_register);
  register_map.put("\"\n");
}

}  // namespace pl_config
