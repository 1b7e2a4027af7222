#include "machine_registers.h"

#include "error.h"

namespace pl_config {

namespace {

void check_name(std::string_view name) {
  if (!Name::fits(name)) fail(Message::machine_register_name_too_long, static_cast<int>(name.size()), name.data());
}

}  // namespace

void MachineRegisters::append(const char* machine_register, std::string_view register_name,
                              std::string_view type_name) {
  if (room() == 0) fail(Message::too_many_machine_registers, capacity);
  check_name(register_name);
  check_name(type_name);
  MachineRegisterEntry& entry = table_.add();
  entry.machine_register = machine_register;
  entry.register_name.assign(register_name);
  entry.type_name.assign(type_name);
}

}  // namespace pl_config
