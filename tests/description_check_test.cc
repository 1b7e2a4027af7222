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
// Checks of other descriptions are the case folders check-*.
TEST(CheckTest, ReportsTheLayoutAndWritesNoFile) {
  expect_run(run_tool(default_tool, read_file(PL_CONFIG_EXAMPLE_DEF), {.args = {"--check"}}), 0,
             read_file(fs::path(PL_CONFIG_GOLDEN_DIR) / "example" / "check_report"), "", {});
}

// A Windows tool reads the description as text: a CR before a newline
// never reaches its reader.
constexpr const char* read_carriage_return = windows_tools ? "" : "\r";

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
       "    2 | " +
           x511 +
           "@oops\n"
           "      | " +
           std::string(512, ' ') + "^~~~\n"},
      {"@begin regs\n@reg 0 WamWord* R1\n@end\n",
       "Syntax error: space expected after identifier in: @reg 0 WamWord* R1\n",
       "2:15: error: space expected after identifier\n"
       "    2 | @reg 0 WamWord* R1\n"
       "      |               ^\n"},
      // A number with letters after it is a word; the plain message is as it was.
      {"@begin regs\n@reg 0 WamWord R1\n@reg 0x WamWord R2\n@end\n",
       "Syntax error: space expected after identifier in: @reg 0x WamWord R2\n",
       "3:6: error: integer expected\n"
       "    3 | @reg 0x WamWord R2\n"
       "      |      ^~\n"},
      {"@begin stacks\n@stack a \"d\" 12abc T\n@end\n",
       "Syntax error: space expected after identifier in: @stack a \"d\" 12abc T\n",
       "2:14: error: integer expected\n"
       "    2 | @stack a \"d\" 12abc T\n"
       "      |              ^~~~~\n"},
      // A byte above 127 in a name, or where one begins.
      {"@begin tags\n@tag CAF\xc3\x89 long_int 4\n@end\n",
       "Syntax error: space expected after identifier in: @tag CAF\xc3\x89 long_int 4\n",
       "2:9: error: non-ASCII byte: a name is ASCII letters, digits and '_'\n"
       "    2 | @tag CAF\xc3\x89 long_int 4\n"
       "      |         ^\n"},
      {"@begin tags\n@tag \xc3\x89T long_int 4\n@end\n",
       "Syntax error: identifier expected in: @tag \xc3\x89T long_int 4\n",
       "2:6: error: non-ASCII byte: a name is ASCII letters, digits and '_'\n"
       "    2 | @tag \xc3\x89T long_int 4\n"
       "      |      ^\n"},
      {"@begin tags\n@tag A long_int 1_073_741_824\n@end\n",
       "Syntax error: tag value too large in: @tag A long_int 1_073_741_824\n",
       "2:17: error: tag value too large '1073741824' (the largest is 1073741823)\n"
       "    2 | @tag A long_int 1_073_741_824\n"
       "      |                 ^~~~~~~~~~~~~\n"},
      // The last line without a newline: a note where a newline would have
      // ended a word, and an end line ended so still ends its section.
      {"@begin regs\n@reg 0 WamWord R1\n@end", "Syntax error: space expected after identifier in: @end",
       "3:5: error: space expected after identifier\n"
       "    3 | @end\n"
       "      |     ^\n"
       "FILE: note: the last line has no newline: end the file with one\n"},
      {"@begin regs\n@reg 0 WamWord " + std::string(600, 'R') + "\n@end\n",
       "Syntax error: space expected after identifier in: @reg 0 WamWord " + std::string(496, 'R'),
       "2:512: error: space expected after identifier\n"
       "    2 | @reg 0 WamWord " +
           std::string(496, 'R') +
           "\n"
           "      | " +
           std::string(511, ' ') + "^\n"},
      {"@begin tags\n@tag A long_int ", "Syntax error: integer expected in: @tag A long_int ",
       "2:16: error: integer expected\n"
       "    2 | @tag A long_int \n"
       "      |                ^\n"},
      // The carriage return of a CRLF file is not shown (and on Windows,
      // which reads the description as text, never reaches the reader).
      {"@begin regs\r\n@reg 0 WamWord* R1\r\n@end\r\n",
       std::string("Syntax error: space expected after identifier in: @reg 0 WamWord* R1") + read_carriage_return +
           "\n",
       "2:15: error: space expected after identifier\n"
       "    2 | @reg 0 WamWord* R1\n"
       "      |               ^\n"},
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
    expect_run(run_tool(default_tool, c.description, {.args = {"--located-errors", "--description=./wam_arch.def"}}), 1,
               summary_head, named(c.located, "./wam_arch.def"), {});
    expect_reading_error(run_tool(default_tool, c.description), c.message);
  }
}

// A check goes on after an error with the next line, and drops a section
// that had one, so that each mistake gives one error (the case folders
// check-*, docs/description-format.md "Messages as compilers write them");
// it stops after 20 errors.
TEST(CheckTest, StopsAfter20Errors) {
  std::string many = "@begin regs\n";
  for (int i = 0; i < 25; ++i) many += "@reg x\n";
  const ToolResult stopped = run_tool(default_tool, many + "@end\n", {.args = {"--check"}});
  EXPECT_EQ(stopped.status, 1);
  EXPECT_TRUE(
      stopped.err.ends_with("wam_arch.def:21:6: error: integer expected\n"
                            "   21 | @reg x\n"
                            "      |      ^\n"
                            "wam_arch.def: note: the check stops after 20 errors\n"));
}

}  // namespace
}  // namespace pl_config::testing
