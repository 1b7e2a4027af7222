#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "description_limits.h"
#include "fixed_table.h"

namespace pl_config {

// One machine register handed out during the run.  The machine register name
// points into the machine register list, which lives for the whole run; the
// other two are copies, since the section that declared them is gone by the
// time the installation summary prints the table.
struct MachineRegisterEntry {
  const char* machine_register = "";
  Name register_name;
  Name type_name;
};

// The machine registers that may be handed out (a build constant) and those
// handed out so far, in hand-out order.  The table only grows.
class MachineRegisters {
 public:
  static constexpr std::size_t capacity = limit::machine_registers;

  explicit MachineRegisters(std::span<const char* const> list) : list_(list) {}

  std::span<const char* const> list() const { return list_; }
  int count() const { return static_cast<int>(table_.size()); }
  std::size_t room() const { return capacity - table_.size(); }
  std::span<const MachineRegisterEntry> entries() const { return table_; }

  // Ends the run when the table is full or a name does not fit its field;
  // the regs reader makes sure neither happens.
  void append(const char* machine_register, std::string_view register_name, std::string_view type_name);

 private:
  std::span<const char* const> list_;
  FixedTable<MachineRegisterEntry, capacity> table_;
};

}  // namespace pl_config
