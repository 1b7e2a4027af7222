// The README's example of --check: the fenced block after the comment line
// "<!-- checked description" is a whole wam_arch.def, and the one after
// "<!-- checked report" must be, byte for byte, what pl_config --check prints
// for it, so that the README cannot drift from the tool.

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "expect_run.h"

namespace pl_config::testing {
namespace {

// The text of the fenced block right after the one line that starts with
// `marker`, each line with its newline; empty, with a failure, when there is
// no such block or more than one marker.
std::string block_after(const std::string& markdown, const std::string& marker) {
  std::istringstream in(markdown);
  std::string block;
  int markers = 0;
  for (std::string line; std::getline(in, line);) {
    if (!line.starts_with(marker)) continue;
    ++markers;
    if (!std::getline(in, line) || !line.starts_with("```")) {
      ADD_FAILURE() << "no fenced block right after " << marker;
      return "";
    }
    bool closed = false;
    while (!closed && std::getline(in, line)) {
      closed = line == "```";
      if (!closed) block += line + "\n";
    }
    if (!closed) ADD_FAILURE() << "the block after " << marker << " is not closed";
  }
  EXPECT_EQ(markers, 1) << "lines starting with " << marker;
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
