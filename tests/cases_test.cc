#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "expect_run.h"
#include "tool_run.h"

namespace pl_config::testing {
namespace {

namespace fs = std::filesystem;

// What a case folder holds besides what the run must give (cases/README.md).
const char* const case_inputs[] = {"wam_arch.def", "args", "tool"};

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

// With PL_CONFIG_UPDATE_CASES=1 a case's expected files are replaced by what
// the run gives, for a change of output that is meant.
void update(const fs::path& dir, const Files& outputs) {
  for (const auto& [name, bytes] : files_in(dir))
    if (std::ranges::find(case_inputs, name) == std::end(case_inputs)) fs::remove(dir / name);
  for (const auto& [name, bytes] : outputs) write_file(dir / name, bytes);
}

TEST(CaseFolderTest, EachRunGivesWhatItsFolderHolds) {
  const char* const mode = std::getenv("PL_CONFIG_UPDATE_CASES");
  const bool updating = mode != nullptr && std::string(mode) == "1";
  std::vector<fs::path> dirs;
  for (const fs::directory_entry& entry : fs::directory_iterator(PL_CONFIG_CASES_DIR))
    if (entry.is_directory()) dirs.push_back(entry.path());
  std::ranges::sort(dirs);
  ASSERT_FALSE(dirs.empty()) << "no case folder in " << PL_CONFIG_CASES_DIR;
  for (const fs::path& dir : dirs) {
    SCOPED_TRACE(dir.filename().string());
    ASSERT_TRUE(fs::exists(dir / "wam_arch.def"));
    const Files outputs = outputs_of(dir);
    if (updating) {
      update(dir, outputs);
      continue;
    }
    Files expected = files_in(dir);
    for (const char* input : case_inputs) expected.erase(input);
    EXPECT_TRUE(outputs == expected) << first_difference(outputs, expected);
  }
}

}  // namespace
}  // namespace pl_config::testing
