#include "diagnostics.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "expect_run.h"
#include "tool_run.h"

namespace pl_config::testing {
namespace {

// What the options that show, turn off and harden warnings do to a run and a
// check of a description with one warning: the headers and the summary of a
// run that succeeds are those of a plain run.
TEST(DiagnosticOptionsTest, StatusesAndStreams) {
  const std::string description = "@begin regs\n@reg 0 WamWord int\n@end\n";
  const std::string warning =
      "wam_arch.def:2:16: warning: register int is named like a C keyword [keyword-name]\n"
      "    2 | @reg 0 WamWord int\n"
      "      |                ^~~\n";
  std::string as_error = warning;
  as_error.replace(as_error.find("warning:"), 8, "error:");
  const std::string cannot_open = "missing.def: error: cannot open: No such file or directory\n";
  const ToolResult plain = run_tool(default_tool, description);
  ASSERT_EQ(plain.status, 0);
  ASSERT_EQ(plain.files.size(), 4u);
  const struct {
    std::vector<std::string> args;
    int status;
    std::string err;
    bool writes_headers;
  } cases[] = {
      {{"--warnings"}, 0, warning, true},
      {{"--warnings", "--no-warn=keyword-name"}, 0, "", true},
      {{"--warnings", "--no-warn=long-line,keyword-name"}, 0, "", true},
      {{"--warnings", "--no-warn=keyword-name,"}, 0, "", true},
      {{"--werror"}, 1, as_error + "all warnings being treated as errors\n", false},
      {{"--werror", "--located-errors"}, 1, as_error + "pl_config: error: all warnings being treated as errors\n", false},
      {{"--werror", "--no-warn", "keyword-name"}, 0, "", true},
      {{"--check", "--werror"}, 1, as_error, false},
      {{"--check", "--color=never"}, 0, warning, false},
      // Standard error is a pipe here: no colour unless asked for.
      {{"--check"}, 0, warning, false},
      // An error about a file names it, with the system's reason.
      {{"--check", "--description=missing.def"}, 1, cannot_open, false},
      {{"--located-errors", "-d", "missing.def"}, 1, cannot_open, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    const ToolResult result = run_tool(default_tool, description, {.args = c.args});
    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(result.err, c.err);
    if (c.writes_headers) {
      EXPECT_EQ(result.out, plain.out);
      EXPECT_TRUE(result.files == plain.files) << first_difference(result.files, plain.files);
    } else {
      EXPECT_TRUE(result.files.empty());
    }
  }
}

TEST(NearestChoiceTest, WithinTwoEditsLetterCaseAside) {
  EXPECT_EQ(nearest_choice("Regs", "regs, tags, stacks"), "regs");
  EXPECT_EQ(nearest_choice("stcks", "regs, tags, stacks"), "stacks");
  EXPECT_EQ(nearest_choice("rg", "regs, tags, stacks"), "regs");
  EXPECT_EQ(nearest_choice("integer", "long_int, short_uns, address"), "");
  EXPECT_EQ(nearest_choice("xyz", "reg, end"), "");
}

}  // namespace
}  // namespace pl_config::testing
