#pragma once

#include "machine_registers.h"
#include "output.h"

namespace pl_config {

// The compiler option that keeps a machine register for the engine; each
// one in CFLAGS_REGS is followed by a blank.
inline constexpr char fixed_register_flag[] = "-ffixed-%s ";

// Writes NB_USED_MACHINE_REGS and CFLAGS_REGS into the register map header.
void write_register_usage_macros(Output& register_map, const MachineRegisters& registers);

}  // namespace pl_config
