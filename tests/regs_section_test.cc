#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core_run.h"
#include "expect_run.h"
#include "expected.h"

namespace pl_config::testing {
namespace {

const char* const m1[] = {"m1"};
const char* const m1m2[] = {"m1", "m2"};
const char* const m1m2m3[] = {"m1", "m2", "m3"};
const std::string name30(30, 'N'), name31(31, 'N'), name32(32, 'N');

// Its ordinary lines are copied ahead of the section's block and after it.
const std::string worked_example =
    "/* registers */\n@begin regs\n@reg 1 WamWord R3\n /* bank layout */\n\n"  // lines 1 to 5
    "@filler 1\n@\treg 0 WamWordP R1 ignored\n@reg 0 WamWord R2\n@end of registers\ntail\n";

// pl_reg_bank takes the first machine register, the registers the others,
// in register order, as long as they last.
const std::string three_registers = regs("@reg 0 PlLong R1\n@reg 0 WamWord R2\n@reg 0 WamWord R3\n");

TEST(RegsReaderTest, PlacesTheRegistersInRegisterOrder) {
  const ReadCase cases[] = {
      {worked_example,
       {"2:8 bank variable filler [1+] hidden 0 | R1 WamWordP 0 7:9 7:18 slot 0 | R2 WamWord 0 8:8 8:16 slot 1"
        " | R3 WamWord 1 3:8 3:16 slot 2"}},
      {three_registers,
       {"1:8 bank m1 filler [] hidden 0 | R1 PlLong 0 2:8 2:15 m2 | R2 WamWord 0 3:8 3:16 slot 0"
        " | R3 WamWord 0 4:8 4:16 slot 1"},
       m1m2, "m1 (pl_reg_bank) m2 (R1) "},
      {regs("@reg 2 WamWord C\n@reg 10 WamWord Hidden\n@reg 0 WamWord A1\n@reg 14 WamWord Hidden\n"
            "@reg 0 WamWord A2\n@reg 1 WamWord B\n"),
       {"1:8 bank m1 filler [] hidden 2 | A1 WamWord 0 4:8 4:16 m2 | A2 WamWord 0 6:8 6:16 slot 0"
        " | B WamWord 1 7:8 7:16 slot 1 | C WamWord 2 2:8 2:16 slot 2"},
       m1m2, "m1 (pl_reg_bank) m2 (A1) "},
      // A second section takes machine registers of its own.
      {regs("@reg 0 WamWord R1\n") + regs("@reg 0 WamWord S1\n"),
       {"1:8 bank m1 filler [] hidden 0 | R1 WamWord 0 2:8 2:16 slot 0",
        "4:8 bank m1 filler [] hidden 0 | S1 WamWord 0 5:8 5:16 slot 0"},
       m1, "m1 (pl_reg_bank) m1 (pl_reg_bank) "},
      // The filler prefix is complete before the registers are placed;
      // integers are written back in decimal.
      {regs("@filler 2\n@reg 0 WamWord R1\n@filler X\n"),
       {"1:8 bank variable filler [2+X+] hidden 0 | R1 WamWord 0 3:8 3:16 slot 0"}},
      {regs("@filler 007\n@reg 0 WamWord R1\n"),
       {"1:8 bank variable filler [7+] hidden 0 | R1 WamWord 0 3:8 3:16 slot 0"}},
  };
  expect_read(cases);
}

TEST(RegsReaderTest, InputAtTheLimitsIsKeptWhole) {
  const CoreResult result =
      run_core(regs("@filler " + name30 + "\n@reg 14 WamWord Kept\n@reg 0 " + name31 + " " + name31 + "\n" +
                    repeated(50, "@reg 9 WamWord R<n>\n")));
  ASSERT_EQ(result.error, std::nullopt);
  ASSERT_EQ(result.regs.size(), 1u);
  const RegsSection& section = result.regs[0];
  EXPECT_EQ(section.registers().size(), 51u);
  const std::string first_two = "1:8 bank variable filler [" + name30 + "+] hidden 1 | " + name31 + " " + name31 +
                                " 0 4:8 4:40 slot 0 | R0 WamWord 9 5:8 5:16 slot 1 |";
  EXPECT_EQ(describe(section).substr(0, first_two.size()), first_two);
  expect_contains(result.arch_header,
                  {"#define NB_OF_REGS          \t51\n",
                   "#define " + name31 + "\t\t\t(((" + name31 + " *) pl_reg_bank)[" + name30 + "+0])\n"});
}

// Every check of a section, in its order.
TEST(RegsReaderTest, ErrorsInTheOrderOfTheChecks) {
  const std::string head = "lead\n@begin regs\ninside\n";
  const ErrorCase cases[] = {
      {head + "@reg 0 WamWord R1\nlast line", "", "Syntax error: end expected for @begin reg", 2},
      {head, "@begin regs\n", "incorrect @ declaration", 4},
      {head, "@reg 0 WamWord\n", "identifier expected", 4},
      {head, "@filler -1\n", "integer expected", 4},
      {head, "@reg 0x WamWord R1\n", "space expected after identifier", 4},
      {head + "@reg 0 WamWord R1\n", "@end", "space expected after identifier", 5},
      {"@begin regs\n@reg 0 WamWord R1\n", "@reg 0x WamWord R2\n", "space expected after identifier", 3, "@end\n"},
      // The limits, each checked after the line's syntax.
      {head, "@reg 15 WamWord\n", "identifier expected", 4},
      {head, "@reg 15 WamWord R1\n", "register group above 14", 4},
      {head + repeated(50, "@reg 3 WamWord R<n>\n"), "@reg 3 WamWord R50\n", "too many registers in group", 54},
      {head, "@reg 0 " + name32 + " R1\n", "name too long", 4},
      {head, "@reg 0 WamWord " + name32 + "\n", "name too long", 4},
      {head, "@filler " + name31 + "\n", "filler too long", 4},
      {head + "@filler " + name30 + "\n", "@filler 1\n", "filler too long", 5},
      {head + "// hidden\n@reg 10 WamWord R1\n", "@end\n", "no register in groups 0 to 9", 6},
  };
  expect_errors(cases);
}

// The parts of a register block that do not depend on its registers.
const std::string begin_banner = "\n\n   /*--- Begin Register Generation ---*/\n\n";
const std::string end_banner = "\n\n   /*--- End Register Generation ---*/\n\n";
const std::string empty_protect_macros =
    "\n\n\n\n#define Start_Protect_Regs_For_Signal\n\n\n#define Stop_Protect_Regs_For_Signal\n"
    "\n\n#define Restore_Protect_Regs_For_Signal\n";
const std::string protect_macros =
    "\n\n\n\n#define Start_Protect_Regs_For_Signal \\\n  do { \\\n    Save_Machine_Regs(pl_buff_signal_reg); \\\n"
    "    pl_buff_signal_reg[NB_OF_USED_MACHINE_REGS] = 1; \\\n  } while(0)\n\n\n"
    "#define Stop_Protect_Regs_For_Signal \\\n  pl_buff_signal_reg[NB_OF_USED_MACHINE_REGS] = 0; \\\n\n\n"
    "#define Restore_Protect_Regs_For_Signal \\\n  do { \\\n    if (pl_buff_signal_reg[NB_OF_USED_MACHINE_REGS]) { \\\n"
    "      Restore_Machine_Regs(pl_buff_signal_reg); \\\n"
    "      Stop_Protect_Regs_For_Signal; \\\n    } \\\n    pl_reg_bank = save_reg_bank; \\\n  } while(0)\n";

// The counts: `regs` registers, `allocated` of them in machine registers,
// `used` machine registers in the run's table.
std::string counts(int regs, int allocated, const std::string& filler, int used) {
  return "\n\n#define NB_OF_REGS          \t" + std::to_string(regs) + "\n#define NB_OF_ALLOC_REGS    \t" +
         std::to_string(allocated) + "\n#define NB_OF_NOT_ALLOC_REGS\t" + std::to_string(regs - allocated) +
         "\n#define REG_BANK_SIZE       \t(" + filler +
         "NB_OF_NOT_ALLOC_REGS)\n\n\n\n\n#define NB_OF_USED_MACHINE_REGS " + std::to_string(used) + "\n\n";
}

// The tables and Init_Reg_Bank; `signal_buffer`: with pl_buff_signal_reg.
std::string tables(const std::string& names, bool signal_buffer) {
  return std::string("#ifdef ENGINE_FILE\n\nWamWord *save_reg_bank;\n\n") +
         (signal_buffer ? "WamWord pl_buff_signal_reg[NB_OF_USED_MACHINE_REGS + 1];\n\n" : "") +
         "char *pl_reg_tbl[] = { " + names + "};\n\n#else\n\nextern WamWord *save_reg_bank;\n\n" +
         (signal_buffer ? "extern WamWord pl_buff_signal_reg[];\n\n" : "") +
         "extern char *pl_reg_tbl[];\n\n#endif\n\n#define Init_Reg_Bank(x)  save_reg_bank = pl_reg_bank = x\n\n\n";
}

// Reg(i) and the save and restore macros of three registers R1, R2, R3.
std::string three_register_macros(const std::string& r1_type) {
  return "#define Reg(i)\t\t\t(((i)==0) ? (WamWord) R1 \t: \\\n\t\t\t\t ((i)==1) ? (WamWord) R2 \t: \\\n"
         "\t\t\t\t            (WamWord) R3)\n\n\n\n\n#define Save_All_Regs(buff_save) \\\n  do { \\\n"
         "    buff_save[0] = (WamWord) R1; \\\n    buff_save[1] = (WamWord) R2; \\\n"
         "    buff_save[2] = (WamWord) R3; \\\n  } while(0)\n"
         "\n\n\n\n#define Restore_All_Regs(buff_save) \\\n  do { \\\n    R1     = (" + r1_type + ") buff_save[0]; \\\n"
         "    R2     = (WamWord ) buff_save[1]; \\\n    R3     = (WamWord ) buff_save[2]; \\\n  } while(0)\n";
}

// The block of a section whose one register is R1 of type WamWord, with the
// machine register list (m1): pl_reg_bank takes m1 and R1 has bank slot 0.
// `used` is the machine register table's count once the section has its entry.
std::string one_register_block(int used) {
  std::string save, restore;
  for (int i = 0; i < used; ++i) {
    save += "    buff_save[" + std::to_string(i) + "] = (WamWord) pl_reg_bank; \\\n";
    restore += "    pl_reg_bank = (WamWordP) buff_save[" + std::to_string(i) + "]; \\\n";
  }
  return begin_banner + "register WamWord \t\t*pl_reg_bank asm (\"m1\");\n\n" +
         "#define R1\t\t\t(((WamWord  *) pl_reg_bank)[0])\n" + counts(1, 0, "", used) + tables("\"R1\"", used > 1) +
         "#define Reg(i)\t\t\t(           (WamWord) R1)\n\n\n\n\n#define Save_All_Regs(buff_save) \\\n  do { \\\n"
         "    buff_save[0] = (WamWord) R1; \\\n  } while(0)\n\n\n\n\n#define Restore_All_Regs(buff_save) \\\n"
         "  do { \\\n    R1     = (WamWord ) buff_save[0]; \\\n  } while(0)\n"
         "\n\n\n\n#define Save_Machine_Regs(buff_save) \\\n  do { \\\n" +
         save + "  } while(0)\n\n\n#define Restore_Machine_Regs(buff_save) \\\n  do { \\\n" + restore +
         "  } while(0)\n" + (used > 1 ? protect_macros : empty_protect_macros) + end_banner;
}

const std::string one_register = regs("@reg 0 WamWord R1\n");
const std::string one_register_map = "#define MAP_REG_BANK\t\t\"m1\"\n\n#define MAP_OFFSET_R1    \t((0)*8)\n";

const std::string worked_example_block =
    begin_banner +
    "#ifdef ENGINE_FILE\n\n       WamWord \t\t\t*pl_reg_bank;\n\n#else\n\nextern WamWord \t\t\t*pl_reg_bank;\n\n"
    "#endif\n\n#define R1\t\t\t(((WamWordP *) pl_reg_bank)[1+0])\n#define R2\t\t\t(((WamWord  *) pl_reg_bank)[1+1])\n"
    "#define R3\t\t\t(((WamWord  *) pl_reg_bank)[1+2])\n" +
    counts(3, 0, "1+", 0) + tables("\"R1\", \"R2\", \"R3\"", false) + three_register_macros("WamWordP") +
    "\n\n\n\n#define Save_Machine_Regs(buff_save) \\\n  do { \\\n  } while(0)\n"
    "\n\n#define Restore_Machine_Regs(buff_save) \\\n  do { \\\n  } while(0)\n" +
    empty_protect_macros + end_banner;

TEST(RegsHeaderTest, BlockAndRegisterMapFromTheModel) {
  const struct {
    std::string description;
    std::span<const char* const> list;
    std::string arch_header;
    std::string register_map;
  } cases[] = {
      {worked_example, {}, "/* registers */\n /* bank layout */\n" + worked_example_block + "tail\n",
       "#define MAP_OFFSET_R1    \t((1+0)*8)\n#define MAP_OFFSET_R2    \t((1+1)*8)\n"
       "#define MAP_OFFSET_R3    \t((1+2)*8)\n"},
      {three_registers, m1m2,
       begin_banner +
           "register WamWord \t\t*pl_reg_bank asm (\"m1\");\n\nregister PlLong\t\tR1  asm (\"m2\");\n\n\n"
           "#define R2\t\t\t(((WamWord  *) pl_reg_bank)[0])\n"
           "#define R3\t\t\t(((WamWord  *) pl_reg_bank)[1])\n" +
           counts(3, 1, "", 2) + tables("\"R1\", \"R2\", \"R3\"", true) + three_register_macros("PlLong  ") +
           "\n\n\n\n#define Save_Machine_Regs(buff_save) \\\n  do { \\\n    buff_save[0] = (WamWord) pl_reg_bank; \\\n"
           "    buff_save[1] = (WamWord) R1; \\\n  } while(0)\n\n\n#define Restore_Machine_Regs(buff_save) \\\n"
           "  do { \\\n    pl_reg_bank = (WamWordP) buff_save[0]; \\\n"
           "    R1 = (PlLong  ) buff_save[1]; \\\n  } while(0)\n" +
           protect_macros + end_banner,
       "#define MAP_REG_BANK\t\t\"m1\"\n\n#define MAP_REG_R1        \t\"m2\"\n"
       "#define MAP_OFFSET_R2    \t((0)*8)\n#define MAP_OFFSET_R3    \t((1)*8)\n"},
      {one_register, m1, one_register_block(1), one_register_map},
      // The machine register macros cover every entry of the run so far.
      {one_register + one_register, m1, one_register_block(1) + one_register_block(2),
       one_register_map + one_register_map},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.description);
    const CoreResult result = run_core(c.description, c.list);
    EXPECT_EQ(result.arch_header, c.arch_header);
    EXPECT_EQ(result.register_map, c.register_map);
  }
}

// The table of the whole run holds 256 entries.  With the list (m1 m2 m3) a
// section takes one for pl_reg_bank and one for each register as long as the
// list lasts; a section must find room for all of its entries before it is
// placed, and is refused at its end line.
TEST(RegsReaderTest, MachineRegisterTableFullRefusesTheSection) {
  const std::string& one = one_register;
  const std::string two = regs("@reg 0 WamWord R1\n@reg 0 WamWord R2\n");
  const CoreResult fits = run_core(repeated(127, one) + "before\n" + one, m1m2m3);
  EXPECT_EQ(fits.error, std::nullopt);
  EXPECT_EQ(fits.machine_registers.count(), 256);
  const std::string message = "too many machine registers in use (the table holds 256)";
  const ErrorCase full[] = {
      {repeated(128, one) + "before\n" + one, "", message, 388, "", m1m2m3},
      // Room for the bank pointer's entry, not for the register's.
      {repeated(85, two) + "before\n" + one, "", message, 344, "", m1m2m3},
      // With the list (m1) a section takes one entry; below, a whole run of 256 sections.
      {repeated(257, one), "", message, 771, "", m1},
  };
  expect_errors(full);
  std::string arch_header;
  for (int count = 1; count <= 256; ++count) arch_header += one_register_block(count);
  expect_run(run_in_process(repeated(256, one), m1), 0, summary(256, repeated(256, "m1 (pl_reg_bank)  ") + "\n"), "",
             {{"wam_arch.h", arch_header},
              {"wam_regs.h", register_map_head + repeated(256, one_register_map) +
                                 register_usage(256, repeated(256, "-ffixed-m1 "))},
              {"wam_stacks.h", stack_header_head},
              {"th_public_config.h", version_macros}});
}

}  // namespace
}  // namespace pl_config::testing
