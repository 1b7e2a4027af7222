#include "expected_output.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "text_cases.h"
#include "tool_run.h"

namespace pl_config::testing {
namespace {

// The update mode writes a case file again with one part replaced, the
// rest byte for byte as it was: comments, titles, names and the mark of a
// part without a final newline.
TEST(ExpectedOutputTest, AnUpdateReplacesOnlyThePartThatDiffers) {
  const std::string file = "a comment\n=== one\nin\n--- out\nold\n=== two\nin 2\n--- out\nlast\n\\ no newline\n";
  const struct {
    std::size_t case_index, part;
    std::string got, updated;
  } cases[] = {
      {0, 1, "old\n", file},
      {0, 1, "new\nlines\n",
       "a comment\n=== one\nin\n--- out\nnew\nlines\n=== two\nin 2\n--- out\nlast\n\\ no newline\n"},
      {1, 1, "last\n", "a comment\n=== one\nin\n--- out\nold\n=== two\nin 2\n--- out\nlast\n"},
      {0, 1, "cut",
       "a comment\n=== one\nin\n--- out\ncut\n\\ no newline\n=== two\nin 2\n--- out\nlast\n\\ no newline\n"},
      {1, 0, "", "a comment\n=== one\nin\n--- out\nold\n=== two\n--- out\nlast\n\\ no newline\n"},
  };
  const std::filesystem::path path = make_temp_dir() / "cases.txt";
  const char* const mode = std::getenv("PL_CONFIG_UPDATE_CASES");
  const std::string before = mode != nullptr ? mode : "";
  setenv("PL_CONFIG_UPDATE_CASES", "1", 1);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.updated);
    write_file(path, file);
    {
      CaseFile cases_file(path);
      cases_file.expect(cases_file.cases()[c.case_index], c.part, c.got);
    }
    EXPECT_EQ(read_file(path), c.updated);
  }
  if (mode == nullptr) unsetenv("PL_CONFIG_UPDATE_CASES");
  if (mode != nullptr) setenv("PL_CONFIG_UPDATE_CASES", before.c_str(), 1);
  std::filesystem::remove_all(path.parent_path());
}

}  // namespace
}  // namespace pl_config::testing
