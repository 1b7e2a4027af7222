// The generated text of a regs section, in output order: into the
// architecture header the register bank, the Reg, save and restore macros;
// into the register map header where each register lives.

#include <cstddef>
#include <span>

#include "generated_names.h"
#include "header_writer.h"

namespace pl_config {

namespace {

int as_int(std::size_t n) { return static_cast<int>(n); }

// What the emit_ functions below share while one section is written.
struct SectionOutput {
  Output& arch;
  Output& register_map;
  const char* filler;
  std::span<const PlacedRegister> registers;
  std::span<const char* const> machine_list;
  const MachineRegisters& machine_registers;
};

void write_lines(Output& out, std::span<const char* const> lines) {
  for (const char* line : lines) out.put(line);
}

void emit_bank_pointer(const SectionOutput& out) {
  if (out.machine_list.empty()) {
    out.arch.put("#ifdef ENGINE_FILE\n\n");
    out.arch.print("       WamWord \t\t\t*%s;\n", names::reg_bank);
    out.arch.put("\n#else\n\n");
    out.arch.print("extern WamWord \t\t\t*%s;\n", names::reg_bank);
    out.arch.put("\n#endif\n\n");
    return;
  }
  const char* m = out.machine_list.front();
  out.arch.print("register WamWord \t\t*%s asm (\"%s\");\n\n", names::reg_bank, m);
  out.register_map.print("#define %s\t\t\"%s\"\n\n", names::map_reg_bank, m);
}

// Returns the number of registers in the bank.  Two newlines follow the
// register that takes the last name of the list.
int emit_register_placements(const SectionOutput& out) {
  std::size_t names_used = 1;  // pl_reg_bank's
  int in_bank = 0;
  for (const PlacedRegister& reg : out.registers) {
    if (reg.machine_register != nullptr) {
      out.arch.print("register %s\t\t%-3s asm (\"%s\");\n", reg.c_type(), reg.c_name(), reg.machine_register);
      out.register_map.print("#define %-18s\t\"%s\"\n", made_name(made::map_reg, reg.name.view()).c_str(),
                             reg.machine_register);
      if (++names_used == out.machine_list.size()) out.arch.put("\n\n");
    } else {
      out.arch.print("#define %s\t\t\t(((%-8s *) pl_reg_bank)[%s%d])\n", reg.c_name(), reg.c_type(), out.filler,
                     reg.bank_slot);
      out.register_map.print("#define %-17s\t((%s%d)*%d)\n", made_name(made::map_offset, reg.name.view()).c_str(),
                             out.filler, reg.bank_slot, bank_slot_bytes);
      ++in_bank;
    }
  }
  return in_bank;
}

void emit_counts(const SectionOutput& out, int not_allocated) {
  const int n = as_int(out.registers.size());
  out.arch.put("\n\n");
  out.arch.print("#define %-20s\t%d\n", names::nb_of_regs, n);
  out.arch.print("#define %-20s\t%d\n", names::nb_of_alloc_regs, n - not_allocated);
  out.arch.print("#define %-20s\t%d\n", names::nb_of_not_alloc_regs, not_allocated);
  out.arch.print("#define %-20s\t(%sNB_OF_NOT_ALLOC_REGS)\n", names::reg_bank_size, out.filler);
  out.arch.print("\n\n\n\n#define %s %d\n", names::nb_of_used_machine_regs, out.machine_registers.count());
  out.arch.put("\n");
}

// The signal save buffer, and bodies for the protection macros, only exist
// when there is more than one machine register to save.
bool has_signal_buffer(const SectionOutput& out) { return out.machine_registers.count() > 1; }

void emit_definitions(const SectionOutput& out) {
  out.arch.put("#ifdef ENGINE_FILE\n\n");
  out.arch.print("WamWord *%s;\n\n", names::save_reg_bank);
  if (has_signal_buffer(out)) out.arch.print("WamWord %s[NB_OF_USED_MACHINE_REGS + 1];\n\n", names::buff_signal_reg);
  out.arch.print("char *%s[] = { ", names::reg_tbl);
  const std::size_t last = out.registers.size() - 1;
  for (std::size_t n = 0; n <= last; ++n)
    out.arch.print("\"%s\"%s", out.registers[n].c_name(), n < last ? ", " : "};\n");
}

void emit_declarations(const SectionOutput& out) {
  out.arch.put("\n#else\n\n");
  out.arch.print("extern WamWord *%s;\n\n", names::save_reg_bank);
  if (has_signal_buffer(out)) out.arch.print("extern WamWord %s[];\n\n", names::buff_signal_reg);
  out.arch.print("extern char *%s[];\n", names::reg_tbl);
  out.arch.put("\n#endif\n\n");
  out.arch.print("#define %s(%s)  save_reg_bank = pl_reg_bank = %s\n", names::init_reg_bank, names::param_x,
                 names::param_x);
  out.arch.put("\n\n");
}

// The last register needs no index test: it answers every other i.
void emit_register_access(const SectionOutput& out) {
  out.arch.print("#define %s(%s)\t\t\t(", names::reg, names::param_i);
  const std::size_t last = out.registers.size() - 1;
  for (std::size_t n = 0; n < last; ++n)
    out.arch.print("((%s)==%d) ? (WamWord) %-3s\t: \\\n\t\t\t\t ", names::param_i, as_int(n),
                   out.registers[n].c_name());
  out.arch.print("           (WamWord) %s)\n", out.registers[last].c_name());
}

void emit_all_registers_macros(const SectionOutput& out) {
  out.arch.print("\n\n\n\n#define %s(%s) \\\n", names::save_all_regs, names::param_buff_save);
  out.arch.put("  do { \\\n");
  for (std::size_t n = 0; n < out.registers.size(); ++n)
    out.arch.print("    %s[%d] = (WamWord) %s; \\\n", names::param_buff_save, as_int(n), out.registers[n].c_name());
  out.arch.put("  } while(0)\n");

  out.arch.print("\n\n\n\n#define %s(%s) \\\n", names::restore_all_regs, names::param_buff_save);
  out.arch.put("  do { \\\n");
  for (std::size_t n = 0; n < out.registers.size(); ++n) {
    const PlacedRegister& reg = out.registers[n];
    out.arch.print("    %-6s = (%-8s) %s[%d]; \\\n", reg.c_name(), reg.c_type(), names::param_buff_save, as_int(n));
  }
  out.arch.put("  } while(0)\n");
}

// These run over the whole machine register table, earlier sections' entries
// included, since the engine reserves all of them.
void emit_machine_registers_macros(const SectionOutput& out) {
  const std::span<const MachineRegisterEntry> entries = out.machine_registers.entries();
  out.arch.print("\n\n\n\n#define %s(%s) \\\n", names::save_machine_regs, names::param_buff_save);
  out.arch.put("  do { \\\n");
  for (std::size_t i = 0; i < entries.size(); ++i)
    out.arch.print("    %s[%d] = (WamWord) %s; \\\n", names::param_buff_save, as_int(i),
                   entries[i].register_name.c_str());
  out.arch.put("  } while(0)\n");

  out.arch.print("\n\n#define %s(%s) \\\n", names::restore_machine_regs, names::param_buff_save);
  out.arch.put("  do { \\\n");
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const MachineRegisterEntry& entry = entries[i];
    out.arch.print("    %s = (%-8s) %s[%d]; \\\n", entry.register_name.c_str(), entry.type_name.c_str(),
                   names::param_buff_save, as_int(i));
  }
  out.arch.put("  } while(0)\n");
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
  out.arch.put("\n\n   /*--- Begin Register Generation ---*/\n\n");
  emit_bank_pointer(out);
  emit_counts(out, emit_register_placements(out));
  emit_definitions(out);
  emit_declarations(out);
  emit_register_access(out);
  emit_all_registers_macros(out);
  emit_machine_registers_macros(out);
  emit_signal_protection(out);
  out.arch.put("\n\n   /*--- End Register Generation ---*/\n\n");
}

}  // namespace

void emit_regs_section(const RegsSection& section, const MachineRegisters& machine_registers, Output& arch,
                       Output& register_map) {
  emit_section({arch, register_map, section.filler_prefix.c_str(), section.registers(), machine_registers.list(),
                machine_registers});
}

}  // namespace pl_config
