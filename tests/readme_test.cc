// The README's example of --check: the fenced block after the comment line
// "<!-- checked description" is a whole wam_arch.def, and the one after
// "<!-- checked report" must be, byte for byte, what pl_config --check prints
// for it, so that the README cannot drift from the tool.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "expect_run.h"

namespace pl_config::testing {
namespace {

// The text of the fenced block right after the one line that starts with
// `marker`, each line with its newline; empty, with a failure, when there is
// no such block or more than one marker.
std::string block_after(const std::string& markdown, const std::string& marker) {
  const std::vector<std::string> lines = lines_of(markdown);
  const auto is_marker = [&](const std::string& line) { return line.starts_with(marker); };
  EXPECT_EQ(std::ranges::count_if(lines, is_marker), 1) << "lines starting with " << marker;
  auto line = std::ranges::find_if(lines, is_marker);
  if (line == lines.end() || ++line == lines.end() || !line->starts_with("```")) {
    ADD_FAILURE() << "no fenced block right after " << marker;
    return "";
  }
  std::string block;
  while (++line != lines.end() && *line != "```") block += *line + "\n";
  if (line == lines.end()) ADD_FAILURE() << "the block after " << marker << " is not closed";
  EXPECT_FALSE(block.empty()) << "nothing after " << marker;
  return block;
}

TEST(ReadmeTest, CheckExamplePrintsTheReportShown) {
  const std::string readme = read_file(PL_CONFIG_README);
  const std::string description = block_after(readme, "<!-- checked description");
  const std::string report = block_after(readme, "<!-- checked report");
  ASSERT_FALSE(description.empty() || report.empty());
  // A check writes no file.
  expect_run(run_tool(default_tool, description, {.args = {"--check"}}), 0, report, "", {});
}

}  // namespace
}  // namespace pl_config::testing
