#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "tool_run.h"

namespace pl_config::testing {
namespace {

namespace fs = std::filesystem;

const fs::path golden_dir = fs::path(PL_CONFIG_GOLDEN_DIR) / "example";

// The shipped description exercises all three sections and the ordinary
// lines between them in one run, so the whole output is pinned byte for byte
// against files worked out by hand from its declarations.
TEST(ExampleDescriptionTest, MatchesGoldenFiles) {
  const ToolResult result = run_tool(default_tool, read_file(PL_CONFIG_EXAMPLE_DEF));
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.out, read_file(golden_dir / "stdout"));

  const std::map<std::string, std::string> expected_files = {
      {"wam_arch.h", read_file(golden_dir / "wam_arch.h")},
      {"wam_regs.h", read_file(golden_dir / "wam_regs.h")},
      {"wam_stacks.h", read_file(golden_dir / "wam_stacks.h")},
      {"th_public_config.h", read_file(golden_dir / "th_public_config.h")},
  };
  for (const auto& [name, bytes] : expected_files) {
    ASSERT_FALSE(bytes.empty()) << "golden file missing: " << name;
    const auto produced = result.files.find(name);
    ASSERT_NE(produced, result.files.end()) << name << " not written";
    EXPECT_EQ(produced->second, bytes) << "in " << name;
  }
  EXPECT_EQ(result.files.size(), expected_files.size());
}

}  // namespace
}  // namespace pl_config::testing
