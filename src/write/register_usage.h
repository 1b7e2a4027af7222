#pragma once

#include "machine_registers.h"
#include "output.h"

namespace pl_config {

// Writes NB_USED_MACHINE_REGS and CFLAGS_REGS into the register map header.
void write_register_usage_macros(Output& register_map, const MachineRegisters& registers);

}  // namespace pl_config
