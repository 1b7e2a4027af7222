#pragma once

#include <cstdio>
#include <span>

#include "layout_observer.h"
#include "machine_registers.h"
#include "tokens.h"

namespace pl_config {

// What lives for the whole run: the three output files that the driver keeps
// open while the description file is read, the current-line copy, the
// machine register table, and who else wants to see the sections.  Section
// generators write to the streams by role.
struct Run {
  explicit Run(std::span<const char* const> machine_register_list)
      : machine_registers(machine_register_list) {}

  std::FILE* register_map = nullptr;
  std::FILE* stack_header = nullptr;
  std::FILE* public_config = nullptr;
  CurrentLine current_line;
  MachineRegisters machine_registers;
  LayoutObserver* observer = nullptr;  // none in a plain run
};

}  // namespace pl_config
