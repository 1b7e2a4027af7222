#include "description_check.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "expect_run.h"
#include "expected.h"
#include "tool_run.h"

namespace pl_config::testing {
namespace {

namespace fs = std::filesystem;

// A check writes its report, and no file: not a header, not a temporary one.
TEST(CheckTest, ReportsTheLayoutAndWritesNoFile) {
  const struct {
    const char* tool;
    std::string description;
    std::string report;
    std::string warnings = "";
  } cases[] = {
      {default_tool, read_file(PL_CONFIG_EXAMPLE_DEF),
       read_file(fs::path(PL_CONFIG_GOLDEN_DIR) / "example" / "check_report")},
      // Machine registers m1 and m2, a filler of numbers only, the low layout,
      // two sections of one kind, which would define InfStack twice.
      {m1m2_tool,
       "@begin regs\n@filler 2\n@reg 0 PlLong R1\n@filler 1\n@reg 0 WamWord R2\n@reg 1 WamWord R3\n@end\n"
       "@begin tags\n@tag ATOM short_uns 5\n@tag REF address 0\n@end\n"
       "@begin stacks\n@stack heap \"heap\" 16 H\n@end\n"
       "@begin stacks\n@stack trail \"trail\" 2 TR\n@end\n",
       "Register bank, regs section of line 1\n"
       "  pl_reg_bank  machine register m1\n"
       "  filler       3 words\n"
       "  register  type     slot  byte offset\n"
       "  R1        PlLong   machine register m2\n"
       "  R2        WamWord  3     24\n"
       "  R3        WamWord  4     32\n"
       "\n"
       "Tagged word, tags section of line 8\n"
       "  low layout, TAG_SIZE 3: tag bits t (3 low), value bits v (61)\n"
       "  bit 63                                                            bit 0\n"
       "  vvvvvvvv vvvvvvvv vvvvvvvv vvvvvvvv vvvvvvvv vvvvvvvv vvvvvvvv vvvvvttt\n"
       "  PL_MIN_INTEGER..PL_MAX_INTEGER  -1152921504606846976..1152921504606846975\n"
       "  tag   kind       value  mask\n"
       "  ATOM  short_uns      5  0x0000000000000005\n"
       "  REF   address        0  0x0000000000000000\n"
       "\n"
       "Stacks, stacks section of line 12\n"
       "  stack  words  bytes  top\n"
       "  heap    2048  16384  H\n"
       "\n"
       "Stacks, stacks section of line 15\n"
       "  stack  words  bytes  top\n"
       "  trail    256   2048  TR\n",
       "wam_arch.def:15:8: warning: a second stacks section: the headers define InfStack twice [second-section]\n"
       "   15 | @begin stacks\n"
       "      |        ^~~~~~\n"
       "wam_arch.def:12:8: note: first declared here\n"
       "   12 | @begin stacks\n"
       "      |        ^~~~~~\n"},
      {default_tool, "/* no section */\n", "No section: the description declares no register, tag or stack.\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.report.substr(0, c.report.find('\n')));
    expect_run(run_tool(c.tool, c.description, {.args = {"--check"}}), 0, c.report, c.warnings, {});
  }
}

// With --check or --located-errors, an error is written as compilers write
// theirs: FILE:LINE:COLUMN, the line, a caret under the field; a plain run's
// message stays as it was.
TEST(CheckTest, ErrorsAreLocatedAtTheirField) {
  const std::string x511(511, 'x');
  const struct {
    std::string description;
    std::string message;  // of a plain run
    std::string located;  // after "FILE:", the file's name as given standing for FILE in notes
  } cases[] = {
      {"// lead\n\n@begin Regs\n", "Syntax error: unknown section in: @begin Regs\n",
       "3:8: error: unknown section 'Regs'; did you mean 'regs'? (regs, tags, stacks)\n"
       "    3 | @begin Regs\n"
       "      |        ^~~~\n"},
      {std::string(1200, 'l') + "\n@ begin\n", "Syntax error: identifier expected in: @ begin\n",
       "2:8: error: identifier expected\n"
       "    2 | @ begin\n"
       "      |        ^\n"},
      // A piece that starts 511 bytes into a line is still on that line, and
      // its column counts from the line's start.
      {"a\n" + x511 + "@oops\n", "Syntax error: incorrect @ declaration in: @oops\n",
       "2:513: error: incorrect @ declaration 'oops' (begin)\n"
       "    2 | " + x511 + "@oops\n"
       "      | " + std::string(512, ' ') + "^~~~\n"},
      {"@begin regs\n@reg 0 WamWord R1\n@reg 0x WamWord R2\n@end\n",
       "Syntax error: space expected after identifier in: @reg 0x WamWord R2\n",
       "3:7: error: space expected after identifier\n"
       "    3 | @reg 0x WamWord R2\n"
       "      |       ^\n"},
      // Tabs expand to the next multiple of 8 columns.
      {"x\n@begin tags\n@tag A long_int 9\n\n@tag\tB Long_int 8\n@end\n",
       "Syntax error: wrong tag type in: @tag\tB Long_int 8\n",
       "5:8: error: wrong tag type 'Long_int'; did you mean 'long_int'? (long_int, short_uns, address)\n"
       "    5 | @tag    B Long_int 8\n"
       "      |           ^~~~~~~~\n"},
      {"@begin stacks\n// c\n@stack a \"d\" x T\n@end\n", "Syntax error: integer expected in: @stack a \"d\" x T\n",
       "3:14: error: integer expected\n"
       "    3 | @stack a \"d\" x T\n"
       "      |              ^\n"},
      // A missing field is just past the last one.
      {"@begin stacks\n@stack a \"d\"\n@end\n", "Syntax error: integer expected in: @stack a \"d\"\n",
       "2:13: error: integer expected\n"
       "    2 | @stack a \"d\"\n"
       "      |             ^\n"},
      // The section whose end line is missing, not the last line of the file.
      {"a\nb\n@begin stacks\n@stack a \"d\" 1 T\nc\n", "Syntax error: end expected for @begin stack",
       "3:8: error: end expected for @begin stack\n"
       "    3 | @begin stacks\n"
       "      |        ^~~~~~\n"},
      // An @begin inside a section: the section above was left unclosed.
      {"@begin regs\n@reg 0 WamWord R1\n@begin tags\n", "Syntax error: incorrect @ declaration in: @begin tags\n",
       "3:2: error: incorrect @ declaration 'begin' (filler, reg, end)\n"
       "    3 | @begin tags\n"
       "      |  ^~~~~\n"
       "FILE:1:8: note: section opened here\n"
       "    1 | @begin regs\n"
       "      |        ^~~~\n"},
      // Found at the end line, after the whole section.
      {"@begin tags\n@tag A long_int 0\n@tag B address 0\n@end\n", "There is an invalid tag value (repetition ?)\n",
       "4:2: error: There is an invalid tag value (repetition ?)\n"
       "    4 | @end\n"
       "      |  ^~~\n"
       "FILE:2:17: note: first declared here\n"
       "    2 | @tag A long_int 0\n"
       "      |                 ^\n"},
  };
  const auto named = [](std::string text, const std::string& file) {
    for (std::size_t at; (at = text.find("FILE:")) != std::string::npos;) text.replace(at, 4, file);
    return file + ":" + text;
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    // A check may warn about the lines too.
    const ToolResult check = run_tool(default_tool, c.description, {.args = {"--check"}});
    EXPECT_EQ(check.status, 1);
    EXPECT_NE(check.err.find(named(c.located, "wam_arch.def")), std::string::npos) << check.err;
    expect_run(run_tool(default_tool, c.description, {.args = {"--located-errors", "--description=./wam_arch.def"}}),
               1, summary_head, named(c.located, "./wam_arch.def"), {});
    expect_reading_error(run_tool(default_tool, c.description), c.message);
  }
}

// A check goes on after an error with the next line, and drops a section
// that had one; it stops after 20 errors.
TEST(CheckTest, EveryErrorOfADescription) {
  const std::string two_errors =
      "@begin tags\n@tag A long_int x\n@tag B address 1\n@tag C lng_int 2\n@end\n"
      "@begin stacks\n@stack heap \"h\" 1 H\n@end\n";
  expect_run(run_tool(default_tool, two_errors, {.args = {"--check"}}), 1,
             "Stacks, stacks section of line 6\n  stack  words  bytes  top\n  heap     128   1024  H\n",
             "wam_arch.def:2:17: error: integer expected\n"
             "    2 | @tag A long_int x\n"
             "      |                 ^\n"
             "wam_arch.def:4:8: error: wrong tag type 'lng_int'; did you mean 'long_int'?"
             " (long_int, short_uns, address)\n"
             "    4 | @tag C lng_int 2\n"
             "      |        ^~~~~~~\n",
             {});

  std::string many = "@begin regs\n";
  for (int i = 0; i < 25; ++i) many += "@reg x\n";
  const ToolResult stopped = run_tool(default_tool, many + "@end\n", {.args = {"--check"}});
  EXPECT_EQ(stopped.status, 1);
  EXPECT_TRUE(stopped.err.ends_with("wam_arch.def:21:6: error: integer expected\n"
                                    "   21 | @reg x\n"
                                    "      |      ^\n"
                                    "wam_arch.def: note: the check stops after 20 errors\n"));
}

}  // namespace
}  // namespace pl_config::testing
