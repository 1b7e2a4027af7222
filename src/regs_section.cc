#include "regs_section.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>
#include <string_view>

#include "description_limits.h"
#include "fatal_error.h"
#include "layout_observer.h"

namespace pl_config {

namespace {

constexpr char end_expected[] = "Syntax error: end expected for @begin reg";
constexpr char group_above_14[] = "Syntax error: register group above 14 in: %s";
constexpr char group_full[] = "Syntax error: too many registers in group in: %s";
constexpr char filler_too_long[] = "Syntax error: filler too long in: %s";
constexpr char no_register[] = "Syntax error: no register in groups 0 to 9 in: %s";

constexpr std::size_t group_count = limit::register_groups;
constexpr std::size_t written_group_count = limit::written_register_groups;
constexpr std::size_t group_capacity = limit::registers_per_group;

struct Declaration {
  Name type;
  Name name;
  int line = 0;
};

struct Group {
  std::array<Declaration, group_capacity> declarations;
  std::size_t count = 0;
};

// Everything a section declares; only complete once its end line is read,
// which is why nothing is generated before.
struct SectionTables {
  std::array<Group, group_count> groups;
  FillerPrefix filler_prefix;
};

// "@reg <group> <type> <name>"
void read_register_line(Scanner& rest, SectionTables& tables) {
  const std::int32_t group_number = rest.integer();
  const std::string_view type = rest.identifier();
  const std::string_view name = rest.identifier();
  if (static_cast<std::size_t>(group_number) >= group_count) rest.fail(group_above_14);
  Group& group = tables.groups[static_cast<std::size_t>(group_number)];
  if (group.count == group_capacity) rest.fail(group_full);
  if (!Name::fits(type) || !Name::fits(name)) rest.fail(message::name_too_long);
  Declaration& declaration = group.declarations[group.count++];
  declaration.type.assign(type);
  declaration.name.assign(name);
  declaration.line = rest.line_number();
}

// "@filler <identifier or integer>": the integer is written back in decimal,
// so leading zeros and grouping underscores do not reach the output.
void read_filler_line(Scanner& rest, FillerPrefix& prefix) {
  std::array<char, 16> digits{};
  std::string_view value;
  if (const std::optional<std::string_view> identifier = rest.optional_identifier()) {
    value = *identifier;
  } else {
    char* const end = std::to_chars(digits.data(), digits.data() + digits.size(), rest.integer()).ptr;
    value = {digits.data(), end};
  }
  if (value.size() + 1 > prefix.room()) rest.fail(filler_too_long);
  prefix.append(value);
  prefix.append("+");
}

// The registers of groups 0 to 9, group by group, each group in line order,
// and where each lives: the first name of the machine register list goes to
// pl_reg_bank, the names after it to the registers in this order while they
// last, and the registers left over take the bank slots in turn.
class RegisterOrder {
 public:
  RegisterOrder(const SectionTables& tables, std::span<const char* const> machine_list) {
    std::size_t next_name = 1;
    int next_slot = 0;
    for (std::size_t g = 0; g < written_group_count; ++g) {
      const Group& group = tables.groups[g];
      for (std::size_t i = 0; i < group.count; ++i) {
        const Declaration& declaration = group.declarations[i];
        PlacedRegister& reg = registers_[count_++];
        reg = {declaration.name.c_str(), declaration.type.c_str(), declaration.line, nullptr, 0};
        if (next_name < machine_list.size()) {
          reg.machine_register = machine_list[next_name++];
        } else {
          reg.bank_slot = next_slot++;
        }
      }
    }
  }

  std::span<const PlacedRegister> registers() const { return {registers_.data(), count_}; }

 private:
  std::array<PlacedRegister, written_group_count * group_capacity> registers_{};
  std::size_t count_ = 0;
};

int as_int(std::size_t n) { return static_cast<int>(n); }

// What the emit_ functions below share while one section is written.
struct SectionOutput {
  std::FILE* arch;
  std::FILE* register_map;
  const char* filler;
  std::span<const PlacedRegister> registers;
  std::span<const char* const> machine_list;
  MachineRegisters& machine_registers;
};

void write_lines(std::FILE* out, std::span<const char* const> lines) {
  for (const char* line : lines) std::fputs(line, out);
}

void emit_bank_pointer(const SectionOutput& out) {
  if (out.machine_list.empty()) {
    static constexpr const char* variable[] = {
        "#ifdef ENGINE_FILE\n\n", "       WamWord \t\t\t*pl_reg_bank;\n", "\n#else\n\n",
        "extern WamWord \t\t\t*pl_reg_bank;\n", "\n#endif\n\n"};
    write_lines(out.arch, variable);
    return;
  }
  const char* m = out.machine_list.front();
  out.machine_registers.append(m, "pl_reg_bank", "WamWordP");
  std::fprintf(out.arch, "register WamWord \t\t*pl_reg_bank asm (\"%s\");\n\n", m);
  std::fprintf(out.register_map, "#define MAP_REG_BANK\t\t\"%s\"\n\n", m);
}

// Returns the number of registers in the bank.  Two newlines follow the
// register that takes the last name of the list.
int emit_register_placements(const SectionOutput& out) {
  std::size_t names_used = 1;  // pl_reg_bank's
  int in_bank = 0;
  for (const PlacedRegister& reg : out.registers) {
    if (reg.machine_register != nullptr) {
      out.machine_registers.append(reg.machine_register, reg.name, reg.type);
      std::fprintf(out.arch, "register %s\t\t%-3s asm (\"%s\");\n", reg.type, reg.name, reg.machine_register);
      std::fprintf(out.register_map, "#define MAP_REG_%-10s\t\"%s\"\n", reg.name, reg.machine_register);
      if (++names_used == out.machine_list.size()) std::fputs("\n\n", out.arch);
    } else {
      std::fprintf(out.arch, "#define %s\t\t\t(((%-8s *) pl_reg_bank)[%s%d])\n", reg.name, reg.type, out.filler,
                   reg.bank_slot);
      std::fprintf(out.register_map, "#define MAP_OFFSET_%-6s\t((%s%d)*%d)\n", reg.name, out.filler, reg.bank_slot,
                   bank_slot_bytes);
      ++in_bank;
    }
  }
  return in_bank;
}

void emit_counts(const SectionOutput& out, int not_allocated) {
  const int n = as_int(out.registers.size());
  std::fputs("\n\n", out.arch);
  std::fprintf(out.arch, "#define NB_OF_REGS          \t%d\n", n);
  std::fprintf(out.arch, "#define NB_OF_ALLOC_REGS    \t%d\n", n - not_allocated);
  std::fprintf(out.arch, "#define NB_OF_NOT_ALLOC_REGS\t%d\n", not_allocated);
  std::fprintf(out.arch, "#define REG_BANK_SIZE       \t(%sNB_OF_NOT_ALLOC_REGS)\n", out.filler);
  std::fprintf(out.arch, "\n\n\n\n#define NB_OF_USED_MACHINE_REGS %d\n", out.machine_registers.count());
  std::fputs("\n", out.arch);
}

// The signal save buffer, and bodies for the protection macros, only exist
// when there is more than one machine register to save.
bool has_signal_buffer(const SectionOutput& out) { return out.machine_registers.count() > 1; }

void emit_definitions(const SectionOutput& out) {
  std::fputs("#ifdef ENGINE_FILE\n\n", out.arch);
  std::fputs("WamWord *save_reg_bank;\n\n", out.arch);
  if (has_signal_buffer(out)) std::fputs("WamWord pl_buff_signal_reg[NB_OF_USED_MACHINE_REGS + 1];\n\n", out.arch);
  std::fputs("char *pl_reg_tbl[] = { ", out.arch);
  const std::size_t last = out.registers.size() - 1;
  for (std::size_t n = 0; n <= last; ++n)
    std::fprintf(out.arch, "\"%s\"%s", out.registers[n].name, n < last ? ", " : "};\n");
}

void emit_declarations(const SectionOutput& out) {
  std::fputs("\n#else\n\n", out.arch);
  std::fputs("extern WamWord *save_reg_bank;\n\n", out.arch);
  if (has_signal_buffer(out)) std::fputs("extern WamWord pl_buff_signal_reg[];\n\n", out.arch);
  std::fputs("extern char *pl_reg_tbl[];\n", out.arch);
  std::fputs("\n#endif\n\n", out.arch);
  std::fputs("#define Init_Reg_Bank(x)  save_reg_bank = pl_reg_bank = x\n", out.arch);
  std::fputs("\n\n", out.arch);
}

// The last register needs no index test: it answers every other i.
void emit_register_access(const SectionOutput& out) {
  std::fputs("#define Reg(i)\t\t\t(", out.arch);
  const std::size_t last = out.registers.size() - 1;
  for (std::size_t n = 0; n < last; ++n)
    std::fprintf(out.arch, "((i)==%d) ? (WamWord) %-3s\t: \\\n\t\t\t\t ", as_int(n), out.registers[n].name);
  std::fprintf(out.arch, "           (WamWord) %s)\n", out.registers[last].name);
}

void emit_all_registers_macros(const SectionOutput& out) {
  std::fputs("\n\n\n\n#define Save_All_Regs(buff_save) \\\n", out.arch);
  std::fputs("  do { \\\n", out.arch);
  for (std::size_t n = 0; n < out.registers.size(); ++n)
    std::fprintf(out.arch, "    buff_save[%d] = (WamWord) %s; \\\n", as_int(n), out.registers[n].name);
  std::fputs("  } while(0)\n", out.arch);

  std::fputs("\n\n\n\n#define Restore_All_Regs(buff_save) \\\n", out.arch);
  std::fputs("  do { \\\n", out.arch);
  for (std::size_t n = 0; n < out.registers.size(); ++n) {
    const PlacedRegister& reg = out.registers[n];
    std::fprintf(out.arch, "    %-6s = (%-8s) buff_save[%d]; \\\n", reg.name, reg.type, as_int(n));
  }
  std::fputs("  } while(0)\n", out.arch);
}

// These run over the whole machine register table, earlier sections' entries
// included, since the engine reserves all of them.
void emit_machine_registers_macros(const SectionOutput& out) {
  const std::span<const MachineRegisterEntry> entries = out.machine_registers.entries();
  std::fputs("\n\n\n\n#define Save_Machine_Regs(buff_save) \\\n", out.arch);
  std::fputs("  do { \\\n", out.arch);
  for (std::size_t i = 0; i < entries.size(); ++i)
    std::fprintf(out.arch, "    buff_save[%d] = (WamWord) %s; \\\n", as_int(i), entries[i].register_name.c_str());
  std::fputs("  } while(0)\n", out.arch);

  std::fputs("\n\n#define Restore_Machine_Regs(buff_save) \\\n", out.arch);
  std::fputs("  do { \\\n", out.arch);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const MachineRegisterEntry& entry = entries[i];
    std::fprintf(out.arch, "    %s = (%-8s) buff_save[%d]; \\\n", entry.register_name.c_str(), entry.type_name.c_str(),
                 as_int(i));
  }
  std::fputs("  } while(0)\n", out.arch);
}

// Stop_Protect_Regs_For_Signal has no do/while frame: its line continuation
// is closed by the empty line that follows it.
constexpr const char* protect_macros_with_bodies[] = {
    "\n\n\n\n#define Start_Protect_Regs_For_Signal \\\n",
    "  do { \\\n",
    "    Save_Machine_Regs(pl_buff_signal_reg); \\\n",
    "    pl_buff_signal_reg[NB_OF_USED_MACHINE_REGS] = 1; \\\n",
    "  } while(0)\n",
    "\n\n#define Stop_Protect_Regs_For_Signal \\\n",
    "  pl_buff_signal_reg[NB_OF_USED_MACHINE_REGS] = 0; \\\n",
    "\n\n#define Restore_Protect_Regs_For_Signal \\\n",
    "  do { \\\n",
    "    if (pl_buff_signal_reg[NB_OF_USED_MACHINE_REGS]) { \\\n",
    "      Restore_Machine_Regs(pl_buff_signal_reg); \\\n",
    "      Stop_Protect_Regs_For_Signal; \\\n",
    "    } \\\n",
    "    pl_reg_bank = save_reg_bank; \\\n",
    "  } while(0)\n",
};

constexpr const char* empty_protect_macros[] = {
    "\n\n\n\n#define Start_Protect_Regs_For_Signal\n",
    "\n\n#define Stop_Protect_Regs_For_Signal\n",
    "\n\n#define Restore_Protect_Regs_For_Signal\n",
};

void emit_signal_protection(const SectionOutput& out) {
  if (has_signal_buffer(out)) {
    write_lines(out.arch, protect_macros_with_bodies);
  } else {
    write_lines(out.arch, empty_protect_macros);
  }
}

void emit_section(const SectionOutput& out) {
  std::fputs("\n\n   /*--- Begin Register Generation ---*/\n\n", out.arch);
  emit_bank_pointer(out);
  emit_counts(out, emit_register_placements(out));
  emit_definitions(out);
  emit_declarations(out);
  emit_register_access(out);
  emit_all_registers_macros(out);
  emit_machine_registers_macros(out);
  emit_signal_protection(out);
  std::fputs("\n\n   /*--- End Register Generation ---*/\n\n", out.arch);
}

// The entries that writing the section will append: pl_reg_bank's, then one
// per register as long as the list lasts.
std::size_t machine_registers_needed(std::size_t list_size, std::size_t register_count) {
  return list_size == 0 ? 0 : 1 + std::min(list_size - 1, register_count);
}

// Every check is made before the first byte is written, so a failing
// section leaves no half-written block behind.
void write_section(const SectionTables& tables, const Scanner& end_line, int opening_line, std::FILE* arch_header,
                   Run& run) {
  const std::span<const char* const> list = run.machine_registers.list();
  const RegisterOrder order(tables, list);
  const std::span<const PlacedRegister> registers = order.registers();
  if (registers.empty()) end_line.fail(no_register);
  if (machine_registers_needed(list.size(), registers.size()) > run.machine_registers.room())
    fatal_error_at(end_line.line_number(), "too many machine registers in use (the table holds %zu)",
                   MachineRegisters::capacity);
  const char* filler = tables.filler_prefix.c_str();
  emit_section({arch_header, run.register_map, filler, registers, list, run.machine_registers});
  if (run.observer != nullptr)
    run.observer->regs_section({opening_line, list.empty() ? nullptr : list.front(), filler, registers});
}

}  // namespace

void generate_regs_section(DescriptionInput& in, std::FILE* arch_header, Run& run) {
  SectionTables tables;
  SectionLines lines(in, arch_header, run, end_expected);
  for (;;) {
    Directive directive = lines.next_directive();
    if (directive.word == "end") {
      write_section(tables, directive.rest, lines.opening_line(), arch_header, run);
      return;
    }
    if (directive.word == "filler") {
      read_filler_line(directive.rest, tables.filler_prefix);
    } else if (directive.word == "reg") {
      read_register_line(directive.rest, tables);
    } else {
      directive.rest.fail(message::incorrect_declaration);
    }
  }
}

}  // namespace pl_config
