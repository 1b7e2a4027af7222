#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core_run.h"
#include "expect_run.h"

namespace pl_config::testing {
namespace {

const char* const m1[] = {"m1"};
const char* const m1m2[] = {"m1", "m2"};
const char* const m1m2m3[] = {"m1", "m2", "m3"};
const std::string name30(30, 'N'), name31(31, 'N'), name32(32, 'N');

// Its headers: the case folder regs-worked-example.
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
       m1m2,
       "m1 (pl_reg_bank) m2 (R1) "},
      {regs("@reg 2 WamWord C\n@reg 10 WamWord Hidden\n@reg 0 WamWord A1\n@reg 14 WamWord Hidden\n"
            "@reg 0 WamWord A2\n@reg 1 WamWord B\n"),
       {"1:8 bank m1 filler [] hidden 2 | A1 WamWord 0 4:8 4:16 m2 | A2 WamWord 0 6:8 6:16 slot 0"
        " | B WamWord 1 7:8 7:16 slot 1 | C WamWord 2 2:8 2:16 slot 2"},
       m1m2,
       "m1 (pl_reg_bank) m2 (A1) "},
      // A second section takes machine registers of its own.
      {regs("@reg 0 WamWord R1\n") + regs("@reg 0 WamWord S1\n"),
       {"1:8 bank m1 filler [] hidden 0 | R1 WamWord 0 2:8 2:16 slot 0",
        "4:8 bank m1 filler [] hidden 0 | S1 WamWord 0 5:8 5:16 slot 0"},
       m1,
       "m1 (pl_reg_bank) m1 (pl_reg_bank) "},
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
  const CoreResult result = run_core(regs("@filler " + name30 + "\n@reg 14 WamWord Kept\n@reg 0 " + name31 + " " +
                                          name31 + "\n" + repeated(50, "@reg 9 WamWord R<n>\n")));
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

// The table of the whole run holds 256 entries.  With the list (m1 m2 m3) a
// section takes one for pl_reg_bank and one for each register as long as the
// list lasts; a section must find room for all of its entries before it is
// placed, and is refused at its end line.
TEST(RegsReaderTest, MachineRegisterTableFullRefusesTheSection) {
  const std::string one = regs("@reg 0 WamWord R1\n");
  const std::string two = regs("@reg 0 WamWord R1\n@reg 0 WamWord R2\n");
  const CoreResult fits = run_core(repeated(127, one) + "before\n" + one, m1m2m3);
  EXPECT_EQ(fits.error, std::nullopt);
  EXPECT_EQ(fits.machine_registers.count(), 256);
  const std::string message = "too many machine registers in use (the table holds 256)";
  const ErrorCase full[] = {
      {repeated(128, one) + "before\n" + one, "", message, 388, "", m1m2m3},
      // Room for the bank pointer's entry, not for the register's.
      {repeated(85, two) + "before\n" + one, "", message, 344, "", m1m2m3},
      // With the list (m1) a section takes one entry; 256 sections: the case folder regs-256-sections-m1.
      {repeated(257, one), "", message, 771, "", m1},
  };
  expect_errors(full);
}

}  // namespace
}  // namespace pl_config::testing
