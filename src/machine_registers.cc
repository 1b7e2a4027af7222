#include "machine_registers.h"

#include "fatal_error.h"

namespace pl_config {

namespace {

void copy_name(Name& field, std::string_view name) {
  if (!Name::fits(name))
    fatal_error("name too long for the machine register table: %.*s", static_cast<int>(name.size()), name.data());
  field.assign(name);
}

}  // namespace

void MachineRegisters::append(const char* machine_register, std::string_view register_name,
                              std::string_view type_name) {
  if (room() == 0) fatal_error("too many machine registers in use (the table holds %zu)", capacity);
  MachineRegisterEntry& entry = table_[static_cast<std::size_t>(count_)];
  entry.machine_register = machine_register;
  copy_name(entry.register_name, register_name);
  copy_name(entry.type_name, type_name);
  ++count_;
}

void write_register_usage_macros(std::FILE* register_map, const MachineRegisters& registers) {
  std::fprintf(register_map, "\n#define NB_USED_MACHINE_REGS\t%d\n\n", registers.count());
  std::fputs("#define CFLAGS_REGS\t\t\"", register_map);
  for (const MachineRegisterEntry& entry : registers.entries())
    std::fprintf(register_map, "-ffixed-%s ", entry.machine_register);
  std::fputs("\"\n", register_map);
}

}  // namespace pl_config
