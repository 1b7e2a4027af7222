#include "description_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "expect_run.h"
#include "expected.h"
#include "text_cases.h"
#include "tool_run.h"

namespace pl_config::testing {
namespace {

namespace fs = std::filesystem;

// A check writes its report, and no file: not a header, not a temporary one.
// Checks of other descriptions are the case folders check-*.
TEST(CheckTest, ReportsTheLayoutAndWritesNoFile) {
  const ToolResult check = run_tool(default_tool, read_file(PL_CONFIG_EXAMPLE_DEF), {.args = {"--check"}});
  expect_run(check, 0, check.out, "", {});
  expect_file(fs::path(PL_CONFIG_GOLDEN_DIR) / "example" / "check_report", check.out);
}

// A Windows tool reads the description as text: a CR before a newline
// never reaches its reader, nor its plain message.
std::string plain_message(std::string message) {
  if (windows_tools) std::erase(message, '\r');
  return message;
}

// With --check or --located-errors, an error is written as compilers write
// theirs: FILE:LINE:COLUMN, the line, a caret under the field; a plain run's
// message stays as it was.
// The cases of golden/located_errors.txt.
TEST(CheckTest, ErrorsAreLocatedAtTheirField) {
  const auto named = [](std::string text, const std::string& file) {
    for (std::size_t at; (at = text.find("FILE:")) != std::string::npos;) text.replace(at, 4, file);
    return file + ":" + text;
  };
  // The file's name taken out again, for an update.
  const auto unnamed = [](std::string text, const std::string& file) {
    for (std::size_t at; (at = text.find(file + ":")) != std::string::npos;) text.replace(at, file.size(), "FILE");
    return text.substr(std::min(text.size(), std::size_t{5}));
  };
  CaseFile file(fs::path(PL_CONFIG_GOLDEN_DIR) / "located_errors.txt");
  for (const TextCase& c : file.cases()) {
    SCOPED_TRACE(c.title);
    ASSERT_EQ(c.parts.size(), 3u);
    const std::string& description = c.parts[0];
    const std::string& located = c.parts[2];
    // A check may warn about the lines too.
    const ToolResult check = run_tool(default_tool, description, {.args = {"--check"}});
    EXPECT_EQ(check.status, 1);
    EXPECT_NE(check.err.find(named(located, "wam_arch.def")), std::string::npos) << check.err;
    const ToolResult run =
        run_tool(default_tool, description, {.args = {"--located-errors", "--description=./wam_arch.def"}});
    expect_run(run, 1, summary_head, run.err, {});
    file.expect(c, 2, unnamed(run.err, "./wam_arch.def"));
    const ToolResult plain = run_tool(default_tool, description);
    if (windows_tools) {
      expect_reading_error(plain, plain_message(c.parts[1]));
    } else {
      expect_run(plain, 1, summary_head, plain.err, {});
      EXPECT_TRUE(plain.err.ends_with('\n'));
      file.expect(c, 1, plain.err.substr(0, plain.err.size() - 1));
    }
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
