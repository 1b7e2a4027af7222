// The regs section: "@reg <group> <type> <name>" and "@filler <value>" lines.

#include <array>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "description_limits.h"
#include "reader.h"

namespace pl_config {

namespace {

constexpr std::size_t group_count = limit::register_groups;
constexpr std::size_t written_group_count = limit::written_register_groups;
constexpr std::size_t group_capacity = limit::registers_per_group;

using Group = FixedTable<PlacedRegister, group_capacity>;

// The section as its lines declare it, group by group; only complete once
// its end line is read.
struct RegsTables {
  std::array<Group, group_count> groups;
  FillerPrefix filler_prefix;
};

// "@reg <group> <type> <name>": every token is read before any limit is
// checked, so a malformed line reports its syntax first.
void read_register_line(Scanner& rest, RegsTables& tables) {
  const std::int32_t group_number = rest.integer();
  const Location group_at = rest.location();
  const std::string_view type = rest.identifier();
  const Location type_at = rest.location();
  const std::string_view name = rest.identifier();
  const Location name_at = rest.location();
  if (static_cast<std::size_t>(group_number) >= group_count) rest.fail(Message::group_above_14, group_at);
  Group& group = tables.groups[static_cast<std::size_t>(group_number)];
  if (group.full()) throw rest.limit_error(Message::group_full, group_at, Message::most_entries, group_capacity);
  if (!Name::fits(type)) throw rest.limit_error(Message::name_too_long, type_at, Message::longest_text, Name::capacity);
  if (!Name::fits(name)) throw rest.limit_error(Message::name_too_long, name_at, Message::longest_text, Name::capacity);
  PlacedRegister& declaration = group.add();
  declaration.type.assign(type);
  declaration.name.assign(name);
  declaration.group = group_number;
  declaration.type_at = type_at;
  declaration.name_at = name_at;
}

// "@filler <identifier or integer>": the integer is written back in decimal,
// so leading zeros and grouping underscores do not reach the output.
void read_filler_line(Scanner& rest, RegsTables& tables) {
  std::array<char, 16> digits{};
  std::string_view value;
  if (const std::optional<std::string_view> identifier = rest.optional_identifier()) {
    value = *identifier;
  } else {
    char* const end = std::to_chars(digits.data(), digits.data() + digits.size(), rest.integer()).ptr;
    value = {digits.data(), end};
  }
  FillerPrefix& prefix = tables.filler_prefix;
  if (value.size() + 1 > prefix.room())
    throw rest.limit_error(Message::filler_too_long, rest.location(), Message::longest_text, FillerPrefix::capacity);
  prefix.append(value);
  prefix.append("+");
}

std::size_t written_register_count(const RegsTables& tables) {
  std::size_t count = 0;
  for (std::size_t g = 0; g < written_group_count; ++g) count += tables.groups[g].size();
  return count;
}

// The entries that placing the registers will hand out: pl_reg_bank's, then
// one per register as long as the list lasts.
std::size_t machine_registers_needed(std::size_t list_size, std::size_t register_count) {
  return list_size == 0 ? 0 : 1 + std::min(list_size - 1, register_count);
}

// The registers of groups 0 to 9, group by group, each group in line order,
// and where each lives: the first name of the machine register list goes to
// pl_reg_bank, the names after it to the registers in this order while they
// last, and the registers left over take the bank slots in turn.
void place_registers(const RegsTables& tables, RegsSection& section, MachineRegisters& machine_registers) {
  const std::span<const char* const> list = machine_registers.list();
  if (!list.empty()) {
    section.bank_pointer_register = list.front();
    machine_registers.append(list.front(), "pl_reg_bank", "WamWordP");
  }
  std::size_t next_name = 1;
  int next_slot = 0;
  for (std::size_t g = 0; g < written_group_count; ++g) {
    const Group& group = tables.groups[g];
    for (const PlacedRegister& declaration : group) {
      PlacedRegister& reg = section.register_table.add(declaration);
      if (next_name < list.size()) {
        reg.machine_register = list[next_name++];
        machine_registers.append(reg.machine_register, reg.name.view(), reg.type.view());
      } else {
        reg.bank_slot = next_slot++;
      }
    }
  }
  for (std::size_t g = written_group_count; g < group_count; ++g) {
    const Group& group = tables.groups[g];
    for (const PlacedRegister& declaration : group) section.unwritten_table.add(declaration);
  }
}

void read_regs_line(Directive& line, RegsTables& tables) {
  if (line.row->word == std::string_view(directive_word::reg)) return read_register_line(line.rest, tables);
  read_filler_line(line.rest, tables);
}

}  // namespace

void RegsSection::read(SectionLines& lines, SectionReading& reading) {
  RegsTables tables;
  read_directives(lines, tables, read_regs_line);
  MachineRegisters& in_use = reading.machine_registers;
  opening = lines.opening();
  machine_registers = &in_use;
  filler_prefix = tables.filler_prefix;
  if (!lines.failed()) {
    const Scanner& end_line = lines.end_line();
    const std::size_t count = written_register_count(tables);
    lines.read_line([&] {
      if (count == 0) end_line.fail(Message::no_register);
      if (machine_registers_needed(in_use.list().size(), count) > in_use.room())
        throw make_error(Message::too_many_machine_registers, end_line.location(), MachineRegisters::capacity);
    });
  }
  if (!lines.failed()) {
    place_registers(tables, *this, in_use);
  } else {
    // For the warnings alone: no machine register is handed out.
    MachineRegisters none({});
    place_registers(tables, *this, none);
  }
}

}  // namespace pl_config
