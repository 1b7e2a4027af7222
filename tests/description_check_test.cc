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

// After an error a check goes on from the next line it can make sense of,
// so that each mistake gives one error (docs/description-format.md, "Messages
// as compilers write them"); the case folders check-misspelt-end and the
// like hold the mistakes most made.  The stacks section that most rows end
// with is read as if nothing had gone before.
TEST(CheckTest, EachMistakeGivesOneError) {
  const std::string heap = "@begin stacks\n@stack heap \"h\" 1 H\n@end\n";
  const auto heap_at = [](int line) {
    return "Stacks, stacks section of line " + std::to_string(line) +
           "\n  stack  words  bytes  top\n  heap     128   1024  H\n";
  };
  const struct {
    std::string description;
    std::string err;
    std::string out;
  } cases[] = {
      // A misspelt end line, then a line of another section's word: its
      // lines are passed over up to an end line.
      {"@begin regs\n@reg 0 WamWordP H\n@ed\n@stack heap \"h\" 1 H\n@end\n" + heap,
       "wam_arch.def:3:2: error: incorrect @ declaration 'ed'; did you mean 'end'? (filler, reg, end)\n"
       "    3 | @ed\n"
       "      |  ^~\n"
       "wam_arch.def:4:2: note: the section ends here: this line cannot belong to it\n"
       "    4 | @stack heap \"h\" 1 H\n"
       "      |  ^~~~~\n",
       heap_at(6)},
      // At the end of the file the misspelt end line says it all.
      {"@begin regs\n@reg 0 WamWordP H\n@endd\n",
       "wam_arch.def:3:2: error: incorrect @ declaration 'endd'; did you mean 'end'? (filler, reg, end)\n"
       "    3 | @endd\n"
       "      |  ^~~~\n",
       ""},
      {"@begin regs\n@reg 0 WamWordP H\n@end",
       "wam_arch.def:3:5: error: space expected after identifier\n"
       "    3 | @end\n"
       "      |     ^\n"
       "wam_arch.def: note: the last line has no newline: end the file with one\n",
       ""},
      // Any other directive line after it: it was a wrong word, not the end,
      // and the section goes on.
      {"@begin regs\n@reg 0 WamWordP H\n@endd\n@rge 0 WamWordP B\n@reg 0 WamWordP C\n@end\n" + heap,
       "wam_arch.def:3:2: error: incorrect @ declaration 'endd'; did you mean 'end'? (filler, reg, end)\n"
       "    3 | @endd\n"
       "      |  ^~~~\n"
       "wam_arch.def:4:2: error: incorrect @ declaration 'rge'; did you mean 'reg'? (filler, reg, end)\n"
       "    4 | @rge 0 WamWordP B\n"
       "      |  ^~~\n",
       heap_at(7)},
      // A word far from "end", and the end line missing too: two mistakes.
      {"@begin regs\n@rge 0 WamWordP H\n" + heap,
       "wam_arch.def:2:2: error: incorrect @ declaration 'rge'; did you mean 'reg'? (filler, reg, end)\n"
       "    2 | @rge 0 WamWordP H\n"
       "      |  ^~~\n"
       "wam_arch.def:3:2: error: incorrect @ declaration 'begin' (filler, reg, end)\n"
       "    3 | @begin stacks\n"
       "      |  ^~~~~\n"
       "wam_arch.def:1:8: note: section opened here\n"
       "    1 | @begin regs\n"
       "      |        ^~~~\n",
       heap_at(3)},
      // Outside sections: the lines after a line that opens none are passed
      // over up to an opening line, or an end line; after an end line, none.
      {"@tag A address 0\n@tag B address 1\n" + heap,
       "wam_arch.def:1:2: error: incorrect @ declaration 'tag' (begin)\n"
       "    1 | @tag A address 0\n"
       "      |  ^~~\n",
       heap_at(3)},
      {"@end\n@tag A address 0\n@tag B address 1\n@end\n" + heap,
       "wam_arch.def:1:2: error: incorrect @ declaration 'end' (begin)\n"
       "    1 | @end\n"
       "      |  ^~~\n"
       "wam_arch.def:2:2: error: incorrect @ declaration 'tag' (begin)\n"
       "    2 | @tag A address 0\n"
       "      |  ^~~\n",
       heap_at(5)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.description);
    expect_run(run_tool(default_tool, c.description, {.args = {"--check"}}), 1, c.out, c.err, {});
  }
}

// A check goes on after an error with the next line, and drops a section
// that had one (the case folder check-two-errors); it stops after 20 errors.
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
