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
  const std::string example = read_file(PL_CONFIG_EXAMPLE_DEF);
  // Machine registers m1 and m2, a filler of numbers only, the low layout,
  // two sections of one kind.
  const std::string small =
      "@begin regs\n@filler 2\n@reg 0 PlLong R1\n@filler 1\n@reg 0 WamWord R2\n@reg 1 WamWord R3\n@end\n"
      "@begin tags\n@tag ATOM short_uns 5\n@tag REF address 0\n@end\n"
      "@begin stacks\n@stack heap \"heap\" 16 H\n@end\n"
      "@begin stacks\n@stack trail \"trail\" 2 TR\n@end\n";
  const std::string small_report =
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
      "  trail    256   2048  TR\n";
  const struct {
    const char* tool;
    std::string description;
    std::string report;
  } cases[] = {
      {default_tool, example, read_file(fs::path(PL_CONFIG_GOLDEN_DIR) / "example" / "check_report")},
      {m1m2_tool, small, small_report},
      {default_tool, "/* no section */\n", "No section: the description declares no register, tag or stack.\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.report.substr(0, c.report.find('\n')));
    expect_run(run_tool(c.tool, c.description, {.args = {"--check"}}), 0, c.report, "", {});
  }
}

// With --check or --located-errors, an error about a line of the
// description names the file as given and the line; a plain run's message
// stays as it was.  (The line of every error is checked in memory, by the
// tables of the readers.)
TEST(CheckTest, ErrorsAreLocatedAtTheirLine) {
  const std::string description = "// lead\n\n@begin Regs\n";
  const std::string message = "Syntax error: unknown section in: @begin Regs\n";
  expect_run(run_tool(default_tool, description, {.args = {"--check"}}), 1, "", "wam_arch.def:3: " + message + "\n",
             {});
  expect_run(run_tool(default_tool, description, {.args = {"--located-errors", "--description=./wam_arch.def"}}), 1,
             summary_head, "./wam_arch.def:3: " + message + "\n", {});
  expect_reading_error(run_tool(default_tool, description), message);
}

}  // namespace
}  // namespace pl_config::testing
