#include "register_usage.h"

namespace pl_config {

void write_register_usage_macros(Output& register_map, const MachineRegisters& registers) {
  register_map.print("\n#define NB_USED_MACHINE_REGS\t%d\n\n", registers.count());
  register_map.put("#define CFLAGS_REGS\t\t\"");
  for (const MachineRegisterEntry& entry : registers.entries())
    register_map.print(fixed_register_flag, entry.machine_register);
  register_map.put("\"\n");
}

}  // namespace pl_config
