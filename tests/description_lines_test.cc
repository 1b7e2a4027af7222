#include "description_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "memory_directory.h"

namespace pl_config::testing {
namespace {

// Lines of many lengths, some longer than a block or than a shown line holds,
// and enough of them that the marks are thinned out.
std::vector<std::string> description_lines() {
  std::vector<std::string> lines;
  for (int i = 1; i <= 9000; ++i) {
    const std::size_t length = i % 1000 == 0 ? 40000 : i % 97 == 0 ? 2000 : static_cast<std::size_t>(i % 13) * 90;
    lines.push_back(std::to_string(i) + std::string(length, static_cast<char>('a' + i % 26)));
  }
  lines.push_back("last, without a newline");
  return lines;
}

TEST(DescriptionLinesTest, ReadsAnyLineInAnyOrder) {
  const std::vector<std::string> lines = description_lines();
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  text.pop_back();
  MemoryDirectory directory(text);
  DescriptionLines description(directory);
  const int count = static_cast<int>(lines.size());
  // On, back, the same line again, and across thinned-out marks.
  std::vector<int> order = {1, 2, 500, 1000, 1001, 999, 1, 9000, count, count, 3, 8999, 4500, 4499, 4501, 2000};
  for (int n = count; n > 0; n -= 331) order.push_back(n);
  Error::LineText shown;
  for (const int n : order) {
    SCOPED_TRACE(n);
    ASSERT_TRUE(description.read(n, shown));
    const std::string& line = lines[static_cast<std::size_t>(n - 1)];
    EXPECT_EQ(shown.view(), line.substr(0, Error::LineText::capacity));
  }
  // However many lines are shown, the file is not read from its start for each.
  const std::size_t before = directory.bytes_reread();
  for (int n = 1; n <= count; n += 7) ASSERT_TRUE(description.read(n, shown));
  EXPECT_LT(directory.bytes_reread() - before, 2 * text.size());
  // Nor for each note that shows a line near the start between them: that
  // takes a block of its own.
  const std::size_t alternating = directory.bytes_reread();
  for (int n = 1; n <= count; n += 7) {
    ASSERT_TRUE(description.read(n, shown));
    ASSERT_TRUE(description.read(2, shown));
    EXPECT_EQ(shown.view(), lines[1]);
  }
  EXPECT_LT(directory.bytes_reread() - alternating, 2 * text.size() + (count / 7 + 1) * 16 * 1024);
  EXPECT_FALSE(description.read(count + 1, shown));
  EXPECT_FALSE(description.read(0, shown));
  ASSERT_TRUE(description.read(7, shown));
  EXPECT_EQ(shown.view(), lines[6]);
}

}  // namespace
}  // namespace pl_config::testing
