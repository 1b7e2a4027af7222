#include <gtest/gtest.h>

#include <map>
#include <string>

#include "core_run.h"
#include "expect_run.h"
#include "expected.h"
#include "tool_run.h"

namespace pl_config::testing {
namespace {

std::string regs_section(const std::string& lines) { return "@begin regs\n" + lines + "@end\n"; }

// The parts of a register block that do not depend on its registers.
const std::string begin_banner = "\n\n   /*--- Begin Register Generation ---*/\n\n";
const std::string end_banner = "\n\n   /*--- End Register Generation ---*/\n\n";
const std::string bank_variable =
    "#ifdef ENGINE_FILE\n\n"
    "       WamWord \t\t\t*pl_reg_bank;\n"
    "\n#else\n\n"
    "extern WamWord \t\t\t*pl_reg_bank;\n"
    "\n#endif\n\n";
const std::string init_reg_bank = "#define Init_Reg_Bank(x)  save_reg_bank = pl_reg_bank = x\n\n\n";
const std::string empty_protect_macros =
    "\n\n\n\n#define Start_Protect_Regs_For_Signal\n"
    "\n\n#define Stop_Protect_Regs_For_Signal\n"
    "\n\n#define Restore_Protect_Regs_For_Signal\n";
const std::string protect_macros =
    "\n\n\n\n#define Start_Protect_Regs_For_Signal \\\n"
    "  do { \\\n"
    "    Save_Machine_Regs(pl_buff_signal_reg); \\\n"
    "    pl_buff_signal_reg[NB_OF_USED_MACHINE_REGS] = 1; \\\n"
    "  } while(0)\n"
    "\n\n#define Stop_Protect_Regs_For_Signal \\\n"
    "  pl_buff_signal_reg[NB_OF_USED_MACHINE_REGS] = 0; \\\n"
    "\n\n#define Restore_Protect_Regs_For_Signal \\\n"
    "  do { \\\n"
    "    if (pl_buff_signal_reg[NB_OF_USED_MACHINE_REGS]) { \\\n"
    "      Restore_Machine_Regs(pl_buff_signal_reg); \\\n"
    "      Stop_Protect_Regs_For_Signal; \\\n"
    "    } \\\n"
    "    pl_reg_bank = save_reg_bank; \\\n"
    "  } while(0)\n";

// Reg(i) and the save and restore macros of three registers R1, R2, R3.
std::string three_register_macros(const std::string& r1_type) {
  return "#define Reg(i)\t\t\t(((i)==0) ? (WamWord) R1 \t: \\\n"
         "\t\t\t\t ((i)==1) ? (WamWord) R2 \t: \\\n"
         "\t\t\t\t            (WamWord) R3)\n"
         "\n\n\n\n#define Save_All_Regs(buff_save) \\\n"
         "  do { \\\n"
         "    buff_save[0] = (WamWord) R1; \\\n"
         "    buff_save[1] = (WamWord) R2; \\\n"
         "    buff_save[2] = (WamWord) R3; \\\n"
         "  } while(0)\n"
         "\n\n\n\n#define Restore_All_Regs(buff_save) \\\n"
         "  do { \\\n"
         "    R1     = (" + r1_type + ") buff_save[0]; \\\n"
         "    R2     = (WamWord ) buff_save[1]; \\\n"
         "    R3     = (WamWord ) buff_save[2]; \\\n"
         "  } while(0)\n";
}

void expect_complete_run(const ToolResult& result, const std::string& arch_header, const std::string& register_map,
                         const std::string& out) {
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.out, out);
  const std::map<std::string, std::string> files = {{"wam_arch.h", arch_header},
                                                    {"wam_regs.h", register_map},
                                                    {"wam_stacks.h", stack_header_head},
                                                    {"th_public_config.h", version_macros}};
  EXPECT_EQ(result.files, files);
}

TEST(RegsSectionTest, WorkedExampleWithoutMachineRegisters) {
  const std::string description =
      "/* registers */\n"
      "@begin regs\n"
      "@reg 1 WamWord R3\n"
      " /* bank layout */\n"
      "\n"
      "@filler 1\n"
      "@\treg 0 WamWordP R1 ignored\n"
      "@reg 0 WamWord R2\n"
      "@end of registers\n"
      "tail\n";
  const std::string arch_header =
      "/* registers */\n /* bank layout */\n" + begin_banner + bank_variable +
      "#define R1\t\t\t(((WamWordP *) pl_reg_bank)[1+0])\n"
      "#define R2\t\t\t(((WamWord  *) pl_reg_bank)[1+1])\n"
      "#define R3\t\t\t(((WamWord  *) pl_reg_bank)[1+2])\n"
      "\n\n"
      "#define NB_OF_REGS          \t3\n"
      "#define NB_OF_ALLOC_REGS    \t0\n"
      "#define NB_OF_NOT_ALLOC_REGS\t3\n"
      "#define REG_BANK_SIZE       \t(1+NB_OF_NOT_ALLOC_REGS)\n"
      "\n\n\n\n#define NB_OF_USED_MACHINE_REGS 0\n"
      "\n"
      "#ifdef ENGINE_FILE\n\n"
      "WamWord *save_reg_bank;\n\n"
      "char *pl_reg_tbl[] = { \"R1\", \"R2\", \"R3\"};\n"
      "\n#else\n\n"
      "extern WamWord *save_reg_bank;\n\n"
      "extern char *pl_reg_tbl[];\n"
      "\n#endif\n\n" +
      init_reg_bank + three_register_macros("WamWordP") +
      "\n\n\n\n#define Save_Machine_Regs(buff_save) \\\n  do { \\\n  } while(0)\n"
      "\n\n#define Restore_Machine_Regs(buff_save) \\\n  do { \\\n  } while(0)\n" +
      empty_protect_macros + end_banner + "tail\n";
  const std::string register_map = register_map_head +
                                   "#define MAP_OFFSET_R1    \t((1+0)*8)\n"
                                   "#define MAP_OFFSET_R2    \t((1+1)*8)\n"
                                   "#define MAP_OFFSET_R3    \t((1+2)*8)\n" +
                                   register_usage();
  expect_complete_run(run_tool(default_tool, description), arch_header, register_map, summary());
}

TEST(RegsSectionTest, TwoMachineRegistersBindBankPointerAndFirstRegister) {
  const std::string description = regs_section("@reg 0 PlLong R1\n@reg 0 WamWord R2\n@reg 0 WamWord R3\n");
  const std::string arch_header =
      begin_banner +
      "register WamWord \t\t*pl_reg_bank asm (\"m1\");\n\n"
      "register PlLong\t\tR1  asm (\"m2\");\n"
      "\n\n"
      "#define R2\t\t\t(((WamWord  *) pl_reg_bank)[0])\n"
      "#define R3\t\t\t(((WamWord  *) pl_reg_bank)[1])\n"
      "\n\n"
      "#define NB_OF_REGS          \t3\n"
      "#define NB_OF_ALLOC_REGS    \t1\n"
      "#define NB_OF_NOT_ALLOC_REGS\t2\n"
      "#define REG_BANK_SIZE       \t(NB_OF_NOT_ALLOC_REGS)\n"
      "\n\n\n\n#define NB_OF_USED_MACHINE_REGS 2\n"
      "\n"
      "#ifdef ENGINE_FILE\n\n"
      "WamWord *save_reg_bank;\n\n"
      "WamWord pl_buff_signal_reg[NB_OF_USED_MACHINE_REGS + 1];\n\n"
      "char *pl_reg_tbl[] = { \"R1\", \"R2\", \"R3\"};\n"
      "\n#else\n\n"
      "extern WamWord *save_reg_bank;\n\n"
      "extern WamWord pl_buff_signal_reg[];\n\n"
      "extern char *pl_reg_tbl[];\n"
      "\n#endif\n\n" +
      init_reg_bank + three_register_macros("PlLong  ") +
      "\n\n\n\n#define Save_Machine_Regs(buff_save) \\\n"
      "  do { \\\n"
      "    buff_save[0] = (WamWord) pl_reg_bank; \\\n"
      "    buff_save[1] = (WamWord) R1; \\\n"
      "  } while(0)\n"
      "\n\n#define Restore_Machine_Regs(buff_save) \\\n"
      "  do { \\\n"
      "    pl_reg_bank = (WamWordP) buff_save[0]; \\\n"
      "    R1 = (PlLong  ) buff_save[1]; \\\n"
      "  } while(0)\n" +
      protect_macros + end_banner;
  const std::string register_map = register_map_head +
                                   "#define MAP_REG_BANK\t\t\"m1\"\n\n"
                                   "#define MAP_REG_R1        \t\"m2\"\n"
                                   "#define MAP_OFFSET_R2    \t((0)*8)\n"
                                   "#define MAP_OFFSET_R3    \t((1)*8)\n" +
                                   register_usage(2, "-ffixed-m1 -ffixed-m2 ");
  expect_complete_run(run_tool(m1m2_tool, description), arch_header, register_map,
                      summary(2, "m1 (pl_reg_bank)  m2 (R1)  \n"));
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
  const bool signal_buffer = used > 1;
  return begin_banner +
         "register WamWord \t\t*pl_reg_bank asm (\"m1\");\n\n"
         "#define R1\t\t\t(((WamWord  *) pl_reg_bank)[0])\n"
         "\n\n"
         "#define NB_OF_REGS          \t1\n"
         "#define NB_OF_ALLOC_REGS    \t0\n"
         "#define NB_OF_NOT_ALLOC_REGS\t1\n"
         "#define REG_BANK_SIZE       \t(NB_OF_NOT_ALLOC_REGS)\n"
         "\n\n\n\n#define NB_OF_USED_MACHINE_REGS " +
         std::to_string(used) +
         "\n"
         "\n"
         "#ifdef ENGINE_FILE\n\n"
         "WamWord *save_reg_bank;\n\n" +
         (signal_buffer ? "WamWord pl_buff_signal_reg[NB_OF_USED_MACHINE_REGS + 1];\n\n" : "") +
         "char *pl_reg_tbl[] = { \"R1\"};\n"
         "\n#else\n\n"
         "extern WamWord *save_reg_bank;\n\n" +
         (signal_buffer ? "extern WamWord pl_buff_signal_reg[];\n\n" : "") +
         "extern char *pl_reg_tbl[];\n"
         "\n#endif\n\n" +
         init_reg_bank +
         "#define Reg(i)\t\t\t(           (WamWord) R1)\n"
         "\n\n\n\n#define Save_All_Regs(buff_save) \\\n  do { \\\n"
         "    buff_save[0] = (WamWord) R1; \\\n"
         "  } while(0)\n"
         "\n\n\n\n#define Restore_All_Regs(buff_save) \\\n  do { \\\n"
         "    R1     = (WamWord ) buff_save[0]; \\\n"
         "  } while(0)\n"
         "\n\n\n\n#define Save_Machine_Regs(buff_save) \\\n  do { \\\n" +
         save +
         "  } while(0)\n"
         "\n\n#define Restore_Machine_Regs(buff_save) \\\n  do { \\\n" +
         restore + "  } while(0)\n" + (signal_buffer ? protect_macros : empty_protect_macros) + end_banner;
}

const std::string one_register_map = "#define MAP_REG_BANK\t\t\"m1\"\n\n#define MAP_OFFSET_R1    \t((0)*8)\n";

TEST(RegsSectionTest, OneMachineRegisterAndOneRegister) {
  expect_complete_run(run_tool(m1_tool, regs_section("@reg 0 WamWord R1\n")), one_register_block(1),
                      register_map_head + one_register_map + register_usage(1, "-ffixed-m1 "),
                      summary(1, "m1 (pl_reg_bank)  \n"));
}

TEST(RegsSectionTest, FillerValuesPrefixEveryBankSlot) {
  // The prefix is complete before anything is written: a filler line after
  // the register still counts.
  const CoreResult letters = run_core(regs_section("@filler 2\n@reg 0 WamWord R1\n@filler X\n"));
  EXPECT_FALSE(letters.error);
  EXPECT_NE(letters.arch_header.find("#define R1\t\t\t(((WamWord  *) pl_reg_bank)[2+X+0])\n"), std::string::npos);
  EXPECT_NE(letters.arch_header.find("#define REG_BANK_SIZE       \t(2+X+NB_OF_NOT_ALLOC_REGS)\n"), std::string::npos);
  EXPECT_NE(letters.register_map.find("#define MAP_OFFSET_R1    \t((2+X+0)*8)\n"), std::string::npos);

  const CoreResult zeros = run_core(regs_section("@filler 007\n@reg 0 WamWord R1\n"));
  EXPECT_NE(zeros.arch_header.find("pl_reg_bank)[7+0])\n"), std::string::npos);
}

TEST(RegsSectionTest, RegisterOrderFollowsGroupsAndSkipsGroupsTenToFourteen) {
  const char* const list[] = {"m1", "m2"};
  const CoreResult result = run_core(regs_section("@reg 2 WamWord C\n@reg 10 WamWord Hidden\n@reg 0 WamWord A1\n"
                                                  "@reg 14 WamWord Hidden\n@reg 0 WamWord A2\n@reg 1 WamWord B\n"),
                                     list);
  EXPECT_FALSE(result.error);
  EXPECT_NE(result.arch_header.find("char *pl_reg_tbl[] = { \"A1\", \"A2\", \"B\", \"C\"};\n"), std::string::npos);
  EXPECT_NE(result.arch_header.find("#define NB_OF_REGS          \t4\n"), std::string::npos);
  EXPECT_EQ(result.arch_header.find("Hidden"), std::string::npos);
  EXPECT_EQ(result.register_map.find("Hidden"), std::string::npos);
  EXPECT_EQ(result.used_registers, "m1 (pl_reg_bank) m2 (A1) ");
}

TEST(RegsSectionTest, SecondSectionCoversEveryMachineRegisterOfTheRun) {
  const char* const list[] = {"m1"};
  const CoreResult result = run_core(regs_section("@reg 0 WamWord R1\n") + regs_section("@reg 0 WamWord S1\n"), list);
  ASSERT_FALSE(result.error);
  EXPECT_EQ(result.used_registers, "m1 (pl_reg_bank) m1 (pl_reg_bank) ");
  const std::size_t second = result.arch_header.find(begin_banner, begin_banner.size());
  ASSERT_NE(second, std::string::npos);
  const std::string first_block = result.arch_header.substr(0, second);
  const std::string second_block = result.arch_header.substr(second);

  EXPECT_NE(first_block.find("NB_OF_USED_MACHINE_REGS 1\n"), std::string::npos);
  EXPECT_EQ(first_block.find("pl_buff_signal_reg"), std::string::npos);
  EXPECT_NE(first_block.find(empty_protect_macros), std::string::npos);

  EXPECT_NE(second_block.find("NB_OF_USED_MACHINE_REGS 2\n"), std::string::npos);
  EXPECT_NE(second_block.find("WamWord pl_buff_signal_reg[NB_OF_USED_MACHINE_REGS + 1];\n\n"), std::string::npos);
  EXPECT_NE(second_block.find("    buff_save[0] = (WamWord) pl_reg_bank; \\\n"
                              "    buff_save[1] = (WamWord) pl_reg_bank; \\\n"
                              "  } while(0)\n"
                              "\n\n#define Restore_Machine_Regs(buff_save) \\\n"
                              "  do { \\\n"
                              "    pl_reg_bank = (WamWordP) buff_save[0]; \\\n"
                              "    pl_reg_bank = (WamWordP) buff_save[1]; \\\n"
                              "  } while(0)\n" +
                              protect_macros + end_banner),
            std::string::npos);
}

const std::string name31(31, 'N');
const std::string name32(32, 'N');

// `count` register lines for group `group`, registers R0, R1, ...
std::string group_lines(int group, int count) {
  std::string lines;
  for (int i = 0; i < count; ++i) lines += "@reg " + std::to_string(group) + " WamWord R" + std::to_string(i) + "\n";
  return lines;
}

// Every check of a section, in its order; a failed run writes no file.
TEST(RegsSectionTest, ErrorsStopBeforeAnyGeneratedText) {
  const struct {
    std::string lines;  // after "@begin regs" and an ordinary line
    std::string message;
  } cases[] = {
      {"@reg 0 WamWord R1\nlast line", "Syntax error: end expected for @begin reg"},
      {"@begin regs\n", "Syntax error: incorrect @ declaration in: @begin regs\n"},
      {"@reg 0 WamWord\n", "Syntax error: identifier expected in: @reg 0 WamWord\n"},
      {"@filler -1\n", "Syntax error: integer expected in: @filler -1\n"},
      {"@reg 0x WamWord R1\n", "Syntax error: space expected after identifier in: @reg 0x WamWord R1\n"},
      {"@reg 0 WamWord R1\n@end", "Syntax error: space expected after identifier in: @end"},
      // The limits, each checked after the line's syntax.
      {"@reg 15 WamWord\n", "Syntax error: identifier expected in: @reg 15 WamWord\n"},
      {"@reg 15 WamWord R1\n", "Syntax error: register group above 14 in: @reg 15 WamWord R1\n"},
      {group_lines(3, 51), "Syntax error: too many registers in group in: @reg 3 WamWord R50\n"},
      {"@reg 0 " + name32 + " R1\n", "Syntax error: name too long in: @reg 0 " + name32 + " R1\n"},
      {"@reg 0 WamWord " + name32 + "\n", "Syntax error: name too long in: @reg 0 WamWord " + name32 + "\n"},
      {"@filler " + name31 + "\n", "Syntax error: filler too long in: @filler " + name31 + "\n"},
      {"@filler " + name31.substr(1) + "\n@filler 1\n", "Syntax error: filler too long in: @filler 1\n"},
      {"// hidden\n@reg 10 WamWord R1\n@end\n", "Syntax error: no register in groups 0 to 9 in: @end\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lines);
    expect_reading_error(run_tool(default_tool, "lead\n@begin regs\ninside\n" + c.lines), c.message);
  }
}

TEST(RegsSectionTest, InputAtTheLimitsIsAccepted) {
  const CoreResult result =
      run_core(regs_section("@filler " + name31.substr(1) + "\n@reg 14 WamWord Kept\n@reg 0 " + name31 + " " +
                            name31 + "\n" + group_lines(9, 50)));
  ASSERT_FALSE(result.error);
  EXPECT_NE(result.arch_header.find("#define NB_OF_REGS          \t51\n"), std::string::npos);
  EXPECT_NE(result.arch_header.find("#define " + name31 + "\t\t\t(((" + name31 + " *) pl_reg_bank)[" +
                                    name31.substr(1) + "+0])\n"),
            std::string::npos);
}

TEST(RegsSectionTest, MachineRegisterTableFullStopsBeforeTheSection) {
  // With the list (m1 m2 m3) a section takes an entry for pl_reg_bank and one
  // for each register, as long as the list lasts.  The last section, with one
  // register, must find room for both of its entries before it writes a byte.
  const char* const list[] = {"m1", "m2", "m3"};
  const std::string one = regs_section("@reg 0 WamWord R1\n");
  const std::string two = regs_section("@reg 0 WamWord R1\n@reg 0 WamWord R2\n");
  const auto times = [](const std::string& section, int n) {
    std::string sections;
    for (int i = 0; i < n; ++i) sections += section;
    return sections;
  };
  const struct {
    std::string before;  // sections that fill `used` entries
    int used;
    bool fits;
  } cases[] = {
      {times(one, 127), 254, true},
      {times(one, 128), 256, false},
      // Room for the bank pointer's entry, not for the register's.
      {times(two, 85), 255, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.used);
    const CoreResult result = run_core(c.before + "before\n" + one, list);
    if (c.fits) {
      EXPECT_FALSE(result.error);
      EXPECT_EQ(result.machine_register_count, c.used + 2);
    } else {
      EXPECT_EQ(result.error, "too many machine registers in use (the table holds 256)");
      EXPECT_EQ(result.machine_register_count, c.used);
      EXPECT_TRUE(result.arch_header.ends_with(end_banner + "before\n"));
    }
  }
}

TEST(RegsSectionTest, MachineRegisterTableOverflowEndToEnd) {
  // With the list (m1) each section takes one entry: 256 sections fill the
  // table, and a 257th is refused at its end line.
  const std::string section = regs_section("@reg 0 WamWord R1\n");
  std::string description, arch_header, register_map = register_map_head, used, options;
  for (int count = 1; count <= 256; ++count) {
    description += section;
    arch_header += one_register_block(count);
    register_map += one_register_map;
    used += "m1 (pl_reg_bank)  ";
    options += "-ffixed-m1 ";
  }
  expect_run(run_tool(m1_tool, description), 0, summary(256, used + "\n"), "",
             {{"wam_arch.h", arch_header},
              {"wam_regs.h", register_map + register_usage(256, options)},
              {"wam_stacks.h", stack_header_head},
              {"th_public_config.h", version_macros}});
  expect_run(run_tool(m1_tool, description + section), 1, summary_head,
             "too many machine registers in use (the table holds 256)\n", {});
}

}  // namespace
}  // namespace pl_config::testing
