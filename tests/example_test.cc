#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "tool_run.h"

namespace pl_config::testing {
namespace {

namespace fs = std::filesystem;

const fs::path golden_dir = fs::path(PL_CONFIG_GOLDEN_DIR) / "example";

// The golden files, with `ordinary` ahead of the example's own lines in the
// architecture header.
void expect_golden_run(const ToolResult& result, const std::string& ordinary = "") {
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.out, read_file(golden_dir / "stdout"));

  std::map<std::string, std::string> expected_files;
  for (const char* name : {"wam_arch.h", "wam_regs.h", "wam_stacks.h", "th_public_config.h"}) {
    expected_files[name] = read_file(golden_dir / name);
    ASSERT_FALSE(expected_files[name].empty()) << "golden file missing: " << name;
  }
  expected_files["wam_arch.h"].insert(0, ordinary);
  for (const auto& [name, bytes] : expected_files) {
    const auto produced = result.files.find(name);
    ASSERT_NE(produced, result.files.end()) << name << " not written";
    EXPECT_EQ(produced->second, bytes) << "in " << name;
  }
  EXPECT_EQ(result.files.size(), expected_files.size());
}

// The shipped description exercises all three sections and the ordinary
// lines between them in one run, so the whole output is pinned byte for byte
// against files worked out by hand from its declarations.
TEST(ExampleDescriptionTest, MatchesGoldenFiles) {
  expect_golden_run(run_tool(default_tool, read_file(PL_CONFIG_EXAMPLE_DEF)));
}

// The description is read in blocks of 128 KiB: pushed down by ordinary
// lines, the example's lines, directive lines among them, fall across the
// end of the first block, and nothing of the output may change.
TEST(ExampleDescriptionTest, SameOutputWhereverTheReadBlocksEnd) {
  const std::string example = read_file(PL_CONFIG_EXAMPLE_DEF);
  const std::size_t block = 128 * 1024;
  for (std::size_t shift = 0; shift < example.size(); shift += 97) {
    std::string ordinary;
    while (ordinary.size() + 81 < block - shift) ordinary += std::string(79, 'o') + "\n";
    ordinary += std::string(block - shift - ordinary.size() - 1, 'p') + "\n";
    SCOPED_TRACE("block ends " + std::to_string(shift) + " bytes into the example");
    expect_golden_run(run_tool(default_tool, ordinary + example), ordinary);
  }
}

}  // namespace
}  // namespace pl_config::testing
