#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "expect_run.h"
#include "expected_output.h"
#include "tool_run.h"

namespace pl_config::testing {
namespace {

namespace fs = std::filesystem;

const char* tool_named(const std::string& name) {
  const std::map<std::string, const char*> tools = {{"default_tool", default_tool},
                                                    {"m1_tool", m1_tool},
                                                    {"m1m2_tool", m1m2_tool},
                                                    {"big_version_tool", big_version_tool}};
  const auto tool = tools.find(name);
  if (tool == tools.end()) throw std::runtime_error("no test tool named '" + name + "'");
  return tool->second;
}

// Everything the run gave, by the name of its file in a case folder.
Files outputs_of(const fs::path& dir) {
  const std::vector<std::string> tool = lines_of(read_file(dir / "tool"));
  const ToolResult result = run_tool(tool_named(tool.empty() ? "default_tool" : tool[0]),
                                     read_file(dir / "wam_arch.def"), {.args = lines_of(read_file(dir / "args"))});
  Files outputs = result.files;
  outputs["stdout"] = result.out;
  outputs["stderr"] = result.err;
  outputs["status"] = std::to_string(result.status) + "\n";
  return outputs;
}

TEST(CaseFolderTest, EachRunGivesWhatItsFolderHolds) {
  std::vector<fs::path> dirs;
  for (const fs::directory_entry& entry : fs::directory_iterator(PL_CONFIG_CASES_DIR))
    if (entry.is_directory()) dirs.push_back(entry.path());
  std::ranges::sort(dirs);
  ASSERT_FALSE(dirs.empty()) << "no case folder in " << PL_CONFIG_CASES_DIR;
  for (const fs::path& dir : dirs) {
    SCOPED_TRACE(dir.filename().string());
    ASSERT_TRUE(fs::exists(dir / "wam_arch.def"));
    expect_files(dir, outputs_of(dir), {"wam_arch.def", "args", "tool"});
  }
}

// --help and --build-constants are compared with their golden files by the
// command line's tests; here they are only written, by an update.
TEST(GoldenFileTest, UpdatedWithTheOthers) {
  if (!updating_expected_outputs()) GTEST_SKIP() << "compared by CommandLineTest.NoRunTouchesTheHeaders";
  for (const char* option : {"help", "build_constants"}) {
    std::string arg = std::string("--") + option;
    std::ranges::replace(arg, '_', '-');
    expect_file(fs::path(PL_CONFIG_GOLDEN_DIR) / option, run_tool(default_tool, "x\n", {.args = {arg}}).out);
  }
}

}  // namespace
}  // namespace pl_config::testing
